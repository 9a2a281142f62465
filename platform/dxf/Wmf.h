#pragma once
// Our own Windows metafile writer: a placeable metafile (Aldus header) of a drawing's window,
// with the content as on screen (frozen and off layers left out). Logical coordinates are
// 16-bit: the window is mapped onto at most 32000 units along its longer side.
#include <string>

#include "platform/dxf/Aci.h"
#include "platform/dxf/Document.h"
#include "platform/dxf/Render.h"
#include "platform/dxf/ViewState.h"

namespace dxf {

constexpr int kWmfUnitsPerInch = 1440;
constexpr int kWmfMaxExtent = 32000;

// `fonts`: the measures the texts are placed by (the screen's, so that they stand where the
// screen shows them); null: the renderer's defaults.
std::string WriteMetafile(const Document& doc, const Window& window, Rgb background,
                          const FontMeasures* fonts = nullptr);

}  // namespace dxf
