#pragma once
// The sink that draws onto a QPainter: screen, bitmaps and RenderToPicture. Device units are the
// painter's pixels, y down.
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QImage>
#include <QRectF>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dxf/Render.h"

namespace dxf {

// The program's RGB (0x00BBGGRR) as a QColor.
inline QColor ToQColor(Rgb rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

// The measures of the faces as the painter sink draws them: the renderer places texts on their
// baselines by them, for the screen and for every export that shows what the screen does.
const FontMeasures& ScreenFonts();

class PainterSink : public Sink {
 public:
  // `clip`: the clip rectangle the painter was given, if any. On an image the solid lines of each
  // pen are drawn by a painter of their own over the same pixels (in the same order, so the
  // pixels come out the same): a pen change then costs no new pen in the paint engine. A painter
  // with another transform or a clip the sink is not told of draws everything itself.
  explicit PainterSink(QPainter& painter, const QRectF* clip = nullptr);
  ~PainterSink() override { Flush(); }
  void Polyline(const std::vector<Point>& pts, Rgb rgb, double width,
                const std::vector<double>& dash) override;
  void Polygon(const std::vector<Point>& pts, Rgb rgb) override;
  void Text(const TextItem& text) override;
  void Dot(Point p, Rgb rgb, double width) override;
  void Flush() override;

 private:
  void setPen(Rgb rgb, double width, const std::vector<double>& dash);
  static QPen makePen(Rgb rgb, double width, const std::vector<double>& dash);
  // The painter of a solid pen over the image's pixels.
  QPainter& penPainter(Rgb rgb, double width);
  struct FontInfo {
    QFont font;
    double capHeight = 1;
    std::optional<QFontMetricsF> metrics;  // made by the sink that uses it
  };
  // The advance of `text` in the face at the layout size.
  double advance(FontInfo& fi, const std::string& face, const std::string& text, const QString& s);
  FontInfo& font(const std::string& face);

  QPainter& p_;
  QPainter* linePainter_;  // the painter of the current pen: p_ or one of penPainters_
  QPen pen_;
  // Painters over the same pixels as p_, one per solid pen.
  struct PenPainter {
    Rgb rgb = 0;
    double width = 0;
    unsigned long used = 0;  // penClock_ when last chosen
    std::unique_ptr<QImage> image;      // the device's pixels
    std::unique_ptr<QPainter> painter;  // ends before its image goes
  };
  std::vector<PenPainter> penPainters_;
  unsigned long penClock_ = 0;
  QImage* image_ = nullptr;  // the device, when pen painters are used
  bool hasClip_ = false;
  QRectF clip_;
  bool havePen_ = false;
  Rgb penRgb_ = 0;
  double penWidth_ = -1;
  std::vector<double> penDash_;
  std::vector<QPointF> buf_;
  // Solid lines of the current pen, drawn in one call: far faster than one call per entity,
  // and the drawing order is kept because the batch is drawn before anything else.
  std::vector<QLineF> lines_;
  double batchPixels_ = 0;  // the length of the lines in the batch, in pixels
  double span_ = 1e6;       // the device's width and height together
  std::map<std::string, FontInfo> fonts_;
  std::vector<std::pair<std::pair<Rgb, double>, QPen>> solidPens_;
};

}  // namespace dxf
