// The drawing services over the main window's DXF drawing controls.
#include "drawings/DxfCadServices.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "drawings/CADGraph.h"
#include "drawings/CadFunctions.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/dxf/EntityViews.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"

namespace CadFunctions {

namespace {

bool IsTextEntity(const dxf::Entity& e) {
  return e.EntityType == "TEXT" || e.EntityType == "MTEXT";
}

// A dimension text of UpdateCADDims: a TEXT whose layer name holds "DIM" (as the control
// reports it: upper case), which takes in "DIM", "DIM1", "DIM2", "DIMA" and "DIMB".
bool IsDimensionText(const dxf::Entity& e) {
  return e.EntityType == "TEXT" && e.LayerName.find("DIM") != std::string::npos;
}

// The aircraft number as the integer key of table DXF.
int32_t AircraftKey(const std::string& acNum) {
  int32_t key = 0;
  const char* end = acNum.data() + acNum.size();
  auto [ptr, ec] = std::from_chars(acNum.data(), end, key);
  if (acNum.empty() || ec != std::errc() || ptr != end || key < 0) {
    vb::Raise(vb::err::InvalidCall, "Invalid aircraft number \"" + acNum + "\"");
  }
  return key;
}

}  // namespace

DxfCadServices::DxfCadServices(Controls controls) : controls_(controls) {}

void DxfCadServices::SetControl(int view, dxf::DrawingControl* control) {
  if (view < 0 || view >= static_cast<int>(controls_.size())) {
    vb::Raise(vb::err::SubscriptOutOfRange);
  }
  controls_[view] = control;
}

dxf::DrawingControl& DxfCadServices::Control(int view) const {
  if (view < 0 || view >= static_cast<int>(controls_.size()) || !controls_[view]) {
    vb::Raise(vb::err::ObjectNotSet,
              "Object variable or With block variable not set (CAD(" + std::to_string(view) + "))");
  }
  return *controls_[view];
}

void DxfCadServices::InitDwgs() {
  // Every control there is gets set up; a missing one is reported once the others are done.
  int missing = -1;
  for (int view : {kMeasuringView, Globals::Tab::Top, Globals::Tab::Front, Globals::Tab::Side,
                   Globals::Tab::Interior}) {
    if (!controls_[view]) {
      if (missing < 0) missing = view;
      continue;
    }
    controls_[view]->ClearDrawing();
    SetupNewDrawing(view);
  }
  if (missing >= 0) Control(missing);
}

void DxfCadServices::SetupNewDrawing(int view) {
  dxf::DrawingControl& c = Control(view);
  const DrawingInputs in = CurrentInputs();
  const int dimA = CADGraph::CADDimColor(in.DimColor, 1, in.PlaneColor1, in.PlaneColor2);
  const int dimB = CADGraph::CADDimColor(in.DimColor, 2, in.PlaneColor1, in.PlaneColor2);
  // Positions 2 to 8, after the control's own layer "0".
  c.AddLayer(LayerName::Grid, 253);
  c.AddLayer(LayerName::Dim1, 7);
  c.AddLayer(LayerName::Dim2, 7);
  c.AddLayer(LayerName::Plane1, CADGraph::CADColor(in.PlaneColor1));
  c.AddLayer(LayerName::Plane2, CADGraph::CADColor(in.PlaneColor2));
  c.AddLayer(LayerName::DimA, dimA);
  c.AddLayer(LayerName::DimB, dimB);
  c.SetCurrentLayerName(LayerName::Plane1);
  remapped_[view] = c.EntityList().Count();
}

void DxfCadServices::SetCurrentLayer(int view, std::string_view layer) {
  Control(view).SetCurrentLayerName(layer);
}

void DxfCadServices::SetToCurrentLayer(int view) {
  dxf::DrawingControl& c = Control(view);
  const std::string current = c.CurrentLayerName();
  const char d = current.empty() ? '?' : current.back();
  // The layer names as entities carry them (upper case).
  const std::string ownDims = dxf::UpperName(LayerName::Dim) + d;
  const std::string dim1 = dxf::UpperName(LayerName::Dim1), dim2 = dxf::UpperName(LayerName::Dim2);
  dxf::EntityCollection& entities = c.EntityList();
  const long first = std::min(remapped_[view], entities.Count());
  for (long i = first; i < entities.Count(); ++i) {
    dxf::Entity& e = entities.items()[static_cast<size_t>(i)];
    if (e.LayerName == LayerName::Zero) e.LayerName = current;
    // "DimA" belongs to Plane 1's dimensions and "DimB" to Plane 2's: merged for the other
    // plane they stay where they are.
    if (IsLayer(e.LayerName, LayerName::DimA)) {
      if (d == '1') {
        e.LayerName = dim1;
        e.Color = dxf::kByLayer;
      }
    } else if (IsLayer(e.LayerName, LayerName::DimB)) {
      if (d == '2') {
        e.LayerName = dim2;
        e.Color = dxf::kByLayer;
      }
    } else if (IsLayer(e.LayerName, LayerName::Dim)) {
      e.LayerName = ownDims;
      e.Color = dxf::kByLayer;
    }
  }
  remapped_[view] = entities.Count();
  if (entities.Count() > 0) {
    // A current layer other than "Plane1" or "Plane2" names a dimension layer the drawing may
    // lack; it is made, so that every entity's layer is in the layer list.
    c.Layers().Add(ownDims, 7);
    const DrawingInputs in = CurrentInputs();
    c.Layers().Item(LayerName::Dim1).Color =
        CADGraph::CADDimColor(in.DimColor, 1, in.PlaneColor1, in.PlaneColor2);
    c.Layers().Item(LayerName::Dim2).Color =
        CADGraph::CADDimColor(in.DimColor, 2, in.PlaneColor1, in.PlaneColor2);
  }
  c.Redraw();
}

void DxfCadServices::FixText(int view) {
  dxf::DrawingControl& c = Control(view);
  double height = 0;
  for (const dxf::Entity& e : c.EntityList()) {
    if (IsTextEntity(e)) height = std::max(height, dxf::TextView(e).Height);
  }
  for (dxf::Entity& e : c.EntityList()) {
    if (!IsTextEntity(e)) continue;
    // TEXT and MTEXT keep their height and rotation in the same fields.
    dxf::TextView text(e);
    text.Height = height;
    text.Rotation = 0;
    text.Oblique = 0;
  }
  c.Redraw();
}

void DxfCadServices::UpdateCADDims(int view, bool metric) {
  dxf::DrawingControl& c = Control(view);
  double height = 0;
  for (const dxf::Entity& e : c.EntityList()) {
    if (IsDimensionText(e)) height = std::max(height, dxf::TextView(e).Height);
  }
  for (dxf::Entity& e : c.EntityList()) {
    if (!IsDimensionText(e)) continue;
    if (metric) {
      std::string text = e.Text;
      General::MetricConvert(text, "Ft");
      e.Text = std::move(text);
    }
    dxf::TextView(e).Height = height;
  }
}

void DxfCadServices::ExtractViewDrawing(const std::string& acNum, const std::string& view,
                                        const std::filesystem::path& file) {
  const int32_t key = AircraftKey(acNum);
  adodb::Connection connection;
  connection.open(DBase::ConnectionString(DBase::vars().DxfDBPath));
  // The view must be a column of the table; its name never becomes SQL text.
  const std::string column = connection.columnName("DXF", view);
  adodb::Recordset drawing;
  drawing.open("SELECT * FROM DXF WHERE AcNum=?1", connection, {vb::Variant(key)});
  std::string text;
  bool found = false;
  if (!drawing.eof()) {
    const vb::Variant& value = drawing.fields(column).value();
    if (!value.isNull()) {
      text = value.toString();
      found = true;
    }
  }
  drawing.close();
  connection.close();
  if (found && !vb::WriteFileAtomic(file, text + "\r\n")) {
    vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + file.string());
  }
}

