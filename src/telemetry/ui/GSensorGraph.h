#pragma once
// The plot of a G-sensor graph control: grid, event marks, the three
// curves and the cursor, all painted from the graph model; mouse presses
// and drags over it choose points through the model.
#include <QWidget>
#include <vector>

#include "telemetry/GraphPoint.h"

class GSensorGraphModel;

class CGSensorGraph : public QWidget {
  Q_OBJECT

 public:
  CGSensorGraph(GSensorGraphModel& model, QWidget* parent);

  // Rows of the horizontal grid lines, from the maximum down; the control
  // puts its value labels beside them.
  std::vector<int> GridRows() const;
  // Repaints the strip of the cursor last drawn and of the current one.
  void UpdateCursorStrip();
  // Where the current point is drawn; -1 without one.
  int CursorX() const;
  // The column point index is plotted at.
  int XOfPoint(int index) const;
  // Pixels the plotted time span stretches over: the last point sits on the
  // last column.
  int SpanWidth() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void DrawGrid(QPainter& painter) const;
  void DrawEventMarks(QPainter& painter) const;
  void DrawTriggerMoments(QPainter& painter) const;
  void DrawHardPeaks(QPainter& painter) const;
  void DrawCurve(QPainter& painter, const QColor& colour, float (*value)(const GraphPoint&)) const;
  void DrawCursor(QPainter& painter);
  bool HasPoints() const;

  GSensorGraphModel& model_;
  int lastCursorX_ = -1;
};
