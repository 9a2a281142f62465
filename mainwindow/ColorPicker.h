#pragma once
// Module Color: the program's own colour picker. SelectColor is its only entry: it opens the
// picker (frmColor) modally with a title and a starting colour and returns the colour chosen,
// -1 for "Same Color as Plane", or the starting colour when the user cancels.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace Color {

// The sixteen cells, four rows of four, RGB with red in the low byte.
inline constexpr std::array<int32_t, 16> kCells = {
    0x000000, 0x0000FF, 0x00FF00, 0xFF0000,   // black, red, green, blue
    0xFF00FF, 0xFFFF00, 0x00FFFF, 0x808080,   // magenta, cyan, yellow, grey
    0x0080FF, 0x8080FF, 0x80FF80, 0xFF8080,   // orange, light red, light green, light blue
    0xFF80FF, 0xFFFF80, 0x80FFFF, 0xFFFFFF};  // light magenta, cyan, yellow; white

// The value of "Same Color as Plane".
inline constexpr int32_t kPlaneColor = -1;

struct Vars {
  int32_t ChosenColor = 0;
  std::string ColorTitle;
  bool ColorPlaneOption = false;
};
Vars& vars();

// The picker while it is open: what frmColor shows and what its controls do.
class PickerModel {
 public:
  // Form_Load: caption, the check box (shown with the plane option; checked when shown and
  // DimColor is -1) and the sample (the chosen colour).
  void Load();
  // A click on a cell: the sample takes its colour and the check box is cleared.
  void ClickCell(int index);
  // A double click: the cell's colour is chosen and the picker closes.
  void DoubleClickCell(int index);
  // The user sets the check box.
  void SetPlaneBoxChecked(bool checked) { planeBoxChecked_ = checked; }
  // OK: the sample's colour, or -1 with the check box checked; the picker closes.
  void Ok();
  // Cancel or the window's close box: the colour it was opened with stays.
  void Cancel() { closed_ = true; }

  const std::string& Caption() const { return caption_; }
  bool PlaneBoxVisible() const { return planeBoxVisible_; }
  bool PlaneBoxChecked() const { return planeBoxChecked_; }
  // The sample's colour; -1 while it shows the plane colour.
  int32_t Sample() const { return sample_; }
  bool Closed() const { return closed_; }

 private:
  std::string caption_;
  bool planeBoxVisible_ = false;
  bool planeBoxChecked_ = false;
  int32_t sample_ = 0;
  bool closed_ = false;
};

// Shows the picker for a loaded model and returns when it has closed. frmColor is the default;
// tests install their own. An empty function restores the default.
using PickerRunner = std::function<void(PickerModel&)>;
void InstallPicker(PickerRunner runner);
// The dialog that serves while no runner is installed (the main window sets frmColor).
void SetDefaultPicker(PickerRunner runner);
const PickerRunner& DefaultPicker();

int32_t SelectColor(std::string_view title, int32_t colour, bool planeOption);

void resetForTest();

}  // namespace Color
