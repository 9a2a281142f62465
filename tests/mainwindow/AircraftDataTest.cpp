// The availability queries against real databases: the interior variants of the drawing
// database and the WAT categories, with the aircraft number bound, never spliced into SQL.
#include "MainWindowFixture.h"
#include "mainwindow/AircraftData.h"

namespace {

using namespace mwtest;

class DatabaseData : public MainWindowTest {
 protected:
  MainForm::DatabaseAircraftData data;
  void SetUp() override {
    MainWindowTest::SetUp();
    testsupport::BuildFixtureDatabases(
        dir.path(),
        "INSERT INTO ACDPWAT (AcNum, CAT) VALUES (12, 'WAT B'), (12, 'WAT A'), (12, NULL);",
        "INSERT INTO DXF (AcNum, CabinSideUtil) VALUES (40, 'x');");
    DBase::vars().DBPath = (dir / "ac.mdb").string();
    DBase::vars().DxfDBPath = (dir / "dxf.mdb").string();
  }
};

TEST_F(DatabaseData, InteriorVariantsByAircraft) {
  struct Case {
    const char* acNum;
    bool ems, util;
  };
  for (Case c : {Case{"12", true, false}, Case{"7", false, false}, Case{"40", false, true},
                 Case{"999", false, false}}) {
    const auto found = data.InteriorVariants(c.acNum);
    EXPECT_EQ(found.ems, c.ems) << c.acNum;
    EXPECT_EQ(found.utility, c.util) << c.acNum;
  }
}

TEST_F(DatabaseData, WatCategoriesAsStored) {
  EXPECT_EQ(data.WatCategories("12"), (std::vector<std::string>{"WAT B", "WAT A", ""}));
  EXPECT_TRUE(data.WatCategories("7").empty());
}

TEST_F(DatabaseData, ANumberThatIsNotAllDigitsIsRefused) {
  for (const char* bad : {"7 OR 1=1", "-7", "7;", "", "12345678901"}) {
    try {
      data.WatCategories(bad);
      ADD_FAILURE() << bad;
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number, vb::err::TypeMismatch) << bad;
    }
  }
}

}  // namespace
