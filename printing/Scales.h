#pragma once
// The scales of the to-scale prints: a scale is a text "1:n", n the denominator the page
// builders shrink the drawings by (PrintScale, CabinPrintScale). The scale dialogs (frmScale,
// frmScale2; ScaleDialogs.h, printing's Qt adapters) offer these lists and store what they
// parse.
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace Printing {

// The number after the first colon of a scale text ("1:75" -> 75, "1:62.5" -> 62.5); 0 when the
// text holds no colon or nothing numeric follows it. A value too large for a float gives 0.
float ParseScale(std::string_view text);

// A scale denominator in its shortest form: 62.3 -> "62.3", 80 -> "80", never
// "62.2999992370605".
std::string ScaleNumber(float n);
// The scale line of a printed page: "Scale = 1:" and the shortest form of n.
std::string ScaleText(float n);

// A scale box's entries and the text it starts with.
struct ScaleList {
  QStringList entries;
  QString text;
};
// frmScale's list for a PrintScaleKind: 2 the exterior list, 1 the interior list, otherwise
// none (the text stays "1:180").
ScaleList SingleScaleList(int32_t kind);
// The list of both boxes of frmScale2, with the interior and the cabin default.
ScaleList InteriorScaleList();
ScaleList CabinScaleList();

// Shows frmScale or frmScale2 modally, without an owner, and returns once it has closed; the
// caller then reads PrintScale (and CabinPrintScale). The dialogs are the installed devices'
// (Printing::Devices); a test may install a runner of its own in their place, nullptr restores
// the dialogs.
enum class ScaleDialogKind { Single, InteriorAndCabin };
using ScaleDialogRunner = std::function<void(ScaleDialogKind)>;
void InstallScaleDialogRunner(ScaleDialogRunner runner);
void ShowScaleDialog(ScaleDialogKind kind);

}  // namespace Printing
