#pragma once
// Drawing services for tests: every call is recorded with its arguments; each view keeps its
// layers' frozen flags and colour indexes, its window, zoom step, pick mode and entities, so the
// operations built on them can be followed.
#include <map>
#include <string>
#include <vector>

#include "drawings/CadServices.h"

namespace CadFunctions {

class FakeCadServices : public Services {
 public:
  struct Call {
    std::string op;    // the member's name ("SetLayerFrozen")
    std::string args;  // its arguments as text, joined by ","
  };
  struct View {
    std::map<std::string, bool, std::less<>> frozen;  // by layer name, upper case; missing = thawed
    std::map<int, int> colourIndex;                   // by layer position; missing = 7
    ViewWindow window{0, 0, 1, 1};
    float zoomStep = 15;
    int pickMode = 0;
    std::vector<EntityPoints> entities;
    std::string currentLayer = "PLANE1";
    double aspect = 1.5;  // Width / Height of the control
  };

  std::vector<Call> calls;
  std::map<int, View> views;
  // The drawing database as ExtractViewDrawing sees it: the DXF text by aircraft number and
  // view column; a missing entry stands for a missing row or a Null column.
  std::map<std::pair<std::string, std::string>, std::string> drawings;

  bool frozen(int view, std::string_view layer) const;
  // The number of recorded calls of `op`.
  int count(const std::string& op) const;

  void InitDwgs() override;
  void SetupNewDrawing(int view) override;
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
  void SetCurrentLayer(int view, std::string_view layer) override;
  double ViewAspect(int view) override;
  void PanView(int view, double x1, double y1, double x2, double y2) override;
  void ZoomToWindow(int view, double x1, double y1, double x2, double y2) override;
  void DrawRubberLine(int view, double x1, double y1, double x2, double y2) override;
  void DrawRubberBox(int view, double x1, double y1, double x2, double y2) override;
  // Recorded, and kept as a LINE entity of the view on its current layer.
  void AddLine(int view, float x1, float y1, float x2, float y2) override;
  void ForEachEntity(int view, const std::function<void(const EntityPoints&)>& visit) override;

 private:
  void record(std::string op, std::initializer_list<double> numbers, const std::string& text = "");
};

}  // namespace CadFunctions
