#pragma once
// The text values of a DXF file as UTF-8: the control codes of DXF texts and the code page of
// files older than AutoCAD 2007.
#include <string>
#include <string_view>

namespace dxf {

// Decodes a DXF text value to UTF-8: %%d (degree), %%c (diameter), %%p (plus-minus), %%%,
// %%nnn (character code), the %%u/%%o toggles dropped, \U+XXXX. `utf8` tells whether the raw
// bytes are UTF-8 (otherwise they are Windows-1252).
std::string DecodeText(std::string_view raw, bool utf8);

// Whether the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace dxf
