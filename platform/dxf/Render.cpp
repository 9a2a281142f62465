#include "platform/dxf/Render.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/dxf/EntityViews.h"

namespace dxf {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kDeg = std::numbers::pi / 180;

}  // namespace

Renderer::Renderer(const Document& doc, Sink& sink, const Affine& toDevice, RenderOptions options)
    : doc_(doc), sink_(sink), toDevice_(toDevice), opt_(options) {
  clip_ = opt_.clipMaxX >= opt_.clipMinX && opt_.clipMaxY >= opt_.clipMinY;
  pts_.reserve(256);
}

void Renderer::DrawAll() {
  for (const Entity& e : doc_.Entities) Draw(e);
  sink_.Flush();
}

void Renderer::Draw(const Entity& e) {
  Context ctx;
  ctx.m = toDevice_;
  ctx.layer = "0";
  ctx.byBlockLineType = "CONTINUOUS";
  draw(e, ctx);
}

int Renderer::segmentsFor(double devRadius, double sweepRad) const {
  // Chords no further than a quarter pixel from the curve: the step angle is about
  // sqrt(8 * 0.25 / r) = sqrt(2 / r) for a radius of r pixels.
  double r = std::fabs(devRadius);
  if (!(r > 0.5)) return 4;
  double n = std::ceil(std::fabs(sweepRad) * std::sqrt(r / 2));
  if (!(n < 2048)) return 2048;
  return std::max(4, static_cast<int>(n));
}

void Renderer::arcPoints(const Affine& m, Point c, double r, double a0, double sweep) {
  if (a0 == 0) {
    arcFrom(m, c, r, 0, r, sweep);
  } else {
    arcFrom(m, c, r * std::cos(a0), r * std::sin(a0), r, sweep);
  }
}

void Renderer::arcFrom(const Affine& m, Point c, double ux, double uy, double r, double sweep,
                       bool skipFirst) {
  int n = segmentsFor(r * m.Scale(), sweep);
  // The points by a rotation recurrence: one sine and cosine per arc, not per point.
  const double step = sweep / n;
  const double cs = std::cos(step), sn = std::sin(step);
  for (int i = 0; i <= n; ++i) {
    if (i > 0 || !skipFirst) pts_.push_back(m(c.x + ux, c.y + uy));
    double nx = ux * cs - uy * sn;
    uy = ux * sn + uy * cs;
    ux = nx;
  }
}

bool Renderer::boxCulled(const Affine& m, double minX, double minY, double maxX,
                         double maxY) const {
  if (!clip_) return false;
  const Point corners[4] = {m(minX, minY), m(maxX, minY), m(minX, maxY), m(maxX, maxY)};
  double lx = corners[0].x, hx = lx, ly = corners[0].y, hy = ly;
  for (const Point& p : corners) {
    lx = std::min(lx, p.x), hx = std::max(hx, p.x);
    ly = std::min(ly, p.y), hy = std::max(hy, p.y);
  }
  return hx < opt_.clipMinX || lx > opt_.clipMaxX || hy < opt_.clipMinY || ly > opt_.clipMaxY;
}

void Renderer::ellipsePoints(const Affine& m, Point c, Point major, double ratio, double t0,
                             double t1) {
  Point minor{-major.y * ratio, major.x * ratio};
  double len = std::hypot(major.x, major.y);
  int n = segmentsFor(len * m.Scale(), t1 - t0);
  for (int i = 0; i <= n; ++i) {
    double t = t0 + (t1 - t0) * i / n;
    double cs = std::cos(t), sn = std::sin(t);
    pts_.push_back(m(c.x + cs * major.x + sn * minor.x, c.y + cs * major.y + sn * minor.y));
  }
}

bool Renderer::culled() const {
  if (!clip_ || pts_.empty()) return false;
  double minX = pts_[0].x, maxX = minX, minY = pts_[0].y, maxY = minY;
  for (const Point& p : pts_) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  return maxX < opt_.clipMinX || minX > opt_.clipMaxX || maxY < opt_.clipMinY ||
         minY > opt_.clipMaxY;
}

