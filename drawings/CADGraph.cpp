// Module CADGraph: the AutoCAD colour-index palette both ways, and the chart primitives handed
// to the drawing services.
#include "drawings/CADGraph.h"

#include <initializer_list>

#include "drawings/CadServices.h"
#include "platform/runtime/Trap.h"

namespace CADGraph {

namespace {

constexpr std::string_view kModule = "CadGraph";

struct ColourRow {
  int index;
  std::initializer_list<int32_t> colours;  // RGB, red in the low byte; the first is the index's own
};

// The colours the program offers and the index each is drawn in; the first row that lists a
// colour wins.
const ColourRow kPalette[] = {
    {7, {0x000000}},
    {1, {0x0000FF, 0x0000C0, 0x000080, 0x000040}},
    {3, {0x00FF00, 0x00C000, 0x008000, 0x004000}},
    {5, {0xFF0000, 0xC00000, 0x800000, 0x400000}},
    {6, {0xFF00FF, 0xC000C0, 0x800080, 0x400040}},
    {4, {0xFFFF00, 0xC0C000, 0x808000, 0x404000}},
    {2, {0x00FFFF, 0x00C0C0, 0x008080, 0x004040}},
    {9, {0x808080, 0xE0E0E0, 0xC0C0C0, 0x404040}},
    {30, {0x0080FF, 0xC0E0FF, 0x80C0FF, 0x0040C0, 0x004080, 0x404080}},
    {231, {0x8080FF, 0xC0C0FF}},
    {91, {0x80FF80, 0xC0FFC0}},
    {171, {0xFF8080, 0xFFEBCE}},
    {51, {0x80FFFF, 0xC0FFFF}},
    {211, {0xFF80FF, 0xFFC0FF}},
    {131, {0xFFFF80, 0xFFFFC0}},
    {254, {0xFFFFFF}},
};

constexpr int kDefaultIndex = 7;

// Characters, not bytes: a UTF-8 sequence ("°") is one character of the text.
long CharacterCount(std::string_view text) {
  long n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

int PaletteIndex(int32_t colour) {
  for (const ColourRow& row : kPalette) {
    for (int32_t listed : row.colours) {
      if (listed == colour) return row.index;
    }
  }
  return kDefaultIndex;
}

int DimIndex(int32_t colour, int plane, int32_t planeColor1, int32_t planeColor2) {
  return PaletteIndex(colour == -1 ? (plane == 1 ? planeColor1 : planeColor2) : colour);
}

}  // namespace

int CADColor(int32_t colour) {
  vb::Proc g(kModule, "CADColor");
  return PaletteIndex(colour);
}

int CADDimColor(int32_t colour, int plane, int32_t planeColor1, int32_t planeColor2) {
  vb::Proc g(kModule, "CADDimColor");
  int index = kDefaultIndex;
  g.step([&] { index = DimIndex(colour, plane, planeColor1, planeColor2); });
  return index;
}

int CADDimColor(int32_t colour, int plane) {
  vb::Proc g(kModule, "CADDimColor");
  int index = kDefaultIndex;
  g.step([&] {
    const CadFunctions::DrawingInputs inputs = CadFunctions::CurrentInputs();
    index = DimIndex(colour, plane, inputs.PlaneColor1, inputs.PlaneColor2);
  });
  return index;
}

int32_t IndexColor(int colourIndex) {
  if (colourIndex == kDefaultIndex) return 0;
  for (const ColourRow& row : kPalette) {
    if (row.index == colourIndex) return *row.colours.begin();
  }
  return 0;
}

void InitCADGraphics(bool clear) {
  vb::Proc g(kModule, "InitCADGraphics");
  g.step([&] { CadFunctions::services().InitCADGraphics(clear); });
}

void SetCADPen(double width, int32_t colour) {
  vb::Proc g(kModule, "SetCADPen");
  g.step([&] { CadFunctions::services().SetCADPen(width, colour); });
}

void NoOpRemove() {}

void SetCADBrush(int32_t colour) {
  vb::Proc g(kModule, "SetCADBrush");
  g.step([&] { CadFunctions::services().SetCADBrush(colour); });
}

void RemoveCADBrush() {
  vb::Proc g(kModule, "RemoveCADBrush", vb::Trap::Silent, true);
  g.step([&] { CadFunctions::services().RemoveCADBrush(); });
}

void CADMoveTo(double x, double y) {
  vb::Proc g(kModule, "CADMoveTo");
  g.step([&] { CadFunctions::services().CADMoveTo(x, y); });
}

void CADLineTo(double x, double y) {
  vb::Proc g(kModule, "CADLineTo");
  g.step([&] { CadFunctions::services().CADLineTo(x, y); });
}

void CADRectangle(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "CADRectangle");
  g.step([&] { CadFunctions::services().CADRectangle(x1, y1, x2, y2); });
}

void CADEllipse(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "CADEllipse");
  g.step([&] { CadFunctions::services().CADEllipse(x1, y1, x2, y2); });
}

void SetCADTextBgMode(int mode) {
  vb::Proc g(kModule, "SetCADTextBgMode", vb::Trap::Silent, true);
  g.step([&] { CadFunctions::services().SetCADTextBgMode(mode); });
}

void SetCADTextColor(int32_t colour) {
  vb::Proc g(kModule, "SetCADTextColor", vb::Trap::Silent, true);
  g.step([&] { CadFunctions::services().SetCADTextColor(colour); });
}

void CADText(double x, double y, std::string_view text) {
  vb::Proc g(kModule, "CADText");
  g.step([&] { CadFunctions::services().CADText(x, y, std::string(text)); });
}

double CADTextWd(std::string_view text) {
  vb::Proc g(kModule, "CADTextWd");
  double width = 0;
  g.step([&] { width = 0.75 * CharacterCount(text) * CadFunctions::services().TextSize(); });
  return width;
}

double CADTextHt(std::string_view /*text*/) {
  vb::Proc g(kModule, "CADTextHt");
  double height = 0;
  g.step([&] { height = CadFunctions::services().TextSize(); });
  return height;
}

double CADAspect() {
  vb::Proc g(kModule, "CADAspect");
  double aspect = 0;
  g.step([&] { aspect = CadFunctions::services().Aspect(); });
  return aspect;
}

}  // namespace CADGraph
