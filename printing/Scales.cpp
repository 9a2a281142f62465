#include "printing/Scales.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "foundation/General.h"
#include "platform/runtime/Number.h"
#include "printing/Printing.h"

namespace Printing {

float ParseScale(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return 0;
  // General.Value raises an overflow (and reports it) for a number beyond the float range; such
  // a scale is as unusable as no number at all.
  const double wide = vb::Val(text.substr(colon + 1));
  if (!std::isfinite(wide) || std::fabs(wide) > FLT_MAX) return 0;
  return General::Value(text, ":");
}

std::string ScaleNumber(float n) {
  char buffer[64];
  // Fixed notation with the fewest digits that read back as the same float.
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, n, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

std::string ScaleText(float n) { return "Scale = 1:" + ScaleNumber(n); }

ScaleList SingleScaleList(int32_t kind) {
  if (kind == 2) return {{"1:80", "1:100", "1:120", "1:180", "1:200", "1:300"}, "1:100"};
  if (kind == 1) return {{"1:20", "1:30", "1:60", "1:90", "1:100"}, "1:30"};
  return {{}, "1:180"};
}

namespace {
const QStringList kInteriorEntries{"1:20",  "1:30",  "1:60",  "1:90",
                                   "1:100", "1:150", "1:200", "1:300"};
}  // namespace

ScaleList InteriorScaleList() { return {kInteriorEntries, "1:150"}; }
ScaleList CabinScaleList() { return {kInteriorEntries, "1:30"}; }

// --- showing ---

namespace {
ScaleDialogRunner& runner() {
  static ScaleDialogRunner r;
  return r;
}
}  // namespace

void InstallScaleDialogRunner(ScaleDialogRunner r) { runner() = std::move(r); }

void ShowScaleDialog(ScaleDialogKind kind) {
  if (runner()) {
    runner()(kind);
    return;
  }
  // Without devices there is no dialog: no scale is chosen.
  if (Devices* d = InstalledDevices()) d->ShowScaleDialog(kind);
}

}  // namespace Printing
