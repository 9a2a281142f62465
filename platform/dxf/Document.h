#pragma once
// The drawing held by the DXF drawing control: entities with their DXF group-code fields,
// layers, blocks, text styles, linetypes and the header limits. Units are inches, y up, angles
// in degrees; colours are AutoCAD colour indexes (ACI; 256 = BYLAYER, 0 = BYBLOCK).
//
// Collections are 1-based, as the control's callers address them; an index out of range or an
// unknown name raises vb::Error 9 (subscript out of range).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dxf/SharedText.h"

namespace dxf {

constexpr int kByBlock = 0;
constexpr int kByLayer = 256;

// One vertex of a polyline: group 10/20 point, 42 bulge, 70 flags.
struct Vertex {
  double X0 = 0, Y0 = 0;
  double Bulge = 0;
  int Flags = 0;
};

// The vertices live in a block of their own, allocated by the first Add: most entities have
// none, and an entity stays one pointer wider for them.
class VertexList {
 public:
  VertexList() = default;
  VertexList(const VertexList& o)
      : items_(o.Count() > 0 ? std::make_unique<std::vector<Vertex>>(*o.items_) : nullptr) {}
  VertexList(VertexList&&) noexcept = default;
  VertexList& operator=(const VertexList& o) {
    if (this != &o) items_ = std::move(VertexList(o).items_);
    return *this;
  }
  VertexList& operator=(VertexList&&) noexcept = default;
  long Count() const { return items_ ? static_cast<long>(items_->size()) : 0; }
  Vertex& Item(long index);  // 1-based
  const Vertex& Item(long index) const;
  void Add(const Vertex& v) { items().push_back(v); }
  void Clear() { items_.reset(); }
  std::vector<Vertex>& items() {
    if (!items_) items_ = std::make_unique<std::vector<Vertex>>();
    return *items_;
  }
  const std::vector<Vertex>& items() const { return items_ ? *items_ : None(); }
  Vertex* begin() { return items_ ? items_->data() : nullptr; }
  Vertex* end() { return items_ ? items_->data() + items_->size() : nullptr; }
  const Vertex* begin() const { return items_ ? items_->data() : nullptr; }
  const Vertex* end() const { return items_ ? items_->data() + items_->size() : nullptr; }

 private:
  static const std::vector<Vertex>& None();
  std::unique_ptr<std::vector<Vertex>> items_;
};

struct Entity;

// The entities an entity owns (an INSERT's ATTRIBs, a HATCH's loops), allocated by the first
// one added, as the vertices are.
class ChildList {
 public:
  ChildList() = default;
  ChildList(const ChildList& o);
  ChildList(ChildList&&) noexcept = default;
  ChildList& operator=(const ChildList& o);
  ChildList& operator=(ChildList&&) noexcept = default;
  ~ChildList();
  size_t size() const;
  bool empty() const { return size() == 0; }
  Entity& operator[](size_t i);
  const Entity& operator[](size_t i) const;
  Entity& front() { return (*this)[0]; }
  const Entity& front() const { return (*this)[0]; }
  Entity& back() { return (*this)[size() - 1]; }
  const Entity& back() const { return (*this)[size() - 1]; }
  void push_back(Entity e);
  Entity& emplace_back();
  void clear() { items_.reset(); }
  Entity* begin();
  Entity* end();
  const Entity* begin() const;
  const Entity* end() const;

