#pragma once
// The labels of the main window that show the two aircraft's data, as one data table: every
// data label with its field spec (its Tag), every unit label with its unit, the row captions,
// headings and background bars of the two general-data panels, and where each one sits.
// The window builds its labels from this table; the display update reads the Tags from it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace LabelCatalogue {

enum class Arr : uint8_t {
  lblData1,
  lblData2,
  gen0Data1,
  gen0Data2,
  gen1Data1,
  gen1Data2,
  gen0Units,
  gen1Units,
  gen0Desrciption,
  gen1Desrciption,
  lblHeading,
  barBG,
};

enum class Align : uint8_t { Left, Right, Center };

struct LabelDef {
  Arr array;
  int index;
  std::string tag;               // field spec, unit, "Color" or empty
  std::string caption;           // design caption
  std::string parent;            // object name of the frame the label sits in
  int left, top, width, height;  // twips within that frame
  int32_t backColor = -1;        // RGB (red in the low byte); -1 = transparent
  Align align = Align::Left;
  bool wrap = false;  // long texts (notes) wrap within the label's width
  bool bold = false;
};

// Every label, each array in index order.
const std::vector<LabelDef>& Labels();
// The label of an array member; nullptr when the array has no such member.
const LabelDef* Find(Arr array, int index);
// The members of one array, in index order.
std::vector<const LabelDef*> Members(Arr array);

// The array's name ("gen1Data2") and a member's object name ("gen1Data2_14").
std::string_view ArrayName(Arr array);
std::string ObjectName(Arr array, int index);

// A unit label shown padded on the left with underscores (its design caption starts with "_"
// and its Tag is the unit). Decided once from the design caption, so that a unit text of 15 or
// more characters, shown without underscores, stays a padded caption at the next update.
bool IsPaddedUnit(const LabelDef& label);

// The row captions of the aircraft tab (frame framLabels), with their tops in twips; they
// stand level with the data labels 1 to 11 of the two aircraft columns.
struct Caption {
  std::string text;
  int top;
};
const std::vector<Caption>& AircraftTabCaptions();

// Geometry of the general-data panels, in twips.
inline constexpr int kRowHeight = 250;
inline constexpr int kPanelWidth = 9000;
int PanelHeight(int panel);  // 0 helicopter, 1 fixed-wing

// The design size of a tab page (framDisplay) and the page's bottom line of name labels.
inline constexpr int kPageWidth = 9900;
inline constexpr int kPageHeight = 7350;

}  // namespace LabelCatalogue
