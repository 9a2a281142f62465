#pragma once
// The splash window's rules without the window: it may close only once start-up has given
// permission; then its timer starts a two-second wait (once) on the program's clock, or a click
// closes it at once; it unloads only once, however many ways ask for it.
#include <string>

namespace MainForm {

class SplashModel {
 public:
  void AllowClose() { closeAllowed_ = true; }
  bool CloseAllowed() const { return closeAllowed_; }
  // What a tick of ShowTimer asks for.
  enum class Tick {
    None,       // nothing yet
    StartWait,  // the two-second wait starts now (once: waits never pile up)
    Close,      // the wait is over: the window unloads
  };
  // A tick of ShowTimer at `now`, the clock's seconds since midnight (vb::Timer).
  Tick OnTimer(float now);
  // The wait before the window unloads by itself, in seconds.
  static constexpr float kUnloadDelay = 2;
  // A click on the window, its label or its logo: true when the window is to close now.
  bool OnClick() const { return closeAllowed_ && !unloaded_; }
  // The unload: true the first time only.
  bool BeginUnload();
  bool Unloaded() const { return unloaded_; }

  // The splash text, with the year of the machine's clock.
  static std::string Text();

 private:
  bool closeAllowed_ = false;
  bool waiting_ = false;
  float waitFrom_ = 0;
  bool unloaded_ = false;
};

}  // namespace MainForm
