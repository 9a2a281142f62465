#include "mainwindow/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QUrl>
#include <QWindow>
#include <filesystem>

#include "drawings/CadFunctions.h"
#include "drawings/DrawingMouse.h"
#include "drawings/DxfCadServices.h"
#include "foundation/General.h"
#include "foundation/Registry.h"
#include "mainwindow/ChartPicture.h"
#include "mainwindow/ColorPicker.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/Dialogs.h"
#include "mainwindow/DisplayUpdate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/TabHeaders.h"
#include "mainwindow/WheelFilter.h"
#include "mainwindow/Wiring.h"
#include "mainwindow/frmChoose.h"
#include "mainwindow/frmSplash.h"
#include "mainwindow/frmToolbar.h"
#include "platform/dxfcontrol/DrawingWidget.h"
#include "platform/gdi/Color.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/RepeatedFailure.h"
#include "platform/runtime/Trap.h"
#include "printing/Printing.h"
#include "printing/QtDevices.h"

namespace MainForm {

namespace {

using LabelCatalogue::Arr;

// The main tabs' captions.
constexpr const char* kTabCaptions[kTabCount] = {"Aircraft",
                                                 "General",
                                                 "Top",
                                                 "Front",
                                                 "Side",
                                                 "Interior",
                                                 "Block Fuel/Time",
                                                 "Balanced Field",
                                                 "Takeoff/Landing",
                                                 "Flight Envelope",
                                                 "Payload-Range",
                                                 "Service Ceiling",
                                                 "HV/Cruise",
                                                 "WAT"};

// The items of the print commands and their submenus: held disabled while a print job runs.
bool IsPrintItem(std::string_view item) { return Printing::FindPrintItem(item) != nullptr; }

QRect TwipRect(int left, int top, int width, int height) {
  return QRect(frmMain::Px(left), frmMain::Px(top), frmMain::Px(width), frmMain::Px(height));
}

// Runs a handler under the common error convention (trace entry, each failure reported).
template <class F>
void Handler(const char* procedure, F&& body) {
  vb::Proc g(kModule, procedure);
  g.step(std::forward<F>(body));
}

}  // namespace

// The drawing operations' effects on the window.
class DrawingWindowHooks final : public CadFunctions::WindowHooks {
 public:
  explicit DrawingWindowHooks(frmMain* window) : window_(window) {}
  void SetMenuChecked(std::string_view item, bool checked) override {
    window_->SetMenuChecked(item, checked);
  }
  void SetToolbarButtonBold(int index, bool bold) override {
    window_->SetToolbarButtonBold(index, bold);
  }
  void SetAircraftVisibleCheck(int index, bool checked) override {
    if (auto* c = window_->findChild<QCheckBox*>(ctl::chkACVisible_ + QString::number(index)))
      c->setChecked(checked);
  }
  void SetTabDrawn(int tab, bool drawn) override { MarkTabDrawn(tab, drawn); }
  void ShowTabNo() override { window_->ShowTabNo(); }
  bool OverlaySelected(int view) override { return MainForm::OverlaySelected(*window_, view); }

 private:
  frmMain* window_;
};

// The tab the keyboard moves to from the current one, `direction` +1 or -1: the nearest tab shown
// and enabled, as a hidden tab is one the class does not offer.
int KeyboardStep(const QTabBar& bar, int direction, bool wrap) {
  return StepToTab(bar.currentIndex(), direction, wrap, bar.count(), [&bar](int tab) {
    return bar.isTabVisible(tab) && bar.isTabEnabled(tab);
  });
}

// The tab control. Left and Right step to the previous and next shown tab and stop at either
// end, as a tab bar's arrows do; Qt's own step passes only over disabled tabs and would select
// a hidden one. Ctrl+Tab and Ctrl+Shift+Tab are the window's (frmMain::keyPressEvent).
class TabStrip final : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() != Qt::Key_Left && e->key() != Qt::Key_Right) {
      QTabBar::keyPressEvent(e);
      return;
    }
    const int back = isRightToLeft() ? Qt::Key_Right : Qt::Key_Left;
    setCurrentIndex(KeyboardStep(*this, e->key() == back ? -1 : 1, false));
  }
};

// A print job's effects on the window: the floating toolbar lowered while the printer dialog is
// open, the window's input held while the job runs.
class WindowPrintingHooks final : public Printing::Hooks {
 public:
  explicit WindowPrintingHooks(frmMain* window) : window_(window) {}
  void ToolbarFormLoad() override { Toolbar::FormLoad(); }
  void ToolbarFormUnload() override { Toolbar::FormUnload(); }
  void JobStarted() override { window_->PrintJobStarted(); }
  void JobEnded() override { window_->PrintJobEnded(); }

 private:
  frmMain* window_;
};

// While a print job runs the main window and the floating toolbar take no input: the page
// routines let the event loop run while they wait, and a tab change, another pair or a view
// toggle would change what the page being printed is composed from. Both windows still paint
// and move; other windows (the plot preview) are not touched.
class JobInputBlocker final : public QObject {
 public:
  explicit JobInputBlocker(frmMain* window) : window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TabletPress:
        break;
      default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    const QWidget* top = widget->window();
    return top == window_ || (top && top == window_->floatingToolbar());
  }

 private:
  frmMain* window_;
};