const std::vector<double>& Renderer::dashFor(std::string_view lineType, const Affine& m) {
  if (lineType.empty() || lineType == "CONTINUOUS") return noDash_;
  double scale = m.Scale() * (doc_.Head.LtScale > 0 ? doc_.Head.LtScale : 1);
  if (lineType == dashName_ && scale == dashScale_) return dash_;
  dashName_ = std::string(lineType);
  dashScale_ = scale;
  dash_.clear();
  const LineType* lt = doc_.LineTypes.Find(lineType);
  if (!lt || lt->Elements.empty()) return dash_;
  for (double el : lt->Elements) {
    // Dashes and gaps never shrink below a couple of pixels, so a pattern stays visible.
    double len = std::fabs(el) * scale;
    len = std::max(len, el == 0 ? 1.0 : 2.0);
    dash_.push_back(el < 0 ? -len : len);
  }
  bool anyGap = false;
  for (double d : dash_) anyGap = anyGap || d < 0;
  if (!anyGap) dash_.clear();
  // A pattern that is tiny in pixels is drawn solid.
  double total = 0;
  for (double d : dash_) total += std::fabs(d);
  if (total < 4) dash_.clear();
  return dash_;
}

std::string Renderer::faceFor(std::string_view style) {
  if (style == faceStyle_ && !face_.empty()) return face_;
  faceStyle_ = std::string(style);
  const TextStyle* s = doc_.TextStyles.Find(style);
  face_ = FontFaceForFile(s ? s->FontFileName : std::string());
  return face_;
}

void Renderer::emitChain(Rgb rgb, std::string_view lineType, const Affine& m, bool closed) {
  if (pts_.empty()) return;
  if (closed && pts_.size() > 2) pts_.push_back(pts_.front());
  if (culled()) return;
  if (pts_.size() == 1) {
    sink_.Dot(pts_[0], rgb, opt_.penWidth);
    return;
  }
  sink_.Polyline(pts_, rgb, opt_.penWidth, dashFor(lineType, m));
}

