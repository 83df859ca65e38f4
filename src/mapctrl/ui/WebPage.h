#pragma once
// The loaded map page as the script calls see it: the page that completed
// last and the script functions it offers.

#include <QWebEnginePage>
#include <set>
#include <string>
#include <vector>

class CWebPage : public QWebEnginePage {
  Q_OBJECT

 public:
  // How long taking a completed page may wait for the page's answer.
  static constexpr int kProbeMs = 3000;

  explicit CWebPage(QObject* parent = nullptr);

  // Takes the page that just completed: asks it which of the map's script
  // functions it defines. False when it answers none (no map page).
  bool SetDocument();
  void DropDocument() { functions_.clear(); }
  bool HasDocument() const { return !functions_.empty(); }

  // Calls `function` of the page with text arguments, each passed as a
  // string literal. The calls reach the page in the order made; false when
  // no page is held or the page has no such function.
  bool CallJScript(const std::string& function, const std::vector<std::string>& args);

  // The script text of one call.
  static std::string CallScript(const std::string& function, const std::vector<std::string>& args);

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                const QString& source) override;

 private:
  std::set<std::string> functions_;
};
