// Charts on real surfaces: a 96-dpi picture and a 600-dpi PDF page.
#include <QPdfWriter>
#include <cstdlib>

#include "ChartTestSupport.h"
#include "SampleChart.h"
#include "platform/gdi/GuiApp.h"
#include "platform/gdi/QtCanvas.h"
#include "support/Pixels.h"

namespace {

using charttest::ChartFixture;

class ChartRender : public ChartFixture {
 protected:
  Chart::Vars& v = Chart::vars();

  // Whether a pixel of that colour lies within `radius` of the device point.
  static bool ColourNear(const QImage& img, double x, double y, gdi::Rgb colour, int radius) {
    for (int dy = -radius; dy <= radius; ++dy)
      for (int dx = -radius; dx <= radius; ++dx) {
        const int px = static_cast<int>(std::lround(x)) + dx,
                  py = static_cast<int>(std::lround(y)) + dy;
        if (px < 0 || py < 0 || px >= img.width() || py >= img.height()) continue;
        if (gdi::FromQColor(QColor(img.pixel(px, py))) == colour) return true;
      }
    return false;
  }
  static int Count(const QImage& img, gdi::Rgb colour) {
    return testsupport::CountColour(img, colour);
  }

  struct Layout {
    double left, right, top, bottom, plotX1, plotY1, chartHeight;
  };
  // The layout in inches on a page 8.5 in wide.
  Layout Inches() const {
    const double k = 8.5 / 100;
    return {v.LeftBorder * k, v.RightBorder * k, v.TopBorder * k,  v.BottomBorder * k,
            v.PlotX1 * k,     v.PlotY1 * k,      v.ChartHeight * k};
  }
};

TEST_F(ChartRender, APictureShowsTheSeriesWhereTheAxesPutThem) {
  gdi::PictureCanvas picture(600, 450);
  charttest::DrawSampleChart(picture);
  const QImage& img = picture.image();
  EXPECT_EQ(errors(), 0);
  EXPECT_EQ(picture.pixel(0, 0), 0xFFFFFFu);  // no stray dot at the origin
  const double scale = Graph::vars().GraphScale / 100;
  for (double range : {600.0, 1400.0, 2200.0}) {
    const double fuel = charttest::SampleFuel(1, false, range);
    EXPECT_TRUE(ColourNear(img, Chart::ChartX(range) * scale, Chart::ChartY(fuel) * scale,
                           charttest::kPlane1, 2))
        << range;
  }
  EXPECT_GT(Count(img, charttest::kPlane2), 100);
  EXPECT_GT(Count(img, 0xC0C0C0), 500);  // the grid
  // The plot's corners carry grid lines: left axis and top edge.
  EXPECT_TRUE(ColourNear(img, Chart::ChartX(0) * scale, Chart::ChartY(10000) * scale, 0xC0C0C0, 1));
  EXPECT_TRUE(
      ColourNear(img, Chart::ChartX(1500) * scale, Chart::ChartY(v.YMax) * scale, 0xC0C0C0, 1));
}

TEST_F(ChartRender, ScreenAndPrinterShareTheLayoutInInches) {
  gdi::PictureCanvas picture(816, 1056);  // a Letter page at 96 dpi
  charttest::DrawSampleChart(picture, 25, 10, 10, 80, 40);
  const Layout screen = Inches();

  testsupport::TempDir dir;
  const std::string pdf = (dir / "chart.pdf").string();
  {
    QPdfWriter writer(QString::fromStdString(pdf));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    gdi::PrinterCanvas printer(writer);
    charttest::DrawSampleChart(printer, 25, 10, 10, 80, 40);
    printer.finish();
  }
  const Layout paper = Inches();
  EXPECT_NEAR(paper.left, screen.left, 0.06);
  EXPECT_NEAR(paper.right, screen.right, 0.06);
  EXPECT_NEAR(paper.top, screen.top, 0.04);
  EXPECT_NEAR(paper.bottom, screen.bottom, 0.04);
  EXPECT_NEAR(paper.plotX1, screen.plotX1, 0.06);
  EXPECT_NEAR(paper.plotY1, screen.plotY1, 0.06);
  EXPECT_DOUBLE_EQ(paper.chartHeight, screen.chartHeight);
  EXPECT_EQ(errors(), 0) << testsupport::ReadText(ChartFixture::dir / "ERROR.LOG");

  // The page opens in a PDF reader and shows the chart in its place.
  if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0) GTEST_SKIP() << "no pdftoppm";
  const std::string png = (dir / "page").string();
  ASSERT_EQ(std::system(("pdftoppm -r 50 -png -singlefile '" + pdf + "' '" + png + "'").c_str()),
            0);
  QImage page(QString::fromStdString(png + ".png"));
  ASSERT_FALSE(page.isNull());
  EXPECT_NEAR(page.width(), 425, 2);
  EXPECT_NEAR(page.height(), 550, 2);
  // At 50 dpi a layer unit is 4.25 px. Plane 1's curve, and nothing but paper outside the chart.
  const double k = 4.25;
  bool reddish = false;
  for (double range : {600.0, 1400.0, 2200.0}) {
    const double x = Chart::ChartX(range) * k,
                 y = Chart::ChartY(charttest::SampleFuel(1, false, range)) * k;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) {
        QColor c(page.pixel(static_cast<int>(x) + dx, static_cast<int>(y) + dy));
        reddish = reddish || (c.red() > 150 && c.green() < 120 && c.blue() < 120);
      }
  }
  EXPECT_TRUE(reddish);
  int inkOutside = 0;
  for (int y = static_cast<int>((v.ChartTop + v.ChartHeight + 1) * k); y < page.height(); y += 3)
    for (int x = 0; x < page.width(); x += 3)
      inkOutside += QColor(page.pixel(x, y)).lightness() < 200;
  EXPECT_EQ(inkOutside, 0);
}

}  // namespace
