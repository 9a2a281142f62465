#pragma once
// Reports a failure that repeats once. Handlers that run again and again by themselves (the
// 100 ms toolbar timer, every wheel notch) would otherwise report the same error on every run,
// and at 1000 errors the common handler ends the program. Inside Run, an error already reported
// by the previous run (same module, procedure and error number) is passed over; once a run no
// longer meets it, it is reported again when it comes back.
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/runtime/Trap.h"

namespace MainForm {

class RepeatedFailureFilter {
 public:
  template <class F>
  void Run(F&& handler) {
    Scope scope(*this);
    std::forward<F>(handler)();
  }
  // The errors the last run met.
  size_t Pending() const { return last_.size(); }

 private:
  using Key = std::tuple<std::string, std::string, long>;

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
  };

  std::set<Key> last_;
};

}  // namespace MainForm
