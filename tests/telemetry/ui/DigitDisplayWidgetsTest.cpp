#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <map>

#include "telemetry/DigitDisplays.h"
#include "telemetry/ui/DigitDisplayWidgets.h"
#include "telemetry/ui/SolidStrips.h"

namespace {

class DigitDisplayWidgetsTest : public ::testing::Test {
 protected:
  DigitDisplayWidgetsTest()
      : widgets_(
            model_, [this] { return source_; }, &panel_) {
    panel_.resize(600, 200);
    widgets_.SetStrips(SolidStrips());
  }

  static QImage Render(QWidget& widget, QSize size) {
    widget.resize(size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
  }

  // The cell's colour where a cell of strip drawn at x would be, mid-height.
  static bool ShowsCell(const QImage& image, int x, DigitStrip strip, int cell, int y = 8) {
    return image.pixel(x + 2, y) == SolidCellColour(strip, cell).rgb();
  }

  QWidget panel_;
  DigitDisplays model_;
  SpeedSource source_;
  CDigitDisplayWidgets widgets_;
};

TEST_F(DigitDisplayWidgetsTest, NegativeGValueShowsTheMinusCell) {
  model_.SetGValue(1, -0.4f);
  const QImage image = Render(*widgets_.GValue(1), {64, 17});
  EXPECT_TRUE(ShowsCell(image, 2, DigitStrip::kGDigit, kDashCell));
  EXPECT_TRUE(ShowsCell(image, 16, DigitStrip::kGDigit, 0));
  EXPECT_TRUE(ShowsCell(image, 30, DigitStrip::kGPoint, 0));
  EXPECT_TRUE(ShowsCell(image, 36, DigitStrip::kGDigit, 4));
  EXPECT_TRUE(ShowsCell(image, 50, DigitStrip::kGDigit, 0));
}

TEST_F(DigitDisplayWidgetsTest, NoGValueShowsDashesOnTheReadoutBackground) {
  model_.SetGValue(2, kNoGValue);
  const QImage image = Render(*widgets_.GValue(2), {64, 17});
  EXPECT_EQ(image.pixel(4, 8), qRgb(60, 60, 60));  // no minus
  for (int x : {16, 36, 50}) EXPECT_TRUE(ShowsCell(image, x, DigitStrip::kGDigit, kDashCell)) << x;
}

TEST_F(DigitDisplayWidgetsTest, CarSignalNineLightsLeftCellZeroAndRightCellThree) {
  model_.SetCarSignal(9);
  const QImage image = Render(*widgets_.CarSignal(), {100, 20});
  // Lamps 40 wide: the left one from 0, the right one from 60.
  EXPECT_TRUE(ShowsCell(image, 18, DigitStrip::kLeftLamp, 0, 10));
  EXPECT_TRUE(ShowsCell(image, 78, DigitStrip::kRightLamp, 3, 10));
  EXPECT_EQ(image.pixel(50, 10), qRgb(40, 42, 46));
  widgets_.CarSignal()->SetBackground(QColor(1, 2, 3));
  EXPECT_EQ(Render(*widgets_.CarSignal(), {100, 20}).pixel(50, 10), qRgb(1, 2, 3));
}

TEST_F(DigitDisplayWidgetsTest, DateTimeDigitsStandOnTheBottom) {
  model_.SetDateTime(DateTime{2024, 6, 5, 14, 9, 30, 7, 0});
  const QImage image = Render(*widgets_.DateTime(), {230, 20});
  EXPECT_EQ(image.pixel(6, 6), qRgb(23, 60, 141));  // above the small digits
  EXPECT_TRUE(ShowsCell(image, 5, DigitStrip::kDateSmall, 2, 19));
  EXPECT_TRUE(ShowsCell(image, 15, DigitStrip::kDateSmall, 0, 10));
  EXPECT_TRUE(ShowsCell(image, 104, DigitStrip::kWeekday, 5, 10));
  EXPECT_TRUE(ShowsCell(image, 136, DigitStrip::kDateLarge, 0, 6));
  EXPECT_TRUE(ShowsCell(image, 149, DigitStrip::kDateLarge, 9, 6));
  EXPECT_TRUE(ShowsCell(image, 214, DigitStrip::kDateSmall, 7, 19));
}

TEST_F(DigitDisplayWidgetsTest, SpeedFollowsTheSourceAskedAtPaint) {
  model_.SetHasData(true);
  model_.SetSpeed(42, 1, 105);
  QImage image = Render(*widgets_.Speed(), {62, 27});
  for (auto [x, digit] : {std::pair{2, 1}, {22, 0}, {42, 5}})
    EXPECT_TRUE(ShowsCell(image, x, DigitStrip::kSpeedDigit, digit)) << x;

  source_ = SpeedSource{9, kDisplaySpeedPulse};
  image = Render(*widgets_.Speed(), {62, 27});
  EXPECT_EQ(image.pixel(4, 8), qRgb(60, 60, 60));
  EXPECT_TRUE(ShowsCell(image, 22, DigitStrip::kSpeedDigit, 4));
  EXPECT_TRUE(ShowsCell(image, 42, DigitStrip::kSpeedDigit, 2));
}

TEST_F(DigitDisplayWidgetsTest, PositionBorrowsTheGDigitsAndPoint) {
  const GpsBlock gps{.valid = 1,
                     .latHemi = 'S',
                     .latDeg = 48,
                     .latMin = 7,
                     .latSec = 12.5f,
                     .lonHemi = 'E',
                     .lonDeg = 11,
                     .lonMin = 31,
                     .lonSec = 3.25f};
  model_.SetPosition(gps);
  const QImage image = Render(*widgets_.Gps(), {170, 42});
  EXPECT_TRUE(ShowsCell(image, 15, DigitStrip::kGDigit, 4, 10));
  EXPECT_TRUE(ShowsCell(image, 29, DigitStrip::kGDigit, 8, 10));
  EXPECT_TRUE(ShowsCell(image, 111, DigitStrip::kGPoint, 0, 10));
  EXPECT_TRUE(ShowsCell(image, 154, DigitStrip::kHemisphere, kHemisphereSouthCell, 10));
  EXPECT_TRUE(ShowsCell(image, 0, DigitStrip::kGDigit, 0, 30));
  EXPECT_TRUE(ShowsCell(image, 28, DigitStrip::kGDigit, 1, 30));
}

TEST_F(DigitDisplayWidgetsTest, SpeedCaptionShowsTheSourceVariant) {
  QImage image(200, 40, QImage::Format_RGB32);
  image.fill(Qt::black);
  const DigitStrips strips = SolidStrips();
  {
    QPainter painter(&image);
    SpeedReadout pulse;
    pulse.captionCell = kSpeedCaptionPulseCell;
    SpeedReadout gps;
    gps.captionCell = kSpeedCaptionGpsCell;
    DrawSpeedCaption(painter, strips, pulse, {0, 0}, {50, 0});
    DrawSpeedCaption(painter, strips, gps, {100, 20}, {150, 20});
  }
  EXPECT_TRUE(ShowsCell(image, 0, DigitStrip::kSpeedCaption, kSpeedCaptionPulseCell, 5));
  EXPECT_TRUE(ShowsCell(image, 50, DigitStrip::kSpeedIndicator, kSpeedCaptionPulseCell, 5));
  EXPECT_TRUE(ShowsCell(image, 100, DigitStrip::kSpeedCaption, kSpeedCaptionGpsCell, 25));
  EXPECT_TRUE(ShowsCell(image, 150, DigitStrip::kSpeedIndicator, kSpeedCaptionGpsCell, 25));
}

// Counts the paint events of the watched widgets.
class PaintCounter : public QObject {
 public:
  std::map<QObject*, int> paints;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints[watched];
    return false;
  }
};

TEST_F(DigitDisplayWidgetsTest, StartWithoutSizeAndRepaintOnlyTheNamedDisplay) {
  std::vector<QWidget*> all = {widgets_.DateTime(), widgets_.Speed(), widgets_.GValue(0),  widgets_.GValue(1),
                               widgets_.GValue(2),  widgets_.Gps(),   widgets_.CarSignal()};
  EXPECT_EQ(widgets_.GValue(3), nullptr);
  PaintCounter counter;
  for (size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i]->parentWidget(), &panel_);
    EXPECT_TRUE(all[i]->size().isEmpty()) << i;
    all[i]->setGeometry(static_cast<int>(i) * 80, 0, 70, 30);
    all[i]->installEventFilter(&counter);
  }
  panel_.show();
  QApplication::processEvents();
  counter.paints.clear();

  model_.SetView(&widgets_);
  model_.SetGValue(1, 0.5f);
  model_.SetCarSignal(4);
  QApplication::processEvents();
  EXPECT_EQ(counter.paints[widgets_.GValue(1)], 1);
  EXPECT_EQ(counter.paints[widgets_.CarSignal()], 1);
  EXPECT_EQ(counter.paints.size(), 2u);
}

}  // namespace
