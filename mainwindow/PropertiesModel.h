#pragma once
// The properties dialog's logic (frmProperties): the two mouse options of the drawing views,
// PanWithMouse and ZoomWithMouse of the settings record, stored as 0 or 1 and saved at once.
#include <cstdint>

namespace MainForm {

class PropertiesModel {
 public:
  // Form_Load: the boxes from the settings; Apply starts enabled.
  void Load();
  // A user click on either box enables Apply.
  void ClickPan(bool checked);
  void ClickZoom(bool checked);
  // Stores both boxes and saves the whole settings record; Apply is disabled, the dialog stays.
  void Apply();
  // The same stores and save; the dialog closes.
  void Ok();
  // Closes without storing; values applied earlier stay.
  void Cancel() { closed_ = true; }

  bool Pan() const { return pan_; }
  bool Zoom() const { return zoom_; }
  bool ApplyEnabled() const { return applyEnabled_; }
  bool Closed() const { return closed_; }

 private:
  void Store();
  bool pan_ = false;
  bool zoom_ = false;
  bool applyEnabled_ = true;
  bool closed_ = false;
};

}  // namespace MainForm
