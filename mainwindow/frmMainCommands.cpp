// frmMain's commands: the toolbar strip and the floating window, the File, Edit, View, Aircraft
// and Help menu commands, the visibility check boxes, the interior and WAT option buttons, the
// data-label double clicks, the drawing views' control members and the colour scheme.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>

#include "charts/Chart.h"
#include "drawings/CadFunctions.h"
#include "drawings/PlaneColors.h"
#include "foundation/DBase.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "mainwindow/ColorPicker.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/Dialogs.h"
#include "mainwindow/DisplayUpdate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/PlaneLabels.h"
#include "mainwindow/TabHeaders.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmToolbar.h"
#include "platform/dxfcontrol/DrawingWidget.h"
#include "platform/gdi/Color.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/RepeatedFailure.h"
#include "platform/runtime/Trap.h"
#include "printing/PrintCommands.h"

namespace MainForm {

namespace {

using LabelCatalogue::Arr;

// The handlers the View menu gives no trace entry of their own: a failing statement still goes
// to the common error handler, never into Qt's event loop.
template <class F>
void Untraced(const char* procedure, F&& body) {
  vb::Proc g(kModule, procedure, vb::Trap::Report, false);
  g.step(std::forward<F>(body));
}

// The file-save dialog of the export, over Qt's file dialog. The suffix added to a name typed
// without one follows the filter chosen ("Image" with the first filter becomes "Image.wmf").
class FileSaveDialog final : public SaveDialog {
 public:
  explicit FileSaveDialog(QWidget* parent) : parent_(parent) {}
  std::string GetSaveFileName(const SaveRequest& r) override {
    Toolbar::FormLoad();
    QFileDialog dialog(parent_, QString::fromStdString(r.title), QString::fromStdString(r.folder));
    dialog.setObjectName(ctl::CommonDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const std::string& f : r.filters) filters << QString::fromStdString(f);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(r.defaultSuffix));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
      const QRegularExpressionMatch m = QRegularExpression(R"(\*\.(\w+))").match(f);
      if (m.hasMatch()) dialog.setDefaultSuffix(m.captured(1));
    });
    dialog.selectFile(QString::fromStdString(r.fileName));
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    Toolbar::FormUnload();
    return chosen ? dialog.selectedFiles().first().toStdString() : std::string();
  }

 private:
  QWidget* parent_;
};

}  // namespace

// --- Construction ---

void frmMain::BuildToolbar(QWidget* client) {
  toolbarStrip_ = new QFrame(client);
  toolbarStrip_->setObjectName(ctl::tbToolbar);
  toolbarStrip_->setFrameShape(QFrame::StyledPanel);
  // Designed for the client area's design width; the layout scales it across the window.
  toolbarStrip_->setGeometry(0, 0, kDesignWidth, kStripHeight);
  toolbarStrip_->setProperty("Tag", "SCROLLME");
  containers_.emplace(ctl::tbToolbar, toolbarStrip_);
  stripButtons_ = MakeToolbarButtons(toolbarStrip_, false);
  for (int i = 0; i < 10; ++i)
    stripButtons_[static_cast<size_t>(i)]->setGeometry(3 + i * 28, 3, 27, 26);
  // The legend: each plane's colour swatch and aircraft name.
  auto* frame1 = new QFrame(toolbarStrip_);
  frame1->setObjectName(ctl::Frame1);
  frame1->setGeometry(286, 1, 230, 29);
  frame1->setProperty("Tag", "SCROLLME");
  containers_.emplace(ctl::Frame1, frame1);
  for (int i = 0; i < 2; ++i) {
    auto* c = new QCheckBox(i == 0 ? "Plane 1" : "Plane 2", toolbarStrip_);
    c->setObjectName(ctl::chkACVisible_ + QString::number(i));
    c->setGeometry(520 + i * 70, 7, 66, 18);
    c->setChecked(true);
    c->setFocusPolicy(Qt::NoFocus);
    // Only the user's clicks: the toggles set the box by code.
    connect(c, &QCheckBox::clicked, this, [this, i] { chkACVisible_Click(i); });
  }
}

