#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cstdio>

#include "GuiApp.h"
#include "platform/gdi/QtCanvas.h"
#include "platform/gdi/RecordingCanvas.h"
#include "support/TestSupport.h"

namespace {

using gdi::Brush;
using gdi::Font;
using gdi::Pen;
using gdi::PictureCanvas;
using gdi::RecordingCanvas;
using gdi::Rgb;
using gdi::TargetKind;

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kRed = gdi::RGB(255, 0, 0);
constexpr Rgb kBlue = gdi::RGB(0, 0, 255);

// The box round every pixel that is not white.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
};
Box InkBox(PictureCanvas& c) {
  Box b;
  const QImage& img = c.image();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (gdi::FromQColor(QColor(img.pixel(x, y))) != kWhite) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

TEST(GdiColor, WindowsRgbHasRedInTheLowByte) {
  struct Case {
    Rgb rgb;
    int r, g, b;
  };
  const Case cases[] = {{0x0000FF, 255, 0, 0},
                        {0x00FF00, 0, 255, 0},
                        {0xFF0000, 0, 0, 255},
                        {0xC0C0C0, 192, 192, 192},
                        {0x01404040, 64, 64, 64}};  // the high byte is not a colour
  for (const Case& c : cases) {
    QColor q = gdi::ToQColor(c.rgb);
    EXPECT_EQ(q.red(), c.r) << std::hex << c.rgb;
    EXPECT_EQ(q.green(), c.g) << std::hex << c.rgb;
    EXPECT_EQ(q.blue(), c.b) << std::hex << c.rgb;
    EXPECT_EQ(q.alpha(), 255);
    EXPECT_EQ(gdi::FromQColor(q), c.rgb & 0xFFFFFF);
  }
  EXPECT_EQ(gdi::HexText(0x0080FF), "#ff8000");
}

TEST(GdiCanvas, EveryTargetStartsLikeAFreshDc) {
  RecordingCanvas screen(TargetKind::Picture, 400, 300);
  RecordingCanvas printer(TargetKind::Printer, 5100, 6600, 600);
  for (RecordingCanvas* c : {&screen, &printer}) {
    const gdi::DcState& s = c->state();
    EXPECT_EQ(s.pen, (Pen{1, 0}));
    EXPECT_EQ(s.brush.style, Brush::Style::Hollow);
    EXPECT_EQ(s.textColor, 0u);
    EXPECT_EQ(s.bkMode, gdi::kTransparent);
    EXPECT_EQ(s.current.x, 0);
    EXPECT_EQ(s.current.y, 0);
  }
  EXPECT_EQ(screen.logPixelsY(), 96);
  EXPECT_EQ(screen.twipsPerPixelY(), 15);
  EXPECT_EQ(printer.logPixelsY(), 600);
  EXPECT_DOUBLE_EQ(printer.twipsPerPixelY(), 2.4);
  EXPECT_EQ(screen.state().font.height, 14);  // 8 pt cell at 96 dpi

  // A new binding forgets what the last drawing left selected.
  screen.selectPen({3, kRed});
  screen.selectBrush(Brush::Solid(kRed));
  screen.setTextColor(kRed);
  screen.setBkMode(gdi::kOpaque);
  screen.moveTo(5, 5);
  screen.begin(false);
  EXPECT_EQ(screen.state().pen, (Pen{1, 0}));
  EXPECT_EQ(screen.state().brush, Brush::Hollow());
  EXPECT_EQ(screen.state().textColor, 0u);
  EXPECT_EQ(screen.state().bkMode, gdi::kTransparent);
}

TEST(GdiCanvas, BeginClearsPicturesAndFormsButNeverThePrinter) {
  struct Case {
    TargetKind kind;
    bool clear;
    bool cleared;
  };
  const Case cases[] = {{TargetKind::Picture, true, true},
                        {TargetKind::Picture, false, false},
                        {TargetKind::Form, true, true},
                        {TargetKind::Printer, true, false},
                        {TargetKind::Printer, false, false}};
  for (const Case& c : cases) {
    RecordingCanvas canvas(c.kind, 100, 100);
    canvas.begin(c.clear);
    EXPECT_EQ(!canvas.only(RecordingCanvas::Op::Clear).empty(), c.cleared)
        << static_cast<int>(c.kind) << " " << c.clear;
  }
}

TEST(GdiRecording, TextMetricsAreFixedArithmeticOnTheCell) {
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  Font f{"Arial", 20};
  c.selectFont(f);
  struct Case {
    const char* text;
    double width, height;
  };
  const Case cases[] = {{"", 0, 0},           {"A", 11, 20},          {"ABCD", 44, 20},
                        {"AB\nABCD", 44, 40}, {"AB\r\nC\rD", 22, 60}, {"12345", 55, 20}};
  for (const Case& k : cases) {
    gdi::Extent e = c.textExtent(k.text);
    EXPECT_EQ(e.width, k.width) << k.text;
    EXPECT_EQ(e.height, k.height) << k.text;
  }
}

TEST(GdiRecording, RecordsPrimitivesWithTheirState) {
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  c.selectPen({2, kRed});
  c.moveTo(1, 2);
  c.lineTo(10.5, 2);
  c.lineTo(10.5, 8);
  c.selectBrush(Brush::Hatched(kBlue, 3));
  c.rectangle(0, 0, 4, 4);
  c.selectFont({"Arial", 14, 700, false, false, false, 900});
  c.setTextColor(kBlue);
  c.textOut(3, 4, "Hi");
  const std::vector<std::string> expected = {
      "PEN 2 #ff0000",      "LINE 1 2 10.5 2",
      "LINE 10.5 2 10.5 8", "BRUSH #0000ff hatch 3",
      "RECT 0 0 4 4",       "FONT Arial 14 700 0 0 0 900",
      "TEXTCOLOR #0000ff",  "TEXT 3 4 \"Hi\" #0000ff",
  };
  EXPECT_EQ(c.lines(), expected);
  EXPECT_EQ(c.only(RecordingCanvas::Op::Rect)[0].state.pen.width, 2);
}

TEST(GdiCanvas, TextLinesSplitLikeDrawText) {
  EXPECT_TRUE(gdi::TextLines("").empty());
  EXPECT_EQ(gdi::TextLines("a").size(), 1u);
  EXPECT_EQ(gdi::TextLines("a\r\nb").size(), 2u);
  EXPECT_EQ(gdi::TextLines("a\n\nb").size(), 3u);
}

// --- Pixels on a picture ---

TEST(GdiPicture, StartsInItsBackColourAndClearsToIt) {
  PictureCanvas c(40, 30, kBlue);
  EXPECT_EQ(c.pixel(0, 0), kBlue);  // no stray black pixel at the origin
  EXPECT_EQ(c.pixel(39, 29), kBlue);
  c.selectBrush(Brush::Solid(kRed));
  c.rectangle(0, 0, 40, 30);
  EXPECT_EQ(c.pixel(10, 10), kRed);
  c.begin(true);
  EXPECT_EQ(c.pixel(10, 10), kBlue);
  EXPECT_EQ(c.image().dotsPerMeterY(), 3780);  // 96 dpi
}

TEST(GdiPicture, OnePixelLineLeavesOutItsLastPixel) {
  PictureCanvas c(40, 30);
  c.moveTo(5, 10);
  c.lineTo(15, 10);
  for (int x = 5; x < 15; ++x) EXPECT_EQ(c.pixel(x, 10), 0u) << x;
  EXPECT_EQ(c.pixel(15, 10), kWhite);
  EXPECT_EQ(c.pixel(4, 10), kWhite);
  EXPECT_EQ(c.pixel(10, 9), kWhite);
  EXPECT_EQ(c.pixel(10, 11), kWhite);
}

TEST(GdiPicture, TwoPixelRedLineCoversTwoRows) {
  PictureCanvas c(40, 30);
  c.selectPen({2, kRed});
  c.moveTo(5, 10);
  c.lineTo(30, 10);
  int rows = 0;
  for (int y = 5; y < 15; ++y) {
    bool red = c.pixel(15, y) == kRed;
    rows += red;
    if (red) {
      EXPECT_TRUE(y == 9 || y == 10) << y;
    }
  }
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(c.pixel(15, 20), kWhite);
}

TEST(GdiPicture, RectangleOutlinesInsideItsBoxWithTheHollowDefaultBrush) {
  PictureCanvas c(40, 30, kBlue);
  c.rectangle(10, 5, 20, 15);
  EXPECT_EQ(c.pixel(10, 5), 0u);
  EXPECT_EQ(c.pixel(19, 14), 0u);
  EXPECT_EQ(c.pixel(20, 10), kBlue);  // right edge outside
  EXPECT_EQ(c.pixel(15, 15), kBlue);  // bottom edge outside
  EXPECT_EQ(c.pixel(15, 10), kBlue);  // hollow: the inside keeps the surface
  c.selectBrush(Brush::Solid(kRed));
  c.rectangle(20, 15, 10, 5);  // corners in any order
  EXPECT_EQ(c.pixel(15, 10), kRed);
  EXPECT_EQ(c.pixel(10, 5), 0u);
}

TEST(GdiPicture, HatchesRunTheWayTheirGdiNamesSay) {
  // Count the red pixels along both diagonals through a hatched square: "////" lines fall on
  // constant x + y, "\\\\" lines on constant x - y.
  struct Case {
    int hatch;
    bool risingFilled;   // along x + y = const the pixels share one colour
    bool fallingFilled;  // along x - y = const
  };
  const Case cases[] = {{gdi::kHatchBDiagonal, true, false}, {gdi::kHatchFDiagonal, false, true}};
  for (const Case& k : cases) {
    PictureCanvas c(64, 64);
    c.selectPen({1, kRed});
    c.selectBrush(Brush::Hatched(kRed, k.hatch));
    c.rectangle(0, 0, 64, 64);
    // Find one red pixel inside, then walk the two diagonals from it.
    int x0 = -1, y0 = 20;
    for (int x = 20; x < 28 && x0 < 0; ++x) {
      if (c.pixel(x, y0) == kRed) x0 = x;
    }
    ASSERT_GE(x0, 0) << k.hatch;
    bool rising = true, falling = true;
    for (int d = 1; d < 8; ++d) {
      rising = rising && c.pixel(x0 + d, y0 - d) == kRed;
      falling = falling && c.pixel(x0 + d, y0 + d) == kRed;
    }
    EXPECT_EQ(rising, k.risingFilled) << k.hatch;
    EXPECT_EQ(falling, k.fallingFilled) << k.hatch;
    // Gaps are transparent with the default background mode.
    int white = 0;
    for (int x = 20; x < 28; ++x) white += c.pixel(x, 30) == kWhite;
    EXPECT_GE(white, 5) << k.hatch;
  }
}

TEST(GdiPicture, TextIsPlacedByTheTopLeftOfItsCell) {
  PictureCanvas c(200, 120);
  c.selectFont({"Arial", 30});
  c.textOut(40, 50, "HHH");
  Box b = InkBox(c);
  ASSERT_FALSE(b.empty());
  EXPECT_GE(b.top, 50);
  EXPECT_LE(b.top, 50 + 12);  // capitals start a little below the cell top
  EXPECT_LE(b.bottom, 50 + 30);
  EXPECT_GE(b.left, 40);
  EXPECT_LE(b.left, 40 + 5);
  gdi::Extent e = c.textExtent("HHH");
  EXPECT_EQ(e.height, 30);
  EXPECT_NEAR(b.right - 40, e.width, 6);
}

TEST(GdiPicture, EscapementTurnsTextCounterClockwiseAboutItsCorner) {
  PictureCanvas c(120, 200);
  c.selectFont({"Arial", 20, 400, false, false, false, 900});
  c.textOut(50, 150, "HHHH");
  Box b = InkBox(c);
  ASSERT_FALSE(b.empty());
  EXPECT_LE(b.bottom, 150);  // reads upwards from the reference point
  EXPECT_LT(b.top, 150 - 30);
  EXPECT_GE(b.left, 50);  // the cell lies right of the reference point
  EXPECT_LE(b.right, 50 + 20);
}

TEST(GdiPicture, OpaqueTextFillsItsCellWithTheBackgroundColour) {
  PictureCanvas c(100, 60);
  c.selectFont({"Arial", 20});
  c.setBkMode(gdi::kOpaque);
  c.setBkColor(kBlue);
  c.textOut(10, 10, "i");
  EXPECT_EQ(c.pixel(10, 10), kBlue);
  EXPECT_EQ(c.pixel(10, 9), kWhite);
}

TEST(GdiPicture, WidthsOfRealFontsGrowWithTheText) {
  PictureCanvas c(10, 10);
  c.selectFont({"Arial", 14});
  EXPECT_EQ(c.textExtent("").width, 0);
  EXPECT_EQ(c.textExtent("").height, 0);
  double one = c.textExtent("0").width;
  double four = c.textExtent("0000").width;
  EXPECT_GT(one, 3);
  EXPECT_NEAR(four, 4 * one, 3);
  EXPECT_EQ(c.textExtent("0\n0000").height, 28);
  EXPECT_EQ(c.textExtent("0\n0000").width, four);
  Font bold{"Arial", 14, 700};
  c.selectFont(bold);
  EXPECT_GE(c.textExtent("0000").width, four);
}

TEST(GdiPicture, PenStylesLeaveGapsAndTheNullPenDrawsNothing) {
  struct Case {
    gdi::PenStyle style;
    int minInk, maxInk;
  };
  const Case cases[] = {{gdi::PenStyle::Solid, 60, 60},
                        {gdi::PenStyle::Dash, 20, 50},
                        {gdi::PenStyle::Dot, 10, 40},
                        {gdi::PenStyle::Null, 0, 0}};
  for (const Case& k : cases) {
    PictureCanvas c(80, 10);
    c.selectPen({1, 0, k.style});
    c.moveTo(10, 5);
    c.lineTo(70, 5);
    int ink = 0;
    for (int x = 0; x < 80; ++x) ink += c.pixel(x, 5) == 0u;
    EXPECT_GE(ink, k.minInk) << static_cast<int>(k.style);
    EXPECT_LE(ink, k.maxInk) << static_cast<int>(k.style);
  }
}

TEST(GdiPrinter, AQPrinterPageStartsAtItsPrintableTopLeft) {
  testsupport::TempDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString((dir / "printer.pdf").string()));
  printer.setPageSize(QPageSize(QPageSize::Letter));
  printer.setFullPage(false);
  printer.setPageMargins(QMarginsF(0.5, 0.25, 0.5, 0.25), QPageLayout::Inch);
  gdi::PrinterCanvas c(printer);
  const int dpi = printer.resolution();
  EXPECT_EQ(c.logPixelsY(), dpi);
  EXPECT_NEAR(c.width(), 7.5 * dpi, 2);  // the printable area
  EXPECT_NEAR(c.height(), 10.5 * dpi, 2);
  c.textOut(0, 0, "corner");
  c.finish();
  EXPECT_GT(std::filesystem::file_size(dir / "printer.pdf"), 500u);
}

TEST(GdiPrinter, PdfPageMeasuresItsPrintableAreaInPrinterPixels) {
  testsupport::TempDir dir;
  const QString file = QString::fromStdString((dir / "page.pdf").string());
  QPdfWriter writer(file);
  writer.setResolution(600);
  writer.setPageSize(QPageSize(QPageSize::Letter));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  {
    gdi::PrinterCanvas c(writer);
    EXPECT_EQ(c.kind(), TargetKind::Printer);
    EXPECT_EQ(c.logPixelsY(), 600);
    EXPECT_DOUBLE_EQ(c.twipsPerPixelX(), 2.4);
    EXPECT_NEAR(c.width(), 5100, 1);
    EXPECT_NEAR(c.height(), 6600, 1);
    c.begin(true);  // the printer is never erased
    c.selectPen({4, kRed});
    c.moveTo(600, 600);
    c.lineTo(4500, 600);
    c.selectFont({"Arial", 100});
    c.textOut(600, 800, "Printed");
    EXPECT_TRUE(c.newPage());
    c.textOut(600, 800, "Second");
    c.finish();
  }
  EXPECT_GT(std::filesystem::file_size(dir / "page.pdf"), 500u);
}

}  // namespace