frmMain::frmMain(std::unique_ptr<AircraftData> data)
    : data_(data ? std::move(data) : std::make_unique<DatabaseAircraftData>()),
      startup_(*this, *data_) {
  setObjectName(ctl::frmMain);
  setWindowTitle(QString::fromStdString(ProgramTitle()));
  // The layout is drawn in twips for an 8-point interface font.
  QFont interfaceFont = font();
  interfaceFont.setPointSize(8);
  setFont(interfaceFont);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    Registry::SetScreenSize(Twips(screen->geometry().width()), Twips(screen->geometry().height()));
  BuildMenus();
  BuildClient();
  BuildLabels();
  RecordDesign();
  hooks_.SetMainWindow(this, panel1_);
  drawingHooks_ = std::make_unique<DrawingWindowHooks>(this);
  drawingServices_ =
      std::make_unique<CadFunctions::DxfCadServices>(CadFunctions::DxfCadServices::Controls{
          cadViews_[0], nullptr, cadViews_[2], cadViews_[3], cadViews_[4], cadViews_[5]});
  printingHooks_ = std::make_unique<WindowPrintingHooks>(this);
  printingDevices_ = std::make_unique<Printing::QtDevices>(this);
  floating_ = new frmToolbar(this);
  // Every process-wide hook: the window's adapters and what the logic reads of its state.
  wiring_ = std::make_unique<Wiring::Installed>(Wiring::Adapters{
      .ui = &hooks_,
      .drawingServices = drawingServices_.get(),
      .drawingWindow = drawingHooks_.get(),
      .printingWindow = printingHooks_.get(),
      .printingDevices = printingDevices_.get(),
      .toolbar = this,
      .colorPicker = &frmColor::Run,
      // A chart's qualifier text goes to the label under its picture.
      .chartQualifiers = [this](const std::string& label, const std::string& caption) {
        if (auto* q = findChild<QualifierLabel*>(QString::fromStdString(label)))
          q->SetQualifier(QString::fromStdString(caption));
      }});
  composition_ = std::make_unique<DxfCompositionControls>(*drawingServices_);
  dispatcher_ = std::make_unique<TabDispatcher>(*this, *composition_, *this);
  // The drawing views' mouse: the two-click pan and zoom window, and re-centring by a click.
  for (int view = Tab::FirstDrawing; view <= Tab::LastDrawing; ++view) {
    dxf::DrawingWidget* cad = cadViews_[static_cast<size_t>(view)];
    if (!cad) continue;
    cad->setMouseTracking(true);
    cad->MouseDown = [view](int, int, double&, double&) { CAD_MouseDown(view); };
    cad->MouseMove = [view](int, int, double& x, double& y) {
      CAD_MouseMove(view, static_cast<float>(x), static_cast<float>(y));
    };
    cad->MouseUp = [view](int, int, double& x, double& y) {
      CAD_MouseUp(view, static_cast<float>(x), static_cast<float>(y));
    };
    cad->ReadStatus = [] { CAD_ReadStatus(); };
  }
  timerFailures_ = std::make_unique<vb::RepeatedFailureFilter>();
  connect(&floatingCheck_, &QTimer::timeout, this, [this] { CheckFloatingPlacement(); });
  timer1_.setObjectName(ctl::Timer1);
  timer1_.setInterval(100);
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  ConnectCommands();
  // Another application in front lowers the floating toolbar; coming back raises it again.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [](Qt::ApplicationState st) {
    if (!Registry::RegSettings().ToolbarVisible) return;
    // Coming back while a dialog is open leaves the toolbar lowered until the dialog closes.
    if (st == Qt::ApplicationActive && !QApplication::activeModalWidget())
      Toolbar::FormUnload();
    else if (st == Qt::ApplicationInactive)
      Toolbar::FormLoad();
  });
  // The window at its design size: the client area as designed, with the menu bar above and the
  // status bar below. It may be made as narrow as that and as low as four fifths of the pages'
  // design height: lower, a line of text would no longer fit the height of its label.
  const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  const DesignSize& design = layout_->Design();
  resize(Px(design.width), Px(design.height) + bars);
  setMinimumSize(Px(design.width), Px(design.statusBarHeight) + kPageDesignHeight * 4 / 5 + bars);
}

frmMain::~frmMain() {
  timer1_.stop();
  // The hooks go before the adapters they point to.
  wiring_.reset();
  UnHookWindow();
  dispatcher_.reset();
  composition_.reset();
  drawingServices_.reset();
  printingHooks_.reset();
  printingDevices_.reset();
  drawingHooks_.reset();
}

void frmMain::Start() {
  startup_.FormLoad();
  startupDone_ = true;
}

frmSplash* frmMain::splash() const { return splash_.data(); }

// --- Construction ---

void frmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto text = [](std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); };
  auto item = [&](QMenu* menu, std::string_view name, std::string_view caption) {
    QAction* a = menu->addAction(text(caption));
    a->setObjectName(text(name));
    actions_.emplace(name, a);
    return a;
  };
  auto submenu = [&](QMenu* menu, std::string_view name, std::string_view caption) {
    QMenu* sub = menu->addMenu(text(caption));
    sub->setObjectName(text(name));
    sub->menuAction()->setObjectName(text(name) + "_action");
    actions_.emplace(name, sub->menuAction());
    return sub;
  };

  QMenu* file = bar->addMenu("&File");
  file->setObjectName(ctl::mnuFile);
  connect(item(file, ctl::mnuFileNew, "&New"), &QAction::triggered, this,
          [this] { mnuFileNew_Click(); });
  item(file, ctl::mnuFileExport, "&Export");
  file->addSeparator();
  // The print items, each command's and each submenu's as the print commands register them.
  // Those of a pair of aircraft start hidden, and those that print a drawing view disabled: the
  // display update and the tabs switch them.
  std::map<std::string_view, QMenu*> printMenus{{"", file}};
  for (const Printing::PrintItem& p : Printing::PrintItems()) {
    QMenu* parent = printMenus.at(p.parent);
    QAction* a = p.command
                     ? item(parent, p.name, p.caption)
                     : (printMenus[p.name] = submenu(parent, p.name, p.caption))->menuAction();
    if (p.offered == Printing::Offered::TwoPlanes) a->setVisible(false);
    if (p.enabled == Printing::Enabled::OnDrawingTabs) a->setEnabled(false);
  }
  file->addSeparator();
  item(file, ctl::mnuFileProperties, "&Properties");
  file->addSeparator();
  connect(item(file, ctl::mnuFileExit, "E&xit"), &QAction::triggered, this,
          [this] { mnuFileExit_Click(); });

  QMenu* edit = bar->addMenu("&Edit");
  edit->setObjectName(ctl::mnuEdit);
  item(edit, ctl::mnuEditCopy, "&Copy");

  QMenu* view = bar->addMenu("&View");
  view->setObjectName(ctl::mnuView);
  for (auto [name, caption] :
       {std::pair{ctl::mnuViewPlane1, "Plane &1"}, std::pair{ctl::mnuViewPlane2, "Plane &2"},
        std::pair{ctl::mnuViewShowDims, "&Dimensions"}, std::pair{ctl::mnuViewShowGrid, "&Grid"}})
    item(view, name, caption)->setCheckable(true);
  view->addSeparator();
  // The toolbar's drawing commands, also there when the toolbar is hidden: each runs the
  // handler of its button.
  struct Command {
    const char* name;
    const char* caption;
    int button;
  };
  for (const Command& c : {Command{ctl::mnuViewZoomAll, "Zoom to &Extents", 4},
                           Command{ctl::mnuViewZoomWindow, "Zoom &Window", 5},
                           Command{ctl::mnuViewZoomIn, "Zoom I&n", 6},
                           Command{ctl::mnuViewZoomOut, "Zoom O&ut", 7},
                           Command{ctl::mnuViewZoomPrevious, "&Previous View", 8},
                           Command{ctl::mnuViewPan, "P&an", 9}})
    connect(item(view, c.name, c.caption), &QAction::triggered, this,
            [button = c.button] { Toolbar::ButtonClick(button); });
  view->addSeparator();
  item(view, ctl::mnuViewPlane1Color, "Plane 1 &Color...");
  item(view, ctl::mnuViewPlane2Color, "Plane 2 C&olor...");
  item(view, ctl::mnuViewDimColor, "D&imension Color...");
  view->addSeparator();
  item(view, ctl::mnuViewMetric, "&Metric Units")->setCheckable(true);
  QMenu* toolbar = submenu(view, ctl::mnuViewToolbar, "&Toolbar");
  item(toolbar, ctl::mnuViewToolbarShow, "&Show")->setCheckable(true);
  item(toolbar, ctl::mnuViewToolbarDock, "&Dock")->setCheckable(true);

  QAction* choose = bar->addAction("&Aircraft");
  choose->setObjectName(ctl::mnuChoose);
  actions_.emplace(ctl::mnuChoose, choose);
  connect(choose, &QAction::triggered, this, [this] { mnuChoose_Click(); });

  QMenu* help = bar->addMenu("&Help");
  help->setObjectName(ctl::mnuHelp);
  connect(item(help, ctl::mnuHelpContents, "&Contents"), &QAction::triggered, this,
          [this] { mnuHelpContents_Click(); });
  item(help, ctl::mnuHelpAbout, "&About");
}

