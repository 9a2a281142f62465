#include "mainwindow/frmToolbar.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include "mainwindow/ControlNames.h"
#include "mainwindow/ToolbarModule.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

int Px(int twips) { return twips / 15; }

// A magnifying glass with a plus, a minus or nothing in it.
void Magnifier(QPainter& p, char sign) {
  p.setPen(QPen(Qt::black, 1.6));
  p.setBrush(QColor(220, 235, 255));
  p.drawEllipse(QPointF(8.5, 8.5), 5.5, 5.5);
  p.setPen(QPen(Qt::black, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(12.6, 12.6), QPointF(16.5, 16.5));
  p.setPen(QPen(Qt::black, 1.4));
  if (sign == '+' || sign == '-') p.drawLine(QPointF(6, 8.5), QPointF(11, 8.5));
  if (sign == '+') p.drawLine(QPointF(8.5, 6), QPointF(8.5, 11));
}

}  // namespace

QIcon ToolbarIcon(int index) {
  QPixmap pixmap(18, 18);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (index) {
    case 3:  // grid
      p.setPen(QPen(QColor(60, 60, 60), 1));
      for (int i = 2; i <= 16; i += 4) {
        p.drawLine(QPointF(i + 0.5, 2), QPointF(i + 0.5, 16));
        p.drawLine(QPointF(2, i + 0.5), QPointF(16, i + 0.5));
      }
      break;
    case 4:  // zoom all: a frame with the drawing filling it
      p.setPen(QPen(Qt::black, 1));
      p.drawRect(QRectF(1.5, 1.5, 15, 15));
      p.setPen(QPen(QColor(200, 0, 0), 1.5));
      p.drawLine(QPointF(4, 9), QPointF(14, 9));
      p.drawLine(QPointF(9, 4), QPointF(9, 14));
      p.drawLine(QPointF(6, 12), QPointF(12, 12));
      break;
    case 5:  // zoom window: a dashed box with a glass
      p.setPen(QPen(Qt::black, 1, Qt::DashLine));
      p.drawRect(QRectF(1.5, 1.5, 11, 9));
      p.translate(3, 3);
      p.scale(0.8, 0.8);
      Magnifier(p, ' ');
      break;
    case 6:
      Magnifier(p, '+');
      break;
    case 7:
      Magnifier(p, '-');
      break;
    default:
      break;
  }
  return QIcon(pixmap);
}

std::array<QPushButton*, 10> MakeToolbarButtons(QWidget* parent, bool floating) {
  std::array<QPushButton*, 10> buttons{};
  for (int i = 0; i < 10; ++i) {
    auto* b = new QPushButton(parent);
    b->setObjectName(ctl::cmdToolbar_ + QString::number(i));
    const std::string_view caption = Toolbar::ButtonCaption(i, floating);
    if (caption.empty()) {
      b->setIcon(ToolbarIcon(i));
      b->setIconSize(QSize(18, 18));
    } else {
      b->setText(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
    }
    const std::string_view tip = Toolbar::ButtonTooltip(i, floating);
    b->setToolTip(QString::fromUtf8(tip.data(), static_cast<int>(tip.size())));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, b, [i] { Toolbar::ButtonClick(i); });
    buttons[static_cast<size_t>(i)] = b;
  }
  return buttons;
}

void SetButtonBold(QPushButton* button, bool bold) {
  if (!button) return;
  QFont f = button->font();
  f.setBold(bold);
  button->setFont(f);
}

frmToolbar::frmToolbar(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                              Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint) {
  setObjectName(ctl::frmToolbar);
  vb::Proc g("frmToolbar", "Form_Load");
  tag_ = Toolbar::kFloatingCaption;
  setWindowTitle(tag_);
  buttons_ = MakeToolbarButtons(this, true);
  for (int i = 0; i < 10; ++i)
    buttons_[static_cast<size_t>(i)]->setGeometry(
        Px(Toolbar::kButtonLefts[static_cast<size_t>(i)]), Px(Toolbar::kButtonTop),
        Px(Toolbar::kButtonWidth), Px(Toolbar::kButtonHeight));
}

void frmToolbar::closeEvent(QCloseEvent* event) {
  // The close box hides the window; the object stays for the next Show.
  event->ignore();
  hide();
  Toolbar::FloatingClosed();
}

void frmToolbar::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMaximized())
    // Docking hides this window; it must not happen inside the state change itself.
    QTimer::singleShot(0, this, [this] {
      if (isMaximized()) Toolbar::FloatingResized(true);
    });
}

}  // namespace MainForm
