#pragma once
// The log info pane: the values of the log record now shown, one
// "label: value" row each, as the log record view formats them.
#include <QColor>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "telemetry/SpeedUnit.h"

class LogRecordView;

class CPaneLogInfo : public QWidget {
  Q_OBJECT

 public:
  static inline const QColor kBackground{32, 37, 43};
  static inline const QColor kTextColour{200, 200, 200};

  // unit is asked at every paint, so a changed setting shows at once.
  CPaneLogInfo(const LogRecordView& records, std::function<SpeedUnit()> unit, QWidget* parent);

  // The rows as they are painted, top to bottom.
  QStringList Rows() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const LogRecordView& records_;
  std::function<SpeedUnit()> unit_;
};
