#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "foundation/ChooseModel.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"

namespace {

using Strings = std::vector<std::string>;

const Strings kAll = {"Jets", "Pistons", "TurboProps", "Helicopters"};
const Strings kFixedWing = {"Jets", "Pistons", "TurboProps"};
const Strings kHelicopter = {"Helicopters"};

// The jets offered, in the order List1 shows them: by character codes, so "Zed" before "hawk";
// the two aircraft of the same full name in list order.
const Strings kJetNames = {"Belmar Zed",    "Belmar hawk",   "Corvane A-100",
                           "Corvane J-200", "Corvane J-200", "Solo"};
const Strings kJetNumbers = {"17", "13", "12", "11", "15", "16"};

class RecordingChooseHooks : public ChooseHooks {
 public:
  int lowered = 0, raised = 0;
  std::vector<std::pair<int, int>> labelCounts;
  std::vector<std::pair<int, bool>> tabsDrawn;
  void ToolbarFormLoad() override { ++lowered; }
  void ToolbarFormUnload() override { ++raised; }
  void SetChartLabelCount(int chart, int count) override { labelCounts.push_back({chart, count}); }
  void SetTabDrawn(int tab, bool drawn) override { tabsDrawn.push_back({tab, drawn}); }
};

// Records every change of the hourglass, not only the last.
class HourglassHooks : public ui::ScopedFakeHooks {
 public:
  std::vector<bool> changes;
  void SetHourglass(bool on) override {
    changes.push_back(on);
    ScopedFakeHooks::SetHourglass(on);
  }
};

class ChooseModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vb::ResetProgramState();
    InstallChooseHooks(&hooks);
    SetList({
        {"Jets", "11", "J-200", "Corvane", -1},
        {"Jets", "12", "A-100", "Corvane", -1},
        {"Jets", "13", "hawk", "Belmar", -1},
        {"Jets", "14", "Hidden", "Corvane", 0},  // not offered
        {"Jets", "15", "J-200", "Corvane", -1},  // the same full name as 11
        {"Jets", "16", "Solo", "", -1},          // no maker
        {"Jets", "17", "Zed", "Belmar", -1},
        {"Pistons", "21", "P1", "Dunmore", -1},
        {"Pistons", "22", "P2", "Dunmore", -1},
        {"TurboProps", "31", "T1", "Estrel", 0},  // a category with nothing offered
        {"Helicopters", "41", "H1", "Falk", -1},
        {"Helicopters", "42", "H2", "Falk", -1},
    });
  }
  void TearDown() override { vb::ResetProgramState(); }

  static void SetList(const std::vector<Globals::AircraftListEntry>& entries) {
    Globals::Vars& v = Globals::vars();
    v.AircraftList.assign(1, {});
    v.AircraftList.insert(v.AircraftList.end(), entries.begin(), entries.end());
    v.AircraftCount = static_cast<int16_t>(entries.size());
  }
  static Strings Texts(const std::vector<ChooseModel::Line>& lines) {
    Strings out;
    for (const auto& l : lines) out.push_back(l.Text);
    return out;
  }
  static Strings Numbers(const std::vector<ChooseModel::Line>& lines) {
    Strings out;
    for (const auto& l : lines) out.push_back(l.AcNum);
    return out;
  }
  // Picks the category by its text in the drop-down list, as the user does.
  static void Pick(ChooseModel& m, const std::string& category) {
    const Strings& items = m.state().CategoryItems;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i] == category) return m.PickCategory(static_cast<int>(i));
    FAIL() << category << " is not offered";
  }
  // Selects the List1 line of that number and adds it with the Add button.
  static void Add(ChooseModel& m, const std::string& acNum) {
    const auto& lines = m.state().List1;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].AcNum == acNum) {
        m.SelectList1(static_cast<int>(i));
        return m.cmdAdd_Click();
      }
    }
    FAIL() << acNum << " is not in List1";
  }
  static int16_t Class() { return Globals::vars().AircraftClass; }

  RecordingChooseHooks hooks;
  ui::ScopedFakeHooks uiHooks;
};