void Renderer::draw(const Entity& e, const Context& ctx) {
  if (e.Invisible || e.PaperSpace) return;
  // Layer-"0" contents of a block take the enclosing INSERT's layer.
  std::string_view layerName = e.LayerName;
  if (ctx.depth > 0 && layerName == "0") layerName = ctx.layer;
  const Layer* layer = doc_.Layers.Find(layerName);
  if (layer && !layer->Visible()) return;
  // Effective colour: 1-255 itself, BYLAYER the layer's, BYBLOCK the INSERT's (top level: the
  // layer's).
  int layerAci = layer ? layer->Color : 7;
  Rgb rgb;
  if (e.Color >= 1 && e.Color <= 255) {
    rgb = AciDisplayRgb(e.Color, opt_.background);
  } else if (e.Color == kByBlock && ctx.depth > 0) {
    rgb = ctx.byBlock;
  } else {
    rgb = AciDisplayRgb(layerAci, opt_.background);
  }
  std::string_view lineType = e.LineType;
  if (lineType == "BYLAYER" || lineType.empty()) {
    lineType = layer ? std::string_view(layer->LineType) : std::string_view("CONTINUOUS");
  } else if (lineType == "BYBLOCK") {
    lineType = ctx.depth > 0 ? ctx.byBlockLineType : std::string_view("CONTINUOUS");
  }

  const Affine& m = ctx.m;
  const std::string& t = e.EntityType;
  pts_.clear();
  if (t == "LINE") {
    pts_.push_back(m(e.X0, e.Y0));
    pts_.push_back(m(e.X1, e.Y1));
    emitChain(rgb, lineType, m);
  } else if (t == "LWPOLYLINE" || t == "POLYLINE") {
    drawPolyline(e, ctx, (e.Flags & 1) != 0);
    if (!pts_.empty()) emitChain(rgb, lineType, m);
  } else if (t == "SPLINE" || t == "LEADER") {
    for (const Vertex& v : e.Vertices) pts_.push_back(m(v.X0, v.Y0));
    emitChain(rgb, lineType, m, t == "SPLINE" && (e.Flags & 1));
  } else if (t == "CIRCLE") {
    const CircleView c(e);
    const double r = c.Radius;
    if (r > 0 && !boxCulled(m, c.CentreX - r, c.CentreY - r, c.CentreX + r, c.CentreY + r)) {
      arcPoints(m, c.Centre(), r, 0, kTwoPi);
      emitChain(rgb, lineType, m);
    }
  } else if (t == "ARC") {
    const ArcView a(e);
    const double r = a.Radius;
    double sweep = std::fmod(a.EndAngle - a.StartAngle, 360.0);
    if (sweep <= 0) sweep += 360;
    if (r > 0 && !boxCulled(m, a.CentreX - r, a.CentreY - r, a.CentreX + r, a.CentreY + r)) {
      arcPoints(m, a.Centre(), r, a.StartAngle * kDeg, sweep * kDeg);
      emitChain(rgb, lineType, m);
    }
  } else if (t == "ELLIPSE") {
    const EllipseView el(e);
    double t0 = el.StartParam, t1 = el.EndParam;
    if (t1 <= t0) t1 += kTwoPi;
    if (t1 - t0 > kTwoPi) t1 = t0 + kTwoPi;
    double ratio = el.Ratio > 0 ? el.Ratio : 1;
    double len = std::hypot(el.MajorX, el.MajorY);
    if (len > 0 &&
        !boxCulled(m, el.CentreX - len, el.CentreY - len, el.CentreX + len, el.CentreY + len)) {
      ellipsePoints(m, el.Centre(), el.Major(), ratio, t0, t1);
      emitChain(rgb, lineType, m);
    }
  } else if (t == "SOLID" || t == "TRACE") {
    // Points in the order 1-2-4-3; a triangle when 3 and 4 coincide.
    pts_ = {m(e.X0, e.Y0), m(e.X1, e.Y1), m(e.X3, e.Y3), m(e.X2, e.Y2)};
    if (e.X2 == e.X3 && e.Y2 == e.Y3) pts_.pop_back();
    if (!culled()) sink_.Polygon(pts_, rgb);
  } else if (t == "3DFACE") {
    pts_ = {m(e.X0, e.Y0), m(e.X1, e.Y1), m(e.X2, e.Y2)};
    if (e.X2 != e.X3 || e.Y2 != e.Y3) pts_.push_back(m(e.X3, e.Y3));
    emitChain(rgb, lineType, m, true);
  } else if (t == "POINT") {
    Point p = m(e.X0, e.Y0);
    pts_.push_back(p);
    if (!culled()) sink_.Dot(p, rgb, opt_.penWidth);
  } else if (t == "TEXT" || t == "ATTRIB") {
    drawText(e, ctx, rgb);
  } else if (t == "MTEXT") {
    drawMText(e, ctx, rgb);
  } else if (t == "INSERT") {
    drawInsert(e, ctx, layer, rgb, lineType);
  } else if (t == "DIMENSION") {
    // The dimension's picture is its block, drawn where it is defined.
    if (!e.BlockName.empty()) {
      drawBlock(e.BlockName, m, ctx, rgb, layerName, lineType);
    }
  } else if (t == "HATCH") {
    bool solid = SameName(e.BlockName, "SOLID");
    for (const Entity& loop : e.Children) {
      pts_.clear();
      drawPolyline(loop, ctx, true);
      if (pts_.size() < 2) continue;
      if (solid && e.Children.size() == 1) {
        if (!culled()) sink_.Polygon(pts_, rgb);
      } else {
        emitChain(rgb, lineType, m);
      }
    }
  }
  // ATTDEF, VIEWPORT, IMAGE and the rest are not drawn.
}

