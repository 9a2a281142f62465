// One reference chart, primitive by primitive, on a 400 x 300 picture: the order of the
// pipeline, the rounding, the pens and fonts it selects and gives back.
#include "ChartTestSupport.h"

namespace {

using charttest::ChartFixture;
using gdi::RecordingCanvas;
using gdi::TargetKind;

class Golden : public ChartFixture {};

TEST_F(Golden, ReferenceChart) {
  Chart::Vars& v = Chart::vars();
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  v.CurrentChartNumber = 4;
  v.ChartLabelsLoaded[4] = true;
  Chart::NewChart(c, 0, 0, 0, 100, 100, true);
  v.ChartTitle = "T";
  v.XAxisTitle = "X";
  v.YAxisTitle = "Y";
  v.ChartLegendMode = 1;
  v.XMax = 10;
  v.XStep = 5;
  v.XLabelEvery = 1;
  v.YMax = 10;
  v.YStep = 5;
  v.YLabelEvery = 2;
  Chart::NewSeries(0x0000FF, 0, 0, "P1", 0);
  Chart::AddPoint(0, 0.0);
  Chart::AddPoint(5, 10.0);
  Chart::AddPoint(10, 5.0);
  Chart::DrawChart();
  const std::vector<std::string> expected = {
#include "golden/ReferenceChart.inc"
  };
  EXPECT_EQ(c.lines(), expected);
}

}  // namespace
