// The drawing tabs' option buttons as the window has them at start: every view side by side,
// the cabin cross section chosen. Benchmarks and picture tools compose tabs with these.
#pragma once

#include <string_view>

#include "drawings/ControlNames.h"
#include "mainwindow/MainForm.h"

struct StartOptions : MainForm::CompositionOptions {
  bool OptionSelected(std::string_view name) override {
    namespace ctl = CadFunctions::ctl;
    for (int button : {1, 3, 5, 7})
      if (name == ctl::Indexed(ctl::optSideOverlay_, button)) return true;
    return name == ctl::optCabin;
  }
  void SetOptionVisible(std::string_view, bool) override {}
  void SetFrameVisible(std::string_view, bool) override {}
};
