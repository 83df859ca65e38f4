#pragma once
// The large pictures: the back panel's backgrounds and bottom strips, the
// empty pane, the fallback, the slide-bar pieces and the car-signal lamps.
#include <QImage>
#include <QSize>

namespace skin {

// 1024 x 768; the the MX-H layout frames the car signal and places the
// G-value displays around it.
QImage BackPanel(bool mxh);
QImage BottomStrip(int width);
QImage EmptyPicture(QSize size);
QImage FallbackPicture(QSize size);
QImage SlideTrack(QSize size, bool second);
QImage SlideThumb(QSize size);
// Four cells: lamp lit with brake, all off, lamp lit, brake without lamp.
QImage LampStrip(QSize cell, bool left);

}  // namespace skin
