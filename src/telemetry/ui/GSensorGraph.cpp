#include "telemetry/ui/GSensorGraph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "skin/ui/AppFonts.h"
#include "telemetry/GSensorGraphModel.h"
#include "telemetry/ui/GraphColours.h"

namespace {

// Half the width of the strip repainted around a cursor column: the line
// and the heads at its ends.
constexpr int kCursorHead = 3;
constexpr int kCursorStripHalf = kCursorHead + 1;
// Event marks: how far the strokes reach into a stretch and how tall the
// end ticks are. Before-event stretches are bracketed along the top edge,
// after-event ones along the bottom, so where one ends and the next begins
// the two marks stay apart.
constexpr int kMarkStroke = 10;
constexpr int kMarkTick = 6;
constexpr int kMarkInset = 2;
// The trigger moment: a small flag at the top and its time beside it.
constexpr int kTriggerFlag = 4;
constexpr int kTriggerTextGap = 4;
constexpr int kTriggerTextTop = 8;

float CurveX(const GraphPoint& p) { return p.x; }
float CurveY(const GraphPoint& p) { return p.y; }
// Gravity taken off, so the Z curve sits around zero like the others.
float CurveZ(const GraphPoint& p) { return p.z - 1.0f; }

}  // namespace

CGSensorGraph::CGSensorGraph(GSensorGraphModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CGSensorGraph::HasPoints() const { return model_.PointCount() > 0; }

int CGSensorGraph::SpanWidth() const { return std::max(width() - 1, 1); }

int CGSensorGraph::XOfPoint(int index) const { return model_.XAtTime(model_.Point(index).time, SpanWidth()); }

// One column inside the plot at either end: on the edge itself the line
// would pass for the plot's border (at frame 0 it sits there).
int CGSensorGraph::CursorX() const {
  const int current = model_.CurrentIndex();
  if (current < 0 || current >= model_.PointCount()) return -1;
  return std::clamp(XOfPoint(current), 1, std::max(width() - 2, 1));
}

std::vector<int> CGSensorGraph::GridRows() const {
  const int lines = static_cast<int>(model_.ValueLabels().size());
  std::vector<int> rows;
  if (lines < 2) return rows;
  const float step = (model_.Maximum() - model_.Minimum()) / static_cast<float>(lines - 1);
  for (int i = 0; i < lines; ++i) rows.push_back(model_.YAtValue(model_.Maximum() - step * i, height()));
  return rows;
}

void CGSensorGraph::UpdateCursorStrip() {
  const int stripWidth = 2 * kCursorStripHalf + 1;
  if (lastCursorX_ >= 0) update(QRect(lastCursorX_ - kCursorStripHalf, 0, stripWidth, height()));
  const int x = CursorX();
  if (x >= 0 && x != lastCursorX_) update(QRect(x - kCursorStripHalf, 0, stripWidth, height()));
}

void CGSensorGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), graph_colours::kPlotBackground);
  DrawGrid(painter);
  if (!HasPoints()) {
    lastCursorX_ = -1;
    return;
  }
  DrawEventMarks(painter);
  DrawTriggerMoments(painter);
  DrawHardPeaks(painter);
  DrawCurve(painter, graph_colours::kCurveZ, CurveZ);
  DrawCurve(painter, graph_colours::kCurveY, CurveY);
  DrawCurve(painter, graph_colours::kCurveX, CurveX);
  DrawCursor(painter);
}

void CGSensorGraph::DrawGrid(QPainter& painter) const {
  painter.setPen(graph_colours::kGrid);
  for (int row : GridRows()) painter.drawLine(0, row, width() - 1, row);
  const int middle = width() / 2;
  painter.drawLine(middle, 0, middle, height() - 1);
}

void CGSensorGraph::DrawEventMarks(QPainter& painter) const {
  painter.setPen(graph_colours::kMark);
  for (const EventMarkStretch& stretch : model_.EventMarkStretches()) {
    const bool atBottom = stretch.kind == kPointKindAfterEvent;
    const int row = atBottom ? height() - 1 - kMarkInset : kMarkInset;
    const int tickEnd = atBottom ? row - kMarkTick : row + kMarkTick;
    const int left = XOfPoint(stretch.first);
    const int right = XOfPoint(stretch.last);
    painter.drawLine(left, row, std::min(left + kMarkStroke, right), row);
    painter.drawLine(std::max(right - kMarkStroke, left), row, right, row);
    painter.drawLine(left, row, left, tickEnd);
    painter.drawLine(right, row, right, tickEnd);
  }
}

