#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "platform/dxf/DxfTestSupport.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/dxfcontrol/DrawingWidget.h"
#include "platform/dxfcontrol/DxfControlTestSupport.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Trap.h"
#include "support/TestSupport.h"

namespace {

using dxftest::File;
using dxftest::Groups;

TEST(DxfRender, RenderToPicturePageMode) {
  dxfcontroltest::EnsureGuiApp();
  dxf::DrawingControl cad;
  cad.LoadDrawingText(
      File(Groups({{0, "LINE"}, {62, "5"}, {10, "0"}, {20, "0"}, {11, "8.5"}, {21, "11"}})));
  cad.PlotMode = 0;
  cad.PlotScale = 1;
  QImage pic(85, 110, QImage::Format_RGB32);
  pic.fill(Qt::black);
  cad.RenderToPicture(pic);
  auto blue = [&](int x, int y) {
    QColor c = pic.pixelColor(x, y);
    return c.blue() > 100 && c.red() < 160;
  };
  EXPECT_TRUE(blue(1, 108)) << "bottom-left corner";
  EXPECT_TRUE(blue(83, 1)) << "top-right corner";
  EXPECT_TRUE(blue(42, 55)) << "middle";
  EXPECT_EQ(pic.pixelColor(80, 100), QColor(Qt::white));  // white background
  // Mode 4, landscape: the window turns a quarter; the same line now runs from the bottom-
  // right towards the top-left of a wide picture.
  cad.PlotMode = 4;
  cad.PlotLandscape = 1;
  cad.SetSize(85, 110);
  cad.ZoomToWindow(0, 0, 8.5, 11);
  QImage wide(110, 85, QImage::Format_RGB32);
  cad.RenderToPicture(wide);
  QColor c = wide.pixelColor(55, 42);
  EXPECT_GT(c.blue(), 100);
  EXPECT_GT(wide.pixelColor(2, 2).blue(), 100);
  EXPECT_EQ(wide.pixelColor(100, 5), QColor(Qt::white));
}

TEST(DxfRender, FarOffGeometryStillDrawsItsVisiblePart) {
  dxfcontroltest::EnsureGuiApp();
  dxf::DrawingControl cad;
  // A line and a solid reaching a billion inches away, seen through a 10-inch window.
  cad.LoadDrawingText(
      File(Groups({{0, "LINE"}, {62, "5"}, {10, "-1e9"}, {20, "5"}, {11, "1e9"}, {21, "5"}}) +
           Groups({{0, "SOLID"},
                   {62, "1"},
                   {10, "-1e9"},
                   {20, "-1e9"},
                   {11, "1e9"},
                   {21, "-1e9"},
                   {12, "-1e9"},
                   {22, "2"},
                   {13, "1e9"},
                   {23, "2"}})));
  cad.SetSize(100, 100);
  cad.ZoomToWindow(0, 0, 10, 10);
  QImage pic(100, 100, QImage::Format_RGB32);
  QPainter p(&pic);
  cad.PaintView(p, 100, 100);
  p.end();
  EXPECT_GT(pic.pixelColor(50, 50).blue(), 150);  // the line at y = 5
  EXPECT_GT(pic.pixelColor(50, 95).red(), 150);   // the solid below y = 2
  EXPECT_EQ(pic.pixelColor(50, 20), QColor(Qt::white));
}

TEST(DxfWidget, MouseEventsInDrawingUnitsAndWheelForwarded) {
  dxfcontroltest::EnsureGuiApp();
  dxf::DrawingWidget w;
  w.resize(200, 100);
  w.show();
  QApplication::processEvents();
  ASSERT_EQ(w.Width(), 200);
  w.ZoomToWindow(0, 0, 20, 10);
  double gotX = -1, gotY = -1;
  int gotButton = 0, gotShift = 0, ups = 0, wheel = 0;
  w.MouseDown = [&](int b, int s, double& x, double& y) {
    gotButton = b, gotShift = s, gotX = x, gotY = y;
  };
  w.MouseUp = [&](int, int, double&, double&) { ++ups; };
  w.MouseWheel = [&](int n) { wheel += n; };
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 25), QPointF(50, 25), Qt::RightButton,
                    Qt::RightButton, Qt::ShiftModifier);
  QApplication::sendEvent(&w, &press);
  EXPECT_DOUBLE_EQ(gotX, 5);
  EXPECT_DOUBLE_EQ(gotY, 7.5);
  EXPECT_EQ(gotButton, 2);
  EXPECT_EQ(gotShift, 1);
  // A release with no press on this view still reaches the handler.
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&w, &release);
  EXPECT_EQ(ups, 1);
  dxf::Window before = w.View().Displayed();
  QWheelEvent wheelEvent(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 240), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &wheelEvent);
  EXPECT_EQ(wheel, 2);
  EXPECT_EQ(w.View().Displayed(), before);  // the control itself neither zooms nor pans
  w.SetPickMode(2);
  EXPECT_EQ(w.cursor().shape(), Qt::CrossCursor);
  w.DrawRubberBox(1, 1, 5, 5);
  EXPECT_EQ(w.RubberKind(), dxf::DrawingControl::Rubber::Box);
  w.SetPickMode(0);
  EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(w.RubberKind(), dxf::DrawingControl::Rubber::None);
}

