// The sample drawings' texts fit where the drawings put them: a label standing inside a box (a
// closed four-sided outline, such as a galley's) stays inside it as the screen and the page draw
// it, in the face the drawings' text style maps to.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/dxf/Document.h"
#include "platform/dxf/EntityViews.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "support/QtApp.h"

namespace {

namespace fs = std::filesystem;

struct Rect {
  double minX, minY, maxX, maxY;
  double Area() const { return (maxX - minX) * (maxY - minY); }
  bool Contains(double x, double y) const {
    return x > minX && x < maxX && y > minY && y < maxY;
  }
};

// The boxes of a drawing: closed polylines of four sides along the axes.
std::vector<Rect> Boxes(const dxf::DrawingControl& ctl) {
  std::vector<Rect> boxes;
  for (const dxf::Entity& e : ctl.EntityList()) {
    if (e.EntityType != "POLYLINE" && e.EntityType != "LWPOLYLINE") continue;
    std::vector<dxf::Point> pts;
    for (const dxf::Vertex& v : e.Vertices) pts.push_back({v.X0, v.Y0});
    if (pts.size() == 5 && pts.front().x == pts.back().x && pts.front().y == pts.back().y)
      pts.pop_back();
    if (pts.size() != 4) continue;
    bool alongAxes = true;
    for (size_t i = 0; i < 4; ++i) {
      const dxf::Point a = pts[i], b = pts[(i + 1) % 4];
      alongAxes = alongAxes && (a.x == b.x || a.y == b.y);
    }
    if (!alongAxes) continue;
    Rect r{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (const dxf::Point& p : pts) {
      r.minX = std::min(r.minX, p.x), r.maxX = std::max(r.maxX, p.x);
      r.minY = std::min(r.minY, p.y), r.maxY = std::max(r.maxY, p.y);
    }
    if (r.Area() > 0) boxes.push_back(r);
  }
  return boxes;
}

// The box of the ink the text at `item` (1-based) leaves when the drawing shows nothing else,
// its window about `around`, in drawing units; nothing when it leaves none.
std::optional<Rect> Ink(const fs::path& file, long item, const Rect& around) {
  dxf::DrawingControl ctl;
  ctl.LoadDrawingFile(file.string());
  const dxf::Entity text = ctl.EntityList().Item(item);
  ctl.EntityList().Clear();
  ctl.EntityList().Add(text);
  constexpr double kPixelsAnInch = 20;
  const double w = around.maxX - around.minX, h = around.maxY - around.minY;
  const int pw = static_cast<int>(w * kPixelsAnInch), ph = static_cast<int>(h * kPixelsAnInch);
  ctl.SetSize(pw, ph);
  ctl.WindowMinX = around.minX, ctl.WindowMaxX = around.maxX;
  ctl.WindowMinY = around.minY, ctl.WindowMaxY = around.maxY;
  ctl.ApplyViewWindow();
  QImage picture(pw, ph, QImage::Format_RGB32);
  picture.fill(Qt::white);
  {
    QPainter painter(&picture);
    ctl.PaintView(painter, pw, ph);
  }
  int x0 = pw, y0 = ph, x1 = -1, y1 = -1;
  for (int y = 0; y < ph; ++y)
    for (int x = 0; x < pw; ++x)
      if (qGray(picture.pixel(x, y)) < 160)
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  if (x1 < 0) return std::nullopt;
  const double sx = (ctl.ViewMaxX() - ctl.ViewMinX()) / pw;
  const double sy = (ctl.ViewMaxY() - ctl.ViewMinY()) / ph;
  return Rect{ctl.ViewMinX() + x0 * sx, ctl.ViewMaxY() - (y1 + 1) * sy,
              ctl.ViewMinX() + (x1 + 1) * sx, ctl.ViewMaxY() - y0 * sy};
}

TEST(SampleDrawings, ALabelInsideABoxStaysInsideIt) {
  testsupport::QtApp();
  int labels = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(TOLVANE_SAMPLE_DRAWINGS)) {
    if (entry.path().extension() != ".dxf") continue;
    dxf::DrawingControl ctl;
    ctl.LoadDrawingFile(entry.path().string());
    const std::vector<Rect> boxes = Boxes(ctl);
    for (long i = 1; i <= ctl.EntityList().Count(); ++i) {
      const dxf::Entity& e = ctl.EntityList().Item(i);
      if (e.EntityType != "TEXT") continue;
      const dxf::TextView t(e);
      const dxf::Point at = t.HJust == 0 && t.VJust == 0 ? t.Insertion() : t.Alignment();
      // The smallest box the text stands in.
      const Rect* box = nullptr;
      for (const Rect& r : boxes)
        if (r.Contains(at.x, at.y) && (!box || r.Area() < box->Area())) box = &r;
      if (!box) continue;
      ++labels;
      const std::string name = entry.path().filename().string() + " \"" + e.Text + "\"";
      SCOPED_TRACE(name);
      const double w = box->maxX - box->minX, h = box->maxY - box->minY;
      const std::optional<Rect> ink =
          Ink(entry.path(), i, {box->minX - w, box->minY - h, box->maxX + w, box->maxY + h});
      ASSERT_TRUE(ink.has_value());
      EXPECT_GE(ink->minX, box->minX);
      EXPECT_LE(ink->maxX, box->maxX);
      EXPECT_GE(ink->minY, box->minY);
      EXPECT_LE(ink->maxY, box->maxY);
    }
  }
  EXPECT_GT(labels, 0);  // the galley's label at least
}

}  // namespace
