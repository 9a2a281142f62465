#include "platform/dxf/Writer.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/dxf/EntityViews.h"
#include "platform/dxf/Render.h"

namespace dxf {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;

// Decodes one UTF-8 sequence at s[i]; invalid bytes read as themselves (Latin-1).
char32_t NextCodePoint(const std::string& s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  int len = c < 0x80             ? 1
            : (c & 0xE0) == 0xC0 ? 2
            : (c & 0xF0) == 0xE0 ? 3
            : (c & 0xF8) == 0xF0 ? 4
                                 : 0;
  if (len == 0 || i + static_cast<size_t>(len) > s.size()) {
    ++i;
    return c;
  }
  char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  for (int k = 1; k < len; ++k) {
    unsigned char cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return c;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  i += static_cast<size_t>(len);
  return cp;
}

std::string EncodeText(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t cp = NextCodePoint(s, i);
    if (cp == '\r' || cp == '\n') {
      out += ' ';
    } else if (cp == 0) {
      // A NUL byte would make the file binary: left out.
    } else if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp == 0xB0) {
      out += "%%d";
    } else if (cp == 0xB1) {
      out += "%%p";
    } else if (cp == 0x2300 || cp == 0x2205) {
      out += "%%c";
    } else if (cp <= 0xFFFF) {
      static const char* hex = "0123456789ABCDEF";
      out += "\\U+";
      for (int shift = 12; shift >= 0; shift -= 4) out += hex[(cp >> shift) & 0xF];
    } else {
      out += '?';
    }
  }
  return out;
}

class Out {
 public:
  void str(int code, std::string_view value) {
    num(code);
    s_ += value;
    s_ += '\n';
  }
  void text(int code, const std::string& value) { str(code, EncodeText(value)); }
  void real(int code, double v) {
    num(code);
    if (!std::isfinite(v)) v = 0;
    if (v == 0) v = 0;  // no "-0"
    char buf[32];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
    s_.append(buf, static_cast<size_t>(p - buf));
    if (std::string_view(buf, static_cast<size_t>(p - buf)).find_first_of(".e") ==
        std::string_view::npos) {
      s_ += ".0";
    }
    s_ += '\n';
  }
  void integer(int code, long v) {
    num(code);
    s_ += std::to_string(v);
    s_ += '\n';
  }
  void point(int code, double x, double y) {
    real(code, x);
    real(code + 10, y);
    real(code + 20, 0);
  }
  std::string& result() { return s_; }

 private:
  void num(int code) {
    if (code < 10)
      s_ += "  ";
    else if (code < 100)
      s_ += ' ';
    s_ += std::to_string(code);
    s_ += '\n';
  }
  std::string s_;
};

void Common(Out& o, const char* type, const Entity& e, const std::string& layer) {
  o.str(0, type);
  o.text(8, layer.empty() ? std::string("0") : layer);
  if (!e.LineType.empty() && e.LineType != "BYLAYER") o.text(6, e.LineType);
  if (e.Color != kByLayer && e.Color >= 0 && e.Color <= 255) o.integer(62, e.Color);
  if (e.Extra().Thickness != 0) o.real(39, e.Extra().Thickness);
  if (e.PaperSpace) o.integer(67, 1);
}

struct Pt {
  double x, y, bulge;
};

void PolylineOut(Out& o, const Entity& e, const std::vector<Pt>& pts, bool closed, int flags) {
  Common(o, "POLYLINE", e, e.LayerName);
  o.integer(66, 1);
  o.point(10, 0, 0);
  o.integer(70, (flags & ~1) | (closed ? 1 : 0));
  for (const Pt& p : pts) {
    o.str(0, "VERTEX");
    o.text(8, e.LayerName);
    o.point(10, p.x, p.y);
    if (p.bulge != 0) o.real(42, p.bulge);
  }
  o.str(0, "SEQEND");
  o.text(8, e.LayerName);
}

