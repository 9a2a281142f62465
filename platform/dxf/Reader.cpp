#include "platform/dxf/Reader.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/runtime/Error.h"

namespace dxf {

namespace {

struct Pair {
  int code = 0;
  std::string_view value;
};

[[noreturn]] void Broken(const std::string& what, long line) {
  vb::Raise(kInvalidFileFormat,
            "Invalid DXF file: " + what + (line > 0 ? " (line " + std::to_string(line) + ")" : ""));
}

std::string_view TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// Splits the bytes into group-code/value pairs. Lines end in LF, CR LF or a stray CR; the code
// line is trimmed, the value line keeps everything but its line end.
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view bytes) : s_(bytes) {}

  bool next(Pair& p) {
    std::string_view codeLine;
    if (!line(codeLine)) return false;
    std::string_view code = TrimBlanks(codeLine);
    if (code.empty() && restIsBlank()) return false;  // line ends after the last pair
    auto [ptr, ec] = std::from_chars(code.data(), code.data() + code.size(), p.code);
    if (ec != std::errc() || ptr != code.data() + code.size() || code.empty()) {
      Broken("group code expected, found \"" + Printable(code) + "\"", lineNo_);
    }
    if (!line(p.value)) Broken("the file ends after group code " + std::string(code), lineNo_);
    return true;
  }

  long lineNo() const { return lineNo_; }

 private:
  bool line(std::string_view& out) {
    if (pos_ >= s_.size()) return false;
    const char* begin = s_.data() + pos_;
    const char* end = s_.data() + s_.size();
    const char* p = begin;
    while (p < end && *p != '\n' && *p != '\r') ++p;
    out = std::string_view(begin, static_cast<size_t>(p - begin));
    if (p < end) {
      if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
      ++p;
    }
    pos_ = static_cast<size_t>(p - s_.data());
    ++lineNo_;
    return true;
  }

  bool restIsBlank() const {
    for (size_t i = pos_; i < s_.size(); ++i) {
      char c = s_[i];
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
  }

  static std::string Printable(std::string_view s) {
    std::string out;
    for (char c : s.substr(0, 40)) {
      unsigned char u = static_cast<unsigned char>(c);
      out += (u >= 32 && u < 127) ? c : '?';
    }
    return out;
  }

  std::string_view s_;
  size_t pos_ = 0;
  long lineNo_ = 0;
};

// One object of the file: its group 0 type and the groups up to the next group 0.
struct Object {
  std::string_view type;
  std::vector<Pair> groups;
  long line = 0;
};

constexpr double kTwoPi = 2 * std::numbers::pi;

class Parser {
 public:
  Parser(std::string_view bytes, Document& doc) : tok_(bytes), doc_(doc) {
    utf8_ = IsValidUtf8(bytes);
  }

  ReadStats run() {
    if (!tok_.next(pending_)) Broken("the file is empty", 0);
    havePending_ = true;
    if (pending_.code != 0 && pending_.code != 999) {
      Broken("a DXF file starts with group 0 or 999", tok_.lineNo());
    }
    bool sawSection = false;
    while (readObject()) {
      if (obj_.type == "SECTION") {
        sawSection = true;
        std::string_view name = firstValue(2);
        if (name == "HEADER") {
          header();
          expectEndSec();
        } else if (name == "TABLES") {
          tables();
        } else if (name == "BLOCKS") {
          blocks();
        } else if (name == "ENTITIES") {
          entities(doc_.Entities, "ENDSEC", true);
        } else {
          skipSection();
        }
      } else if (obj_.type == "EOF") {
        break;
      }
      // Anything else between sections is skipped.
    }
    if (!sawSection) Broken("no SECTION found", tok_.lineNo());
    addUndeclaredLayers();
    // A missing EOF after complete sections is tolerated: every section read was closed.
    stats_.entities = doc_.Entities.Count();
    return stats_;
  }

 private:
  // Layers that entities name but the LAYER table lacks are appended (ACI 7), so that the
  // layer collection knows every layer of the drawing.
  void addUndeclaredLayers() {
    std::unordered_set<std::string> known;
    for (const Layer& l : doc_.Layers) known.insert(l.Name());
    auto visit = [&](const EntityCollection& list) {
      for (const Entity& e : list) {
        if (known.insert(e.LayerName).second) doc_.Layers.Add(e.LayerName, 7);
      }
    };
    visit(doc_.Entities);
    for (const Block& b : doc_.Blocks) visit(b.Entities);
  }

