#pragma once
// What a benchmark's work reports through the common error handler, counted, so that a broken
// run shows in the figures.
#include <string_view>

#include "platform/runtime/Trap.h"

namespace benchsupport {

struct CountingTraps : vb::TrapHandler {
  long errors = 0;
  bool HandlingOn() override { return true; }
  void TraceEntry(std::string_view, std::string_view) override {}
  void HandleError(std::string_view, std::string_view, const vb::Error&) override { ++errors; }
};

}  // namespace benchsupport
