#pragma once
// Vector icons of the skin buttons, drawn into any square.
#include <QColor>
#include <QPainter>
#include <QRectF>

namespace skin {

enum class Icon {
  kPlay,
  kPause,
  kPlayFast,
  kBackPlay,
  kBackFast,
  kPreviousFrame,
  kNextFrame,
  kZoomIn,
  kZoomOut,
  kDefaultGraph,
  kSingleView,
  kThumbView,
  kOpenFolder,
  kCamera,
  kPrinter,
  kFilm,
  kBackup,
  kGlobe,
  kGear,
  kHouse,
  kInfo,
  kMinimize,
  kClose,
  kFlag,
  kSearch,
  kCheckedBox,
  kEmptyBox,
};

// The icon centred in box at the largest square that fits, in ink.
void DrawIcon(QPainter& painter, Icon icon, const QRectF& box, const QColor& ink);

}  // namespace skin
