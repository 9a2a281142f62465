#pragma once
// The DXF drawing control: the stand-in for the drawing control of the Windows design. It owns
// one drawing (Document), the view window with its history, the plot settings and the event
// callbacks; DrawingWidget shows it on screen. It needs no display: CAD(0), the control that
// measures and composes pages, is one of these that is never shown.
//
// Errors follow the runtime's convention: a failing member raises vb::Error and leaves the
// control as it was.
#include <QRectF>
#include <filesystem>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/dxf/Aci.h"
#include "platform/dxf/Document.h"
#include "platform/dxf/ViewState.h"

class QPaintDevice;
class QPainter;

namespace dxf {

class DrawingControl {
 public:
  // The fixed logical size of a control that is never shown (CAD(0)): its aspect 1.5 decides
  // the scales of the printed drawing pages.
  static constexpr int kMeasuringWidth = 900;
  static constexpr int kMeasuringHeight = 600;

  // `baseFolder` is the folder relative file names are taken from (the program folder).
  explicit DrawingControl(std::filesystem::path baseFolder = {});
  DrawingControl(const DrawingControl&) = delete;
  DrawingControl& operator=(const DrawingControl&) = delete;
  virtual ~DrawingControl() = default;

  void SetBaseFolder(std::filesystem::path folder) { baseFolder_ = std::move(folder); }
  const std::filesystem::path& BaseFolder() const { return baseFolder_; }

  // ---- Drawing
  // Empties the drawing: no entities, no blocks, only layer "0" (current); the view stays.
  void ClearDrawing();
  void NewDrawing() { ClearDrawing(); }
  // Replaces the drawing by the file's. A missing file raises 53, one that is no regular file
  // (a folder, a device), is larger than `maxBytes` or cannot be read 75, a file that is no DXF
  // 321; the drawing is then kept as it was.
  void LoadDrawingFile(std::string_view file,
                       std::uintmax_t maxBytes = std::numeric_limits<std::uintmax_t>::max());
  // Adds the file's entities, identity transform, or p' = S·(R(rotation)·p + offset) with the
  // offset in the file's unscaled units; layer-"0" entities go onto the current layer.
  void MergeDrawingFile(std::string_view file);
  void MergeDrawingFile(std::string_view file, float rotation, float scaleX, float scaleY,
                        float offsetX, float offsetY);
  // The same from DXF text in memory (the program's drawing layer and tests).
  void LoadDrawingText(std::string_view dxfText);
  void MergeDrawingText(std::string_view dxfText, float rotation = 0, float scaleX = 1,
                        float scaleY = 1, float offsetX = 0, float offsetY = 0);
  void Redraw();
  // Called once after a view is composed and zoomed.
  void CompleteDrawing();

  // The horizontal bands a large drawing is painted in at once, each on its own thread; 0 (the
  // default): one per core, eight at most, or one pass when the view shows little of the
  // drawing; 1: one pass (tests compare the two).
  static void SetRenderBands(int bands);

  // ---- Exports; a file that cannot be written raises 75.
  void SaveDxf(std::string_view file) const;
  void SaveMetafile(std::string_view file) const;
  void SaveBitmap(std::string_view file) const;

  // ---- Layers
  // Appends a layer (upper-cased); a layer of that name (any case) only takes the colour.
  void AddLayer(std::string_view name, int aci);
  LayerList& Layers() { return doc_.Layers; }
  const LayerList& Layers() const { return doc_.Layers; }
  // The layer of merged layer-"0" entities and of AppendEntity. Setting an unknown name
  // creates that layer (ACI 7).
  std::string CurrentLayerName() const { return currentLayer_; }
  void SetCurrentLayerName(std::string_view name);

  // ---- Entities, blocks, styles
  EntityCollection& EntityList() { return doc_.Entities; }
  const EntityCollection& EntityList() const { return doc_.Entities; }
  // Appends an empty entity on the current layer with Color = CurrentColor.
  Entity& AppendEntity();
  TextStyleList& TextStyles() { return doc_.TextStyles; }
  BlockList& Blocks() { return doc_.Blocks; }
  const BlockList& Blocks() const { return doc_.Blocks; }
  Document& Drawing() { return doc_; }
  const Document& Drawing() const { return doc_; }
  // Blocks that INSERTs or DIMENSIONs name but the drawing lacks (drawn as nothing).
  const std::set<std::string>& MissingBlocks() const { return missingBlocks_; }