void DxfCadServices::SetLayerFrozen(int view, std::string_view layer, bool frozen) {
  dxf::DrawingControl& c = Control(view);
  dxf::Layer& l = c.Layers().Item(layer);
  if (l.Frozen == frozen) return;
  l.Frozen = frozen;
  // A view that is not on screen only marks its picture out of date; it is painted again when
  // it is next shown.
  c.Redraw();
}

int DxfCadServices::LayerColorIndex(int view, int position) {
  return Control(view).Layers().Item(position).Color;
}

void DxfCadServices::Redraw(int view) { Control(view).Redraw(); }

ViewWindow DxfCadServices::DisplayedWindow(int view) {
  const dxf::DrawingControl& c = Control(view);
  return {.minX = c.ViewMinX(), .minY = c.ViewMinY(), .maxX = c.ViewMaxX(), .maxY = c.ViewMaxY()};
}

void DxfCadServices::ApplyViewWindow(int view, const ViewWindow& window) {
  dxf::DrawingControl& c = Control(view);
  c.WindowMinX = window.minX;
  c.WindowMaxX = window.maxX;
  c.WindowMinY = window.minY;
  c.WindowMaxY = window.maxY;
  c.ApplyViewWindow();
}

void DxfCadServices::PreviousView(int view) { Control(view).PreviousView(); }

float DxfCadServices::ZoomStep(int view) { return Control(view).ZoomStep; }

void DxfCadServices::SetPickMode(int view, int mode) { Control(view).SetPickMode(mode); }

double DxfCadServices::ViewAspect(int view) {
  const dxf::DrawingControl& c = Control(view);
  if (c.Width() <= 0 || c.Height() <= 0) return 1;
  return static_cast<double>(c.Width()) / c.Height();
}

void DxfCadServices::PanView(int view, double x1, double y1, double x2, double y2) {
  Control(view).PanView(x1, y1, x2, y2);
}

void DxfCadServices::ZoomToWindow(int view, double x1, double y1, double x2, double y2) {
  Control(view).ZoomToWindow(x1, y1, x2, y2);
}

void DxfCadServices::DrawRubberLine(int view, double x1, double y1, double x2, double y2) {
  Control(view).DrawRubberLine(x1, y1, x2, y2);
}

void DxfCadServices::DrawRubberBox(int view, double x1, double y1, double x2, double y2) {
  Control(view).DrawRubberBox(x1, y1, x2, y2);
}

void DxfCadServices::AddLine(int view, float x1, float y1, float x2, float y2) {
  dxf::Entity& e = Control(view).AppendEntity();
  e.EntityType = "LINE";
  e.X0 = x1;
  e.Y0 = y1;
  e.X1 = x2;
  e.Y1 = y2;
}

void DxfCadServices::ForEachEntity(int view,
                                   const std::function<void(const EntityPoints&)>& visit) {
  EntityPoints points;
  for (const dxf::Entity& e : Control(view).EntityList()) {
    points.layerName = e.LayerName;
    points.entityType = e.EntityType;
    points.x0 = e.X0;
    points.y0 = e.Y0;
    points.vertices.clear();
    if (e.EntityType == "LWPOLYLINE" || e.EntityType == "POLYLINE") {
      for (const dxf::Vertex& v : e.Vertices) points.vertices.emplace_back(v.X0, v.Y0);
    }
    visit(points);
  }
}

}  // namespace CadFunctions