void frmMain::BuildClient() {
  auto* client = new QWidget(this);
  client->setObjectName(ctl::frmMainClient);
  setCentralWidget(client);
  client->installEventFilter(this);

  auto frame = [&](QWidget* parent, const std::string& name, QRect rect,
                   QFrame::Shape shape = QFrame::NoFrame) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromStdString(name));
    f->setFrameShape(shape);
    f->setGeometry(rect);
    containers_.emplace(name, f);
    return f;
  };
  auto group = [&](QWidget* parent, const std::string& name, const char* title, QRect rect) {
    auto* g = new QGroupBox(QString::fromUtf8(title), parent);
    g->setObjectName(QString::fromStdString(name));
    QFont f = g->font();
    f.setBold(true);
    g->setFont(f);
    g->setGeometry(rect);
    containers_.emplace(name, g);
    return g;
  };
  // An option button and what choosing it does (its Click handler, connected once the window is
  // built).
  auto option = [&](QWidget* parent, const std::string& name, const char* caption, QRect rect,
                    std::function<void()> click) {
    auto* o = new QRadioButton(QString::fromUtf8(caption), parent);
    o->setObjectName(QString::fromStdString(name));
    QFont f = o->font();
    f.setBold(false);
    o->setFont(f);
    o->setGeometry(rect);
    options_.emplace(name, o);
    optionClicks_.emplace_back(o, std::move(click));
    return o;
  };
  auto layout = [this](int index) { return [this, index] { optSideOverlay_Click(index); }; };
  auto interiorView = [this](const char* procedure) {
    return [this, procedure] { InteriorRedraw(procedure, {}); };
  };
  auto configuration = [this](int config) {
    return [this, config] { Configuration_Click(config); };
  };
  auto heliView = [this](const char* procedure) {
    return [this, procedure] { HeliView_Click(procedure); };
  };
  auto watChart = [this](int chart) { return [this, chart] { WATChart_Click(chart); }; };

  BuildToolbar(client);

  tabs_ = new TabStrip(client);
  tabs_->setObjectName(ctl::SSTab);
  tabs_->setExpanding(false);
  tabs_->setDrawBase(true);
  for (const char* caption : kTabCaptions) tabs_->addTab(caption);
  const int tabsTop = kStripHeight + kStripGap;
  tabHeaders_ = new TabHeaders(tabs_, client);
  tabHeaders_->setObjectName(ctl::SSTabHeaders);
  tabHeaders_->setGeometry(0, tabsTop, kDesignWidth, tabs_->sizeHint().height());

  stage_ = new QWidget(client);
  stage_->setObjectName(ctl::SSTabPages);
  stage_->setGeometry(0, tabsTop + tabHeaders_->height(), kDesignWidth, kPageDesignHeight);
  const QRect page = TwipRect(0, 0, LabelCatalogue::kPageWidth, LabelCatalogue::kPageHeight);
  const int H = LabelCatalogue::kPageHeight;
  for (int i = 0; i < kTabCount; ++i) {
    frames_[i] = frame(stage_, ctl::framDisplay_ + std::to_string(i), page);
    frames_[i]->setVisible(i == 0);
  }

  // Tab 0: the aircraft's identity data.
  // The two columns end 120 twips short of the page's right edge, as the views and charts do.
  frame(frames_[Tab::Aircraft], ctl::framLabels, TwipRect(60, 120, 2400, 6900));
  group(frames_[Tab::Aircraft], "framAircraft_0", "", TwipRect(2520, 120, 3600, 6900));
  group(frames_[Tab::Aircraft], "framAircraft_1", "", TwipRect(6180, 120, 3600, 6900));

  // Tab 1: the general data, in two panels that scroll together.
  general_ = frame(frames_[Tab::General], ctl::framGeneral, TwipRect(150, 420, 9300, H - 540));
  for (int p = 0; p < 2; ++p) {
    panels_[p] = frame(general_, ctl::framScroll_ + std::to_string(p),
                       TwipRect(0, 0, LabelCatalogue::kPanelWidth, LabelCatalogue::PanelHeight(p)));
  }
  for (QFrame* panel : panels_) panel->move(0, Px(PanelTop(0)));
  // The bar's place and range are the scroll rule's (SetScrollBar); each step moves the panels
  // 100 twips, an arrow click two steps.
  scrollFrame_ = new QScrollBar(Qt::Vertical, general_);
  scrollFrame_->setObjectName(ctl::scrollFrame);
  scrollFrame_->setRange(0, 0);
  scrollFrame_->setSingleStep(2);
  scrollFrame_->setVisible(false);
  connect(scrollFrame_, &QScrollBar::valueChanged, this, [this](int value) { MovePanels(value); });

  // Tabs 2 to 5: the drawing views and their options.
  for (int tab = Tab::FirstDrawing; tab <= Tab::LastDrawing; ++tab) {
    auto* cad = new dxf::DrawingWidget(frames_[tab], vb::ProgramFolder());
    cad->setObjectName(ctl::CAD_ + QString::number(tab));
    cad->setGeometry(tab == Tab::Interior ? TwipRect(120, 120, 9660, H - 2400)
                                          : TwipRect(120, 120, 9660, H - 900));
    cadViews_[static_cast<size_t>(tab)] = cad;
  }
  for (int tab = Tab::Top; tab <= Tab::Side; ++tab) {
    const int even = (tab - 1) * 2;
    option(frames_[tab], ctl::Indexed(ctl::optSideOverlay_, even), "Overlay",
           TwipRect(6600, H - 720, 1200, 255), layout(even));
    option(frames_[tab], ctl::Indexed(ctl::optSideOverlay_, even + 1), "Side-By-Side",
           TwipRect(7860, H - 720, 1800, 255), layout(even + 1))
        ->setChecked(true);
  }
  QWidget* interior = frames_[Tab::Interior];
  QGroupBox* fi = group(interior, ctl::fraInterior, "View", TwipRect(120, H - 2220, 4500, 780));
  option(fi, ctl::optInterior, "Floor Plan", TwipRect(150, 330, 1350, 300),
         interiorView("optInterior_Click"));
  option(fi, ctl::optCabin, "Cross Section", TwipRect(1500, 330, 1650, 300),
         interiorView("optCabin_Click"))
      ->setChecked(true);
  option(fi, ctl::optBothInterior, "View All", TwipRect(3225, 330, 1200, 300),
         interiorView("optBothInterior_Click"));
  // The helicopter's four views take a wider frame, up to the overlay options; its configurations
  // stand beside the volumes, under it.
  QGroupBox* fh = group(interior, ctl::fraInteriorHeli, "View", TwipRect(120, H - 2220, 6600, 780));
  option(fh, ctl::optHeliInterior, "Floor Plan", TwipRect(150, 330, 1350, 300),
         heliView("optHeliInterior_Click"));
  option(fh, ctl::optHeliCabin, "Cross Section", TwipRect(1560, 330, 1650, 300),
         heliView("optHeliCabin_Click"))
      ->setChecked(true);
  option(fh, ctl::optHeliCabinSide, "Cross Section Side", TwipRect(3270, 330, 2040, 300),
         heliView("optHeliCabinSide_Click"));
  option(fh, ctl::optHeliAll, "View All", TwipRect(5370, 330, 1140, 300),
         [this] { optHeliAll_Click(); });
  fh->setVisible(false);
  QGroupBox* ft = group(interior, ctl::fraInteriorHeliType, "Configuration",
                        TwipRect(4680, H - 1350, 3300, 780));
  option(ft, ctl::optCorp, "Corporate", TwipRect(120, 330, 1200, 300), configuration(1))
      ->setChecked(true);
  option(ft, ctl::optEMS, "EMS", TwipRect(1380, 330, 780, 300), configuration(2));
  option(ft, ctl::optUtil, "Utility", TwipRect(2220, 330, 960, 300), configuration(3));
  QGroupBox* fo =
      group(interior, ctl::fraInteriorHeliOverlayView_0, "", TwipRect(7560, H - 2220, 2220, 780));
  // One above the other: side by side the two captions do not fit the frame's width.
  option(fo, ctl::Indexed(ctl::optSideOverlay_, 0), "Overlay", TwipRect(120, 150, 2000, 285),
         layout(0));
  option(fo, ctl::Indexed(ctl::optSideOverlay_, 1), "Side-By-Side", TwipRect(120, 450, 2000, 285),
         layout(1))
      ->setChecked(true);
  group(interior, ctl::fraIntCabVol_0, "Volumes", TwipRect(120, H - 1350, 4440, 840));

  // Tabs 6 to 13: the chart pictures with their qualifiers (each picture makes its assumption box
  // when it first shows it, and takes it away when the mouse leaves the picture).
  struct Chart {
    int tab;
    const char* pictures[2];
    const char* qualifiers[2];
  };
  static const Chart charts[] = {
      {Tab::BlockFuel,
       {ctl::chrtBlockFuel, ctl::chrtBlockTime},
       {ctl::lblBlockFuel, ctl::lblBlockTime}},
      {Tab::BalancedField, {ctl::chrtBalancedFieldLength, nullptr}, {ctl::lblTakeoff, nullptr}},
      {Tab::TakeoffLanding,
       {ctl::chrtTakeoffElevation, ctl::chrtLanding},
       {ctl::lblTakeoffElevation, ctl::lblLanding}},
      {Tab::FlightEnvelope,
       {ctl::chrtCruiseSpeed, ctl::chrtOperatingSpeed},
       {ctl::lblCruiseSpeed, ctl::lblOperatingSpeed}},
      {Tab::PayloadRange, {ctl::chrtPayload, nullptr}, {ctl::lblPayload, nullptr}},
      {Tab::ServiceCeiling,
       {ctl::chrtCeilingCorp, ctl::chrtCeilingUtil},
       {ctl::lblCeilingCorp, ctl::lblCeilingUtil}},
      {Tab::HVCruise,
       {ctl::chrtCeilingHV, ctl::chrtCeilingVNE},
       {ctl::lblCeilingHV, ctl::lblCeilingVNE}},
      {Tab::WAT, {ctl::chrtWATCorp, ctl::chrtWATUtil}, {ctl::lblWATCorp, ctl::lblWATUtil}},
  };
  for (const Chart& c : charts) {
    const bool two = c.pictures[1] != nullptr;
    for (int k = 0; k < (two ? 2 : 1); ++k) {
      const int left = two ? 120 + k * 4890 : 120;
      const int width = two ? 4770 : 9660;
      auto* chart = new ChartPicture(c.pictures[k], frames_[c.tab]);
      chart->setGeometry(TwipRect(left, 120, width, H - 1200));
      // The qualifier takes the room down to the planes' names (on the WAT page, on the right,
      // down to the category options) for a text that needs more than one line.
      auto* q = new QualifierLabel(frames_[c.tab]);
      q->setObjectName(c.qualifiers[k]);
      const bool besideOptions = c.tab == Tab::WAT && k == 1;
      q->setGeometry(TwipRect(left, H - 1020, width, besideOptions ? 300 : 600));
    }
  }
  option(frames_[Tab::WAT], ctl::optWATA, "Cat A", TwipRect(8280, H - 690, 1200, 255), watChart(1));
  option(frames_[Tab::WAT], ctl::optWATB, "Cat B", TwipRect(8280, H - 420, 1200, 255), watChart(2));

  // Hidden helpers of the printing and chart code.
  auto* plot = new QLabel(client);
  plot->setObjectName(ctl::PlotPicture);
  plot->setVisible(false);
  // CAD(0) measures drawings and composes pages; it is never shown.
  auto* cad0 = new dxf::DrawingWidget(client, vb::ProgramFolder());
  cad0->setObjectName(ctl::CAD_ + QString::number(0));
  cad0->setVisible(false);
  cad0->SetSize(dxf::DrawingControl::kMeasuringWidth, dxf::DrawingControl::kMeasuringHeight);
  cadViews_[0] = cad0;
  auto* assumption = new QLabel(client);
  assumption->setObjectName(ctl::lblAssumption);
  assumption->setVisible(false);

  // Status bar panel 1.
  QStatusBar* status = statusBar();
  status->setObjectName(ctl::sbStatusbar);
  panel1_ = new QLabel(status);
  panel1_->setObjectName(ctl::sbStatusbar_panel1);
  status->addWidget(panel1_, 1);

  connect(tabs_, &QTabBar::currentChanged, this, [this] {
    if (startupDone_ && !tabs_->signalsBlocked()) TabStrip_Click();
  });
}

