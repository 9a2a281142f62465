// A repeating handler's failure reported once.
#include "platform/runtime/RepeatedFailure.h"

namespace vb {

RepeatedFailureFilter::Scope::Scope(RepeatedFailureFilter& owner)
    : owner_(owner), inner_(vb::CurrentTrapHandler()) {
  vb::SetTrapHandler(this);
}

RepeatedFailureFilter::Scope::~Scope() {
  vb::SetTrapHandler(inner_);
  owner_.failuresOfLastRun_ = failures_;
  if (owner_.memory_ == Memory::AcrossRuns || met_.empty())
    owner_.last_ = std::move(met_);
  else
    owner_.last_.merge(met_);
}

bool RepeatedFailureFilter::Scope::HandlingOn() { return inner_ && inner_->HandlingOn(); }

void RepeatedFailureFilter::Scope::TraceEntry(std::string_view module, std::string_view procedure) {
  if (inner_) inner_->TraceEntry(module, procedure);
}

void RepeatedFailureFilter::Scope::HandleError(std::string_view module, std::string_view procedure,
                                               const vb::Error& error) {
  Key key{std::string(module), std::string(procedure), error.number,
          owner_.memory_ == Memory::UntilCleanRun ? error.description : std::string()};
  ++failures_;
  const bool reported = owner_.last_.count(key) > 0 || met_.count(key) > 0;
  met_.insert(std::move(key));
  if (!reported && inner_) inner_->HandleError(module, procedure, error);
}

}  // namespace vb
