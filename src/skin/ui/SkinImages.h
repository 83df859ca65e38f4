#pragma once
// Skin package entries as Qt pictures and rectangles.
#include <QColor>
#include <QImage>
#include <QRect>

#include "skin/SkinPackage.h"
#include "skin/ui/SkinStrip.h"

// The entry's picture; a null image when the entry or its picture is missing.
QImage SkinImage(const CSkinPackage& package, int entry);
// The entry's picture cut into cells equal cells side by side.
SkinStrip SkinStripOf(const CSkinPackage& package, int entry, int cells);
// The entry's rectangle (right and bottom lie outside it); null when missing.
QRect SkinRect(const CSkinPackage& package, int entry);

// The colour of the skin's wells, which the panels painted on them take;
// kDefaultSkinPanel when the skin does not give one.
inline const QColor kDefaultSkinPanel{40, 42, 46};
QColor SkinPanelColour(const CSkinPackage& package);
