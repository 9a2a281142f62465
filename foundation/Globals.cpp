// Module Globals: the aircraft list and the lookups of a number's name, full name and
// category, and of a full name's number.
#include "foundation/Globals.h"

#include <algorithm>

#include "platform/runtime/StateReset.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/Trap.h"

namespace Globals {

namespace {

constexpr std::string_view kModule = "Globals";
constexpr std::string_view kNotFound = "N/A";

// The first entry from `first` on with that number, or nullptr.
const AircraftListEntry* Find(std::string_view acNum, size_t first) {
  const Vars& v = vars();
  const size_t last = std::min(static_cast<size_t>(std::max<int16_t>(v.AircraftCount, 0)),
                               v.AircraftList.size() - 1);
  for (size_t i = first; i <= last; ++i)
    if (v.AircraftList[i].AcNum == acNum) return &v.AircraftList[i];
  return nullptr;
}

}  // namespace

using State = vb::ModuleState<Vars, vb::ResetOrder::Foundation>;

Vars& vars() { return State::Get(); }

void resetForTest() { State::Reset(); }

std::string AircraftName(std::string_view acNum) {
  vb::Proc g(kModule, "AircraftName");
  std::string result(kNotFound);
  g.step([&] {
    if (const AircraftListEntry* e = Find(acNum, 0)) result = e->AcName;
  });
  return result;
}

std::string AircraftFullName(std::string_view acNum) {
  vb::Proc g(kModule, "AircraftFullName");
  std::string result(kNotFound);
  g.step([&] {
    if (const AircraftListEntry* e = Find(acNum, 0))
      result = vb::LTrim(e->AcMfgName + " " + e->AcName);
  });
  return result;
}

std::string AircraftCategory(std::string_view acNum) {
  vb::Proc g(kModule, "AircraftCategory");
  std::string result(kNotFound);
  g.step([&] {
    if (const AircraftListEntry* e = Find(acNum, 0)) result = e->Category;
  });
  return result;
}

int16_t ClassOfCategory(std::string_view category) {
  return category == "Helicopters" ? Class::Helicopter : Class::FixedWing;
}

std::string AircraftNumber(std::string_view fullName) {
  vb::Proc g(kModule, "AircraftNumber");
  std::string result = "0000";
  g.step([&] {
    const Vars& v = vars();
    for (int i = 1; i <= v.AircraftCount && static_cast<size_t>(i) < v.AircraftList.size(); ++i) {
      // The full name of the entry's number, which for a repeated number is that of its first
      // entry.
      const std::string& acNum = v.AircraftList[static_cast<size_t>(i)].AcNum;
      if (AircraftFullName(acNum) == fullName) {
        result = acNum;
        return;
      }
    }
  });
  return result;
}

}  // namespace Globals
