#include "drawings/PlaneColors.h"

#include "drawings/CADGraph.h"
#include "drawings/CadFunctions.h"
#include "foundation/Registry.h"

namespace MainForm {

namespace {

using CadFunctions::kFirstTabView;
using CadFunctions::kLastTabView;
namespace Layer = CadFunctions::Layer;

// The colour index of a dimension layer: DimColor, or with -1 the plane's own colour.
int DimIndex(int plane) {
  const Registry::Settings& reg = Registry::RegSettings();
  return CADGraph::CADDimColor(reg.DimColor, plane, reg.PlaneColor1, reg.PlaneColor2);
}

}  // namespace

void ColorPlaneLayers(vb::Proc& g, DrawingViews& cad, int plane, int32_t colour) {
  Registry::Settings& reg = Registry::RegSettings();
  const int position = plane == 1 ? Layer::Plane1 : Layer::Plane2;
  (plane == 1 ? reg.PlaneColor1 : reg.PlaneColor2) = colour;
  for (int i = kFirstTabView; i <= kLastTabView; ++i) {
    g.step([&] { cad.SetLayerColor(i, position, CADGraph::CADColor(colour)); });
    g.step([&] { cad.SetLayerColor(i, Layer::Dim1, DimIndex(1)); });
    g.step([&] { cad.SetLayerColor(i, Layer::Dim2, DimIndex(2)); });
    g.step([&] { cad.Redraw(i); });
  }
  g.step([&] { cad.Redraw(CadFunctions::CurrentInputs().CurrentDrawingTab); });
}

void ApplyDimColors(DrawingViews& cad) {
  vb::Proc g("MainForm", "mnuViewDimColor_Click", vb::Trap::Report, false);
  for (int i = kFirstTabView; i <= kLastTabView; ++i) {
    g.step([&] { cad.SetLayerColor(i, Layer::Dim1, DimIndex(1)); });
    g.step([&] { cad.SetLayerColor(i, Layer::Dim2, DimIndex(2)); });
    g.step([&] { cad.Redraw(i); });
  }
}

}  // namespace MainForm
