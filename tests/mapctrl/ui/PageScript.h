#pragma once
// Runs a script in the map page and waits for its value, at most 5 s.

#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <memory>

#include "mapctrl/ui/MapBrowser.h"

inline QVariant Evaluate(MapBrowser& browser, const QString& script) {
  struct Answer {
    QVariant value;
    bool given = false;
    QEventLoop wait;
  };
  auto answer = std::make_shared<Answer>();
  browser.RunScript(script, [answer](const QVariant& result) {
    answer->value = result;
    answer->given = true;
    answer->wait.quit();
  });
  QTimer::singleShot(5000, &answer->wait, &QEventLoop::quit);
  if (!answer->given) answer->wait.exec();
  return answer->value;
}
