#pragma once
// One printed page drawn with QPainter: the page's logical space mapped
// onto the device (x and y scaled apart), the border and footer every page
// has, the title and comment, and the frame blocks (picture large, data in
// a two-column table under it; four frames in a 2 x 2 grid). The preview,
// the printer and the PDF all draw with this one painter, so what the
// preview shows is what prints.

#include <QImage>
#include <QRect>
#include <cstddef>
#include <map>
#include <vector>

class PrintDocument;
class QPagedPaintDevice;
class QPainter;
struct PrintBlock;

// The logical width of every page; the height follows the device's shape.
inline constexpr int kPrintLogicalWidth = 1000;

class PrintPagePainter {
 public:
  // The document must outlive the painter.
  explicit PrintPagePainter(const PrintDocument& document) : document_(document) {}

  // Draws page (counted from 1) into target, in the painter's device
  // coordinates. The painter's state is restored afterwards.
  void Paint(QPainter& painter, const QRect& target, int page);

  // Draws every page of the document on device, a new page before each but
  // the first; false when the painter or a page could not be started, or
  // memory ran out.
  bool PaintAll(QPagedPaintDevice& device);

  // The decoded pictures held: only those of the page painted last, so a
  // print of any length holds at most one page's pictures.
  std::size_t HeldPictures() const { return pictures_.size(); }

 private:
  void PaintBlock(QPainter& painter, const PrintBlock& block, const QRectF& cell, bool compact);
  void PaintPicture(QPainter& painter, int frame, const QRectF& box);
  const QImage& Picture(int frame);
  // Lets go of the pictures of every other page.
  void KeepPicturesOf(const std::vector<int>& frames);

  const PrintDocument& document_;
  // Decoded pictures by frame: the preview repaints the same page often.
  std::map<int, QImage> pictures_;
};
