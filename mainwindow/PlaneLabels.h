#pragma once
// The colours of Plane 1 and Plane 2 carried to every place they show: the drawing views'
// layers, the colour swatches among the data labels and the general-data labels that show a
// plane colour as their text colour.
#include <cstdint>

#include "drawings/DrawingViews.h"
#include "mainwindow/MainView.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

// frmMain.SetPlaneColor: the plane's colour on the drawing views (ColorPlaneLayers), then both
// planes' labels recoloured. Each failing statement is reported and the next one runs.
void SetPlaneColor(MainView& view, DrawingViews& cad, int plane, int32_t colour);

// The labels that show the plane colours: every "Color" swatch of lblData1/lblData2 as back
// colour, gen1Data1/gen1Data2 58, 59 and 60 as text colour. Each label is a step of its own
// under `trap`: one that fails leaves the others coloured.
void ColorPlaneLabels(MainView& view, vb::Trap trap = vb::Trap::Report);

}  // namespace MainForm