void frmMain::BuildLabels() {
  for (const LabelCatalogue::LabelDef& def : LabelCatalogue::Labels()) {
    QWidget* parent = Container(def.parent);
    if (!parent) continue;
    QLabel* label = nullptr;
    if (def.array == Arr::lblData1 || def.array == Arr::lblData2) {
      auto* data = new DataLabel(parent);
      label = data;
    } else {
      label = new QLabel(parent);
    }
    label->setObjectName(QString::fromStdString(LabelCatalogue::ObjectName(def.array, def.index)));
    label->setProperty("Tag", QString::fromStdString(def.tag));
    label->setText(QString::fromStdString(def.caption));
    label->setTextFormat(Qt::PlainText);
    QRect r = TwipRect(def.left, def.top, def.width, def.height);
    if (qobject_cast<QGroupBox*>(parent)) r.translate(0, 4);
    label->setGeometry(r);
    label->setWordWrap(def.wrap);
    QFont plain = label->font();
    plain.setBold(def.bold);
    label->setFont(plain);
    Qt::Alignment align = def.align == LabelCatalogue::Align::Right    ? Qt::AlignRight
                          : def.align == LabelCatalogue::Align::Center ? Qt::AlignHCenter
                                                                       : Qt::AlignLeft;
    label->setAlignment(align | (def.height > 300 ? Qt::AlignTop : Qt::AlignVCenter));
    QPalette pal = label->palette();
    if (def.backColor >= 0) {
      label->setAutoFillBackground(true);
      pal.setColor(QPalette::Window, gdi::ToQColor(def.backColor));
    }
    if (def.array == Arr::lblHeading) pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    if (def.array == Arr::barBG) label->lower();
    labels_[{static_cast<int>(def.array), def.index}] = label;
  }
  // The row captions of the aircraft tab.
  QWidget* captions = Container(ctl::framLabels);
  int i = 0;
  for (const LabelCatalogue::Caption& c : LabelCatalogue::AircraftTabCaptions()) {
    auto* label = new QLabel(QString::fromStdString(c.text), captions);
    label->setObjectName(ctl::lblCaption_ + QString::number(i++));
    label->setGeometry(TwipRect(0, c.top + 60, 2340, 255));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
  }
}

