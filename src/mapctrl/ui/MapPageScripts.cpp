#include "mapctrl/ui/MapPageScripts.h"

#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "mapctrl/JsonString.h"
#include "mapctrl/ui/MapBrowser.h"
#include "platform/Trace.h"

namespace {

// The page's functions that the map synchronisation calls.
constexpr const char* kMapFunctions[] = {"initialize",      "addRoute",      "addSingleRoute", "drawRoute",
                                         "clearRoute",      "doMoveCenter",  "noData",         "clearSpeedRoute",
                                         "beginSpeedRoute", "addSpeedRoute", "drawSpeedRoute", "addHardMoment"};

}  // namespace

bool MapPageScripts::SetDocument(MapBrowser& browser) {
  functions_.clear();
  std::string names = "[";
  for (const char* name : kMapFunctions) names += (names.size() > 1 ? "," : "") + JsonString(name);
  names += "]";
  const QString probe =
      QString::fromStdString(names + ".filter(function (n) { return typeof window[n] === 'function'; })");

  // The answer may come after this wait gave up; it then finds no one.
  struct Answer {
    bool given = false;
    QStringList defined;
    QEventLoop wait;
  };
  auto answer = std::make_shared<Answer>();
  browser.RunScript(probe, [answer](const QVariant& result) {
    answer->given = true;
    answer->defined = result.toStringList();
    answer->wait.quit();
  });
  QTimer::singleShot(kProbeMs, &answer->wait, &QEventLoop::quit);
  if (!answer->given) answer->wait.exec();
  for (const QString& name : answer->defined) functions_.insert(name.toStdString());
  return !functions_.empty();
}

bool MapPageScripts::CallJScript(MapBrowser& browser, const std::string& function,
                                 const std::vector<std::string>& args) {
  if (functions_.empty()) {
    KTRACE("Cannot GetScript");
    return false;
  }
  if (functions_.count(function) == 0) return false;
  browser.RunScript(QString::fromStdString(CallScript(function, args)), nullptr);
  return true;
}

std::string MapPageScripts::CallScript(const std::string& function, const std::vector<std::string>& args) {
  std::string script = "window[" + JsonString(function) + "](";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) script += ",";
    script += JsonString(args[i]);
  }
  return script + ");";
}
