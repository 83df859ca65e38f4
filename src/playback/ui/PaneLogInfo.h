#pragma once
// The log info pane: the values of the log record now shown, one
// "label: value" row each, as the log record view formats them.
#include <QColor>
#include <QStringList>
#include <QWidget>

class LogRecordView;

class CPaneLogInfo : public QWidget {
  Q_OBJECT

 public:
  static inline const QColor kBackground{32, 37, 43};
  static inline const QColor kTextColour{200, 200, 200};

  CPaneLogInfo(const LogRecordView& records, QWidget* parent);

  // The rows as they are painted, top to bottom.
  QStringList Rows() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const LogRecordView& records_;
};