QAction* frmMain::Action(std::string_view item) const {
  auto it = actions_.find(item);
  return it == actions_.end() ? nullptr : it->second;
}

QWidget* frmMain::Container(const std::string& name) const {
  auto it = containers_.find(name);
  return it == containers_.end() ? nullptr : it->second;
}

QLabel* frmMain::Label(Arr array, int index) const {
  auto it = labels_.find({static_cast<int>(array), index});
  if (it == labels_.end())
    throw vb::Error{vb::err::SubscriptOutOfRange, vb::ErrorText(vb::err::SubscriptOutOfRange)};
  return it->second;
}

QRadioButton* frmMain::Option(std::string_view name) const {
  auto it = options_.find(name);
  if (it == options_.end())
    throw vb::Error{vb::err::ObjectNotSet, vb::ErrorText(vb::err::ObjectNotSet)};
  return it->second;
}

// --- MainView ---

void frmMain::SetMenuVisible(std::string_view item, bool visible) noexcept {
  if (QAction* a = Action(item)) a->setVisible(visible);
}

void frmMain::SetMenuEnabled(std::string_view item, bool enabled) noexcept {
  QAction* a = Action(item);
  if (!a) return;
  // A print item held disabled by a running job takes the state when the job ends.
  if (auto held = printItemsHeld_.find(a); held != printItemsHeld_.end()) {
    held->second = enabled;
    return;
  }
  a->setEnabled(enabled);
}

void frmMain::PrintJobStarted() {
  for (auto& [name, action] : actions_) {
    if (!IsPrintItem(name) || printItemsHeld_.contains(action)) continue;
    // A hidden item cannot be chosen anyway, and it reads as disabled only because it is hidden:
    // holding it would leave it disabled for good once the job ends and it is shown again.
    if (!action->isVisible()) continue;
    printItemsHeld_.emplace(action, action->isEnabled());
    action->setEnabled(false);
  }
  if (!jobInputBlocker_) {
    jobInputBlocker_ = std::make_unique<JobInputBlocker>(this);
    qApp->installEventFilter(jobInputBlocker_.get());
  }
}

void frmMain::PrintJobEnded() {
  jobInputBlocker_.reset();  // a destroyed filter is removed from the application
  for (auto& [action, enabled] : printItemsHeld_) action->setEnabled(enabled);
  printItemsHeld_.clear();
}

void frmMain::SetMenuChecked(std::string_view item, bool checked) noexcept {
  if (QAction* a = Action(item)) {
    a->setCheckable(true);
    a->setChecked(checked);
  }
}

int frmMain::SelectedTab() noexcept { return tabs_->currentIndex(); }

void frmMain::SelectTab(int tab) noexcept {
  const QSignalBlocker block(tabs_);
  tabs_->setCurrentIndex(tab);
  tabHeaders_->Update();
}

void frmMain::SetTabVisible(int tab, bool visible) {
  if (dispatcher_) dispatcher_->SetTabVisible(tab, visible);
}

void frmMain::SetTabShown(int tab, bool shown) noexcept {
  if (tabs_->isTabVisible(tab) == shown) return;
  const QSignalBlocker block(tabs_);
  tabs_->setTabVisible(tab, shown);
  // The tab bar lays its tabs out again: a hidden tab must leave no gap where it stood.
  tabs_->setElideMode(tabs_->elideMode());
  tabs_->updateGeometry();
  tabHeaders_->Update();
}

void frmMain::PlaceFramesLike(int tab) noexcept {
  const QRect rect = frames_[tab]->geometry();
  for (QFrame* f : frames_) f->setGeometry(rect);
}

void frmMain::SetPanelVisible(int panel, bool visible) noexcept {
  panels_[panel == 0 ? 0 : 1]->setVisible(visible);
  SetUpScrollBar();
}

void frmMain::SetAircraftFrameCaption(int plane, const std::string& caption) noexcept {
  if (auto* g = qobject_cast<QGroupBox*>(Container(ctl::framAircraft_ + std::to_string(plane - 1))))
    g->setTitle(QString::fromStdString(caption));
}

std::string frmMain::LabelCaption(Arr array, int index) {
  return Label(array, index)->text().toStdString();
}

void frmMain::SetLabelCaption(Arr array, int index, const std::string& text) {
  QLabel* label = Label(array, index);
  // Line ends of multi-line values (CR LF) show as line breaks.
  QString t = QString::fromStdString(text);
  t.replace("\r\n", "\n");
  // A caption that stays as it is needs no paint: the label already shows it.
  if (label->text() == t) return;
  label->setText(t);
  label->repaint();
}

void frmMain::SetLabelBackColor(Arr array, int index, int32_t rgb) {
  QLabel* label = Label(array, index);
  QPalette pal = label->palette();
  pal.setColor(QPalette::Window, gdi::ToQColor(rgb));
  label->setAutoFillBackground(true);
  label->setPalette(pal);
}

void frmMain::SetLabelForeColor(Arr array, int index, int32_t rgb) {
  QLabel* label = Label(array, index);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, gdi::ToQColor(rgb));
  label->setPalette(pal);
}

void frmMain::SetOptionValue(std::string_view name, bool value) { Option(name)->setChecked(value); }

