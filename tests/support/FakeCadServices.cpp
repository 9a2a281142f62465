// The recording stand-in for the drawing subsystem.
#include "support/FakeCadServices.h"

#include <algorithm>
#include <cctype>

#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Number.h"

namespace CadFunctions {

namespace {

std::string Upper(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

bool FakeCadServices::frozen(int view, std::string_view layer) const {
  auto v = views.find(view);
  if (v == views.end()) return false;
  auto f = v->second.frozen.find(Upper(layer));
  return f != v->second.frozen.end() && f->second;
}

int FakeCadServices::count(const std::string& op) const {
  int n = 0;
  for (const Call& call : calls) n += call.op == op;
  return n;
}

void FakeCadServices::record(std::string op, std::initializer_list<double> numbers,
                             const std::string& text) {
  std::string args;
  for (double number : numbers) {
    if (!args.empty()) args += ",";
    args += vb::NumberText(number);
  }
  if (!text.empty()) args += (args.empty() ? "" : ",") + text;
  calls.push_back({std::move(op), std::move(args)});
}

void FakeCadServices::InitDwgs() {
  record("InitDwgs", {});
  // Each view is emptied and set up again with its layers thawed.
  for (int view : {0, 2, 3, 4, 5}) {
    views[view].frozen.clear();
    views[view].entities.clear();
  }
}

void FakeCadServices::SetupNewDrawing(int view) {
  record("SetupNewDrawing", {double(view)});
  views[view].frozen.clear();
}

void FakeCadServices::SetToCurrentLayer(int view) { record("SetToCurrentLayer", {double(view)}); }
void FakeCadServices::FixText(int view) { record("FixText", {double(view)}); }
void FakeCadServices::UpdateCADDims(int view, bool metric) {
  record("UpdateCADDims", {double(view), metric ? 1.0 : 0.0});
}

void FakeCadServices::ExtractViewDrawing(const std::string& acNum, const std::string& view,
                                         const std::filesystem::path& file) {
  record("ExtractViewDrawing", {}, acNum + "," + view + "," + file.string());
  auto found = drawings.find({acNum, view});
  if (found == drawings.end()) return;
  if (!vb::WriteFileAtomic(file, found->second + "\r\n")) vb::Raise(vb::err::PathFileAccess);
}

void FakeCadServices::SetLayerFrozen(int view, std::string_view layer, bool frozen) {
  record("SetLayerFrozen", {double(view), frozen ? 1.0 : 0.0}, std::string(layer));
  views[view].frozen[Upper(layer)] = frozen;
}

int FakeCadServices::LayerColorIndex(int view, int position) {
  const auto& colours = views[view].colourIndex;
  auto found = colours.find(position);
  return found == colours.end() ? 7 : found->second;
}

void FakeCadServices::Redraw(int view) { record("Redraw", {double(view)}); }

ViewWindow FakeCadServices::DisplayedWindow(int view) { return views[view].window; }

void FakeCadServices::ApplyViewWindow(int view, const ViewWindow& window) {
  record("ApplyViewWindow", {double(view), window.minX, window.maxX, window.minY, window.maxY});
  views[view].window = window;
}

void FakeCadServices::PreviousView(int view) { record("PreviousView", {double(view)}); }

float FakeCadServices::ZoomStep(int view) { return views[view].zoomStep; }

void FakeCadServices::SetPickMode(int view, int mode) {
  record("SetPickMode", {double(view), double(mode)});
  views[view].pickMode = mode;
}

void FakeCadServices::SetCurrentLayer(int view, std::string_view layer) {
  record("SetCurrentLayer", {double(view)}, std::string(layer));
  views[view].currentLayer = Upper(layer);
}

double FakeCadServices::ViewAspect(int view) { return views[view].aspect; }

void FakeCadServices::PanView(int view, double x1, double y1, double x2, double y2) {
  record("PanView", {double(view), x1, y1, x2, y2});
  ViewWindow& w = views[view].window;
  w = {w.minX + x2 - x1, w.minY + y2 - y1, w.maxX + x2 - x1, w.maxY + y2 - y1};
}

void FakeCadServices::ZoomToWindow(int view, double x1, double y1, double x2, double y2) {
  record("ZoomToWindow", {double(view), x1, y1, x2, y2});
  views[view].window = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

void FakeCadServices::DrawRubberLine(int view, double x1, double y1, double x2, double y2) {
  record("DrawRubberLine", {double(view), x1, y1, x2, y2});
}

void FakeCadServices::DrawRubberBox(int view, double x1, double y1, double x2, double y2) {
  record("DrawRubberBox", {double(view), x1, y1, x2, y2});
}

void FakeCadServices::AddLine(int view, float x1, float y1, float x2, float y2) {
  record("AddLine", {double(view), x1, y1, x2, y2});
  views[view].entities.push_back({views[view].currentLayer, "LINE", x1, y1, {}});
}

void FakeCadServices::ForEachEntity(int view,
                                    const std::function<void(const EntityPoints&)>& visit) {
  for (const EntityPoints& entity : views[view].entities) visit(entity);
}

}  // namespace CadFunctions
