#include "skin/ui/SkinImages.h"

#include "skin/SkinEntries.h"

QImage SkinImage(const CSkinPackage& package, int entry) {
  SkinPicture picture;
  if (!package.LoadImage(entry, picture)) return QImage();
  // The view wraps the reader's buffer; the conversion gives the image its
  // own, in the screen's format, so that painting it is a plain copy.
  const QImage view(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888);
  return view.convertToFormat(QImage::Format_RGB32);
}

SkinStrip SkinStripOf(const CSkinPackage& package, int entry, int cells) {
  return SkinStrip(SkinImage(package, entry), cells);
}

QRect SkinRect(const CSkinPackage& package, int entry) {
  const SkinControl_Info* info = package.Find(entry);
  if (info == nullptr) return QRect();
  return QRect(info->left, info->top, info->right - info->left, info->bottom - info->top);
}

// The background entry's value holds the colour as 0xRRGGBB.
QColor SkinPanelColour(const CSkinPackage& package) {
  const SkinControl_Info* info = package.Find(kSkinBackground);
  if (!info || info->value <= 0) return kDefaultSkinPanel;
  return QColor::fromRgb(static_cast<QRgb>(info->value) | 0xFF000000u);
}
