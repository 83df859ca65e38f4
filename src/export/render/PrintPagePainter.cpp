#include "export/render/PrintPagePainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <new>
#include <vector>

#include "export/PrintPages.h"
#include "recording/InfoEventFile.h"
#include "recording/StreamImage.h"

namespace {

// The page frame, in logical units.
constexpr int kBorderX = 10;
constexpr int kBorderY = 20;
constexpr int kFooterAboveBottom = 17;
constexpr int kFooterSize = 12;
// Inside the border.
constexpr double kPadding = 22;
constexpr double kTitleSize = 26;
constexpr double kCommentSize = 16;
constexpr double kCommentLines = 3.6;
constexpr double kHeaderGap = 14;
constexpr double kGutter = 22;
constexpr double kPictureGap = 10;
// A one-frame page: the picture's share of the width, the table's rows.
constexpr double kRowHeightOne = 30;
// A four-frame page: the picture's share of a cell's height.
constexpr double kPictureShareFour = 0.47;
constexpr double kFontOfRow = 0.58;
constexpr double kLabelShare = 0.36;
// The most of a cell the labels may take when one needs more than its share.
constexpr double kLabelShareMost = 0.55;
constexpr double kSubRowIndent = 14;
constexpr double kCellInset = 8;
constexpr double kPictureAspect = 4.0 / 3.0;

const QColor kInk(0, 0, 0);
const QColor kRule(120, 126, 134);
const QColor kHeadingFill(228, 232, 237);
const QColor kLabelFill(245, 247, 249);
const QColor kNoPictureFill(214, 218, 223);

QFont FontOf(double pixelSize, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, static_cast<int>(pixelSize + 0.5)));
  font.setBold(bold);
  // The text is scaled onto the device; hinting for logical pixels would
  // distort it.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The lamp row's marks and names, spaced as PaintLamps draws them, with a
// gap after the last name too, so that it never runs into the cell's border.
constexpr double kLampMark = 0.8;       // of the font size
constexpr double kLampNameAfter = 1.4;  // of the mark
constexpr double kLampGap = 1.1;        // of the font size

double LampsWidth(const PrintBlock& block, const QFontMetricsF& font, double fontSize) {
  double width = 0;
  for (const PrintLamp& lamp : block.lamps)
    width += fontSize * kLampMark * kLampNameAfter + font.horizontalAdvance(Text(lamp.name)) + fontSize * kLampGap;
  return width;
}

struct TableFit {
  double fontSize = 0;
  double labelWidth = 0;
};

// The table's font and label column. The labels' column is as wide as its
// widest label needs, within its share and the most it may take; where
// even that leaves a label or a value too little room (a four-frame page,
// a long event name), the font shrinks until every text fits whole.
TableFit FitTable(const PrintBlock& block, double cellWidth, double fontSize) {
  const QFontMetricsF plain(FontOf(fontSize));
  const QFontMetricsF bold(FontOf(fontSize, true));
  double widestLabel = 0;
  double widestValue = 0;
  for (const PrintLine& line : block.lines) {
    const double indent = line.subRow ? kSubRowIndent : 0;
    const QFontMetricsF& labelFont = line.subRow ? plain : bold;
    if (!line.Heading()) widestLabel = std::max(widestLabel, labelFont.horizontalAdvance(Text(line.label)) + indent);
    const double value = line.lamps ? LampsWidth(block, plain, fontSize) : plain.horizontalAdvance(Text(line.value));
    widestValue = std::max(widestValue, value);
  }
  const double labelNeed = widestLabel + 2 * kCellInset;
  const double labelWidth = std::clamp(labelNeed, cellWidth * kLabelShare, cellWidth * kLabelShareMost);
  double scale = 1;
  if (widestLabel > 0) scale = std::min(scale, (labelWidth - 2 * kCellInset) / widestLabel);
  if (widestValue > 0) scale = std::min(scale, (cellWidth - labelWidth - 2 * kCellInset) / widestValue);
  if (scale >= 1) return {fontSize, labelWidth};
  // Fonts come in whole pixels: a shrunk size rounded up would overrun again.
  return {std::max(1.0, std::floor(fontSize * std::max(scale, 0.1))), labelWidth};
}

// The picture of a frame as the viewer shows it (half-height pictures at
// full height); null when it cannot be read or decoded.
QImage DecodeFrame(CInfoEventFile& recording, int frame) {
  std::vector<unsigned char> bytes(FRAMEDATA_MAXSIZE);
  const int count = recording.ReadFrameData(frame, bytes.data());
  CStreamImage codec;
  if (count <= 0 || !codec.DecodeToPixels(bytes.data(), count)) return {};
  const unsigned char* doubled = codec.GetDoubledPixels();
  const int height = doubled != nullptr ? 2 * codec.Height() : codec.Height();
  const unsigned char* pixels = doubled != nullptr ? doubled : codec.Pixels();
  const QImage view(pixels, codec.Width(), height, codec.Width() * 3, QImage::Format_BGR888);
  return view.copy();
}

