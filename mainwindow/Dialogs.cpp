#include "mainwindow/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSysInfo>

#include "foundation/Registry.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/ToolbarModule.h"
#include "platform/gdi/Color.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* caption, QRect rect) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setGeometry(rect);
  b->setAutoDefault(false);
  return b;
}

QLabel* Text(QWidget* parent, const char* name, const QString& text, QRect rect) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(rect);
  l->setWordWrap(true);
  return l;
}

QFrame* Line(QWidget* parent, const char* name, QRect rect) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setFrameShape(QFrame::HLine);
  f->setFrameShadow(QFrame::Sunken);
  f->setGeometry(rect);
  return f;
}

}  // namespace

// --- ProgramDialog ---

ProgramDialog::ProgramDialog(QWidget* parent) : QDialog(parent) {
  Toolbar::FormLoad();
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

ProgramDialog::~ProgramDialog() { Toolbar::FormUnload(); }

// --- ClickLabel, ColorSample ---

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QLabel::mousePressEvent(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void ColorSample::SetColor(int32_t rgb) {
  rgb_ = rgb;
  update();
}

void ColorSample::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  if (rgb_ < 0) {
    // No colour of its own: each plane's colour is used. A neutral hatch says so.
    p.fillRect(r, Qt::white);
    p.fillRect(r, QBrush(QColor(128, 128, 128), Qt::BDiagPattern));
  } else {
    p.fillRect(r, gdi::ToQColor(rgb_));
  }
  p.setPen(QColor(64, 64, 64));
  p.drawRect(r);
}

// --- frmColor ---

frmColor::frmColor(Color::PickerModel& model, QWidget* parent)
    : ProgramDialog(parent), model_(model) {
  setObjectName(ctl::frmColor);
  setWindowTitle(QString::fromStdString(model_.Caption()));
  constexpr int kCell = 405 / 15, kGap = 4, kLeft = 8, kTop = 8;
  for (int i = 0; i < 16; ++i) {
    auto* cell = new ClickLabel(this);
    cell->setObjectName(ctl::lblColor_ + QString::number(i));
    cell->setGeometry(kLeft + (i % 4) * (kCell + kGap), kTop + (i / 4) * (kCell + kGap), kCell,
                      kCell);
    cell->setAutoFillBackground(true);
    cell->setFrameShape(QFrame::Box);
    QPalette pal = cell->palette();
    pal.setColor(QPalette::Window, gdi::ToQColor(Color::kCells[static_cast<size_t>(i)]));
    pal.setColor(QPalette::WindowText, QColor(64, 64, 64));
    cell->setPalette(pal);
    connect(cell, &ClickLabel::clicked, this, [this, i] {
      vb::Proc g("frmColor", "lblColor_Click", vb::Trap::Report, false);
      g.step([&] { model_.ClickCell(i); });
      Sync();
    });
    connect(cell, &ClickLabel::doubleClicked, this, [this, i] {
      vb::Proc g("frmColor", "lblColor_DblClick");
      g.step([&] { model_.DoubleClickCell(i); });
      Sync();
      if (model_.Closed()) accept();
    });
  }
  const int gridWidth = 4 * kCell + 3 * kGap;
  sample_ = new ColorSample(this);
  sample_->setObjectName(ctl::lblSelected);
  sample_->setGeometry(kLeft, kTop + 4 * (kCell + kGap) + 4, gridWidth, 24);
  planeBox_ = new QCheckBox("Same Color as Plane", this);
  planeBox_->setObjectName(ctl::chkPlaneColor);
  planeBox_->setGeometry(kLeft, sample_->geometry().bottom() + 8, 160, 20);
  connect(planeBox_, &QCheckBox::clicked, this, [this](bool checked) {
    model_.SetPlaneBoxChecked(checked);
    Sync();
  });
  const int right = kLeft + gridWidth + 16;
  QPushButton* ok = Button(this, ctl::cmdOK, "&OK", QRect(right, kTop, 84, 26));
  ok->setDefault(true);
  QPushButton* cancel = Button(this, "CancelButton", "&Cancel", QRect(right, kTop + 34, 84, 26));
  connect(ok, &QPushButton::clicked, this, [this] {
    vb::Proc g("frmColor", "cmdOK_Click");
    g.step([&] { model_.Ok(); });
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
  // Esc and the close box cancel as the Cancel button does.
  connect(this, &QDialog::rejected, this, [this] { model_.Cancel(); });
  setFixedSize(right + 84 + 10, planeBox_->geometry().bottom() + 10);
  Sync();
}

void frmColor::Sync() {
  sample_->SetColor(model_.Sample());
  planeBox_->setVisible(model_.PlaneBoxVisible());
  planeBox_->setChecked(model_.PlaneBoxChecked());
}

void frmColor::Run(Color::PickerModel& model) {
  frmColor dialog(model, QApplication::activeWindow());
  dialog.exec();
}

// --- frmAbout ---

std::string AboutVersionText(const std::string& databaseVersion) {
  return "Version " + VersionText() + "  (" + databaseVersion + ")";
}

std::string AboutCopyrightText(int year) {
  return "Copyright \xC2\xA9 " + std::to_string(year) + " Velmora. All rights reserved.";
}

std::string SystemInfoText() {
  return "Operating system: " + QSysInfo::prettyProductName().toStdString() +
         "\nKernel: " + QSysInfo::kernelType().toStdString() + " " +
         QSysInfo::kernelVersion().toStdString() +
         "\nArchitecture: " + QSysInfo::currentCpuArchitecture().toStdString() +
         "\nQt: " + std::string(qVersion()) + " (built with " + QT_VERSION_STR + ")";
}

frmAbout::frmAbout(QWidget* parent) : ProgramDialog(parent) {
  setObjectName(ctl::frmAbout);
  vb::Proc g("frmAbout", "Form_Load");
  setWindowTitle("About Tolvane");
  auto* icon = new QLabel(this);
  icon->setObjectName(ctl::picIcon);
  icon->setPixmap(ProgramIcon(48));
  icon->setGeometry(16, 16, 48, 48);
  QLabel* title = Text(this, ctl::lblTitle, "Tolvane", QRect(80, 14, 300, 30));
  QFont big = title->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  title->setFont(big);
  Text(this, ctl::lblVersion,
       QString::fromStdString(AboutVersionText(Registry::RegSettings().DatabaseVersion)),
       QRect(80, 46, 320, 20));
  Line(this, "Line1", QRect(16, 74, 388, 2));
  Text(this, ctl::lblDisclaimer,
       "Warning: this program and its aircraft data are protected by copyright law. The data "
       "are given for comparison and planning only; they do not replace the flight manual or "
       "the maker's published figures. Copying or distributing the program or its data "
       "without permission is not allowed.",
       QRect(16, 82, 388, 80))
      ->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Line(this, "Line2", QRect(16, 168, 388, 2));
  int year = QDate::currentDate().year();
  g.step([&] { year = vb::PartsOfDate(vb::Now()).year; });
  Text(this, ctl::lblCopyright, QString::fromStdString(AboutCopyrightText(year)),
       QRect(16, 178, 260, 40));
  QPushButton* ok = Button(this, ctl::cmdOK, "OK", QRect(300, 180, 104, 26));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  QPushButton* info = Button(this, ctl::cmdSysInfo, "&System Info...", QRect(300, 212, 104, 26));
  connect(info, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
  setFixedSize(420, 250);
}

void frmAbout::cmdSysInfo_Click() {
  vb::Proc g("frmAbout", "cmdSysInfo_Click");
  g.step([&] {
    QMessageBox box(QMessageBox::Information, "System Information",
                    QString::fromStdString(SystemInfoText()), QMessageBox::Ok, this);
    box.setObjectName("SystemInfo");
    box.exec();
  });
}

// --- frmProperties ---

frmProperties::frmProperties(QWidget* parent) : ProgramDialog(parent) {
  setObjectName(ctl::frmProperties);
  setWindowTitle("Properties");
  model_.Load();
  auto* icon = new QLabel(this);
  icon->setObjectName(ctl::imgIcon);
  icon->setPixmap(ProgramIcon(32));
  icon->setGeometry(12, 14, 32, 32);
  auto* frame = new QGroupBox("CAD Settings", this);
  frame->setObjectName(ctl::Frame1);
  frame->setGeometry(56, 8, 220, 80);
  zoom_ = new QCheckBox("Zoom with Mouse", frame);
  zoom_->setObjectName(ctl::chkZoomMouse);
  zoom_->setGeometry(12, 24, 190, 20);
  pan_ = new QCheckBox("Pan with Mouse", frame);
  pan_->setObjectName(ctl::chkPanMouse);
  pan_->setGeometry(12, 50, 190, 20);
  // Only the user's clicks count: setting the boxes at load must not look like a change.
  connect(pan_, &QCheckBox::clicked, this, [this](bool checked) {
    model_.ClickPan(checked);
    Sync();
  });
  connect(zoom_, &QCheckBox::clicked, this, [this](bool checked) {
    model_.ClickZoom(checked);
    Sync();
  });
  QPushButton* ok = Button(this, ctl::cmdOK, "OK", QRect(20, 100, 80, 26));
  ok->setDefault(true);
  QPushButton* cancel = Button(this, ctl::cmdCancel, "Cancel", QRect(108, 100, 80, 26));
  apply_ = Button(this, ctl::cmdApply, "Apply", QRect(196, 100, 80, 26));
  connect(ok, &QPushButton::clicked, this, [this] {
    model_.Ok();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(apply_, &QPushButton::clicked, this, [this] {
    model_.Apply();
    Sync();
  });
  connect(this, &QDialog::rejected, this, [this] { model_.Cancel(); });
  setFixedSize(290, 138);
  Sync();
}

void frmProperties::Sync() {
  pan_->setChecked(model_.Pan());
  zoom_->setChecked(model_.Zoom());
  apply_->setEnabled(model_.ApplyEnabled());
}

// --- The icon ---

QPixmap ProgramIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 48.0, size / 48.0);
  p.setBrush(QColor(40, 80, 160));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
  // Two aircraft seen from above, red and blue as the two planes are by default.
  auto plane = [&](double x, QColor colour) {
    QPainterPath path;
    path.moveTo(x, 6);
    path.lineTo(x + 2.5, 14);
    path.lineTo(x + 10, 22);
    path.lineTo(x + 10, 25);
    path.lineTo(x + 2.5, 22);
    path.lineTo(x + 2, 34);
    path.lineTo(x + 6, 38);
    path.lineTo(x + 6, 40);
    path.lineTo(x, 38.5);
    path.lineTo(x - 6, 40);
    path.lineTo(x - 6, 38);
    path.lineTo(x - 2, 34);
    path.lineTo(x - 2.5, 22);
    path.lineTo(x - 10, 25);
    path.lineTo(x - 10, 22);
    path.lineTo(x - 2.5, 14);
    path.closeSubpath();
    p.setBrush(colour);
    p.drawPath(path);
  };
  plane(14, QColor(255, 90, 90));
  plane(34, QColor(140, 170, 255));
  return pixmap;
}

}  // namespace MainForm
