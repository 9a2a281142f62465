#pragma once
// Where a drawing's texts stand as they are drawn: the boxes of a drawing (closed four-sided
// outlines along the axes) and the box of the ink a text leaves when it is drawn alone, in the
// face its style maps to, on the screen's renderer.
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dxf/Document.h"
#include "platform/dxf/EntityViews.h"
#include "platform/dxfcontrol/DrawingControl.h"

namespace testsupport {

struct Rect {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  std::string layer;  // of a drawing's box
  double Area() const { return (maxX - minX) * (maxY - minY); }
  bool Contains(double x, double y) const {
    return x > minX && x < maxX && y > minY && y < maxY;
  }
};

// The boxes of a drawing: its closed polylines of four sides along the axes.
inline std::vector<Rect> Boxes(const dxf::DrawingControl& ctl) {
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
    Rect r{pts[0].x, pts[0].y, pts[0].x, pts[0].y, e.LayerName};
    for (const dxf::Point& p : pts) {
      r.minX = std::min(r.minX, p.x), r.maxX = std::max(r.maxX, p.x);
      r.minY = std::min(r.minY, p.y), r.maxY = std::max(r.maxY, p.y);
    }
    if (r.Area() > 0) boxes.push_back(r);
  }
  return boxes;
}

// The smallest of the boxes on the text's layer that the point the text stands by (its insertion
// point, or its alignment point when it is justified) lies in; nothing when it lies in none.
inline std::optional<Rect> BoxOfText(const std::vector<Rect>& boxes, const dxf::Entity& text) {
  const dxf::TextView t(text);
  const dxf::Point at = t.HJust == 0 && t.VJust == 0 ? t.Insertion() : t.Alignment();
  std::optional<Rect> found;
  for (const Rect& r : boxes)
    if (r.layer == std::string_view(text.LayerName) && r.Contains(at.x, at.y) &&
        (!found || r.Area() < found->Area()))
      found = r;
  return found;
}

// The box, in drawing units, of the ink the text (an entity of `from`, drawn with its text
// styles) leaves when it is drawn alone in the view window `around`, at 20 pixels a unit;
// nothing when it leaves none.
inline std::optional<Rect> TextInk(const dxf::DrawingControl& from, const dxf::Entity& text,
                                   const Rect& around) {
  dxf::DrawingControl ctl;
  ctl.Drawing().TextStyles = from.Drawing().TextStyles;
  ctl.EntityList().Add(text);
  constexpr double kPixelsAUnit = 20;
  const int pw = static_cast<int>((around.maxX - around.minX) * kPixelsAUnit);
  const int ph = static_cast<int>((around.maxY - around.minY) * kPixelsAUnit);
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
              ctl.ViewMinX() + (x1 + 1) * sx, ctl.ViewMaxY() - y0 * sy, {}};
}

// The text's box, grown by its own size on each side: the window its ink is looked for in.
inline Rect AroundBox(const Rect& box) {
  const double w = box.maxX - box.minX, h = box.maxY - box.minY;
  return {box.minX - w, box.minY - h, box.maxX + w, box.maxY + h, box.layer};
}

// A rectangle as "x0..x1, y0..y1".
inline std::string Span(const Rect& r) {
  return std::to_string(r.minX) + ".." + std::to_string(r.maxX) + ", " + std::to_string(r.minY) +
         ".." + std::to_string(r.maxY);
}

// The texts of the drawing that stand in a box (BoxOfText) and whose ink reaches out of it, each
// as "TEXT: ink x0..x1, y0..y1 in box x0..x1, y0..y1"; `labels` counts the texts in boxes.
inline std::vector<std::string> LabelsOutOfTheirBoxes(const dxf::DrawingControl& ctl,
                                                      int& labels) {
  std::vector<std::string> out;
  const std::vector<Rect> boxes = Boxes(ctl);
  labels = 0;
  for (const dxf::Entity& e : ctl.EntityList()) {
    if (e.EntityType != "TEXT") continue;
    const std::optional<Rect> box = BoxOfText(boxes, e);
    if (!box) continue;
    ++labels;
    const std::optional<Rect> ink = TextInk(ctl, e, AroundBox(*box));
    if (!ink) {
      out.push_back(e.Text + ": no ink");
    } else if (ink->minX < box->minX || ink->maxX > box->maxX || ink->minY < box->minY ||
               ink->maxY > box->maxY) {
      out.push_back(e.Text + ": ink " + Span(*ink) + " in box " + Span(*box));
    }
  }
  return out;
}

// The texts of the drawing whose ink runs into the ink of another text on the same layer (a
// floor plan's labels on its plane's layer, its dimension numbers on theirs), each pair as
// "A ink x0..x1, y0..y1 and B ink x0..x1, y0..y1"; `texts` counts the texts that leave ink.
inline std::vector<std::string> OverlappingTexts(const dxf::DrawingControl& ctl, int& texts) {
  struct Inked {
    std::string text, layer;
    Rect ink;
  };
  std::vector<Inked> inked;
  for (const dxf::Entity& e : ctl.EntityList()) {
    if (e.EntityType != "TEXT" || e.Text.empty()) continue;
    // The window the ink is looked for in: a square round the point the text stands by, wide
    // enough for the text written at any angle from either end.
    const dxf::TextView t(e);
    const dxf::Point at = t.HJust == 0 && t.VJust == 0 ? t.Insertion() : t.Alignment();
    const double reach = (static_cast<double>(e.Text.size()) + 2) * t.Height *
                         std::max(1.0, static_cast<double>(t.WidthFactor));
    if (!(reach > 0)) continue;
    if (const std::optional<Rect> ink =
            TextInk(ctl, e, Rect{at.x - reach, at.y - reach, at.x + reach, at.y + reach, {}}))
      inked.push_back({e.Text.str(), e.LayerName.str(), *ink});
  }
  texts = static_cast<int>(inked.size());
  std::vector<std::string> out;
  for (size_t i = 0; i < inked.size(); ++i)
    for (size_t j = i + 1; j < inked.size(); ++j) {
      const Rect &a = inked[i].ink, &b = inked[j].ink;
      if (inked[i].layer == inked[j].layer && a.minX < b.maxX && b.minX < a.maxX &&
          a.minY < b.maxY && b.minY < a.maxY)
        out.push_back(inked[i].text + " ink " + Span(a) + " and " + inked[j].text + " ink " +
                      Span(b) + " on layer " + inked[i].layer);
    }
  return out;
}

}  // namespace testsupport