void TextOut(Out& o, const char* type, const Entity& e) {
  const TextView text(e);
  Common(o, type, e, e.LayerName);
  o.point(10, text.X, text.Y);
  o.real(40, text.Height > 0 ? text.Height : 0.2);
  o.text(1, e.Text);
  if (text.Rotation != 0) o.real(50, text.Rotation);
  if (text.WidthFactor != 1 && text.WidthFactor > 0) o.real(41, text.WidthFactor);
  if (text.Oblique != 0) o.real(51, text.Oblique);
  if (!e.Extra().TextStyle.empty() && e.Extra().TextStyle != "STANDARD")
    o.text(7, e.Extra().TextStyle);
  bool attr = std::string_view(type) != "TEXT";
  if (attr) {
    o.text(2, text.Tag.empty() ? std::string("TAG") : text.Tag.str());
    o.integer(70, text.AttributeFlags | (e.Invisible ? 1 : 0));
  } else if (text.Mirror != 0) {
    o.integer(71, text.Mirror);
  }
  if (text.HJust != 0) o.integer(72, static_cast<long>(text.HJust));
  if (text.HJust != 0 || text.VJust != 0) o.point(11, text.AlignX, text.AlignY);
  if (text.VJust != 0) o.integer(attr ? 74 : 73, static_cast<long>(text.VJust));
}

void EntityOut(Out& o, const Entity& e);

void MTextOut(Out& o, const Entity& e) {
  const MTextView mt(e);
  std::vector<std::string> lines = MTextLines(e.Text);
  double height = mt.Height > 0 ? mt.Height : 0.2;
  double spacing = height * 5.0 / 3.0 * (mt.LineSpacing > 0 ? mt.LineSpacing : 1);
  int att = mt.Attachment >= 1 && mt.Attachment <= 9 ? mt.Attachment : 1;
  int hjust = (att - 1) % 3, row = (att - 1) / 3;
  double block = height + spacing * (lines.empty() ? 0 : static_cast<double>(lines.size() - 1));
  double top = row == 0 ? 0 : row == 1 ? block / 2 : block;
  double rad = mt.Rotation * kPi / 180;
  double ux = -std::sin(rad), uy = std::cos(rad);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    // One TEXT per line, at the line's top, with the MTEXT's rotation.
    Entity t = e;
    t.EntityType = "TEXT";
    t.Text = lines[i];
    TextView text(t);
    text.Height = height;
    text.WidthFactor = 1;
    text.Oblique = 0;
    text.Mirror = 0;
    double off = top - spacing * static_cast<double>(i);
    text.X = text.AlignX = mt.X + ux * off;
    text.Y = text.AlignY = mt.Y + uy * off;
    text.HJust = hjust;
    text.VJust = 3;
    TextOut(o, "TEXT", t);
  }
}

