#pragma once
// The colours of Plane 1 and Plane 2 carried to every place they show: the plane's layer and
// both dimension layers of the four drawing views, the colour swatches among the data labels
// and the general-data labels that show a plane colour as their text colour.
#include <cstdint>

#include "mainwindow/DrawingViews.h"
#include "mainwindow/MainView.h"

namespace MainForm {

// frmMain.SetPlaneColor: plane 1 sets PlaneColor1 and the "Plane1" layer; any other number
// Plane 2. Both dimension layers are recomputed (DimColor -1 follows the plane colours), and
// both planes' labels recoloured. Each failing statement is reported and the next one runs.
void SetPlaneColor(MainView& view, DrawingViews& cad, int plane, int32_t colour);

// Both dimension layers of views 2 to 5 from DimColor, each view redrawn.
void ApplyDimColors(DrawingViews& cad);

// The labels that show the plane colours: every "Color" swatch of lblData1/lblData2 as back
// colour, gen1Data1/gen1Data2 58, 59 and 60 as text colour.
void ColorPlaneLabels(MainView& view);

}  // namespace MainForm
