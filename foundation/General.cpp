// Module General: trace entry, common error handler, ERROR.LOG and CODE.LOG, the start banner
// and the two clock routines.
#include "foundation/General.h"

#include <algorithm>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"

namespace General {

namespace {

constexpr std::string_view kModule = "General";
constexpr long kMaxCount = 1000000;

// Hands every guard's trace entry and trapped errors to this module.
class Traps final : public vb::TrapHandler {
 public:
  bool HandlingOn() override { return vars().ErrorHandlingOn != 0; }
  void TraceEntry(std::string_view module, std::string_view procedure) override {
    General::TraceEntry(module, procedure);
  }
  void HandleError(std::string_view module, std::string_view procedure,
                   const vb::Error& error) override {
    General::HandleError(module, procedure, error);
  }
};

Traps traps;
[[maybe_unused]] const bool installed = (vb::SetTrapHandler(&traps), true);

// The date-time text of the logs: the locale's short date, a blank and its long time.
std::string DateTimeText() {
  const vb::DateForms& forms = vb::CurrentDateForms();
  double now = vb::Now();
  return vb::FormatDatePattern(now, forms.shortDate) + " " +
         vb::FormatDatePattern(now, forms.longTime);
}

}  // namespace

Vars& vars() {
  static Vars v;
  return v;
}

void resetForTest() {
  vars() = Vars{};
  InstallTraps();
}

namespace {
const vb::StateReset stateReset(vb::ResetOrder::Foundation, &resetForTest);
}  // namespace

void InstallTraps() { vb::SetTrapHandler(&traps); }

std::string LocationTag(std::string_view module, std::string_view procedure) {
  vb::Proc g("", "", vb::Trap::Report, false);
  return g.value([&] { return "[" + std::string(module) + ":" + std::string(procedure) + "]"; });
}

void TraceEntry(std::string_view module, std::string_view procedure) {
  vb::Proc g("", "", vb::Trap::Report, false);
  Vars& v = vars();
  g.step([&] {
    v.CurrentModule = module;
    v.CurrentProcedure = procedure;
  });
  // The location tag is built only for a trace that is on: procedures run on every mouse move.
  if (v.TraceEnabled)
    g.step([&] { TraceLog(1, LocationTag(v.CurrentModule, v.CurrentProcedure)); });
}

void HandleError(std::string_view module, std::string_view procedure, const vb::Error& error) {
  // The handler has no trap of its own for what it was given; anything that fails inside it
  // is skipped silently and the rest of the report goes on.
  vb::Proc g(kModule, "HandleError", vb::Trap::Silent, false);
  Vars& v = vars();
  const std::string description = error.description;
  const long number = error.number;
  const std::string moduleName = module.empty() ? v.CurrentModule : std::string(module);
  const std::string procedureName = procedure.empty() ? v.CurrentProcedure : std::string(procedure);
  ui::Hooks& hooks = ui::Current();
  // A failure of an input that is not tried again is reported the first time it is met: later
  // procedures meet it at once, and would repeat it.
  if (vb::IsOnceOnly(error) && !v.ReportedOnceOnly.emplace(number, description).second) return;

  v.ErrorCount = std::min(v.ErrorCount + 1, kMaxCount);

  if (v.MaxErrors != 0 && v.ErrorCount >= v.MaxErrors) {
    g.step([&] {
      hooks.MessageBox("Shutting Down Application.", "Too Many Errors", ui::Buttons::OK,
                       ui::Icon::None);
    });
    ui::End();
  }

  if (v.ErrorStatusSeconds != 0) {
    // The status bar is used only when the main window is there: creating the window from
    // here would start the program again during shut-down.
    bool window = false;
    g.step([&] { window = hooks.MainWindowExists(); });
    if (window)
      g.step([&] { hooks.SetStatusText("[" + std::to_string(v.ErrorCount) + "]" + description); });
    if (v.ErrorBoxSeconds > 0 && TimerExpired(v.NextErrorBoxTime)) {
      ui::Answer answer = ui::Answer::OK;
      g.step([&] {
        answer = hooks.MessageBox(description, "Error", ui::Buttons::OKCancel, ui::Icon::Critical);
      });
      if (answer == ui::Answer::Cancel) ui::End();
    } else {
      if (v.ErrorBeep) g.step([&] { hooks.Beep(); });
      WaitSeconds(v.ErrorStatusSeconds);
    }
    if (window) g.step([&] { hooks.SetStatusText(""); });
  } else if (v.ErrorBeep) {
    g.step([&] { hooks.Beep(); });
  }

  g.step([&] { v.NextErrorBoxTime = vb::Timer() + v.ErrorBoxSeconds; });
  LogError(number, description, moduleName, procedureName);
}

std::string ErrorLogFile() { return vb::InCurDir("ERROR.LOG").string(); }

void LogError(long number, std::string_view description, std::string_view module,
              std::string_view procedure) {
  vb::Proc g(kModule, "LogError", vb::Trap::Silent);
  std::string text;
  g.step([&] {
    text = LocationTag(module, procedure) + "<Err:" + std::to_string(number) + ">" +
           std::string(description);
  });
  g.step([&] { TraceLog(1, text); });
  g.step([&] { vb::AppendLine(ErrorLogFile(), DateTimeText() + " " + text); });
}

void TraceLog(int stamp, std::string_view text) {
  Vars& v = vars();
  if (!v.TraceEnabled) return;
  vb::Proc g(kModule, "TraceLog", vb::Trap::Silent);
  bool show = true;
  std::string line(text);
  if (stamp != 0) {
    g.step([&] {
      if (text == v.LastTraceLine && !TimerExpired(v.NextTraceTime)) show = false;
    });
    g.step([&] { line = DateTimeText() + " " + std::string(text); });
  }
  // Every line, dropped or not, restarts the repeat window.
  v.LastTraceLine = text;
  g.step([&] { v.NextTraceTime = static_cast<float>(vb::Timer() + v.TraceRepeatSeconds); });
  if (!show) return;
  if (v.TraceMode & 2) g.step([&] { ui::Current().DebugOutput("[Tolvane] " + line); });
  if (v.TraceMode & 3) g.step([&] { vb::AppendLine(vb::InCurDir("CODE.LOG"), line); });
}

void LogBanner() {
  static const std::string full(87, '#');
  static const std::string frame = "#" + std::string(85, ' ') + "#";
  static const char* const letters[] = {
#include "foundation/Banner.inc"
  };
  // Five lines of block letters, then the "PROGRAM STARTED!!" line.
  TraceLog(0, "");
  TraceLog(0, "");
  TraceLog(0, full);
  TraceLog(0, full);
  TraceLog(0, frame);
  for (int i = 0; i < 5; ++i) TraceLog(0, letters[i]);
  TraceLog(0, frame);
  TraceLog(0, full);
  TraceLog(0, frame);
  TraceLog(0, letters[5]);
  TraceLog(0, frame);
  TraceLog(0, full);
  TraceLog(0, full);
  TraceLog(0, "");
  TraceLog(1, "");
}

bool TimerExpired(float target) {
  vb::Proc g(kModule, "TimerExpired", vb::Trap::Silent);
  return g.value([&] {
    const float t = vb::Timer();
    // A target more than 32000 s ahead was set before midnight, when the clock fell back to 0.
    return t > target || t + 32000 < target;
  });
}

void WaitSeconds(float seconds) {
  vb::Proc g(kModule, "WaitSeconds", vb::Trap::Silent);
  g.step([&] {
    const float start = vb::Timer();
    const float end = start + seconds;
    for (;;) {
      float now = vb::Timer();
      if (end <= now || now < start) break;
    }
  });
}

}  // namespace General
