#pragma once
// Our own ASCII DXF reader (R12 to 2018). It reads the HEADER limits and extents, the LAYER,
// STYLE and LTYPE tables, the BLOCKS and the ENTITIES into a Document, mapping each group code
// onto the entity field of the same code. Unknown entities keep their type and common fields;
// unknown groups are skipped.
//
// A file that is not a complete DXF (empty, truncated, a group code that is not a number, a
// number that does not read, binary junk, binary DXF) raises vb::Error kInvalidFileFormat with a
// description naming the line; the target document is then left as it was. An entity with a
// coordinate that is not finite is dropped and counted.
#include <string>
#include <string_view>

#include "platform/dxf/Document.h"

namespace dxf {

// "Invalid file format", the Windows run-time error number for a file that does not read.
constexpr long kInvalidFileFormat = 321;

struct ReadStats {
  long entities = 0;  // top-level entities read
  long rejected = 0;  // entities dropped for coordinates that are not finite
};

// Parses the bytes of a DXF file. On success `doc` is replaced by the file's drawing; on
// failure it raises and `doc` keeps its contents.
ReadStats ReadDxf(std::string_view bytes, Document& doc);

// Decodes a DXF text value to UTF-8: %%d (degree), %%c (diameter), %%p (plus-minus), %%%,
// %%nnn (character code), the %%u/%%o toggles dropped, \U+XXXX. `utf8` tells whether the raw
// bytes are UTF-8 (otherwise they are Windows-1252).
std::string DecodeText(std::string_view raw, bool utf8);

// Whether the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace dxf
