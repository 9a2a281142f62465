// Renders a fixed set of pictures (the benchmark drawings whole and zoomed, the sample drawings,
// the page templates, the composed drawing tabs of sample pairs, the hostile drawings, the fuzz
// seeds) into a folder as PNG files, or compares two such folders pixel for pixel: a change to
// the renderer that must not change what is drawn is checked by rendering before and after.
//
//   render_pictures write DIR
//   render_pictures compare DIR1 DIR2
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "DxfDrawings.h"
#include "drawings/CadFunctions.h"
#include "drawings/ControlNames.h"
#include "drawings/DrawingTabs.h"
#include "drawings/DxfCadServices.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "mainwindow/MainForm.h"
#include "platform/dxf/DxfTestSupport.h"
#include "platform/dxf/EntityViews.h"
#include "platform/dxf/HostileDrawings.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/dxfcontrol/DrawingWidget.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Trap.h"
#include "StartOptions.h"

namespace {

namespace fs = std::filesystem;

QString outDir;
int written = 0;

struct QuietTraps : vb::TrapHandler {
  bool HandlingOn() override { return true; }
  void TraceEntry(std::string_view, std::string_view) override {}
  void HandleError(std::string_view, std::string_view, const vb::Error&) override {}
};

void Save(const QImage& image, const std::string& name) {
  image.save(outDir + "/" + QString::fromStdString(name) + ".png");
  ++written;
}

// Paints the control's view at w x h, banded as the screen is and in one pass.
void Paint(dxf::DrawingControl& cad, const std::string& name, int w, int h, bool both = true) {
  for (int bands : {0, 1}) {
    if (bands == 1 && !both) continue;
    dxf::DrawingControl::SetRenderBands(bands);
    QImage image(w, h, QImage::Format_RGB32);
    {
      QPainter p(&image);
      cad.PaintView(p, w, h);
    }
    Save(image, name + (bands == 1 ? "-1pass" : ""));
  }
  dxf::DrawingControl::SetRenderBands(0);
}

void Plot(dxf::DrawingControl& cad, const std::string& name, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  cad.RenderToPicture(image);
  Save(image, name);
}

// The box of the entities' defining points.
bool Extents(const dxf::Document& doc, double& x0, double& y0, double& x1, double& y1) {
  bool any = false;
  auto add = [&](double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e6 || std::fabs(y) > 1e6)
      return;
    if (!any) x0 = x1 = x, y0 = y1 = y;
    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    any = true;
  };
  for (const dxf::Entity& e : doc.Entities) {
    const std::string& t = e.EntityType;
    if (t == "CIRCLE" || t == "ARC") {
      const dxf::CircleView c(e);
      add(c.CentreX + c.Radius, c.CentreY + c.Radius);
      add(c.CentreX - c.Radius, c.CentreY - c.Radius);
    } else if (!e.Vertices.items().empty()) {
      for (const dxf::Vertex& v : e.Vertices) add(v.X0, v.Y0);
    } else if (!t.empty()) {
      add(e.X0, e.Y0);
      if (t == "LINE" || t == "SOLID" || t == "TRACE" || t == "3DFACE") add(e.X1, e.Y1);
    }
  }
  return any && x1 > x0 && y1 > y0;
}