void EntityOut(Out& o, const Entity& e) {
  const std::string& t = e.EntityType;
  if (t == "LINE") {
    Common(o, "LINE", e, e.LayerName);
    o.point(10, e.X0, e.Y0);
    o.point(11, e.X1, e.Y1);
  } else if (t == "POINT") {
    Common(o, "POINT", e, e.LayerName);
    o.point(10, e.X0, e.Y0);
  } else if (t == "CIRCLE" || t == "ARC") {
    const ArcView a(e);
    Common(o, t.c_str(), e, e.LayerName);
    o.point(10, a.CentreX, a.CentreY);
    o.real(40, a.Radius);
    if (t == "ARC") {
      o.real(50, a.StartAngle);
      o.real(51, a.EndAngle);
    }
  } else if (t == "SOLID" || t == "TRACE" || t == "3DFACE") {
    Common(o, t.c_str(), e, e.LayerName);
    o.point(10, e.X0, e.Y0);
    o.point(11, e.X1, e.Y1);
    o.point(12, e.Extra().X2, e.Extra().Y2);
    o.point(13, e.Extra().X3, e.Extra().Y3);
  } else if (t == "TEXT") {
    TextOut(o, "TEXT", e);
  } else if (t == "ATTDEF") {
    TextOut(o, "ATTDEF", e);
    o.text(3, e.Extra().BlockName);
  } else if (t == "MTEXT") {
    MTextOut(o, e);
  } else if (t == "LWPOLYLINE" || t == "POLYLINE") {
    std::vector<Pt> pts;
    for (const Vertex& v : e.Vertices) {
      if (v.Flags & 16) continue;
      pts.push_back({v.X0, v.Y0, v.Bulge});
    }
    int flags = t == "POLYLINE" ? e.Flags : (e.Flags & 1);
    PolylineOut(o, e, pts, (e.Flags & 1) != 0, flags & ~(16 | 64));
  } else if (t == "SPLINE" || t == "LEADER") {
    std::vector<Pt> pts;
    for (const Vertex& v : e.Vertices) pts.push_back({v.X0, v.Y0, 0});
    PolylineOut(o, e, pts, t == "SPLINE" && (e.Flags & 1), 0);
  } else if (t == "ELLIPSE") {
    const EllipseView el(e);
    double t0, t1;
    el.Range(t0, t1);  // at most once round, as the renderer draws it
    bool whole = t1 - t0 >= kTwoPi - 1e-9;
    int n = std::max(8, static_cast<int>(std::ceil((t1 - t0) / kTwoPi * 72)));
    double ratio = el.Ratio > 0 ? el.Ratio : 1;
    std::vector<Pt> pts;
    for (int i = 0; i < (whole ? n : n + 1); ++i) {
      double p = t0 + (t1 - t0) * i / n, c = std::cos(p), s = std::sin(p);
      pts.push_back({el.CentreX + c * el.MajorX - s * el.MajorY * ratio,
                     el.CentreY + c * el.MajorY + s * el.MajorX * ratio, 0});
    }
    PolylineOut(o, e, pts, whole, 0);
  } else if (t == "INSERT") {
    const InsertView ins(e);
    Common(o, "INSERT", e, e.LayerName);
    if (!e.Extra().Children.empty()) o.integer(66, 1);
    o.text(2, ins.Block);
    o.point(10, ins.X, ins.Y);
    if (ins.XScale != 1) o.real(41, ins.XScale);
    if (ins.YScale != 1) o.real(42, ins.YScale);
    if (ins.ZScale != 1) o.real(43, ins.ZScale);
    if (ins.Rotation != 0) o.real(50, ins.Rotation);
    if (ins.Columns > 1) o.integer(70, ins.Columns);
    if (ins.Rows > 1) o.integer(71, ins.Rows);
    if (ins.ColumnSpacing != 0) o.real(44, ins.ColumnSpacing);
    if (ins.RowSpacing != 0) o.real(45, ins.RowSpacing);
    if (!e.Extra().Children.empty()) {
      for (const Entity& a : e.Extra().Children) TextOut(o, "ATTRIB", a);
      o.str(0, "SEQEND");
      o.text(8, e.LayerName);
    }
  } else if (t == "DIMENSION") {
    Common(o, "DIMENSION", e, e.LayerName);
    o.text(2, e.Extra().BlockName);
    o.point(10, e.X0, e.Y0);
    o.point(11, e.X1, e.Y1);
    o.point(12, e.Extra().X2, e.Extra().Y2);
    o.point(13, e.Extra().X3, e.Extra().Y3);
    o.integer(70, e.Flags);
    if (!e.Text.empty()) o.text(1, e.Text);
  } else if (t == "HATCH") {
    for (const Entity& loop : e.Extra().Children) {
      Entity l = loop;
      l.LayerName = e.LayerName;
      l.Color = e.Color;
      l.LineType = e.LineType;
      std::vector<Pt> pts;
      for (const Vertex& v : loop.Vertices) pts.push_back({v.X0, v.Y0, v.Bulge});
      PolylineOut(o, l, pts, true, 0);
    }
  }
  // Other kinds have no R12 form and are left out.
}

// The linetype and style tables as written: those of the document, and for every name an entity
// or a layer uses that neither table holds (a drawing read with a dangling reference) an entry
// that draws as the reference did: a solid linetype, a style in the default face. Other readers
// then find every reference resolved instead of mending or dropping it.
struct Tables {
  std::vector<LineType> lineTypes;
  std::vector<TextStyle> styles;

  explicit Tables(const Document& doc)
      : lineTypes(doc.LineTypes.items()), styles(doc.TextStyles.items()) {
    needLineType("CONTINUOUS");
    needStyle("STANDARD");
    for (const Layer& l : doc.Layers) needLineType(l.LineType);
    for (const Block& b : doc.Blocks)
      for (const Entity& e : b.Entities) need(e);
    for (const Entity& e : doc.Entities) need(e);
  }

