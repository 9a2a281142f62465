#include "platform/runtime/StateReset.h"

#include <algorithm>
#include <vector>

#include "platform/runtime/Trap.h"

namespace vb {

namespace {

struct Entry {
  ResetOrder order;
  void (*reset)();
};

// Built on first use: registrations run during static initialisation, in any order of the
// translation units.
std::vector<Entry>& entries() {
  static std::vector<Entry> list;
  return list;
}

// The runtime's own state: no error handler until a higher layer installs its own.
void ResetRuntime() { SetTrapHandler(nullptr); }
const StateReset runtimeReset(ResetOrder::Platform, &ResetRuntime);

}  // namespace

StateReset::StateReset(ResetOrder order, void (*reset)()) {
  entries().push_back({order, reset});
}

void ResetProgramState() {
  std::vector<Entry> ordered = entries();
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const Entry& a, const Entry& b) { return a.order < b.order; });
  for (const Entry& e : ordered) e.reset();
}

}  // namespace vb
