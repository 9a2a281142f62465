#pragma once
// The entity layer of the DXF reader: the groups of one entity object onto the Entity fields of
// the same group codes, with the defaults and the normalising each kind needs (see
// EntityViews.h for the field of each code per kind).
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/dxf/Document.h"
#include "platform/dxf/TagStream.h"
#include "platform/dxf/TextDecode.h"

namespace dxf::reader {

// Reads the values of the current object: numbers, and texts in the file's code page.
struct Values {
  NumberReader numbers;
  bool utf8 = true;  // the file's texts are UTF-8 (else Windows-1252)

  double Real(const Tag& t) { return numbers.Real(t); }
  int Int(const Tag& t) { return numbers.Int(t); }
  std::string Text(std::string_view raw) const { return DecodeText(raw, utf8); }
  // A table or layer name: decoded, trimmed, upper case.
  std::string Name(std::string_view raw) const {
    return UpperName(TrimBlanks(DecodeText(raw, utf8)));
  }
  // The same as a shared text: a value seen before in the file gives the same block.
  const SharedText& SharedName(std::string_view raw) { return shared(names_, raw, kName); }
  // A block name: decoded and trimmed, shared.
  const SharedText& SharedBlockName(std::string_view raw) {
    return shared(blockNames_, raw, kBlockName);
  }
  // An entity type (trimmed already): upper case, shared.
  const SharedText& SharedType(std::string_view type) { return shared(types_, type, kType); }

 private:
  // Keyed by the raw value as read (a copy: the bytes of a file read in pieces do not stay).
  struct RawHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  using Cache = std::unordered_map<std::string, SharedText, RawHash, std::equal_to<>>;
  enum Kind { kName, kBlockName, kType };
  const SharedText& shared(Cache& cache, std::string_view raw, Kind kind) {
    auto it = cache.find(raw);
    if (it != cache.end()) return it->second;
    std::string v = kind == kType ? UpperName(raw) : std::string(TrimBlanks(DecodeText(raw, utf8)));
    if (kind == kName) v = UpperName(v);
    // A file of ever new names keeps no more than this many in the cache.
    if (cache.size() >= 4096) cache.clear();
    return cache.emplace(std::string(raw), SharedText(std::move(v))).first->second;
  }
  Cache names_, blockNames_, types_;
};

// Fills `e` from the object's groups. False when a number is not finite (the entity is then
// dropped by the caller). A HATCH keeps its boundary loops as closed LWPOLYLINE children.
bool BuildEntity(const Object& o, Values& vals, Entity& e);

// One VERTEX of a POLYLINE: point 10/20, bulge 42, flags 70. False when a number is not finite.
bool BuildVertex(const Object& o, Values& vals, Vertex& v);

}  // namespace dxf::reader
