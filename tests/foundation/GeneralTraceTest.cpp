#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "foundation/General.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/FakeHooks.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ReadText;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A procedure of three steps whose second one raises `number`.
struct Outcome {
  int target = 0;
  bool thirdRan = false;
};
Outcome RunFailingProcedure(long number = 13) {
  Outcome out;
  vb::Proc g("Mod", "Proc");
  g.step([&] { out.target = 1; });
  g.step([&] {
    vb::Raise(number);
    out.target = 2;
  });
  g.step([&] { out.thirdRan = true; });
  return out;
}

class GeneralTrace : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  testsupport::FakeClock clock;
  ui::ScopedFakeHooks hooks;
  General::Vars& v = General::vars();

  void SetUp() override {
    vb::ResetProgramState();
    vb::ChDir(dir.path());
    // The settings start-up makes when "HandleErrors" is true.
    v.ErrorHandlingOn = 1;
    v.MaxErrors = 1000;
    v.ErrorStatusSeconds = 0.01f;
    v.ErrorBoxSeconds = 0;
    v.ErrorBeep = false;
    v.TraceMode = 3;
    v.TraceRepeatSeconds = 0.1;
    clock.timer = 100;
    clock.step = 0.001f;  // lets the status-bar wait come to an end
  }
  void TearDown() override { vb::ResetProgramState(); }
  std::vector<std::string> ErrorLog() { return Lines(ReadText(dir / "ERROR.LOG")); }
  std::vector<std::string> CodeLog() { return Lines(ReadText(dir / "CODE.LOG")); }
};

TEST_F(GeneralTrace, AFailedStepIsLoggedAndTheProcedureGoesOn) {
  Outcome out = RunFailingProcedure(13);
  EXPECT_EQ(out.target, 1);
  EXPECT_TRUE(out.thirdRan);
  ASSERT_EQ(ErrorLog().size(), 1u);
  EXPECT_TRUE(std::regex_match(
      ErrorLog()[0],
      std::regex(
          R"(\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{2}:\d{2} (AM|PM) \[Mod:Proc\]<Err:13>Type mismatch)")))
      << ErrorLog()[0];
  EXPECT_EQ(ErrorLog()[0], "12/10/2025 12:00:00 PM [Mod:Proc]<Err:13>Type mismatch");
  EXPECT_EQ(hooks.statusTexts, (std::vector<std::string>{"[1]Type mismatch", ""}));
  EXPECT_TRUE(hooks.boxes.empty());
  EXPECT_EQ(v.ErrorCount, 1);
  EXPECT_EQ(v.CurrentModule, "Mod");
  EXPECT_EQ(v.CurrentProcedure, "Proc");
}

TEST_F(GeneralTrace, TheErrorLimitEndsTheProgramWithoutLoggingTheLastError) {
  v.ErrorCount = 998;
  RunFailingProcedure();  // the 999th is reported as usual
  ASSERT_EQ(ErrorLog().size(), 1u);
  hooks.statusTexts.clear();
  EXPECT_THROW(RunFailingProcedure(), ui::ProgramEnded);
  EXPECT_EQ(hooks.ends, 1);
  ASSERT_EQ(hooks.boxes.size(), 1u);
  EXPECT_EQ(hooks.boxes[0].prompt, "Shutting Down Application.");
  EXPECT_EQ(hooks.boxes[0].title, "Too Many Errors");
  EXPECT_EQ(hooks.boxes[0].buttons, ui::Buttons::OK);
  EXPECT_TRUE(hooks.statusTexts.empty());
  EXPECT_EQ(ErrorLog().size(), 1u);
}

TEST_F(GeneralTrace, NoLimitCountsUpToOneMillion) {
  v.MaxErrors = 0;
  v.ErrorCount = 1000000;
  RunFailingProcedure();
  EXPECT_EQ(v.ErrorCount, 1000000);
  EXPECT_EQ(hooks.ends, 0);
}

TEST_F(GeneralTrace, NoStatusTimeMeansNoStatusTextAndNoBox) {
  v.ErrorStatusSeconds = 0;
  v.ErrorBoxSeconds = 5;
  v.ErrorBeep = true;
  RunFailingProcedure();
  EXPECT_TRUE(hooks.statusTexts.empty());
  EXPECT_TRUE(hooks.boxes.empty());
  EXPECT_EQ(hooks.beeps, 1);
  EXPECT_EQ(ErrorLog().size(), 1u);
}

