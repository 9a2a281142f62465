#include "mainwindow/LabelCatalogue.h"

#include <algorithm>
#include <array>

#include "mainwindow/ControlNames.h"

namespace LabelCatalogue {

namespace ctl = MainForm::ctl;

namespace {

// One line of a general-data panel, top to bottom. Kinds: 'H' a heading, 'D' a data row (row
// caption, the two planes' values, the unit), 'C' a caption with no values, 'P' an empty
// placeholder row that takes no line of its own.
struct Row {
  char kind;
  int heading;            // lblHeading index of an 'H' row
  const char* caption;    // row caption or heading text
  int set;                // data arrays of a 'D' row: 0 gen0Data, 1 gen1Data
  int data;               // index of the row's data labels
  const char* spec1;      // field spec of Plane 1
  const char* spec2;      // field spec of Plane 2; nullptr = the same as Plane 1
  const char* unitTag;    // unit of a padded unit caption
  const char* fixedUnit;  // fixed unit caption (empty Tag)
};

constexpr Row H(int heading, const char* text) {
  return {'H', heading, text, 0, -1, nullptr, nullptr, nullptr, nullptr};
}
constexpr Row C(const char* text) {
  return {'C', -1, text, 0, -1, nullptr, nullptr, nullptr, nullptr};
}
constexpr Row D(int set, int data, const char* caption, const char* spec,
                const char* unitTag = nullptr, const char* fixedUnit = nullptr) {
  return {'D', -1, caption, set, data, spec, nullptr, unitTag, fixedUnit};
}
constexpr Row D2(int set, int data, const char* caption, const char* spec1, const char* spec2) {
  return {'D', -1, caption, set, data, spec1, spec2, nullptr, nullptr};
}
// A data row in the unit of the padded unit caption above it, as each row between them is: its
// unit label has no Tag and shows blank underscores.
constexpr const char* kUnitAbove = "_______________";
constexpr Row U(int set, int data, const char* caption, const char* spec) {
  return D(set, data, caption, spec, nullptr, kUnitAbove);
}
constexpr Row P(int set, int data) {
  return {'P', -1, "", set, data, "", nullptr, nullptr, nullptr};
}

// Helicopter panel framScroll(0).
const Row kHeliPanel[] = {
    H(11, " Weights"),
    D(0, 0, "Max Gross Weight (Internal):", "WtMTOGW{Lb}", "Lbs"),
    U(0, 1, "Max Gross Weight (External):", "WtMTOGWExt{Lb}"),
    U(0, 2, "Useable Fuel:", "WtUsableFuel{Lb}"),
    U(0, 3, "Optional Fuel:", "WtOptFuel{Lb}"),
    U(0, 4, "Maximum External Load:", "WtMaxExtLoad{Lb}"),
    U(0, 5, "30 Min. Fuel Reserves:", "WT30MFuelRsv{Lb}"),
    H(14, "Utility Configuration"),
    D(0, 6, "Empty Operation Weight:", "VfrWtBOW{Lb}", "Lbs"),
    U(0, 7, "Useful Load:", "WtMTOGW\\-VFRWtBow{Lb}"),
    U(0, 8, "Payload with Full Std. Fuel:", "WtMTOGW\\-VFRWtBow\\-WtUsableFuel{Lb}"),
    H(8, "Corporate/EMS Configuration"),
    D(0, 9, "Empty Operation Weight:", "WtBow{Lb}", "Lbs"),
    U(0, 10, "Useful Load:", "WtMTOGW\\-WtBow{Lb}"),
    U(0, 11, "Payload with Full Std. Fuel:", "WtMTOGW\\-WtBow\\-WtUsableFuel{Lb}"),
    H(12, " Certification (FAA)"),
    D(0, 43, "IFR Cert/Equipped:", "IfrCertified"),
    D(0, 28, "VFR Cert/Equipped:", "Certified"),
    D(0, 29, "Category A:", "CatACert"),
    D(0, 30, "Minimum Crew VFR/IFR:", "MinCrewVfrIfr"),
    H(10, "Propulsion System"),
    D(0, 12, "Manufacturer:", "EngMfgName"),
    D(0, 13, "Model:", "EngMod"),
    D(0, 14, "Engine Rating             Takeoff:", "EngRTO", "SHP"),
    U(0, 15, "Max. Cont.:", "EngRTMaxCont"),
    U(0, 16, "OEI 2.5 Min:", "EngROEI25Min"),
    U(0, 17, "OEI 30 Min:", "EngROEI30Min"),
    U(0, 18, "OEI Max Cont:", "EngROEIMaxCont"),
    H(15, "Airframe Rating   Limit Factor"),
    D(0, 19, "Engine Rating           Takeoff:", "AFRTO", "SHP"),
    U(0, 20, "Max. Cont.:", "AFRMaxCont"),
    U(0, 21, "OEI 2.5 Min:", "AFROEI25Min"),
    U(0, 22, "OEI 3.0 Min:", "AFROEI30Min"),
    U(0, 23, "OEI Max. Cont.:", "AFROEIMaxCont"),
    H(9, " FAR 36 Noise Levels"),
    D(0, 24, "Takeoff:", "FAR36Takeoff", "EPNdB"),
    U(0, 25, "Flyover:", "FAR36FlyOver"),
    U(0, 26, "Approach:", "FAR36Approach"),
    D(0, 27, "Meets FAR 36 Noise Levels:", "FAR36MNL"),
    H(13, " Accommodations"),
    D2(0, 31, "Seats--      Crew/Pass (Corp):", "PilotSeats=1>CorpSeats\\|PassSeats=1>CorpSeats",
       "PilotSeats=2>CorpSeats\\|PassSeats=2>CorpSeats"),
    D2(0, 32, "Crew/Pass (Max):", "PilotSeats=1>UtilSeats\\|PassSeats=1>UtilSeats",
       "PilotSeats=2>UtilSeats\\|PassSeats=2>UtilSeats"),
    D(0, 33, "Crew/Litters/Attendants:", "Attendants"),
    D(0, 34, "Volume--      Total Pass Cabin:", "CabinVol{CuFt}", "Cu. Ft."),
    D(0, 45, "Passenger Area:", "SeatVol{CuFt}", "Cu. Ft."),
    D(0, 35, "Forward Pass Seat:", "ForwardPassSeat{CuFt}"),
    D(0, 36, "Baggage  - Total:", "BagVolExt{CuFt}"),
    H(7, " Performance"),
    P(0, 38),
    D(0, 37, "VNE (SL, ISA):", "VNE{KTAS}", "KTAS"),
    C("Rate of Climb (Max GW, SL, ISA):"),
    D(0, 39, "--All Engines:", "RocAllEng{Ft}", "Ft/Min"),
    U(0, 40, "--One Engine Inop:", "RocOei{Ft}"),
    D(0, 41, "Maximum Range (30 Min Res):", "MR", nullptr, "____________NM"),
    D(0, 42, "Max Endurance (30 Min Res):", "ME", "Hrs"),
    D(0, 44, "Max Cert Alt.:", "CertCeiling{Ft}", "Ft"),
};

// Fixed-wing panel framScroll(1).
const Row kFixedPanel[] = {
    H(0, " Weights"),
    D(1, 0, "Ramp Weight:", "WtMaxRamp{Lb}", "Lbs"),
    U(1, 1, "Takeoff Weight:", "WtMTOGW{Lb}"),
    U(1, 2, "Landing Weight:", "WtMaxLand{Lb}"),
    U(1, 3, "Zero Fuel Weight:", "WtZeroFuelW{Lb}"),
    U(1, 4, "Basic Operating Weight:", "WtBow{Lb}"),
    U(1, 5, "Usable Fuel:", "WtUsableFuel{Lb}"),
    U(1, 6, "Useful Load:", "WtMaxRamp\\-WtBow{Lb}"),
    U(1, 7, "Payload with Full Fuel:", "WtPayFuel{Lb}"),
    U(1, 8, "Maximum Payload:", "WtZeroFuelW\\-WtBow{Lb}"),
    U(1, 9, "NBAA IFR Fuel Reserves:", "NBAAIfrFRes{Lb}"),
    D(1, 10, "Optional Ramp Weight:", "WtMaxRampOpt{Lb}", "Lbs"),
    U(1, 11, "Optional Takeoff Weight:", "WtMTOGWOpt{Lb}"),
    U(1, 12, "Optional Zero Fuel Weight:", "WtZeroFuelWOpt{Lb}"),
    U(1, 13, "Optional Basic Operating Weight:", "WtBowOpt{Lb}"),
    U(1, 14, "Optional Payload with Full Fuel:", "WtPayFuelOpt{Lb}"),
    U(1, 15, "Optional Maximum Payload:", "MaxPayloadOpt{Lb}"),
    H(1, " Powerplant"),
    D(1, 16, "Manufacturer:", "EngMfgName"),
    D(1, 17, "Model:", "EngMod"),
    D(1, 18, "Thrust/Horsepower (SL Std):", "ThrustSlStd", nullptr, "________Lbs/SHP"),
    D(1, 19, "Thrust or Prop Reverser/Feathering:", "ThrustReversers"),
    H(2, " FAR 36 Noise Levels"),
    D(1, 20, "Takeoff:", "FAR36Takeoff;#,###.00", "EPNdB"),
    U(1, 21, "Sideline:", "FAR36Sideline;#,###.00"),
    U(1, 22, "Approach:", "FAR36Approach;#,###.00"),
    D(1, 23, "Meets Stage 3 Restrictions:", "FAR36MS3Rstc"),
    H(3, " Speeds"),
    D(1, 24, "V MC (Ground):", "VmcGround", nullptr, "___________KIAS"),
    U(1, 25, "V MC (Air):", "VmcAir"),
    U(1, 26, "V2 (Max. Takeoff Gross Wt.):", "V2MTGW"),
    U(1, 27, "VREF (Bow + 4Pax +NBAA Res.):", "VREF"),
    H(4, " Pressurization"),
    D(1, 28, "Pressure Differential:", "PrssrDiff;#,###.00{PSI}", "PSI"),
    D(1, 29, "_ _ Sea Level Cabin To:", "PrssrSLC{Ft}", "Ft"),
    D(1, 30, "_ _ Cabin Alt. at Max. Cert. Alt.:", "PrssrCAMCA{Ft}", "Ft"),
    H(5, " Accommodations"),
    D(1, 31, "Seats -- Crew:", "PilotSeats"),
    D(1, 32, "Passengers (Typical):", "PassSeats"),
    D(1, 33, "Passengers (Maximum):", "PassMax"),
    D(1, 34, "Volume - Total Pass. Cabin:", "CabinVol{CuFt}", "CuFt"),
    D(0, 47, "Passenger Area:", "SeatVol", nullptr, "__________Cu. Ft."),
    D(1, 35, "Baggage - Total:", "BagVolInt\\+BagVolExt{CuFt}"),
    D(1, 36, "Internal:", "BagVolInt\\%BagVolExt;#0%", nullptr, "______________%"),
    D(1, 37, "Main Door Size:", "DoorHeight\\xDoorWidth{Ft}", "Ft"),
    H(6, " Performance"),
    D(1, 38, "Rate of Climb (MTOGW) - All Engines:", "RocAllEng{Ft}", "Ft/Min"),
    U(1, 39, "Rate of Climb - One Engine Out:", "RocOei{Ft}"),
    D(1, 40, "Initial Cruise Alt. (MTOGW):", "Ica{Ft}[1]", "Ft"),
    D(1, 41, "Time to Init. Cruise Alt.:", "Ttica;#,###.0", "Min."),
    D(1, 42, "Engine Out Ceiling:", "ServOEI{Ft}", "Ft"),
    C("Long Range Cruise:"),
    D(1, 43, "Maximum Range:", "MaxRngLrc", nullptr, "_____________NM"),
    D(1, 44, "Average Cruise Speed:", "AvgCrSpeedLrc", nullptr, "__________KTAS"),
    C("Maximum Cruise:"),
    D(1, 45, "Maximum Range:", "MaxRngMax", nullptr, "_____________NM"),
    D(1, 46, "Average Cruise Speed:", "AvgCrSpeedMax", nullptr, "__________KTAS"),
    D(0, 46, "Max Cert Alt.:", "CertCeiling{Ft}", "Ft"),
    H(16, "Equipment"),
    C("Avionics:"),
    D(1, 47, "Avionics System:", "EqpAvSys"),
    D(1, 48, "Cockpit Voice Rcdr:", "EqpCVC"),
    D(1, 49, "Flight Data Rcdr:", "EqpFDR"),
    D(1, 50, "EICAS:", "EqpEICAS"),
    D(1, 51, "Ground Warning Sys:", "EqpGWS"),
    D(1, 52, "Traffic Warning Sys:", "EqpTWS"),
    D(1, 53, "Maint Diag Sys:", "EqpMDS"),
    D(1, 54, "VHF 8 Khz Spacing:", "EqpVHS833"),
    C("Other:"),
    D(1, 55, "Aux. Power. Unit:", "EqpAPU"),
    D(1, 56, "Single Point Refuel:", "EqpSingPointRef"),
    D(1, 57, "External Lav. Service:", "EqpExtLavServ"),
};

// Colours of the panels (RGB, red in the low byte).
constexpr int32_t kHeadingBack = 0x804000;  // dark blue
constexpr int32_t kHeadingFore = 0xFFFFFF;
constexpr int32_t kBarBack = 0xF5EBE1;       // pale blue
constexpr int32_t kPlane1Swatch = 0x0000FF;  // red
constexpr int32_t kPlane2Swatch = 0xFF0000;  // blue

// Column positions in a panel. The values and the units are right-aligned and keep their right
// edges (4410, 6495, 8730); the gaps between the columns give the longest row captions and values
// their room. A unit's padding underscores are a leader: the label cuts them at its left end.
constexpr int kCaptionLeft = 90, kCaptionWidth = 3120;
constexpr int kUnitLeft = 3225, kUnitWidth = 1185;
constexpr int kValue1Left = 4455, kValue2Left = 6690, kValueWidth = 2040;
constexpr int kPanelTop = 60;
constexpr int kLabelHeight = 255;

std::string PaddedUnit(std::string_view unit) {
  std::string text(unit);
  return text.size() >= 15 ? text : std::string(15 - text.size(), '_') + text;
}

Arr DataArray(int set, int plane) {
  if (set == 0) return plane == 1 ? Arr::gen0Data1 : Arr::gen0Data2;
  return plane == 1 ? Arr::gen1Data1 : Arr::gen1Data2;
}

struct Builder {
  std::vector<LabelDef> labels;
  int descriptions[2] = {0, 0};
  int bars = 0;

