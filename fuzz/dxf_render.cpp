// The renderer over any drawing the reader accepts, seen as the drawing tabs see it (fitted to
// its extents), through a fixed window and zoomed far in, and exported as a metafile. Checks
// that the work of a redraw stays bounded: no more points reach the device than the renderer's
// budget allows, whatever the file asks for (a redraw that runs long is a timeout finding).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "platform/dxf/Reader.h"
#include "platform/dxf/Render.h"
#include "platform/dxf/ViewState.h"
#include "platform/dxf/Wmf.h"
#include "platform/runtime/Error.h"

namespace {

using fuzzsupport::Check;

// Counts what reaches the device.
struct CountingSink : dxf::Sink {
  void Polyline(const std::vector<dxf::Point>& pts, dxf::Rgb, double,
                const std::vector<double>&) override {
    points += static_cast<long>(pts.size());
  }
  void Polygon(const std::vector<dxf::Point>& pts, dxf::Rgb) override {
    points += static_cast<long>(pts.size());
  }
  void Text(const dxf::TextItem& t) override { chars += static_cast<long>(t.text.size()); }
  void Dot(dxf::Point, dxf::Rgb, double) override { ++points; }
  long points = 0, chars = 0;
};

void Draw(const dxf::Document& doc, const dxf::Window& w) {
  dxf::ViewState view;
  view.SetPixelSize(900, 600);
  try {
    view.Show(w.MinX, w.MinY, w.MaxX, w.MaxY);
  } catch (const vb::Error&) {
    return;  // a window of no size: the control refuses it the same way
  }
  CountingSink sink;
  dxf::RenderOptions opt;
  opt.clipMinX = -2, opt.clipMinY = -2, opt.clipMaxX = 902, opt.clipMaxY = 602;
  opt.minTextHeight = 2.5;
  opt.maxSeconds = 0.5;  // as the screen: a redraw may stop, it may not hang
  dxf::Renderer r(doc, sink, view.ToPixels(), opt);
  r.DrawAll();
  Check(sink.points <= opt.maxPoints + 100000, "a redraw emits no more points than its budget");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  dxf::Document doc;
  try {
    dxf::ReadDxf(std::string_view(reinterpret_cast<const char*>(data), size), doc);
  } catch (const vb::Error&) {
    return 0;
  }
  // The extents of the top-level entities' first points, as a rough fit.
  double lx = 0, ly = 0, hx = 12, hy = 9;
  bool any = false;
  for (const dxf::Entity& e : doc.Entities) {
    if (!std::isfinite(e.X0) || !std::isfinite(e.Y0)) continue;
    if (!any) lx = hx = e.X0, ly = hy = e.Y0;
    lx = std::min(lx, e.X0), hx = std::max(hx, e.X0);
    ly = std::min(ly, e.Y0), hy = std::max(hy, e.Y0);
    any = true;
  }
  if (hx - lx < 1e-6) hx = lx + 1;
  if (hy - ly < 1e-6) hy = ly + 1;
  Draw(doc, {lx, ly, hx, hy});
  Draw(doc, {0, 0, 12, 9});
  Draw(doc, {lx, ly, lx + 0.001, ly + 0.001});
  dxf::WriteMetafile(doc, {lx, ly, hx, hy}, dxf::MakeRgb(255, 255, 255));
  return 0;
}
