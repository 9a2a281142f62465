#pragma once
// The drawing services over the DXF drawing controls of the main window: CAD(0), the control
// that measures view drawings and composes pages, and CAD(2) to CAD(5), the top, front, side and
// interior views. The main window creates the controls, hands them over here and installs the
// services (CadFunctions::InstallServices) for as long as the controls live.
//
// A view index without a control (1, a missing one, or outside 0 to 5) raises vb::Error 91
// (object variable not set), which the calling procedure reports and goes on.
#include <array>

#include "drawings/CadServices.h"

namespace dxf {
class DrawingControl;
}

namespace CadFunctions {

class DxfCadServices : public Services {
 public:
  using Controls = std::array<dxf::DrawingControl*, 6>;

  explicit DxfCadServices(Controls controls = {});
  void SetControls(const Controls& controls) { controls_ = controls; }
  void SetControl(int view, dxf::DrawingControl* control);
  // The control of a view index; raises 91 when there is none.
  dxf::DrawingControl& Control(int view) const override;

  void InitDwgs() override;
  // Also marks where the entities of the view's first merge will start (see SetToCurrentLayer).
  void SetupNewDrawing(int view) override;
  // Remaps the entities added since the view was set up or last remapped: each merge's own
  // entities, once. What an earlier merge left on "DIMA" or "DIMB" belongs to that merge's
  // aircraft and stays, and a page template's entities (loaded before set-up) keep their layers.
  void SetCurrentLayer(int view, std::string_view layer) override;
  void SetToCurrentLayer(int view) override;
  void FixText(int view) override;
  void UpdateCADDims(int view, bool metric) override;
  void ExtractViewDrawing(const std::string& acNum, const std::string& view,
                          const std::filesystem::path& file) override;

  void SetLayerFrozen(int view, std::string_view layer, bool frozen) override;
  int LayerColorIndex(int view, int position) override;
  void Redraw(int view) override;
  ViewWindow DisplayedWindow(int view) override;
  void ApplyViewWindow(int view, const ViewWindow& window) override;
  void PreviousView(int view) override;
  float ZoomStep(int view) override;
  void SetPickMode(int view, int mode) override;
  double ViewAspect(int view) override;
  void PanView(int view, double x1, double y1, double x2, double y2) override;
  void ZoomToWindow(int view, double x1, double y1, double x2, double y2) override;
  void DrawRubberLine(int view, double x1, double y1, double x2, double y2) override;
  void DrawRubberBox(int view, double x1, double y1, double x2, double y2) override;
  void AddLine(int view, float x1, float y1, float x2, float y2) override;
  void ForEachEntity(int view, const std::function<void(const EntityPoints&)>& visit) override;

 private:
  Controls controls_{};
  // Per view: the number of entities already remapped (or there at set-up).
  std::array<long, 6> remapped_{};
};

}  // namespace CadFunctions
