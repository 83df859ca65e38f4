#include "app/StartUpWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <QDBusConnection>

void LoadFontConfiguration() { FcInit(); }

void ConnectSessionBus() { QDBusConnection::sessionBus(); }
