#pragma once
// The reset of the whole program state, for tests. Every module that keeps state in its .cpp
// registers its reset there, at static initialisation:
//
//   const vb::StateReset reset(vb::ResetOrder::Foundation, &Globals::resetForTest);
//
// and a test calls vb::ResetProgramState() to put every module that is linked into the program
// back as it was at start. A module that is not linked has no state to reset and registers
// nothing. What a test installs for itself with a scoped object (the clock, the UI hooks) stays
// with that object; the program folder and the current folder are the test's to set.
namespace vb {

// The order the resets run in: the lower layers first, so that a module that installs itself
// into a lower one when it is reset (the error handler into the runtime) does so after that
// one is reset. Resets of one order run in the order they registered.
enum class ResetOrder { Platform, Foundation, Drawings, Charts, Printing, Window };

class StateReset {
 public:
  StateReset(ResetOrder order, void (*reset)());
};

// Runs every registered reset.
void ResetProgramState();

// The state a module keeps in one object of its own type T: made on first use, and made afresh
// by ResetProgramState, its reset registered in `Order` at static initialisation. A module's .cpp
// holds no more than
//
//   using State = vb::ModuleState<Vars, vb::ResetOrder::Charts>;
//   Vars& vars() { return State::Get(); }
//   void resetForTest() { State::Reset(); }
//
// Each state type is one module's (two modules naming the same T would share one object).
template <class T, ResetOrder Order>
class ModuleState {
 public:
  static T& Get() {
    static_cast<void>(&registration_);  // the reset is registered wherever the state is used
    static T value;
    return value;
  }
  static void Reset() { Get() = T{}; }

 private:
  static inline const StateReset registration_{Order, &ModuleState::Reset};
};

}  // namespace vb
