#pragma once
// Module Toolbar: the ten drawing-view buttons, docked in the main window's strip (tbToolbar)
// or in the floating window frmToolbar ("Viewing Toolbar"). Three states follow from the
// settings ToolbarVisible and ToolbarDocked: hidden, docked (strip shown) and floating (window
// shown, kept above the main window, at ToolbarX, ToolbarY twips from the main window's top
// left corner). Every dialog lowers the floating window while it is open (FormLoad) and raises
// it again when it closes (FormUnload).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Toolbar {

// The floating window's design, in twips: one row of ten buttons.
inline constexpr int kButtonWidth = 495;
inline constexpr int kButtonHeight = 435;
inline constexpr int kButtonTop = 60;
inline constexpr std::array<int, 10> kButtonLefts = {60,   570,  1110, 1620, 2145,
                                                     2670, 3195, 3720, 4230, 4740};
// The outer size the window is given around its buttons when it floats (905 x 5375 twips).
inline constexpr int kFloatingHeight = 2 * kButtonTop + kButtonHeight + 350;
inline constexpr int kFloatingWidth = kButtonWidth + kButtonLefts[0] + kButtonLefts[9] + 80;
inline constexpr const char* kFloatingCaption = "Viewing Toolbar";

// A button's caption ("" for the buttons that show a picture: 3 to 7) and tooltip, on the main
// window's strip (floating false) or the floating window.
std::string_view ButtonCaption(int index, bool floating);
std::string_view ButtonTooltip(int index, bool floating);

// A window rectangle in twips.
struct Rect {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

// The windows this module moves. frmMain carries them out; tests record.
class Windows {
 public:
  virtual ~Windows() = default;
  virtual void SetStripVisible(bool visible) = 0;
  virtual bool FloatingVisible() = 0;
  virtual void SetFloatingVisible(bool visible) = 0;
  // The floating window's window state back to normal (not maximised or minimised).
  virtual void SetFloatingNormal() = 0;
  virtual std::string FloatingCaption() = 0;
  virtual void SetFloatingCaption(const std::string& caption) = 0;
  virtual std::string FloatingTag() = 0;
  virtual void SetFloatingTag(const std::string& tag) = 0;
  virtual void SetFloatingTitleBar(bool shown) = 0;
  virtual void SetFloatingTopmost(bool topmost) = 0;
  // Outer rectangles, twips.
  virtual Rect FloatingGeometry() = 0;
  virtual void SetFloatingSize(int32_t width, int32_t height) = 0;
  virtual void MoveFloating(int32_t left, int32_t top) = 0;
  virtual Rect MainGeometry() = 0;
  virtual void FocusMain() = 0;
  virtual void SetMenuChecked(std::string_view item, bool checked) = 0;
};

// Installs the windows; nullptr leaves the module without windows (every call does nothing).
void Install(Windows* windows);
Windows* InstalledWindows();

// Whether the floating window was last made topmost (the state kept for the window).
bool Topmost();

void SetTopmost(bool topmost);
void ShowTitleBar(bool show);
void DockToolbar(bool docked);
void MoveToolbar();
void ShowToolbar(bool visible);
void FormLoad();
void FormUnload();

// cmdToolbar_Click on either window: the button's drawing command, then the focus goes back to
// the main window.
void ButtonClick(int index);
// frmToolbar.Form_Resize: maximising the floating window docks the toolbar.
void FloatingResized(bool maximized);
// frmToolbar.Form_Unload (its close box): View > Toolbar > Show is unchecked; ToolbarVisible
// keeps its value.
void FloatingClosed();
// Timer1: while the toolbar floats, the window's offset from the main window is recorded in
// ToolbarX and ToolbarY.
void TrackPosition();

void resetForTest();

}  // namespace Toolbar
