// The sections layer of the DXF reader: HEADER variables, the LAYER, STYLE and LTYPE tables,
// BLOCKS and ENTITIES, each read from the object stream, with the entities built by the entity
// layer.
#include "platform/dxf/Reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <exception>
#include <unordered_set>
#include <utility>
#include <vector>

#include <sys/mman.h>

#include "platform/dxf/EntityBuilder.h"
#include "platform/dxf/TagStream.h"
#include "platform/runtime/Error.h"

namespace dxf {

namespace {

using reader::Broken;
using reader::BuildEntity;
using reader::BuildVertex;
using reader::Object;
using reader::ObjectStream;
using reader::Tag;
using reader::TrimBlanks;
using reader::Values;

class Parser {
 public:
  Parser(std::string_view bytes, Document& doc) : in_(bytes), doc_(doc) {
    vals_.utf8 = IsValidUtf8(bytes);
  }
  // A file read in pieces; `utf8`: whether its texts are taken for UTF-8.
  Parser(std::FILE* file, size_t pieceBytes, bool utf8, Document& doc)
      : in_(file, pieceBytes), doc_(doc) {
    vals_.utf8 = utf8;
  }

  ReadStats run() {
    bool sawSection = false;
    while (in_.Next()) {
      if (obj().type == "SECTION") {
        sawSection = true;
        std::string_view name = obj().First(2);
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
      } else if (obj().type == "EOF") {
        break;
      }
      // Anything else between sections is skipped.
    }
    if (!sawSection) Broken("no SECTION found", in_.LineNo());
    addUndeclaredLayers();
    // A missing EOF after complete sections is tolerated: every section read was closed.
    stats_.entities = doc_.Entities.Count();
    return stats_;
  }

  // Whether every byte of the file read in pieces is UTF-8, once it has been read.
  bool RestIsUtf8() { return in_.RestIsUtf8(); }

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

  [[noreturn]] void truncated(const char* where) {
    Broken(std::string("the file ends inside the ") + where + " section", in_.LineNo());
  }

  void expectEndSec() {
    if (!in_.Next()) truncated("HEADER");
    if (obj().type != "ENDSEC") in_.PushBack();
  }

  void skipSection() {
    while (true) {
      if (!in_.Next()) truncated("unknown");
      if (obj().type == "ENDSEC") return;
      if (obj().type == "EOF") {
        in_.PushBack();
        return;
      }
    }
  }

  void header() {
    vals_.numbers.Begin(obj());
    std::string_view var;
    for (const Tag& p : obj().groups) {
      if (p.code == 9) {
        var = TrimBlanks(p.value);
        continue;
      }
      Header& h = doc_.Head;
      if (var == "$ACADVER" && p.code == 1) {
        h.AcadVer = std::string(TrimBlanks(p.value));
        if (h.AcadVer >= "AC1021") vals_.utf8 = true;
      } else if (var == "$LIMMIN") {
        if (p.code == 10) h.LimMinX = vals_.Real(p), h.HasLimits = true;
        if (p.code == 20) h.LimMinY = vals_.Real(p);
      } else if (var == "$LIMMAX") {
        if (p.code == 10) h.LimMaxX = vals_.Real(p), h.HasLimits = true;
        if (p.code == 20) h.LimMaxY = vals_.Real(p);
      } else if (var == "$EXTMIN") {
        if (p.code == 10) h.ExtMinX = vals_.Real(p), h.HasExtents = true;
        if (p.code == 20) h.ExtMinY = vals_.Real(p);
      } else if (var == "$EXTMAX") {
        if (p.code == 10) h.ExtMaxX = vals_.Real(p);
        if (p.code == 20) h.ExtMaxY = vals_.Real(p);
      } else if (var == "$LTSCALE" && p.code == 40) {
        h.LtScale = vals_.Real(p);
      }
    }
    Header& h = doc_.Head;
    if (vals_.numbers.Bad() || !(h.LtScale > 0)) h.LtScale = 1;
    if (vals_.numbers.Bad()) {
      h.HasLimits = h.HasExtents = false;
      vals_.numbers.ClearBad();
    }
  }