void frmMain::ConnectCommands() {
  auto on = [this](const char* name, void (frmMain::*handler)()) {
    if (QAction* a = Action(name))
      connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  on(ctl::mnuFileExport, &frmMain::mnuFileExport_Click);
  on(ctl::mnuFileProperties, &frmMain::mnuFileProperties_Click);
  on(ctl::mnuEditCopy, &frmMain::mnuEditCopy_Click);
  on(ctl::mnuHelpAbout, &frmMain::mnuHelpAbout_Click);
  on(ctl::mnuViewDimColor, &frmMain::mnuViewDimColor_Click);
  on(ctl::mnuViewMetric, &frmMain::mnuViewMetric_Click);
  on(ctl::mnuViewPlane1, &frmMain::mnuViewPlane1_Click);
  on(ctl::mnuViewPlane2, &frmMain::mnuViewPlane2_Click);
  on(ctl::mnuViewPlane1Color, &frmMain::mnuViewPlane1Color_Click);
  on(ctl::mnuViewPlane2Color, &frmMain::mnuViewPlane2Color_Click);
  on(ctl::mnuViewShowDims, &frmMain::mnuViewShowDims_Click);
  on(ctl::mnuViewShowGrid, &frmMain::mnuViewShowGrid_Click);
  on(ctl::mnuViewToolbarDock, &frmMain::mnuViewToolbarDock_Click);
  on(ctl::mnuViewToolbarShow, &frmMain::mnuViewToolbarShow_Click);
  if (QAction* a = Action(ctl::mnuViewToolbar)) a->setEnabled(true);
  // Export acts on a drawing view; the aircraft tab comes first.
  if (QAction* a = Action(ctl::mnuFileExport)) a->setEnabled(false);
  // The print commands: each item runs its command as a print job.
  for (const Printing::PrintItem& p : Printing::PrintItems())
    if (QAction* a = p.command ? Action(p.name) : nullptr)
      connect(a, &QAction::triggered, this,
              [command = *p.command] { Printing::RunCommand(command); });
  // Both planes and the dimensions start shown (the first activation sets the flags so).
  for (const char* item : {ctl::mnuViewPlane1, ctl::mnuViewPlane2, ctl::mnuViewShowDims})
    if (QAction* a = Action(item)) a->setChecked(true);
  for (int i = 0; i < 3; ++i) SetToolbarButtonBold(i, true);

  for (auto& [key, label] : labels_) {
    const auto array = static_cast<Arr>(key.first);
    if (array != Arr::lblData1 && array != Arr::lblData2) continue;
    if (auto* data = qobject_cast<DataLabel*>(label)) {
      const int plane = array == Arr::lblData1 ? 1 : 2;
      connect(data, &DataLabel::doubleClicked, this, [this, plane] { lblData_DblClick(plane); });
    }
  }
  // A programmatic selection runs the handler too, as the display update relies on.
  for (auto& [button, click] : optionClicks_) {
    connect(button, &QRadioButton::toggled, this, [click = click](bool on) {
      if (on) click();
    });
  }
}

// --- DrawingViews ---

dxf::DrawingWidget* frmMain::CAD(int view) const {
  if (view < 0 || view >= static_cast<int>(cadViews_.size())) return nullptr;
  return cadViews_[static_cast<size_t>(view)];
}

dxf::DrawingWidget* frmMain::View(int view) const {
  dxf::DrawingWidget* cad = CAD(view);
  if (!cad)
    throw vb::Error{vb::err::SubscriptOutOfRange, vb::ErrorText(vb::err::SubscriptOutOfRange)};
  return cad;
}

void frmMain::SetLayerColor(int view, int position, int colourIndex) {
  View(view)->Layers().Item(position).Color = colourIndex;
}

void frmMain::Redraw(int view) { View(view)->Redraw(); }

void frmMain::ClearDrawing(int view) { View(view)->ClearDrawing(); }

void frmMain::SaveDxf(int view, const std::string& file) { View(view)->SaveDxf(file); }

void frmMain::SaveMetafile(int view, const std::string& file) { View(view)->SaveMetafile(file); }

void frmMain::SaveBitmap(int view, const std::string& file) { View(view)->SaveBitmap(file); }

void frmMain::SetSaveDialog(SaveDialog* dialog) { saveDialog_ = dialog; }

// --- Toolbar::Windows ---

void frmMain::SetStripVisible(bool visible) {
  toolbarStrip_->setVisible(visible);
  Relayout();
}

bool frmMain::FloatingVisible() { return floating_ && floating_->isVisible(); }

void frmMain::SetFloatingVisible(bool visible) {
  if (!floating_) return;
  floating_->setVisible(visible);
  if (visible) floating_->raise();
}

void frmMain::SetFloatingNormal() {
  if (floating_)
    floating_->setWindowState(floating_->windowState() &
                              ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

std::string frmMain::FloatingCaption() {
  return floating_ ? floating_->windowTitle().toStdString() : std::string();
}

void frmMain::SetFloatingCaption(const std::string& caption) {
  if (floating_) floating_->setWindowTitle(QString::fromStdString(caption));
}

std::string frmMain::FloatingTag() {
  return floating_ ? floating_->Tag().toStdString() : std::string();
}

void frmMain::SetFloatingTag(const std::string& tag) {
  if (floating_) floating_->SetTag(QString::fromStdString(tag));
}

void frmMain::SetFloatingTitleBar(bool shown) {
  if (!floating_) return;
  const bool frameless = floating_->windowFlags().testFlag(Qt::FramelessWindowHint);
  if (frameless != shown) return;  // already so: changing the flags would re-show the window
  const bool visible = floating_->isVisible();
  floating_->setWindowFlag(Qt::FramelessWindowHint, !shown);
  if (visible) floating_->show();
}

void frmMain::SetFloatingTopmost(bool topmost) {
  // The floating window is a tool window of this one and so always above it; "topmost" raises
  // it over the program's other windows, and a dialog opened afterwards comes on top of it.
  if (topmost && floating_ && floating_->isVisible()) floating_->raise();
}

Toolbar::Rect frmMain::FloatingGeometry() {
  if (!floating_) return {};
  const QRect r = floating_->frameGeometry();
  // The window where the program put it reads as the place asked for: a pixel holds 15 twips,
  // so its own position read back would lose what the pixel rounded off. So does a window just
  // framed and not yet moved to its place by its frame (CheckFloatingPlacement).
  const bool framed = r != floating_->geometry();
  if (floatingPlaced_ &&
      (r.topLeft() == floatingPlaced_->frame || (framed && !floatingPlaced_->settled)))
    return {floatingPlaced_->left, floatingPlaced_->top, Twips(r.width()), Twips(r.height())};
  return {Twips(r.left()), Twips(r.top()), Twips(r.width()), Twips(r.height())};
}

void frmMain::SetFloatingSize(int32_t width, int32_t height) {
  if (!floating_) return;
  // The outer size holds the window's frame; while the frame is not known (before the window
  // manager has framed the window) the design's allowance for it is taken.
  QSize extra = floating_->frameGeometry().size() - floating_->geometry().size();
  if (extra.isNull()) extra = QSize(Px(80), Px(350));
  // A plain resize, not a fixed size: a window of fixed size cannot be maximised, and
  // maximising is the gesture that docks the toolbar.
  floating_->resize(std::max(1, Px(width) - extra.width()),
                    std::max(1, Px(height) - extra.height()));
}

void frmMain::MoveFloating(int32_t left, int32_t top) {
  if (!floating_) return;
  // Kept on the screen: an offset stored under another screen layout may point outside it.
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  QPoint at(Px(left), Px(top));
  if (screen) {
    const QRect avail = screen->availableGeometry();
    const QSize outer = floating_->frameGeometry().size();
    at.setX(
        std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - outer.width())));
    at.setY(
        std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() - outer.height())));
  }
  floatingPlaced_ = FloatingPlacement{left, top, at};
  floating_->move(at);
  CheckFloatingPlacement();
}