void DrawFileIn(const std::string& name, const std::string& text) {
  dxf::DrawingControl cad;
  cad.LoadDrawingText(text);
  cad.SetSize(900, 600);
  double x0 = 0, y0 = 0, x1 = 12, y1 = 9;
  if (!Extents(cad.Drawing(), x0, y0, x1, y1) || x1 - x0 < 1e-3 || y1 - y0 < 1e-3) {
    x0 = 0, y0 = 0, x1 = 12, y1 = 9;
  }
  const double w = x1 - x0, h = y1 - y0;
  cad.ZoomToWindow(x0 - w * 0.02, y0 - h * 0.02, x1 + w * 0.02, y1 + h * 0.02);
  Paint(cad, name + "-whole", 900, 600);
  Paint(cad, name + "-whole-big", 1800, 1200, false);
  cad.PlotMode = 4;
  cad.PlotLandscape = 1;
  cad.PlotPenWidth = 3;
  Plot(cad, name + "-plot-landscape", 1100, 850);
  cad.PlotLandscape = 0;
  cad.PlotPenWidth = 1;
  Plot(cad, name + "-plot", 850, 1100);
  cad.PlotMode = 0;
  Plot(cad, name + "-plot-page", 850, 1100);
  cad.ZoomToWindow(x0 + w * 0.35, y0 + h * 0.35, x0 + w * 0.55, y0 + h * 0.5);
  Paint(cad, name + "-zoom", 900, 600);
  cad.ZoomToWindow(x0 + w * 0.45, y0 + h * 0.45, x0 + w * 0.47, y0 + h * 0.47);
  Paint(cad, name + "-zoomdeep", 900, 600, false);
}

void DrawFile(const std::string& name, const std::string& text) {
  try {
    DrawFileIn(name, text);
  } catch (const vb::Error& e) {
    std::printf("%s: error %ld %s\n", name.c_str(), e.number, e.description.c_str());
  }
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void BenchDrawings() {
  for (bool interleaved : {true, false}) {
    const std::string base = interleaved ? "bench" : "bench-bylayer";
    dxf::DrawingControl cad;
    cad.LoadDrawingText(dxfbench::MakeDrawing(100000, interleaved));
    cad.SetSize(1600, 1000);
    cad.ZoomToWindow(0, 0, 1000, 625);
    Paint(cad, base + "-whole", 1600, 1000);
    cad.ZoomToWindow(200, 200, 300, 260);
    Paint(cad, base + "-zoomed", 1600, 1000);
    if (!interleaved) continue;
    cad.ZoomToWindow(-100, -50, 400, 250);
    Paint(cad, base + "-corner", 1600, 1000);
    cad.ZoomToWindow(100, 100, 110, 106);
    Paint(cad, base + "-deep", 1600, 1000);
    cad.ZoomToWindow(0, 0, 3000, 1875);
    Paint(cad, base + "-far", 1600, 1000);
    cad.ZoomToWindow(0, 0, 1000, 625);
    cad.PlotMode = 4;
    cad.PlotLandscape = 1;
    cad.PlotPenWidth = 2;
    Plot(cad, base + "-plot-landscape", 1500, 1100);
    cad.PlotLandscape = 0;
    cad.PlotPenWidth = 1;
    Plot(cad, base + "-plot", 1100, 1500);
    cad.SaveBitmap((fs::path(outDir.toStdString()) / "bench-bitmap.bmp").string());
  }
}

void Tabs(const fs::path& samples) {
  fs::path folder = fs::temp_directory_path() / "tolvane-render-pictures";
  fs::remove_all(folder);
  fs::create_directories(folder / "DXF");
  for (const auto& entry : fs::directory_iterator(samples)) {
    fs::copy_file(entry.path(), folder / "DXF" / entry.path().filename(),
                  fs::copy_options::overwrite_existing);
  }
  vb::SetProgramFolder(folder);
  General::vars().IniFileName = (folder / "Tolvane.ini").string();
  dxf::DrawingControl measuring;
  std::array<std::unique_ptr<dxf::DrawingWidget>, 6> views{};
  CadFunctions::DxfCadServices::Controls c{};
  c[0] = &measuring;
  for (int tab = 2; tab <= 5; ++tab) {
    views[static_cast<size_t>(tab)] = std::make_unique<dxf::DrawingWidget>(nullptr, folder);
    views[static_cast<size_t>(tab)]->resize(900, 600);
    c[static_cast<size_t>(tab)] = views[static_cast<size_t>(tab)].get();
  }
  auto services = std::make_unique<CadFunctions::DxfCadServices>(c);
  auto controls = std::make_unique<MainForm::DxfCompositionControls>(*services);
  CadFunctions::InstallServices(services.get());
  StartOptions options;
  struct Pair {
    const char *a, *b;
    int cls;
  };
  for (Pair pair : {Pair{"101", "102", 1}, Pair{"103", "104", 1}, Pair{"201", "202", 2},
                    Pair{"102", "103", 1}}) {
    CadFunctions::SetDrawingInputsSource([pair] {
      return CadFunctions::DrawingInputs{pair.a, pair.b, 0x0000FF, 0xFF0000, -1, 2};
    });
    Globals::vars().AircraftClass = pair.cls;
    auto& cv = CadFunctions::vars();
    cv.ShowPlane1 = cv.ShowPlane2 = cv.ShowDims = true;
    for (int tab = 2; tab <= 5; ++tab) {
      CadFunctions::InitDwgs();
      MainForm::vars().TabDrawn.fill(false);
      try {
        MainForm::ComposeDrawingTab(tab, *controls, options);
      } catch (...) {
        continue;
      }
      const std::string name =
          std::string("tab-") + pair.a + "-" + pair.b + "-" + std::to_string(tab);
      Paint(*views[static_cast<size_t>(tab)], name, 900, 600);
      Plot(*views[static_cast<size_t>(tab)], name + "-plot", 1100, 850);
    }
  }
  CadFunctions::resetForTest();
  std::error_code ec;
  fs::remove_all(folder, ec);
}

int Write(const QString& dir) {
  outDir = dir;
  QDir().mkpath(dir);
  QuietTraps traps;
  vb::SetTrapHandler(&traps);
  BenchDrawings();
  for (const char* folder : {TOLVANE_SAMPLE_DRAWINGS, TOLVANE_TEMPLATES}) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() != ".dxf") continue;
      DrawFile(entry.path().stem().string(), ReadFile(entry.path()));
    }
  }
  for (const auto& entry : fs::directory_iterator(TOLVANE_FUZZ_SEEDS)) {
    DrawFile("seed-" + entry.path().filename().string(), ReadFile(entry.path()));
  }
  int k = 0;
  for (const auto& [name, text] : dxftest::HostileInputs()) {
    DrawFile("hostile-" + std::to_string(k++), text);
  }
  Tabs(TOLVANE_SAMPLE_DRAWINGS);
  vb::SetTrapHandler(nullptr);
  std::printf("%d pictures written to %s\n", written, dir.toLocal8Bit().constData());
  return 0;
}

