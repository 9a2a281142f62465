// Module Registry: reading, correcting and writing the settings record, and the "Metric" value.
#include "foundation/Registry.h"

#include <utility>

#include "foundation/cEasyReg.h"
#include "platform/registry/WinReg.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"

namespace Registry {

namespace {

constexpr std::string_view kModule = "Registry";
constexpr std::string_view kParentDir = "Software";
constexpr std::string_view kCorpDir = "Velmora";
constexpr std::string_view kProductDir = "Tolvane";

struct Vars {
  Settings RegSettings;
  double ScreenWidth = 1920 * 15;
  double ScreenHeight = 1080 * 15;
  // The last failure of the store file reported: the same failure is not reported again until
  // the store has been read or written without one, so that one store that cannot be written
  // is told once, not at every save.
  std::string LastStoreFailure;
};

using State = vb::ModuleState<Vars, vb::ResetOrder::Foundation>;

Vars& vars() { return State::Get(); }

// The steps of one procedure, remembering the last error they met (number and description),
// so that the box at the end of a whole read or write can show it.
class Steps {
 public:
  explicit Steps(vb::Proc& guard) : guard_(guard) {}

  template <class F>
  bool step(F&& statement) {
    vb::Error met;
    const bool ran = guard_.step([&] {
      try {
        std::forward<F>(statement)();
      } catch (const vb::Error& e) {
        met = e;
        throw;
      }
    });
    if (!ran) {
      pending_ = met.number != 0 ? met : vb::Error{guard_.err(), vb::ErrorText(guard_.err())};
    }
    return ran;
  }

  // A failure that never ends the program (Proc::report), pending like any other.
  void report(vb::Error error) {
    guard_.report(error);
    pending_ = std::move(error);
  }

  void clearErr() {
    guard_.clearErr();
    pending_ = {};
  }
  bool pending() const { return pending_.number != 0; }
  const vb::Error& error() const { return pending_; }

  // The box of an error still pending at the end of a whole read or write.
  void reportPending(std::string_view title) {
    if (!pending()) return;
    const std::string prompt =
        "Error " + pending_.description + " (" + std::to_string(pending_.number) + ")";
    step([&] {
      ui::Current().MessageBox(prompt, std::string(title), ui::Buttons::OK, ui::Icon::None);
    });
  }

