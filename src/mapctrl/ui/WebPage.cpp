#include "mapctrl/ui/WebPage.h"

#include <QEventLoop>
#include <QTimer>
#include <QVariant>

#include "mapctrl/JsonString.h"
#include "platform/Trace.h"

namespace {

// The page's functions that the map synchronisation calls.
constexpr const char* kMapFunctions[] = {"initialize",      "addRoute",      "addSingleRoute", "drawRoute",
                                         "clearRoute",      "doMoveCenter",  "noData",         "clearSpeedRoute",
                                         "beginSpeedRoute", "addSpeedRoute", "drawSpeedRoute", "addHardMoment"};

}  // namespace

CWebPage::CWebPage(QObject* parent) : QWebEnginePage(parent) {}

bool CWebPage::SetDocument() {
  functions_.clear();
  std::string names = "[";
  for (const char* name : kMapFunctions) names += (names.size() > 1 ? "," : "") + JsonString(name);
  names += "]";
  const QString probe =
      QString::fromStdString(names + ".filter(function (n) { return typeof window[n] === 'function'; })");

  QEventLoop wait;
  bool answered = false;
  QStringList defined;
  runJavaScript(probe, [&](const QVariant& result) {
    answered = true;
    defined = result.toStringList();
    wait.quit();
  });
  QTimer::singleShot(kProbeMs, &wait, &QEventLoop::quit);
  if (!answered) wait.exec();
  for (const QString& name : defined) functions_.insert(name.toStdString());
  return !functions_.empty();
}

bool CWebPage::CallJScript(const std::string& function, const std::vector<std::string>& args) {
  if (functions_.empty()) {
    KTRACE("Cannot GetScript");
    return false;
  }
  if (functions_.count(function) == 0) return false;
  runJavaScript(QString::fromStdString(CallScript(function, args)));
  return true;
}

std::string CWebPage::CallScript(const std::string& function, const std::vector<std::string>& args) {
  std::string script = "window[" + JsonString(function) + "](";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) script += ",";
    script += JsonString(args[i]);
  }
  return script + ");";
}

void CWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                        const QString& source) {
  // A failing map command shows here; the page's own messages are traced too.
  if (level == ErrorMessageLevel) {
    KTRACE("map page: %s (%s:%d)", message.toUtf8().constData(), source.toUtf8().constData(), line);
  }
}
