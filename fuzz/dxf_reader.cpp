// The DXF reader on any bytes. Checks what it promises: a file either reads or raises "Invalid
// file format" (nothing else escapes, the target document is left as it was), and a drawing it
// read, written out again as DXF R12, reads back with the same entities. Read as a file in
// pieces, the same bytes give the same error or the same drawing.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "platform/dxf/Reader.h"
#include "platform/dxf/Writer.h"
#include "platform/runtime/Error.h"

using fuzzsupport::Check;

namespace {

// The same bytes read as a file in small pieces (from memory: fmemopen): the same error, or a
// drawing that writes out the same.
void ReadInPieces(const uint8_t* data, size_t size, const std::string& error,
                  const std::string& written) {
  if (size == 0) return;  // fmemopen wants a buffer
  std::FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!f) return;
  const size_t piece = 1 + data[size - 1] % 61;
  dxf::Document doc;
  doc.Entities.Add().EntityType = "MARKER";
  std::string got;
  try {
    dxf::ReadDxfFile(f, doc, piece);
  } catch (const vb::Error& e) {
    got = e.description;
    Check(doc.Entities.Count() == 1 && doc.Entities.Item(1).EntityType == "MARKER",
          "a failed read in pieces leaves the document as it was");
  }
  std::fclose(f);
  Check(got == error, "a file read in pieces fails as its bytes fail");
  if (got.empty()) Check(dxf::WriteDxfR12(doc) == written, "a file read in pieces reads the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  dxf::Document doc;
  doc.Entities.Add().EntityType = "MARKER";
  try {
    dxf::ReadDxf(bytes, doc);
  } catch (const vb::Error& e) {
    Check(e.number == dxf::kInvalidFileFormat, "a file that does not read raises 321");
    Check(doc.Entities.Count() == 1 && doc.Entities.Item(1).EntityType == "MARKER",
          "a failed read leaves the document as it was");
    ReadInPieces(data, size, e.description, "");
    return 0;
  }
  const std::string written = dxf::WriteDxfR12(doc);
  ReadInPieces(data, size, "", written);
  dxf::Document again;
  try {
    dxf::ReadDxf(written, again);
  } catch (const vb::Error&) {
    Check(false, "a drawing written as R12 reads back");
  }
  // The writer leaves out kinds R12 lacks and splits MTEXT and HATCH, so only the kinds it writes
  // one for one are compared.
  auto count = [](const dxf::Document& d, std::string_view kind) {
    long n = 0;
    for (const dxf::Entity& e : d.Entities) n += e.EntityType == kind;
    return n;
  };
  for (std::string_view kind : {"LINE", "CIRCLE", "ARC", "POINT", "INSERT", "SOLID"}) {
    Check(count(doc, kind) == count(again, kind), "the kinds written one for one read back");
  }
  return 0;
}
