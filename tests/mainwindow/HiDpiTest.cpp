// A chart picture on a screen of device pixel ratio 2 (this program sets QT_SCALE_FACTOR=2 before
// its Qt application starts):
// the chart is drawn with two image pixels to each screen pixel, as sharp as the drawing tabs,
// and the hover still finds the point under the mouse in screen pixels.
#include <QMouseEvent>

#include "WidgetSupport.h"
#include "charts/ChartHover.h"
#include "charts/ChartTestSupport.h"
#include "mainwindow/ChartPicture.h"
#include "mainwindow/ControlNames.h"

namespace {

namespace ctl = MainForm::ctl;

// Before main(), and so before the Qt application: every screen of this program has twice as
// many device pixels as screen pixels.
const bool kScaledScreen = qputenv("QT_SCALE_FACTOR", "2");

class HiDpiChartPicture : public charttest::SampleDatabaseFixture {
 protected:
  void SetUp() override {
    mwtest::QtApp();
    SampleDatabaseFixture::SetUp();
    Choose("101", "102", 1);
  }
};

TEST_F(HiDpiChartPicture, TheChartIsDrawnAtTheScreensDevicePixelRatio) {
  MainForm::ChartPicture picture(ctl::chrtPayload);
  picture.resize(400, 300);
  picture.show();
  ASSERT_EQ(picture.devicePixelRatioF(), 2) << "run with QT_SCALE_FACTOR=2";
  ASSERT_TRUE(mwtest::Await([&] { return !picture.ChartImage().isNull(); }));
  const QImage chart = picture.ChartImage();
  EXPECT_EQ(chart.devicePixelRatio(), 2);
  EXPECT_EQ(chart.size(), QSize(800, 600));
  EXPECT_EQ(chart.deviceIndependentSize(), QSizeF(400, 300));
  // The chart's lines are drawn in image pixels: a plane's red reaches image pixels that a
  // picture of 400 x 300 scaled up twice would not hold on their own (odd columns beside even).
  int red = 0;
  for (int y = 0; y < chart.height(); ++y)
    for (int x = 0; x < chart.width(); ++x) red += chart.pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_GT(red, 4 * 40);

  // A point of plane 1's curve, in screen pixels: moving there shows its pop-up.
  const ChartHover::Position at = ChartHover::PopupPosition(13, 1, 2);
  const QPointF pixel(at.x * 400 / 100.0, at.y * 400 / 100.0);
  QMouseEvent move(QEvent::MouseMove, pixel, picture.mapToGlobal(pixel), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&picture, &move);
  EXPECT_EQ(ChartHover::vars().PopupPoint[13], 2);
  EXPECT_EQ(ChartHover::vars().PopupSeries[13], 1);
  EXPECT_NE(picture.ShownImage(), chart);
  EXPECT_EQ(picture.ShownImage().devicePixelRatio(), 2);
  EXPECT_EQ(errors(), 0);
}

}  // namespace