  void add(LabelDef def) { labels.push_back(std::move(def)); }

  void panel(const Row* rows, size_t count, int panelIndex, int& bottom) {
    const std::string parent = ctl::framScroll_ + std::to_string(panelIndex);
    int y = kPanelTop;
    int inSection = 0;
    for (size_t i = 0; i < count; ++i) {
      const Row& r = rows[i];
      if (r.kind == 'H') {
        add({Arr::lblHeading, r.heading, "", r.caption, parent, 0, y, kPanelWidth, 270,
             kHeadingBack, Align::Left, false, true});
        labels.back().backColor = kHeadingBack;
        y += kRowHeight + 20;
        inSection = 0;
        continue;
      }
      if (r.kind == 'P') {
        // No text and no line of its own: its labels sit where the next row is drawn.
        for (int plane = 1; plane <= 2; ++plane)
          add({DataArray(r.set, plane), r.data, "", "", parent,
               plane == 1 ? kValue1Left : kValue2Left, y, kValueWidth, kLabelHeight, -1,
               Align::Right});
        add({r.set == 0 ? Arr::gen0Units : Arr::gen1Units, r.data, "", "", parent, kUnitLeft, y,
             kUnitWidth, kLabelHeight});
        continue;
      }
      if (inSection % 2 == 1)
        add({Arr::barBG, bars++, "", "", parent, 0, y - 10, 8985, kRowHeight, kBarBack});
      ++inSection;
      const Arr descArray =
          (r.kind == 'D' ? r.set : panelIndex) == 0 ? Arr::gen0Desrciption : Arr::gen1Desrciption;
      int& descIndex = descriptions[descArray == Arr::gen0Desrciption ? 0 : 1];
      add({descArray, descIndex++, "", r.caption, parent, kCaptionLeft, y, kCaptionWidth,
           kLabelHeight});
      if (r.kind == 'D') {
        add({DataArray(r.set, 1), r.data, r.spec1, "", parent, kValue1Left, y, kValueWidth,
             kLabelHeight, -1, Align::Right});
        add({DataArray(r.set, 2), r.data, r.spec2 ? r.spec2 : r.spec1, "", parent, kValue2Left, y,
             kValueWidth, kLabelHeight, -1, Align::Right});
        // Every row has its unit label, of the same index as its data labels, except the last
        // fixed-wing row, whose index the interior tab's unit label holds.
        if (!(r.set == 1 && r.data == 57)) {
          std::string tag = r.unitTag ? r.unitTag : "";
          std::string caption = r.unitTag ? PaddedUnit(r.unitTag) : r.fixedUnit ? r.fixedUnit : "";
          add({r.set == 0 ? Arr::gen0Units : Arr::gen1Units, r.data, tag, caption, parent,
               kUnitLeft, y, kUnitWidth, kLabelHeight, -1, Align::Right});
        }
      }
      y += kRowHeight;
    }
    bottom = y + 60;
  }