void CGSensorGraph::DrawTriggerMoments(QPainter& painter) const {
  const bool withTime = model_.ShowsTriggerTime();
  painter.setFont(AppFont(AppFontId::kSmall));
  const QFontMetrics metrics(painter.font());
  for (int index : model_.TriggerMomentPoints()) {
    const int x = XOfPoint(index);
    painter.setPen(QPen(graph_colours::kMark, 1, Qt::DotLine));
    painter.drawLine(x, 0, x, height() - 1);
    painter.setPen(graph_colours::kMark);
    painter.setBrush(graph_colours::kMark);
    const QPoint flag[] = {{x - kTriggerFlag, 0}, {x + kTriggerFlag, 0}, {x, kTriggerFlag}};
    painter.drawPolygon(flag, 3);
    if (!withTime) continue;
    const QString text = QString::fromStdString(model_.PointTimeText(index));
    const int textWidth = metrics.horizontalAdvance(text);
    // Beside the mark, on the side where the text fits.
    const int textX = x + kTriggerTextGap + textWidth < width() ? x + kTriggerTextGap : x - kTriggerTextGap - textWidth;
    painter.drawText(textX, kTriggerTextTop + metrics.ascent(), text);
  }
  painter.setBrush(Qt::NoBrush);
}

// A dashed line through the peak with a flag at the foot, where the
// trigger flags at the top cannot hide it.
void CGSensorGraph::DrawHardPeaks(QPainter& painter) const {
  const int bottom = height() - 1;
  for (int index : model_.HardPeakPoints()) {
    const int x = XOfPoint(index);
    painter.setPen(QPen(graph_colours::kHardMark, 1, Qt::DashLine));
    painter.drawLine(x, 0, x, bottom);
    painter.setPen(graph_colours::kHardMark);
    painter.setBrush(graph_colours::kHardMark);
    const QPoint flag[] = {{x - kTriggerFlag, bottom}, {x + kTriggerFlag, bottom}, {x, bottom - kTriggerFlag}};
    painter.drawPolygon(flag, 3);
  }
  painter.setBrush(Qt::NoBrush);
}

void CGSensorGraph::DrawCurve(QPainter& painter, const QColor& colour, float (*value)(const GraphPoint&)) const {
  painter.setPen(QPen(colour, 1));
  const int count = model_.PointCount();
  const int spanWidth = SpanWidth();
  QPolygon run;
  auto flush = [&] {
    if (run.size() == 1) painter.drawPoint(run.front());
    if (run.size() > 1) painter.drawPolyline(run);
    run.clear();
  };
  for (int i = 0; i < count; ++i) {
    const GraphPoint& point = model_.Point(i);
    if (!model_.JoinsPrevious(i)) flush();
    run << QPoint(model_.XAtTime(point.time, spanWidth), model_.YAtValue(value(point), height()));
  }
  flush();
}

void CGSensorGraph::DrawCursor(QPainter& painter) {
  lastCursorX_ = CursorX();
  if (lastCursorX_ < 0) return;
  const int x = lastCursorX_;
  const int bottom = height() - 1;
  painter.setPen(graph_colours::kCursor);
  painter.drawLine(x, 0, x, bottom);
  painter.setBrush(graph_colours::kCursor);
  const QPoint top[] = {{x - kCursorHead, 0}, {x + kCursorHead, 0}, {x, kCursorHead}};
  const QPoint foot[] = {{x - kCursorHead, bottom}, {x + kCursorHead, bottom}, {x, bottom - kCursorHead}};
  painter.drawPolygon(top, 3);
  painter.drawPolygon(foot, 3);
  painter.setBrush(Qt::NoBrush);
}

void CGSensorGraph::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !HasPoints()) return;
  model_.OnPlotPress(event->position().toPoint().x(), SpanWidth());
}

void CGSensorGraph::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || !HasPoints()) return;
  model_.OnPlotDrag(event->position().toPoint().x(), SpanWidth());
}

void CGSensorGraph::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !HasPoints()) return;
  model_.OnPlotRelease(event->position().toPoint().x(), SpanWidth());
}
