#include "mainwindow/PlaneColors.h"

#include "drawings/CADGraph.h"
#include "drawings/CadFunctions.h"
#include "foundation/Registry.h"
#include "mainwindow/LabelCatalogue.h"
#include "mainwindow/MainForm.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

using CadFunctions::kFirstTabView;
using CadFunctions::kLastTabView;
using LabelCatalogue::Arr;
namespace Layer = CadFunctions::Layer;

// The colour index of a dimension layer: DimColor, or with -1 the plane's own colour.
int DimIndex(int plane) {
  const Registry::Settings& reg = Registry::RegSettings();
  return CADGraph::CADDimColor(reg.DimColor, plane, reg.PlaneColor1, reg.PlaneColor2);
}

void ColorLabels(vb::Proc& g, MainView& view) {
  const Registry::Settings& reg = Registry::RegSettings();
  for (Arr array : {Arr::lblData1, Arr::lblData2})
    for (const LabelCatalogue::LabelDef* label : LabelCatalogue::Members(array))
      if (label->tag == "Color")
        g.step([&] {
          view.SetLabelBackColor(array, label->index,
                                 array == Arr::lblData1 ? reg.PlaneColor1 : reg.PlaneColor2);
        });
  // Element 60 (the footprint on the top tab) is coloured here too, so that it never keeps an
  // old plane colour after a change.
  for (int index : {58, 59, 60}) {
    g.step([&] { view.SetLabelForeColor(Arr::gen1Data1, index, reg.PlaneColor1); });
    g.step([&] { view.SetLabelForeColor(Arr::gen1Data2, index, reg.PlaneColor2); });
  }
}

}  // namespace

void SetPlaneColor(MainView& view, DrawingViews& cad, int plane, int32_t colour) {
  vb::Proc g(kModule, "SetPlaneColor");
  Registry::Settings& reg = Registry::RegSettings();
  const int position = plane == 1 ? Layer::Plane1 : Layer::Plane2;
  (plane == 1 ? reg.PlaneColor1 : reg.PlaneColor2) = colour;
  for (int i = kFirstTabView; i <= kLastTabView; ++i) {
    g.step([&] { cad.SetLayerColor(i, position, CADGraph::CADColor(colour)); });
    g.step([&] { cad.SetLayerColor(i, Layer::Dim1, DimIndex(1)); });
    g.step([&] { cad.SetLayerColor(i, Layer::Dim2, DimIndex(2)); });
    g.step([&] { cad.Redraw(i); });
  }
  g.step([&] { cad.Redraw(vars().CurrentDrawingTab); });
  ColorLabels(g, view);
}

void ApplyDimColors(DrawingViews& cad) {
  vb::Proc g(kModule, "mnuViewDimColor_Click", vb::Trap::Report, false);
  for (int i = kFirstTabView; i <= kLastTabView; ++i) {
    g.step([&] { cad.SetLayerColor(i, Layer::Dim1, DimIndex(1)); });
    g.step([&] { cad.SetLayerColor(i, Layer::Dim2, DimIndex(2)); });
    g.step([&] { cad.Redraw(i); });
  }
}

void ColorPlaneLabels(MainView& view) {
  vb::Proc g(kModule, "ColorPlaneLabels", vb::Trap::Report, false);
  ColorLabels(g, view);
}

}  // namespace MainForm