  // A plane's name, separator and colour swatch on the bottom line of a tab page.
  void trio(int tab, int name, int swatch, int separator) {
    const std::string parent = ctl::framDisplay_ + std::to_string(tab);
    const int shift = tab == 2 ? 900 : 0;
    const int top = kPageHeight - 390;
    struct Place {
      int name, separator, swatch, nameWidth;
    };
    const Place places[2] = {{180, 2925, 3135, 2700}, {3810, 7245, 7470, 3390}};
    for (int plane = 1; plane <= 2; ++plane) {
      const Place& p = places[plane - 1];
      const Arr arr = plane == 1 ? Arr::lblData1 : Arr::lblData2;
      add({arr, name, "AcName", "", parent, p.name + shift, top, p.nameWidth, kLabelHeight, -1,
           Align::Right, false, true});
      add({arr, separator, "", "-", parent, p.separator + shift, top, 150, kLabelHeight, -1,
           Align::Center});
      add({arr, swatch, "Color", "", parent, p.swatch + shift, top + 30, 450, kLabelHeight - 60,
           plane == 1 ? kPlane1Swatch : kPlane2Swatch});
    }
  }

  void aircraftTab() {
    // Rows of the aircraft tab: label index, top and height (twips). Label 3, the second maker,
    // has no caption of its own: it follows the first maker's block. The labels end 120 twips
    // short of their 3600-twip column, so wrapped notes stay clear of its border.
    struct Line {
      int index, top, height;
      const char* spec;
    };
    static const Line lines[] = {
        {1, 360, 255, "ModelNum"},
        {2, 690, 1230,
         "AcMfgName\\nAddress_1\\nAddress_2\\nCity\\,State\\ Zipcode\\ "
         "Country\\nPhone\\nWebAddress"},
        {3, 1950, 1230,
         "AcMfgNum2=AcMfgNum>AcMfg.AcMfgName\\nAcMfgNum2=AcMfgNum>AcMfg.Address_1\\nAcMfgNum2="
         "AcMfgNum>AcMfg.Address_2\\nAcMfgNum2=AcMfgNum>AcMfg.City\\,AcMfgNum2=AcMfgNum>AcMfg."
         "State\\ AcMfgNum2=AcMfgNum>AcMfg.Zipcode\\ AcMfgNum2=AcMfgNum>AcMfg.Country\\nAcMfgNum2="
         "AcMfgNum>AcMfg.Phone\\nAcMfgNum2=AcMfgNum>AcMfg.WebAddress"},
        {4, 3240, 255, "YrTypeCert"},
        {5, 3540, 255, "CertBasis"},
        {6, 3840, 255, "RVSMCert"},
        {7, 4140, 255, "InProd\\zProdYr"},
        {8, 4440, 255, "SerialNumbers"},
        {9, 4740, 255, "ProducedInServ"},
        {10, 5040, 255, "ValidForAll"},
        {11, 5340, 1500, "Remarks"},
    };
    for (const Line& l : lines)
      for (int plane = 1; plane <= 2; ++plane)
        add({plane == 1 ? Arr::lblData1 : Arr::lblData2, l.index, l.spec, "",
             ctl::framAircraft_ + std::to_string(plane - 1), 150, l.top, 3330, l.height, -1,
             Align::Left, l.index == 11});
  }

