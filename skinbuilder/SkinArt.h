#pragma once
// Drawing primitives shared by every picture of the skin: faces, wells,
// strips of cells and text.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace skin {

// The four cells of a push button, in strip order.
enum class CellState { kNormal, kPressed, kHover, kDisabled };
inline constexpr CellState kButtonCells[] = {CellState::kNormal, CellState::kPressed, CellState::kHover,
                                             CellState::kDisabled};

// Paints the content of one cell; cell is the cell's rectangle in the strip.
using CellContent = std::function<void(QPainter& painter, const QRectF& cell, CellState state)>;

QImage NewPicture(QSize size, const QColor& fill);
// An antialiased painter on a picture.
void BeginPainting(QPainter& painter, QImage& picture);
QFont UiFont(qreal pixelSize, int weight = QFont::Normal);

void FillVertical(QPainter& painter, const QRectF& rect, const QColor& top, const QColor& bottom, qreal radius = 0);
// A recessed frame: dark upper-left edge, light lower-right edge, filled.
void DrawWell(QPainter& painter, const QRectF& outer, qreal radius, const QColor& fill);
void DrawButtonFace(QPainter& painter, const QRectF& rect, CellState state, bool danger = false);
QColor InkFor(CellState state);
void DrawCentredText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                     const QColor& colour);

// Cells of the backdrop's size laid side by side, each starting as a copy of
// the backdrop (the piece of background the control covers, so rounded
// corners blend in); paint(painter, cellRect, index).
QImage MakeStrip(const QImage& backdrop, int cells, const std::function<void(QPainter&, const QRectF&, int)>& paint);
// The four button cells, face under content; pressed content sits a pixel lower.
QImage MakeButtonStrip(const QImage& backdrop, const CellContent& content, bool danger = false);

// Top-down rows of red, green, blue.
std::vector<uint8_t> ToRgb(const QImage& picture);

}  // namespace skin
