// Where the texts of every chart of the sample pairs fall, at the size a chart picture has in the
// window as designed and in a small window: the box of every text the chart writes, read from
// the canvas it was drawn on (the recording canvas with its fixed metrics, and a real picture
// with the fonts of the machine). No text leaves the chart, no two texts overlap, no title,
// tick label, legend line or caption lies inside the plot, every note lies inside it, and the
// value notes of the bar charts stand clear of the bars' outlines. With TOLVANE_CHART_PNG_DIR
// set, the real pictures are also written there ("layout-<pair>-<size>-<nn>-<key>.png").
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <sstream>

#include "ChartTestSupport.h"
#include "charts/ChartBuilders.h"
#include "platform/gdi/GuiApp.h"
#include "platform/gdi/QtCanvas.h"
#include "support/Fixtures.h"

namespace {

using Op = gdi::RecordingCanvas::Op;

struct Box {
  std::string text;
  double left = 0, top = 0, right = 0, bottom = 0;
};

std::ostream& operator<<(std::ostream& os, const Box& b) {
  return os << "\"" << b.text << "\" [" << b.left << ", " << b.top << " - " << b.right << ", "
            << b.bottom << "]";
}

// The box of a text cell written with its top-left corner at (x, y) and turned about that
// corner, counter-clockwise, by the font's escapement.
Box BoxOf(std::string_view text, double x, double y, gdi::Extent e, int escapement) {
  const double a = escapement / 10.0 * std::numbers::pi / 180;
  const double c = std::cos(a), s = std::sin(a);
  Box b{std::string(text), 1e300, 1e300, -1e300, -1e300};
  for (auto [dx, dy] : {std::pair{0.0, 0.0}, {e.width, 0.0}, {0.0, e.height}, {e.width, e.height}}) {
    const double px = x + dx * c + dy * s, py = y - dx * s + dy * c;
    b.left = std::min(b.left, px);
    b.right = std::max(b.right, px);
    b.top = std::min(b.top, py);
    b.bottom = std::max(b.bottom, py);
  }
  // Rounding of the turn's sine and cosine.
  for (double* v : {&b.left, &b.top, &b.right, &b.bottom}) *v = std::round(*v * 1e6) / 1e6;
  return b;
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const Box& inner, const Box& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

// The boxes of the texts of the last drawing on a recording canvas, measured as it measures.
std::vector<Box> RecordedBoxes(const gdi::RecordingCanvas& c) {
  std::vector<Box> boxes;
  gdi::RecordingCanvas probe(c.kind(), c.width(), c.height());
  for (const gdi::RecordingCanvas::Record& r : c.records()) {
    if (r.op == Op::Clear) boxes.clear();
    if (r.op != Op::Text || r.text.empty()) continue;
    probe.selectFont(r.state.font);
    boxes.push_back(BoxOf(r.text, r.points[0].x, r.points[0].y, probe.textExtent(r.text),
                          r.state.font.escapement));
  }
  return boxes;
}

// A picture that keeps the box of every text written on it since it was last cleared.
class MeasuredPicture final : public gdi::PictureCanvas {
 public:
  using PictureCanvas::PictureCanvas;
  std::vector<Box> boxes;
  void textOut(double x, double y, std::string_view text) override {
    if (!text.empty()) boxes.push_back(BoxOf(text, x, y, textExtent(text), state().font.escapement));
    PictureCanvas::textOut(x, y, text);
  }
  void clear() override {
    boxes.clear();
    PictureCanvas::clear();
  }
};

// Outlines of the bars (drawn with the series pen, black) as four thin boxes each.
std::vector<Box> BarOutlines(const gdi::RecordingCanvas& c) {
  std::vector<Box> edges;
  for (const gdi::RecordingCanvas::Record& r : c.records()) {
    if (r.op == Op::Clear) edges.clear();
    if (r.op != Op::Rect || r.state.pen.width < 2 || r.state.pen.color != 0) continue;
    const double half = r.state.pen.width / 2.0;
    const double l = std::min(r.points[0].x, r.points[1].x), rt = std::max(r.points[0].x, r.points[1].x);
    const double t = std::min(r.points[0].y, r.points[1].y), b = std::max(r.points[0].y, r.points[1].y);
    edges.push_back({"top edge", l - half, t - half, rt + half, t + half});
    edges.push_back({"left edge", l - half, t - half, l + half, b + half});
    edges.push_back({"right edge", rt - half, t - half, rt + half, b + half});
  }
  return edges;
}

// The chart's own rectangle and its plot, in device pixels (percent mode: the target's width).
Box ChartBox(double scale) {
  const Chart::Vars& v = Chart::vars();
  return {"chart", v.ChartLeft * scale, v.ChartTop * scale, (v.ChartLeft + v.ChartWidth) * scale,
          (v.ChartTop + v.ChartHeight) * scale};
}
// The plot's edges as they are drawn: on whole pixels.
Box PlotBox(double scale) {
  const Chart::Vars& v = Chart::vars();
  return {"plot", std::nearbyint((v.ChartLeft + v.PlotX0) * scale),
          std::nearbyint((v.ChartTop + v.PlotY0) * scale),
          std::nearbyint((v.ChartLeft + v.PlotX1) * scale),
          std::nearbyint((v.ChartTop + v.PlotY1) * scale)};
}

// What is wrong with the texts of the chart just drawn; empty when nothing is.
std::vector<std::string> Faults(const std::vector<Box>& boxes, int chart, double scale) {
  std::vector<std::string> faults;
  auto say = [&](auto&&... parts) {
    std::ostringstream os;
    (os << ... << parts);
    faults.push_back(os.str());
  };
  const Box chartBox = ChartBox(scale), plot = PlotBox(scale);
  const std::vector<Chart::ChartLabel>& notes = Chart::vars().ChartLabels[chart];
  auto isNote = [&](const Box& b) {
    return std::any_of(notes.begin(), notes.end(),
                       [&](const Chart::ChartLabel& l) { return l.Text == b.text; });
  };
  for (size_t i = 0; i < boxes.size(); ++i) {
    const Box& b = boxes[i];
    if (!Inside(b, chartBox)) say(b, " leaves the chart ", chartBox);
    if (isNote(b)) {
      if (!Inside(b, plot)) say("note ", b, " leaves the plot ", plot);
    } else if (Overlap(b, plot)) {
      say(b, " lies in the plot ", plot);
    }
    for (size_t j = 0; j < i; ++j)
      if (Overlap(b, boxes[j])) say(b, " overlaps ", boxes[j]);
  }
  return faults;
}

struct Size {
  const char* name;
  int width, height;
};

// The chart pictures of the window as designed (a page of 660 x 490 pixels in a window of 670
// x 620: 318 x 410, or 644 x 410 for the only chart of its tab), what the window's proportional
// layout gives them in a window of 900 x 500 and at the smallest size it allows (660 x 491), and
// two sizes narrower still: the design size times min(window width / 670, window height / 620)
// for windows of 900 x 500 and 800 x 600.
Size PictureSize(int chart, int width, int aloneWidth, int height, const char* name) {
  const bool alone = chart == 3 || chart == 13;  // the only chart of its tab
  return {name, alone ? aloneWidth : width, height};
}
Size PictureSize(int chart, double factor, const char* name) {
  return PictureSize(chart, static_cast<int>(std::lround(318 * factor)),
                     static_cast<int>(std::lround(644 * factor)),
                     static_cast<int>(std::lround(410 * factor)), name);
}
std::vector<Size> PictureSizes(int chart) {
  return {PictureSize(chart, 1, "design"),
          PictureSize(chart, 433, 878, 335, "window 900 x 500"),
          PictureSize(chart, 318, 644, 328, "smallest window"),
          PictureSize(chart, std::min(900 / 670.0, 500 / 620.0), "900 x 500"),
          PictureSize(chart, std::min(800 / 670.0, 600 / 620.0), "800 x 600")};
}

using Pair = charttest::SamplePair;
const std::vector<int> kFixedWing = {1, 2, 3, 14, 9, 8, 12, 13};
const Pair kPairs[] = {
    {"jets", "101", "102", 1, 1, kFixedWing},
    {"props", "103", "104", 1, 1, kFixedWing},
    {"helicopters WAT A", "201", "202", 2, 1, {1, 2, 11, 10, 13, 4, 6, 5, 7, 15, 16}},
    {"helicopters WAT B", "201", "202", 2, 2, {15, 16}},
};

class ChartTextLayout : public charttest::SampleDatabaseFixture {
 protected:
  // Every chart of every pair at every size, drawn by `draw`, which gives the text boxes.
  void ForEveryChart(const std::function<std::vector<Box>(int chart, Size size)>& draw) {
    for (const Pair& pair : kPairs) {
      Choose(pair);
      pair_ = pair.name;
      for (int chart : pair.charts)
        for (const Size& size : PictureSizes(chart)) {
          SCOPED_TRACE(std::string(pair.name) + ", " + Chart::ChartKey(chart) + ", " + size.name +
                       " (" + std::to_string(size.width) + " x " + std::to_string(size.height) +
                       ")");
          const std::vector<Box> boxes = draw(chart, size);
          EXPECT_GE(boxes.size(), 5u);
          for (const std::string& fault : Faults(boxes, chart, size.width / 100.0))
            ADD_FAILURE() << fault;
        }
    }
    EXPECT_EQ(errors(), 0);
  }
  const char* pair_ = "";  // the pair being drawn
};

TEST_F(ChartTextLayout, EveryTextOfEverySampleChartHasItsOwnPlaceWithTheRecordingMetrics) {
  ForEveryChart([](int chart, Size size) {
    gdi::RecordingCanvas canvas(gdi::TargetKind::Picture, size.width, size.height);
    ChartBuilders::BuildChart(chart, canvas, true);
    return RecordedBoxes(canvas);
  });
}

TEST_F(ChartTextLayout, EveryTextOfEverySampleChartHasItsOwnPlaceWithTheScreenFonts) {
  const char* folder = std::getenv("TOLVANE_CHART_PNG_DIR");
  if (folder) std::filesystem::create_directories(folder);
  ForEveryChart([&](int chart, Size size) {
    MeasuredPicture picture(size.width, size.height);
    ChartBuilders::BuildChart(chart, picture, true);
    if (folder) {
      std::string name = std::string("layout-") + pair_ + "-" + size.name + "-" +
                         (chart < 10 ? "0" : "") + std::to_string(chart) + "-" +
                         Chart::ChartKey(chart) + ".png";
      std::replace(name.begin(), name.end(), ' ', '_');
      EXPECT_TRUE(picture.savePng((std::filesystem::path(folder) / name).string()));
    }
    return picture.boxes;
  });
}

// The landing bar charts write each bar's value over it: clear of the black outline.
TEST_F(ChartTextLayout, TheValueOfABarStandsClearOfItsOutline) {
  for (const Pair& pair : kPairs) {
    Choose(pair);
    for (int chart : pair.charts) {
      if (chart != 9 && chart != 10 && chart != 11) continue;
      for (const Size& size : PictureSizes(chart)) {
        SCOPED_TRACE(std::string(pair.name) + ", " + Chart::ChartKey(chart) + ", " + size.name);
        gdi::RecordingCanvas canvas(gdi::TargetKind::Picture, size.width, size.height);
        ChartBuilders::BuildChart(chart, canvas, true);
        const std::vector<Box> edges = BarOutlines(canvas);
        EXPECT_EQ(edges.size(), 4u * 3);  // four bars, three edges each
        int notes = 0;
        for (const Box& b : RecordedBoxes(canvas)) {
          if (b.text.find(',') == std::string::npos) continue;  // the values: "2,100"
          ++notes;
          for (const Box& e : edges)
            EXPECT_FALSE(Overlap(b, e)) << b << " is struck by the " << e;
        }
        EXPECT_EQ(notes, 4);
      }
    }
  }
  EXPECT_EQ(errors(), 0);
}

}  // namespace