  // Reads the next object; false at the end of the file.
  bool readObject() {
    if (pushedBack_) {
      pushedBack_ = false;
      return true;
    }
    obj_.groups.clear();
    Pair p;
    // Skip comments (999) and anything before the first group 0.
    while (true) {
      if (havePending_) {
        p = pending_;
        havePending_ = false;
      } else if (!tok_.next(p)) {
        return false;
      }
      if (p.code == 0) break;
    }
    obj_.type = TrimBlanks(p.value);
    obj_.line = tok_.lineNo();
    int skipDepth = 0;
    while (tok_.next(p)) {
      if (p.code == 0) {
        pending_ = p;
        havePending_ = true;
        break;
      }
      if (p.code == 999) continue;
      if (p.code == 102) {  // application groups "{NAME" ... "}"
        std::string_view v = TrimBlanks(p.value);
        if (!v.empty() && v.front() == '{') ++skipDepth;
        if (!v.empty() && v.front() == '}' && skipDepth > 0) --skipDepth;
        continue;
      }
      if (skipDepth > 0 || p.code >= 1000) continue;
      obj_.groups.push_back(p);
    }
    return true;
  }

  void pushBack() { pushedBack_ = true; }

  std::string_view firstValue(int code) const {
    for (const Pair& p : obj_.groups) {
      if (p.code == code) return TrimBlanks(p.value);
    }
    return {};
  }

  [[noreturn]] void truncated(const char* where) {
    Broken(std::string("the file ends inside the ") + where + " section", tok_.lineNo());
  }

  void expectEndSec() {
    if (!readObject()) truncated("HEADER");
    if (obj_.type != "ENDSEC") pushBack();
  }

  void skipSection() {
    while (true) {
      if (!readObject()) truncated("unknown");
      if (obj_.type == "ENDSEC") return;
      if (obj_.type == "EOF") {
        pushBack();
        return;
      }
    }
  }

  double num(const Pair& p) {
    std::string_view v = TrimBlanks(p.value);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    double d = 0;
    auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
    if (ptr != v.data() + v.size() || v.empty() ||
        (ec != std::errc() && ec != std::errc::result_out_of_range)) {
      Broken("group " + std::to_string(p.code) + " of the " + std::string(obj_.type) + " holds \"" +
                 std::string(v.substr(0, 40)) + "\", not a number",
             obj_.line);
    }
    if (ec == std::errc::result_out_of_range) d = HUGE_VAL;
    if (!std::isfinite(d)) badNumber_ = true;
    return d;
  }

