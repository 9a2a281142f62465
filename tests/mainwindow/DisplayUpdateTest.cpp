// The display update: what each aircraft class offers, which interiors and WAT charts exist,
// the unit captions and the data labels of both planes.
#include "Fakes.h"
#include "MainWindowFixture.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/DisplayUpdate.h"

namespace {

namespace ctl = MainForm::ctl;

using namespace mwtest;
using MainForm::vars;

class DisplayUpdate : public MainWindowTest {
 protected:
  FakeMainView view;
  FakeAircraftData data;

  void SetUp() override {
    MainWindowTest::SetUp();
    General::vars().ErrorHandlingOn = 1;
    AddAircraft("7", "Jets", "Seven", "Alder");
    AddAircraft("8", "Jets", "Eight", "Vantreux");
    AddAircraft("12", "Helicopters", "Twelve", "Rotor");
    AddAircraft("13", "Helicopters", "Thirteen", "Rotor");
  }
  void Pair(const std::string& a1, const std::string& a2, int16_t cls) {
    Registry::RegSettings().Aircraft1 = a1;
    Registry::RegSettings().Aircraft2 = a2;
    Globals::vars().AircraftClass = cls;
  }
};

TEST_F(DisplayUpdate, ClassDecidesPrintItemsTabsAndPanel) {
  struct Case {
    int16_t cls;
    bool heli;
  };
  for (Case c : {Case{0, false}, Case{1, false}, Case{2, true}}) {
    SCOPED_TRACE(c.cls);
    FakeMainView v;
    Pair("", "", c.cls);
    MainForm::UpdateDisplay(v, data);
    EXPECT_EQ(v.menuVisible[ctl::mnuFilePrintBalancedFieldLength], !c.heli);
    EXPECT_TRUE(v.menuVisible[ctl::mnuFilePrintTakeoffLanding]);
    EXPECT_EQ(v.menuVisible[ctl::mnuFilePrintFlightEnvelope], !c.heli);
    EXPECT_TRUE(v.menuVisible[ctl::mnuFilePrintPayloadRange]);
    for (const char* item :
         {ctl::mnuFilePrintServiceCeiling, ctl::mnuFilePrintHVCruiseSpeed, ctl::mnuFilePrintWAT})
      EXPECT_EQ(v.menuVisible[item], c.heli) << item;
    const std::map<int, bool> heliTabs = {{7, false}, {8, true},  {9, false}, {10, true},
                                          {11, true}, {12, true}, {13, true}};
    for (auto [tab, heliOn] : heliTabs) EXPECT_EQ(v.tabVisible[tab], c.heli ? heliOn : tab <= 10);
    EXPECT_EQ(v.tabVisible.count(6), 0u) << "tabs 0 to 6 are never changed";
    EXPECT_EQ(v.panelVisible[0], c.heli);
    EXPECT_EQ(v.panelVisible[1], !c.heli);
    EXPECT_EQ(vars().InteriorConfig, 1);
    if (!c.heli) {
      EXPECT_FALSE(v.optionVisible[ctl::optCorp]);
      EXPECT_FALSE(v.optionVisible[ctl::optEMS]);
      EXPECT_FALSE(v.optionVisible[ctl::optUtil]);
    }
    EXPECT_EQ(v.calls.back(), "ShowTabNo");
  }
}

TEST_F(DisplayUpdate, HelicopterInteriorsAndWatChartsOfEitherPlane) {
  using I = MainForm::AircraftData::Interiors;
  using W = std::vector<std::string>;
  struct Case {
    const char* name;
    I in1, in2;
    W wat1, wat2;
    bool ems, util, watA, watB;
    int chart;
  };
  const Case cases[] = {
      {"nothing", {}, {}, {}, {}, false, false, false, false, 2},
      {"EMS only on Plane 2", {}, {true, false}, {}, {}, true, false, false, false, 2},
      {"utility on Plane 1", {false, true}, {}, {}, {}, false, true, false, false, 2},
      {"WAT A only", {}, {}, {"WAT A", "WAT A"}, {}, false, false, true, false, 1},
      {"WAT A on one, B on the other", {}, {}, {"WAT A"}, {"WAT B"}, false, false, true, true, 2},
      {"WAT B only", {}, {}, {}, {"WAT B"}, false, false, false, true, 2},
      {"letter case does not count",
       {},
       {},
       {"wat a", "WAT A "},
       {},
       false,
       false,
       false,
       false,
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMainView v;
    FakeAircraftData d;
    d.interiors = {{"12", c.in1}, {"13", c.in2}};
    d.wat = {{"12", c.wat1}, {"13", c.wat2}};
    Pair("12", "13", 2);
    MainForm::UpdateDisplay(v, d);
    EXPECT_EQ(vars().EMSInteriorAvailable, c.ems);
    EXPECT_EQ(vars().UtilityInteriorAvailable, c.util);
    EXPECT_EQ(vars().WATAAvailable, c.watA);
    EXPECT_EQ(vars().WATBAvailable, c.watB);
    EXPECT_EQ(Globals::vars().WATChart, c.chart);
    EXPECT_EQ(v.optionValue[c.chart == 1 ? ctl::optWATA : ctl::optWATB], true);
    EXPECT_TRUE(v.optionValue[ctl::optCorp]);
  }
}

TEST_F(DisplayUpdate, OnePlaneQueriesOnceAndClearsTheOther) {
  Pair("12", "", 2);
  view.Caption(Arr::gen0Data2, 3) = "old";
  view.Caption(Arr::lblData2, 37) = "-";
  MainForm::UpdateDisplay(view, data);
  EXPECT_EQ(std::count(data.queries.begin(), data.queries.end(), "dxf 12"), 1);
  EXPECT_EQ(std::count(data.queries.begin(), data.queries.end(), "wat 12"), 1);
  EXPECT_EQ(std::count(data.queries.begin(), data.queries.end(), "open 12"), 1);
  EXPECT_EQ(data.queries.size(), 4u);  // dxf, wat, open, close
  EXPECT_EQ(view.frameCaption[1], "Rotor Twelve");
  EXPECT_EQ(view.frameCaption[2], "");
  for (Arr a : {Arr::lblData2, Arr::gen0Data2, Arr::gen1Data2})
    for (const auto* l : LabelCatalogue::Members(a)) EXPECT_EQ(view.Caption(a, l->index), "");
  // Direct print items while the pair is not complete.
  EXPECT_TRUE(view.menuVisible[ctl::mnuFilePrintAll]);
  EXPECT_FALSE(view.menuVisible[ctl::mnuFilePrintAllChoose]);
}

TEST_F(DisplayUpdate, DataLabelsShowTheirSpecsAndNeverKeepAStaleValue) {
  data.values["7"] = {{"ModelNum", "S-7"}, {"WtMTOGW{Lb}", "12,500"}};
  data.values["8"] = {{"ModelNum", ""}};  // a lookup that finds nothing
  Pair("7", "8", 1);
  MainForm::UpdateDisplay(view, data);
  EXPECT_EQ(view.Caption(Arr::lblData1, 1), "S-7");
  EXPECT_EQ(view.Caption(Arr::gen1Data1, 1), "12,500");
  EXPECT_EQ(view.Caption(Arr::gen1Data2, 1), "v:8:WtMTOGW{Lb}");
  // Plane-specific seat specs of the helicopter panel; the hidden panel is filled too.
  EXPECT_EQ(view.Caption(Arr::gen0Data1, 31), "v:7:PilotSeats=1>CorpSeats\\|PassSeats=1>CorpSeats");
  EXPECT_EQ(view.Caption(Arr::gen0Data2, 31), "v:8:PilotSeats=2>CorpSeats\\|PassSeats=2>CorpSeats");
  EXPECT_EQ(view.Caption(Arr::lblData2, 1), "");
  // Swatches and separators keep their captions.
  EXPECT_EQ(view.Caption(Arr::lblData1, 37), "-");
  EXPECT_EQ(view.Caption(Arr::lblData1, 38), "");
  EXPECT_FALSE(view.menuVisible[ctl::mnuFilePrintAll]);
  EXPECT_TRUE(view.menuVisible[ctl::mnuFilePrintAllChoose]);
  EXPECT_TRUE(view.menuVisible[ctl::mnuFilePrintExteriorChoose]);
  EXPECT_TRUE(view.menuVisible[ctl::mnuFilePrintInteriorChoose]);

  // Plane 1 becomes an aircraft whose model number is empty: "S-7" must not stay.
  data.values["8"]["ModelNum"] = "";
  Pair("8", "7", 1);
  MainForm::UpdateDisplay(view, data);
  EXPECT_EQ(view.Caption(Arr::lblData1, 1), "");
  EXPECT_EQ(view.Caption(Arr::lblData2, 1), "S-7");
}

TEST_F(DisplayUpdate, AFailedOpenEmptiesThePlanesLabelsAndTheUpdateGoesOn) {
  data.failOpen = {"7"};
  view.Caption(Arr::gen1Data1, 1) = "stale";
  Pair("7", "8", 1);
  MainForm::UpdateDisplay(view, data);
  EXPECT_EQ(view.Caption(Arr::gen1Data1, 1), "");
  EXPECT_EQ(view.Caption(Arr::gen1Data2, 1), "v:8:WtMTOGW{Lb}");
  EXPECT_EQ(view.calls.back(), "ShowTabNo");
  // The one failure, reported once.
  const std::string log = testsupport::ReadText(dir / "ERROR.LOG");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
}

TEST_F(DisplayUpdate, NoAircraftEmptiesEverything) {
  Pair("", "", 0);
  vars().EMSInteriorAvailable = vars().WATAAvailable = true;
  MainForm::UpdateDisplay(view, data);
  EXPECT_TRUE(data.queries.empty());
  EXPECT_FALSE(vars().EMSInteriorAvailable);
  EXPECT_FALSE(vars().WATAAvailable);
  EXPECT_EQ(view.Caption(Arr::lblData1, 12), "");
  // Cleared planes leave the separators empty too.
  EXPECT_EQ(view.Caption(Arr::lblData1, 37), "");
  EXPECT_TRUE(view.menuVisible[ctl::mnuFilePrintInterior]);
}

TEST_F(DisplayUpdate, UnitCaptionsFollowTheUnitSetting) {
  const std::string lbs = General::MetricString("Lbs");
  const std::string ft = General::MetricString("Ft");
  ASSERT_NE(lbs, "Lbs");
  Pair("", "", 1);
  DBase::vars().MetricUnits = true;
  MainForm::UpdateDisplay(view, data);
  EXPECT_EQ(view.Caption(Arr::gen1Units, 0), std::string(15 - lbs.size(), '_') + lbs);
  EXPECT_EQ(view.Caption(Arr::gen1Units, 59), "Aircraft Footprint Sq " + ft + ":");
  EXPECT_EQ(view.Caption(Arr::gen1Units, 43), "_____________NM") << "fixed units stay";
  EXPECT_EQ(view.Caption(Arr::gen0Units, 41), "____________NM");
  DBase::vars().MetricUnits = false;
  MainForm::UpdateDisplay(view, data);
  EXPECT_EQ(view.Caption(Arr::gen1Units, 0), "____________Lbs");
  EXPECT_EQ(view.Caption(Arr::gen1Units, 34), "___________CuFt");
  EXPECT_EQ(view.Caption(Arr::gen1Units, 59), "Aircraft Footprint Sq Ft:");
}

TEST(UnitCaption, Rules) {
  struct Case {
    const char* tag;
    bool padded, metric;
    std::string want;
  };
  const std::string m = General::MetricString("Cu Ft");
  const Case cases[] = {
      {"Lbs", true, false, "____________Lbs"},
      {"ABCDEFGHIJKLMNOPQ", true, false, "ABCDEFGHIJKLMNOPQ"},
      {"Cabin Volume <Cu Ft>:", false, false, "Cabin Volume Cu Ft:"},
      {"Cabin Volume <Cu Ft>:", false, true, "Cabin Volume " + m + ":"},
      {"<Cu Ft> and <Cu Ft>", false, true, m + " and " + m},
      {"No unit:", false, true, "No unit:"},
      {"Odd >unit<", false, true, "Odd unit"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MainForm::UnitCaption(c.tag, c.padded, c.metric), c.want) << c.tag;
}

TEST_F(DisplayUpdate, AnUpdateAskedForDuringAnUpdateRunsAfterIt) {
  Pair("7", "8", 1);
  int nested = 0;
  struct ReentrantView : FakeMainView {
    std::function<void()> onDelay;
    void Delay(float) override {
      if (onDelay) onDelay();
    }
  } v;
  v.onDelay = [&] {
    if (nested++ == 0) MainForm::UpdateDisplay(v, data);
  };
  MainForm::UpdateDisplay(v, data);
  // Two whole updates, one after the other: open/close pairs never interleave.
  std::vector<std::string> expected = {"open 7", "close", "open 8", "close",
                                       "open 7", "close", "open 8", "close"};
  EXPECT_EQ(data.queries, expected);
}

}  // namespace