TEST(DxfWidget, BitmapReloadsAtTheWidgetSize) {
  dxfcontroltest::EnsureGuiApp();
  testsupport::TempDir dir;
  dxf::DrawingWidget w(nullptr, dir.path());
  w.resize(160, 90);
  w.show();
  QApplication::processEvents();
  w.LoadDrawingText(File(Groups({{0, "CIRCLE"}, {62, "1"}, {10, "5"}, {20, "5"}, {40, "4"}})));
  w.ZoomToWindow(0, 0, 10, 10);
  w.SaveBitmap("view.bmp");
  QImage back(QString::fromStdString((dir / "view.bmp").string()), "BMP");
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(back.width(), 160);
  EXPECT_EQ(back.height(), 90);
  EXPECT_EQ(back.pixelColor(80, 45), QColor(Qt::white));
  EXPECT_GT(back.pixelColor(80, 5).red(), 200);  // the circle's top, near the top edge
  std::string header = testsupport::ReadText(dir / "view.bmp").substr(0, 30);
  ASSERT_EQ(header.size(), 30u);
  EXPECT_EQ(header.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(header[28]), 24);  // 24 bits per pixel
  long err = 0;
  try {
    w.SaveBitmap((dir / "no such folder" / "x.bmp").string());
  } catch (const vb::Error& e) {
    err = e.number;
  }
  EXPECT_EQ(err, vb::err::PathFileAccess);
}

class RecordingHandler : public vb::TrapHandler {
 public:
  bool HandlingOn() override { return true; }
  void TraceEntry(std::string_view, std::string_view) override {}
  void HandleError(std::string_view, std::string_view, const vb::Error& e) override {
    errors.push_back(e);
  }
  std::vector<vb::Error> errors;
};

TEST(DxfRender, ADrawingTooBigToDrawInFullIsSaidOncePerDrawing) {
  dxfcontroltest::EnsureGuiApp();
  // A block holding an array of 6 copies of itself asks for 6^16 copies.
  const std::string file =
      File(Groups({{0, "INSERT"}, {2, "SEAT"}}), "",
           Groups({{0, "BLOCK"}, {2, "SEAT"}, {10, "0"}, {20, "0"}}) +
               Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}) +
               Groups({{0, "INSERT"}, {2, "SEAT"}, {10, "1"}, {20, "1"}, {70, "3"}, {71, "2"}}) +
               Groups({{0, "ENDBLK"}}));
  RecordingHandler handler;
  vb::SetTrapHandler(&handler);
  dxf::DrawingControl cad;
  cad.SetSize(100, 100);
  cad.LoadDrawingText(file);
  cad.ZoomToWindow(0, 0, 10, 10);
  QImage pic(100, 100, QImage::Format_RGB32);
  auto paint = [&] {
    QPainter p(&pic);
    cad.PaintView(p, 100, 100);
  };
  paint();
  paint();
  ASSERT_EQ(handler.errors.size(), 1u);
  EXPECT_NE(handler.errors[0].description.find("too big to draw in full"), std::string::npos);
  EXPECT_LT(pic.pixelColor(5, 94).red(), 100) << "what could be drawn is drawn";
  cad.LoadDrawingText(file);  // a new drawing is reported again
  paint();
  vb::SetTrapHandler(nullptr);
  EXPECT_EQ(handler.errors.size(), 2u);
}

}  // namespace