// The largest rectangle of the aspect inside box, centred.
QRectF Fit(const QRectF& box, double aspect) {
  double width = box.width();
  double height = width / aspect;
  if (height > box.height()) {
    height = box.height();
    width = height * aspect;
  }
  return {box.center().x() - width / 2, box.top(), width, height};
}

void PaintFrameOfPage(QPainter& painter, int width, int height, const QString& footer) {
  painter.setPen(QPen(kInk, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(kBorderX, kBorderY, width - 2 * kBorderX, height - 2 * kBorderY));
  painter.setFont(FontOf(kFooterSize));
  painter.drawText(QRectF(0, height - kFooterAboveBottom, width, kFooterAboveBottom), Qt::AlignHCenter | Qt::AlignTop,
                   footer);
}

// The title and comment over the blocks; returns where the blocks start.
double PaintHeader(QPainter& painter, const PrintDocument& document, double left, double top, double width) {
  double y = top;
  if (!document.Title().empty()) {
    painter.setFont(FontOf(kTitleSize, true));
    painter.drawText(QRectF(left, y, width, kTitleSize * 1.4), Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(Text(document.Title()), Qt::ElideRight, static_cast<int>(width)));
    y += kTitleSize * 1.4;
  }
  if (!document.Comment().empty()) {
    painter.setFont(FontOf(kCommentSize));
    // At most three lines of comment; the blocks keep the rest of the page.
    const QRectF most(left, y, width, kCommentSize * kCommentLines);
    const QRectF used =
        painter.boundingRect(most, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Text(document.Comment()));
    painter.drawText(most, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Text(document.Comment()));
    y += std::min(used.height(), most.height());
  }
  if (y == top) return top;
  painter.setPen(QPen(kRule, 1.2));
  painter.drawLine(QPointF(left, y + kHeaderGap / 2), QPointF(left + width, y + kHeaderGap / 2));
  painter.setPen(kInk);
  return y + kHeaderGap;
}

void PaintLamps(QPainter& painter, const PrintBlock& block, const QRectF& box, double fontSize) {
  const double mark = fontSize * kLampMark;
  double x = box.left();
  for (const PrintLamp& lamp : block.lamps) {
    const QRectF square(x, box.center().y() - mark / 2, mark, mark);
    painter.setPen(QPen(kInk, 1));
    painter.setBrush(lamp.on ? QBrush(kInk) : Qt::NoBrush);
    painter.drawRect(square);
    painter.setBrush(Qt::NoBrush);
    const QString name = Text(lamp.name);
    const double nameWidth = painter.fontMetrics().horizontalAdvance(name);
    painter.drawText(QRectF(x + mark * kLampNameAfter, box.top(), nameWidth + 2, box.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, name);
    x += mark * kLampNameAfter + nameWidth + fontSize * kLampGap;
  }
}

}  // namespace

void PrintPagePainter::Paint(QPainter& painter, const QRect& target, int page) {
  if (target.width() <= 0 || target.height() <= 0) return;
  const int width = kPrintLogicalWidth;
  const int height = static_cast<int>(static_cast<double>(width) * target.height() / target.width() + 0.5);
  painter.save();
  painter.setViewport(target);
  painter.setWindow(0, 0, width, height);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(kInk);
  PaintFrameOfPage(painter, width, height, Text(document_.Footer(page)));

  const double left = kBorderX + kPadding;
  const double right = width - kBorderX - kPadding;
  const double bottom = height - kBorderY - kPadding;
  const double top = PaintHeader(painter, document_, left, kBorderY + kPadding, right - left);
  const std::vector<PrintBlock> blocks = document_.BlocksOfPage(page);
  KeepPicturesOf(document_.FramesOfPage(page));
  if (document_.Layout() != kPrintLayoutFour) {
    if (!blocks.empty()) PaintBlock(painter, blocks.front(), QRectF(left, top, right - left, bottom - top), false);
  } else {
    const double cellWidth = (right - left - kGutter) / 2;
    const double cellHeight = (bottom - top - kGutter) / 2;
    for (size_t i = 0; i < blocks.size(); ++i) {
      const double x = left + static_cast<double>(i % 2) * (cellWidth + kGutter);
      const double y = top + static_cast<double>(i / 2) * (cellHeight + kGutter);
      PaintBlock(painter, blocks[i], QRectF(x, y, cellWidth, cellHeight), true);
    }
  }
  painter.restore();
}

void PrintPagePainter::PaintBlock(QPainter& painter, const PrintBlock& block, const QRectF& cell, bool compact) {
  const double rows = static_cast<double>(block.lines.size());
  double pictureHeight = 0;
  double rowHeight = kRowHeightOne;
  if (compact) {
    pictureHeight = cell.height() * kPictureShareFour;
    rowHeight = (cell.height() - pictureHeight - kPictureGap) / std::max(rows, 1.0);
  } else {
    pictureHeight = std::min(cell.width() / kPictureAspect, cell.height() - kPictureGap - rows * rowHeight);
  }
  PaintPicture(painter, block.frame, QRectF(cell.left(), cell.top(), cell.width(), pictureHeight));

  const TableFit fit = FitTable(block, cell.width(), rowHeight * kFontOfRow);
  const double fontSize = fit.fontSize;
  const QFont plain = FontOf(fontSize);
  const QFont bold = FontOf(fontSize, true);
  const double labelWidth = fit.labelWidth;
  double y = cell.top() + pictureHeight + kPictureGap;
  const double tableTop = y;
  for (const PrintLine& line : block.lines) {
    const QRectF row(cell.left(), y, cell.width(), rowHeight);
    const bool heading = line.Heading();
    painter.setPen(Qt::NoPen);
    painter.setBrush(heading ? kHeadingFill : kLabelFill);
    painter.drawRect(heading ? row : QRectF(row.left(), row.top(), labelWidth, rowHeight));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(kInk);
    const double indent = line.subRow ? kSubRowIndent : 0;
    painter.setFont(line.subRow ? plain : bold);
    // A heading's fill spans the row, and so may its text.
    const double labelRoom = heading ? row.width() - 2 * kCellInset : labelWidth - kCellInset - indent;
    const QRectF labelBox(row.left() + kCellInset + indent, row.top(), labelRoom, rowHeight);
    painter.drawText(
        labelBox, Qt::AlignLeft | Qt::AlignVCenter,
        painter.fontMetrics().elidedText(Text(line.label), Qt::ElideRight, static_cast<int>(labelBox.width())));
    painter.setFont(plain);
    const QRectF valueBox(row.left() + labelWidth + kCellInset, row.top(), row.width() - labelWidth - 2 * kCellInset,
                          rowHeight);
    if (line.lamps) {
      PaintLamps(painter, block, valueBox, fontSize);
    } else {
      painter.drawText(
          valueBox, Qt::AlignLeft | Qt::AlignVCenter,
          painter.fontMetrics().elidedText(Text(line.value), Qt::ElideMiddle, static_cast<int>(valueBox.width())));
    }
    painter.setPen(QPen(kRule, 0.6));
    painter.drawLine(row.bottomLeft(), row.bottomRight());
    y += rowHeight;
  }
  painter.setPen(QPen(kRule, 1));
  painter.drawRect(QRectF(cell.left(), tableTop, cell.width(), y - tableTop));
  painter.drawLine(QPointF(cell.left() + labelWidth, tableTop), QPointF(cell.left() + labelWidth, y));
  painter.setPen(kInk);
}

void PrintPagePainter::PaintPicture(QPainter& painter, int frame, const QRectF& box) {
  const QImage& picture = Picture(frame);
  const double aspect =
      picture.isNull() ? kPictureAspect : static_cast<double>(picture.width()) / std::max(picture.height(), 1);
  const QRectF place = Fit(box, aspect);
  if (picture.isNull()) {
    painter.fillRect(place, kNoPictureFill);
  } else {
    painter.drawImage(place, picture);
  }
  painter.setPen(QPen(kInk, 1));
  painter.drawRect(place);
}

const QImage& PrintPagePainter::Picture(int frame) {
  const auto found = pictures_.find(frame);
  if (found != pictures_.end()) return found->second;
  return pictures_.emplace(frame, DecodeFrame(document_.Recording(), frame)).first->second;
}

void PrintPagePainter::KeepPicturesOf(const std::vector<int>& frames) {
  std::erase_if(pictures_, [&frames](const auto& held) {
    return std::find(frames.begin(), frames.end(), held.first) == frames.end();
  });
}

bool PrintPagePainter::PaintAll(QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect target(0, 0, device.width(), device.height());
  try {
    for (int page = 1; page <= document_.PageCount(); ++page) {
      if (page > 1 && !device.newPage()) {
        painter.end();
        return false;
      }
      Paint(painter, target, page);
    }
  } catch (const std::bad_alloc&) {
    // A print that cannot get memory is a failed print, not a crash.
    pictures_.clear();
    painter.end();
    return false;
  }
  return painter.end();
}
