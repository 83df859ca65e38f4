#include "app/StartUpWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <QDBusConnection>

FontConfigWarmUp::FontConfigWarmUp() : thread_([] { FcInit(); }) {}

void FontConfigWarmUp::Wait() {
  if (thread_.joinable()) thread_.join();
}

SessionBusWarmUp::SessionBusWarmUp() : thread_([] { QDBusConnection::sessionBus(); }) {}

SessionBusWarmUp::~SessionBusWarmUp() {
  if (thread_.joinable()) thread_.join();
}