namespace {

// A drawing of a few thousand entities of every drawn kind, crossing each other: long slanted
// lines across the whole picture, circles, arcs, bulged polylines, texts large and small, solids
// and arrays of a block.
std::string MixedDrawing() {
  std::string body;
  auto num = [](double v) { return std::to_string(v); };
  for (int i = 0; i < 3000; ++i) {
    const double x = (i % 60) * 1.7, y = (i / 60) * 1.3;
    const std::string colour = std::to_string(1 + i % 7);
    switch (i % 7) {
      case 0:
        body += Groups({{0, "LINE"}, {62, colour}, {10, num(x)}, {20, num(y)},
                        {11, num(100 - x * 0.7)}, {21, num(65 - y * 1.3)}});
        break;
      case 1:
        body += Groups({{0, "CIRCLE"}, {62, colour}, {10, num(x)}, {20, num(y)}, {40, num(0.3 + (i % 5))}});
        break;
      case 2:
        body += Groups({{0, "ARC"}, {62, colour}, {10, num(x)}, {20, num(y)}, {40, "2.5"},
                        {50, num(i % 360)}, {51, num((i * 7) % 360)}});
        break;
      case 3:
        body += Groups({{0, "LWPOLYLINE"}, {62, colour}, {90, "3"}, {70, "1"}, {10, num(x)},
                        {20, num(y)}, {42, "0.6"}, {10, num(x + 3)}, {20, num(y + 1)},
                        {10, num(x + 1)}, {20, num(y + 4)}});
        break;
      case 4:
        body += Groups({{0, "TEXT"}, {62, colour}, {10, num(x)}, {20, num(y)},
                        {40, i % 2 ? "0.9" : "0.05"}, {50, num(i % 90)}, {1, "Text " + num(i)}});
        break;
      case 5:
        body += Groups({{0, "SOLID"}, {62, colour}, {10, num(x)}, {20, num(y)}, {11, num(x + 1)},
                        {21, num(y)}, {12, num(x)}, {22, num(y + 0.8)}, {13, num(x + 1)},
                        {23, num(y + 0.8)}});
        break;
      default:
        body += Groups({{0, "INSERT"}, {2, "MARK"}, {10, num(x)}, {20, num(y)}, {50, "30"},
                        {70, "3"}, {71, "2"}, {44, "0.7"}, {45, "0.9"}});
        break;
    }
  }
  const std::string block =
      Groups({{0, "BLOCK"}, {2, "MARK"}, {70, "0"}, {10, "0"}, {20, "0"}}) +
      Groups({{0, "LINE"}, {62, "0"}, {10, "-0.3"}, {20, "0"}, {11, "0.3"}, {21, "0.2"}}) +
      Groups({{0, "CIRCLE"}, {10, "0"}, {20, "0"}, {40, "0.2"}}) + Groups({{0, "ENDBLK"}});
  return File(body, "", block);
}

}  // namespace

// A large drawing painted in bands on several threads comes out pixel for pixel as in one pass,
// whole and zoomed in, whatever the number of bands.
TEST(DxfRender, BandsOnThreadsPaintTheSamePixelsAsOnePass) {
  dxfcontroltest::EnsureGuiApp();
  dxf::DrawingControl cad;
  cad.LoadDrawingText(MixedDrawing());
  cad.SetSize(640, 400);
  auto paint = [&](int bands) {
    dxf::DrawingControl::SetRenderBands(bands);
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter p(&image);
    cad.PaintView(p, 640, 400);
    p.end();
    dxf::DrawingControl::SetRenderBands(0);
    return image;
  };
  for (const dxf::Window& w : {dxf::Window{-5, -5, 110, 80}, dxf::Window{30, 20, 45, 30}}) {
    cad.ZoomToWindow(w.MinX, w.MinY, w.MaxX, w.MaxY);
    const QImage one = paint(1);
    int inked = 0;
    for (int y = 0; y < one.height(); ++y) {
      for (int x = 0; x < one.width(); ++x) inked += one.pixel(x, y) != qRgb(255, 255, 255);
    }
    EXPECT_GT(inked, one.width() * one.height() / 20) << "the view shows the drawing";
    for (int bands : {2, 5, 8}) {
      EXPECT_TRUE(paint(bands) == one) << bands << " bands, window " << w.MinX << "," << w.MinY;
    }
  }
}

