#pragma once
// Rendering of a drawing onto an abstract sink: the renderer resolves layers, colours and
// linetypes, expands INSERT and DIMENSION blocks, turns arcs, bulges and ellipses into point
// chains and places texts; the sink only draws primitives in device units. Sinks: the metafile
// writer and a recording sink for tests here, the QPainter sink of the drawing control
// (platform/dxfcontrol: screen, bitmaps, RenderToPicture).
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/dxf/Aci.h"
#include "platform/dxf/Document.h"
#include "platform/dxf/Geometry.h"

namespace dxf {

// One line of text as the sink draws it: the renderer has placed it on its baseline, so that
// every sink sets it at the same height; only where along the baseline the anchor lies (hjust)
// is left to the sink, which alone knows the text's length.
struct TextItem {
  std::string text;   // UTF-8, one line
  Point anchor;       // device units: the start, middle or end of the baseline (hjust)
  double height = 0;  // cap height in device units
  double angle = 0;   // degrees, counter-clockwise as the viewer sees it
  std::string face;
  Rgb rgb = 0;
  int hjust = 0;  // 0 left, 1 centre, 2 right
  double widthFactor = 1;
  double oblique = 0;    // degrees
  double fitLength = 0;  // > 0: stretch the text to this baseline length
};

// The vertical measures of a face, in any one unit: the renderer places a text that stands by
// its bottom, middle or top on its baseline by them. The defaults, in ems, are those of a
// typical sans-serif face.
struct FaceMeasures {
  double capHeight = 0.72;
  double descent = 0.21;  // below the baseline
};
class FontMeasures {
 public:
  virtual ~FontMeasures() = default;
  // Called from the threads that render in bands, so it must be safe to call from several.
  virtual FaceMeasures Measure(const std::string& face) const = 0;
};

class Sink {
 public:
  virtual ~Sink() = default;
  // An open chain of points (a closed outline repeats its first point). `dash` holds dash
  // (> 0) and gap (< 0) lengths in device units; empty is a solid line.
  virtual void Polyline(const std::vector<Point>& pts, Rgb rgb, double width,
                        const std::vector<double>& dash) = 0;
  // A filled polygon.
  virtual void Polygon(const std::vector<Point>& pts, Rgb rgb) = 0;
  virtual void Text(const TextItem& text) = 0;
  virtual void Dot(Point p, Rgb rgb, double width) = 0;
  // Ends the drawing: a sink that batches primitives draws what it still holds.
  virtual void Flush() {}
};

struct RenderOptions {
  Rgb background = MakeRgb(255, 255, 255);
  double penWidth = 1;      // device units
  bool deviceYDown = true;  // false when the device keeps the drawing's y up (tests)
  // Device-space rectangle outside which entities may be skipped; empty (max < min): none.
  double clipMinX = 0, clipMinY = 0, clipMaxX = -1, clipMaxY = -1;
  int maxDepth = 16;  // nesting limit of blocks (a block that inserts itself stops there)
  // Limit of entities drawn through blocks in one pass, so nested arrays cannot freeze a redraw.
  long maxExpanded = 250000;
  // Limit of the points sent to the sink in one pass. Together with the limit above it bounds
  // the work of a redraw whatever the file asks for; a pass that reaches either stops drawing
  // and says so through Truncated().
  long maxPoints = 20000000;
  // Limit of the time of one pass in seconds (0: none). The screen sets one so that no drawing
  // can freeze the window; tests leave it off to draw the same on any machine.
  double maxSeconds = 0;
  // Texts smaller than this (device units) are drawn as a line along their baseline, as CAD
  // programs do: unreadable anyway, and shaping thousands of them would slow every redraw.
  double minTextHeight = 0;
  // The measures of the faces the texts are drawn in (the screen's fonts); null: the
  // FaceMeasures defaults for every face.
  const FontMeasures* fonts = nullptr;
};

class Renderer {
 public:
  Renderer(const Document& doc, Sink& sink, const Affine& toDevice, RenderOptions options = {});
  // Draws every top-level entity in list order.
  void DrawAll();
  // Draws one entity as at the top level.
  void Draw(const Entity& e);
  // The device box of what drawing `e` at the top level may touch; false when it draws
  // nothing. Sides are infinite for an entity whose reach cannot be bounded.
  bool DeviceBounds(const Entity& e, double& minX, double& minY, double& maxX, double& maxY);
  // Names of blocks that were referenced and missing (each once).
  const std::vector<std::string>& MissingBlocks() const { return missing_; }
  // Whether a budget of the options stopped the drawing before everything was drawn.
  bool Truncated() const { return truncated_; }

