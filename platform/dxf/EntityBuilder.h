#pragma once
// The entity layer of the DXF reader: the groups of one entity object onto the Entity fields of
// the same group codes, with the defaults and the normalising each kind needs (see
// EntityViews.h for the field of each code per kind).
#include <string>
#include <string_view>

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
};

// Fills `e` from the object's groups. False when a number is not finite (the entity is then
// dropped by the caller). A HATCH keeps its boundary loops as closed LWPOLYLINE children.
bool BuildEntity(const Object& o, Values& vals, Entity& e);

// One VERTEX of a POLYLINE: point 10/20, bulge 42, flags 70. False when a number is not finite.
bool BuildVertex(const Object& o, Values& vals, Vertex& v);

}  // namespace dxf::reader