void frmMain::CheckFloatingPlacement() {
  FloatingPlacement* placed = floatingPlaced_ ? &*floatingPlaced_ : nullptr;
  if (!floating_ || !placed || placed->settled) {
    floatingCheck_.stop();
    return;
  }
  // A window not framed yet is placed by its client area: once the window manager has framed it
  // (its frame differs from its client area) it is moved again, now by its frame. The place is
  // settled when the frame stands there, or after a second in which no frame came (no window
  // manager) or the window manager kept it elsewhere.
  const bool framed = floating_->frameGeometry() != floating_->geometry();
  const bool there = floating_->frameGeometry().topLeft() == placed->frame;
  if (floating_->isVisible() && framed && there) {
    placed->settled = true;
  } else if (++placed->checks > 20) {
    placed->settled = true;
  } else if (framed && !there) {
    floating_->move(placed->frame);
  }
  if (placed->settled)
    floatingCheck_.stop();
  else if (!floatingCheck_.isActive())
    floatingCheck_.start(50);
}

Toolbar::Rect frmMain::MainGeometry() {
  const QRect r = frameGeometry();
  return {Twips(r.left()), Twips(r.top()), Twips(r.width()), Twips(r.height())};
}

void frmMain::FocusMain() {
  activateWindow();
  setFocus();
}

