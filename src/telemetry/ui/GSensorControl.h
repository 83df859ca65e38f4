#pragma once
// A G-sensor graph control: the frame around the plot with the value
// labels at the left and the start and end times along the bottom. The same
// control serves the G-sensor window's graph and the log graph of the pane
// container; the model's view repaints it through GraphView.
#include <QWidget>

#include "telemetry/TelemetryViews.h"

class CGSensorGraph;
class GSensorGraphModel;

class CGSensorControl : public QWidget, public GraphView {
  Q_OBJECT

 public:
  CGSensorControl(GSensorGraphModel& model, QWidget* parent);

  CGSensorGraph* Plot() const { return plot_; }

  void Repaint() override;
  void RepaintCursor() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlacePlot();
  void DrawValueLabels(QPainter& painter) const;
  void DrawTimes(QPainter& painter) const;
  int LabelColumnWidth() const;

  GSensorGraphModel& model_;
  CGSensorGraph* plot_;
};