TEST_F(ChooseModelTest, LoadOffersTheCategoriesOfTheClassAndSelectsTheStoredOne) {
  struct Case {
    int16_t aircraftClass;
    const char* selected;
    Strings items;
    const char* text;  // "" = nothing selected, List1 empty
    Strings list1;
  };
  const Case cases[] = {
      {0, "Jets", kAll, "Jets", kJetNames},
      {0, "", kAll, "", {}},
      {0, "jets", kAll, "", {}},  // compared exactly
      {0, "Bogus", kAll, "", {}},
      {0, "TurboProps", kAll, "TurboProps", {}},  // every aircraft with QTZData 0
      {1, "Pistons", kFixedWing, "Pistons", {"Dunmore P1", "Dunmore P2"}},
      {1, "Helicopters", kFixedWing, "", {}},
      {2, "Helicopters", kHelicopter, "Helicopters", {"Falk H1", "Falk H2"}},
      {2, "Jets", kHelicopter, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.aircraftClass) + " " + c.selected);
    Globals::vars().AircraftClass = c.aircraftClass;
    Globals::vars().CategorySelected = c.selected;
    ChooseModel m;
    m.Form_Load();
    EXPECT_EQ(m.state().CategoryItems, c.items);
    EXPECT_EQ(m.state().CategoryText, c.text);
    EXPECT_EQ(Texts(m.state().List1), c.list1);
    EXPECT_EQ(m.state().List1Index, -1);
    EXPECT_EQ(Globals::vars().CategorySelected, c.selected);
    EXPECT_TRUE(m.state().List2.empty());
    EXPECT_TRUE(m.state().AddEnabled);
    EXPECT_FALSE(m.state().RemoveEnabled);  // nothing to remove
    EXPECT_EQ(Class(), c.aircraftClass);
    EXPECT_EQ(m.outcome(), ChooseModel::Outcome::Open);
  }
}

TEST_F(ChooseModelTest, LoadAndUnloadTellTheWindowsAround) {
  ChooseModel m;
  m.Form_Load();
  EXPECT_EQ(hooks.lowered, 1);
  EXPECT_EQ(hooks.raised, 0);
  std::vector<std::pair<int, int>> cleared;
  for (int chart = 1; chart <= 16; ++chart) cleared.push_back({chart, 0});
  EXPECT_EQ(hooks.labelCounts, cleared);
  EXPECT_TRUE(hooks.tabsDrawn.empty());
  m.Form_Unload();
  EXPECT_EQ(hooks.raised, 1);
}

TEST_F(ChooseModelTest, ACategoryListsItsOfferedAircraftSortedWithTheirNumbers) {
  HourglassHooks hourglass;
  ChooseModel m;
  m.Form_Load();
  Pick(m, "Jets");
  EXPECT_EQ(Texts(m.state().List1), kJetNames);
  EXPECT_EQ(Numbers(m.state().List1), kJetNumbers);
  EXPECT_EQ(Globals::vars().CategorySelected, "Jets");
  EXPECT_EQ(hourglass.changes, (std::vector<bool>{true, false}));

  Pick(m, "TurboProps");
  EXPECT_TRUE(m.state().List1.empty());
  EXPECT_EQ(Globals::vars().CategorySelected, "TurboProps");

  // Typing into the box refills nothing and is not remembered as the category.
  m.TypeCategory("Helicopters");
  EXPECT_TRUE(m.state().List1.empty());
  EXPECT_EQ(m.state().CategoryText, "Helicopters");
  EXPECT_EQ(Globals::vars().CategorySelected, "TurboProps");
  m.PickCategory(7);  // not an entry: nothing happens
  EXPECT_EQ(m.state().CategoryText, "Helicopters");
}

TEST_F(ChooseModelTest, AtMostTenThousandAircraftAreOffered) {
  std::vector<Globals::AircraftListEntry> many;
  for (int i = 0; i < 10001; ++i)
    many.push_back({"Pistons", std::to_string(1000 + i), "P" + std::to_string(100000 + i), "", -1});
  SetList(many);
  Globals::vars().CategorySelected = "Pistons";
  ChooseModel m;
  m.Form_Load();
  ASSERT_EQ(m.state().List1.size(), ChooseModel::kMaxOffered);
  EXPECT_EQ(m.state().List1.front().Text, "P100000");
  EXPECT_EQ(m.state().List1.back().Text, "P109999");
}

