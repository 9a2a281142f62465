#include "platform/runtime/Trap.h"

namespace vb {

namespace {
TrapHandler* installed = nullptr;
}

void SetTrapHandler(TrapHandler* handler) { installed = handler; }

TrapHandler* CurrentTrapHandler() { return installed; }

Proc::Proc(std::string_view module, std::string_view procedure, Trap trap)
    : Proc(module, procedure, trap, trap == Trap::Report) {}

Proc::Proc(std::string_view module, std::string_view procedure, Trap trap, bool trace)
    : module_(module), procedure_(procedure), trap_(trap) {
  if (trap_ == Trap::Report) armed_ = installed && installed->HandlingOn();
  if (trace && installed) installed->TraceEntry(module_, procedure_);
}

void Proc::report(const Error& e) {
  lastError_ = e.number;
  if (trap_ != Trap::Silent && installed) installed->HandleError(module_, procedure_, e);
}

void Proc::failed(const Error& e) {
  lastError_ = e.number;
  switch (trap_) {
    case Trap::Silent:
      return;
    case Trap::None:
      throw e;
    case Trap::Report:
      if (!armed_ || !installed) throw e;
      installed->HandleError(module_, procedure_, e);
      return;
  }
}

}  // namespace vb
