#pragma once
// Module Globals: the in-memory aircraft list and its lookups, and the choices of the comparison
// that every subsystem reads (the aircraft class, the WAT chart, the user's country).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Globals {

// One aircraft of the list.
struct AircraftListEntry {
  std::string Category;   // "Jets", "Pistons", "TurboProps" or "Helicopters"
  std::string AcNum;      // the aircraft number as decimal text: the key used everywhere
  std::string AcName;     // model name
  std::string AcMfgName;  // maker name; empty for an aircraft without a maker row
  int16_t QTZData = 0;    // -1: offered in the selection dialog

  bool operator==(const AircraftListEntry&) const = default;
};

// Values of Vars::AircraftClass.
namespace Class {
inline constexpr int16_t None = 0, FixedWing = 1, Helicopter = 2;
}

// The main window's tabs by number: the window shows them, the drawing views are numbered by the
// tabs that show them (CAD(2) to CAD(5)), and "Print Current Page" prints the page of the tab
// shown.
namespace Tab {
inline constexpr int Aircraft = 0, General = 1, Top = 2, Front = 3, Side = 4, Interior = 5,
                     BlockFuel = 6, BalancedField = 7, TakeoffLanding = 8, FlightEnvelope = 9,
                     PayloadRange = 10, ServiceCeiling = 11, HVCruise = 12, WAT = 13;
inline constexpr int Count = 14;
// The drawing tabs: Top, Front, Side and Interior.
inline constexpr int FirstDrawing = Top, LastDrawing = Interior;
}  // namespace Tab

// The list is loaded once at start-up (DBase::LoadAircraftDBInfo). Entries are 1 to
// AircraftCount; entry 0 is always there and blank. The list grows as needed (no limit of 2000).
struct Vars {
  std::vector<AircraftListEntry> AircraftList = std::vector<AircraftListEntry>(1);
  int16_t AircraftCount = 0;
  // The class of the aircraft being compared: 0 none chosen, 1 fixed-wing, 2 helicopter. The
  // first aircraft chosen in the selection dialog fixes it.
  int16_t AircraftClass = Class::None;
  // The category last picked in the selection dialog; kept in the INI file between runs.
  std::string CategorySelected;
  // The WAT charts shown and printed: 1 WAT A, 2 WAT B. The display update and the WAT tab's
  // option buttons choose it; a WAT page sets it for itself and puts it back.
  int32_t WATChart = 2;
  // The locale number of the user's country (409 for the United States), set at start-up.
  int32_t UserGeoLCIDNumber = 0;
};
Vars& vars();

// Restores every variable of the module (list, class, category, choices) to its initial value.
void resetForTest();

// The lookups walk the list in index order and take the first entry whose AcNum equals the
// number (exact text comparison). They start at entry 0, so an empty number finds the blank
// entry and gives "". No entry: "N/A".
std::string AircraftName(std::string_view acNum);
// Maker name, a blank and model name, leading blanks removed.
std::string AircraftFullName(std::string_view acNum);
std::string AircraftCategory(std::string_view acNum);
// The class of the aircraft of a category: helicopter for "Helicopters", fixed-wing for any other.
int16_t ClassOfCategory(std::string_view category);
// The AcNum of the first entry from 1 on whose full name (as AircraftFullName gives it for that
// entry's number) equals the text; "0000" when none.
std::string AircraftNumber(std::string_view fullName);

}  // namespace Globals
