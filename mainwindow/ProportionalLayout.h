#pragma once
// The proportional layout of the main window and the scroll rule of the general-data panel.
// Every control is placed from its design rectangle (twips, relative to its container; the
// form's own controls relative to the form, the window's client area) scaled by the ratio of the
// current size to the design size, down as well as up; a control tagged "SCROLLME", and every
// control placed directly on one, keeps its design Top and Height and is scaled only
// horizontally. A band at the top of the form (the toolbar strip and the tab headers) keeps its
// height. No Qt here: the window is reached through LayoutWindow, and the design rectangles are a
// table the window hands over.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace MainForm {

struct LayoutRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const LayoutRect&) const = default;
};

// One control of the window as designed.
struct ManagedControl {
  std::string name;       // its object name ("framGeneral")
  LayoutRect design;      // twips, Top measured from the top of the form
  bool scrollMe = false;  // Tag "SCROLLME"
  int container = -1;     // index of its direct container in the table; -1 for the form
};

// Design size of the form and the height of the band at its top that keeps its height (twips).
struct DesignSize {
  int32_t width = 0, height = 0, statusBarHeight = 0;
};

class ProportionalLayout {
 public:
  ProportionalLayout(DesignSize design, std::vector<ManagedControl> controls);
  const std::vector<ManagedControl>& Controls() const { return controls_; }
  const DesignSize& Design() const { return design_; }

  // The rectangles of every control, in table order, for a form of width x height twips.
  // rx = W / DesignWidth; ry = (H - SBH) / (DesignHeight - SBH), SBH the band; Left and Width
  // scale by rx, Height by ry, and Top by ry from the band's bottom for a control on the form and
  // from its container's top for any other. Nothing when the size is degenerate (no width, or no
  // height below the band): the controls then stay where they are.
  std::optional<std::vector<LayoutRect>> Arrange(int32_t width, int32_t height) const;

 private:
  DesignSize design_;
  std::vector<ManagedControl> controls_;
};

// What the scroll rule gives the bar scrollFrame. Max and LargeChange are set only with
// `setRange`; Width only with `width`.
struct ScrollBarSetting {
  bool visible = false;
  bool setRange = false;
  int32_t max = 0;
  int32_t largeChange = 1;
  std::optional<int32_t> width;
  bool operator==(const ScrollBarSetting&) const = default;
};

// The scroll rule over G (framGeneral.Height) and the heights of the two panels (0 helicopter
// rows, 1 fixed-wing rows): the panel of the aircraft class in force is the one shown (class 2
// panel 0, any other panel 1). When G - 100 < its height, Max = (height + 100 - G) / 100 rounded
// up, so that at Max the panel's bottom (PanelTop(Max) + height) is inside the frame, and
// LargeChange = Max / 10 (halves to even; LargeChange at least 1), the bar shown 270 twips wide;
// otherwise the bar is hidden. Resize and activation apply the same rule.
ScrollBarSetting ScrollRule(int32_t generalHeight, int32_t panel0Height, int32_t panel1Height,
                            int16_t aircraftClass);

// scrollFrame_Change: the Top of both panels for a scroll value (twips).
int32_t PanelTop(int32_t scrollValue);

// What Form_Resize needs of the main window.
class LayoutWindow {
 public:
  virtual ~LayoutWindow() = default;
  virtual bool Minimized() = 0;
  // The form's size in twips (client area plus the status-bar band).
  virtual int32_t FormWidth() = 0;
  virtual int32_t FormHeight() = 0;
  // Places control i of the table.
  virtual void Place(int index, const LayoutRect& rect) = 0;
  // framGeneral.Height and framScroll(panel).Height as placed now.
  virtual int32_t GeneralHeight() = 0;
  virtual int32_t PanelHeight(int panel) = 0;
  virtual void SetScrollBar(const ScrollBarSetting& setting) = 0;
};

// Form_Resize: every control placed, then the scroll rule, then on a drawing tab its view
// redisplayed at its new size (PanView 0, 0, 0, 0). A minimised or degenerate window is left as
// it is. A control that cannot be placed is passed over silently.
void FormResize(LayoutWindow& window, const ProportionalLayout& layout);
// The activation's part: the scroll rule alone.
void ActivateScrollRule(LayoutWindow& window);

}  // namespace MainForm
