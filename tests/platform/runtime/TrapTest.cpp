#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/Trap.h"

namespace {

struct Recorder : vb::TrapHandler {
  bool on = true;
  std::vector<std::string> entries;
  std::vector<std::pair<std::string, long>> errors;
  bool HandlingOn() override { return on; }
  void TraceEntry(std::string_view m, std::string_view p) override {
    entries.push_back(std::string(m) + ":" + std::string(p));
  }
  void HandleError(std::string_view m, std::string_view p, const vb::Error& e) override {
    errors.emplace_back(std::string(m) + ":" + std::string(p), e.number);
  }
};

class TrapTest : public ::testing::Test {
 protected:
  Recorder recorder;
  void SetUp() override {
    vb::ResetProgramState();
    vb::SetTrapHandler(&recorder);
  }
  void TearDown() override { vb::ResetProgramState(); }
};

TEST_F(TrapTest, AFailedStepIsReportedAndTheNextStepRuns) {
  int target = 1;
  bool third = false;
  {
    vb::Proc g("Mod", "Proc");
    g.step([&] { target = 2; });
    g.step([&] { target = static_cast<int>(vb::Mid("abc", 0).size()); });  // raises 5
    g.step([&] { third = true; });
    EXPECT_EQ(g.err(), 5);
    g.clearErr();
    EXPECT_EQ(g.err(), 0);
  }
  EXPECT_EQ(target, 2);  // the failed step assigned nothing
  EXPECT_TRUE(third);
  EXPECT_EQ(recorder.entries, std::vector<std::string>{"Mod:Proc"});
  ASSERT_EQ(recorder.errors.size(), 1u);
  EXPECT_EQ(recorder.errors[0], (std::pair<std::string, long>{"Mod:Proc", 5}));
}

TEST_F(TrapTest, OtherExceptionsAreReportedAsRunTimeErrors) {
  vb::Proc g("Mod", "Proc");
  EXPECT_FALSE(g.step([] { throw std::runtime_error("boom"); }));
  EXPECT_FALSE(g.step([] { throw std::bad_alloc(); }));
  ASSERT_EQ(recorder.errors.size(), 2u);
  EXPECT_EQ(recorder.errors[0].second, 51);
  EXPECT_EQ(recorder.errors[1].second, 7);
}

TEST_F(TrapTest, WithHandlingOffTheErrorLeavesTheProcedure) {
  recorder.on = false;
  vb::Proc g("Mod", "Proc");
  EXPECT_THROW(g.step([] { vb::Raise(13); }), vb::Error);
  EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(TrapTest, SilentAndUntrappedGuards) {
  vb::Proc silent("Low", "Writer", vb::Trap::Silent);
  EXPECT_FALSE(silent.step([] { vb::Raise(75); }));
  EXPECT_EQ(silent.err(), 75);
  vb::Proc none("General", "HandleError", vb::Trap::None);
  EXPECT_THROW(none.step([] { vb::Raise(9); }), vb::Error);
  EXPECT_TRUE(recorder.errors.empty());
  EXPECT_TRUE(recorder.entries.empty());  // neither made a trace entry
}

}  // namespace

namespace {

// A step that yields a value gives it back; a trapped failure gives the fallback, and with
// handling off the error leaves the procedure as any step's does.
TEST_F(TrapTest, AValueStepReturnsItsValueOrTheFallback) {
  vb::Proc g("Mod", "Proc");
  EXPECT_EQ(g.value([] { return std::string("abc"); }), "abc");
  EXPECT_EQ(g.value([]() -> int { vb::Raise(5); }, 7), 7);
  EXPECT_EQ(g.value([]() -> std::string { vb::Raise(9); }), "");
  EXPECT_EQ(g.err(), 9);
  ASSERT_EQ(recorder.errors.size(), 2u);
  EXPECT_EQ(recorder.errors[0], (std::pair<std::string, long>{"Mod:Proc", 5}));
  recorder.on = false;
  vb::Proc off("Mod", "Off");
  EXPECT_THROW(off.value([]() -> int { vb::Raise(13); }, 1), vb::Error);
}

}  // namespace