 private:
  struct Context {
    Affine m;
    std::string_view layer;  // the enclosing INSERT's layer (for layer-"0" contents)
    Rgb byBlock = 0;         // the enclosing INSERT's colour
    std::string_view byBlockLineType;
    int depth = 0;
  };
  void draw(const Entity& e, const Context& ctx);
  void drawInsert(const Entity& e, const Context& ctx, const Layer* layer, Rgb rgb,
                  std::string_view lineType);
  void drawBlock(const Block* b, const Affine& m, const Context& ctx, Rgb rgb,
                 std::string_view layer, std::string_view lineType);
  const Block* findBlock(const std::string& name);
  const Layer* findLayer(std::string_view name);
  // Bounds in the block's own coordinates of what drawing the block may touch (unbounded for a
  // block that inserts itself); computed once per block and pass.
  const Box& blockBounds(const Block* b, int depth);
  void entityBounds(const Entity& e, Box& box, int depth);
  void entityBoundsOf(const Entity& e, int kind, Box& box, int depth);  // a visible entity
  // Whether the device box of `local` under m lies within the clip rectangle (false when
  // that is not known cheaply).
  bool boxInside(const Affine& m, const Box& local) const;
  // Whether the device box of `local` under m misses the clip rectangle.
  bool boxCulled(const Affine& m, const Box& local) const;
  // The points of c + u cos t + v sin t for t from t0 over `sweep` radians; a curve much larger
  // than the clip rectangle is flattened only where it crosses it, each visible piece its own
  // chain. `devRadius` sets the number of points.
  void curve(const Affine& m, Point c, Point u, Point v, double t0, double sweep, double devRadius,
             Rgb rgb, std::string_view lineType);
  bool large(const Affine& m, Point u, Point v) const;
  bool spend(size_t points);
  bool outOfTime();
  void drawText(const Entity& e, const Context& ctx, Rgb rgb);
  void drawMText(const Entity& e, const Context& ctx, Rgb rgb);
  // Sends a text, placed on its baseline, to the sink; a text too small to read becomes a line.
  // `vjust` tells what of the text its anchor marks: 0 baseline, 1 bottom, 2 middle, 3 top.
  void emitText(TextItem& item, size_t chars, int vjust);
  void placeOnBaseline(TextItem& item, int vjust);
  // Flattens a polyline into pts_, in colour `rgb` and `lineType`. With `mayCut` (an outline)
  // parts of the chain may go to the sink already: a bulge far larger than the clip rectangle,
  // drawn only where it crosses it, and a chain that reaches kChainPoints; what is left stays
  // in pts_. Without (a fill) the whole chain stays in pts_, or the drawing stops. Gives
  // whether parts went to the sink.
  bool drawPolyline(const Entity& e, const Context& ctx, bool closed, Rgb rgb,
                    std::string_view lineType, bool mayCut);
  void emitChain(Rgb rgb, std::string_view lineType, const Affine& m, bool closed = false);
  void arcPoints(const Affine& m, Point c, double r, double a0, double sweep);
  // An arc from the start vector (ux, uy) about c, of radius r, turning by `sweep` radians.
  void arcFrom(const Affine& m, Point c, double ux, double uy, double r, double sweep,
               bool skipFirst = false);
  void ellipsePoints(const Affine& m, Point c, Point major, double ratio, double t0, double t1);
  int segmentsFor(double devRadius, double sweepRad) const;
  bool culled() const;
  bool boxCulled(const Affine& m, double minX, double minY, double maxX, double maxY) const;
  const std::vector<double>& dashFor(std::string_view lineType, const Affine& m);
  std::string faceFor(std::string_view style);

  // std::sin and std::cos of t, and the sweep of a bulge, the values of recent arguments kept:
  // the arcs of a drawing repeat the same angles and bulges.
  void sinCos(double t, double& sn, double& cs);
  double sweepOf(double bulge);
  // m.Scale(), kept for the last map asked for.
  double scaleOf(const Affine& m);

  const Document& doc_;
  Sink& sink_;
  Affine toDevice_;
  RenderOptions opt_;
  bool clip_ = false;
  bool inside_ = false;  // the entity being drawn lies within the clip rectangle
  std::vector<Point> pts_;  // the chain being built, in device units
  // The most points one chain holds, whatever the drawing asks for: so the memory of a redraw
  // does not grow with a polyline's vertex count.
  static constexpr size_t kChainPoints = size_t{1} << 20;
  std::vector<double> dash_;
  std::vector<double> noDash_;
  std::string dashName_;
  double dashScale_ = -1;
  std::string faceStyle_, face_;
  std::string measuredFace_;  // the face of measures_
  bool measured_ = false;
  FaceMeasures measures_;
  std::vector<std::string> missing_;
  long expanded_ = 0;
  long points_ = 0;
  bool truncated_ = false;
  long sinceClock_ = 0;
  std::chrono::steady_clock::time_point deadline_;
  std::unordered_map<std::string, const Block*> blocks_;
  std::unordered_map<const Block*, Box> bounds_;
  struct LayerHit {
    std::string_view name;
    const Layer* layer = nullptr;
  };
  struct Trig {
    std::uint64_t key = 0;  // the argument's bits
    bool known = false;
    double a = 0, b = 0;
  };
  static constexpr int kTrig = 64;
  Trig sinCos_[kTrig], sweeps_[kTrig];
  Affine scaleMap_{NAN, NAN, NAN, NAN, 0, 0};
  double scale_ = 1;
  static constexpr int kLayerHits = 8;
  LayerHit layerHits_[kLayerHits];
  int nextLayerHit_ = 0;
};

// The plain lines of an MTEXT value: \P breaks lines, formatting codes (\A \C \f \H \Q \T \W
// \L \O \K, braces) are dropped, \~ is a space, \S stacks show as "a/b".
std::vector<std::string> MTextLines(const std::string& raw);

// A sink that keeps what it is given, for tests.
class RecordingSink : public Sink {
 public:
  struct Item {
    enum Kind { kPolyline, kPolygon, kText, kDot } kind;
    std::vector<Point> pts;
    Rgb rgb = 0;
    double width = 0;
    std::vector<double> dash;
    TextItem text;
  };
  void Polyline(const std::vector<Point>& pts, Rgb rgb, double width,
                const std::vector<double>& dash) override {
    items.push_back({Item::kPolyline, pts, rgb, width, dash, {}});
  }
  void Polygon(const std::vector<Point>& pts, Rgb rgb) override {
    items.push_back({Item::kPolygon, pts, rgb, 0, {}, {}});
  }
  void Text(const TextItem& t) override {
    items.push_back({Item::kText, {t.anchor}, t.rgb, 0, {}, t});
  }
  void Dot(Point p, Rgb rgb, double width) override {
    items.push_back({Item::kDot, {p}, rgb, width, {}, {}});
  }
  std::vector<Item> items;
};

}  // namespace dxf