  void build() {
    panel(kHeliPanel, std::size(kHeliPanel), 0, panelBottoms[0]);
    panel(kFixedPanel, std::size(kFixedPanel), 1, panelBottoms[1]);
    // Column heads of the general tab.
    add({Arr::lblData1, 0, "AcName", "", "framDisplay_1", 150 + kValue1Left - 300, 90,
         kValueWidth + 300, 300, -1, Align::Right, true, true});
    add({Arr::lblData2, 0, "AcName", "", "framDisplay_1", 150 + kValue2Left - 300, 90,
         kValueWidth + 300, 300, -1, Align::Right, true, true});
    aircraftTab();
    trio(2, 12, 38, 37);
    trio(3, 34, 35, 36);
    trio(4, 31, 32, 33);
    trio(5, 28, 29, 30);
    trio(6, 19, 20, 21);
    trio(7, 24, 23, 22);
    trio(8, 27, 26, 25);
    trio(9, 13, 14, 15);
    trio(10, 18, 17, 16);
    trio(11, 41, 40, 39);
    trio(12, 44, 43, 42);
    trio(13, 47, 46, 45);
    // The docked toolbar's strip.
    add({Arr::lblData1, 48, "Color", "", ctl::Frame1, 60, 60, 300, 195, kPlane1Swatch});
    add({Arr::lblData1, 49, "AcName", "", ctl::Frame1, 420, 30, 1260, kLabelHeight, -1, Align::Left,
         false, true});
    add({Arr::lblData2, 48, "AcName", "", ctl::Frame1, 1740, 30, 1260, kLabelHeight, -1,
         Align::Right, false, true});
    add({Arr::lblData2, 49, "Color", "", ctl::Frame1, 3060, 60, 300, 195, kPlane2Swatch});
    // Cabin and baggage volume on the interior tab.
    add({Arr::gen1Units, 57, "Cabin Volume <Cu Ft>:", "Cabin Volume Cu Ft:", ctl::fraIntCabVol_0,
         60, 210, 2250, kLabelHeight});
    add({Arr::gen1Units, 58, "Baggage Volume <Cu Ft>:", "Baggage Volume Cu Ft:",
         ctl::fraIntCabVol_0, 60, 480, 2250, kLabelHeight});
    for (int plane = 1; plane <= 2; ++plane) {
      const Arr arr = DataArray(1, plane);
      const int left = plane == 1 ? 2340 : 3360;
      add({arr, 58, "CabinVol{CuFt}", "", ctl::fraIntCabVol_0, left, 210, 960, kLabelHeight, -1,
           Align::Right});
      add({arr, 59, "BagVolInt\\+BagVolExt{CuFt}", "", ctl::fraIntCabVol_0, left, 480, 960,
           kLabelHeight, -1, Align::Right});
    }
    // The footprint on the top tab, on the line above the names. It is an area: with metric on
    // it converts by the square foot, while its caption names the length unit ("Sq <Ft>").
    add({Arr::gen1Units, 59, "Aircraft Footprint Sq <Ft>:", "Aircraft Footprint Sq Ft:",
         "framDisplay_2", 180, kPageHeight - 720, 2700, kLabelHeight});
    add({Arr::gen1Data1, 60, "ACWidth\\*ACLength{SqFt}", "", "framDisplay_2", 2940,
         kPageHeight - 720, 1500, kLabelHeight, -1, Align::Right});
    add({Arr::gen1Data2, 60, "ACWidth\\*ACLength{SqFt}", "", "framDisplay_2", 4560,
         kPageHeight - 720, 1500, kLabelHeight, -1, Align::Right});

    std::stable_sort(labels.begin(), labels.end(), [](const LabelDef& a, const LabelDef& b) {
      return a.array != b.array ? a.array < b.array : a.index < b.index;
    });
  }