  int inum(const Pair& p) {
    std::string_view v = TrimBlanks(p.value);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    long long i = 0;
    auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), i);
    if (ec == std::errc() && ptr == v.data() + v.size() && !v.empty()) {
      if (i > 2147483647LL || i < -2147483647LL) return i > 0 ? 2147483647 : -2147483647;
      return static_cast<int>(i);
    }
    double d = num(p);  // some writers put "1.0" in integer groups
    if (!std::isfinite(d) || std::fabs(d) > 2e9) return 0;
    return static_cast<int>(d);
  }

  std::string text(std::string_view raw) { return DecodeText(raw, utf8_); }
  std::string name(std::string_view raw) { return UpperName(TrimBlanks(DecodeText(raw, utf8_))); }

  void header() {
    std::string_view var;
    for (const Pair& p : obj_.groups) {
      if (p.code == 9) {
        var = TrimBlanks(p.value);
        continue;
      }
      Header& h = doc_.Head;
      if (var == "$ACADVER" && p.code == 1) {
        h.AcadVer = std::string(TrimBlanks(p.value));
        if (h.AcadVer >= "AC1021") utf8_ = true;
      } else if (var == "$LIMMIN") {
        if (p.code == 10) h.LimMinX = num(p), h.HasLimits = true;
        if (p.code == 20) h.LimMinY = num(p);
      } else if (var == "$LIMMAX") {
        if (p.code == 10) h.LimMaxX = num(p), h.HasLimits = true;
        if (p.code == 20) h.LimMaxY = num(p);
      } else if (var == "$EXTMIN") {
        if (p.code == 10) h.ExtMinX = num(p), h.HasExtents = true;
        if (p.code == 20) h.ExtMinY = num(p);
      } else if (var == "$EXTMAX") {
        if (p.code == 10) h.ExtMaxX = num(p);
        if (p.code == 20) h.ExtMaxY = num(p);
      } else if (var == "$LTSCALE" && p.code == 40) {
        h.LtScale = num(p);
      }
    }
    Header& h = doc_.Head;
    if (badNumber_ || !(h.LtScale > 0)) h.LtScale = 1;
    if (badNumber_) {
      h.HasLimits = h.HasExtents = false;
      badNumber_ = false;
    }
  }

  void tables() {
    std::vector<Layer> layers;
    while (true) {
      if (!readObject()) truncated("TABLES");
      std::string_view t = obj_.type;
      if (t == "ENDSEC") break;
      if (t == "EOF" || t == "SECTION") {  // the section was left open
        pushBack();
        break;
      }
      badNumber_ = false;
      if (t == "LAYER") {
        std::string n;
        int color = 7, flags = 0;
        std::string ltype = "CONTINUOUS";
        for (const Pair& p : obj_.groups) {
          if (p.code == 2)
            n = name(p.value);
          else if (p.code == 62)
            color = inum(p);
          else if (p.code == 70)
            flags = inum(p);
          else if (p.code == 6)
            ltype = name(p.value);
        }
        if (n.empty()) continue;
        Layer l(n, std::abs(color) >= 1 && std::abs(color) <= 255 ? std::abs(color) : 7);
        l.Off = color < 0;
        l.Frozen = (flags & 1) != 0;
        l.LineType = ltype;
        bool dup = false;
        for (const Layer& o : layers) dup = dup || o.Name() == l.Name();
        if (!dup) layers.push_back(std::move(l));
      } else if (t == "STYLE") {
        TextStyle s;
        for (const Pair& p : obj_.groups) {
          if (p.code == 2)
            s.StyleName = name(p.value);
          else if (p.code == 3)
            s.FontFileName = std::string(TrimBlanks(text(p.value)));
          else if (p.code == 4)
            s.BigFont = std::string(TrimBlanks(text(p.value)));
          else if (p.code == 40)
            s.FixedHeight = num(p);
          else if (p.code == 41)
            s.WidthFactor = num(p);
          else if (p.code == 70)
            s.Flags = inum(p);
        }
        if (badNumber_) s.FixedHeight = 0, s.WidthFactor = 1;
        if (s.StyleName.empty()) continue;  // shape-file entries have no name
        if (TextStyle* old = doc_.TextStyles.Find(s.StyleName))
          *old = s;
        else
          doc_.TextStyles.Add(s);
      } else if (t == "LTYPE") {
        LineType lt;
        for (const Pair& p : obj_.groups) {
          if (p.code == 2)
            lt.Name = name(p.value);
          else if (p.code == 3)
            lt.Description = text(p.value);
          else if (p.code == 40)
            lt.PatternLength = num(p);
          else if (p.code == 49)
            lt.Elements.push_back(num(p));
        }
        if (badNumber_) lt.Elements.clear(), lt.PatternLength = 0;
        if (lt.Name.empty()) continue;
        if (LineType* old = doc_.LineTypes.Find(lt.Name))
          *old = lt;
        else
          doc_.LineTypes.Add(lt);
      }
      // TABLE, ENDTAB and the other tables carry nothing the control keeps.
    }
    // Layers in file order with "0" forced to position 1.
    Layer zero("0", 7);
    for (const Layer& l : layers) {
      if (l.Name() == "0") zero = l;
    }
    doc_.Layers.Clear();
    doc_.Layers.items().push_back(zero);
    for (const Layer& l : layers) {
      if (l.Name() != "0") doc_.Layers.items().push_back(l);
    }
  }

  void blocks() {
    while (true) {
      if (!readObject()) truncated("BLOCKS");
      if (obj_.type == "ENDSEC") return;
      if (obj_.type == "EOF" || obj_.type == "SECTION") {
        pushBack();
        return;
      }
      if (obj_.type != "BLOCK") continue;
      Block b;
      badNumber_ = false;
      for (const Pair& p : obj_.groups) {
        if (p.code == 2)
          b.Name = std::string(TrimBlanks(text(p.value)));
        else if (p.code == 3 && b.Name.empty())
          b.Name = std::string(TrimBlanks(text(p.value)));
        else if (p.code == 70)
          b.Flags = inum(p);
        else if (p.code == 10)
          b.BaseX = num(p);
        else if (p.code == 20)
          b.BaseY = num(p);
        else if (p.code == 8)
          b.LayerName = name(p.value);
      }
      if (badNumber_) b.BaseX = b.BaseY = 0;
      entities(b.Entities, "ENDBLK", false);
      // The model and paper space block records of newer files hold nothing to draw.
      std::string upper = UpperName(b.Name);
      bool space = upper.rfind("*MODEL_SPACE", 0) == 0 || upper.rfind("*PAPER_SPACE", 0) == 0;
      if (!b.Name.empty() && !space) doc_.Blocks.Add(std::move(b));
    }
  }

  // Reads entities into `list` up to the object `end` (ENDSEC or ENDBLK).
  void entities(EntityCollection& list, std::string_view end, bool topLevel) {
    const char* where = topLevel ? "ENTITIES" : "BLOCKS";
    while (true) {
      if (!readObject()) truncated(where);
      std::string_view t = obj_.type;
      if (t == end) return;
      if (t == "ENDSEC" || t == "EOF" || t == "SECTION") {
        // A block or section left open ends where the next one (or the file's EOF) begins.
        pushBack();
        return;
      }
      if (t.empty() || t == "SEQEND" || t == "VERTEX") continue;  // stray sequence parts
      Entity e;
      bool ok = build(e);
      if (t == "POLYLINE") {
        sequence(e, "VERTEX", ok);
      } else if (t == "INSERT") {
        sequence(e, "ATTRIB", ok);
      }
      if (ok) {
        list.Add(std::move(e));
      } else {
        ++stats_.rejected;
      }
    }
  }

  // Reads the VERTEX or ATTRIB objects after a POLYLINE or INSERT, up to SEQEND.
  void sequence(Entity& owner, std::string_view part, bool& ok) {
    while (true) {
      if (!readObject()) return;  // the caller reports the unterminated section
      if (obj_.type == "SEQEND") return;
      if (obj_.type != part) {
        pushBack();
        return;
      }
      if (part == "VERTEX") {
        Vertex v;
        badNumber_ = false;
        for (const Pair& p : obj_.groups) {
          if (p.code == 10)
            v.X0 = num(p);
          else if (p.code == 20)
            v.Y0 = num(p);
          else if (p.code == 42)
            v.Bulge = num(p);
          else if (p.code == 70)
            v.Flags = inum(p);
        }
        if (badNumber_) ok = false;
        owner.Vertices.Add(v);
      } else {
        Entity a;
        if (build(a)) owner.Children.push_back(std::move(a));
      }
    }
  }

  // Fills an entity from the groups of the current object. False when a number is not finite.
  bool build(Entity& e) {
    badNumber_ = false;
    const std::string_view t = obj_.type;
    e.EntityType = UpperName(t);
    const bool isText = t == "TEXT" || t == "ATTRIB" || t == "ATTDEF";
    const bool isMText = t == "MTEXT";
    const bool isInsert = t == "INSERT";
    const bool isPoly = t == "LWPOLYLINE" || t == "LEADER";
    const bool isSpline = t == "SPLINE";
    const bool isHatch = t == "HATCH";
    if (isInsert) e.g41 = e.g42 = 1, e.Flags = 1, e.g71 = 1;
    if (isText) e.g41 = 1;
    if (t == "ELLIPSE") e.g41 = 0, e.g42 = kTwoPi;
    if (isMText) e.g41 = 0, e.g44 = 1;
    bool have11 = false, have50 = false;
    std::string mtext;
    std::vector<Vertex> fit;
    if (isHatch) return buildHatch(e);
    for (const Pair& p : obj_.groups) {
      switch (p.code) {
        case 1:
          if (isMText)
            mtext += text(p.value);
          else
            e.Text = text(p.value);
          break;
        case 3:
          if (isMText) mtext += text(p.value);
          break;
        case 2:
          e.BlockName = std::string(TrimBlanks(text(p.value)));
          break;
        case 6:
          e.LineType = name(p.value);
          break;
        case 7:
          e.TextStyle = name(p.value);
          break;
        case 8:
          e.LayerName = name(p.value);
          break;
        case 10:
          if (isPoly || (isSpline)) {
            Vertex v;
            v.X0 = num(p);
            e.Vertices.Add(v);
          } else {
            e.X0 = num(p);
          }
          break;
        case 20:
          if ((isPoly || isSpline) && e.Vertices.Count() > 0)
            e.Vertices.items().back().Y0 = num(p);
          else if (!isPoly && !isSpline)
            e.Y0 = num(p);
          break;
        case 11:
          if (isSpline) {
            Vertex v;
            v.X0 = num(p);
            fit.push_back(v);
          } else {
            e.X1 = num(p), have11 = true;
          }
          break;
        case 21:
          if (isSpline && !fit.empty())
            fit.back().Y0 = num(p);
          else if (!isSpline)
            e.Y1 = num(p);
          break;
        case 12:
          e.X2 = num(p);
          break;
        case 22:
          e.Y2 = num(p);
          break;
        case 13:
          e.X3 = num(p);
          break;
        case 23:
          e.Y3 = num(p);
          break;
        case 39:
          e.Thickness = num(p);
          break;
        case 40:
          e.g40 = num(p);
          break;
        case 41:
          e.g41 = num(p);
          break;
        case 42:
          if (isPoly && e.Vertices.Count() > 0)
            e.Vertices.items().back().Bulge = num(p);
          else if (!isPoly)
            e.g42 = num(p);
          break;
        case 43:
          if (isInsert) e.g43 = num(p);
          break;
        case 44:
          e.g44 = num(p);
          break;
        case 45:
          e.g45 = num(p);
          break;
        case 50:
          e.g50 = num(p), have50 = true;
          break;
        case 51:
          e.g51 = num(p);
          break;
        case 60:
          e.Invisible = inum(p) == 1;
          break;
        case 62:
          e.Color = inum(p);
          break;
        case 67:
          e.PaperSpace = inum(p) == 1;
          break;
        case 70:
          e.Flags = inum(p);
          break;
        case 71:
          e.g71 = inum(p);
          break;
        case 72:
          e.g72 = inum(p);
          break;
        case 73:
          if (t != "ATTRIB" && t != "ATTDEF") e.g73 = inum(p);
          break;
        case 74:
          if (t == "ATTRIB" || t == "ATTDEF") e.g73 = inum(p);
          break;
        default:
          break;
      }
    }
    if (badNumber_) return false;
    if (e.Color < 0) e.Color = -e.Color;  // a negative entity colour only means "layer off"
    if (e.Color > 256) e.Color = kByLayer;
    if (e.LineType.empty()) e.LineType = "BYLAYER";
    if (e.TextStyle.empty()) e.TextStyle = "STANDARD";
    if (isText && !have11) e.X1 = e.X0, e.Y1 = e.Y0;
    if (isText && (e.g41 <= 0)) e.g41 = 1;
    if ((t == "ATTRIB" || t == "ATTDEF") && (e.Flags & 1)) e.Invisible = true;
    if (isMText) {
      e.Text = mtext;
      // The rotation: group 50 is in radians; the direction vector 11/21 wins when given.
      if (have11 && (e.X1 != 0 || e.Y1 != 0)) {
        e.g50 = std::atan2(e.Y1, e.X1) * 180 / std::numbers::pi;
      } else if (have50) {
        e.g50 = e.g50 * 180 / std::numbers::pi;
      }
      if (e.g71 < 1 || e.g71 > 9) e.g71 = 1;
    }
    if (isPoly && e.Vertices.Count() > 0) {
      e.X0 = e.Vertices.Item(1).X0;
      e.Y0 = e.Vertices.Item(1).Y0;
    }
    if (isSpline) {
      // Drawn through its fit points when it has them, else through its control points.
      if (!fit.empty()) e.Vertices.items() = std::move(fit);
      if (e.Vertices.Count() > 0) e.X0 = e.Vertices.Item(1).X0, e.Y0 = e.Vertices.Item(1).Y0;
    }
    if ((t == "SOLID" || t == "TRACE" || t == "3DFACE")) {
      bool has13 = false;
      for (const Pair& p : obj_.groups) has13 = has13 || p.code == 13;
      if (!has13) e.X3 = e.X2, e.Y3 = e.Y2;
    }
    if (isInsert) {
      if (e.Flags < 1) e.Flags = 1;
      if (e.g71 < 1) e.g71 = 1;
    }
    return true;
  }

  // HATCH: the boundary loops become closed LWPOLYLINE children (arc edges as bulges or
  // points); the pattern and the seed points are skipped.
  bool buildHatch(Entity& e) {
    bool inPaths = false, polyPath = false;
    Entity* loop = nullptr;
    int edgeType = 0;
    double ex[2] = {0, 0}, ey[2] = {0, 0}, r = 0, a0 = 0, a1 = 0, ratio = 1;
    bool ccw = true;
    auto addPoint = [&](double x, double y) {
      if (!loop) return;
      auto& v = loop->Vertices.items();
      if (!v.empty() && std::fabs(v.back().X0 - x) < 1e-12 && std::fabs(v.back().Y0 - y) < 1e-12)
        return;
      loop->Vertices.Add(Vertex{x, y, 0, 0});
    };
    auto flushEdge = [&] {
      if (!loop || edgeType == 0) return;
      if (edgeType == 1) {
        addPoint(ex[0], ey[0]);
        addPoint(ex[1], ey[1]);
      } else if (edgeType == 2 || edgeType == 3) {
        // Arc (2) or elliptic arc (3) about (ex0, ey0); angles in degrees.
        double sweep = a1 - a0;
        while (sweep < 0) sweep += 360;
        if (sweep == 0) sweep = 360;
        double mx = edgeType == 2 ? r : ex[1], my = edgeType == 2 ? 0 : ey[1];
        double minor = edgeType == 2 ? 1 : ratio;
        int n = std::max(4, static_cast<int>(sweep / 10));
        for (int i = 0; i <= n; ++i) {
          double a = (a0 + sweep * i / n) * std::numbers::pi / 180;
          if (!ccw) a = -a;
          double c = std::cos(a), s = std::sin(a);
          addPoint(ex[0] + c * mx - s * my * minor, ey[0] + c * my + s * mx * minor);
        }
      }
      edgeType = 0;
    };
    for (const Pair& p : obj_.groups) {
      int c = p.code;
      if (!inPaths) {
        switch (c) {
          case 8:
            e.LayerName = name(p.value);
            break;
          case 62:
            e.Color = inum(p);
            break;
          case 6:
            e.LineType = name(p.value);
            break;
          case 2:
            e.BlockName = std::string(TrimBlanks(text(p.value)));
            break;
          case 70:
            e.Flags = inum(p);
            break;
          case 60:
            e.Invisible = inum(p) == 1;
            break;
          case 67:
            e.PaperSpace = inum(p) == 1;
            break;
          case 91:
            inPaths = true;
            break;
          default:
            break;
        }
        continue;
      }
      if (c == 92) {
        flushEdge();
        e.Children.emplace_back();
        loop = &e.Children.back();
        loop->EntityType = "LWPOLYLINE";
        loop->Flags = 1;
        polyPath = (inum(p) & 2) != 0;
        continue;
      }
      if (c == 75 || c == 76 || c == 98) {  // the boundary data is over
        flushEdge();
        break;
      }
      if (!loop) continue;
      if (polyPath) {
        if (c == 10)
          loop->Vertices.Add(Vertex{num(p), 0, 0, 0});
        else if (c == 20 && loop->Vertices.Count() > 0)
          loop->Vertices.items().back().Y0 = num(p);
        else if (c == 42 && loop->Vertices.Count() > 0)
          loop->Vertices.items().back().Bulge = num(p);
        continue;
      }
      switch (c) {
        case 72:
          flushEdge(), edgeType = inum(p), ccw = true;
          break;
        case 10:
          ex[0] = num(p);
          break;
        case 20:
          ey[0] = num(p);
          break;
        case 11:
          ex[1] = num(p);
          break;
        case 21:
          ey[1] = num(p);
          break;
        case 40:
          r = num(p), ratio = r;
          break;
        case 50:
          a0 = num(p);
          break;
        case 51:
          a1 = num(p);
          break;
        case 73:
          ccw = inum(p) != 0;
          break;
        case 97:
          flushEdge();
          break;
        default:
          break;
      }
    }
    flushEdge();
    if (badNumber_) return false;
    if (e.Color < 0) e.Color = -e.Color;
    if (e.Color > 256) e.Color = kByLayer;
    for (Entity& l : e.Children) l.LayerName = e.LayerName;
    if (!e.Children.empty() && e.Children.front().Vertices.Count() > 0) {
      e.X0 = e.Children.front().Vertices.Item(1).X0;
      e.Y0 = e.Children.front().Vertices.Item(1).Y0;
    }
    return true;
  }

  Tokenizer tok_;
  Document& doc_;
  Object obj_;
  Pair pending_;
  bool havePending_ = false;
  bool pushedBack_ = false;
  bool utf8_ = true;
  bool badNumber_ = false;
  ReadStats stats_;
};

