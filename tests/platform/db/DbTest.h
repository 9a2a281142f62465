#pragma once
// Helpers of the database layer's tests.
#include <functional>
#include <string>

#include "platform/runtime/Error.h"

namespace dbtest {

// The error a call raises; number 0 when it raises none.
inline vb::Error ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const vb::Error& e) {
    return e;
  }
  return {};
}

inline long NumberOf(const std::function<void()>& call) { return ErrorOf(call).number; }

}  // namespace dbtest
