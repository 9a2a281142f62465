// The one reset of the program state: every registered reset runs, the lower layers first,
// and the runtime forgets the error handler a test installed.
#include <gtest/gtest.h>

#include <string>

#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"

namespace {

// What the resets below did, in order.
std::string& ran() {
  static std::string text;
  return text;
}

// Registered out of their order, as translation units initialise in any order.
const vb::StateReset windowReset(vb::ResetOrder::Window, [] { ran() += "window "; });
const vb::StateReset platformReset(vb::ResetOrder::Platform, [] { ran() += "platform "; });
const vb::StateReset chartsReset(vb::ResetOrder::Charts, [] { ran() += "charts "; });
const vb::StateReset secondPlatformReset(vb::ResetOrder::Platform, [] { ran() += "platform2 "; });

struct NoHandler : vb::TrapHandler {
  bool HandlingOn() override { return true; }
  void TraceEntry(std::string_view, std::string_view) override {}
  void HandleError(std::string_view, std::string_view, const vb::Error&) override {}
};

TEST(StateReset, EveryResetRunsOnceLowerLayersFirstInTheirRegistrationOrder) {
  ran().clear();
  vb::ResetProgramState();
  EXPECT_EQ(ran(), "platform platform2 charts window ");
  ran().clear();
  vb::ResetProgramState();
  EXPECT_EQ(ran(), "platform platform2 charts window ");
}

TEST(StateReset, TheRuntimeDropsTheInstalledErrorHandler) {
  NoHandler handler;
  vb::SetTrapHandler(&handler);
  ASSERT_EQ(vb::CurrentTrapHandler(), &handler);
  vb::ResetProgramState();
  EXPECT_EQ(vb::CurrentTrapHandler(), nullptr);
}

// A module's state kept by ModuleState: the same object on every use, fresh after the reset,
// which was registered without the module doing anything but use it.
struct Counters {
  int calls = 0;
  std::string last = "start";
};
using Kept = vb::ModuleState<Counters, vb::ResetOrder::Charts>;

TEST(StateReset, AModulesStateIsOneObjectMadeAfreshByTheReset) {
  Kept::Get().calls = 3;
  Kept::Get().last = "changed";
  EXPECT_EQ(&Kept::Get(), &Kept::Get());
  EXPECT_EQ(Kept::Get().calls, 3);
  vb::ResetProgramState();
  EXPECT_EQ(Kept::Get().calls, 0);
  EXPECT_EQ(Kept::Get().last, "start");
}

}  // namespace