// Windows-1252 code points of the bytes 0x80-0x9F (0 where the code page has none).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  size_t i = 0, n = s.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || c == 0xC0 || c == 0xC1 || i + len > n) return false;
    for (int k = 1; k < len; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += static_cast<size_t>(len);
  }
  return true;
}

std::string DecodeText(std::string_view raw, bool utf8) {
  // Fast path: plain ASCII with no control sequences.
  bool plain = true;
  for (char c : raw) {
    if (c == '%' || c == '\\' || static_cast<unsigned char>(c) >= 0x80) {
      plain = false;
      break;
    }
  }
  if (plain) return std::string(raw);
  std::string out;
  out.reserve(raw.size() + 8);
  size_t i = 0, n = raw.size();
  while (i < n) {
    char c = raw[i];
    if (c == '%' && i + 2 < n && raw[i + 1] == '%') {
      char k = raw[i + 2];
      switch (k) {
        case 'd':
        case 'D':
          AppendUtf8(out, 0x00B0);
          i += 3;
          continue;
        case 'c':
        case 'C':
          AppendUtf8(out, 0x2300);
          i += 3;
          continue;
        case 'p':
        case 'P':
          AppendUtf8(out, 0x00B1);
          i += 3;
          continue;
        case '%':
          out += '%';
          i += 3;
          continue;
        case 'u':
        case 'U':
        case 'o':
        case 'O':
          i += 3;
          continue;
        default:
          break;
      }
      if (k >= '0' && k <= '9' && i + 4 < n && raw[i + 3] >= '0' && raw[i + 3] <= '9' &&
          raw[i + 4] >= '0' && raw[i + 4] <= '9') {
        int code = (k - '0') * 100 + (raw[i + 3] - '0') * 10 + (raw[i + 4] - '0');
        if (code >= 0x80 && code < 0xA0) {
          char16_t cp = kCp1252High[code - 0x80];
          if (cp) AppendUtf8(out, cp);
        } else if (code > 0 && code < 256) {
          AppendUtf8(out, static_cast<char32_t>(code));
        }
        i += 5;
        continue;
      }
    }
    if (c == '\\' && i + 6 < n && (raw[i + 1] == 'U' || raw[i + 1] == 'u') && raw[i + 2] == '+') {
      char32_t cp = 0;
      bool ok = true;
      for (int k = 0; k < 4; ++k) {
        int h = HexDigit(raw[i + 3 + static_cast<size_t>(k)]);
        if (h < 0) ok = false;
        cp = cp * 16 + static_cast<char32_t>(h < 0 ? 0 : h);
      }
      if (ok) {
        AppendUtf8(out, cp);
        i += 7;
        continue;
      }
    }
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x80 && !utf8) {
      if (u < 0xA0) {
        char16_t cp = kCp1252High[u - 0x80];
        if (cp) AppendUtf8(out, cp);
      } else {
        AppendUtf8(out, u);
      }
      ++i;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

ReadStats ReadDxf(std::string_view bytes, Document& doc) {
  static constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";
  if (bytes.substr(0, kBinarySentinel.size()) == kBinarySentinel) {
    vb::Raise(kInvalidFileFormat, "Invalid DXF file: binary DXF files are not supported");
  }
  if (bytes.find('\0') != std::string_view::npos) {
    vb::Raise(kInvalidFileFormat, "Invalid DXF file: the file holds binary data");
  }
  Document fresh;
  Parser parser(bytes, fresh);
  ReadStats stats = parser.run();
  doc = std::move(fresh);
  return stats;
}

}  // namespace dxf