// Drawn onto an image, the solid lines of each pen go through a painter of their own over the
// same pixels. The picture is that of one painter drawing everything (a painter clipped to the
// whole image draws everything itself), with dashed lines, dots, fills and texts between the
// lines, more pens than painters are kept, thin and wide pens.
TEST(DxfRender, PenPaintersPaintTheSamePixelsAsOnePainter) {
  dxfcontroltest::EnsureGuiApp();
  std::string body;
  auto num = [](double v) { return std::to_string(v); };
  for (int i = 0; i < 600; ++i) {
    const double x = (i % 30) * 2.1, y = (i / 30) * 1.9;
    const std::string colour = std::to_string(1 + (i * 7) % 40);
    switch (i % 6) {
      case 0:
        body += Groups({{0, "LINE"}, {62, colour}, {10, num(x)}, {20, num(y)},
                        {11, num(60 - x)}, {21, num(38 - y * 0.5)}});
        break;
      case 1:
        body += Groups({{0, "LINE"}, {6, "DASHED"}, {62, colour}, {10, num(x)}, {20, num(y)},
                        {11, num(x + 9)}, {21, num(y + 3)}});
        break;
      case 2:
        body += Groups({{0, "CIRCLE"}, {62, colour}, {10, num(x)}, {20, num(y)}, {40, "1.3"}});
        break;
      case 3:
        body += Groups({{0, "POINT"}, {62, colour}, {10, num(x + 0.5)}, {20, num(y + 0.5)}});
        break;
      case 4:
        body += Groups({{0, "SOLID"}, {62, colour}, {10, num(x)}, {20, num(y)}, {11, num(x + 1.5)},
                        {21, num(y)}, {12, num(x)}, {22, num(y + 1)}, {13, num(x + 1.5)},
                        {23, num(y + 1)}});
        break;
      default:
        body += Groups({{0, "TEXT"}, {62, colour}, {10, num(x)}, {20, num(y)}, {40, "1.1"},
                        {50, num(i % 45)}, {1, "Pen " + num(i)}});
        break;
    }
  }
  const std::string tables =
      "0\nTABLE\n2\nLTYPE\n" +
      Groups({{0, "LTYPE"}, {2, "DASHED"}, {70, "0"}, {3, "__ __"}, {72, "65"}, {73, "2"},
              {40, "0.75"}, {49, "0.5"}, {49, "-0.25"}}) +
      "0\nENDTAB\n";
  dxf::DrawingControl cad;
  cad.LoadDrawingText(File(body, tables));
  cad.SetSize(640, 400);
  cad.ZoomToWindow(-2, -2, 64, 40);
  auto paint = [&](bool clipped, double pen) {
    dxf::DrawingControl::SetRenderBands(1);
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter p(&image);
    if (clipped) p.setClipRect(QRect(0, 0, 640, 400));
    cad.PaintView(p, 640, 400, pen);
    p.end();
    dxf::DrawingControl::SetRenderBands(0);
    return image;
  };
  for (double pen : {1.0, 3.0}) {
    const QImage one = paint(true, pen);
    int inked = 0;
    for (int y = 0; y < one.height(); ++y) {
      for (int x = 0; x < one.width(); ++x) inked += one.pixel(x, y) != qRgb(255, 255, 255);
    }
    EXPECT_GT(inked, one.width() * one.height() / 10) << "the view shows the drawing";
    EXPECT_TRUE(paint(false, pen) == one) << "pen width " << pen;
  }
}

// The widget paints a new picture over the one it keeps: after a change of drawing it shows what
// a new widget shows of the new drawing, nothing of the old one.
TEST(DxfWidget, ARedrawPaintsOverTheKeptPicture) {
  dxfcontroltest::EnsureGuiApp();
  const std::string small =
      File(Groups({{0, "LINE"}, {62, "1"}, {10, "1"}, {20, "1"}, {11, "9"}, {21, "7"}}));
  auto shot = [](dxf::DrawingWidget& w) {
    w.ZoomToWindow(-5, -5, 110, 80);
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
  dxf::DrawingWidget reused(nullptr), fresh(nullptr);
  reused.resize(320, 200);
  fresh.resize(320, 200);
  reused.LoadDrawingText(MixedDrawing());
  const QImage before = shot(reused);
  reused.LoadDrawingText(small);
  fresh.LoadDrawingText(small);
  const QImage after = shot(reused);
  EXPECT_FALSE(after == before);
  EXPECT_TRUE(after == shot(fresh));
}
