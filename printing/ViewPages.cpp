// The steps the drawing pages share: measuring, the scale search, the "Print Locations"
// settings, composing and printing the page.
#include "printing/ViewPages.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "drawings/PageDrawing.h"
#include "foundation/Disk.h"
#include "foundation/General.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Trap.h"
#include "printing/PagePrinting.h"
#include "printing/PrintCommands.h"
#include "printing/Printing.h"

namespace Printing {

namespace {

namespace CF = CadFunctions;

constexpr std::string_view kPageModule = "CadFunctions";
constexpr std::string_view kSection = "Print Locations";

// The settings already reported as unusable ("key=text"), so that a page printed again and
// again reports each once.
std::set<std::string> reported;

// The drawings measured in the running print job: the file as it was when measured (its time
// and size), the shape of CAD(0) it was framed for, and the framed extents.
struct Measured {
  std::filesystem::file_time_type modified;
  std::uintmax_t size = 0;
  double aspect = 0;
  Extents framed;
};
std::map<std::string, Measured> measured;

// The file's time and size; false when they cannot be read.
bool Stamp(const std::string& file, std::filesystem::file_time_type& modified,
           std::uintmax_t& size) {
  std::error_code ec;
  modified = std::filesystem::last_write_time(file, ec);
  if (ec) return false;
  size = std::filesystem::file_size(file, ec);
  return !ec;
}

bool Shown(int plane) {
  const CF::Vars& v = CF::vars();
  return plane == 1 ? v.ShowPlane1 : v.ShowPlane2;
}

std::string_view PlaneLayer(int plane) {
  return plane == 1 ? CF::LayerName::Plane1 : CF::LayerName::Plane2;
}

// The cached drawing of a plane's view when the cache has it; "" otherwise.
std::string ExistingDrawing(vb::Proc& g, int plane, std::string_view view) {
  const std::string file = g.value([&] { return CF::AircraftDxfFile(plane, view); });
  return !file.empty() && Disk::FileExists(file) ? file : std::string();
}

std::string Shortest(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// A setting text that starts like a number ("0", "-0.0", ".0 in"): its value 0 is the
// documented "use the default", not a typing error.
bool LooksNumeric(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i < text.size() && text[i] == '.') ++i;
  return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}

}  // namespace

Extents MeasurePlaneView(int plane, std::string_view view) {
  vb::Proc g(kPageModule, "MeasurePlaneView");
  if (!Shown(plane)) return {};
  const std::string file = ExistingDrawing(g, plane, view);
  if (file.empty()) return {};
  dxf::DrawingControl* cad = nullptr;
  g.step([&] { cad = &CF::Control(CF::kMeasuringView); });
  if (!cad) return {};
  // In a job, the shape of CAD(0) is read first, to look for the drawing among those measured.
  Measured now;
  const bool keep = JobRunning() && Stamp(file, now.modified, now.size);
  bool shapeRead = false;
  if (keep) {
    shapeRead = g.step([&] { now.aspect = CF::services().ViewAspect(CF::kMeasuringView); });
    const auto it = measured.find(file);
    if (shapeRead && it != measured.end() && it->second.modified == now.modified &&
        it->second.size == now.size && it->second.aspect == now.aspect)
      return it->second.framed;
  }
  // A drawing that does not load is not measured: CAD(0) still holds whatever it held before.
  if (!g.step([&] { cad->LoadDrawingFile(file); })) return {};
  // A shape that could not be read frames nothing; the failure was reported when it was read.
  if (keep && !shapeRead) return {};
  Extents framed;
  const bool measuredOk = g.step([&] {
    CF::ViewWindow w;
    const double aspect = keep ? now.aspect : CF::services().ViewAspect(CF::kMeasuringView);
    if (!CF::FrameExtents(CF::MeasureExtents(CF::kMeasuringView), aspect, w)) return;
    framed = Extents{false, w.minX, w.maxX, w.minY, w.maxY};
  });
  if (keep && measuredOk) {
    now.framed = framed;
    measured[file] = now;
  }
  return framed;
}

void ForgetMeasuredDrawings() { measured.clear(); }

Extents MeasureView(std::string_view view) {
  Extents both = MeasurePlaneView(1, view);
  CF::Widen(both, MeasurePlaneView(2, view));
  return both;
}

double SearchScale(const FitTest& fits) {
  for (double n = kSmallestScale; n < kLargestScale; n += kScaleStep) {
    if (fits(1 / n)) return n;
  }
  return kLargestScale;
}

bool FitsBox(const Extents& extents, double factor, double width, double height) {
  if (extents.empty) return true;
  return !((extents.maxX - extents.minX) * factor > width ||
           (extents.maxY - extents.minY) * factor > height);
}

double SearchScale(const Extents& extents, double width, double height) {
  return SearchScale([&](double f) { return FitsBox(extents, f, width, height); });
}

bool Positive(double value) { return std::isfinite(value) && value > 0; }

double ChosenScale(double computed, double chosen) {
  return Positive(chosen) ? chosen : computed;
}

double ChosenScale(double computed) { return ChosenScale(computed, vars().PrintScale); }

bool ExteriorFits(const Extents& side, const Extents& top, const Extents& front, double factor) {
  // Side and front: the far edge from the origin, which lands on the page point.
  const auto reach = [&](const Extents& e) {
    return e.empty || !(e.maxX * factor > 7.5 || e.maxY * factor > 3.25);
  };
  return reach(side) && reach(front) && FitsBox(top, factor, 7.5, 5.5);
}

double PrintLocation(std::string_view key, double defaultValue) {
  const double value = General::IniVal(kSection, key);
  return value == 0 || !std::isfinite(value) ? defaultValue : value;
}

double PrintLocationSize(std::string_view key, double defaultValue) {
  const std::string text = General::IniStr(kSection, key);
  const double value = vb::Val(text);
  if (Positive(value)) return value;
  if (text.empty() || (value == 0 && LooksNumeric(text))) return defaultValue;
  const std::string what = std::string(key) + "=" + text;
  if (reported.insert(what).second) {
    vb::Proc g(kPageModule, "PrintLocationSize");
    g.step([&] {
      vb::Raise(vb::err::InvalidCall, "Print Locations: " + what + " is not a usable size; " +
                                          Shortest(defaultValue) + " is used");
    });
  }
  return defaultValue;
}

void resetViewPagesForTest() {
  reported.clear();
  measured.clear();
}

void LoadPageTemplate(vb::Proc& g, const std::string& templateFile) {
  dxf::DrawingControl* cad = nullptr;
  g.step([&] { cad = &CF::Control(CF::kMeasuringView); });
  if (!cad) return;
  CF::LoadTemplateDrawing(g, *cad, templateFile);
  g.step([] { CF::SetupNewDrawing(CF::kMeasuringView); });
  g.step([] { CF::UpdateCADText(); });
}

void MergeAtPoint(const std::string& file, double factor, double x, double y) {
  if (!Positive(factor)) vb::Raise(vb::err::InvalidCall, "Invalid scale factor for " + file);
  const float f = static_cast<float>(factor);
  CF::Control(CF::kMeasuringView)
      .MergeDrawingFile(file, 0, f, f, static_cast<float>(x / factor),
                        static_cast<float>(y / factor));
}

void PlacePlane(vb::Proc& g, int plane, std::initializer_list<ViewPlacement> placements) {
  PlacePlane(g, plane, std::span<const ViewPlacement>(placements.begin(), placements.size()));
}

void PlacePlane(vb::Proc& g, int plane, std::span<const ViewPlacement> placements) {
  if (!Shown(plane)) return;
  g.step([&] { CF::services().SetCurrentLayer(CF::kMeasuringView, PlaneLayer(plane)); });
  for (const ViewPlacement& p : placements) {
    const std::string file = ExistingDrawing(g, plane, p.view);
    if (!file.empty()) g.step([&] { MergeAtPoint(file, p.factor, p.x, p.y); });
  }
  g.step([] { CF::SetToCurrentLayer(CF::kMeasuringView); });
}

void PrintComposedPage(vb::Proc& g, const PageFinish& finish) {
  g.step([] { CF::UpdateCADDims(CF::kMeasuringView); });
  if (finish.hideDims) {
    g.step([] { CF::services().SetLayerFrozen(CF::kMeasuringView, CF::LayerName::Dim1, true); });
    g.step([] { CF::services().SetLayerFrozen(CF::kMeasuringView, CF::LayerName::Dim2, true); });
    g.step([] { CF::services().Redraw(CF::kMeasuringView); });
  }
  g.step([] { CF::GetCADEntities(CF::kMeasuringView); });
  dxf::DrawingControl* cad = nullptr;
  g.step([&] { cad = &CF::Control(CF::kMeasuringView); });
  CF::PrintPageDrawing(g, cad, finish.paintRaster);
}

}  // namespace Printing