TEST_F(ChooseModelTest, APistonChoiceFixesTheFixedWingClassAndKeepsThePistonsListed) {
  Globals::vars().CategorySelected = "Pistons";
  ChooseModel m;
  m.Form_Load();
  Add(m, "21");
  const ChooseModel::State& s = m.state();
  EXPECT_EQ(Numbers(s.List2), Strings{"21"});
  EXPECT_EQ(Texts(s.List2), Strings{"Dunmore P1"});
  EXPECT_EQ(Texts(s.List1), Strings{"Dunmore P2"});  // not refilled with the jets
  EXPECT_EQ(s.List1Index, -1);
  EXPECT_EQ(s.CategoryItems, kFixedWing);
  EXPECT_EQ(s.CategoryText, "Jets");
  EXPECT_EQ(Globals::vars().CategorySelected, "Pistons");
  EXPECT_EQ(Class(), 1);
  EXPECT_TRUE(s.AddEnabled);
  EXPECT_TRUE(s.RemoveEnabled);
}

TEST_F(ChooseModelTest, AHelicopterChoiceOffersHelicoptersAlone) {
  Globals::vars().CategorySelected = "Helicopters";
  ChooseModel m;
  m.Form_Load();
  m.SelectList1(1);
  m.List1_DblClick();
  EXPECT_EQ(Numbers(m.state().List2), Strings{"42"});
  EXPECT_EQ(m.state().CategoryItems, kHelicopter);
  EXPECT_EQ(m.state().CategoryText, "Helicopters");
  EXPECT_EQ(Class(), 2);
}

TEST_F(ChooseModelTest, TheClassComesFromTheAircraftNotFromTypedText) {
  // The box can be typed over: "Jets" typed while helicopters are listed, then a helicopter
  // added. The class must still be helicopter, so that no jet can join it.
  ChooseModel m;
  m.Form_Load();
  Pick(m, "Helicopters");
  m.TypeCategory("Jets");
  EXPECT_EQ(Texts(m.state().List1), (Strings{"Falk H1", "Falk H2"}));
  Add(m, "41");
  EXPECT_EQ(Class(), 2);
  EXPECT_EQ(m.state().CategoryItems, kHelicopter);
  EXPECT_EQ(m.state().CategoryText, "Helicopters");

  // And the other way round: a jet with "Helicopters" typed in.
  ChooseModel n;
  Globals::vars().AircraftClass = 0;
  n.Form_Load();
  Pick(n, "Jets");
  n.TypeCategory("Helicopters");
  Add(n, "12");
  EXPECT_EQ(Class(), 1);
  EXPECT_EQ(n.state().CategoryItems, kFixedWing);
  EXPECT_EQ(n.state().CategoryText, "Jets");
}

TEST_F(ChooseModelTest, AThirdChoiceIsRefused) {
  Globals::vars().CategorySelected = "Jets";
  ChooseModel m;
  m.Form_Load();
  Add(m, "12");
  Add(m, "16");
  EXPECT_EQ(Numbers(m.state().List2), (Strings{"12", "16"}));
  EXPECT_FALSE(m.state().AddEnabled);
  const auto list1 = m.state().List1;

  // A double-click in List1 moves nothing; it only applies the class rule again.
  m.TypeCategory("Pistons");
  m.SelectList1(0);
  m.List1_DblClick();
  EXPECT_EQ(Numbers(m.state().List2), (Strings{"12", "16"}));
  EXPECT_EQ(m.state().List1, list1);
  EXPECT_FALSE(m.state().AddEnabled);
  EXPECT_EQ(m.state().CategoryText, "Jets");
  EXPECT_EQ(Class(), 1);

  // Remove with no line of List2 selected removes nothing and Add stays disabled.
  m.cmdRemove_Click();
  EXPECT_EQ(m.state().List2.size(), 2u);
  EXPECT_FALSE(m.state().AddEnabled);
  EXPECT_TRUE(m.state().RemoveEnabled);
}

TEST_F(ChooseModelTest, RemovingOneOfTwoKeepsTheClassAndDoesNotReturnTheAircraft) {
  Globals::vars().CategorySelected = "Pistons";
  ChooseModel m;
  m.Form_Load();
  Add(m, "21");
  Add(m, "22");
  EXPECT_TRUE(m.state().List1.empty());
  m.SelectList2(0);
  m.cmdRemove_Click();
  EXPECT_EQ(Numbers(m.state().List2), Strings{"22"});
  EXPECT_EQ(m.state().List2Index, -1);
  EXPECT_TRUE(m.state().List1.empty());  // it comes back only when Pistons is shown again
  EXPECT_TRUE(m.state().AddEnabled);
  EXPECT_TRUE(m.state().RemoveEnabled);
  EXPECT_EQ(Class(), 1);
  EXPECT_EQ(m.state().CategoryItems, kFixedWing);
  Pick(m, "Pistons");
  EXPECT_EQ(Numbers(m.state().List1), (Strings{"21", "22"}));  // chosen ones are not excluded
}

