// The scale lookup against a SQLite aircraft database made at test time.
#include "ChartTestSupport.h"
#include "support/Fixtures.h"

namespace {

using charttest::ChartFixture;

constexpr const char* kSchema = R"sql(
CREATE TABLE VW_AircraftAll (AcNum INTEGER, GroupNum SMALLINT);
CREATE TABLE GraphQTZScale (
  GroupNumber VARCHAR(10) COLLATE NOCASE, QTZGraphName VARCHAR(100) COLLATE NOCASE,
  XMax DOUBLE, XScale DOUBLE, XLabel DOUBLE, YMax DOUBLE, YScale DOUBLE, YLabel DOUBLE);
INSERT INTO VW_AircraftAll VALUES (101, 3), (202, 5), (303, NULL), (5000000000, 3);
INSERT INTO GraphQTZScale VALUES
  ('3', 'Block Fuel', 3000, 250, 500, 40000, 5000, 10000),
  ('5', 'Block Fuel', 2000, 250, 500, 45000, 5000, 10000),
  ('3', 'Block Time', 3000, 250, 500, 360, 30, 60);
)sql";

class ChartScaleDb : public ChartFixture {
 protected:
  Chart::DatabaseScales scales;
  void SetUp() override {
    ChartFixture::SetUp();
    testsupport::BuildDatabase(dir / "ac.mdb", kSchema);
    DBase::vars().DBPath = (dir / "ac.mdb").string();
  }
};

TEST_F(ChartScaleDb, ReadsGroupsAndRowsWithBoundValues) {
  struct GroupCase {
    std::int64_t acNum;
    std::optional<double> group;
  };
  const GroupCase groups[] = {
      {101, 3}, {202, 5}, {303, std::nullopt}, {404, std::nullopt}, {5000000000, 3}};
  for (const GroupCase& k : groups) EXPECT_EQ(scales.GroupOf(k.acNum), k.group) << k.acNum;

  auto row = scales.ScaleFor("3", "block fuel");  // text compares without regard to case
  ASSERT_TRUE(row);
  EXPECT_EQ(row->XMax, 3000);
  EXPECT_EQ(row->YLabel, 10000);
  EXPECT_FALSE(scales.ScaleFor("3' OR '1'='1", "Block Fuel"));
  EXPECT_FALSE(scales.ScaleFor("5", "Block Time"));
}

TEST_F(ChartScaleDb, TheChartTakesItsScaleFromTheDatabase) {
  gdi::RecordingCanvas c(gdi::TargetKind::Picture, 400, 300);
  Chart::NewChart(c, 0, 0, 0, 100, 100, true);
  Chart::vars().ChartTitle = "Block Fuel";
  Registry::RegSettings().Aircraft1 = "101";
  Registry::RegSettings().Aircraft2 = "202";
  Chart::FindChartMinMax();
  EXPECT_EQ(Chart::vars().YMax, 45000);
  EXPECT_EQ(Chart::vars().XMax, 2000);
  EXPECT_TRUE(hooks.boxes.empty());
  EXPECT_EQ(errors(), 0);
}

TEST_F(ChartScaleDb, AMissingDatabaseIsReportedAndTheChartStillGetsRanges) {
  DBase::vars().DBPath = (dir / "missing.mdb").string();
  gdi::RecordingCanvas c(gdi::TargetKind::Picture, 400, 300);
  Chart::NewChart(c, 0, 0, 0, 100, 100, true);
  Chart::vars().ChartTitle = "Block Fuel";
  Registry::RegSettings().Aircraft1 = "101";
  Chart::FindChartMinMax();
  EXPECT_GE(errors(), 1);
  EXPECT_EQ(Chart::vars().XMax, 100);
  EXPECT_EQ(Chart::vars().YMax, 100);
}

}  // namespace
