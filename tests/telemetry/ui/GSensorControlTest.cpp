#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <algorithm>

#include "telemetry/GSensorGraphModel.h"
#include "telemetry/GraphTestPoints.h"
#include "telemetry/ui/GSensorControl.h"
#include "telemetry/ui/GSensorGraph.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kPlotBackground = qRgb(50, 50, 50);

// Answers the chosen-point messages the way the window does: the chosen
// point becomes the cursor, and repaints go on to the control.
struct SeekingView : RecordingGraphView {
  GSensorGraphModel* model = nullptr;
  GraphView* control = nullptr;

  void Repaint() override {
    RecordingGraphView::Repaint();
    if (control) control->Repaint();
  }
  void RepaintCursor() override {
    RecordingGraphView::RepaintCursor();
    if (control) control->RepaintCursor();
  }
  void PostPointChosen(int index) override {
    RecordingGraphView::PostPointChosen(index);
    model->SetCursor(index, true);
  }
};

class GSensorControlTest : public ::testing::Test {
 protected:
  GSensorControlTest() : control_(model_, nullptr) {
    view_.model = &model_;
    view_.control = &control_;
    model_.SetView(&view_);
    control_.resize(420, 220);
    // Shown off screen, so the control has laid out its plot.
    control_.setAttribute(Qt::WA_DontShowOnScreen);
    control_.show();
  }

  void Load(std::vector<GraphPoint> points) {
    for (GraphPoint& p : points) {
      // Off the grid lines, so a missing curve shows the background.
      p.x = 0.75f;
      p.y = -0.75f;
      p.z = 0.5f;  // drawn as z - 1
    }
    model_.LoadPoints(kViewModeEvent, std::move(points));
  }