void frmMain::SetToolbarButtonBold(int index, bool bold) {
  if (index < 0 || index > 9) return;
  SetButtonBold(stripButtons_[static_cast<size_t>(index)], bold);
  if (floating_) SetButtonBold(floating_->buttons()[static_cast<size_t>(index)], bold);
}

// --- File, Edit, Help ---

void frmMain::mnuFileExport_Click() {
  if (!saveDialog_) {
    if (!fileDialog_) fileDialog_ = std::make_unique<FileSaveDialog>(this);
    saveDialog_ = fileDialog_.get();
  }
  ExportCurrentView(*cad_, *saveDialog_, exportName_);
}

void frmMain::mnuFileProperties_Click() {
  vb::Proc g(kModule, "mnuFileProperties_Click");
  g.step([&] { DoEvents(); });
  g.step([&] {
    frmProperties dialog(this);
    dialog.exec();
  });
}

void frmMain::mnuEditCopy_Click() {
  vb::Proc g(kModule, "mnuEditCopy_Click");
  g.step([&] { QGuiApplication::clipboard()->setText(QString::fromStdString(CopyText())); });
}

void frmMain::mnuHelpAbout_Click() {
  vb::Proc g(kModule, "mnuHelpAbout_Click");
  g.step([&] {
    frmAbout dialog(this);
    dialog.exec();
  });
}

// --- Plane colours ---

void frmMain::lblData_DblClick(int plane) {
  vb::Proc g(kModule, plane == 1 ? "lblData1_DblClick" : "lblData2_DblClick");
  int32_t colour = g.value([&] {
    return CadFunctions::LayerColor(static_cast<int16_t>(plane == 1 ? CadFunctions::Layer::Plane1
                                                                    : CadFunctions::Layer::Plane2));
  });
  colour = g.value(
      [&] {
        return Color::SelectColor(plane == 1 ? "Plane 1 Color" : "Plane 2 Color", colour, false);
      },
      colour);
  g.step([&] { SetPlaneColor(*this, *cad_, plane, colour); });
}

// --- View menu ---

void frmMain::mnuViewDimColor_Click() {
  Untraced("mnuViewDimColor_Click", [&] {
    Registry::Settings& reg = Registry::RegSettings();
    reg.DimColor = Color::SelectColor("Dims Color", reg.DimColor, true);
  });
  ApplyDimColors(*cad_);
}

void frmMain::mnuViewMetric_Click() {
  // The item has already switched its check mark; that is the new setting.
  bool& metric = DBase::vars().MetricUnits;
  Untraced("mnuViewMetric_Click", [&] { metric = Action(ctl::mnuViewMetric)->isChecked(); });
  Untraced("mnuViewMetric_Click", [&] { Registry::WriteRegistryValue("Metric", metric); });
  Untraced("mnuViewMetric_Click", [&] { MainForm::UpdateDisplay(*this, *data_); });
}

void frmMain::mnuViewPlane1_Click() {
  ClearChartLabels();
  Untraced("mnuViewPlane1_Click", [&] { CadFunctions::TogglePlane1(); });
  const bool shown = CadFunctions::vars().ShowPlane1;
  SetMenuChecked(ctl::mnuViewPlane1, shown);
  SetToolbarButtonBold(0, shown);
}

