// Field specs evaluated against the fixture record of aircraft 7, with the metric view on and
// off and both diagnostic flags.
#include <gtest/gtest.h>

#include "DBaseFixture.h"
#include "foundation/Registry.h"
#include "platform/runtime/Format.h"

namespace {

using dbasetest::DBaseFixture;

class DBaseFields : public DBaseFixture {
 protected:
  void SetUp() override {
    DBaseFixture::SetUp();
    BuildDatabases(
        "UPDATE Aircraft SET PrssrDiff = 8.6, Ttica = 0.5, WtMaxLand = 0 "
        "WHERE AcNum = 7;");
    Registry::RegSettings().Aircraft1 = "7";
    Registry::RegSettings().Aircraft2 = "12";
    DBase::OpenDatabase("7");
  }
  void TearDown() override {
    DBase::CloseDatabase();
    DBaseFixture::TearDown();
  }
};

struct Case {
  const char* spec;
  bool metric, showBlank, showMissing;
  const char* expected;
};

TEST_F(DBaseFields, DisplayTextOfEachKindOfSpec) {
  const Case cases[] = {
      // Empty specs and the colour swatches.
      {"", false, false, false, ""},
      {"Color", false, false, false, ""},
      // Plain columns, formatted by their type.
      {"AcName", false, false, false, "Seven"},
      {"WtMTOGW{Lb}", false, false, false, "12,500.0"},
      {"WtMTOGW{Lb}", true, false, false, "5,669.9"},
      {"WtBow", false, false, false, "-"},        // 0 in an integer column
      {"WtMaxLand", false, false, false, "0.0"},  // 0 in a double column
      {"YrTypeCert", false, false, false, "06/15/98"},
      {"ListPrice", false, false, false, "$4,250,000.50"},
      {"EqpAPU", false, false, false, "No"},
      {"Ica{Ft}[1]", false, false, false, "41,000"},
      {"Ica{Ft}[1]", true, false, false, "12,497"},
      // Null and missing columns, plain and with the diagnostics.
      {"WtUsableFuel", false, false, false, " "},
      {"WtUsableFuel", false, true, false, "[WtUsableFuel]"},
      {"WtMTOGX", false, false, false, "-"},
      {"WtMTOGX", false, false, true, "?WtMTOGX"},
      {"WtMTOGX{Lb}", true, false, false, "-"},  // no false zero in metric
      // Operators, left to right; the type of the last plain column formats.
      {"WtMTOGW\\-WtBow{Lb}", false, false, false, "12,500"},
      {"WtMTOGW\\-WtBow{Lb}", true, false, false, "5,670"},  // converted before grouping
      {"WtMTOGW\\-Ica\\-VNE", false, false, false, "-28,850"},
      {"WtMTOGW\\/WtBow", false, false, false, "12,500"},  // division by zero: left stays
      {"BagVolInt\\+BagVolExt{CuFt}", false, false, false, "45.6"},
      {"BagVolInt\\+BagVolExt{CuFt}", true, false, false, "1.3"},
      {"BagVolExt\\%BagVolExt;#0%", false, false, false, "50%"},
      {"DoorHeight\\xDoorWidth{Ft}", false, false, false, "4.5 x 2.5"},
      {"DoorHeight\\xDoorWidth{Ft}", true, false, false, "1.4 x .8"},
      {"DoorHeight\\*DoorWidth", false, false, false, "11.3"},
      {"InProd\\zProdYr", false, false, false, "Yes 1998"},
      {"AcName\\nModelNum", false, false, false, "Seven\r\nS-7"},
      {"AcName\\,WtUsableFuel", false, false, false, "Seven"},
      {"AcName\\ WtUsableFuel", false, false, false, "Seven  "},
      {"AcName\\|WtUsableFuel", false, false, false, "Seven"},
      {"AcName\\|ModelNum", false, false, false, "Seven/S-7"},
      {"AcName\\, ", false, false, false, "Seven, -"},  // an empty term reads "-"
      // Explicit formats, with and without a unit.
      {"PrssrDiff;#,###.00{PSI}", false, false, false, "8.60"},
      {"PrssrDiff;#,###.00{PSI}", true, false, false, ".60"},
      {"Ttica;#,###.0", false, false, false, ".5"},
      // Lookups: a table lookup by the record's own column, and the seat lookups of the planes.
      {"AcMfgNum2=AcMfgNum>AcMfg.AcMfgName", false, false, false, "Maker A"},
      {"AcMfgNum2=AcMfgNum>AcMfg.City\\,AcMfgNum2=AcMfgNum>AcMfg.State", false, false, false,
       "Wichita, KS"},
      {"WtUsableFuel=AcMfgNum>AcMfg.City", false, true, false, "[City]"},
      {"Nothing=AcMfgNum>AcMfg.City", false, false, true, "?City"},
      // A first value that is empty text (no address on file) gives way to the next.
      {"AcMfgNum=AcMfgNum>AcMfg.Address_1\\,AcName", false, false, false, "Seven"},
      {"PilotSeats=1>CorpSeats\\|PassSeats=1>CorpSeats", false, false, false, "2/8"},
      {"PilotSeats=2>UtilSeats\\|PassSeats=2>UtilSeats", false, false, false, "1/12"},
  };
  for (const Case& c : cases) {
    DBase::vars().MetricUnits = c.metric;
    DBase::vars().ShowBlankFields = c.showBlank;
    DBase::vars().ShowMissingFields = c.showMissing;
    EXPECT_EQ(DBase::DisplayDataValue(c.spec), c.expected)
        << c.spec << (c.metric ? " metric" : "") << (c.showBlank ? " blank" : "")
        << (c.showMissing ? " missing" : "");
  }
  EXPECT_EQ(General::vars().ErrorCount, 0);
}

TEST_F(DBaseFields, DatabaseValueGivesRawTextAndTheLastType) {
  EXPECT_TRUE(DBase::DatabaseValue("").isEmpty());
  EXPECT_TRUE(DBase::DatabaseValue("Color").isEmpty());
  EXPECT_EQ(DBase::DatabaseValue("WtMTOGW\\-WtBow").toString(), "12500");
  EXPECT_EQ(DBase::vars().LastFieldType.toLong(), adodb::adInteger);
  // A Null last column leaves the type of the one before it.
  EXPECT_EQ(DBase::DatabaseValue("BagVolInt\\ WtUsableFuel").toString(), "0.1  ");
  EXPECT_EQ(DBase::vars().LastFieldType.toLong(), adodb::adSingle);
  // Only lookups: no type, so no format.
  EXPECT_EQ(DBase::DatabaseValue("AcMfgNum2=AcMfgNum>AcMfg.AcMfgName").toString(), "Maker A");
  EXPECT_TRUE(DBase::vars().LastFieldType.isEmpty());
  EXPECT_EQ(DBase::DisplayDataValue("AcMfgNum2=AcMfgNum>AcMfg.Zipcode"), "67209");
}

TEST_F(DBaseFields, ProductionYearZeroShowsTheYesNoAlone) {
  DBase::CloseDatabase();
  BuildDatabases("UPDATE Aircraft SET ProdYr = 0 WHERE AcNum = 7;");
  DBase::OpenDatabase("7");
  EXPECT_EQ(DBase::DisplayDataValue("InProd\\zProdYr"), "Yes");
}

TEST_F(DBaseFields, AnAircraftWithoutACorporateRecordShowsBlanks) {
  DBase::CloseDatabase();
  DBase::OpenDatabase("5");
  EXPECT_EQ(DBase::DisplayDataValue("AcName"), " ");
  EXPECT_EQ(DBase::DisplayDataValue("WtMTOGW{Lb}"), " ");
  DBase::vars().ShowBlankFields = true;
  EXPECT_EQ(DBase::DisplayDataValue("AcName"), "[AcName]");
  DBase::CloseDatabase();
  // No open record at all reads the same way.
  DBase::vars().ShowBlankFields = false;
  EXPECT_EQ(DBase::DisplayDataValue("AcName"), " ");
}

// Under a locale that writes "," for the decimal point and "." between thousands (German), the
// arithmetic and the metric conversion read "." inside, and every figure shown takes the
// locale's characters: formatted ones grouped, figures within a text with its decimal comma.
// The text of text columns is shown as stored.
TEST_F(DBaseFields, FiguresShowTheLocalesSeparatorsWhileValuesStayInPointFormInside) {
  DBase::CloseDatabase();
  BuildDatabases(
      "UPDATE Aircraft SET SerialNumbers = '1.5 to 2.75', BagVolExt = 1.25, "
      "PrssrDiff = 8.6, Ttica = 0.5 WHERE AcNum = 7;");
  DBase::OpenDatabase("7");
  vb::NumberForms saved = vb::CurrentNumberForms();
  vb::CurrentNumberForms().decimal = ",";
  vb::CurrentNumberForms().group = ".";
  struct LocaleCase {
    const char* spec;
    bool metric;
    const char* expected;
  };
  const LocaleCase cases[] = {
      {"WtMTOGW", false, "12.500,0"},
      {"WtMTOGW{Lb}", true, "5.669,9"},
      {"WtMTOGW\\-WtBow{Lb}", true, "5.670"},
      {"DoorHeight\\*DoorWidth", false, "11,3"},
      {"DoorHeight\\xDoorWidth{Ft}", false, "4,5 x 2,5"},
      {"DoorHeight\\xDoorWidth{Ft}", true, "1,4 x ,8"},
      {"PrssrDiff;#,###.00{PSI}", false, "8,60"},
      {"Ttica;#,###.0", false, ",5"},
      {"BagVolExt\\/DoorWidth\\ DoorHeight", false, "0,5 4,5"},
      {"InProd\\zProdYr", false, "Yes 1998"},
      {"SerialNumbers", false, "1.5 to 2.75"},
      {"SerialNumbers\\ DoorHeight", false, "1.5 to 2.75 4,5"},
      {"AcMfgNum2=AcMfgNum>AcMfg.WebAddress", false, "www.maker-a.example"},
      {"YrTypeCert", false, "06/15/98"},
  };
  for (const LocaleCase& c : cases) {
    DBase::vars().MetricUnits = c.metric;
    EXPECT_EQ(DBase::DisplayDataValue(c.spec), c.expected) << c.spec << (c.metric ? " metric" : "");
  }
  // The raw values keep "." whatever the locale.
  EXPECT_EQ(DBase::DatabaseValue("DoorHeight\\xDoorWidth").toString(), "4.5 x 2.5");
  EXPECT_EQ(DBase::DatabaseValue("DoorHeight\\*DoorWidth").toString(), "11.25");
  vb::CurrentNumberForms() = saved;
}

TEST_F(DBaseFields, EvaluationNeverEndsTheProgramWithHandlingOff) {
  General::vars().ErrorHandlingOn = 0;
  DBase::CloseDatabase();
  EXPECT_EQ(DBase::DatabaseValue("AcName\\,WtMTOGW").toString(), " ");
  DBase::OpenDatabase("7");
  EXPECT_EQ(DBase::DatabaseValue("WtMTOGW\\/WtBow\\ Nothing=AcMfgNum>AcMfg.City").toString(),
            "12500 -");
  General::vars().ErrorHandlingOn = 1;
}

}  // namespace
