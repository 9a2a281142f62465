#pragma once
// Hooks for tests: record what the code asked of the user interface and answer message boxes
// with a chosen button.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Hooks.h"

namespace ui {

class FakeHooks : public Hooks {
 public:
  struct Box {
    std::string prompt, title;
    Buttons buttons;
    Icon icon;
  };

  bool mainWindow = true;
  Answer answer = Answer::OK;
  std::vector<std::string> statusTexts;
  std::vector<Box> boxes;
  std::vector<std::string> debugLines;
  int beeps = 0;
  int doEvents = 0;
  int ends = 0;
  bool hourglass = false;
  std::function<void()> onDoEvents;  // e.g. advance a fake clock

  bool MainWindowExists() override { return mainWindow; }
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
  Answer MessageBox(const std::string& prompt, const std::string& title, Buttons buttons,
                    Icon icon) override {
    boxes.push_back({prompt, title, buttons, icon});
    return answer;
  }
  void Beep() override { ++beeps; }
  void DoEvents() override {
    ++doEvents;
    if (onDoEvents) onDoEvents();
  }
  void SetHourglass(bool on) override { hourglass = on; }
  void DebugOutput(const std::string& line) override { debugLines.push_back(line); }
  void EndProgram() override { ++ends; }
};

// Installs a FakeHooks for the lifetime of the object.
class ScopedFakeHooks : public FakeHooks {
 public:
  ScopedFakeHooks() { Install(this); }
  ~ScopedFakeHooks() override { Install(nullptr); }
};

}  // namespace ui