void frmMain::mnuViewPlane2_Click() {
  ClearChartLabels();
  Untraced("mnuViewPlane2_Click", [&] { CadFunctions::TogglePlane2(); });
  const bool shown = CadFunctions::vars().ShowPlane2;
  SetMenuChecked(ctl::mnuViewPlane2, shown);
  SetToolbarButtonBold(1, shown);
}

void frmMain::mnuViewPlane1Color_Click() { lblData_DblClick(1); }

void frmMain::mnuViewPlane2Color_Click() { lblData_DblClick(2); }

void frmMain::mnuViewShowDims_Click() {
  Untraced("mnuViewShowDims_Click", [&] { CadFunctions::ToggleDims(); });
  const bool shown = CadFunctions::vars().ShowDims;
  SetMenuChecked(ctl::mnuViewShowDims, shown);
  SetToolbarButtonBold(2, shown);
}

void frmMain::mnuViewShowGrid_Click() {
  Untraced("mnuViewShowGrid_Click", [&] { CadFunctions::ToggleGrid(); });
  const bool shown = CadFunctions::vars().ShowGrid;
  SetMenuChecked(ctl::mnuViewShowGrid, shown);
  SetToolbarButtonBold(3, shown);
}

void frmMain::mnuViewToolbarDock_Click() {
  vb::Proc g(kModule, "mnuViewToolbarDock_Click");
  Registry::Settings& reg = Registry::RegSettings();
  g.step([&] { reg.ToolbarDocked = Action(ctl::mnuViewToolbarDock)->isChecked(); });
  g.step([&] { Toolbar::DockToolbar(reg.ToolbarDocked); });
}

void frmMain::mnuViewToolbarShow_Click() {
  vb::Proc g(kModule, "mnuViewToolbarShow_Click");
  Registry::Settings& reg = Registry::RegSettings();
  g.step([&] { reg.ToolbarVisible = Action(ctl::mnuViewToolbarShow)->isChecked(); });
  g.step([&] { Toolbar::ShowToolbar(reg.ToolbarVisible); });
}

void frmMain::chkACVisible_Click(int index) {
  ClearChartLabels();
  auto* box = findChild<QCheckBox*>(ctl::chkACVisible_ + QString::number(index));
  if (!box) return;
  const bool checked = box->isChecked();
  const CadFunctions::Vars& d = CadFunctions::vars();
  Untraced("chkACVisible_Click", [&] {
    if (index == 0) {
      // The toggles set the box themselves: a box that already agrees with the flag only sets
      // the menu check.
      if (checked != d.ShowPlane1) CadFunctions::TogglePlane1();
      SetMenuChecked(ctl::mnuViewPlane1, checked);
    } else if (index == 1) {
      if (checked != d.ShowPlane2) CadFunctions::TogglePlane2();
      SetMenuChecked(ctl::mnuViewPlane2, checked);
    }
  });
}

// --- Interior and WAT option buttons ---

void frmMain::InteriorRedraw(const char* procedure, const std::function<void()>& step) {
  vb::Proc g(kModule, procedure);
  SetBusyPointer(true);
  g.step([&] { cad_->ClearDrawing(Tab::Interior); });
  g.step([&] { CadFunctions::SetupNewDrawing(Tab::Interior); });
  // The interior view was emptied, so it is the interior tab that must be composed again,
  // whichever tab is current.
  vars().TabDrawn[Tab::Interior] = false;
  if (step) g.step(step);
  g.step([&] { ShowTabNo(); });
  SetBusyPointer(false);
}

void frmMain::Configuration_Click(int config) {
  vars().InteriorConfig = config;
  InteriorRedraw(config == 1   ? "optCorporate_Click"
                 : config == 2 ? "optEMS_Click"
                               : "optUtil_Click",
                 {});
}

void frmMain::optHeliAll_Click() {
  InteriorRedraw("optHeliAll_Click", [&] {
    SetOptionValue(ctl::Indexed(ctl::optSideOverlay_, 0), true);
    Container(ctl::fraInteriorHeliOverlayView_0)->setVisible(false);
  });
}

void frmMain::HeliView_Click(const char* procedure) {
  InteriorRedraw(procedure,
                 [&] { Container(ctl::fraInteriorHeliOverlayView_0)->setVisible(true); });
}

