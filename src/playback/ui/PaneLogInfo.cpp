#include "playback/ui/PaneLogInfo.h"

#include <QPainter>

#include "playback/LogRecordView.h"
#include "skin/ui/AppFonts.h"
#include "skin/ui/FitFont.h"

namespace {

constexpr int kLeft = 8;
constexpr int kTop = 6;
constexpr int kRowHeight = 22;

}  // namespace

CPaneLogInfo::CPaneLogInfo(const LogRecordView& records, std::function<SpeedUnit()> unit, QWidget* parent)
    : QWidget(parent), records_(records), unit_(std::move(unit)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QStringList CPaneLogInfo::Rows() const {
  const LogInfoTexts texts = records_.Texts(unit_ ? unit_() : SpeedUnit::kKmh);
  QStringList rows;
  for (const LogInfoLine* line :
       {&texts.eventFile, &texts.recorderTime, &texts.gpsTime, &texts.latitude, &texts.longitude}) {
    rows.append(QString::fromStdString(line->Text()));
  }
  rows.append(QString::fromStdString(texts.speed.Text() + texts.heading));
  return rows;
}

void CPaneLogInfo::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  const QStringList rows = Rows();
  painter.setFont(FontFitting(AppFont(AppFontId::kNormal), rows, width() - kLeft));
  painter.setPen(kTextColour);
  int top = kTop;
  for (const QString& row : rows) {
    painter.drawText(QRect(kLeft, top, width() - kLeft, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, row);
    top += kRowHeight;
  }
}
