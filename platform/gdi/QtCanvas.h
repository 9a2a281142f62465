#pragma once
// The canvas over a QPainter: a QImage picture (the chart pictures, the assumptions box, the
// preview window) and a printer page (any QPagedPaintDevice with its own resolution: a
// QPrinter with fullPage off, or a QPdfWriter). Lines and fills are drawn aliased, as GDI draws
// them; text is antialiased. No world transform is used, so hatch patterns stay 8 device
// pixels apart as with GDI.
#include <QFont>
#include <QImage>
#include <memory>
#include <string>

#include "platform/gdi/Canvas.h"

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

namespace gdi {

// The Qt font family that stands for a Windows face name ("Arial" -> a metric-compatible sans
// where installed), and the Qt font of a canvas font on a device of the given dpi.
QString QtFamily(const std::string& face);
QFont ToQFont(const Font& font, int deviceDpi);

class PainterCanvas : public Canvas {
 public:
  ~PainterCanvas() override;

  void rectangle(double x1, double y1, double x2, double y2) override;
  void ellipse(double x1, double y1, double x2, double y2) override;
  void polygon(const std::vector<Point>& points) override;
  void textOut(double x, double y, std::string_view text) override;
  Extent textExtent(std::string_view text) override;

 protected:
  explicit PainterCanvas(int logPixelsY);
  virtual QPaintDevice* device() = 0;
  // Opens the painter on the first drawing after construction or endPainting(). A back end may
  // open it on another device, or throw to refuse the drawing (a printer that cannot start).
  virtual std::unique_ptr<QPainter> openPainter();
  // The painter on the device, begun on first use.
  QPainter& painter();
  void endPainting();
  // The device now has another resolution (another printer was chosen): the default font, the
  // twips per pixel and the fonts made for the old resolution are renewed. Only while no
  // painter is open.
  void deviceChanged(int logPixelsY);
  bool painting() const { return painter_ != nullptr; }
  void line(double x1, double y1, double x2, double y2) override;

 private:
  void applyPenAndBrush(QPainter& p);
  const QFont& currentQFont();

  std::unique_ptr<QPainter> painter_;
  Font cachedFont_;
  QFont cachedQFont_;
  bool cachedValid_ = false;
};

// A picture surface of its own, in screen pixels (96 dpi), filled with its back colour; what is
// drawn on it stays until it is cleared. On a screen of a higher device pixel ratio the picture
// holds that many image pixels per screen pixel (its width and height stay in screen pixels,
// as everything drawn on it does), so that it shows as sharp as the screen can.
class PictureCanvas : public PainterCanvas {
 public:
  PictureCanvas(int width, int height, Rgb backColor = 0xFFFFFF,
                TargetKind kind = TargetKind::Picture, double devicePixelRatio = 1);
  ~PictureCanvas() override;

  TargetKind kind() const override { return kind_; }
  double width() const override { return width_; }
  double height() const override { return height_; }
  double devicePixelRatio() const { return image_.devicePixelRatio(); }
  void clear() override;

  Rgb backColor() const { return back_; }
  void setBackColor(Rgb color) { back_ = color; }
  // The picture as drawn so far.
  const QImage& image();
  // The colour of an image pixel (a screen pixel at a device pixel ratio of 1).
  Rgb pixel(int x, int y);
  bool savePng(const std::string& path);

 protected:
  QPaintDevice* device() override { return &image_; }

 private:
  TargetKind kind_;
  Rgb back_;
  int width_, height_;
  QImage image_;
  QImage spare_;  // the picture handed out before the last clear()
};

// The printer page: width and height are the printable area in printer pixels, the origin its
// top-left corner.
class PrinterCanvas : public PainterCanvas {
 public:
  explicit PrinterCanvas(QPagedPaintDevice& device);
  ~PrinterCanvas() override;

  TargetKind kind() const override { return TargetKind::Printer; }
  double width() const override;
  double height() const override;

  // Ends the page and starts the next one.
  bool newPage();
  // Ends the print job (the document is written).
  void finish();

 protected:
  QPaintDevice* device() override;

 private:
  QPagedPaintDevice& device_;
};

}  // namespace gdi
