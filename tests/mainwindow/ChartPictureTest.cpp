// The chart picture host on the offscreen platform, with the sample database: mouse moves over
// a drawn chart show the pop-up of the point under the mouse and take it away again, without
// reading the database (it is moved away after the charts are drawn, so that any read would be
// reported); the "Assumptions" caption opens the chart's assumption box.
//
// With TOLVANE_HOVER_PNG set to a file name, ChartPictureScreenshot shows the payload chart of
// two jets in a window with a pop-up and grabs the screen there (run it under a real display,
// e.g. xvfb-run with QT_QPA_PLATFORM=xcb).
#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "WidgetSupport.h"
#include "charts/ChartHover.h"
#include "charts/ChartTestSupport.h"
#include "mainwindow/ChartPicture.h"
#include "mainwindow/ControlNames.h"
#include "platform/gdi/QtCanvas.h"
#include "platform/runtime/Files.h"
#include "support/Fixtures.h"

namespace {

namespace ctl = MainForm::ctl;

using MainForm::ChartPicture;

constexpr gdi::Rgb kRed = 0x0000FF, kBlue = 0xFF0000;

using mwtest::Await;
using mwtest::AwaitExposed;
using mwtest::PumpUntil;
using mwtest::Settle;

void MoveTo(QWidget& w, QPointF at) {
  QMouseEvent move(QEvent::MouseMove, at, w.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &move);
}

void Leave(QWidget& w) {
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&w, &leave);
}

gdi::Rgb Pixel(const QImage& image, int x, int y) {
  return gdi::FromQColor(QColor(image.pixel(x, y)));
}

// The charts' picture table (hover, builders, dispatcher) and the window name the same pictures,
// in the same order.
TEST(ChartPictureNames, TheChartTableNamesTheWindowsPictures) {
  const std::vector<std::string_view> window = {
      ctl::chrtBlockFuel,        ctl::chrtBlockTime, ctl::chrtBalancedFieldLength,
      ctl::chrtTakeoffElevation, ctl::chrtLanding,   ctl::chrtCruiseSpeed,
      ctl::chrtOperatingSpeed,   ctl::chrtPayload,   ctl::chrtCeilingCorp,
      ctl::chrtCeilingUtil,      ctl::chrtCeilingHV, ctl::chrtCeilingVNE,
      ctl::chrtWATCorp,          ctl::chrtWATUtil};
  std::vector<std::string_view> table;
  for (const ChartHover::PictureInfo& picture : ChartHover::Pictures())
    table.push_back(picture.name);
  EXPECT_EQ(table, window);
}

// Where the pop-up of a cached point belongs, in pixels of a picture `width` wide.
QPointF PixelOf(int chart, int s, int p, int width) {
  const ChartHover::Position at = ChartHover::PopupPosition(chart, s, p);
  return {at.x * width / 100.0, at.y * width / 100.0};
}

// The bounding box of the pixels in which two images of one size differ (empty when equal).
QRect Difference(const QImage& a, const QImage& b) {
  QRect box;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
  return box;
}

class ChartPictures : public charttest::ChartFixture {
 protected:
  std::filesystem::path db;

  void SetUp() override {
    mwtest::QtApp();
    ChartFixture::SetUp();
    std::string sql;
    ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
    db = dir / "ac.mdb";
    testsupport::BuildDatabase(db, sql);
    DBase::vars().DBPath = db.string();
    Registry::RegSettings().PlaneColor1 = static_cast<int32_t>(kRed);
    Registry::RegSettings().PlaneColor2 = static_cast<int32_t>(kBlue);
    CadFunctions::vars().ShowPlane1 = CadFunctions::vars().ShowPlane2 = true;
    Globals::vars().UserGeoLCIDNumber = 409;
  }
  void Choose(const char* ac1, const char* ac2, int aircraftClass) {
    Registry::RegSettings().Aircraft1 = ac1;
    Registry::RegSettings().Aircraft2 = ac2;
    Globals::vars().AircraftClass = static_cast<int16_t>(aircraftClass);
    for (int chart = 1; chart <= 16; ++chart) Chart::vars().ChartLabelsLoaded[chart] = false;
  }
  // From here on every database read fails and is reported.
  void MoveDatabaseAway() { std::filesystem::rename(db, dir / "moved.mdb"); }
};

