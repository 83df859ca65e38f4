#include "playback/ui/WndPlayTimePanel.h"

#include <QFontMetrics>
#include <QPainter>

#include "base/AppSetting.h"
#include "playback/InfoPanelText.h"
#include "playback/MgrPlayControl.h"
#include "skin/ui/AppFonts.h"

namespace {

constexpr int kLineHeight = 30;
constexpr int kDateTop = 4;
constexpr int kTimeTop = kDateTop + kLineHeight;

}  // namespace

CWndPlayTimePanel::CWndPlayTimePanel(const CMgrPlayControl& control, const CAppSetting& settings, QWidget* parent)
    : CSnapshotPanel(control, parent), settings_(settings) {}

void CWndPlayTimePanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Background());
  const PlayTimeText text = MakePlayTimeText(Control().Snapshot().time, settings_.IsWeekdayFirstDate());
  const QString date = QString::fromStdString(text.date);
  const QString time = QString::fromStdString(text.time);
  const QString milliseconds = QString::fromStdString(text.milliseconds);

  const QFont& heading = AppFont(AppFontId::kHeading);
  const QFont& small = AppFont(AppFontId::kLarge);
  painter.setFont(heading);
  painter.setPen(kDateColour);
  painter.drawText(QRect(0, kDateTop, width(), kLineHeight), Qt::AlignCenter | Qt::TextSingleLine, date);

  // Time and milliseconds are centred together, the milliseconds smaller on
  // the same baseline.
  const int timeWidth = QFontMetrics(heading).horizontalAdvance(time);
  const int millisecondsWidth = QFontMetrics(small).horizontalAdvance(milliseconds);
  const int left = (width() - timeWidth - millisecondsWidth) / 2;
  const int baseline = kTimeTop + (kLineHeight + QFontMetrics(heading).ascent() - QFontMetrics(heading).descent()) / 2;
  painter.setPen(kTimeColour);
  painter.drawText(QPoint(left, baseline), time);
  painter.setFont(small);
  painter.drawText(QPoint(left + timeWidth, baseline), milliseconds);
}