void Renderer::drawPolyline(const Entity& e, const Context& ctx, bool closed) {
  const Affine& m = ctx.m;
  const auto& vs = e.Vertices.items();
  // Spline frame points and polyface face records are not part of the drawn chain.
  auto skip = [](const Vertex& v) {
    return (v.Flags & 16) != 0 || ((v.Flags & 128) != 0 && (v.Flags & 64) == 0);
  };
  const Vertex* prev = nullptr;
  const Vertex* start = nullptr;
  auto segment = [&](const Vertex& a, const Vertex& b) {
    if (a.Bulge == 0 || !std::isfinite(a.Bulge)) {
      pts_.push_back(m(b.X0, b.Y0));
      return;
    }
    // A bulge is tan(sweep / 4); positive turns counter-clockwise from a to b. The centre
    // lies on the chord's normal at (1 - b^2) / (4 b) chords from its middle; the radius is
    // (1 + b^2) / (4 |b|) chords.
    double dx = b.X0 - a.X0, dy = b.Y0 - a.Y0;
    if (dx == 0 && dy == 0) return;
    const double bulge = a.Bulge, b2 = bulge * bulge;
    const double along = (1 - b2) / (4 * bulge);
    Point c{(a.X0 + b.X0) / 2 - dy * along, (a.Y0 + b.Y0) / 2 + dx * along};
    double r = std::hypot(dx, dy) * (1 + b2) / (4 * std::fabs(bulge));
    // The arc's first point repeats a, which is already in the chain.
    arcFrom(m, c, a.X0 - c.x, a.Y0 - c.y, r, 4 * std::atan(bulge), true);
  };
  for (const Vertex& v : vs) {
    if (skip(v)) continue;
    if (!prev) {
      pts_.push_back(m(v.X0, v.Y0));
      start = &v;
    } else {
      segment(*prev, v);
    }
    prev = &v;
  }
  if (closed && prev && start && prev != start) segment(*prev, *start);
}

void Renderer::drawInsert(const Entity& e, const Context& ctx, const Layer* layer, Rgb rgb,
                          std::string_view lineType) {
  std::string_view layerName =
      layer ? std::string_view(layer->Name()) : std::string_view(e.LayerName);
  if (ctx.depth > 0 && e.LayerName == "0") layerName = ctx.layer;
  const InsertView ins(e);
  int cols = std::clamp(ins.Columns, 1, 10000), rows = std::clamp(ins.Rows, 1, 10000);
  if (static_cast<long>(cols) * rows > 100000) cols = rows = 1;
  // A scale of 0 (a freshly appended INSERT) counts as 1.
  double sx = ins.XScale == 0 ? 1 : ins.XScale, sy = ins.YScale == 0 ? 1 : ins.YScale;
  const Block* b = doc_.Blocks.Find(ins.Block);
  if (!b) {
    if (std::find(missing_.begin(), missing_.end(), e.BlockName) == missing_.end()) {
      missing_.push_back(e.BlockName);
    }
  } else {
    for (int r = 0; r < rows && expanded_ <= opt_.maxExpanded; ++r) {
      for (int c = 0; c < cols && expanded_ <= opt_.maxExpanded; ++c) {
        Affine m = ctx.m * Affine::Translate(ins.X, ins.Y) * Affine::Rotation(ins.Rotation) *
                   Affine::Translate(c * ins.ColumnSpacing, r * ins.RowSpacing) *
                   Affine::Scaling(sx, sy) * Affine::Translate(-b->BaseX, -b->BaseY);
        drawBlock(b->Name, m, ctx, rgb, layerName, lineType);
      }
    }
  }
  // The attributes stand in the drawing's own coordinates.
  for (const Entity& a : e.Children) {
    Context actx = ctx;
    actx.depth = ctx.depth + 1;
    actx.layer = layerName;
    actx.byBlock = rgb;
    actx.byBlockLineType = lineType;
    draw(a, actx);
  }
}

