#pragma once
// Runs a script in the map page and waits for its value, at most 5 s.

#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <QVariant>

#include "mapctrl/ui/WebPage.h"

inline QVariant Evaluate(CWebPage& page, const QString& script) {
  QVariant answer;
  bool answered = false;
  QEventLoop wait;
  page.runJavaScript(script, [&](const QVariant& result) {
    answer = result;
    answered = true;
    wait.quit();
  });
  QTimer::singleShot(5000, &wait, &QEventLoop::quit);
  if (!answered) wait.exec();
  return answer;
}
