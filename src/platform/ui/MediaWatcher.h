#pragma once
// Watches the mount table for media that come and go. The kernel marks
// /proc/self/mountinfo as having an exceptional condition whenever the table
// changes, so a notifier on that wakes us without polling; a slow timer
// covers tables that cannot be watched that way (and the tests' plain files).
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Volumes.h"

class MediaWatcher : public QObject {
  Q_OBJECT

 public:
  explicit MediaWatcher(QString mountInfoPath = QStringLiteral("/proc/self/mountinfo"), QObject* parent = nullptr);
  ~MediaWatcher() override;

  // Reads the table again and reports what changed since the last reading.
  void Rescan();

 signals:
  void mediaRemoved(const QString& mountPoint);
  void mediaInserted(const QString& mountPoint);

 private:
  std::optional<std::vector<MountEntry>> Read() const;

  QString path_;
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  QTimer poll_;
  std::vector<MountEntry> mounts_;
};
