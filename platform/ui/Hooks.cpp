#include "platform/ui/Hooks.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ui {

namespace {

// Used before the main window installs its own hooks: no window, boxes go to stderr.
class HeadlessHooks final : public Hooks {
 public:
  bool MainWindowExists() override { return false; }
  void SetStatusText(const std::string&) override {}
  Answer MessageBox(const std::string& prompt, const std::string& title, Buttons, Icon) override {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), prompt.c_str());
    return Answer::OK;
  }
  void Beep() override {}
  void DoEvents() override {}
  void SetHourglass(bool) override {}
  void DebugOutput(const std::string& line) override { std::fprintf(stderr, "%s\n", line.c_str()); }
  void EndProgram() override {
    std::fflush(nullptr);
    std::_Exit(0);
  }
};

HeadlessHooks headless;
Hooks* current = &headless;

}  // namespace

void Install(Hooks* hooks) { current = hooks ? hooks : &headless; }

Hooks& Current() { return *current; }

Hooks* Installed() { return current == &headless ? nullptr : current; }

std::vector<std::function<void()>>& finishing() {
  static std::vector<std::function<void()>> work;
  return work;
}

void FinishBeforeEnd(std::function<void()> finish) { finishing().push_back(std::move(finish)); }

void End() {
  for (const std::function<void()>& finish : finishing()) {
    try {
      finish();
    } catch (...) {
      // The program ends anyway; what could be finished was.
    }
  }
  current->EndProgram();
  throw ProgramEnded{};
}

void UntrappedError(long number, const std::string& description) {
  current->MessageBox("Run-time error '" + std::to_string(number) + "':\n\n" + description,
                      std::string(ProgramTitle), Buttons::OK, Icon::Critical);
  End();
}

}  // namespace ui
