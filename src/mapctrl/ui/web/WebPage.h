#pragma once
// The map page in the web engine: the page's script errors go to the
// browser's hook, so that a failing map command shows in the trace.

#include <QWebEnginePage>
#include <functional>

class CWebPage : public QWebEnginePage {
  Q_OBJECT

 public:
  CWebPage(std::function<void(const QString&)> scriptError, QObject* parent);

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                const QString& source) override;

 private:
  std::function<void(const QString&)> scriptError_;
};
