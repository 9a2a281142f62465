// The Windows metafile format written by hand: nothing on Linux writes it. Records are
// little-endian 16-bit words: a 32-bit size in words, the function number, the parameters.
#include "platform/dxf/Wmf.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/dxf/Render.h"

namespace dxf {

namespace {

enum : uint16_t {
  kEof = 0x0000,
  kSetBkMode = 0x0102,
  kSetMapMode = 0x0103,
  kSetPolyFillMode = 0x0106,
  kSetTextAlign = 0x012E,
  kSelectObject = 0x012D,
  kDeleteObject = 0x01F0,
  kSetTextColor = 0x0209,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kCreatePenIndirect = 0x02FA,
  kCreateFontIndirect = 0x02FB,
  kCreateBrushIndirect = 0x02FC,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kExtTextOut = 0x0A32,
};
constexpr uint16_t kMmAnisotropic = 8;
constexpr uint16_t kTransparent = 1;
constexpr uint16_t kTaBaseline = 24, kTaCenter = 6, kTaRight = 2;
constexpr int kMaxPointsPerRecord = 8000;

// Unicode to Windows-1252 for the font's ANSI character set; other characters become "?".
std::string ToCp1252(const std::string& utf8) {
  static const char16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    char32_t cp = c;
    int len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
    if (len > 1 && i + static_cast<size_t>(len) <= utf8.size()) {
      cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
      for (int k = 1; k < len; ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
    } else {
      len = 1;
    }
    i += static_cast<size_t>(len);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
      continue;
    }
    if (cp == 0x2300) {
      out += static_cast<char>(0xD8);  // the diameter sign shown as a slashed O
      continue;
    }
    char sub = '?';
    for (int k = 0; k < 32; ++k) {
      if (high[k] == cp && cp != 0) sub = static_cast<char>(0x80 + k);
    }
    out += sub;
  }
  return out;
}

class WmfSink : public Sink {
 public:
  WmfSink(double width, double height) : w_(width), h_(height) {}

  void Polyline(const std::vector<Point>& pts, Rgb rgb, double,
                const std::vector<double>& dash) override {
    usePen(rgb, dash.empty() ? 0 : 1);
    // Segments are clipped to the 16-bit range, so far-off points never wrap around.
    std::vector<Point>& run = run_;
    run.clear();
    auto flush = [&] {
      if (run.size() >= 2) points(kPolyline, run);
      run.clear();
    };
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
      Point a = pts[i], b = pts[i + 1];
      if (!clip(a, b)) {
        flush();
        continue;
      }
      if (run.empty() || run.back().x != a.x || run.back().y != a.y) {
        flush();
        run.push_back(a);
      }
      run.push_back(b);
      if (static_cast<int>(run.size()) >= kMaxPointsPerRecord) {
        Point last = run.back();
        flush();
        run.push_back(last);
      }
    }
    flush();
  }

