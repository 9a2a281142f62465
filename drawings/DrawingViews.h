#pragma once
// The members of the drawing control CAD(view) that the main window's own commands use directly
// (layer colours, redraw, emptying, exports). The drawing operations of CadFunctions go through
// the drawing services instead; these are the control members the window calls itself.
// frmMain carries them out on its drawing views; tests record them.
#include <string>

namespace MainForm {

class DrawingViews {
 public:
  virtual ~DrawingViews() = default;
  // Layers(position).Color := colour index (1-based position).
  virtual void SetLayerColor(int view, int position, int colourIndex) = 0;
  virtual void Redraw(int view) = 0;
  virtual void ClearDrawing(int view) = 0;
  // The current view written as DXF, metafile or bitmap; a file that cannot be written raises
  // vb::Error.
  virtual void SaveDxf(int view, const std::string& file) = 0;
  virtual void SaveMetafile(int view, const std::string& file) = 0;
  virtual void SaveBitmap(int view, const std::string& file) = 0;
};

}  // namespace MainForm
