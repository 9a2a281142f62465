#pragma once
// The splash window's rules without the window: it may close only once start-up has given
// permission; then its timer starts a two-second wait (once), or a click closes it at once; it
// unloads only once, however many ways ask for it.
#include <string>

namespace MainForm {

class SplashModel {
 public:
  void AllowClose() { closeAllowed_ = true; }
  bool CloseAllowed() const { return closeAllowed_; }
  // A tick of ShowTimer: true when the two-second wait is to start now (the timer then stops,
  // so that waits never pile up).
  bool OnTimer();
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
  bool unloaded_ = false;
};

}  // namespace MainForm