void Renderer::drawBlock(const std::string& name, const Affine& m, const Context& ctx, Rgb rgb,
                         std::string_view layer, std::string_view lineType) {
  // Every copy counts against the budget, the refused ones too, so that the loops of nested
  // arrays end as soon as it is spent.
  if (++expanded_ > opt_.maxExpanded) return;
  if (ctx.depth >= opt_.maxDepth) return;  // self-reference or absurd nesting
  const Block* b = doc_.Blocks.Find(name);
  if (!b) {
    if (std::find(missing_.begin(), missing_.end(), name) == missing_.end()) {
      missing_.push_back(name);
    }
    return;
  }
  Context inner;
  inner.m = m;
  inner.layer = layer;
  inner.byBlock = rgb;
  inner.byBlockLineType = lineType;
  inner.depth = ctx.depth + 1;
  for (const Entity& child : b->Entities) {
    if (++expanded_ > opt_.maxExpanded) return;
    draw(child, inner);
  }
}

void Renderer::drawText(const Entity& e, const Context& ctx, Rgb rgb) {
  if (e.Text.empty()) return;
  const TextView text(e);
  const Affine& m = ctx.m;
  int h = static_cast<int>(text.HJust), v = static_cast<int>(text.VJust);
  bool useSecond = h != 0 || v != 0;
  double angle = text.Rotation;
  TextItem item;
  Point anchor = text.Insertion();
  double height = text.Height > 0 ? text.Height : 0.2;
  if (h == 3 || h == 5) {
    // Aligned and fit: the text runs from the first to the second point.
    double dx = text.AlignX - text.X, dy = text.AlignY - text.Y;
    if (dx != 0 || dy != 0) {
      angle = std::atan2(dy, dx) / kDeg;
      Point a = m(text.Insertion()), b = m(text.Alignment());
      item.fitLength = std::hypot(b.x - a.x, b.y - a.y);
    }
    h = 0;
    v = 0;
  } else if (h == 4) {
    anchor = text.Alignment();
    h = 1;
    v = 2;
  } else if (useSecond) {
    anchor = text.Alignment();
  }
  double rad = angle * kDeg;
  Point dir = m.Linear(std::cos(rad), std::sin(rad));
  Point up = m.Linear(-std::sin(rad) * height, std::cos(rad) * height);
  item.height = std::hypot(up.x, up.y);
  if (!(item.height > 0)) return;
  item.anchor = m(anchor.x, anchor.y);
  item.angle = std::atan2(opt_.deviceYDown ? -dir.y : dir.y, dir.x) / kDeg;
  double dirLen = std::hypot(dir.x, dir.y);
  item.widthFactor = (text.WidthFactor > 0 ? text.WidthFactor : 1) * dirLen * height / item.height;
  item.oblique = text.Oblique;
  item.hjust = std::clamp(h, 0, 2);
  item.vjust = std::clamp(v, 0, 3);
  item.text = e.Text;
  item.face = faceFor(e.TextStyle);
  item.rgb = rgb;
  if (clip_) {
    double reach =
        item.height * (static_cast<double>(e.Text.size()) + 2) * std::max(1.0, item.widthFactor);
    if (item.anchor.x + reach < opt_.clipMinX || item.anchor.x - reach > opt_.clipMaxX ||
        item.anchor.y + reach < opt_.clipMinY || item.anchor.y - reach > opt_.clipMaxY) {
      return;
    }
  }
  emitText(item, e.Text.size());
}

