// A repeating handler's failure reported once.
#include "mainwindow/RepeatedFailure.h"

namespace MainForm {

RepeatedFailureFilter::Scope::Scope(RepeatedFailureFilter& owner)
    : owner_(owner), inner_(vb::CurrentTrapHandler()) {
  vb::SetTrapHandler(this);
}

RepeatedFailureFilter::Scope::~Scope() {
  vb::SetTrapHandler(inner_);
  owner_.last_ = std::move(met_);
}

bool RepeatedFailureFilter::Scope::HandlingOn() { return inner_ && inner_->HandlingOn(); }

void RepeatedFailureFilter::Scope::TraceEntry(std::string_view module, std::string_view procedure) {
  if (inner_) inner_->TraceEntry(module, procedure);
}

void RepeatedFailureFilter::Scope::HandleError(std::string_view module, std::string_view procedure,
                                               const vb::Error& error) {
  Key key{std::string(module), std::string(procedure), error.number};
  const bool reported = owner_.last_.count(key) > 0 || met_.count(key) > 0;
  met_.insert(std::move(key));
  if (!reported && inner_) inner_->HandleError(module, procedure, error);
}

}  // namespace MainForm
