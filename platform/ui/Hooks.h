#pragma once
// What the code below the windows needs of the user interface: status-bar text, message
// boxes, the beep, the hourglass, letting the event loop run and ending the program. The main
// window installs its Qt implementation; tests install FakeHooks; until either is installed a
// headless implementation writes to stderr.
#include <functional>
#include <string>
#include <string_view>

namespace ui {

enum class Buttons { OK, OKCancel };
enum class Icon { None, Critical, Exclamation, Information };
enum class Answer { OK, Cancel };

class Hooks {
 public:
  virtual ~Hooks() = default;
  // Whether the main window exists (its status bar can show text).
  virtual bool MainWindowExists() = 0;
  // Panel 1 of the main window's status bar.
  virtual void SetStatusText(const std::string& text) = 0;
  virtual Answer MessageBox(const std::string& prompt, const std::string& title, Buttons buttons,
                            Icon icon) = 0;
  virtual void Beep() = 0;
  // DoEvents: lets the event loop handle what is pending, once.
  virtual void DoEvents() = 0;
  virtual void SetHourglass(bool on) = 0;
  // The debugger output channel (one line, no line end).
  virtual void DebugOutput(const std::string& line) = 0;
  // End: the program stops at once, with no shut-down steps. An implementation for tests may
  // return; End() below then throws ProgramEnded so that nothing after it runs.
  virtual void EndProgram() = 0;
};

// Thrown by End() when the installed hooks did not stop the process (tests). It is not a
// std::exception, so no error trap catches it.
struct ProgramEnded {};

void Install(Hooks* hooks);  // nullptr restores the headless implementation
Hooks& Current();
Hooks* Installed();  // nullptr while the headless implementation serves

// End: stops the program at once. What was added by FinishBeforeEnd is done first, in the
// order added; a failure in it is passed over.
[[noreturn]] void End();
// Work that must not be left half done when End() stops the program (a print document begun is
// ended, so that its file is whole).
void FinishBeforeEnd(std::function<void()> finish);

// The course of an error with error handling off: "Run-time error 'n':" with its description,
// then the program ends.
[[noreturn]] void UntrappedError(long number, const std::string& description);

// The program's standard message box title.
inline constexpr std::string_view ProgramTitle = "Tolvane";

}  // namespace ui
