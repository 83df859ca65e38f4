#include "platform/ui/MediaWatcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>

#include "platform/MediaChanges.h"

namespace {

constexpr int kPollMs = 2000;

}  // namespace

MediaWatcher::MediaWatcher(QString mountInfoPath, QObject* parent) : QObject(parent), path_(std::move(mountInfoPath)) {
  mounts_ = Read().value_or(std::vector<MountEntry>{});
  if (path_.startsWith(QStringLiteral("/proc/"))) {
    fd_ = ::open(path_.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    if (fd_ >= 0) {
      notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Exception);
      connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Rescan(); });
    }
  }
  connect(&poll_, &QTimer::timeout, this, &MediaWatcher::Rescan);
  poll_.start(kPollMs);
}

MediaWatcher::~MediaWatcher() {
  notifier_.reset();
  if (fd_ >= 0) ::close(fd_);
}

std::optional<std::vector<MountEntry>> MediaWatcher::Read() const {
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  // Files under /proc report size 0, so read to the end rather than by size.
  const QByteArray content = file.readAll();
  return ParseMountInfo(std::string_view(content.constData(), static_cast<size_t>(content.size())));
}

void MediaWatcher::Rescan() {
  if (fd_ >= 0) {
    // Reading the table to its end acknowledges the change for the notifier.
    char buffer[4096];
    ::lseek(fd_, 0, SEEK_SET);
    while (::read(fd_, buffer, sizeof buffer) > 0) {
    }
  }
  // A table that cannot be read tells nothing; it must not look as if
  // every medium had gone.
  std::optional<std::vector<MountEntry>> now = Read();
  if (!now) return;
  const MediaChanges changes = DiffMounts(mounts_, *now);
  mounts_ = std::move(*now);
  for (const std::string& point : changes.removed) emit mediaRemoved(QString::fromStdString(point));
  for (const std::string& point : changes.added) emit mediaInserted(QString::fromStdString(point));
}
