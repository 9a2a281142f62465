#pragma once
// Errors trapped and reported as in the program, with no error box and no status-bar pause, so
// that a failing step is reported and the procedure goes on without waiting for anyone.
#include "foundation/General.h"

namespace testsupport {

inline void ReportErrorsAndGoOn() {
  General::vars().ErrorHandlingOn = 1;
  General::vars().ErrorStatusSeconds = 0;
  General::vars().ErrorBoxSeconds = 0;
}

}  // namespace testsupport