TEST_F(ChartPictures, AMoveOverAPointShowsItsValueAndMovingAwayRestoresTheChart) {
  Choose("101", "102", 1);
  ChartPicture picture(ctl::chrtPayload);
  picture.resize(640, 480);
  picture.Rebuild(true);
  ASSERT_EQ(errors(), 0);
  const QImage chart = picture.ChartImage();
  ASSERT_EQ(chart.size(), QSize(640, 480));
  EXPECT_EQ(picture.ChartNumber(), 13);

  // Plane 1's curve: point 2 at 990 NM and 9.55 passengers.
  const Chart::ChartPoint point = Chart::vars().ChartSeriesCache.Point(13, 1, 2);
  ASSERT_FLOAT_EQ(point.X, 990);
  ASSERT_FLOAT_EQ(point.Y, 9.55f);
  const std::string text = General::FormatPopupValue(13, 1, 2);
  EXPECT_EQ(text, "990/9.55");
  const QPointF at = PixelOf(13, 1, 2, 640);
  MoveTo(picture, at + QPointF(1, -1));
  const QImage shown = picture.ShownImage();
  ASSERT_NE(shown, chart);
  EXPECT_EQ(ChartHover::vars().PopupSeries[13], 1);
  EXPECT_EQ(ChartHover::vars().PopupPoint[13], 2);

  // The box: centred over the point, a little above it, 1.05 times the text's extent, outlined
  // in black, filled pale yellow, the text in plane 1's red.
  const QRect box = Difference(chart, shown);
  gdi::PictureCanvas probe(1, 1);
  const gdi::Extent size = ChartHover::AssumptionBoxSize(probe, text);  // 1.05 x, legend font
  ChartHover::ReleaseGraphTarget(&probe);
  EXPECT_NEAR(box.width(), size.width, 2);
  EXPECT_NEAR(box.height(), size.height, 2);
  EXPECT_NEAR(box.center().x(), at.x(), 2);
  EXPECT_NEAR(at.y() - box.bottom(), 0.55 * size.height, 2);
  EXPECT_EQ(Pixel(shown, box.left(), box.top()), 0u);
  EXPECT_EQ(Pixel(shown, box.right(), box.bottom()), 0u);
  EXPECT_EQ(Pixel(shown, box.left() + 1, box.bottom() - 1), gdi::RGB(255, 255, 192));
  int red = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) {
      const QColor c(shown.pixel(x, y));
      red += c.red() > 200 && c.green() < 90 && c.blue() < 90;
    }
  EXPECT_GT(red, 10);
  EXPECT_EQ(picture.ChartImage(), chart);  // the chart itself is untouched

  // Near the same point nothing changes; nowhere near a point the chart is back exactly.
  MoveTo(picture, at + QPointF(-1, 1));
  EXPECT_EQ(picture.ShownImage(), shown);
  MoveTo(picture, QPointF(320, 470));
  EXPECT_EQ(ChartHover::vars().PopupPoint[13], 0);
  EXPECT_EQ(picture.ShownImage(), chart);
  // Leaving the picture takes the pop-up away too.
  MoveTo(picture, at);
  EXPECT_NE(picture.ShownImage(), chart);
  Leave(picture);
  EXPECT_EQ(picture.ShownImage(), chart);
  EXPECT_EQ(ChartHover::vars().PopupPoint[13], 0);
  EXPECT_EQ(errors(), 0);
}