 private:
  std::unique_ptr<std::vector<Entity>> items_;
};

// The group-code fields few entities use (corner points, justification, scales, the block
// name, owned entities): kept in a block of their own that an entity allocates when one of them
// is first set, so that the common entity (a line, arc, circle, text, polyline) stays small.
struct EntityExtra {
  EntityExtra();
  SharedText TextStyle;     // 7 ("STANDARD" by default)
  SharedText BlockName;     // 2
  double X2 = 0, X3 = 0;    // 12, 13
  double Y2 = 0, Y3 = 0;    // 22, 23
  double Thickness = 0;     // 39
  double g42 = 0;           // INSERT y scale, ELLIPSE end parameter, ...
  double g43 = 1;           // INSERT z scale (written back only)
  double g44 = 0, g45 = 0;  // INSERT column / row spacing, MTEXT line spacing
  double g72 = 0, g73 = 0;  // TEXT justification; hold integers
  int g71 = 0;              // MTEXT attachment 1-9, INSERT row count, TEXT mirror flags
  // The ATTRIBs following an INSERT; the boundary loops of a HATCH (as closed LWPOLYLINEs).
  ChildList Children;

  // The values of an entity that has no block of its own.
  static const EntityExtra& Defaults();
};

// An entity with the fields of the DXF group codes it was read from. Fields a kind does not use
// stay at their defaults. EntityViews.h names the fields of each kind (a circle's centre and
// radius, an insert's scales and array, ...): code that draws or edits entities reads them
// through those views.
//
// The fields of EntityExtra are read through Extra() (the defaults when the entity has none:
// reading never allocates) and written through EditExtra(), which allocates the block the first
// time. A view over a non-const entity that names one of them allocates it as well.
struct Entity {
  Entity();
  SharedText EntityType;                  // 0, upper case ("" for a freshly appended entity)
  SharedText LayerName;                   // 8, upper case ("0" by default)
  SharedText LineType;                    // 6 ("BYLAYER" by default)
  SharedText Text;                        // 1 (MTEXT: the 3 chunks and the 1 joined)
  double X0 = 0, X1 = 0;                  // 10, 11
  double Y0 = 0, Y1 = 0;                  // 20, 21
  double g40 = 0, g41 = 0;                // radius / height, width factor / scales, ...
  double g50 = 0, g51 = 0;                // angles in degrees
  int Color = kByLayer;                   // 62
  int Flags = 0;  // 70: closed polyline, INSERT column count, DIMENSION type, ...
  bool Invisible = false;   // 60 = 1: kept, not drawn
  bool PaperSpace = false;  // 67 = 1
  VertexList Vertices;      // polyline vertices, spline points, hatch edges

  const EntityExtra& Extra() const { return extra_ ? *extra_ : EntityExtra::Defaults(); }
  EntityExtra& EditExtra() {
    if (!extra_) extra_.reset(new EntityExtra());
    return *extra_;
  }
  bool HasExtra() const { return extra_ != nullptr; }

 private:
  // The block, copied with the entity that owns it.
  struct ExtraBlock : std::unique_ptr<EntityExtra> {
    ExtraBlock() = default;
    ExtraBlock(const ExtraBlock& o)
        : std::unique_ptr<EntityExtra>(o ? std::make_unique<EntityExtra>(*o) : nullptr) {}
    ExtraBlock(ExtraBlock&&) noexcept = default;
    ExtraBlock& operator=(const ExtraBlock& o) {
      if (this != &o) reset(o ? new EntityExtra(*o) : nullptr);
      return *this;
    }
    ExtraBlock& operator=(ExtraBlock&&) noexcept = default;
  };
  ExtraBlock extra_;
};

class EntityCollection {
 public:
  long Count() const { return static_cast<long>(items_.size()); }
  Entity& Item(long index);  // 1-based
  const Entity& Item(long index) const;
  // Removes item `index`; the later ones move down by one.
  void Remove(long index);
  Entity& Add(Entity e = {});
  void Clear() { items_.clear(); }
  std::vector<Entity>& items() { return items_; }
  const std::vector<Entity>& items() const { return items_; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Entity> items_;
};

class Layer {
 public:
  explicit Layer(std::string_view name, int color = 7);
  const std::string& Name() const { return name_; }  // upper case
  int Color = 7;                                     // ACI 1-255
  bool Frozen = false;                               // true hides the layer
  bool Off = false;  // a negative colour in the file: hidden as well
  std::string LineType = "CONTINUOUS";
  bool Visible() const { return !Frozen && !Off; }

