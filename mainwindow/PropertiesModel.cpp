#include "mainwindow/PropertiesModel.h"

#include "foundation/Registry.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {
constexpr const char* kForm = "frmProperties";
}

void PropertiesModel::Load() {
  vb::Proc g(kForm, "Form_Load");
  const Registry::Settings& reg = Registry::RegSettings();
  pan_ = reg.PanWithMouse != 0;
  zoom_ = reg.ZoomWithMouse != 0;
  applyEnabled_ = true;
  closed_ = false;
}

void PropertiesModel::ClickPan(bool checked) {
  pan_ = checked;
  applyEnabled_ = true;
}

void PropertiesModel::ClickZoom(bool checked) {
  zoom_ = checked;
  applyEnabled_ = true;
}

void PropertiesModel::Store() {
  Registry::Settings& reg = Registry::RegSettings();
  reg.PanWithMouse = pan_ ? 1 : 0;
  reg.ZoomWithMouse = zoom_ ? 1 : 0;
}

void PropertiesModel::Apply() {
  vb::Proc g(kForm, "cmdApply_Click");
  Store();
  g.step([&] { Registry::SaveRegData(); });
  applyEnabled_ = false;
}

void PropertiesModel::Ok() {
  vb::Proc g(kForm, "cmdOK_Click");
  Store();
  g.step([&] { Registry::SaveRegData(); });
  closed_ = true;
}

}  // namespace MainForm
