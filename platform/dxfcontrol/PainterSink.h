#pragma once
// The sink that draws onto a QPainter: screen, bitmaps and RenderToPicture. Device units are the
// painter's pixels, y down.
#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/dxf/Render.h"

namespace dxf {

// The program's RGB (0x00BBGGRR) as a QColor.
inline QColor ToQColor(Rgb rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

class PainterSink : public Sink {
 public:
  explicit PainterSink(QPainter& painter);
  ~PainterSink() override { Flush(); }
  void Polyline(const std::vector<Point>& pts, Rgb rgb, double width,
                const std::vector<double>& dash) override;
  void Polygon(const std::vector<Point>& pts, Rgb rgb) override;
  void Text(const TextItem& text) override;
  void Dot(Point p, Rgb rgb, double width) override;
  void Flush() override;

 private:
  void setPen(Rgb rgb, double width, const std::vector<double>& dash);
  struct FontInfo {
    QFont font;
    double capHeight = 1;
    double descent = 0;
  };
  const FontInfo& font(const std::string& face);

  QPainter& p_;
  QPen pen_;
  bool havePen_ = false;
  Rgb penRgb_ = 0;
  double penWidth_ = -1;
  std::vector<double> penDash_;
  std::vector<QPointF> buf_;
  // Solid lines of the current pen, drawn in one call: far faster than one call per entity,
  // and the drawing order is kept because the batch is drawn before anything else.
  std::vector<QLineF> lines_;
  std::map<std::string, FontInfo> fonts_;
  std::vector<std::pair<std::pair<Rgb, double>, QPen>> solidPens_;
};

}  // namespace dxf