TEST_F(ChartPictures, EveryChartOfAPairShowsItsValuesWithoutReadingTheDatabase) {
  struct Pair {
    const char* name;
    const char* ac1;
    const char* ac2;
    int aircraftClass;
    std::vector<int> charts;  // the charts with data for the pair
  };
  const Pair pairs[] = {
      {"jets", "101", "102", 1, {1, 2, 3, 8, 9, 12, 13, 14}},
      {"helicopters", "201", "202", 2, {1, 2, 4, 5, 6, 7, 10, 11, 13, 15, 16}},
  };
  Globals::vars().WATChart = 1;
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(pair.name);
    if (!std::filesystem::exists(db)) std::filesystem::rename(dir / "moved.mdb", db);
    Choose(pair.ac1, pair.ac2, pair.aircraftClass);
    std::vector<std::unique_ptr<ChartPicture>> pictures;
    for (const ChartHover::PictureInfo& info : ChartHover::Pictures()) {
      pictures.push_back(std::make_unique<ChartPicture>(std::string(info.name)));
      pictures.back()->resize(480, 360);
      pictures.back()->Rebuild(true);
    }
    ASSERT_EQ(errors(), 0);
    MoveDatabaseAway();

    std::vector<int> hovered;
    for (auto& picture : pictures) {
      const int chart = picture->ChartNumber();
      SCOPED_TRACE(picture->PictureName());
      const QImage drawn = picture->ChartImage();
      const Chart::SeriesCache& cache = Chart::vars().ChartSeriesCache;
      bool shown = false;
      for (int s = 1; s <= cache.SeriesCount(chart); ++s)
        for (int p = 1; p <= cache.PointCount(chart, s); ++p) {
          MoveTo(*picture, PixelOf(chart, s, p, 480));
          if (ChartHover::vars().PopupPoint[chart] == ChartHover::kAssumptionBox) continue;
          EXPECT_NE(ChartHover::vars().PopupPoint[chart], 0);
          shown = shown || picture->ShownImage() != drawn;
        }
      if (shown) hovered.push_back(chart);
      Leave(*picture);
      EXPECT_EQ(picture->ShownImage(), drawn);
      EXPECT_EQ(picture->ChartImage(), drawn);
    }
    std::sort(hovered.begin(), hovered.end());
    EXPECT_EQ(hovered, pair.charts);
    EXPECT_EQ(errors(), 0);
    // The moved database does bite: a chart read from it now is reported.
    pictures.front()->Rebuild(true);
    EXPECT_GT(errors(), 0);
    General::vars().ErrorCount = 0;
  }
}

TEST_F(ChartPictures, TheCaptionOpensTheAssumptionBoxWithTheChartsText) {
  Choose("101", "102", 1);
  QWidget frame;
  frame.resize(1000, 600);
  ChartPicture payload(ctl::chrtPayload, &frame);
  payload.setGeometry(300, 8, 640, 480);
  ChartPicture ceiling(ctl::chrtCeilingCorp, &frame);  // no assumptions for a fixed-wing pair
  ceiling.setGeometry(0, 8, 290, 300);
  payload.Rebuild(true);
  ceiling.Rebuild(true);
  MoveDatabaseAway();

  MoveTo(payload, QPointF(636, 4));
  EXPECT_EQ(ChartHover::vars().PopupPoint[13], ChartHover::kAssumptionBox);
  QWidget* box = payload.AssumptionBoxWidget();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisibleTo(&frame));
  EXPECT_EQ(box->parentWidget(), &frame);
  EXPECT_EQ(box->objectName(), "stcAssumption_chrtPayload");
  EXPECT_EQ(payload.AssumptionBoxText(),
            "Long range cruise.|NBAA IFR reserves: 200 NM alternate, 35 minutes hold.|Payload in "
            "passengers at 200 lbs each.|ISA, zero wind.");
  // Right-aligned with the picture, below its caption, every line inside it.
  EXPECT_EQ(box->geometry().right(), payload.geometry().right());
  EXPECT_EQ(box->y(), payload.y() + 32);
  gdi::PictureCanvas probe(1, 1);
  const gdi::Extent size = ChartHover::AssumptionBoxSize(probe, payload.AssumptionBoxText());
  ChartHover::ReleaseGraphTarget(&probe);
  EXPECT_EQ(box->size(), QSize(static_cast<int>(size.width), static_cast<int>(size.height)));
  EXPECT_GT(size.height, 4 * 14);  // four lines
  const QImage drawn = box->grab().toImage();
  EXPECT_EQ(Pixel(drawn, drawn.width() - 1, drawn.height() - 1), gdi::RGB(255, 255, 224));
  int dark = 0;
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x) dark += QColor(drawn.pixel(x, y)).lightness() < 100;
  EXPECT_GT(dark, 100);
  EXPECT_EQ(payload.ShownImage(), payload.ChartImage());  // the chart is not drawn on

  MoveTo(payload, QPointF(320, 470));
  EXPECT_FALSE(box->isVisibleTo(&frame));
  MoveTo(payload, QPointF(630, 5));
  EXPECT_TRUE(box->isVisibleTo(&frame));
  Leave(payload);
  EXPECT_FALSE(box->isVisibleTo(&frame));

  // A chart without a report group opens an empty box.
  MoveTo(ceiling, QPointF(286, 4));
  ASSERT_NE(ceiling.AssumptionBoxWidget(), nullptr);
  EXPECT_TRUE(ceiling.AssumptionBoxWidget()->isVisibleTo(&frame));
  EXPECT_EQ(ceiling.AssumptionBoxText(), "");
  EXPECT_EQ(errors(), 0);
}

