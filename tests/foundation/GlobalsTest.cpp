#include <gtest/gtest.h>

#include "foundation/General.h"
#include "foundation/Globals.h"
#include "platform/runtime/StateReset.h"

namespace {

class GlobalsLookups : public ::testing::Test {
 protected:
  void SetUp() override { vb::ResetProgramState(); }
  void TearDown() override { vb::ResetProgramState(); }
  void SetList(const std::vector<Globals::AircraftListEntry>& entries) {
    Globals::Vars& v = Globals::vars();
    v.AircraftList.assign(1, {});
    v.AircraftList.insert(v.AircraftList.end(), entries.begin(), entries.end());
    v.AircraftCount = static_cast<int16_t>(entries.size());
  }
};

TEST_F(GlobalsLookups, ANumberFindsItsFirstEntry) {
  SetList({{"Jets", "7", "Seven", "Maker B", -1},
           {"Pistons", "3", "Three", "", -1},
           {"Jets", "7", "Other", "Maker C", -1},  // the same number again: never found
           {"Helicopters", "12", "Twelve", "  Maker A", 0}});
  struct Case {
    const char* acNum;
    const char* name;
    const char* fullName;
    const char* category;
  };
  const Case cases[] = {
      {"7", "Seven", "Maker B Seven", "Jets"},
      {"3", "Three", "Three", "Pistons"},  // no maker: the name alone
      {"12", "Twelve", "Maker A Twelve", "Helicopters"},
      {"", "", "", ""},                    // the blank entry 0
      {"99", "N/A", "N/A", "N/A"},
      {"07", "N/A", "N/A", "N/A"},         // text, compared exactly
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Globals::AircraftName(c.acNum), c.name) << c.acNum;
    EXPECT_EQ(Globals::AircraftFullName(c.acNum), c.fullName) << c.acNum;
    EXPECT_EQ(Globals::AircraftCategory(c.acNum), c.category) << c.acNum;
  }
  struct Back {
    const char* fullName;
    const char* acNum;
  };
  const Back back[] = {
      {"Maker B Seven", "7"}, {"Three", "3"},   {"Maker A Twelve", "12"},
      {"Maker C Other", "0000"},  // entry 3's number gives entry 1's full name
      {"maker b seven", "0000"}, {"N/A", "0000"}, {"", "0000"},  // entry 0 is never compared
  };
  for (const Back& b : back) EXPECT_EQ(Globals::AircraftNumber(b.fullName), b.acNum) << b.fullName;
}

TEST_F(GlobalsLookups, AnEmptyListFindsOnlyTheBlankEntry) {
  EXPECT_EQ(Globals::vars().AircraftCount, 0);
  EXPECT_EQ(Globals::AircraftName("7"), "N/A");
  EXPECT_EQ(Globals::AircraftFullName("7"), "N/A");
  EXPECT_EQ(Globals::AircraftCategory("7"), "N/A");
  EXPECT_EQ(Globals::AircraftFullName(""), "");
  EXPECT_EQ(Globals::AircraftNumber("Maker B Seven"), "0000");
}

}  // namespace
