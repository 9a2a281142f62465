#pragma once
// A canvas that records every primitive and every change of DC object, for tests. It draws
// nothing; its text metrics are fixed arithmetic on the cell height so that layouts can be
// checked exactly: width = round(0.55 x cell x characters) for the widest line, height = cell x
// lines.
#include <string>
#include <vector>

#include "platform/gdi/Canvas.h"

namespace gdi {

class RecordingCanvas : public Canvas {
 public:
  enum class Op { Clear, Pen, Brush, Font, BkMode, TextColor, Line, Rect, Ellipse, Polygon, Text };
  struct Record {
    Op op;
    std::vector<Point> points;  // Line, Rect, Ellipse: two corners; Polygon: its vertices
    std::string text;
    DcState state;  // the DC state when the primitive was drawn
  };

  RecordingCanvas(TargetKind kind, double width, double height, int logPixelsY = kScreenDpi);

  TargetKind kind() const override { return kind_; }
  double width() const override { return width_; }
  double height() const override { return height_; }
  double aspect() const override { return aspect_; }
  void setAspect(double a) { aspect_ = a; }

  void clear() override;
  void selectPen(const Pen& pen) override;
  void selectBrush(const Brush& brush) override;
  void selectFont(const Font& font) override;
  void setBkMode(int mode) override;
  void setTextColor(Rgb color) override;
  void rectangle(double x1, double y1, double x2, double y2) override;
  void ellipse(double x1, double y1, double x2, double y2) override;
  void polygon(const std::vector<Point>& points) override;
  void textOut(double x, double y, std::string_view text) override;
  Extent textExtent(std::string_view text) override;

  const std::vector<Record>& records() const { return records_; }
  void forget() { records_.clear(); }
  // The records of one kind.
  std::vector<Record> only(Op op) const;
  // The recording as text, one primitive a line: "PEN 2 #ff0000" (a style other than solid
  // follows as "style n"), "BRUSH hollow",
  // "BRUSH #ff0000 solid", "BRUSH #ff0000 hatch 3", "FONT Arial 14 700 0 0 0 900", "BKMODE 1",
  // "TEXTCOLOR #000000", "LINE x1 y1 x2 y2", "RECT ...", "ELLIPSE ...", "POLYGON x y x y ...",
  // "TEXT x y \"text\" #rrggbb", "CLEAR". Numbers in their shortest form.
  std::vector<std::string> lines() const;

 protected:
  void line(double x1, double y1, double x2, double y2) override;

 private:
  void add(Op op, std::vector<Point> points, std::string text = {});

  TargetKind kind_;
  double width_, height_;
  double aspect_ = 0;
  std::vector<Record> records_;
};

// Shortest text of a number for recordings ("12", "12.5", "-0.25").
std::string ShortNumber(double value);

}  // namespace gdi
