#include "playback/ui/WndImgInfoPanel.h"

#include <QPainter>

#include "playback/InfoPanelText.h"
#include "playback/MgrPlayControl.h"
#include "skin/ui/AppFonts.h"
#include "skin/ui/FitFont.h"
#include "telemetry/SpeedSource.h"

namespace {

constexpr int kLeft = 5;
constexpr int kSpeedTop = 25;
constexpr int kLatitudeTop = 50;
constexpr int kLongitudeTop = 75;
constexpr int kLineHeight = 24;

}  // namespace

CWndImgInfoPanel::CWndImgInfoPanel(const CMgrPlayControl& control, const CAppSetting& settings, QWidget* parent)
    : CSnapshotPanel(control, parent), settings_(settings) {}

void CWndImgInfoPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Background());
  const ImageInfoText info = MakeImageInfoText(Control().SnapshotGps(), SpeedUnitOf(settings_));
  const int width = this->width() - kLeft;
  painter.setFont(FontFitting(AppFont(AppFontId::kLarge),
                              {QString::fromStdString(info.speed), QString::fromStdString(info.latitude),
                               QString::fromStdString(info.longitude)},
                              width));
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

  painter.setPen(kTextColour);
  painter.drawText(QRect(kLeft, kSpeedTop, width, kLineHeight), flags, QString::fromStdString(info.speed));
  painter.setPen(info.positionValid ? kTextColour : kNoFixColour);
  painter.drawText(QRect(kLeft, kLatitudeTop, width, kLineHeight), flags, QString::fromStdString(info.latitude));
  painter.drawText(QRect(kLeft, kLongitudeTop, width, kLineHeight), flags, QString::fromStdString(info.longitude));
}
