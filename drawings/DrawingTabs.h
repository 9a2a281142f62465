#pragma once
// The composition of a drawing tab (2 Top, 3 Front, 4 Side, 5 Interior) into its view CAD(tab):
// each chosen aircraft's view drawing is taken from the drawing cache and merged into the view
// on its own layer ("Plane1", "Plane2"), overlaid or side by side as the tab's option buttons
// say, with grid, dimensions and a zoom to the extents; then the visibility of both aircraft is
// applied again, so that a hidden aircraft stays hidden in a view composed afresh.
//
// The drawing operations are CadFunctions'; the members of the drawing control that those do
// not offer (loading and merging files, CompleteDrawing) go through CompositionControls, and the
// option buttons and frames of the main window through CompositionOptions.
#include <string>
#include <string_view>

#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"

namespace MainForm {

class CompositionControls {
 public:
  virtual ~CompositionControls() = default;
  // LoadDrawingFile on CAD(view): the drawing is replaced by the file's.
  virtual void LoadDrawingFile(int view, const std::string& file) = 0;
  // The plain merge (identity), and the merge placing the file's points at
  // S·(R(rotation°)·p + (x, y)), on the view's current layer.
  virtual void MergeDrawingFile(int view, const std::string& file) = 0;
  virtual void MergeDrawingFile(int view, const std::string& file, float rotation, float scaleX,
                                float scaleY, float x, float y) = 0;
  virtual void CompleteDrawing(int view) = 0;
};

class CompositionOptions {
 public:
  virtual ~CompositionOptions() = default;
  // Value of an option button ("optSideOverlay_3", "optHeliAll", ...).
  virtual bool OptionSelected(std::string_view name) = 0;
  virtual void SetOptionVisible(std::string_view name, bool visible) = 0;
  // "fraInterior" or "fraInteriorHeli".
  virtual void SetFrameVisible(std::string_view name, bool visible) = 0;
};

// The option button "Side-By-Side" of a drawing tab (optSideOverlay 3, 5, 7 and 1 for the tabs
// 2, 3, 4 and 5); its pair "Overlay" is the one before it.
int SideBySideButton(int tab);
// Whether the "Overlay" button of drawing tab `tab` (2 to 5) is selected: the window's answer to
// the drawing operations (CadFunctions::WindowHooks::OverlaySelected). False for any other tab.
bool OverlaySelected(CompositionOptions& options, int tab);

// Composes drawing tab `tab` (2 to 5) and marks it drawn through the window hooks; other tabs
// are left alone. The interior tab follows the interior choices of the drawing inputs.
void ComposeDrawingTab(int tab, CompositionControls& controls, CompositionOptions& options);

// The extents of plane p's view drawing V, loaded into the measuring view CAD(0), widened into
// `into`; whether it was measured. A plane not chosen, or a drawing missing from the cache, adds
// nothing (never what CAD(0) held before). The composition's extents sets start from empty
// values (CadFunctions::kFromEmptyValues), so they always hold the origin.
bool MeasureView(CompositionControls& controls, int plane, std::string_view view,
                 CadFunctions::Extents& into);

// The real controls: the drawing controls of the installed drawing services.
class DxfCompositionControls : public CompositionControls {
 public:
  explicit DxfCompositionControls(CadFunctions::DxfCadServices& services) : services_(services) {}
  void LoadDrawingFile(int view, const std::string& file) override;
  void MergeDrawingFile(int view, const std::string& file) override;
  void MergeDrawingFile(int view, const std::string& file, float rotation, float scaleX,
                        float scaleY, float x, float y) override;
  void CompleteDrawing(int view) override;

 private:
  CadFunctions::DxfCadServices& services_;
};

}  // namespace MainForm