void Renderer::emitText(const TextItem& item, size_t chars) {
  if (item.height >= opt_.minTextHeight) {
    sink_.Text(item);
    return;
  }
  // A greeked text: a line of about its length along the baseline.
  double len = item.fitLength > 0
                   ? item.fitLength
                   : 0.6 * item.height * item.widthFactor * static_cast<double>(chars);
  double a = item.angle * kDeg;
  double dx = std::cos(a), dy = opt_.deviceYDown ? -std::sin(a) : std::sin(a);
  double start = item.hjust == 1 ? -len / 2 : item.hjust == 2 ? -len : 0;
  pts_.clear();
  pts_.push_back({item.anchor.x + dx * start, item.anchor.y + dy * start});
  pts_.push_back({item.anchor.x + dx * (start + len), item.anchor.y + dy * (start + len)});
  if (!culled()) sink_.Polyline(pts_, item.rgb, opt_.penWidth, noDash_);
}

void Renderer::drawMText(const Entity& e, const Context& ctx, Rgb rgb) {
  std::vector<std::string> lines = MTextLines(e.Text);
  if (lines.empty()) return;
  const MTextView mt(e);
  const Affine& m = ctx.m;
  double height = mt.Height > 0 ? mt.Height : 0.2;
  double spacing = height * 5.0 / 3.0 * (mt.LineSpacing > 0 ? mt.LineSpacing : 1);
  int att = std::clamp(mt.Attachment, 1, 9);
  int hjust = (att - 1) % 3, row = (att - 1) / 3;
  double block = height + spacing * static_cast<double>(lines.size() - 1);
  double top = row == 0 ? 0 : row == 1 ? block / 2 : block;  // block top above the anchor
  double rad = mt.Rotation * kDeg;
  Point dir{std::cos(rad), std::sin(rad)}, upUnit{-std::sin(rad), std::cos(rad)};
  Point devDir = m.Linear(dir.x, dir.y);
  Point devUp = m.Linear(upUnit.x * height, upUnit.y * height);
  TextItem item;
  item.height = std::hypot(devUp.x, devUp.y);
  if (!(item.height > 0)) return;
  item.angle = std::atan2(opt_.deviceYDown ? -devDir.y : devDir.y, devDir.x) / kDeg;
  item.widthFactor = std::hypot(devDir.x, devDir.y) * height / item.height;
  item.hjust = hjust;
  item.vjust = 3;
  item.face = faceFor(e.TextStyle);
  item.rgb = rgb;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    double off = top - spacing * static_cast<double>(i);
    item.anchor = m(mt.X + upUnit.x * off, mt.Y + upUnit.y * off);
    item.text = lines[i];
    emitText(item, lines[i].size());
  }
}

std::vector<std::string> MTextLines(const std::string& raw) {
  std::vector<std::string> lines(1);
  size_t i = 0, n = raw.size();
  auto skipTo = [&](char end) {
    size_t k = raw.find(end, i);
    i = k == std::string::npos ? n : k + 1;
  };
  while (i < n) {
    char c = raw[i];
    if (c == '{' || c == '}') {
      ++i;
      continue;
    }
    if (c != '\\' || i + 1 >= n) {
      lines.back() += c;
      ++i;
      continue;
    }
    char k = raw[i + 1];
    i += 2;
    switch (k) {
      case 'P':
        lines.emplace_back();
        break;
      case '~':
        lines.back() += ' ';
        break;
      case '\\':
      case '{':
      case '}':
        lines.back() += k;
        break;
      case 'A':
      case 'C':
      case 'c':
      case 'f':
      case 'F':
      case 'H':
      case 'h':
      case 'Q':
      case 'q':
      case 'T':
      case 't':
      case 'W':
      case 'w':
      case 'p':
        skipTo(';');
        break;
      case 'S': {
        size_t end = raw.find(';', i);
        std::string stack = raw.substr(i, end == std::string::npos ? std::string::npos : end - i);
        for (char& s : stack) {
          if (s == '^' || s == '#') s = '/';
        }
        lines.back() += stack;
        i = end == std::string::npos ? n : end + 1;
        break;
      }
      case 'L':
      case 'l':
      case 'O':
      case 'o':
      case 'K':
      case 'k':
        break;
      default:
        lines.back() += k;
        break;
    }
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace dxf
