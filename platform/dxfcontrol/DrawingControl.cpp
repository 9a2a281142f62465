#include "platform/dxfcontrol/DrawingControl.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <utility>

#include "platform/dxf/EntityViews.h"
#include "platform/dxf/Merge.h"
#include "platform/dxf/Reader.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Trap.h"

namespace dxf {

namespace {

void FindMissing(const Document& doc, const EntityCollection& list, std::set<std::string>& out) {
  for (const Entity& e : list) {
    if ((e.EntityType == "INSERT" || e.EntityType == "DIMENSION") && !e.Extra().BlockName.empty() &&
        !doc.Blocks.Find(e.Extra().BlockName)) {
      out.insert(e.Extra().BlockName);
    }
  }
}

}  // namespace

DrawingControl::DrawingControl(std::filesystem::path baseFolder)
    : baseFolder_(std::move(baseFolder)) {
  view_.SetPixelSize(width_, height_);
}

std::filesystem::path DrawingControl::resolve(std::string_view file) const {
  std::filesystem::path p{std::string(file)};
  if (p.is_absolute()) return vb::ResolveName(p.parent_path(), p.filename().string());
  std::filesystem::path folder = baseFolder_.empty() ? vb::CurDir() : baseFolder_;
  return vb::ResolveName(folder, std::string(file));
}

std::filesystem::path DrawingControl::fileToRead(std::string_view file) const {
  if (file.empty()) vb::Raise(vb::err::FileNotFound);
  std::filesystem::path p = resolve(file);
  std::error_code ec;
  if (!std::filesystem::exists(p, ec)) {
    vb::Raise(vb::err::FileNotFound, "File not found: " + p.string());
  }
  if (std::filesystem::is_directory(p, ec)) {
    vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + p.string());
  }
  // Only a regular file is read: a device or a pipe (a link to /dev/zero) would never end.
  if (!std::filesystem::is_regular_file(p, ec)) {
    vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + p.string() + " is not a file");
  }
  return p;
}

void DrawingControl::afterChange() {
  std::set<std::string> missing;
  FindMissing(doc_, doc_.Entities, missing);
  for (const Block& b : doc_.Blocks) FindMissing(doc_, b.Entities, missing);
  // A missing block is reported once, through the common handler when one is installed; the
  // load itself has succeeded and the INSERT draws nothing.
  vb::TrapHandler* handler = vb::CurrentTrapHandler();
  for (const std::string& name : missing) {
    if (missingBlocks_.count(name)) continue;
    if (handler && handler->HandlingOn()) {
      handler->HandleError("DXFReader", "LoadDrawing",
                           vb::Error{vb::err::SubscriptOutOfRange,
                                     "Block \"" + name + "\" not found in the drawing"});
    }
  }
  missingBlocks_ = std::move(missing);
  tooBigReported_ = false;
  if (ReadStatus) ReadStatus();
  Redraw();
}

void DrawingControl::ClearDrawing() {
  doc_.Clear();
  currentLayer_ = "0";
  missingBlocks_.clear();
  tooBigReported_ = false;
  Redraw();
}

// Files are read in pieces (ReadDxfFile): a large drawing is never held whole beside the
// document built from it.
void DrawingControl::LoadDrawingFile(std::string_view file, std::uintmax_t maxBytes) {
  const std::filesystem::path p = fileToRead(file);
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(p, ec);
  if (!ec && size > maxBytes) {
    vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + p.string() + " is " +
                                           std::to_string(size) + " bytes, more than the " +
                                           std::to_string(maxBytes) + " it may have");
  }
  Document fresh;
  ReadDxfFile(p, fresh);  // raises with the old drawing untouched
  install(std::move(fresh));
}

void DrawingControl::LoadDrawingText(std::string_view dxfText) {
  Document fresh;
  ReadDxf(dxfText, fresh);  // raises with the old drawing untouched
  install(std::move(fresh));
}

void DrawingControl::install(Document fresh) {
  doc_ = std::move(fresh);
  currentLayer_ = "0";
  missingBlocks_.clear();
  afterChange();
}

void DrawingControl::MergeDrawingFile(std::string_view file) { MergeDrawingFile(file, 0, 1, 1, 0, 0); }

void DrawingControl::MergeDrawingFile(std::string_view file, float rotation, float scaleX,
                                      float scaleY, float offsetX, float offsetY) {
  const std::filesystem::path p = fileToRead(file);
  checkTransform(rotation, scaleX, scaleY, offsetX, offsetY);
  Document incoming;
  ReadDxfFile(p, incoming);
  merge(std::move(incoming), rotation, scaleX, scaleY, offsetX, offsetY);
}

void DrawingControl::MergeDrawingText(std::string_view dxfText, float rotation, float scaleX,
                                      float scaleY, float offsetX, float offsetY) {
  checkTransform(rotation, scaleX, scaleY, offsetX, offsetY);
  Document incoming;
  ReadDxf(dxfText, incoming);
  merge(std::move(incoming), rotation, scaleX, scaleY, offsetX, offsetY);
}

