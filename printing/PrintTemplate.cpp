// A page from its template: the raster of what stays in the page drawing, then the collected
// texts and lines as vectors.
#include "drawings/CadFunctions.h"
#include "drawings/PageDrawing.h"
#include "foundation/DBase.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Trap.h"
#include "printing/PagePrinting.h"
#include "printing/PageRaster.h"
#include "printing/PageVectors.h"
#include "printing/Printing.h"

namespace CadFunctions {

namespace {

constexpr std::string_view kModule = "CadFunctions";

bool InPreview() { return Printing::jobState().PlotPreview(); }

// The legend placeholders' inputs from the program state.
Printing::LegendState CurrentLegend() {
  const DrawingInputs in = CurrentInputs();
  const Vars& v = vars();
  Printing::LegendState st;
  st.Aircraft1 = in.Aircraft1;
  st.Aircraft2 = in.Aircraft2;
  st.PlaneColor1 = static_cast<gdi::Rgb>(in.PlaneColor1);
  st.PlaneColor2 = static_cast<gdi::Rgb>(in.PlaneColor2);
  st.ShowPlane1 = v.ShowPlane1;
  st.ShowPlane2 = v.ShowPlane2;
  st.PlotScaleText1 = printVars().PlotScaleText1;
  st.PlotScaleText2 = printVars().PlotScaleText2;
  st.AcName = [](const std::string& acNum) {
    std::string name;
    vb::Proc g(kModule, "PrintCADEntities");
    g.step([&] { DBase::OpenDatabase(acNum); });
    g.step([&] { name = DBase::DatabaseValue("AcName").toString(); });
    g.step([&] { DBase::CloseDatabase(); });
    return name;
  };
  return st;
}


}  // namespace

void PrintCADEntities() {
  const EntityLists& lists = entityLists();
  std::vector<Printing::PageText> texts;
  texts.reserve(lists.CadTextList.size());
  for (const CadText& t : lists.CadTextList)
    texts.push_back({t.Text, t.X, t.Y, t.Font, static_cast<gdi::Rgb>(t.Color), t.Height, t.Angle,
                     t.HAlign, t.VAlign});
  std::vector<Printing::PageLine> lines;
  lines.reserve(lists.CadLineList.size());
  for (const CadLine& l : lists.CadLineList)
    lines.push_back({l.X1, l.Y1, l.X2, l.Y2, static_cast<gdi::Rgb>(l.Color)});
  Printing::PrintEntities(Printing::Target(), InPreview(), texts, lines, CurrentLegend());
}

void PrintPageDrawing(vb::Proc& g, dxf::DrawingControl* cad, bool paintRaster) {
  if (!cad) {
    // Without a page drawing there is nothing of this page to print; the lists of the last page
    // must not be printed again.
    ClearEntityLists();
    PrintCADEntities();
    return;
  }
  cad->PlotMode = 0;
  cad->PlotScale = 1.0f;
  cad->PlotSetting13 = cad->PlotSetting12 = cad->PlotSetting11 = cad->PlotSetting10 = 0.0f;
  cad->PlotSetting2C = 2;
  cad->PlotSetting0F = false;
  // The raster only carries what the collection left in the drawing; with nothing left (or in
  // preview, where no raster is painted) there is nothing to render.
  bool rasterWhole = true;
  if (paintRaster && !InPreview() && cad->EntityList().Count() > 0 &&
      !entityLists().RasterEmpty) {
    g.step([&] {
      printer::PrintDevice& device = Printing::Printer();
      // The page's raster puts the page where the vectors print it: through the one mapping of
      // page inches onto the printer that the vectors take.
      const Printing::PageBox page = Printing::RasterBox(
          Printing::MappingFor(device.scaleWidth(), device.scaleHeight(), false));
      rasterWhole = Printing::PrintPlotPicture(
          *cad, device, Printing::RasterFactor2000(device.scaleWidth()), false,
          QRectF(page.x, page.y, page.width, page.height));
    });
  }
  g.step([&] { cad->SetVisible(false); });
  // What the page's bounds left out, of its vectors or of its raster, is reported once.
  if (entityLists().Cut || !rasterWhole) {
    g.step([] {
      vb::Raise(vb::err::Overflow,
                "The page is too big to print in full; part of it is left out");
    });
  }
  PrintCADEntities();
}

void LoadTemplateDrawing(vb::Proc& g, dxf::DrawingControl& cad, const std::string& templateFile) {
  if (!g.step([&] { cad.LoadDrawingFile(templateFile, kMaxTemplateBytes); })) cad.ClearDrawing();
}

void PrintDXF(const std::string& templateFile) {
  vb::Proc g(kModule, "PrintDXF");
  dxf::DrawingControl* cad = nullptr;
  g.step([&] { cad = &Control(kMeasuringView); });
  if (cad) {
    LoadTemplateDrawing(g, *cad, templateFile);
    g.step([] { UpdateCADText(); });
    g.step([] { GetCADEntities(kMeasuringView); });
  }
  PrintPageDrawing(g, cad, true);
}

}  // namespace CadFunctions
