#include "skin/ui/TrackClickStyle.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QSlider>

namespace {

class TrackClickStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_Slider_AbsoluteSetButtons) return Qt::LeftButton;
    if (hint == SH_Slider_PageSetButtons) return Qt::NoButton;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

void UseTrackClickStyle(QSlider* slider) {
  // One style for every such slider; it goes with the application.
  static QPointer<TrackClickStyle> style;
  if (!style) {
    style = new TrackClickStyle;
    style->setParent(qApp);
  }
  slider->setStyle(style);
}
