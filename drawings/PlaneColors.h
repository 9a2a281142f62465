#pragma once
// The colours of Plane 1 and Plane 2 on the drawing views: the plane's layer and both dimension
// layers of the four drawing views.
#include <cstdint>

#include "drawings/DrawingViews.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

// Plane 1 sets PlaneColor1 and the "Plane1" layer; any other number Plane 2. Both dimension
// layers are recomputed (DimColor -1 follows the plane colours), each view redrawn and then the
// current drawing view. Each failing statement is reported through `g` and the next one runs.
void ColorPlaneLayers(vb::Proc& g, DrawingViews& cad, int plane, int32_t colour);

// Both dimension layers of views 2 to 5 from DimColor, each view redrawn.
void ApplyDimColors(DrawingViews& cad);

}  // namespace MainForm