  void tables() {
    std::vector<Layer> layers;
    while (true) {
      if (!in_.Next()) truncated("TABLES");
      std::string_view t = obj().type;
      if (t == "ENDSEC") break;
      if (t == "EOF" || t == "SECTION") {  // the section was left open
        in_.PushBack();
        break;
      }
      vals_.numbers.Begin(obj());
      if (t == "LAYER") {
        std::string n;
        int color = 7, flags = 0;
        std::string ltype = "CONTINUOUS";
        for (const Tag& p : obj().groups) {
          if (p.code == 2)
            n = vals_.Name(p.value);
          else if (p.code == 62)
            color = vals_.Int(p);
          else if (p.code == 70)
            flags = vals_.Int(p);
          else if (p.code == 6)
            ltype = vals_.Name(p.value);
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
        for (const Tag& p : obj().groups) {
          if (p.code == 2)
            s.StyleName = vals_.Name(p.value);
          else if (p.code == 3)
            s.FontFileName = std::string(TrimBlanks(vals_.Text(p.value)));
          else if (p.code == 4)
            s.BigFont = std::string(TrimBlanks(vals_.Text(p.value)));
          else if (p.code == 40)
            s.FixedHeight = vals_.Real(p);
          else if (p.code == 41)
            s.WidthFactor = vals_.Real(p);
          else if (p.code == 70)
            s.Flags = vals_.Int(p);
        }
        if (vals_.numbers.Bad()) s.FixedHeight = 0, s.WidthFactor = 1;
        if (s.StyleName.empty()) continue;  // shape-file entries have no name
        if (TextStyle* old = doc_.TextStyles.Find(s.StyleName))
          *old = s;
        else
          doc_.TextStyles.Add(s);
      } else if (t == "LTYPE") {
        LineType lt;
        for (const Tag& p : obj().groups) {
          if (p.code == 2)
            lt.Name = vals_.Name(p.value);
          else if (p.code == 3)
            lt.Description = vals_.Text(p.value);
          else if (p.code == 40)
            lt.PatternLength = vals_.Real(p);
          else if (p.code == 49)
            lt.Elements.push_back(vals_.Real(p));
        }
        if (vals_.numbers.Bad()) lt.Elements.clear(), lt.PatternLength = 0;
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
      if (!in_.Next()) truncated("BLOCKS");
      if (obj().type == "ENDSEC") return;
      if (obj().type == "EOF" || obj().type == "SECTION") {
        in_.PushBack();
        return;
      }
      if (obj().type != "BLOCK") continue;
      Block b;
      vals_.numbers.Begin(obj());
      for (const Tag& p : obj().groups) {
        if (p.code == 2)
          b.Name = std::string(TrimBlanks(vals_.Text(p.value)));
        else if (p.code == 3 && b.Name.empty())
          b.Name = std::string(TrimBlanks(vals_.Text(p.value)));
        else if (p.code == 70)
          b.Flags = vals_.Int(p);
        else if (p.code == 10)
          b.BaseX = vals_.Real(p);
        else if (p.code == 20)
          b.BaseY = vals_.Real(p);
        else if (p.code == 8)
          b.LayerName = vals_.Name(p.value);
      }
      if (vals_.numbers.Bad()) b.BaseX = b.BaseY = 0;
      entities(b.Entities, "ENDBLK", false);
      // The model and paper space block records of newer files hold nothing to draw.
      std::string upper = UpperName(b.Name);
      bool space = upper.rfind("*MODEL_SPACE", 0) == 0 || upper.rfind("*PAPER_SPACE", 0) == 0;
      if (!b.Name.empty() && !space) doc_.Blocks.Add(std::move(b));
    }
  }

#ifdef MAP_POPULATE
  // A gathering block is filled whole (but for the last): its pages are mapped at once rather
  // than one fault at a time.
  static constexpr int kPopulate = MAP_POPULATE;
#else
  static constexpr int kPopulate = 0;
#endif

  // Memory for the larger gathering blocks straight from the system: a block given back while
  // its entities move into the collection leaves the process at once. From the heap it could
  // stay with the process (the heap keeps what lies below memory still in use), and the
  // entities would count twice at the peak.
  template <class T>
  struct SystemPages {
    using value_type = T;
    SystemPages() = default;
    template <class U>
    SystemPages(const SystemPages<U>&) {}
    static bool Paged(size_t n) { return n * sizeof(T) >= 64 * 1024; }
    T* allocate(size_t n) {
      if (!Paged(n)) return std::allocator<T>().allocate(n);
      void* p = ::mmap(nullptr, n * sizeof(T), PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | kPopulate, -1, 0);
      if (p == MAP_FAILED) throw std::bad_alloc();
      return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t n) {
      if (!Paged(n)) return std::allocator<T>().deallocate(p, n);
      ::munmap(p, n * sizeof(T));
    }
    friend bool operator==(const SystemPages&, const SystemPages&) { return true; }
  };

  // Entities gathered in fixed blocks while their number is unknown, then moved into the
  // collection at its exact size, each block freed as soon as it is moved: no growing array
  // that holds twice the entities at its peak.
  class Gathered {
   public:
    explicit Gathered(EntityCollection& list) : list_(list) {}
    ~Gathered() {
      if (std::uncaught_exceptions() > unwinding_) return;  // the document is dropped anyway
      size_t total = 0;
      for (const auto& c : chunks_) total += c.size();
      auto& items = list_.items();
      items.reserve(items.size() + total);
      for (auto& c : chunks_) {
        for (Entity& e : c) items.push_back(std::move(e));
        Chunk().swap(c);
      }
    }
    void Add(Entity&& e) {
      if (chunks_.empty() || chunks_.back().size() == chunks_.back().capacity()) {
        // Small at first (a block of a few entities), up to a fixed size.
        const size_t size = chunks_.empty() ? 16 : std::min(kChunk, 2 * chunks_.back().size());
        chunks_.emplace_back().reserve(size);
      }
      chunks_.back().push_back(std::move(e));
    }

   private:
    static constexpr size_t kChunk = 4096;
    EntityCollection& list_;
    const int unwinding_ = std::uncaught_exceptions();
    using Chunk = std::vector<Entity, SystemPages<Entity>>;
    std::vector<Chunk> chunks_;
  };

  // Reads entities into `list` up to the object `end` (ENDSEC or ENDBLK).
  void entities(EntityCollection& into, std::string_view end, bool topLevel) {
    const char* where = topLevel ? "ENTITIES" : "BLOCKS";
    Gathered list(into);
    while (true) {
      if (!in_.Next()) truncated(where);
      std::string_view t = obj().type;
      if (t == end) return;
      if (t == "ENDSEC" || t == "EOF" || t == "SECTION") {
        // A block or section left open ends where the next one (or the file's EOF) begins.
        in_.PushBack();
        return;
      }
      if (t.empty() || t == "SEQEND" || t == "VERTEX") continue;  // stray sequence parts
      Entity e;
      bool ok = BuildEntity(obj(), vals_, e);
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
      if (!in_.Next()) return;  // the caller reports the unterminated section
      if (obj().type == "SEQEND") return;
      if (obj().type != part) {
        in_.PushBack();
        return;
      }
      if (part == "VERTEX") {
        Vertex v;
        if (!BuildVertex(obj(), vals_, v)) ok = false;
        owner.Vertices.Add(v);
      } else {
        Entity a;
        if (BuildEntity(obj(), vals_, a)) owner.EditExtra().Children.push_back(std::move(a));
      }
    }
  }

  const Object& obj() const { return in_.Current(); }

  ObjectStream in_;
  Document& doc_;
  Values vals_;
  ReadStats stats_;
};

}  // namespace

namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";

[[noreturn]] void BinaryDxf() {
  vb::Raise(kInvalidFileFormat, "Invalid DXF file: binary DXF files are not supported");
}

// Whether the file holds a NUL byte anywhere.
bool HoldsNul(std::FILE* file, size_t pieceBytes) {
  std::rewind(file);
  std::string piece(std::min<size_t>(pieceBytes, 1 << 16), '\0');
  while (true) {
    const size_t n = std::fread(piece.data(), 1, piece.size(), file);
    if (std::memchr(piece.data(), 0, n)) return true;
    if (n < piece.size()) return false;
  }
}

}  // namespace

ReadStats ReadDxf(std::string_view bytes, Document& doc) {
  if (bytes.substr(0, kBinarySentinel.size()) == kBinarySentinel) BinaryDxf();
  if (bytes.find('\0') != std::string_view::npos) reader::BinaryData();
  Document fresh;
  Parser parser(bytes, fresh);
  ReadStats stats = parser.run();
  doc = std::move(fresh);
  return stats;
}

ReadStats ReadDxfFile(std::FILE* file, Document& doc, size_t pieceBytes) {
  pieceBytes = std::max<size_t>(pieceBytes, 1);
  std::rewind(file);
  char head[kBinarySentinel.size()];
  if (std::fread(head, 1, sizeof head, file) == sizeof head &&
      std::string_view(head, sizeof head) == kBinarySentinel) {
    BinaryDxf();
  }
  // The texts are taken for UTF-8 until the file shows otherwise; a file that is not (found by
  // the time it is read to its end) is read again as Windows-1252, as ReadDxf reads it. The
  // drawing of the first read is gone by then.
  for (const bool utf8 : {true, false}) {
    std::rewind(file);
    Document fresh;
    ReadStats stats;
    bool allUtf8 = false;
    try {
      Parser parser(file, pieceBytes, utf8, fresh);
      stats = parser.run();
      allUtf8 = parser.RestIsUtf8();
    } catch (const vb::Error& e) {
      // ReadDxf reports binary data before anything wrong that comes before it in the file.
      if (e.number == kInvalidFileFormat && HoldsNul(file, pieceBytes)) reader::BinaryData();
      throw;
    }
    if (allUtf8 || !utf8) {
      doc = std::move(fresh);
      return stats;
    }
  }
  return {};  // not reached: the second read returns
}

ReadStats ReadDxfFile(const std::filesystem::path& file, Document& doc, size_t pieceBytes) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(file.c_str(), "rb"), &std::fclose);
  if (!f) vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + file.string());
  try {
    return ReadDxfFile(f.get(), doc, pieceBytes);
  } catch (const vb::Error& e) {
    if (e.number == vb::err::PathFileAccess) {
      vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + file.string());
    }
    throw;
  }
}

}  // namespace dxf
