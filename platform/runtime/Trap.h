#pragma once
// The error trap of every procedure: trap, report, go on.
//
// A procedure opens with a Proc guard, which makes its trace entry, and runs each statement
// that may fail as a step of that guard. A step that throws is handed to the common error
// handler and the procedure goes on with its next step; whatever the failed step was to assign
// keeps its old value. With error handling off the error leaves the procedure, as an untrapped
// error did, and ends the program at the top level; a failure that the program would otherwise
// lose silently is reported instead (Proc::report) and never ends it.
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/runtime/Error.h"

namespace vb {

// The common trace entry and error handler the guards report to; the General module installs
// itself here. With no handler installed, errors are not trapped.
class TrapHandler {
 public:
  virtual ~TrapHandler() = default;
  virtual bool HandlingOn() = 0;
  virtual void TraceEntry(std::string_view module, std::string_view procedure) = 0;
  virtual void HandleError(std::string_view module, std::string_view procedure,
                           const Error& error) = 0;
};
void SetTrapHandler(TrapHandler* handler);
TrapHandler* CurrentTrapHandler();

enum class Trap {
  Report,  // report through the common handler when error handling is on
  Silent,  // skip a failing step with no report (low-level writers, clock routines)
  None,    // no trap of its own: the error goes to the caller
};

// The guard keeps the module and procedure names as views: they must outlive it (literals, or
// names their caller holds for the length of the call), and nothing is copied for a guard whose
// step never fails.
class Proc {
 public:
  // `trace` asks for the trace entry; by default only reporting procedures make one.
  Proc(std::string_view module, std::string_view procedure, Trap trap = Trap::Report);
  Proc(std::string_view module, std::string_view procedure, Trap trap, bool trace);
  Proc(const Proc&) = delete;
  Proc& operator=(const Proc&) = delete;

  // Runs one statement. Returns true when it ran to its end, false when it failed and the
  // failure was trapped.
  template <class F>
  bool step(F&& statement) {
    try {
      std::forward<F>(statement)();
      return true;
    } catch (const Error& e) {
      failed(e);
    } catch (const std::bad_alloc&) {
      failed(Error{err::OutOfMemory, ErrorText(err::OutOfMemory)});
    } catch (const std::exception& e) {
      failed(Error{err::InternalError, ErrorText(err::InternalError) + ": " + e.what()});
    }
    return false;
  }

  // Runs one statement that yields a value and returns that value; when the statement fails and
  // the failure is trapped, `fallback` is returned instead. The value has the statement's type.
  template <class F, class T = std::invoke_result_t<F&>>
  T value(F&& statement, std::type_identity_t<T> fallback = T{}) {
    std::optional<T> result;
    step([&] { result.emplace(std::forward<F>(statement)()); });
    return result ? std::move(*result) : std::move(fallback);
  }

  // Reports a failure that never ends the program, whether or not error handling is on: one
  // that the program would otherwise lose without a word (a settings file or settings store
  // that cannot be read or written). It goes to the common handler, a silent guard only notes
  // it, and the procedure goes on.
  void report(const Error& e);

  // Err.Number: the number of the last error a step met since the last clearErr; 0 = none.
  long err() const { return lastError_; }
  void clearErr() { lastError_ = 0; }

  std::string_view module() const { return module_; }
  std::string_view procedure() const { return procedure_; }

 private:
  void failed(const Error& e);

  std::string_view module_;
  std::string_view procedure_;
  Trap trap_;
  bool armed_ = false;
  long lastError_ = 0;
};

}  // namespace vb