TEST_F(ChartPictures, RepaintsCopyTheImageAndResizesDrawTheChartAgain) {
  Choose("101", "102", 1);
  ChartPicture picture(ctl::chrtBlockFuel);
  picture.resize(400, 300);
  picture.show();
  // Shown, it draws its chart at its size.
  EXPECT_TRUE(Await([&] { return picture.ChartImage().size() == QSize(400, 300); }));
  picture.Rebuild(true);
  EXPECT_EQ(picture.ChartImage().size(), QSize(400, 300));

  // A visible picture is drawn again at its new size once the resizes are over.
  picture.resize(500, 350);
  picture.resize(520, 360);
  EXPECT_TRUE(PumpUntil([&] { return picture.ChartImage().size() == QSize(520, 360); }));
  EXPECT_EQ(errors(), 0);

  // A repaint reads nothing and draws nothing: what it paints is the chart's image.
  MoveDatabaseAway();
  const QImage painted = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(painted, picture.ChartImage().convertToFormat(QImage::Format_RGB32));
  picture.repaint();
  EXPECT_EQ(errors(), 0);

  // A hidden picture waits: it is drawn when it is shown.
  picture.hide();
  std::filesystem::rename(dir / "moved.mdb", db);
  picture.resize(300, 200);
  Settle();
  EXPECT_EQ(picture.ChartImage().size(), QSize(520, 360));
  picture.show();
  EXPECT_TRUE(PumpUntil([&] { return picture.ChartImage().size() == QSize(300, 200); }));
  EXPECT_EQ(errors(), 0);
}

TEST_F(ChartPictures, ARebuildTakesThePopupAwayAndTheSamePointShowsItAgain) {
  Choose("101", "102", 1);
  ChartPicture picture(ctl::chrtPayload);
  picture.resize(640, 480);
  picture.Rebuild(true);
  const QPointF at = PixelOf(13, 1, 2, 640);
  MoveTo(picture, at);
  const QImage shown = picture.ShownImage();
  picture.Rebuild(false);
  EXPECT_EQ(picture.ShownImage(), picture.ChartImage());
  EXPECT_EQ(ChartHover::vars().PopupPoint[13], 0);
  MoveTo(picture, at);
  EXPECT_EQ(picture.ShownImage(), shown);
  EXPECT_EQ(errors(), 0);
}

TEST_F(ChartPictures, Screenshot) {
  const char* file = std::getenv("TOLVANE_HOVER_PNG");
  if (!file) GTEST_SKIP() << "TOLVANE_HOVER_PNG not set";
  Choose("101", "102", 1);
  QWidget window;
  window.setWindowTitle("Payload-range hover");
  window.resize(680, 520);
  ChartPicture picture(ctl::chrtPayload, &window);
  picture.setGeometry(20, 20, 640, 480);
  window.show();
  AwaitExposed(&window);
  picture.Rebuild(true);
  // Plane 2's curve where it falls through 8 passengers: one of the points added for the
  // hover.
  int series = 0, point = 0;
  const Chart::SeriesCache& cache = Chart::vars().ChartSeriesCache;
  for (int s = 1; s <= cache.SeriesCount(13) && !point; ++s)
    for (int p = 1; p <= cache.PointCount(13, s) && !point; ++p)
      if (cache.Series(13, s)->Color == kBlue && cache.Point(13, s, p).Y == 8)
        series = s, point = p;
  ASSERT_NE(point, 0);
  MoveTo(picture, PixelOf(13, series, point, 640));
  Await([&] { return picture.ShownImage() != picture.ChartImage(); });
  QPixmap shot;
  if (QGuiApplication::platformName() == "xcb")
    shot = QGuiApplication::primaryScreen()->grabWindow(
        0, window.frameGeometry().x(), window.frameGeometry().y(), window.frameGeometry().width(),
        window.frameGeometry().height());
  if (shot.isNull()) shot = window.grab();
  EXPECT_TRUE(shot.save(QString::fromUtf8(file), "PNG"));
  // The caption's box too, beside it.
  MoveTo(picture, QPointF(636, 4));
  Await([&] {
    return picture.AssumptionBoxWidget() && picture.AssumptionBoxWidget()->isVisible();
  });
  const std::string second =
      std::filesystem::path(file).replace_extension("").string() + "-assumptions.png";
  EXPECT_TRUE(window.grab().save(QString::fromStdString(second), "PNG"));
  EXPECT_EQ(errors(), 0);
}

}  // namespace
