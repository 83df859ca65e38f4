#include "platform/ui/QtDesktopOpener.h"

#include <QDesktopServices>
#include <QUrl>

bool QtDesktopOpener::OpenFile(const std::filesystem::path& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

bool QtDesktopOpener::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}
