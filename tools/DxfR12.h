#pragma once
// The DXF R12 (AC1009) output shared by the generators of committed drawings
// (make_page_templates, make_sample_drawings): group code / value pairs in ASCII, and the HEADER
// and TABLES sections every file of theirs starts with. Numbers are written with at most four
// decimals and no trailing zeros, so that a generator writes the same bytes on every machine.
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace dxfr12 {

struct P {
  double x = 0, y = 0;
};

// A number with at most four decimals, trailing zeros dropped ("1.25", "0.0", "-3.0").
inline std::string Num(double v) {
  if (std::fabs(v) < 5e-5) return "0.0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4f", v);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.push_back('0');
  return s;
}

// Group code / value pairs, group codes right-aligned in three columns as AutoCAD writes them.
class Groups {
 public:
  void g(int code, const std::string& value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%3d", code);
    s_ += buf;
    s_ += '\n';
    s_ += value;
    s_ += '\n';
  }
  void g(int code, const char* value) { g(code, std::string(value)); }
  void g(int code, double v) { g(code, Num(v)); }
  void i(int code, int v) { g(code, std::to_string(v)); }
  void pt(int code, P p) {
    g(code, p.x);
    g(code + 10, p.y);
    g(code + 20, 0.0);
  }
  void append(const std::string& more) { s_ += more; }
  const std::string& str() const { return s_; }

 private:
  std::string s_;
};

// A linetype of the LTYPE table: a name, its description and its dash pattern (dash > 0,
// gap < 0); no elements is a solid line.
struct LineType {
  std::string name, description;
  std::vector<double> elements;
};

// What the HEADER and TABLES sections of a file say.
struct Head {
  P extMin, extMax;                 // $EXTMIN, $EXTMAX
  P limMin, limMax;                 // $LIMMIN, $LIMMAX
  std::optional<double> ltScale;    // $LTSCALE when set
  std::optional<double> dimTextH;   // $DIMTXT and $DIMASZ when set
  std::vector<LineType> lineTypes;  // CONTINUOUS first
  std::vector<std::string> layers;  // all colour 7, linetype CONTINUOUS
  std::string fontFile;             // the font file of the one style, STANDARD
  double lastHeight = 0.1;          // the style's last height used
};

inline constexpr const char* kStyle = "STANDARD";

// Writes the HEADER and TABLES sections of an R12 file. Every name an entity may use (its layer,
// its linetype, the STANDARD style) is one of their table entries, so other readers find every
// reference resolved.
inline void WriteHeadAndTables(Groups& o, const Head& h) {
  o.g(0, "SECTION");
  o.g(2, "HEADER");
  o.g(9, "$ACADVER");
  o.g(1, "AC1009");
  o.g(9, "$INSBASE");
  o.pt(10, {0, 0});
  o.g(9, "$EXTMIN");
  o.pt(10, h.extMin);
  o.g(9, "$EXTMAX");
  o.pt(10, h.extMax);
  o.g(9, "$LIMMIN");
  o.g(10, h.limMin.x);
  o.g(20, h.limMin.y);
  o.g(9, "$LIMMAX");
  o.g(10, h.limMax.x);
  o.g(20, h.limMax.y);
  o.g(9, "$LUNITS");
  o.i(70, 2);
  if (h.ltScale) {
    o.g(9, "$LTSCALE");
    o.g(40, *h.ltScale);
  }
  o.g(9, "$TEXTSTYLE");
  o.g(7, kStyle);
  o.g(9, "$CLAYER");
  o.g(8, "0");
  if (h.dimTextH) {
    o.g(9, "$DIMTXT");
    o.g(40, *h.dimTextH);
    o.g(9, "$DIMASZ");
    o.g(40, *h.dimTextH);
  }
  o.g(0, "ENDSEC");

  o.g(0, "SECTION");
  o.g(2, "TABLES");
  o.g(0, "TABLE");
  o.g(2, "LTYPE");
  o.i(70, static_cast<int>(h.lineTypes.size()));
  for (const LineType& lt : h.lineTypes) {
    double length = 0;
    for (double e : lt.elements) length += std::fabs(e);
    o.g(0, "LTYPE");
    o.g(2, lt.name);
    o.i(70, 0);
    o.g(3, lt.description);
    o.i(72, 65);
    o.i(73, static_cast<int>(lt.elements.size()));
    o.g(40, length);
    for (double e : lt.elements) o.g(49, e);
  }
  o.g(0, "ENDTAB");
  o.g(0, "TABLE");
  o.g(2, "LAYER");
  o.i(70, static_cast<int>(h.layers.size()));
  for (const std::string& name : h.layers) {
    o.g(0, "LAYER");
    o.g(2, name);
    o.i(70, 0);
    o.i(62, 7);
    o.g(6, "CONTINUOUS");
  }
  o.g(0, "ENDTAB");
  o.g(0, "TABLE");
  o.g(2, "STYLE");
  o.i(70, 1);
  o.g(0, "STYLE");
  o.g(2, kStyle);
  o.i(70, 0);
  o.g(40, 0.0);
  o.g(41, 1.0);
  o.g(50, 0.0);
  o.i(71, 0);
  o.g(42, h.lastHeight);
  o.g(3, h.fontFile);
  o.g(4, "");
  o.g(0, "ENDTAB");
  o.g(0, "ENDSEC");
}

}  // namespace dxfr12
