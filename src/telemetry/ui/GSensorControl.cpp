#include "telemetry/ui/GSensorControl.h"

#include <QPainter>
#include <algorithm>

#include "skin/ui/AppFonts.h"
#include "telemetry/GSensorGraphModel.h"
#include "telemetry/ui/GSensorGraph.h"
#include "telemetry/ui/GraphColours.h"

namespace {

constexpr int kTimeStripHeight = 18;
constexpr int kLabelGap = 4;
constexpr int kRightMargin = 8;
// Wide enough for the widest label of any scale.
constexpr const char* kWidestLabel = "-4.0";

}  // namespace

CGSensorControl::CGSensorControl(GSensorGraphModel& model, QWidget* parent)
    : QWidget(parent), model_(model), plot_(new CGSensorGraph(model, this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(AppFont(AppFontId::kSmall));
  PlacePlot();
}

void CGSensorControl::Repaint() {
  update();
  plot_->update();
}

void CGSensorControl::RepaintCursor() { plot_->UpdateCursorStrip(); }

int CGSensorControl::LabelColumnWidth() const {
  return fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestLabel)) + 2 * kLabelGap;
}

// The outer labels are centred on the top and bottom grid lines, so half a
// text line is kept free above the plot and between it and the times.
void CGSensorControl::PlacePlot() {
  const int left = LabelColumnWidth();
  const int halfLine = fontMetrics().height() / 2 + 1;
  const int plotWidth = std::max(width() - left - kRightMargin, 1);
  const int plotHeight = std::max(height() - 2 * halfLine - kTimeStripHeight, 1);
  const int top = halfLine;
  plot_->setGeometry(left, top, plotWidth, plotHeight);
}

void CGSensorControl::resizeEvent(QResizeEvent*) { PlacePlot(); }

void CGSensorControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), graph_colours::kControlBackground);
  painter.setFont(font());
  DrawValueLabels(painter);
  DrawTimes(painter);
}

void CGSensorControl::DrawValueLabels(QPainter& painter) const {
  const std::vector<std::string> labels = model_.ValueLabels();
  const std::vector<int> rows = plot_->GridRows();
  const int lineHeight = painter.fontMetrics().height();
  const int right = plot_->x() - kLabelGap;
  painter.setPen(graph_colours::kValueLabel);
  for (size_t i = 0; i < labels.size() && i < rows.size(); ++i) {
    const QRect box(0, plot_->y() + rows[i] - lineHeight / 2, right, lineHeight);
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(labels[i]));
  }
}

void CGSensorControl::DrawTimes(QPainter& painter) const {
  if (model_.PointCount() == 0) return;
  const QRect strip(plot_->x(), height() - kTimeStripHeight, plot_->width(), kTimeStripHeight);
  const QString start = QString::fromStdString(model_.StartTimeText());
  const QString end = QString::fromStdString(model_.EndTimeText());
  auto draw = [&](const QRect& box, const QColor& colour) {
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, start);
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, end);
  };
  draw(strip.translated(1, 1), graph_colours::kTimeShadow);
  draw(strip, graph_colours::kTimeText);
}
