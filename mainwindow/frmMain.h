#pragma once
// The main window frmMain: menus, the docked toolbar strip, the tab control SSTab over the
// fourteen tab pages framDisplay(0..13), the data labels of the label catalogue and the status
// bar. It carries out what the start-up and display-update logic asks of it (MainView) and
// runs its event handlers under the common error convention.
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTabBar>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "mainwindow/AircraftData.h"
#include "mainwindow/MainView.h"
#include "mainwindow/QtHooks.h"
#include "mainwindow/Startup.h"

class QAction;
class QRadioButton;
class QScrollBar;

namespace MainForm {

class frmSplash;

// A data label: a QLabel that reports double clicks (the plane colour command).
class DataLabel final : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void doubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent*) override { emit doubleClicked(); }
};

class frmMain final : public QMainWindow, public MainView {
  Q_OBJECT
 public:
  // `data` defaults to the databases of the DBase module.
  explicit frmMain(std::unique_ptr<AircraftData> data = nullptr);
  ~frmMain() override;

  // Form_Load. The caller shows the window afterwards, as the start object is shown.
  void Start();
  Startup& startup() { return startup_; }
  frmSplash* splash() const;

  // Twips and pixels of the screen (15 twips per pixel).
  static int Px(int twips) { return twips / 15; }
  static int Twips(int px) { return px * 15; }

  // --- MainView ---
  void SetMenuVisible(std::string_view item, bool visible) override;
  void SetMenuEnabled(std::string_view item, bool enabled) override;
  void SetMenuChecked(std::string_view item, bool checked) override;
  int SelectedTab() override;
  void SelectTab(int tab) override;
  void SetTabVisible(int tab, bool visible) override;
  void PlaceFramesLike(int tab) override;
  void SetPanelVisible(int panel, bool visible) override;
  void SetAircraftFrameCaption(int plane, const std::string& caption) override;
  std::string LabelCaption(LabelCatalogue::Arr array, int index) override;
  void SetLabelCaption(LabelCatalogue::Arr array, int index, const std::string& text) override;
  void SetLabelBackColor(LabelCatalogue::Arr array, int index, int32_t rgb) override;
  void SetLabelForeColor(LabelCatalogue::Arr array, int index, int32_t rgb) override;
  void SetOptionValue(std::string_view name, bool value) override;
  void SetOptionVisible(std::string_view name, bool visible) override;
  WindowRect Geometry() override;
  void SetGeometry(const WindowRect& rect) override;
  bool IsMaximized() override;
  int32_t StatusBarHeight() override;
  void SetVisible(bool visible) override;
  void SetCaption(const std::string& caption) override;
  void SetTag(const std::string& tag) override { tag_ = tag; }
  std::string Tag() override { return tag_; }
  void SetTimerEnabled(bool enabled) override;
  void DoEvents() override;
  void Delay(float seconds) override;
  void CreateSplash() override;
  void ShowSplash() override;
  void AllowSplashClose() override;
  void ShowTabNo() override;
  void ShowToolbar(bool visible) override;
  void HookWindow() override {}
  void UnHookWindow() override {}
  void ApplyColorScheme() override {}
  void RestoreMenuColor() override {}
  void SetUpScrollBar() override;
  void UnloadAllForms() override;

  // --- Event handlers ---
  void TabStrip_Click();
  void mnuChoose_Click();
  void mnuFileNew_Click();
  void mnuFileExit_Click();
  void mnuHelpContents_Click();
  void Form_Activate();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildClient();
  void BuildLabels();
  void FitClient();
  QAction* Action(std::string_view item) const;
  QWidget* Container(const std::string& name) const;
  QLabel* Label(LabelCatalogue::Arr array, int index) const;
  QRadioButton* Option(std::string_view name) const;

  std::unique_ptr<AircraftData> data_;
  Startup startup_;
  QtHooks hooks_;
  std::string tag_;
  std::map<std::string, QAction*, std::less<>> actions_;
  std::map<std::string, QWidget*, std::less<>> containers_;
  std::map<std::pair<int, int>, QLabel*> labels_;
  std::map<std::string, QRadioButton*, std::less<>> options_;
  QTabBar* tabs_ = nullptr;
  QWidget* stage_ = nullptr;
  QFrame* frames_[14] = {};
  QFrame* panels_[2] = {};
  QFrame* general_ = nullptr;
  QScrollBar* scrollFrame_ = nullptr;
  QFrame* toolbarStrip_ = nullptr;
  QLabel* panel1_ = nullptr;
  QTimer timer1_;
  QPointer<frmSplash> splash_;
  std::optional<WindowRect> pendingOuter_;  // outer rectangle waiting for the frame
  bool startupDone_ = false;
};

}  // namespace MainForm
