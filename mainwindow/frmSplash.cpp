#include "mainwindow/frmSplash.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "mainwindow/ControlNames.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

constexpr const char* kSplash = "frmSplash";

// The logo: two aircraft in plan view, one in each plane colour, overlapping as the program
// overlays them.
QPixmap Logo() {
  QPixmap pixmap(150, 150);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  auto plane = [&](QPointF at, double scale, QColor colour) {
    QPainterPath path;
    const double s = scale;
    path.moveTo(at + QPointF(0, -50 * s));
    path.lineTo(at + QPointF(6 * s, -35 * s));
    path.lineTo(at + QPointF(6 * s, -8 * s));
    path.lineTo(at + QPointF(48 * s, 10 * s));
    path.lineTo(at + QPointF(48 * s, 18 * s));
    path.lineTo(at + QPointF(6 * s, 10 * s));
    path.lineTo(at + QPointF(5 * s, 34 * s));
    path.lineTo(at + QPointF(18 * s, 44 * s));
    path.lineTo(at + QPointF(18 * s, 50 * s));
    path.lineTo(at + QPointF(0, 46 * s));
    path.lineTo(at + QPointF(-18 * s, 50 * s));
    path.lineTo(at + QPointF(-18 * s, 44 * s));
    path.lineTo(at + QPointF(-5 * s, 34 * s));
    path.lineTo(at + QPointF(-6 * s, 10 * s));
    path.lineTo(at + QPointF(-48 * s, 18 * s));
    path.lineTo(at + QPointF(-48 * s, 10 * s));
    path.lineTo(at + QPointF(-6 * s, -8 * s));
    path.lineTo(at + QPointF(-6 * s, -35 * s));
    path.closeSubpath();
    p.setPen(QPen(colour, 2));
    p.drawPath(path);
  };
  plane(QPointF(68, 75), 1.2, QColor(200, 0, 0));
  plane(QPointF(82, 75), 1.0, QColor(0, 0, 200));
  return pixmap;
}

}  // namespace

frmSplash::frmSplash(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      main_(mainWindow) {
  vb::Proc g(kSplash, "Form_Load");
  setObjectName(ctl::frmSplash);
  setAttribute(Qt::WA_DeleteOnClose);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setStyleSheet("#frmSplash { border: 1px solid #404040; }");

  picLogo_ = new QLabel(this);
  picLogo_->setObjectName(ctl::picLogo);
  picLogo_->setPixmap(Logo());
  lblSplash_ = new QLabel(this);
  lblSplash_->setObjectName(ctl::lblSplash);
  lblSplash_->setWordWrap(true);
  lblSplash_->setText(QString::fromStdString(SplashModel::Text()));
  lblSplash_->setFixedWidth(330);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 18);
  layout->setSpacing(18);
  layout->addWidget(picLogo_, 0, Qt::AlignTop);
  layout->addWidget(lblSplash_, 1);
  picLogo_->installEventFilter(this);
  lblSplash_->installEventFilter(this);
  adjustSize();

  showTimer_.setInterval(10);
  connect(&showTimer_, &QTimer::timeout, this, [this] { ShowTimer_Timer(); });
  showTimer_.start();
}

void frmSplash::ShowTimer_Timer() {
  vb::Proc g(kSplash, "showTimer_Timer");
  g.step([&] {
    // UnLoadDelay: two seconds on the program's clock while events go on, then the window
    // unloads.
    switch (model_.OnTimer(vb::Timer())) {
      case SplashModel::Tick::None:
        return;
      case SplashModel::Tick::StartWait:
        setCursor(Qt::BusyCursor);
        return;
      case SplashModel::Tick::Close:
        showTimer_.stop();
        close();
        return;
    }
  });
}

void frmSplash::Clicked() {
  vb::Proc g(kSplash, "Form_Click");
  g.step([&] {
    if (model_.OnClick()) close();
  });
}

void frmSplash::mousePressEvent(QMouseEvent*) { Clicked(); }

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && (watched == picLogo_ || watched == lblSplash_)) {
    Clicked();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void frmSplash::closeEvent(QCloseEvent* event) {
  vb::Proc g(kSplash, "Form_Unload");
  if (!model_.BeginUnload()) {
    event->ignore();
    return;
  }
  showTimer_.stop();
  g.step([&] {
    if (main_) {
      main_->show();
      main_->unsetCursor();
    }
  });
  event->accept();
}

}  // namespace MainForm