TEST_F(GeneralTrace, ErrorBoxesKeepTheirMinimumInterval) {
  v.ErrorBoxSeconds = 5;
  v.ErrorBeep = true;
  clock.step = 0;
  struct Step {
    float at;
    bool box;
  };
  // The first error may show a box; one 3 s later may not; one 6 s after that may again.
  for (Step s : {Step{100, true}, Step{103, false}, Step{109, true}}) {
    size_t boxes = hooks.boxes.size();
    int beeps = hooks.beeps;
    clock.timer = s.at;
    clock.step = 0.001f;
    RunFailingProcedure();
    clock.step = 0;
    EXPECT_EQ(hooks.boxes.size() - boxes, s.box ? 1u : 0u) << s.at;
    // An error that shows a box does not beep; one that does not show it beeps.
    EXPECT_EQ(hooks.beeps - beeps, s.box ? 0 : 1) << s.at;
  }
  const ui::FakeHooks::Box& box = hooks.boxes.back();
  EXPECT_EQ(box.prompt, "Type mismatch");
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.buttons, ui::Buttons::OKCancel);
  EXPECT_EQ(box.icon, ui::Icon::Critical);
  EXPECT_EQ(ErrorLog().size(), 3u);
}

TEST_F(GeneralTrace, CancelInTheErrorBoxEndsTheProgramUnlogged) {
  v.ErrorBoxSeconds = 5;
  hooks.answer = ui::Answer::Cancel;
  EXPECT_THROW(RunFailingProcedure(), ui::ProgramEnded);
  EXPECT_EQ(hooks.boxes.size(), 1u);
  EXPECT_TRUE(ErrorLog().empty());
}

TEST_F(GeneralTrace, EmptyNamesReportUnderTheCurrentProcedure) {
  General::TraceEntry("Registry", "GetRegData");
  General::HandleError("", "", vb::Error{6, "Overflow"});
  ASSERT_EQ(ErrorLog().size(), 1u);
  EXPECT_NE(ErrorLog()[0].find(" [Registry:GetRegData]<Err:6>Overflow"), std::string::npos);
}

// A failure registered as once-only (a damaged file the reader does not read again) is
// reported the first time, whichever procedure meets it later; others are reported each time.
TEST_F(GeneralTrace, AOnceOnlyFailureIsReportedTheFirstTimeOnly) {
  const vb::Error damaged{-2147467259, "[Access] the database file is damaged: once.mdb"};
  vb::RegisterOnceOnly(damaged);
  General::HandleError("DBase", "LoadAircraftDBInfo", damaged);
  General::HandleError("DBase", "OpenDatabase", damaged);
  General::HandleError("DBase", "OpenDatabase", vb::Error{6, "Overflow"});
  General::HandleError("DBase", "LookupSeats", damaged);
  General::HandleError("DBase", "OpenDatabase", vb::Error{6, "Overflow"});
  const std::vector<std::string> log = ErrorLog();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_NE(log[0].find("[DBase:LoadAircraftDBInfo]<Err:-2147467259>[Access] the database file is "
                        "damaged: once.mdb"),
            std::string::npos);
  EXPECT_NE(log[1].find("<Err:6>Overflow"), std::string::npos);
  EXPECT_NE(log[2].find("<Err:6>Overflow"), std::string::npos);
  EXPECT_EQ(v.ErrorCount, 3);
}

TEST_F(GeneralTrace, WithoutTheMainWindowTheStatusBarIsLeftAlone) {
  hooks.mainWindow = false;
  RunFailingProcedure();
  EXPECT_TRUE(hooks.statusTexts.empty());
  EXPECT_EQ(ErrorLog().size(), 1u);
}

TEST_F(GeneralTrace, AnUnwritableLogLosesTheLineButNotTheReport) {
  vb::ChDir(dir / "missing");
  Outcome out = RunFailingProcedure();
  EXPECT_TRUE(out.thirdRan);
  EXPECT_EQ(hooks.statusTexts.size(), 2u);
  EXPECT_EQ(v.ErrorCount, 1);
}

TEST_F(GeneralTrace, WithHandlingOffAnErrorLeavesTheProcedure) {
  v.ErrorHandlingOn = 0;
  EXPECT_THROW(RunFailingProcedure(), vb::Error);
  EXPECT_TRUE(ErrorLog().empty());
  EXPECT_EQ(v.ErrorCount, 0);
}

TEST_F(GeneralTrace, TraceLogIsSilentWhileSwitchedOff) {
  General::TraceEntry("Mod", "Proc");
  General::TraceLog(1, "text");
  EXPECT_EQ(v.LastTraceLine, "");
  EXPECT_EQ(v.NextTraceTime, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "CODE.LOG"));
  EXPECT_TRUE(hooks.debugLines.empty());
}