void frmMain::SetOptionVisible(std::string_view name, bool visible) {
  QRadioButton* option = Option(name);
  option->setVisible(visible);
  // The helicopter configuration frame holds nothing else: it shows while one of its buttons
  // does, so a fixed-wing pair shows no empty frame.
  QWidget* frame = option->parentWidget();
  if (frame && frame->objectName() == QLatin1String(ctl::fraInteriorHeliType)) {
    bool any = false;
    for (const QRadioButton* b : frame->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
      any = any || b->isVisibleTo(frame);
    frame->setVisible(any);
  }
}

WindowRect frmMain::Geometry() {
  const QRect frame = frameGeometry();
  return {Twips(frame.top()), Twips(frame.left()), Twips(frame.width()), Twips(frame.height())};
}

void frmMain::SetGeometry(const WindowRect& r) noexcept {
  // The stored rectangle is the outer frame. Before the window manager has framed the window
  // its frame is not known yet; the rectangle is applied again once it is, so that the window
  // does not grow by its frame from run to run.
  const QSize extra = frameGeometry().size() - geometry().size();
  move(Px(r.left), Px(r.top));
  resize(std::max(1, Px(r.width) - extra.width()), std::max(1, Px(r.height) - extra.height()));
  if (extra.isNull())
    pendingOuter_ = r;
  else
    pendingOuter_.reset();
}

bool frmMain::IsMaximized() { return isMaximized(); }

void frmMain::SetVisible(bool visible) { setVisible(visible); }

void frmMain::SetCaption(const std::string& caption) noexcept {
  setWindowTitle(QString::fromStdString(caption));
}

void frmMain::SetTimerEnabled(bool enabled) noexcept {
  if (enabled)
    timer1_.start();
  else
    timer1_.stop();
}

void frmMain::DoEvents() { QCoreApplication::processEvents(); }

void frmMain::Delay(float seconds) { General::Delay(seconds); }

void frmMain::CreateSplash() {
  if (!splash_) splash_ = new frmSplash(this);
}

void frmMain::ShowSplash() {
  CreateSplash();
  const QRect screen = QGuiApplication::primaryScreen()
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 1024, 768);
  splash_->move(screen.center() - splash_->rect().center());
  splash_->show();
  splash_->raise();
}

void frmMain::AllowSplashClose() {
  if (splash_) splash_->AllowClose();
}

void frmMain::ShowTabNo() {
  const int current = vars().CurrentTab;
  if (dispatcher_) dispatcher_->ShowTabNo();
  if (current == Tab::General) SetUpScrollBar();
}

void frmMain::ShowToolbar(bool visible) { Toolbar::ShowToolbar(visible); }

void frmMain::SetUpScrollBar() noexcept { ActivateScrollRule(*this); }

void frmMain::UnloadAllForms() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w == this) continue;
    w->hide();
    w->close();
  }
  hide();
}

// --- Event handlers ---

void frmMain::TabStrip_Click() {
  if (dispatcher_) dispatcher_->TabStripClick();
}

void frmMain::mnuChoose_Click() {
  vb::Proc g(kModule, "mnuChoose_Click");
  g.step([&] { ChooseAircraft(this); });
  scrollFrame_->setValue(0);
  MovePanels(0);
  ClearChartLabels();
  g.step([&] { MainForm::UpdateDisplay(*this, *data_); });
}

void frmMain::mnuFileNew_Click() {
  vb::Proc g(kModule, "mnuFileNew_Click");
  g.step([&] {
    Registry::RegSettings().Aircraft1.clear();
    Registry::RegSettings().Aircraft2.clear();
  });
  g.step([&] { Registry::SaveRegData(); });
  g.step([&] { MainForm::UpdateDisplay(*this, *data_); });
}

void frmMain::mnuFileExit_Click() {
  Handler("mnuFileExit_Click", [&] { close(); });
}

void frmMain::mnuHelpContents_Click() {
  Handler("mnuHelpContents_Click", [&] {
    const std::filesystem::path page = vb::ResolveName(vb::ProgramFolder(), "Tolvane.html");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(page, ec)) {
      QMessageBox::warning(
          this, "Help", "The help page " + QString::fromStdString(page.string()) + " is missing.");
      return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string()))))
      QMessageBox::warning(
          this, "Help",
          "No viewer could open the help page " + QString::fromStdString(page.string()) + ".");
  });
}

void frmMain::Form_Activate() {
  if (!startupDone_ || startup_.Unloaded()) return;
  startup_.FormActivate();
}

// Ctrl+Tab and Ctrl+Shift+Tab, wherever the focus is in the window, go round the shown tabs.
void frmMain::keyPressEvent(QKeyEvent* e) {
  const bool tabKey = e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
  if (!tabKey || !(e->modifiers() & Qt::ControlModifier)) {
    QMainWindow::keyPressEvent(e);
    return;
  }
  const bool back = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
  tabs_->setCurrentIndex(KeyboardStep(*tabs_, back ? -1 : 1, true));
}

bool frmMain::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Form_Activate();
  return QMainWindow::event(e);
}

void frmMain::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  // The splash window is this window's own: the window manager keeps it above this window, which
  // had no window of its own yet when the splash was shown and is mapped after it.
  if (splash_ && splash_->isVisible() && splash_->windowHandle()) {
    splash_->windowHandle()->setTransientParent(windowHandle());
    splash_->raise();
  }
  QTimer::singleShot(100, this, [this] {
    if (pendingOuter_ && frameGeometry().size() != geometry().size()) SetGeometry(*pendingOuter_);
  });
  // The first activation also comes when no window manager hands out the focus.
  if (!startup_.FirstActivationDone())
    QTimer::singleShot(0, this, [this] {
      if (!startup_.FirstActivationDone()) Form_Activate();
    });
}

void frmMain::closeEvent(QCloseEvent* e) {
  // The window and its drawing controls stay while a print job composes its pages in them.
  if (Printing::JobRunning()) {
    e->ignore();
    return;
  }
  startup_.FormUnload();
  e->accept();
  QCoreApplication::quit();
}

