#include "platform/gdi/RecordingCanvas.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace gdi {

std::string ShortNumber(double value) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

RecordingCanvas::RecordingCanvas(TargetKind kind, double width, double height, int logPixelsY)
    : Canvas(logPixelsY), kind_(kind), width_(width), height_(height) {}

void RecordingCanvas::add(Op op, std::vector<Point> points, std::string text) {
  records_.push_back(Record{op, std::move(points), std::move(text), state_});
}

void RecordingCanvas::clear() { add(Op::Clear, {}); }

void RecordingCanvas::selectPen(const Pen& pen) {
  Canvas::selectPen(pen);
  add(Op::Pen, {});
}

void RecordingCanvas::selectBrush(const Brush& brush) {
  Canvas::selectBrush(brush);
  add(Op::Brush, {});
}

void RecordingCanvas::selectFont(const Font& font) {
  Canvas::selectFont(font);
  add(Op::Font, {});
}

void RecordingCanvas::setBkMode(int mode) {
  Canvas::setBkMode(mode);
  add(Op::BkMode, {});
}

void RecordingCanvas::setTextColor(Rgb color) {
  Canvas::setTextColor(color);
  add(Op::TextColor, {});
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2) {
  add(Op::Line, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::rectangle(double x1, double y1, double x2, double y2) {
  add(Op::Rect, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::ellipse(double x1, double y1, double x2, double y2) {
  add(Op::Ellipse, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::polygon(const std::vector<Point>& points) { add(Op::Polygon, points); }

void RecordingCanvas::textOut(double x, double y, std::string_view text) {
  add(Op::Text, {{x, y}}, std::string(text));
}

Extent RecordingCanvas::textExtent(std::string_view text) {
  const std::vector<std::string_view> lines = TextLines(text);
  size_t widest = 0;
  for (std::string_view l : lines) widest = std::max(widest, l.size());
  const double cell = state_.font.height;
  return {std::nearbyint(0.55 * cell * static_cast<double>(widest)),
          cell * static_cast<double>(lines.size())};
}

std::vector<RecordingCanvas::Record> RecordingCanvas::only(Op op) const {
  std::vector<Record> out;
  for (const Record& r : records_)
    if (r.op == op) out.push_back(r);
  return out;
}

std::vector<std::string> RecordingCanvas::lines() const {
  std::vector<std::string> out;
  auto points = [](const Record& r) {
    std::string s;
    for (const Point& p : r.points) s += " " + ShortNumber(p.x) + " " + ShortNumber(p.y);
    return s;
  };
  for (const Record& r : records_) {
    const DcState& s = r.state;
    switch (r.op) {
      case Op::Clear:
        out.push_back("CLEAR");
        break;
      case Op::Pen:
        out.push_back("PEN " + std::to_string(s.pen.width) + " " + HexText(s.pen.color) +
                      (s.pen.style == PenStyle::Solid
                           ? ""
                           : " style " + std::to_string(static_cast<int>(s.pen.style))));
        break;
      case Op::Brush:
        if (s.brush.style == Brush::Style::Hollow)
          out.push_back("BRUSH hollow");
        else if (s.brush.style == Brush::Style::Solid)
          out.push_back("BRUSH " + HexText(s.brush.color) + " solid");
        else
          out.push_back("BRUSH " + HexText(s.brush.color) + " hatch " +
                        std::to_string(s.brush.hatch));
        break;
      case Op::Font:
        out.push_back("FONT " + s.font.face + " " + std::to_string(s.font.height) + " " +
                      std::to_string(s.font.weight) + " " + std::to_string(s.font.italic) + " " +
                      std::to_string(s.font.underline) + " " + std::to_string(s.font.strikeout) +
                      " " + std::to_string(s.font.escapement));
        break;
      case Op::BkMode:
        out.push_back("BKMODE " + std::to_string(s.bkMode));
        break;
      case Op::TextColor:
        out.push_back("TEXTCOLOR " + HexText(s.textColor));
        break;
      case Op::Line:
        out.push_back("LINE" + points(r));
        break;
      case Op::Rect:
        out.push_back("RECT" + points(r));
        break;
      case Op::Ellipse:
        out.push_back("ELLIPSE" + points(r));
        break;
      case Op::Polygon:
        out.push_back("POLYGON" + points(r));
        break;
      case Op::Text:
        out.push_back("TEXT" + points(r) + " \"" + r.text + "\" " + HexText(s.textColor));
        break;
    }
  }
  return out;
}

}  // namespace gdi
