#include "mainwindow/PlaneLabels.h"

#include "drawings/PlaneColors.h"
#include "foundation/Registry.h"
#include "mainwindow/LabelCatalogue.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/TabDispatcher.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

using LabelCatalogue::Arr;

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
  ColorPlaneLayers(g, cad, plane, colour);
  ColorLabels(g, view);
  // The drawing views redraw with their layers; a chart tab shown now is drawn again, its notes
  // looked up again, so that its lines and notes take the new colour at once.
  const int tab = vars().CurrentTab;
  if (tab >= Tab::BlockFuel && tab < kTabCount) {
    ClearChartLabels();
    g.step([&] { view.ShowTabNo(); });
  }
}

void ColorPlaneLabels(MainView& view, vb::Trap trap) {
  vb::Proc g(kModule, "ColorPlaneLabels", trap, false);
  ColorLabels(g, view);
}

}  // namespace MainForm