void frmMain::RecordDesign() {
  // Every control of the client area with its design rectangle (twips, relative to its
  // container) and its container's index, containers first: the toolbar strip and the tab
  // headers (both "SCROLLME": they keep their height and span the width), the page area under
  // them and every control of every page. The legend frame on the strip and the general data's
  // row panels are "SCROLLME" too: the panels keep their rows' heights and scroll instead. The
  // scroll bar is the scroll rule's, the tab bar and its arrows are the tab headers' band's.
  std::vector<ManagedControl> controls;
  std::map<QWidget*, int> index;
  auto add = [&](QWidget* w) {
    ManagedControl c;
    c.name = w->objectName().toStdString();
    const QRect r = w->geometry();
    c.design = {Twips(r.x()), Twips(r.y()), Twips(r.width()), Twips(r.height())};
    c.scrollMe = w->property("Tag").toString() == QLatin1String("SCROLLME");
    auto parent = index.find(w->parentWidget());
    c.container = parent == index.end() ? -1 : parent->second;
    index[w] = static_cast<int>(controls.size());
    controls.push_back(c);
    layoutControls_.push_back(w);
  };
  auto addTree = [&](QWidget* root) {
    add(root);
    for (QWidget* w : root->findChildren<QWidget*>())
      if (!w->isWindow() && w != scrollFrame_) add(w);
  };
  for (QFrame* panel : panels_) panel->setProperty("Tag", "SCROLLME");
  tabHeaders_->setProperty("Tag", "SCROLLME");
  addTree(toolbarStrip_);
  add(tabHeaders_);
  addTree(stage_);
  // The band the strip and the tab headers take at the top keeps its height.
  layout_ = std::make_unique<ProportionalLayout>(
      DesignSize{Twips(kDesignWidth), Twips(stage_->y() + kPageDesignHeight), Twips(stage_->y())},
      std::move(controls));
}

void frmMain::Relayout() {
  if (layout_) FormResize(*this, *layout_);
}

int frmMain::StripShift() const {
  return toolbarStrip_->isVisibleTo(centralWidget()) ? 0 : kStripHeight + kStripGap;
}

int32_t frmMain::FormWidth() { return Twips(centralWidget()->width()); }

int32_t frmMain::FormHeight() { return Twips(centralWidget()->height() + StripShift()); }

void frmMain::Place(int index, const LayoutRect& r) {
  QWidget* w = layoutControls_.at(static_cast<size_t>(index));
  QRect g(Px(r.left), Px(r.top), std::max(1, Px(r.width)), std::max(1, Px(r.height)));
  // The tabs take the place of a hidden strip; the page area reaches the client's bottom.
  if (w == tabHeaders_ || w == stage_) g.translate(0, -StripShift());
  if (w == stage_) g.setBottom(std::max(g.top(), centralWidget()->height() - 1));
  // A panel stays where the scroll bar has put it.
  if (w == panels_[0] || w == panels_[1]) g.moveTop(Px(PanelTop(scrollFrame_->value())));
  w->setGeometry(g);
}

int32_t frmMain::GeneralHeight() { return Twips(general_->height()); }

int32_t frmMain::PanelHeight(int panel) { return Twips(panels_[panel == 0 ? 0 : 1]->height()); }

void frmMain::SetScrollBar(const ScrollBarSetting& s) {
  if (s.setRange) {
    scrollFrame_->setRange(0, s.max);
    scrollFrame_->setPageStep(s.largeChange);
  }
  // A hidden bar leaves the panels at the top: nothing else could bring them back there.
  if (!s.visible) scrollFrame_->setRange(0, 0);
  const int width = s.width ? Px(*s.width) : scrollFrame_->width();
  scrollFrame_->setGeometry(general_->width() - width, 0, width, general_->height());
  scrollFrame_->setVisible(s.visible);
  scrollFrame_->raise();
}

void frmMain::MovePanels(int value) {
  for (QFrame* panel : panels_) panel->move(0, Px(PanelTop(value)));
}

// --- The tab dispatcher's side of the window ---

void frmMain::SetBusyPointer(bool busy) noexcept {
  if (busy)
    tabs_->setCursor(Qt::BusyCursor);
  else
    tabs_->unsetCursor();
}

void frmMain::UpdateDisplay() { MainForm::UpdateDisplay(*this, *data_); }

void frmMain::SetPageShown(int tab, bool shown) noexcept {
  if (tab < 0 || tab >= kTabCount) return;
  frames_[tab]->setVisible(shown);
  frames_[tab]->setEnabled(shown);
}

void frmMain::HideAssumption(int tab) noexcept {
  // Each chart picture keeps its own assumption box beside it, and the page's placeholder.
  if (tab < 0 || tab >= kTabCount) return;
  for (QWidget* box : frames_[tab]->findChildren<QWidget*>())
    if (box->objectName().startsWith("stcAssumption")) box->setVisible(false);
}

void frmMain::BuildChart(const ChartHover::PictureInfo& picture, int /*chartNumber*/) {
  // The picture knows its chart number by the aircraft class; it reads the database afresh.
  if (auto* chart = findChild<ChartPicture*>(QString::fromStdString(std::string(picture.name))))
    chart->Rebuild(true);
}

bool frmMain::OptionSelected(std::string_view name) {
  QRadioButton* option = Option(name);
  return option && option->isChecked();
}

void frmMain::SetFrameVisible(std::string_view name, bool visible) {
  if (QWidget* frame = Container(std::string(name))) frame->setVisible(visible);
}

MouseWheel::ScrollBarValues frmMain::ScrollBar() {
  if (!scrollFrame_) return {};
  return {scrollFrame_->value(), scrollFrame_->minimum(), scrollFrame_->maximum(),
          scrollFrame_->singleStep()};
}

void frmMain::SetScrollValue(int32_t value) {
  if (scrollFrame_) scrollFrame_->setValue(value);
}

void frmMain::HookWindow() {
  if (!wheelHook_) wheelHook_ = std::make_unique<MouseWheel::WheelFilter>(this, this);
  static_cast<MouseWheel::WheelFilter*>(wheelHook_.get())->Hook();
}

void frmMain::UnHookWindow() {
  if (wheelHook_) static_cast<MouseWheel::WheelFilter*>(wheelHook_.get())->UnHook();
}

bool frmMain::eventFilter(QObject* watched, QEvent* e) {
  if (watched == centralWidget() && e->type() == QEvent::Resize) Relayout();
  return QMainWindow::eventFilter(watched, e);
}

}  // namespace MainForm
