// Charts drawn onto a drawing control: every builder's chart becomes drawing entities on layer
// "0", which the control's DXF writer saves and its reader reads back whole; the control's
// aspect stretches only the charts drawn on it.
#include <map>

#include "BuilderTestSupport.h"
#include "drawings/CADGraph.h"
#include "platform/dxfcontrol/DrawingControl.h"

namespace {

using charttest::BuilderFixture;
using charttest::Op;

class ChartOnDrawing : public BuilderFixture {};

// Entity counts by type. DXF R12 has no ELLIPSE: the writer saves one as a closed POLYLINE.
std::map<std::string, long> Counts(const dxf::DrawingControl& c, bool ellipseAsPolyline) {
  std::map<std::string, long> out;
  for (const dxf::Entity& e : c.EntityList()) {
    const std::string type =
        ellipseAsPolyline && e.EntityType == "ELLIPSE" ? std::string("POLYLINE") : e.EntityType.str();
    ++out[type];
  }
  return out;
}

TEST_F(ChartOnDrawing, EveryChartSavedAsDxfReadsBackWithTheSameEntities) {
  // Each chart for both kinds of pair, first on a recording printer page for comparison: the
  // drawing gets texts where the page does and at least a LINE for each line (a rectangle is
  // four), and meets the same errors (the test database leaves some charts without a scale).
  long allEntities = 0;
  for (int pair = 1; pair <= 2; ++pair) {
    for (int chart = 1; chart <= 16; ++chart) {
      SCOPED_TRACE("pair class " + std::to_string(pair) + ", chart " + std::to_string(chart));
      if (pair == 2) {
        HelicopterPair();
      } else {
        FixedWingPair();
      }
      gdi::RecordingCanvas page(gdi::TargetKind::Printer, 1200, 900);
      const long errorsBefore = errors();
      ChartBuilders::BuildChart(chart, page, true);
      const long pageErrors = errors() - errorsBefore;
      dxf::DrawingControl cad;
      CADGraph::DrawingCanvas canvas(cad);
      ChartBuilders::BuildChart(chart, canvas, true);
      EXPECT_EQ(errors() - errorsBefore - pageErrors, pageErrors);
      EXPECT_TRUE(Graph::vars().GraphToCAD);
      std::map<std::string, long> drawn = Counts(cad, true);
      EXPECT_GE(drawn["LINE"], static_cast<long>(page.only(Op::Line).size()));
      // Texts measure differently on the drawing, so more or fewer tick labels may fit.
      EXPECT_EQ(drawn["TEXT"] > 0, !page.only(Op::Text).empty());
      std::erase_if(drawn, [](const auto& kv) { return kv.second == 0; });
      for (const dxf::Entity& e : cad.EntityList()) {
        ASSERT_EQ(e.LayerName, "0") << e.EntityType;
        if (e.EntityType == "TEXT") {
          ASSERT_GT(e.g40, 0) << e.Text;  // the chart's fonts give the text sizes
        }
      }
      allEntities += cad.EntityList().Count();
      const std::string file =
          (dir / ("chart" + std::to_string(pair) + "-" + std::to_string(chart) + ".dxf")).string();
      cad.SaveDxf(file);
      dxf::DrawingControl back;
      back.LoadDrawingFile(file);
      EXPECT_EQ(Counts(back, false), drawn);
    }
  }
  EXPECT_GT(allEntities, 1500);
}

TEST_F(ChartOnDrawing, TheControlsAspectStretchesOnlyTheChartsDrawnOnIt) {
  FixedWingPair();
  dxf::DrawingControl cad;
  cad.SetSize(900, 450);
  CADGraph::DrawingCanvas canvas(cad);
  ChartBuilders::BuildChart(1, canvas, true);
  EXPECT_DOUBLE_EQ(Chart::vars().ChartWidth, 200);
  EXPECT_DOUBLE_EQ(CADGraph::CADAspect(), 2);
  // The aspect stays recorded, but a chart on a picture or the printer keeps its own width.
  for (gdi::TargetKind kind : {gdi::TargetKind::Picture, gdi::TargetKind::Printer}) {
    gdi::RecordingCanvas picture(kind, 640, 480);
    ChartBuilders::BuildChart(1, picture, true);
    EXPECT_DOUBLE_EQ(Chart::vars().ChartWidth, 100);
    EXPECT_FALSE(Graph::vars().GraphToCAD);
  }
}

}  // namespace
