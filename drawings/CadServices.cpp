// The installed drawing services, main-window hooks and input values.
#include "drawings/CadServices.h"

#include "drawings/FakeCadServices.h"

namespace CadFunctions {

namespace {

struct Installed {
  Services* services = nullptr;
  WindowHooks* hooks = nullptr;
  std::function<DrawingInputs()> inputs;
};

Installed& installed() {
  static Installed i;
  return i;
}

WindowHooks& NoHooks() {
  static WindowHooks none;
  return none;
}

}  // namespace

void InstallServices(Services* services) { installed().services = services; }

Services& services() {
  Services* s = installed().services;
  return s ? *s : DefaultServices();
}

void InstallWindowHooks(WindowHooks* hooks) { installed().hooks = hooks; }

WindowHooks& windowHooks() {
  WindowHooks* h = installed().hooks;
  return h ? *h : NoHooks();
}

void SetDrawingInputsSource(std::function<DrawingInputs()> source) {
  installed().inputs = std::move(source);
}

DrawingInputs CurrentInputs() {
  const auto& source = installed().inputs;
  return source ? source() : DrawingInputs{};
}

}  // namespace CadFunctions