 private:
  std::string name_;
};

// Layers keep their 1-based positions: new layers are only ever appended.
class LayerList {
 public:
  long Count() const { return static_cast<long>(items_.size()); }
  Layer& Item(long position);
  const Layer& Item(long position) const;
  Layer& Item(std::string_view name);  // any letter case
  const Layer& Item(std::string_view name) const;
  Layer* Find(std::string_view name);
  const Layer* Find(std::string_view name) const;
  // Appends a layer, or returns the one of that name (any case) unchanged.
  Layer& Add(std::string_view name, int color = 7);
  void Clear() { items_.clear(); }
  std::vector<Layer>& items() { return items_; }
  const std::vector<Layer>& items() const { return items_; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Layer> items_;
};

struct Block {
  std::string Name;  // as in the file (anonymous blocks start with "*")
  double BaseX = 0, BaseY = 0;
  int Flags = 0;
  std::string LayerName = "0";
  EntityCollection Entities;
};

class BlockList {
 public:
  long Count() const { return static_cast<long>(items_.size()); }
  Block& Item(long index);
  Block& Item(std::string_view name);  // any letter case
  const Block& Item(std::string_view name) const;
  Block* Find(std::string_view name);
  const Block* Find(std::string_view name) const;
  Block& Add(Block b);  // replaces a block of the same name
  void Clear() { items_.clear(); }
  std::vector<Block>& items() { return items_; }
  const std::vector<Block>& items() const { return items_; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Block> items_;
};

struct TextStyle {
  std::string StyleName;     // upper case
  std::string FontFileName;  // group 3 ("arial.ttf", "txt")
  std::string BigFont;       // group 4
  double FixedHeight = 0;    // 40
  double WidthFactor = 1;    // 41
  int Flags = 0;             // 70
};

struct LineType {
  std::string Name;  // upper case
  std::string Description;
  double PatternLength = 0;
  std::vector<double> Elements;  // 49: dash > 0, gap < 0, dot 0
};

template <class T>
class NamedList {
 public:
  long Count() const { return static_cast<long>(items_.size()); }
  T& Item(long index);
  const T& Item(long index) const;
  T* Find(std::string_view name);
  const T* Find(std::string_view name) const;
  T& Add(T item);  // an existing name is kept as it is
  void Clear() { items_.clear(); }
  std::vector<T>& items() { return items_; }
  const std::vector<T>& items() const { return items_; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<T> items_;
};
using TextStyleList = NamedList<TextStyle>;
using LineTypeList = NamedList<LineType>;

struct Header {
  std::string AcadVer;
  bool HasLimits = false;
  double LimMinX = 0, LimMinY = 0, LimMaxX = 12, LimMaxY = 9;
  bool HasExtents = false;
  double ExtMinX = 0, ExtMinY = 0, ExtMaxX = 0, ExtMaxY = 0;
  double LtScale = 1;
};

// The whole drawing. A new document has layer "0", the STANDARD style and the CONTINUOUS
// linetype.
struct Document {
  Document();
  // Back to a new document (no entities, no blocks, layer "0" only).
  void Clear();

  LayerList Layers;
  EntityCollection Entities;
  BlockList Blocks;
  TextStyleList TextStyles;
  LineTypeList LineTypes;
  Header Head;
};

// Upper case of the ASCII letters (layer, style, linetype and block names compare this way).
std::string UpperName(std::string_view name);
bool SameName(std::string_view a, std::string_view b);

// The font face for a style's font file: "arial.ttf" -> "arial" (cut at the first "."); the
// AutoCAD shape fonts (txt, simplex, romans, isocp, ...) and an empty name map to an installed
// sans face. Shared by the renderer and the program's drawing layer.
std::string FontFaceForFile(std::string_view fontFileName);

}  // namespace dxf