void DrawingControl::checkTransform(float rotation, float scaleX, float scaleY, float offsetX,
                                    float offsetY) {
  const float values[] = {rotation, scaleX, scaleY, offsetX, offsetY};
  for (float v : values) {
    if (!std::isfinite(v)) vb::Raise(vb::err::InvalidCall, "Invalid merge transform");
  }
  if (scaleX == 0 || scaleY == 0) vb::Raise(vb::err::InvalidCall, "Invalid merge scale 0");
}

void DrawingControl::merge(Document incoming, float rotation, float scaleX, float scaleY,
                           float offsetX, float offsetY) {
  MergeDocument(doc_, std::move(incoming),
                MergeTransform{rotation, scaleX, scaleY, offsetX, offsetY}, currentLayer_);
  afterChange();
}

void DrawingControl::Redraw() {
  if (onRepaint) onRepaint();
}

void DrawingControl::CompleteDrawing() { Redraw(); }

void DrawingControl::overlay() {
  if (onOverlay) onOverlay();
}

void DrawingControl::AddLayer(std::string_view name, int aci) {
  if (name.empty()) vb::Raise(vb::err::InvalidCall, "A layer needs a name");
  Layer& l = doc_.Layers.Add(name, aci);
  l.Color = aci;
}

void DrawingControl::SetCurrentLayerName(std::string_view name) {
  if (name.empty()) vb::Raise(vb::err::InvalidCall, "A layer needs a name");
  currentLayer_ = doc_.Layers.Add(name, 7).Name();
}

Entity& DrawingControl::AppendEntity() {
  Entity e;
  e.EntityType = "";
  e.LayerName = currentLayer_;
  e.Color = CurrentColor;
  return doc_.Entities.Add(std::move(e));
}

void DrawingControl::ApplyViewWindow() {
  view_.Show(WindowMinX, WindowMinY, WindowMaxX, WindowMaxY);
  Redraw();
}

void DrawingControl::ZoomToWindow(double x1, double y1, double x2, double y2) {
  view_.Show(x1, y1, x2, y2);
  Redraw();
}

void DrawingControl::PanView(double x1, double y1, double x2, double y2) {
  view_.Pan(x2 - x1, y2 - y1);
  Redraw();
}

void DrawingControl::PreviousView() {
  if (view_.Previous()) Redraw();
}

void DrawingControl::SetPickMode(int mode) {
  pickMode_ = mode;
  if (mode == 0) rubber_ = Rubber::None;
  if (onCursor) onCursor();
  overlay();
}

void DrawingControl::DrawRubberLine(double x1, double y1, double x2, double y2) {
  rubber_ = Rubber::Line;
  rubberPts_ = {x1, y1, x2, y2};
  overlay();
}

void DrawingControl::DrawRubberBox(double x1, double y1, double x2, double y2) {
  rubber_ = Rubber::Box;
  rubberPts_ = {x1, y1, x2, y2};
  overlay();
}

// The upper corner of the limits; without limits, of the extents (from the header, else from
// the entities' points); (12, 9) for an empty drawing.
Point DrawingControl::upperCorner() const {
  const Header& h = doc_.Head;
  if (h.HasLimits) return {h.LimMaxX, h.LimMaxY};
  if (h.HasExtents) return {h.ExtMaxX, h.ExtMaxY};
  bool any = false;
  Point p{12, 9};
  auto add = [&](double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    if (!any) p = {x, y};
    p.x = std::max(p.x, x);
    p.y = std::max(p.y, y);
    any = true;
  };
  for (const Entity& e : doc_.Entities) {
    const std::string& t = e.EntityType;
    if (t == "CIRCLE" || t == "ARC") {
      const CircleView c(e);
      add(c.CentreX + c.Radius, c.CentreY + c.Radius);
    } else if (!e.Vertices.items().empty()) {
      for (const Vertex& v : e.Vertices) add(v.X0, v.Y0);
    } else if (!t.empty()) {
      add(e.X0, e.Y0);
      if (t == "LINE" || t == "SOLID" || t == "TRACE" || t == "3DFACE") add(e.X1, e.Y1);
      if (t == "SOLID" || t == "TRACE" || t == "3DFACE") {
        add(e.Extra().X2, e.Extra().Y2), add(e.Extra().X3, e.Extra().Y3);
      }
    }
  }
  return p;
}

double DrawingControl::MaxX() const { return upperCorner().x; }
double DrawingControl::MaxY() const { return upperCorner().y; }

void DrawingControl::SetSize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  view_.SetPixelSize(width_, height_);
}

void DrawingControl::SetVisible(bool visible) {
  visible_ = visible;
  if (onVisibility) onVisibility(visible);
}

}  // namespace dxf