TEST_F(ChooseModelTest, RemovingTheLastChoiceOffersEveryCategoryAndShowsTheJets) {
  Globals::vars().CategorySelected = "Helicopters";
  ChooseModel m;
  m.Form_Load();
  Add(m, "41");
  ASSERT_EQ(Class(), 2);
  m.SelectList2(0);
  m.List2_DblClick();
  const ChooseModel::State& s = m.state();
  EXPECT_TRUE(s.List2.empty());
  EXPECT_FALSE(s.RemoveEnabled);
  EXPECT_TRUE(s.AddEnabled);
  EXPECT_EQ(Class(), 0);
  EXPECT_EQ(s.CategoryItems, kAll);
  EXPECT_EQ(s.CategoryText, "Jets");
  EXPECT_EQ(Texts(s.List1), kJetNames);
  EXPECT_EQ(Globals::vars().CategorySelected, "Jets");
}

TEST_F(ChooseModelTest, OKStoresTheChosenNumbersAsPlaneOneAndTwo) {
  struct Case {
    Strings add;  // jets added in order
    const char* aircraft1;
    const char* aircraft2;
  };
  const Case cases[] = {
      {{}, "", ""},
      {{"16"}, "16", ""},
      {{"16", "12"}, "16", "12"},
      {{"11", "15"}, "11", "15"},  // the same full name, two aircraft
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.aircraft1 + std::string("/") + c.aircraft2);
    Registry::RegSettings().Aircraft1 = "";
    Registry::RegSettings().Aircraft2 = "";
    Globals::vars().AircraftClass = 0;
    Globals::vars().CategorySelected = "Jets";
    hooks.tabsDrawn.clear();
    ChooseModel m;
    m.Form_Load();
    for (const std::string& acNum : c.add) Add(m, acNum);
    m.cmdOK_Click();
    EXPECT_EQ(Registry::RegSettings().Aircraft1, c.aircraft1);
    EXPECT_EQ(Registry::RegSettings().Aircraft2, c.aircraft2);
    EXPECT_EQ(hooks.tabsDrawn,
              (std::vector<std::pair<int, bool>>{{2, false}, {3, false}, {4, false}, {5, false}}));
    EXPECT_EQ(m.outcome(), ChooseModel::Outcome::OK);
    EXPECT_EQ(Class(), c.add.empty() ? 0 : 1);  // as the choosing left it
    // The close box after OK changes nothing.
    m.Form_QueryUnload();
    EXPECT_EQ(Registry::RegSettings().Aircraft1, c.aircraft1);
    EXPECT_EQ(Class(), c.add.empty() ? 0 : 1);
  }
}

TEST_F(ChooseModelTest, TheSecondOfTwoSameNamedAircraftStaysItself) {
  Globals::vars().CategorySelected = "Jets";
  ChooseModel m;
  m.Form_Load();
  Add(m, "15");
  EXPECT_EQ(Texts(m.state().List2), Strings{"Corvane J-200"});
  m.cmdOK_Click();
  EXPECT_EQ(Registry::RegSettings().Aircraft1, "15");
}

TEST_F(ChooseModelTest, TheSameAircraftMayBeBothPlanes) {
  Globals::vars().CategorySelected = "Jets";
  ChooseModel m;
  m.Form_Load();
  Add(m, "12");
  Pick(m, "Jets");  // the box's list now holds the fixed-wing categories
  Add(m, "12");
  m.cmdOK_Click();
  EXPECT_EQ(Registry::RegSettings().Aircraft1, "12");
  EXPECT_EQ(Registry::RegSettings().Aircraft2, "12");
}

