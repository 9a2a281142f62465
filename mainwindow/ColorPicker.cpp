#include "mainwindow/ColorPicker.h"

#include "foundation/Registry.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"

namespace Color {

namespace {

PickerRunner& runner() {
  static PickerRunner r;
  return r;
}

// Set by frmColor's translation unit: the dialog that serves when no runner is installed.
PickerRunner& defaultRunner() {
  static PickerRunner r;
  return r;
}

int32_t Cell(int index) {
  if (index < 0 || index >= static_cast<int>(kCells.size()))
    throw vb::Error{vb::err::SubscriptOutOfRange, vb::ErrorText(vb::err::SubscriptOutOfRange)};
  return kCells[static_cast<size_t>(index)];
}

}  // namespace

Vars& vars() {
  static Vars v;
  return v;
}

void PickerModel::Load() {
  const Vars& v = vars();
  caption_ = v.ColorTitle;
  planeBoxVisible_ = v.ColorPlaneOption;
  planeBoxChecked_ = planeBoxVisible_ && Registry::RegSettings().DimColor == kPlaneColor;
  sample_ = v.ChosenColor;
  closed_ = false;
}

void PickerModel::ClickCell(int index) {
  sample_ = Cell(index);
  planeBoxChecked_ = false;
}

void PickerModel::DoubleClickCell(int index) {
  sample_ = Cell(index);
  planeBoxChecked_ = false;
  vars().ChosenColor = sample_;
  closed_ = true;
}

void PickerModel::Ok() {
  vars().ChosenColor = planeBoxChecked_ ? kPlaneColor : sample_;
  closed_ = true;
}

void InstallPicker(PickerRunner r) { runner() = std::move(r); }

void SetDefaultPicker(PickerRunner r) { defaultRunner() = std::move(r); }

const PickerRunner& DefaultPicker() { return defaultRunner(); }

int32_t SelectColor(std::string_view title, int32_t colour, bool planeOption) {
  vb::Proc g("Color", "SelectColor");
  Vars& v = vars();
  v.ChosenColor = colour;
  v.ColorTitle = std::string(title);
  v.ColorPlaneOption = planeOption;
  g.step([&] {
    PickerModel model;
    model.Load();
    const PickerRunner& show = runner() ? runner() : defaultRunner();
    if (show) show(model);
  });
  return v.ChosenColor;
}

void resetForTest() {
  vars() = Vars{};
  runner() = nullptr;
}

namespace {
const vb::StateReset stateReset(vb::ResetOrder::Window, &resetForTest);
}  // namespace

}  // namespace Color