  // ---- View. The Window* values are staged and take effect on ApplyViewWindow.
  double WindowMinX = 0, WindowMaxX = 12, WindowMinY = 0, WindowMaxY = 9;
  void ApplyViewWindow();
  double ViewMinX() const { return view_.Displayed().MinX; }
  double ViewMinY() const { return view_.Displayed().MinY; }
  double ViewMaxX() const { return view_.Displayed().MaxX; }
  double ViewMaxY() const { return view_.Displayed().MaxY; }
  void ZoomToWindow(double x1, double y1, double x2, double y2);
  // Moves the window by (x2 - x1, y2 - y1); (0, 0, 0, 0) only redisplays.
  void PanView(double x1, double y1, double x2, double y2);
  void PreviousView();
  float ZoomStep = 15;
  const ViewState& View() const { return view_; }

  // ---- Picking: 2 while a two-click command waits (crosshair), 0 normal.
  int PickMode() const { return pickMode_; }
  void SetPickMode(int mode);
  void DrawRubberLine(double x1, double y1, double x2, double y2);
  void DrawRubberBox(double x1, double y1, double x2, double y2);
  enum class Rubber { None, Line, Box };
  Rubber RubberKind() const { return rubber_; }
  Window RubberPoints() const { return rubberPts_; }

  // ---- Plotting. PlotMode 0: the 8.5 x 11 inch page (divided by PlotScale) stretched over
  // the whole picture, or over the box `page` of it (picture pixels) when one is given;
  // PlotMode 4: the displayed window fitted into the picture, turned a quarter when
  // PlotLandscape is 1. PlotSetting10..13, 2C and 0F are kept and have no effect.
  int PlotMode = 4;
  float PlotScale = 1;
  float PlotSetting10 = 0, PlotSetting11 = 0, PlotSetting12 = 0, PlotSetting13 = 0;
  int PlotSetting2C = 0;
  bool PlotSetting0F = false;
  int PlotLandscape = 0;
  float PlotPenWidth = 1;
  // Renders as the plot settings say; false when a budget left part of the drawing out, which
  // is reported once per drawing unless `reportCut` is false (the caller reports it).
  bool RenderToPicture(QPaintDevice& picture, bool reportCut = true,
                       const std::optional<QRectF>& page = std::nullopt) const;

  // ---- Chart back end
  // Upper corner of the drawing limits (of the extents when the drawing has no limits; (12, 9)
  // for a new drawing).
  double MaxX() const;
  double MaxY() const;
  bool FILLMODE = false;
  int ForeColor = 7;
  int CurrentColor = kByLayer;

  // ---- Size and visibility (pixels; only the ratio matters).
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  Rgb BackgroundColor = MakeRgb(255, 255, 255);

  // ---- Events. X and Y are drawing units (y up); Button: left 1, right 2, middle 4; Shift:
  // shift 1, ctrl 2, alt 4. The wheel is the owner's business (notches, + away from the user).
  std::function<void(int button, int shift, double&x, double&y)> MouseDown, MouseMove, MouseUp;
  std::function<void()> ReadStatus;
  std::function<void(int notches)> MouseWheel;

  // Paints the displayed window onto a painter covering width x height pixels (screen and
  // bitmap), rubber band excluded.
  void PaintView(QPainter& painter, int width, int height, double penWidth = 1) const;

  // Set by the widget that shows this control.
  std::function<void()> onRepaint;
  std::function<void(bool)> onVisibility;
  std::function<void()> onCursor;
  std::function<void()> onOverlay;  // the rubber band changed; the drawing did not

 private:
  std::filesystem::path resolve(std::string_view file) const;
  // The file's path, checked to be a regular file (53 when missing, 75 for anything else).
  std::filesystem::path fileToRead(std::string_view file) const;
  void install(Document fresh);
  static void checkTransform(float rotation, float scaleX, float scaleY, float offsetX,
                             float offsetY);
  void merge(Document incoming, float rotation, float scaleX, float scaleY, float offsetX,
             float offsetY);
  void afterChange();
  // Says once per drawing that a redraw left part of it out.
  void reportTooBig() const;
  void overlay();
  Point upperCorner() const;

  std::filesystem::path baseFolder_;
  Document doc_;
  std::string currentLayer_ = "0";
  ViewState view_;
  int pickMode_ = 0;
  Rubber rubber_ = Rubber::None;
  Window rubberPts_;
  int width_ = kMeasuringWidth, height_ = kMeasuringHeight;
  bool visible_ = true;
  std::set<std::string> missingBlocks_;
  mutable bool tooBigReported_ = false;
};

}  // namespace dxf