TEST_F(ChooseModelTest, StoredAircraftAreListedAndAGoneNumberBecomes0000) {
  struct Case {
    const char* stored1;
    const char* stored2;
    Strings texts;
    bool addEnabled;
    const char* aircraft1;
    const char* aircraft2;
  };
  const Case cases[] = {
      {"41", "42", {"Falk H1", "Falk H2"}, false, "41", "42"},
      {"99", "41", {"N/A", "Falk H1"}, false, "0000", "41"},
      {"12", "", {"Corvane A-100"}, true, "12", ""},
      {"", "12", {"Corvane A-100"}, true, "12", ""},   // the only line is Plane 1 at OK
      {"14", "", {"Corvane Hidden"}, true, "14", ""},  // not offered, but still in the list
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored1 + std::string("/") + c.stored2);
    Registry::RegSettings().Aircraft1 = c.stored1;
    Registry::RegSettings().Aircraft2 = c.stored2;
    ChooseModel m;
    m.Form_Load();
    EXPECT_EQ(Texts(m.state().List2), c.texts);
    EXPECT_EQ(m.state().AddEnabled, c.addEnabled);
    EXPECT_TRUE(m.state().RemoveEnabled);
    m.cmdOK_Click();
    EXPECT_EQ(Registry::RegSettings().Aircraft1, c.aircraft1);
    EXPECT_EQ(Registry::RegSettings().Aircraft2, c.aircraft2);
  }
}

TEST_F(ChooseModelTest, AGoneAircraftLeavesTheClassToTheBoxText) {
  // The chosen line's aircraft is no longer in the list: the box's text decides the class.
  Registry::RegSettings().Aircraft1 = "99";
  Globals::vars().CategorySelected = "Helicopters";
  ChooseModel m;
  m.Form_Load();
  m.List1_DblClick();  // nothing selected: nothing moves
  EXPECT_EQ(Class(), 2);
  EXPECT_EQ(m.state().CategoryItems, kHelicopter);
}

TEST_F(ChooseModelTest, CancelAndTheCloseBoxRestoreTheClassFromPlaneOne) {
  struct Case {
    const char* stored1;
    int16_t aircraftClass;
  };
  const Case cases[] = {{"", 0}, {"12", 1}, {"41", 2}, {"99", 1}};
  for (bool closeBox : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.stored1) + (closeBox ? " close box" : " Cancel"));
      Registry::RegSettings().Aircraft1 = c.stored1;
      Registry::RegSettings().Aircraft2 = "42";
      Globals::vars().AircraftClass = c.aircraftClass;
      Globals::vars().CategorySelected = "Pistons";
      ChooseModel m;
      m.Form_Load();
      // Change the choice: remove everything, so the class is 0, then add a piston (class 1).
      while (!m.state().List2.empty()) {
        m.SelectList2(0);
        m.cmdRemove_Click();
      }
      ASSERT_EQ(Class(), 0);
      Pick(m, "Pistons");
      Add(m, "22");
      ASSERT_EQ(Class(), 1);
      if (closeBox) {
        m.Form_QueryUnload();
      } else {
        m.cmdCancel_Click();
        m.Form_QueryUnload();  // the dialog closing after Cancel does it once only
      }
      EXPECT_EQ(m.outcome(), ChooseModel::Outcome::Cancel);
      EXPECT_EQ(Class(), c.aircraftClass);
      EXPECT_EQ(Registry::RegSettings().Aircraft1, c.stored1);
      EXPECT_EQ(Registry::RegSettings().Aircraft2, "42");
      EXPECT_TRUE(hooks.tabsDrawn.empty());
    }
  }
}

TEST_F(ChooseModelTest, WithNoAircraftLoadedEveryCategoryIsEmpty) {
  Globals::vars().AircraftList.assign(1, {});
  Globals::vars().AircraftCount = 0;
  Registry::RegSettings().Aircraft1 = "12";
  ChooseModel m;
  m.Form_Load();
  EXPECT_EQ(Texts(m.state().List2), Strings{"N/A"});
  for (const std::string& category : kAll) {
    m.TypeCategory(category);
    m.cmbCategory_Click();
    EXPECT_TRUE(m.state().List1.empty()) << category;
  }
  m.cmdOK_Click();
  EXPECT_EQ(Registry::RegSettings().Aircraft1, "0000");
}

TEST(ChooseGlobals, ResetClearsTheClassAndTheCategory) {
  Globals::vars().AircraftClass = 2;
  Globals::vars().CategorySelected = "Helicopters";
  Globals::resetForTest();
  EXPECT_EQ(Globals::vars().AircraftClass, 0);
  EXPECT_EQ(Globals::vars().CategorySelected, "");
}

}  // namespace