void frmMain::WATChart_Click(int chart) {
  vb::Proc g(kModule, chart == 1 ? "optWATA_Click" : "optWATB_Click");
  Globals::vars().WATChart = chart;
  SetBusyPointer(true);
  g.step([&] { ShowTabNo(); });
  SetBusyPointer(false);
}

void frmMain::optSideOverlay_Click(int index) {
  if (index == 0 || index == 1) {
    // The configuration buttons run the interior's recomposition; with none selected nothing
    // happens.
    if (Option(ctl::optCorp)->isChecked()) Configuration_Click(1);
    if (Option(ctl::optEMS)->isChecked()) Configuration_Click(2);
    if (Option(ctl::optUtil)->isChecked()) Configuration_Click(3);
  } else {
    Untraced("optSideOverlay_Click", [&] { MainForm::UpdateDisplay(*this, *data_); });
  }
}

void frmMain::Timer1_Timer() {
  // Ten times a second: a failure that comes back on every tick is reported once, so that it
  // cannot run the error count up to the limit that ends the program.
  timerFailures_->Run([] { Toolbar::TrackPosition(); });
}

// --- Colour scheme ---

void frmMain::ApplyColorScheme() {
  if (const std::optional<ColorScheme> scheme = IniColorScheme()) ApplyColorScheme(*scheme);
}

void frmMain::ApplyColorScheme(const ColorScheme& scheme) {
  // Palette changes cannot fail: the guard only makes the trace entry.
  vb::Proc entry(kModule, "ApplyColorScheme");
  const QColor form = gdi::ToQColor(scheme.form);
  // A background fill: the Window colour and that of the role the widget fills its background
  // with (Button for option buttons and check boxes).
  auto fill = [](QWidget* w, QColor colour, QPalette::ColorRole role = QPalette::Window) {
    QPalette pal = w->palette();
    pal.setColor(role, colour);
    if (role == QPalette::Window) {
      pal.setColor(w->backgroundRole(), colour);
      w->setAutoFillBackground(true);
    }
    w->setPalette(pal);
  };
  fill(this, form);
  fill(centralWidget(), form);
  fill(statusBar(), form);
  // Frames, option buttons and check boxes; the toolbar buttons; bars and headings.
  const QString bars = QString(ctl::barBG) + '_';
  const QString headings = QString(ctl::lblHeading) + '_';
  for (QWidget* w : findChildren<QWidget*>()) {
    if (w->window() != this) continue;
    const QString name = w->objectName();
    if (qobject_cast<QGroupBox*>(w) || qobject_cast<QRadioButton*>(w) ||
        qobject_cast<QCheckBox*>(w) || name.startsWith("fra") || name == ctl::Frame1)
      fill(w, form);
    if (name.startsWith(ctl::cmdToolbar_)) fill(w, form, QPalette::Button);
    if (name.startsWith(bars)) fill(w, gdi::ToQColor(scheme.bar));
    if (name.startsWith(headings)) {
      fill(w, gdi::ToQColor(scheme.heading));
      // The headings' white text is barely legible on a pale heading colour.
      QPalette pal = w->palette();
      pal.setColor(QPalette::WindowText, gdi::ToQColor(ReadableTextColor(scheme.heading)));
      w->setPalette(pal);
    }
  }
  // This program's own menus only: the desktop's menu colour is left alone.
  const QColor menu = gdi::ToQColor(scheme.menu);
  QPalette menuPalette = menuBar()->palette();
  menuPalette.setColor(QPalette::Window, menu);
  menuPalette.setColor(QPalette::Button, menu);
  menuPalette.setColor(QPalette::Base, menu);
  menuBar()->setPalette(menuPalette);
  for (QMenu* m : menuBar()->findChildren<QMenu*>()) m->setPalette(menuPalette);
  fill(toolbarStrip_, form);
  // The tab control: headers (with their arrows) and the page area show the scheme colour where
  // they would show the standard button face; the labels on it are transparent already.
  QPalette tabPalette = tabHeaders_->palette();
  tabPalette.setColor(QPalette::Window, form);
  tabPalette.setColor(QPalette::Button, form);
  tabHeaders_->setPalette(tabPalette);
  fill(stage_, form);
  for (QWidget* w : QApplication::topLevelWidgets()) w->update();
}

}  // namespace MainForm
