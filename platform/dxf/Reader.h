#pragma once
// Our own ASCII DXF reader (R12 to 2018). It reads the HEADER limits and extents, the LAYER,
// STYLE and LTYPE tables, the BLOCKS and the ENTITIES into a Document, mapping each group code
// onto the entity field of the same code. Unknown entities keep their type and common fields;
// unknown groups are skipped.
//
// Its layers, each in its own file: the tag and object stream (TagStream), text decoding
// (TextDecode), the entity builder (EntityBuilder) and the sections, tables and blocks
// (Reader.cpp).
//
// A file that is not a complete DXF (empty, truncated, a group code that is not a number, a
// number that does not read, binary junk, binary DXF) raises vb::Error kInvalidFileFormat with a
// description naming the line; the target document is then left as it was. An entity with a
// coordinate that is not finite is dropped and counted.
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/dxf/Document.h"
#include "platform/dxf/TextDecode.h"

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

// The same from a file, read in pieces of about `pieceBytes` (tests use small ones): the file is
// never held whole, only a window of it and the drawing being built. A file that cannot be
// opened or read raises vb::Error 75 (path/file access error).
ReadStats ReadDxfFile(const std::filesystem::path& file, Document& doc,
                      size_t pieceBytes = size_t{1} << 20);
// The same from an open file, from its start.
ReadStats ReadDxfFile(std::FILE* file, Document& doc, size_t pieceBytes = size_t{1} << 20);

}  // namespace dxf
