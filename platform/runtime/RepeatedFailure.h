#pragma once
// Reports a failure that repeats once. Handlers that run again and again by themselves (the
// 100 ms toolbar timer, every wheel notch) would otherwise report the same error on every run,
// and at 1000 errors the common handler ends the program. Inside Run, an error already reported
// by the previous run (same module, procedure and error number) is passed over; once a run no
// longer meets it, it is reported again when it comes back.
//
// A filter that remembers until a clean run (Memory::UntilCleanRun) passes over a failure that
// any run since the last run without failures has reported unchanged (same module, procedure,
// number and text): a run reports it once, and later runs report only what is new. A run that
// meets no failure at all forgets them, so that a failure coming back is reported again. The
// display update and the print jobs use it: with the aircraft database gone, every tab switch
// and every printed page would otherwise report the same failed reads again, label after label,
// page after page, until the error limit ends the program.
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/runtime/Trap.h"

namespace vb {

class RepeatedFailureFilter {
 public:
  enum class Memory { AcrossRuns, UntilCleanRun };
  explicit RepeatedFailureFilter(Memory memory = Memory::AcrossRuns) : memory_(memory) {}

  template <class F>
  void Run(F&& handler) {
    Scope scope(*this);
    std::forward<F>(handler)();
  }
  // The errors the last run met (for a filter that remembers until a clean run: every run's
  // since then).
  size_t Pending() const { return last_.size(); }
  // The failures the last run met, reported or passed over.
  long FailuresOfLastRun() const { return failuresOfLastRun_; }

 private:
  // Module, procedure, error number and (until a clean run only) the error's text.
  using Key = std::tuple<std::string, std::string, long, std::string>;

  // Stands in front of the installed trap handler for the length of one run.
  class Scope : public vb::TrapHandler {
   public:
    explicit Scope(RepeatedFailureFilter& owner);
    ~Scope() override;
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    bool HandlingOn() override;
    void TraceEntry(std::string_view module, std::string_view procedure) override;
    void HandleError(std::string_view module, std::string_view procedure,
                     const vb::Error& error) override;

   private:
    RepeatedFailureFilter& owner_;
    vb::TrapHandler* inner_;
    std::set<Key> met_;
    long failures_ = 0;
  };

  Memory memory_;
  std::set<Key> last_;
  long failuresOfLastRun_ = 0;
};

}  // namespace vb