  QImage Render() {
    QImage image(control_.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    control_.render(&image);
    return image;
  }

  // The colour of the control's picture at a point of the plot.
  QRgb PlotPixel(const QImage& image, int x, int y) const {
    const QPoint origin = control_.Plot()->geometry().topLeft();
    return image.pixel(origin + QPoint(x, y));
  }

  int RowOf(float value) const { return model_.YAtValue(value, control_.Plot()->height()); }

  void Mouse(QEvent::Type type, int plotX, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF at(plotX, control_.Plot()->height() / 2);
    QMouseEvent event(type, at, control_.Plot()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(control_.Plot(), &event);
  }

  GSensorGraphModel model_;
  SeekingView view_;
  CGSensorControl control_;
};

TEST_F(GSensorControlTest, CurvesSitOnTheirValueRowsInTheirColours) {
  Load(EvenPoints(11, 1000, 100));
  const QImage image = Render();
  const CGSensorGraph& plot = *control_.Plot();
  // Point 0 carries the cursor, one column inside the plot's edge.
  for (int i = 1; i < model_.PointCount(); ++i) {
    const int x = plot.XOfPoint(i);
    EXPECT_EQ(PlotPixel(image, x, RowOf(0.75f)), kRed) << i;
    EXPECT_EQ(PlotPixel(image, x, RowOf(-0.75f)), kGreen) << i;
    EXPECT_EQ(PlotPixel(image, x, RowOf(-0.5f)), kBlue) << i;
  }
  EXPECT_EQ(PlotPixel(image, plot.XOfPoint(0) + 1, RowOf(0.75f)), qRgb(255, 255, 255));
}

TEST_F(GSensorControlTest, GapsInTheRecordingLeaveGapsInTheCurves) {
  // 0 -> 1100 ms is joined, 1100 -> 2201 ms is not.
  Load(PointsAt({0, 1100, 2201}));
  const QImage image = Render();
  const CGSensorGraph& plot = *control_.Plot();
  const int row = RowOf(0.75f);
  const int joinedMiddle = (plot.XOfPoint(0) + plot.XOfPoint(1)) / 2;
  const int gapMiddle = (plot.XOfPoint(1) + plot.XOfPoint(2)) / 2 + 3;
  EXPECT_EQ(PlotPixel(image, joinedMiddle, row), kRed);
  EXPECT_EQ(PlotPixel(image, gapMiddle, row), kPlotBackground);
  EXPECT_EQ(PlotPixel(image, plot.XOfPoint(2), row), kRed);
}

TEST_F(GSensorControlTest, EventStretchesAndTheTriggerMomentAreMarked) {
  std::vector<GraphPoint> points = EvenPoints(40, 1000, 100);
  for (size_t i = 0; i < points.size(); ++i) points[i].kind = i < 20 ? kPointKindBeforeEvent : kPointKindAfterEvent;
  Load(std::move(points));
  model_.SetCursor(10, false);
  const QImage image = Render();
  const CGSensorGraph& plot = *control_.Plot();
  const QRgb mark = qRgb(200, 200, 200);
  const int bottom = plot.height() - 1;
  EXPECT_EQ(PlotPixel(image, plot.XOfPoint(0) + 3, 2), mark);            // before the event, along the top
  EXPECT_EQ(PlotPixel(image, plot.XOfPoint(39) - 3, bottom - 2), mark);  // after it, along the bottom
  EXPECT_EQ(PlotPixel(image, plot.XOfPoint(39) - 3, 2), kPlotBackground);
  EXPECT_EQ(PlotPixel(image, plot.XOfPoint(20), 1), mark);  // the trigger's flag
  // Its time is written beside it: the span is under a minute.
  int ink = 0;
  for (int y = 8; y < 30; ++y)
    for (int x = plot.XOfPoint(20) + 4; x < plot.width(); ++x) ink += qGray(PlotPixel(image, x, y)) > 150;
  EXPECT_GT(ink, 20);
}

TEST_F(GSensorControlTest, DragMovesTheCursorAndReleaseSendsThePoint) {
  Load(EvenPoints(11, 1000, 100));
  const CGSensorGraph& plot = *control_.Plot();
  // Just right of each point's column, inside its time interval.
  auto xOf = [&](int i) { return plot.XOfPoint(i) + 1; };

  Mouse(QEvent::MouseButtonPress, xOf(2), Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseMove, xOf(5), Qt::NoButton, Qt::LeftButton);
  Mouse(QEvent::MouseMove, xOf(5), Qt::NoButton, Qt::LeftButton);
  Mouse(QEvent::MouseMove, xOf(9), Qt::NoButton, Qt::NoButton);  // button no longer held
  Mouse(QEvent::MouseButtonRelease, xOf(8), Qt::LeftButton, Qt::NoButton);

  // The press only marks where the drag starts; the moves seek.
  EXPECT_EQ(view_.posted, (std::vector<int>{5}));
  EXPECT_EQ(view_.sent, (std::vector<int>{8}));
  EXPECT_EQ(model_.CurrentIndex(), 5);
  EXPECT_EQ(view_.cursorRepaints, 1);
  const QImage image = Render();
  EXPECT_EQ(PlotPixel(image, plot.XOfPoint(5), RowOf(0.25f)), qRgb(255, 255, 255));
  EXPECT_EQ(PlotPixel(image, plot.XOfPoint(2), RowOf(0.25f)), kPlotBackground);
}

TEST_F(GSensorControlTest, RightButtonChoosesNothing) {
  Load(EvenPoints(11, 1000, 100));
  Mouse(QEvent::MouseButtonPress, 100, Qt::RightButton, Qt::RightButton);
  Mouse(QEvent::MouseButtonRelease, 100, Qt::RightButton, Qt::NoButton);
  EXPECT_TRUE(view_.posted.empty());
  EXPECT_TRUE(view_.sent.empty());
}

TEST_F(GSensorControlTest, EmptyGraphPaintsOnlyTheFrameAndIgnoresTheMouse) {
  control_.RepaintCursor();
  control_.Repaint();
  Mouse(QEvent::MouseButtonPress, 50, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, 50, Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(view_.posted.empty());
  EXPECT_TRUE(view_.sent.empty());

  const QImage image = Render();
  EXPECT_EQ(image.pixel(0, 0), qRgb(150, 150, 150));
  EXPECT_EQ(PlotPixel(image, 10, 10), kPlotBackground);
  const QRect strip(0, image.height() - 18, image.width(), 18);
  for (int y = strip.top(); y <= strip.bottom(); ++y)
    for (int x = strip.left(); x <= strip.right(); ++x) ASSERT_NE(image.pixel(x, y), qRgb(255, 255, 0));
}

TEST_F(GSensorControlTest, TimesAreWrittenInYellowAlongTheBottom) {
  Load(EvenPoints(11, 1000, 100));
  const QImage image = Render();
  int yellow = 0;
  for (int y = image.height() - 18; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) yellow += image.pixel(x, y) == qRgb(255, 255, 0);
  EXPECT_GT(yellow, 20);
}

TEST_F(GSensorControlTest, ValueLabelsStandBesideTheirGridLines) {
  const CGSensorGraph& plot = *control_.Plot();
  const std::vector<int> rows = plot.GridRows();
  ASSERT_EQ(rows.size(), model_.ValueLabels().size());
  const QImage image = Render();
  auto inkAt = [&](int top, int bottom) {
    int ink = 0;
    for (int y = std::max(top, 0); y <= bottom && y < image.height(); ++y)
      for (int x = 0; x < plot.x(); ++x) ink += qGray(image.pixel(x, y)) < 100;
    return ink;
  };
  for (int row : rows) {
    EXPECT_EQ(PlotPixel(image, 3, row), qRgb(100, 100, 100)) << row;
    const int y = plot.y() + row;
    EXPECT_GT(inkAt(y - 3, y + 3), 0) << row;
  }
  // Between two labels the column is empty.
  const int gapY = plot.y() + (rows[0] + rows[1]) / 2;
  EXPECT_EQ(inkAt(gapY - 1, gapY + 1), 0);
}

}  // namespace
