// The installed drawing services, main-window hooks and input values.
#include "drawings/CadServices.h"

#include "platform/runtime/Error.h"

namespace CadFunctions {

namespace {

// The services while none are installed: every operation does nothing and nothing is kept; a
// query answers what a fresh, empty view would (colour index 7, the unit window, zoom step 15).
class NoServices final : public Services {
 public:
  void InitDwgs() override {}
  void SetupNewDrawing(int) override {}
  void SetToCurrentLayer(int) override {}
  void FixText(int) override {}
  void UpdateCADDims(int, bool) override {}
  void ExtractViewDrawing(const std::string&, const std::string&,
                          const std::filesystem::path&) override {}
  void SetLayerFrozen(int, std::string_view, bool) override {}
  int LayerColorIndex(int, int) override { return 7; }
  void Redraw(int) override {}
  ViewWindow DisplayedWindow(int) override { return {0, 0, 1, 1}; }
  void ApplyViewWindow(int, const ViewWindow&) override {}
  void PreviousView(int) override {}
  float ZoomStep(int) override { return 15; }
  void SetPickMode(int, int) override {}
  void SetCurrentLayer(int, std::string_view) override {}
  double ViewAspect(int) override { return 1.5; }
  void PanView(int, double, double, double, double) override {}
  void ZoomToWindow(int, double, double, double, double) override {}
  void DrawRubberLine(int, double, double, double, double) override {}
  void DrawRubberBox(int, double, double, double, double) override {}
  void AddLine(int, float, float, float, float) override {}
  void ForEachEntity(int, const std::function<void(const EntityPoints&)>&) override {}
};

struct Installed {
  Services* services = nullptr;
  WindowHooks* hooks = nullptr;
  std::function<DrawingInputs()> inputs;
};

Installed& installed() {
  static Installed i;
  return i;
}

// No main window: nothing to set, and no view with its overlay selected.
class NoWindow final : public WindowHooks {
 public:
  bool OverlaySelected(int) override { return false; }
};

WindowHooks& NoHooks() {
  static NoWindow none;
  return none;
}

}  // namespace

dxf::DrawingControl& Services::Control(int view) const {
  vb::Raise(vb::err::ObjectNotSet,
            "Object variable or With block variable not set (CAD(" + std::to_string(view) + "))");
}

void InstallServices(Services* services) { installed().services = services; }

Services& services() {
  Services* s = installed().services;
  static NoServices none;
  return s ? *s : none;
}

void InstallWindowHooks(WindowHooks* hooks) { installed().hooks = hooks; }

Services* InstalledServices() { return installed().services; }

WindowHooks* InstalledWindowHooks() { return installed().hooks; }

const std::function<DrawingInputs()>& DrawingInputsSource() { return installed().inputs; }

WindowHooks& windowHooks() {
  WindowHooks* h = installed().hooks;
  return h ? *h : NoHooks();
}

void SetDrawingInputsSource(std::function<DrawingInputs()> source) {
  installed().inputs = std::move(source);
}

DrawingInputs CurrentInputs() {
  const auto& source = installed().inputs;
  return source ? source() : DrawingInputs{};
}

}  // namespace CadFunctions
