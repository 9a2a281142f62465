#include "platform/dxf/Document.h"

#include <algorithm>
#include <type_traits>
#include <utility>

#include "platform/runtime/Error.h"

namespace dxf {

namespace {

[[noreturn]] void OutOfRange() { vb::Raise(vb::err::SubscriptOutOfRange); }

template <class V>
auto& At(V& items, long index) {
  if (index < 1 || index > static_cast<long>(items.size())) OutOfRange();
  return items[static_cast<size_t>(index - 1)];
}

}  // namespace

std::string UpperName(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::string FontFaceForFile(std::string_view fontFileName) {
  std::string_view base = fontFileName;
  size_t slash = base.find_last_of("/\\");
  if (slash != std::string_view::npos) base = base.substr(slash + 1);
  size_t dot = base.find('.');
  std::string face(base.substr(0, dot));
  static const char* const kShapeFonts[] = {
      "TXT",     "SIMPLEX", "ROMANS",  "ROMAND",  "ROMANC",  "ROMANT",   "ISOCP",    "ISOCP2",
      "ISOCP3",  "ISOCT",   "ISOCT2",  "ISOCT3",  "MONOTXT", "COMPLEX",  "ITALIC",   "SCRIPTS",
      "SCRIPTC", "GOTHICE", "GOTHICG", "GOTHICI", "GREEKC",  "GREEKS",   "SYASTRO",  "SYMAP",
      "SYMATH",  "SYMETEO", "SYMUSIC", "ITALICC", "ITALICT", "CYRILLIC", "CYRILTLC", "GDT"};
  std::string upper = UpperName(face);
  if (face.empty()) return "DejaVu Sans";
  for (const char* shx : kShapeFonts) {
    if (upper == shx) return "DejaVu Sans";
  }
  return face;
}

Vertex& VertexList::Item(long index) { return At(items(), index); }
const Vertex& VertexList::Item(long index) const { return At(items(), index); }
const std::vector<Vertex>& VertexList::None() {
  static const std::vector<Vertex> none;
  return none;
}

ChildList::ChildList(const ChildList& o)
    : items_(o.empty() ? nullptr : std::make_unique<std::vector<Entity>>(*o.items_)) {}
ChildList& ChildList::operator=(const ChildList& o) {
  if (this != &o) items_ = std::move(ChildList(o).items_);
  return *this;
}
ChildList::~ChildList() = default;
size_t ChildList::size() const { return items_ ? items_->size() : 0; }
Entity& ChildList::operator[](size_t i) { return (*items_)[i]; }
const Entity& ChildList::operator[](size_t i) const { return (*items_)[i]; }
void ChildList::push_back(Entity e) {
  if (!items_) items_ = std::make_unique<std::vector<Entity>>();
  items_->push_back(std::move(e));
}
Entity& ChildList::emplace_back() {
  if (!items_) items_ = std::make_unique<std::vector<Entity>>();
  return items_->emplace_back();
}
Entity* ChildList::begin() { return items_ ? items_->data() : nullptr; }
Entity* ChildList::end() { return items_ ? items_->data() + items_->size() : nullptr; }
const Entity* ChildList::begin() const { return items_ ? items_->data() : nullptr; }
const Entity* ChildList::end() const { return items_ ? items_->data() + items_->size() : nullptr; }

namespace {
// The default names of a new entity, shared by all of them.
struct DefaultNames {
  SharedText layer = SharedText::Lasting("0"), lineType = SharedText::Lasting("BYLAYER"),
             style = SharedText::Lasting("STANDARD");
};
const DefaultNames& NewEntityNames() {
  static const DefaultNames names;
  return names;
}
}  // namespace

EntityExtra::EntityExtra() : TextStyle(NewEntityNames().style) {}

const EntityExtra& EntityExtra::Defaults() {
  static const EntityExtra none;
  return none;
}

// A drawing holds hundreds of thousands of entities: the common one stays within two cache lines.
static_assert(sizeof(void*) != 8 || sizeof(Entity) <= 128);
// Entities move, never copy, when a collection grows.
static_assert(std::is_nothrow_move_constructible_v<Entity>);

Entity::Entity() : LayerName(NewEntityNames().layer), LineType(NewEntityNames().lineType) {}

Entity& EntityCollection::Item(long index) { return At(items_, index); }
const Entity& EntityCollection::Item(long index) const { return At(items_, index); }

void EntityCollection::Remove(long index) {
  At(items_, index);
  items_.erase(items_.begin() + (index - 1));
}

Entity& EntityCollection::Add(Entity e) {
  items_.push_back(std::move(e));
  return items_.back();
}

Layer::Layer(std::string_view name, int color) : Color(color), name_(UpperName(name)) {}

Layer& LayerList::Item(long position) { return At(items_, position); }
const Layer& LayerList::Item(long position) const { return At(items_, position); }

Layer* LayerList::Find(std::string_view name) {
  for (Layer& l : items_) {
    if (SameName(l.Name(), name)) return &l;
  }
  return nullptr;
}
const Layer* LayerList::Find(std::string_view name) const {
  return const_cast<LayerList*>(this)->Find(name);
}
Layer& LayerList::Item(std::string_view name) {
  Layer* l = Find(name);
  if (!l) OutOfRange();
  return *l;
}
const Layer& LayerList::Item(std::string_view name) const {
  return const_cast<LayerList*>(this)->Item(name);
}

Layer& LayerList::Add(std::string_view name, int color) {
  if (Layer* l = Find(name)) return *l;
  items_.emplace_back(name, color);
  return items_.back();
}

Block& BlockList::Item(long index) { return At(items_, index); }

Block* BlockList::Find(std::string_view name) {
  for (Block& b : items_) {
    if (SameName(b.Name, name)) return &b;
  }
  return nullptr;
}
const Block* BlockList::Find(std::string_view name) const {
  return const_cast<BlockList*>(this)->Find(name);
}
Block& BlockList::Item(std::string_view name) {
  Block* b = Find(name);
  if (!b) OutOfRange();
  return *b;
}
const Block& BlockList::Item(std::string_view name) const {
  return const_cast<BlockList*>(this)->Item(name);
}

Block& BlockList::Add(Block b) {
  if (Block* old = Find(b.Name)) {
    *old = std::move(b);
    return *old;
  }
  items_.push_back(std::move(b));
  return items_.back();
}

namespace {
const std::string& NameOf(const TextStyle& s) { return s.StyleName; }
const std::string& NameOf(const LineType& l) { return l.Name; }
}  // namespace

template <class T>
T& NamedList<T>::Item(long index) {
  return At(items_, index);
}
template <class T>
const T& NamedList<T>::Item(long index) const {
  return At(items_, index);
}
template <class T>
T* NamedList<T>::Find(std::string_view name) {
  for (T& item : items_) {
    if (SameName(NameOf(item), name)) return &item;
  }
  return nullptr;
}
template <class T>
const T* NamedList<T>::Find(std::string_view name) const {
  return const_cast<NamedList<T>*>(this)->Find(name);
}
template <class T>
T& NamedList<T>::Add(T item) {
  if (T* old = Find(NameOf(item))) return *old;
  items_.push_back(std::move(item));
  return items_.back();
}
template class NamedList<TextStyle>;
template class NamedList<LineType>;

Document::Document() { Clear(); }

void Document::Clear() {
  Layers.Clear();
  Layers.Add("0", 7);
  Entities.Clear();
  Blocks.Clear();
  TextStyles.Clear();
  TextStyles.Add(TextStyle{"STANDARD", "txt", "", 0, 1, 0});
  LineTypes.Clear();
  LineTypes.Add(LineType{"CONTINUOUS", "Solid line", 0, {}});
  Head = Header{};
}

}  // namespace dxf