int Compare(const QString& a, const QString& b) {
  QStringList files = QDir(a).entryList({"*.png", "*.bmp"}, QDir::Files, QDir::Name);
  int differing = 0;
  for (const QString& f : files) {
    QImage x(a + "/" + f), y(b + "/" + f);
    if (y.isNull()) {
      std::printf("missing %s\n", f.toLocal8Bit().constData());
      ++differing;
      continue;
    }
    x = x.convertToFormat(QImage::Format_RGB32);
    y = y.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size()) {
      std::printf("size differs %s\n", f.toLocal8Bit().constData());
      ++differing;
      continue;
    }
    long diff = 0;
    for (int r = 0; r < x.height(); ++r) {
      const QRgb* p = reinterpret_cast<const QRgb*>(x.constScanLine(r));
      const QRgb* q = reinterpret_cast<const QRgb*>(y.constScanLine(r));
      for (int i = 0; i < x.width(); ++i) diff += (p[i] & 0xffffff) != (q[i] & 0xffffff);
    }
    if (diff) {
      std::printf("%ld pixels differ in %s\n", diff, f.toLocal8Bit().constData());
      ++differing;
    }
  }
  std::printf("%lld pictures compared, %d differ\n", static_cast<long long>(files.size()),
              differing);
  return differing == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  if (argc == 3 && std::string(argv[1]) == "write") return Write(argv[2]);
  if (argc == 4 && std::string(argv[1]) == "compare") return Compare(argv[2], argv[3]);
  std::fprintf(stderr, "usage: render_pictures write DIR | compare DIR1 DIR2\n");
  return 2;
}