TEST_F(GeneralTrace, StampedRepeatsAreDroppedWhileTheyComeQuickly) {
  v.TraceEnabled = true;
  clock.step = 0;
  // Each dropped repeat restarts the 0.1 s window, so a steady stream gives one line.
  for (float t : {10.0f, 10.05f, 10.1f, 10.15f, 10.2f}) {
    clock.timer = t;
    General::TraceLog(1, "[Mod:Proc]");
  }
  EXPECT_EQ(CodeLog().size(), 1u);
  clock.timer = 10.4f;
  General::TraceLog(1, "[Mod:Proc]");
  General::TraceLog(1, "[Mod:Other]");
  // Unstamped repeats are all written.
  General::TraceLog(0, "same");
  General::TraceLog(0, "same");
  std::vector<std::string> lines = CodeLog();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "12/10/2025 12:00:00 PM [Mod:Proc]");
  EXPECT_EQ(lines[2], "12/10/2025 12:00:00 PM [Mod:Other]");
  EXPECT_EQ(lines[3], "same");
  EXPECT_EQ(hooks.debugLines.front(), "[Tolvane] 12/10/2025 12:00:00 PM [Mod:Proc]");
  EXPECT_EQ(hooks.debugLines.size(), 5u);
}

TEST_F(GeneralTrace, TraceModeChoosesTheOutputs) {
  v.TraceEnabled = true;
  struct Mode {
    long mode;
    bool debugger, file;
  };
  for (Mode m :
       {Mode{0, false, false}, Mode{1, false, true}, Mode{2, true, true}, Mode{3, true, true}}) {
    std::filesystem::remove(dir / "CODE.LOG");
    hooks.debugLines.clear();
    v.TraceMode = m.mode;
    General::TraceLog(0, "line");
    EXPECT_EQ(hooks.debugLines.size(), m.debugger ? 1u : 0u) << m.mode;
    EXPECT_EQ(std::filesystem::exists(dir / "CODE.LOG"), m.file) << m.mode;
  }
}

TEST_F(GeneralTrace, ErrorsAndTraceEntriesReachTheTraceLog) {
  v.TraceEnabled = true;
  RunFailingProcedure();
  std::vector<std::string> lines = CodeLog();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "12/10/2025 12:00:00 PM [Mod:Proc]");
  EXPECT_EQ(lines[1], "12/10/2025 12:00:00 PM [Mod:Proc]<Err:13>Type mismatch");
}

TEST_F(GeneralTrace, BannerLines) {
  v.TraceEnabled = true;
  General::LogBanner();
  std::vector<std::string> lines = CodeLog();
  // Nineteen lines; the last, stamped and empty, repeats the empty line before it and so is
  // dropped when it follows within the repeat interval, as it does here.
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "");
  for (size_t i = 2; i <= 16; ++i) {
    EXPECT_EQ(lines[i].size(), 87u) << i;
    EXPECT_EQ(lines[i].front(), '#');
    EXPECT_EQ(lines[i].back(), '#');
  }
  EXPECT_EQ(lines[2], std::string(87, '#'));
  EXPECT_EQ(lines[4], "#" + std::string(85, ' ') + "#");
  EXPECT_EQ(
      lines[5],
      "#  ###   ###     ###    ###   ###      #    #   #     ###  #####    #    ###   #####  #");
  EXPECT_EQ(
      lines[13],
      "#                                     PROGRAM STARTED!!                               #");
  EXPECT_EQ(lines[17], "");

  // With the clock moving on between the lines, the stamped one is written too.
  std::filesystem::remove(dir / "CODE.LOG");
  clock.step = 0.2f;
  General::LogBanner();
  lines = CodeLog();
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[18], "12/10/2025 12:00:00 PM ");
}

TEST_F(GeneralTrace, TimerExpiredAllowsForMidnight) {
  clock.step = 0;
  struct Case {
    float clock, target;
    bool expired;
  };
  for (Case c : {Case{0.5f, 86399.9f, true}, Case{86399.0f, 86399.9f, false}, Case{101, 100, true},
                 Case{100, 100, false}, Case{10, 32011, true}, Case{10, 32009, false}}) {
    clock.timer = c.clock;
    EXPECT_EQ(General::TimerExpired(c.target), c.expired) << c.clock << " " << c.target;
  }
}

TEST_F(GeneralTrace, WaitSecondsEndsOnTimeAndAtMidnight) {
  clock.timer = 50;
  clock.step = 0.001f;
  General::WaitSeconds(0.01f);
  EXPECT_GE(clock.timer, 50.01f);
  EXPECT_LT(clock.timer, 50.02f);
  EXPECT_EQ(hooks.doEvents, 0);  // the event loop does not run
  clock.timer = 86399.99f;
  clock.step = -86399.99f;  // the next read is after midnight
  General::WaitSeconds(5);
  SUCCEED();
}

}  // namespace