 private:
  void need(const Entity& e) {
    needLineType(e.LineType);
    if (e.EntityType == "TEXT" || e.EntityType == "MTEXT" || e.EntityType == "ATTDEF" ||
        e.EntityType == "ATTRIB")
      needStyle(e.Extra().TextStyle);
    for (const Entity& child : e.Extra().Children) need(child);
  }
  void needLineType(const std::string& name) {
    if (name.empty() || SameName(name, "BYLAYER") || SameName(name, "BYBLOCK")) return;
    for (const LineType& lt : lineTypes)
      if (SameName(lt.Name, name)) return;
    lineTypes.push_back(
        LineType{UpperName(name), SameName(name, "CONTINUOUS") ? "Solid line" : "", 0, {}});
  }
  void needStyle(const std::string& name) {
    if (name.empty()) return;
    for (const TextStyle& s : styles)
      if (SameName(s.StyleName, name)) return;
    styles.push_back(TextStyle{UpperName(name), "txt", "", 0, 1, 0});
  }
};

}  // namespace

std::string WriteDxfR12(const Document& doc) {
  const Tables tables(doc);
  Out o;
  o.str(999, "Tolvane");
  o.str(0, "SECTION");
  o.str(2, "HEADER");
  o.str(9, "$ACADVER");
  o.str(1, "AC1009");
  o.str(9, "$DWGCODEPAGE");
  o.str(3, "ANSI_1252");
  const Header& h = doc.Head;
  o.str(9, "$LIMMIN");
  o.real(10, h.LimMinX);
  o.real(20, h.LimMinY);
  o.str(9, "$LIMMAX");
  o.real(10, h.LimMaxX);
  o.real(20, h.LimMaxY);
  if (h.HasExtents) {
    o.str(9, "$EXTMIN");
    o.point(10, h.ExtMinX, h.ExtMinY);
    o.str(9, "$EXTMAX");
    o.point(10, h.ExtMaxX, h.ExtMaxY);
  }
  o.str(9, "$LTSCALE");
  o.real(40, h.LtScale);
  o.str(0, "ENDSEC");

  o.str(0, "SECTION");
  o.str(2, "TABLES");
  o.str(0, "TABLE");
  o.str(2, "LTYPE");
  o.integer(70, static_cast<long>(tables.lineTypes.size()));
  for (const LineType& lt : tables.lineTypes) {
    o.str(0, "LTYPE");
    o.text(2, lt.Name);
    o.integer(70, 0);
    o.text(3, lt.Description);
    o.integer(72, 65);
    o.integer(73, static_cast<long>(lt.Elements.size()));
    o.real(40, lt.PatternLength);
    for (double el : lt.Elements) o.real(49, el);
  }
  o.str(0, "ENDTAB");
  o.str(0, "TABLE");
  o.str(2, "LAYER");
  o.integer(70, doc.Layers.Count());
  for (const Layer& l : doc.Layers) {
    o.str(0, "LAYER");
    o.text(2, l.Name());
    o.integer(70, l.Frozen ? 1 : 0);
    o.integer(62, l.Off ? -l.Color : l.Color);
    o.text(6, l.LineType.empty() ? std::string("CONTINUOUS") : l.LineType);
  }
  o.str(0, "ENDTAB");
  o.str(0, "TABLE");
  o.str(2, "STYLE");
  o.integer(70, static_cast<long>(tables.styles.size()));
  for (const TextStyle& s : tables.styles) {
    o.str(0, "STYLE");
    o.text(2, s.StyleName);
    o.integer(70, s.Flags);
    o.real(40, s.FixedHeight);
    o.real(41, s.WidthFactor);
    o.real(50, 0);
    o.integer(71, 0);
    o.real(42, 0.2);
    o.text(3, s.FontFileName);
    o.text(4, s.BigFont);
  }
  o.str(0, "ENDTAB");
  o.str(0, "ENDSEC");

  o.str(0, "SECTION");
  o.str(2, "BLOCKS");
  for (const Block& b : doc.Blocks) {
    o.str(0, "BLOCK");
    o.text(8, b.LayerName.empty() ? std::string("0") : b.LayerName);
    o.text(2, b.Name);
    o.integer(70, b.Flags);
    o.point(10, b.BaseX, b.BaseY);
    o.text(3, b.Name);
    for (const Entity& e : b.Entities) EntityOut(o, e);
    o.str(0, "ENDBLK");
    o.str(8, "0");
  }
  o.str(0, "ENDSEC");

  o.str(0, "SECTION");
  o.str(2, "ENTITIES");
  for (const Entity& e : doc.Entities) EntityOut(o, e);
  o.str(0, "ENDSEC");
  o.str(0, "EOF");
  return std::move(o.result());
}

}  // namespace dxf