  void Polygon(const std::vector<Point>& pts, Rgb rgb) override {
    if (pts.size() < 3) return;
    usePen(rgb, 0);
    useBrush(rgb);
    std::vector<Point>& clamped = run_;
    clamped.clear();
    for (const Point& p : pts) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
      clamped.push_back({Clamp(p.x), Clamp(p.y)});
    }
    if (clamped.size() > static_cast<size_t>(kMaxPointsPerRecord)) return;
    points(kPolygon, clamped);
  }

  void Dot(Point p, Rgb rgb, double) override {
    dot_ = {p, {p.x + 1, p.y}};
    Polyline(dot_, rgb, 1, {});
  }

  void Text(const TextItem& t) override {
    std::string bytes = ToCp1252(t.text);
    if (bytes.empty() || bytes.size() > 4000) return;
    if (std::fabs(t.anchor.x) > 32000 || std::fabs(t.anchor.y) > 32000) return;
    double em = t.height / 0.72;  // cap height to the font's em height
    if (em < 1 || em > 32000) return;
    useFont(t.face, em, t.angle, t.widthFactor);
    if (!haveTextColor_ || textColor_ != t.rgb) {
      begin(kSetTextColor);
      u32(t.rgb);
      end();
      textColor_ = t.rgb;
      haveTextColor_ = true;
    }
    uint16_t align = kTaBaseline | (t.hjust == 1 ? kTaCenter : t.hjust == 2 ? kTaRight : 0);
    if (align != align_) {
      begin(kSetTextAlign);
      u16(align);
      end();
      align_ = align;
    }
    begin(kExtTextOut);  // at the anchor, which the renderer placed on the baseline
    i16(Clamp(t.anchor.y));
    i16(Clamp(t.anchor.x));
    u16(static_cast<uint16_t>(bytes.size()));
    u16(0);  // no options, no rectangle
    bytes_.append(bytes);
    if (bytes.size() % 2) bytes_ += '\0';
    end();
  }

  // The whole file: placeable header, META header, setup records, the body, EOF.
  std::string Finish(uint16_t unitsPerInch) {
    // Release what is still selected-and-owned so players see a clean object table.
    for (int slot : {pen_, brush_, font_}) {
      if (slot >= 0) deleteObject(slot);
    }
    begin(kEof);
    end();
    std::string body = std::move(bytes_);
    bytes_.clear();
    int16_t right = static_cast<int16_t>(std::lround(w_)),
            bottom = static_cast<int16_t>(std::lround(h_));
    // Setup records.
    begin(kSetMapMode);
    u16(kMmAnisotropic);
    end();
    begin(kSetWindowOrg);
    i16(0);
    i16(0);
    end();
    begin(kSetWindowExt);
    i16(bottom);
    i16(right);
    end();
    begin(kSetBkMode);
    u16(kTransparent);
    end();
    begin(kSetPolyFillMode);
    u16(2);  // WINDING
    end();
    std::string setup = std::move(bytes_);
    bytes_.clear();
    size_t totalWords = 9 + (setup.size() + body.size()) / 2;
    // Placeable header.
    u32(0x9AC6CDD7u);
    u16(0);  // handle
    i16(0);
    i16(0);
    i16(right);
    i16(bottom);
    u16(unitsPerInch);
    u32(0);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) {
      sum ^= static_cast<uint16_t>(static_cast<unsigned char>(bytes_[i]) |
                                   (static_cast<unsigned char>(bytes_[i + 1]) << 8));
    }
    u16(sum);
    // META header.
    u16(1);  // in memory
    u16(9);
    u16(0x0300);
    u32(static_cast<uint32_t>(totalWords));
    u16(static_cast<uint16_t>(std::max<size_t>(1, slots_.size())));
    u32(static_cast<uint32_t>(std::max<size_t>(maxRecord_, 3)));
    u16(0);
    return bytes_ + setup + body;
  }

 private:
  static double Clamp(double v) { return std::clamp(std::round(v), -32767.0, 32767.0); }

  // Segments clipped to the 16-bit square and rounded; false when nothing is left.
  static bool clip(Point& a, Point& b) {
    if (!ClipSegment(a, b, -32000, 32000)) return false;
    a = {std::round(a.x), std::round(a.y)};
    b = {std::round(b.x), std::round(b.y)};
    return true;
  }

  void begin(uint16_t function) {
    start_ = bytes_.size();
    u32(0);
    u16(function);
  }
  void end() {
    size_t words = (bytes_.size() - start_) / 2;
    uint32_t w = static_cast<uint32_t>(words);
    for (int k = 0; k < 4; ++k) bytes_[start_ + k] = static_cast<char>((w >> (8 * k)) & 0xFF);
    maxRecord_ = std::max(maxRecord_, words);
  }
  void u16(uint16_t v) {
    bytes_ += static_cast<char>(v & 0xFF);
    bytes_ += static_cast<char>(v >> 8);
  }
  void i16(double v) { u16(static_cast<uint16_t>(static_cast<int16_t>(Clamp(v)))); }
  void u32(uint32_t v) {
    u16(static_cast<uint16_t>(v & 0xFFFF));
    u16(static_cast<uint16_t>(v >> 16));
  }

  void points(uint16_t function, const std::vector<Point>& pts) {
    begin(function);
    u16(static_cast<uint16_t>(pts.size()));
    for (const Point& p : pts) {
      i16(p.x);
      i16(p.y);
    }
    end();
  }

  // The object table: a created object takes the lowest free slot.
  int allocate() {
    for (size_t i = 0; i < slots_.size(); ++i) {
      if (!slots_[i]) {
        slots_[i] = true;
        return static_cast<int>(i);
      }
    }
    slots_.push_back(true);
    return static_cast<int>(slots_.size() - 1);
  }
  void select(int slot) {
    begin(kSelectObject);
    u16(static_cast<uint16_t>(slot));
    end();
  }
  void deleteObject(int slot) {
    begin(kDeleteObject);
    u16(static_cast<uint16_t>(slot));
    end();
    slots_[static_cast<size_t>(slot)] = false;
  }
  // Creates, selects, then deletes the object it replaces.
  void replace(int& current, int fresh) {
    select(fresh);
    if (current >= 0) deleteObject(current);
    current = fresh;
  }

  void usePen(Rgb rgb, uint16_t style) {
    if (pen_ >= 0 && penRgb_ == rgb && penStyle_ == style) return;
    int slot = allocate();
    begin(kCreatePenIndirect);
    u16(style);
    i16(0);  // width 0: one device pixel, as on screen
    i16(0);
    u32(rgb);
    end();
    replace(pen_, slot);
    penRgb_ = rgb;
    penStyle_ = style;
  }

  void useBrush(Rgb rgb) {
    if (brush_ >= 0 && brushRgb_ == rgb) return;
    int slot = allocate();
    begin(kCreateBrushIndirect);
    u16(0);  // BS_SOLID
    u32(rgb);
    u16(0);
    end();
    replace(brush_, slot);
    brushRgb_ = rgb;
  }

  void useFont(const std::string& face, double em, double angle, double widthFactor) {
    int16_t height = static_cast<int16_t>(-std::lround(em));
    int16_t width =
        widthFactor > 0 && std::fabs(widthFactor - 1) > 1e-6
            ? static_cast<int16_t>(std::lround(std::min(32000.0, em * 0.45 * widthFactor)))
            : 0;
    int16_t esc = static_cast<int16_t>(std::lround(std::fmod(angle, 360.0) * 10));
    if (font_ >= 0 && height == fontHeight_ && width == fontWidth_ && esc == fontEsc_ &&
        face == fontFace_) {
      return;
    }
    int slot = allocate();
    begin(kCreateFontIndirect);
    u16(static_cast<uint16_t>(height));
    u16(static_cast<uint16_t>(width));
    u16(static_cast<uint16_t>(esc));
    u16(static_cast<uint16_t>(esc));
    u16(400);        // normal weight
    bytes_ += '\0';  // italic
    bytes_ += '\0';  // underline
    bytes_ += '\0';  // strike-out
    bytes_ += '\0';  // ANSI_CHARSET
    bytes_ += '\0';  // OUT_DEFAULT_PRECIS
    bytes_ += '\0';  // CLIP_DEFAULT_PRECIS
    bytes_ += '\0';  // DEFAULT_QUALITY
    bytes_ += '\0';  // DEFAULT_PITCH | FF_DONTCARE
    char name[32] = {};
    std::string n = face == "DejaVu Sans" ? std::string("Arial") : face;
    std::memcpy(name, n.data(), std::min<size_t>(31, n.size()));
    bytes_.append(name, 32);
    end();
    replace(font_, slot);
    fontHeight_ = height;
    fontWidth_ = width;
    fontEsc_ = esc;
    fontFace_ = face;
  }

  double w_, h_;
  std::string bytes_;
  size_t start_ = 0;
  size_t maxRecord_ = 0;
  std::vector<bool> slots_;
  // The points of the record being made and of a dot, kept from one primitive to the next: a
  // drawing may send millions of primitives.
  std::vector<Point> run_, dot_;
  int pen_ = -1, brush_ = -1, font_ = -1;
  Rgb penRgb_ = 0, brushRgb_ = 0, textColor_ = 0;
  uint16_t penStyle_ = 0;
  bool haveTextColor_ = false;
  uint16_t align_ = 0xFFFF;
  int16_t fontHeight_ = 0, fontWidth_ = 0, fontEsc_ = 0;
  std::string fontFace_;
};

}  // namespace

std::string WriteMetafile(const Document& doc, const Window& window, Rgb background,
                          const FontMeasures* fonts) {
  double ww = window.Width() > 0 ? window.Width() : 1;
  double wh = window.Height() > 0 ? window.Height() : 1;
  double k = kWmfMaxExtent / std::max(ww, wh);
  double lw = std::max(1.0, std::round(ww * k)), lh = std::max(1.0, std::round(wh * k));
  WmfSink sink(lw, lh);
  RenderOptions opt;
  opt.background = background;
  opt.penWidth = 1;
  opt.clipMinX = 0;
  opt.clipMinY = 0;
  opt.clipMaxX = lw;
  opt.clipMaxY = lh;
  opt.fonts = fonts;
  Affine map{k, 0, 0, -k, -window.MinX * k, window.MaxY * k};
  Renderer r(doc, sink, map, opt);
  r.DrawAll();
  return sink.Finish(static_cast<uint16_t>(kWmfUnitsPerInch));
}

}  // namespace dxf
