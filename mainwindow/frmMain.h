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
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "drawings/DrawingViews.h"
#include "mainwindow/AircraftData.h"
#include "mainwindow/ColorScheme.h"
#include "mainwindow/MainView.h"
#include "mainwindow/MenuCommands.h"
#include "mainwindow/MouseWheel.h"
#include "mainwindow/ProportionalLayout.h"
#include "mainwindow/QtHooks.h"
#include "mainwindow/Startup.h"
#include "mainwindow/TabDispatcher.h"
#include "mainwindow/ToolbarModule.h"
#include "mainwindow/frmToolbar.h"

class QAction;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace dxf {
class DrawingWidget;
}

namespace CadFunctions {
class DxfCadServices;
}

namespace vb {
class RepeatedFailureFilter;
}

namespace Printing {
class QtDevices;
}

namespace Wiring {
class Installed;
}

namespace MainForm {

class frmSplash;
class TabHeaders;
class DrawingWindowHooks;
class WindowPrintingHooks;

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

class frmMain final : public QMainWindow,
                      public MainView,
                      public DrawingViews,
                      public Toolbar::Windows,
                      public TabWindow,
                      public CompositionOptions,
                      public MouseWheel::WheelWindow,
                      public LayoutWindow {
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
  // The client area as designed: the tab pages' width, and under the toolbar strip and the tab
  // headers the pages' height (pixels).
  static constexpr int kDesignWidth = LabelCatalogue::kPageWidth / 15;
  static constexpr int kPageDesignHeight = LabelCatalogue::kPageHeight / 15;
  // The docked toolbar strip across the top, and the gap under it (pixels).
  static constexpr int kStripHeight = 32;
  static constexpr int kStripGap = 2;

  // --- MainView ---
  void SetMenuVisible(std::string_view item, bool visible) noexcept override;
  void SetMenuEnabled(std::string_view item, bool enabled) noexcept override;
  // Also what the toolbar module and the drawing operations set.
  void SetMenuChecked(std::string_view item, bool checked) noexcept override;
  int SelectedTab() noexcept override;
  void SelectTab(int tab) noexcept override;
  void SetTabVisible(int tab, bool visible) override;
  void PlaceFramesLike(int tab) noexcept override;
  void SetPanelVisible(int panel, bool visible) noexcept override;
  void SetAircraftFrameCaption(int plane, const std::string& caption) noexcept override;
  std::string LabelCaption(LabelCatalogue::Arr array, int index) override;
  void SetLabelCaption(LabelCatalogue::Arr array, int index, const std::string& text) override;
  void SetLabelBackColor(LabelCatalogue::Arr array, int index, int32_t rgb) override;
  void SetLabelForeColor(LabelCatalogue::Arr array, int index, int32_t rgb) override;
  void SetOptionValue(std::string_view name, bool value) override;
  void SetOptionVisible(std::string_view name, bool visible) override;
  WindowRect Geometry() override;
  void SetGeometry(const WindowRect& rect) noexcept override;
  bool IsMaximized() override;
  void SetVisible(bool visible) override;
  void SetCaption(const std::string& caption) noexcept override;
  void SetTag(const std::string& tag) noexcept override { tag_ = tag; }
  std::string Tag() override { return tag_; }
  void SetTimerEnabled(bool enabled) noexcept override;
  void DoEvents() override;
  void Delay(float seconds) override;
  void CreateSplash() override;
  void ShowSplash() override;
  void AllowSplashClose() override;
  void ShowTabNo() override;
  void ShowToolbar(bool visible) override;
  void HookWindow() override;
  void UnHookWindow() override;
  // The scheme of the INI file's FormColor (nothing without one). Only this program's own
  // windows and menus are recoloured, so there is no desktop colour to restore.
  void ApplyColorScheme() override;
  void ApplyColorScheme(const ColorScheme& scheme);
  void RestoreMenuColor() override {}
  // The scroll rule (the activation's part of the layout).
  void SetUpScrollBar() noexcept override;
  void UnloadAllForms() override;
  // --- TabWindow (the tab dispatcher's side of the window) ---
  // The tab bar's tab alone; SetTabVisible also moves off a current tab that is hidden.
  void SetTabShown(int tab, bool shown) noexcept override;
  void SetBusyPointer(bool busy) noexcept override;
  void UpdateDisplay() override;
  void SetPageShown(int tab, bool shown) noexcept override;
  void HideAssumption(int tab) noexcept override;
  void BuildChart(const ChartHover::PictureInfo& picture, int chartNumber) override;

  // --- CompositionOptions ---
  bool OptionSelected(std::string_view name) override;
  void SetFrameVisible(std::string_view name, bool visible) override;

  // --- WheelWindow ---
  MouseWheel::ScrollBarValues ScrollBar() override;
  void SetScrollValue(int32_t value) override;

  // --- LayoutWindow: the proportional layout of the client area ---
  bool Minimized() override { return isMinimized(); }
  // The client area in twips; while the toolbar strip is hidden, as tall as it would be with the
  // strip, whose place the tabs take.
  int32_t FormWidth() override;
  int32_t FormHeight() override;
  void Place(int index, const LayoutRect& rect) override;
  int32_t GeneralHeight() override;
  int32_t PanelHeight(int panel) override;
  void SetScrollBar(const ScrollBarSetting& setting) override;
  // The layout's design: the client area's size at load and every control in it.
  const ProportionalLayout& designLayout() const { return *layout_; }

  // --- DrawingViews: CAD(2) to CAD(5) of the tab pages ---
  void SetLayerColor(int view, int position, int colourIndex) override;
  void Redraw(int view) override;
  void ClearDrawing(int view) override;
  void SaveDxf(int view, const std::string& file) override;
  void SaveMetafile(int view, const std::string& file) override;
  void SaveBitmap(int view, const std::string& file) override;
  // The drawing control of view 0 (measuring, never shown) or 2 to 5; nullptr for others.
  dxf::DrawingWidget* CAD(int view) const;
  // Where the window's own drawing-control commands go; tests put in a recorder. nullptr
  // restores the window's drawing views.
  void SetDrawingViews(DrawingViews* views) { cad_ = views ? views : this; }
  // The export's save dialog; nullptr restores the file dialog.
  void SetSaveDialog(SaveDialog* dialog);

  // --- Toolbar::Windows ---
  void SetStripVisible(bool visible) override;
  bool FloatingVisible() override;
  void SetFloatingVisible(bool visible) override;
  void SetFloatingNormal() override;
  std::string FloatingCaption() override;
  void SetFloatingCaption(const std::string& caption) override;
  std::string FloatingTag() override;
  void SetFloatingTag(const std::string& tag) override;
  void SetFloatingTitleBar(bool shown) override;
  void SetFloatingTopmost(bool topmost) override;
  Toolbar::Rect FloatingGeometry() override;
  void SetFloatingSize(int32_t width, int32_t height) override;
  void MoveFloating(int32_t left, int32_t top) override;
  Toolbar::Rect MainGeometry() override;
  void FocusMain() override;
  frmToolbar* floatingToolbar() const { return floating_; }
  // The printer, the printer dialog and the preview window of the window's print jobs.
  Printing::QtDevices& printingDevices() const { return *printingDevices_; }
  // The program's wiring as the window installed it.
  const Wiring::Installed& wiring() const { return *wiring_; }
  // FontBold of cmdToolbar(index) on the strip and on the floating window.
  void SetToolbarButtonBold(int index, bool bold);

  // --- Event handlers ---
  void TabStrip_Click();
  void mnuChoose_Click();
  void mnuFileNew_Click();
  void mnuFileExport_Click();
  void mnuFileProperties_Click();
  void mnuFileExit_Click();
  void mnuEditCopy_Click();
  void mnuHelpContents_Click();
  void mnuHelpAbout_Click();
  void mnuViewDimColor_Click();
  void mnuViewMetric_Click();
  void mnuViewPlane1_Click();
  void mnuViewPlane2_Click();
  void mnuViewPlane1Color_Click();
  void mnuViewPlane2Color_Click();
  void mnuViewShowDims_Click();
  void mnuViewShowGrid_Click();
  void mnuViewToolbarDock_Click();
  void mnuViewToolbarShow_Click();
  void chkACVisible_Click(int index);
  // The data labels of either aircraft: that plane's colour chosen (plane 1 or 2).
  void lblData_DblClick(int plane);
  // The option buttons' Click handlers: the layout of a drawing tab (optSideOverlay(index)), the
  // helicopter configuration (optCorp 1, optEMS 2, optUtil 3), the helicopter interior views
  // (optHeliAll, and each other one under its own procedure name) and the WAT chart (optWATA 1,
  // optWATB 2). The fixed-wing interior views only redraw the interior (InteriorRedraw).
  void optSideOverlay_Click(int index);
  void Configuration_Click(int config);
  void optHeliAll_Click();
  void HeliView_Click(const char* procedure);
  void WATChart_Click(int chart);
  void Timer1_Timer();
  void Form_Activate();
  // A print job has started or ended: while it runs the print items are disabled and the
  // window and the floating toolbar take no input (they still paint); afterwards every print
  // item has the state the window last gave it.
  void PrintJobStarted();
  void PrintJobEnded();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildClient();
  void BuildToolbar(QWidget* client);
  void BuildLabels();
  void ConnectCommands();
  // The interior redraw common to the interior option buttons, around `step`.
  void InteriorRedraw(const char* procedure, const std::function<void()>& step);
  dxf::DrawingWidget* View(int view) const;
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
  std::vector<std::pair<QRadioButton*, std::function<void()>>> optionClicks_;
  QTabBar* tabs_ = nullptr;
  TabHeaders* tabHeaders_ = nullptr;  // the band tabs_ slides in
  QWidget* stage_ = nullptr;
  QFrame* frames_[14] = {};
  QFrame* panels_[2] = {};
  QFrame* general_ = nullptr;
  QScrollBar* scrollFrame_ = nullptr;
  QFrame* toolbarStrip_ = nullptr;
  std::array<QPushButton*, 10> stripButtons_{};
  QPointer<frmToolbar> floating_;
  std::array<dxf::DrawingWidget*, 6> cadViews_{};
  // The drawing operations work on this window's own drawing controls CAD(0) and CAD(2..5).
  std::unique_ptr<DrawingWindowHooks> drawingHooks_;
  std::unique_ptr<CadFunctions::DxfCadServices> drawingServices_;
  std::unique_ptr<WindowPrintingHooks> printingHooks_;
  std::unique_ptr<Printing::QtDevices> printingDevices_;
  // Every process-wide hook, installed while the window lives (declared after the adapters it
  // points to, so that it goes first).
  std::unique_ptr<Wiring::Installed> wiring_;
  std::unique_ptr<QObject> jobInputBlocker_;
  std::map<QAction*, bool> printItemsHeld_;  // the print items' states while a job runs
  // The 100 ms timer's failures, each reported once however many ticks meet it.
  std::unique_ptr<vb::RepeatedFailureFilter> timerFailures_;
  std::unique_ptr<CompositionControls> composition_;
  std::unique_ptr<TabDispatcher> dispatcher_;
  std::unique_ptr<QObject> wheelHook_;
  // The client area's controls as designed (the widget of each entry of the layout's table).
  std::unique_ptr<ProportionalLayout> layout_;
  std::vector<QWidget*> layoutControls_;
  void RecordDesign();
  // Form_Resize over the design.
  void Relayout();
  // The height the tabs move up by while the toolbar strip is hidden (pixels).
  int StripShift() const;
  // Both general-data panels at the scroll bar's value.
  void MovePanels(int value);
  DrawingViews* cad_ = this;
  std::unique_ptr<SaveDialog> fileDialog_;
  SaveDialog* saveDialog_ = nullptr;
  std::string exportName_;
  QLabel* panel1_ = nullptr;
  QTimer timer1_;
  QPointer<frmSplash> splash_;
  std::optional<WindowRect> pendingOuter_;  // outer rectangle waiting for the frame
  // Where the program last put the floating toolbar: the position asked for (twips) and the
  // frame's top left corner it stands for (pixels). Until the window manager has framed the
  // window the place is re-applied, as a frame not yet known would be taken for none.
  struct FloatingPlacement {
    int32_t left = 0, top = 0;
    QPoint frame;
    bool settled = false;
    int checks = 0;
  };
  std::optional<FloatingPlacement> floatingPlaced_;
  QTimer floatingCheck_;
  void CheckFloatingPlacement();
  bool startupDone_ = false;
};

}  // namespace MainForm