 private:
  vb::Proc& guard_;
  vb::Error pending_;
};

void Message(Steps& steps, std::string_view prompt) {
  steps.step([&] {
    ui::Current().MessageBox(std::string(prompt), std::string(ui::ProgramTitle), ui::Buttons::OK,
                             ui::Icon::None);
  });
}

// Opens the settings key, creating it step by step when it is missing. A step that fails shows
// its message and leaves the key not open.
bool OpenOrCreateKey(cEasyReg& easyReg, Steps& steps) {
  bool open = false;
  steps.step([&] { open = easyReg.OpenRegistry(reg::HKEY_CURRENT_USER, kKeyPath); });
  if (open) return true;
  bool ok = false;
  steps.step([&] { ok = easyReg.OpenRegistry(reg::HKEY_CURRENT_USER, kParentDir); });
  if (!ok) {
    Message(steps, "Couldn't Open Registry (PARENTDIR)");
    return false;
  }
  ok = false;
  steps.step([&] { ok = easyReg.CreateDirectory(kCorpDir); });
  if (!ok) {
    Message(steps, "Couldn't Open Registry (CORPDIR)");
    return false;
  }
  ok = false;
  steps.step([&] {
    ok = easyReg.CreateDirectory(std::string(kCorpDir) + "\\" + std::string(kProductDir));
  });
  if (!ok) {
    Message(steps, "Couldn't Open Registry (CORPDIR\\PRODUCTDIR)");
    return false;
  }
  steps.step([&] {
    easyReg.CloseRegistry();
    open = easyReg.OpenRegistry(reg::HKEY_CURRENT_USER, kKeyPath);
  });
  if (!open) Message(steps, "Couldn't Open Registry (PARENTDIR\\CORPDIR\\PRODUCTDIR)");
  return open;
}

// A failure of the store file (damaged, unreadable, not writable) is reported whether or not
// error handling is on, and the program goes on: the settings live on in memory. The same
// failure again is passed over until the store works again.
void StoreFailure(Steps& steps, std::string problem) {
  std::string& last = vars().LastStoreFailure;
  if (problem == last) return;
  last = problem;
  steps.report({vb::err::PathFileAccess, std::move(problem)});
}

// The store was read or written without a failure.
void StoreWorked() { vars().LastStoreFailure.clear(); }

// Why a value could not be written: what the store says about its file, or the value's name.
std::string WriteFailure(std::string_view name) {
  std::string problem = reg::StoreProblem();
  if (problem.empty()) problem = "Cannot write the registry value " + std::string(name);
  return problem;
}

}  // namespace

Settings& RegSettings() { return vars().RegSettings; }

void SetScreenSize(double widthTwips, double heightTwips) {
  vars().ScreenWidth = widthTwips;
  vars().ScreenHeight = heightTwips;
}

double ScreenWidth() { return vars().ScreenWidth; }
double ScreenHeight() { return vars().ScreenHeight; }

void resetForTest() { State::Reset(); }

void LoadDefaults() {
  vb::Proc g(kModule, "LoadDefaults");
  Vars& v = vars();
  Settings& s = v.RegSettings;
  g.step([&] { s.Top = vb::CLng(v.ScreenHeight * 0.05); });
  g.step([&] { s.Left = vb::CLng(v.ScreenWidth * 0.05); });
  g.step([&] { s.Width = vb::CLng(v.ScreenWidth * 0.9); });
  g.step([&] { s.Height = vb::CLng(v.ScreenHeight * 0.9); });
  s.DatabaseVersion = "Database Version Error";
  s.Aircraft1.clear();
  s.Aircraft2.clear();
  s.PanWithMouse = 1;
  s.ZoomWithMouse = 1;
  s.ToolbarVisible = true;
  s.ToolbarDocked = true;
  s.ToolbarX = 1000;
  s.ToolbarY = 500;
  s.PlaneColor1 = 255;       // red
  s.PlaneColor2 = 0xFF0000;  // blue
  s.DimColor = -1;           // each plane's own colour
  s.ProgramVersion.clear();
}

void GetRegData() {
  vb::Proc g(kModule, "GetRegData");
  Steps steps(g);
  Vars& v = vars();
  Settings& s = v.RegSettings;
  const double screenWidth = v.ScreenWidth;
  const double screenHeight = v.ScreenHeight;
  steps.clearErr();

  cEasyReg easyReg;
  bool open = false;
  steps.step([&] { open = easyReg.OpenRegistry(reg::HKEY_CURRENT_USER, kKeyPath); });
  // A store file that is damaged or cannot be read is reported (the store has kept it aside,
  // so the next start is clean); the settings then start from their defaults.
  std::string problem;
  steps.step([&] { problem = reg::StoreProblem(); });
  if (problem.empty())
    StoreWorked();
  else
    StoreFailure(steps, std::move(problem));
  if (!open) {
    steps.reportPending("Error Reading From Registry...");
    LoadDefaults();
    SaveRegData();
    return;
  }

  auto read = [&](std::string_view name) { return easyReg.GetValue(name, false); };
  steps.step([&] { s.Top = read("Top").toLong(); });
  steps.step([&] {
    if (s.Top > screenHeight || s.Top < 0) s.Top = vb::CLng(screenHeight / 8);
  });
  steps.step([&] { s.Left = read("Left").toLong(); });
  steps.step([&] {
    if (s.Left > screenWidth || s.Left < 0) s.Left = vb::CLng(screenWidth / 8);
  });
  steps.step([&] { s.Width = read("Width").toLong(); });
  steps.step([&] {
    if (s.Width < 2500) s.Width = vb::CLng(screenWidth * 0.75);
  });
  steps.step([&] { s.Height = read("Height").toLong(); });
  steps.step([&] {
    if (s.Height < 1000) s.Height = vb::CLng(screenHeight * 0.75);
  });
  steps.step([&] { s.Aircraft1 = read("Aircraft1").toString(); });
  steps.step([&] { s.Aircraft2 = read("Aircraft2").toString(); });
  steps.step([&] { s.PanWithMouse = read("PanWithMouse").toByte(); });
  steps.step([&] { s.ZoomWithMouse = read("ZoomWithMouse").toByte(); });
  steps.step([&] { s.ToolbarVisible = read("ToolbarVisible").toBool(); });
  steps.step([&] { s.ToolbarDocked = read("ToolbarDocked").toBool(); });
  steps.step([&] { s.ToolbarX = read("ToolbarX").toLong(); });
  steps.step([&] { s.ToolbarY = read("ToolbarY").toLong(); });
  steps.step([&] { s.DatabaseVersion = read("DatabaseVersion").toString(); });
  steps.step([&] { s.PlaneColor1 = read("PlaneColor1").toLong(); });
  steps.step([&] { s.PlaneColor2 = read("PlaneColor2").toLong(); });
  steps.step([&] { s.DimColor = read("DimColor").toLong(); });
  steps.step([&] { s.ProgramVersion = read("ProgramVersion").toString(); });
  steps.step([&] { easyReg.CloseRegistry(); });

  steps.reportPending("Error Reading From Registry...");
}

int32_t SaveRegData() {
  vb::Proc g(kModule, "SaveRegData");
  Steps steps(g);
  const Settings& s = vars().RegSettings;
  steps.clearErr();

  cEasyReg easyReg;
  if (!OpenOrCreateKey(easyReg, steps)) return -1;

  std::string failed;  // the first value that could not be written
  auto write = [&](std::string_view name, const vb::Variant& value) {
    steps.step([&] {
      if (!easyReg.CreateValue(name, value, reg::REG_SZ) && failed.empty()) failed = name;
    });
  };
  write("Top", s.Top);
  write("Left", s.Left);
  write("Width", s.Width);
  write("Height", s.Height);
  write("Aircraft1", s.Aircraft1);
  write("Aircraft2", s.Aircraft2);
  write("PanWithMouse", s.PanWithMouse);
  write("ZoomWithMouse", s.ZoomWithMouse);
  write("ToolbarVisible", s.ToolbarVisible);
  write("ToolbarDocked", s.ToolbarDocked);
  write("ToolbarX", s.ToolbarX);
  write("ToolbarY", s.ToolbarY);
  write("DatabaseVersion", s.DatabaseVersion);
  write("PlaneColor1", s.PlaneColor1);
  write("PlaneColor2", s.PlaneColor2);
  write("DimColor", s.DimColor);
  write("ProgramVersion", s.ProgramVersion);
  // A record that did not reach the store is a failure of the write, not a silent success.
  if (failed.empty())
    StoreWorked();
  else
    StoreFailure(steps, WriteFailure(failed));
  steps.step([&] { easyReg.CloseRegistry(); });

  steps.reportPending("Error Writing To Registry...");
  if (steps.pending()) return static_cast<int32_t>(steps.error().number);
  return failed.empty() ? 0 : static_cast<int32_t>(vb::err::PathFileAccess);
}

vb::Variant RegistryValue(std::string_view name) {
  vb::Proc g(kModule, "RegistryValue");
  g.clearErr();
  vb::Variant result = std::string();
  cEasyReg easyReg;
  bool open = false;
  g.step([&] { open = easyReg.OpenRegistry(reg::HKEY_CURRENT_USER, kKeyPath); });
  if (open) {
    g.step([&] { result = easyReg.GetValue(name, false); });
    g.step([&] { easyReg.CloseRegistry(); });
  }
  return result;
}

int32_t WriteRegistryValue(std::string_view name, const vb::Variant& value) {
  vb::Proc g(kModule, "WriteRegistryValue");
  Steps steps(g);
  steps.clearErr();
  cEasyReg easyReg;
  if (!OpenOrCreateKey(easyReg, steps)) return -1;
  bool written = false;
  // A value without a text (Null) is an error of its own, not a failed write.
  if (steps.step([&] { written = easyReg.CreateValue(name, value.toString(), reg::REG_SZ); })) {
    if (written)
      StoreWorked();
    else
      StoreFailure(steps, WriteFailure(name));
  }
  steps.step([&] { easyReg.CloseRegistry(); });
  if (steps.pending()) return static_cast<int32_t>(steps.error().number);
  return written ? 0 : static_cast<int32_t>(vb::err::PathFileAccess);
}

}  // namespace Registry