  int panelBottoms[2] = {0, 0};
};

const Builder& Built() {
  static const Builder builder = [] {
    Builder b;
    b.build();
    return b;
  }();
  return builder;
}

}  // namespace

const std::vector<LabelDef>& Labels() { return Built().labels; }

const LabelDef* Find(Arr array, int index) {
  for (const LabelDef& l : Labels())
    if (l.array == array && l.index == index) return &l;
  return nullptr;
}

std::vector<const LabelDef*> Members(Arr array) {
  std::vector<const LabelDef*> members;
  for (const LabelDef& l : Labels())
    if (l.array == array) members.push_back(&l);
  return members;
}

std::string_view ArrayName(Arr array) {
  static constexpr std::array<std::string_view, 12> names = {
      ctl::lblData1,        ctl::lblData2,        ctl::gen0Data1,  ctl::gen0Data2,
      ctl::gen1Data1,       ctl::gen1Data2,       ctl::gen0Units,  ctl::gen1Units,
      ctl::gen0Desrciption, ctl::gen1Desrciption, ctl::lblHeading, ctl::barBG};
  return names[static_cast<size_t>(array)];
}

std::string ObjectName(Arr array, int index) {
  return std::string(ArrayName(array)) + "_" + std::to_string(index);
}

bool IsPaddedUnit(const LabelDef& label) {
  return !label.caption.empty() && label.caption.front() == '_';
}

const std::vector<Caption>& AircraftTabCaptions() {
  static const std::vector<Caption> captions = {
      {"Model Number:", 360},        {"Manufacturer:", 690},
      {"Yr Type Certified:", 3240},  {"Certification Basis:", 3540},
      {"RVSM Certification:", 3840}, {"In Production:", 4140},
      {"Serial Numbers:", 4440},     {"Produced/In Service:", 4740},
      {"Data Valid For All:", 5040}, {"Notes:", 5340}};
  return captions;
}

int PanelHeight(int panel) { return Built().panelBottoms[panel == 0 ? 0 : 1]; }

}  // namespace LabelCatalogue
