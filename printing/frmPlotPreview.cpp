#include "printing/frmPlotPreview.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/runtime/Trap.h"
#include "printing/ControlNames.h"

namespace {

constexpr const char* kForm = Printing::ctl::frmPlotPreview;
// White space around the page in the window.
constexpr int kMargin = 8;

// The page shown, on white with a thin frame.
class PageView final : public QWidget {
 public:
  PageView(PreviewPages& pages, const frmPlotPreview& window, QWidget* parent)
      : QWidget(parent), pages_(pages), window_(window) {
    setObjectName(Printing::ctl::picPage);
    setFixedSize(PreviewPages::kPageWidth + 2 * kMargin, PreviewPages::kPageHeight + 2 * kMargin);
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect page(kMargin, kMargin, PreviewPages::kPageWidth, PreviewPages::kPageHeight);
    p.drawImage(page.topLeft(), pages_.page(window_.currentPage()));
    p.setPen(QColor(160, 160, 160));
    p.drawRect(page.adjusted(-1, -1, 0, 0));
  }

 private:
  PreviewPages& pages_;
  const frmPlotPreview& window_;
};

}  // namespace

frmPlotPreview::frmPlotPreview(PreviewPages& pages) : QWidget(nullptr, Qt::Tool), pages_(pages) {
  setObjectName(kForm);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(" Plot Preview");
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  // Keys go to the window itself: nothing inside it takes the focus.
  setFocusPolicy(Qt::StrongFocus);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(Printing::ctl::scrPage);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  scroll_->setPalette(white);
  view_ = new PageView(pages_, *this, scroll_);
  view_->setPalette(white);
  scroll_->setWidget(view_);
  layout->addWidget(scroll_, 1);

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(kMargin, 4, kMargin, 4);
  bar->setSpacing(8);
  previous_ = new QToolButton(this);
  previous_->setObjectName(Printing::ctl::cmdPreviousPage);
  previous_->setText(QString::fromUtf8("\u25C0"));
  previous_->setToolTip("Previous page (Page Up)");
  previous_->setFocusPolicy(Qt::NoFocus);
  next_ = new QToolButton(this);
  next_->setObjectName(Printing::ctl::cmdNextPage);
  next_->setText(QString::fromUtf8("\u25B6"));
  next_->setToolTip("Next page (Page Down)");
  next_->setFocusPolicy(Qt::NoFocus);
  pageLabel_ = new QLabel(this);
  pageLabel_->setObjectName(Printing::ctl::lblPage);
  pageLabel_->setAlignment(Qt::AlignCenter);
  bar->addStretch(1);
  bar->addWidget(previous_);
  bar->addWidget(pageLabel_);
  bar->addWidget(next_);
  bar->addStretch(1);
  layout->addLayout(bar);
  barHeight_ = bar->sizeHint().height();
  connect(previous_, &QToolButton::clicked, this, [this] { showPage(current_ - 1); });
  connect(next_, &QToolButton::clicked, this, [this] { showPage(current_ + 1); });

  pages_.setOnChange([this] { pagesChanged(); });
  pagesChanged();
  Form_Load();
}

frmPlotPreview::~frmPlotPreview() { release(); }

// The pages go when the window closes, not when the closed window is deleted: that waits for the
// main event loop, and a job that lets the event loop run in between draws its later pages
// meanwhile, for the window opened anew.
void frmPlotPreview::closeEvent(QCloseEvent* event) {
  release();
  QWidget::closeEvent(event);
}

void frmPlotPreview::release() {
  if (!attached_) return;
  attached_ = false;
  pages_.setOnChange(nullptr);
  // Unloading the window discards its drawing; a job drawing meanwhile goes on.
  pages_.dropPages();
}

void frmPlotPreview::Form_Load() {
  vb::Proc g(kForm, "Form_Load");
  g.step([&] {
    // Room for the whole page and the page bar where the screen has it; else it scrolls.
    const QSize wanted(view_->width(), view_->height() + barHeight_);
    QRect screen(0, 0, 1280, 1024);
    if (const QScreen* s = QGuiApplication::primaryScreen()) screen = s->availableGeometry();
    const QSize size(std::min(wanted.width(), screen.width() - 20),
                     std::min(wanted.height(), screen.height() - 60));
    resize(size);
    move(screen.left() + (screen.width() - size.width()) / 2,
         screen.top() + (screen.height() - size.height()) / 2);
  });
}

void frmPlotPreview::Form_KeyPress(int keyAscii) {
  vb::Proc g(kForm, "Form_KeyPress");
  g.step([&] {
    if (keyAscii == 27) close();
  });
}

void frmPlotPreview::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      Form_KeyPress(27);
      return;
    case Qt::Key_PageUp:
      showPage(current_ - 1);
      return;
    case Qt::Key_PageDown:
      showPage(current_ + 1);
      return;
    case Qt::Key_Home:
      showPage(0);
      return;
    case Qt::Key_End:
      showPage(pages_.pageCount() - 1);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void frmPlotPreview::showPage(int index) {
  const int count = pages_.pageCount();
  current_ = std::clamp(index, 0, std::max(0, count - 1));
  pageLabel_->setText(count == 0 ? QString("No page")
                                 : QString("Page %1 of %2").arg(current_ + 1).arg(count));
  previous_->setEnabled(current_ > 0);
  next_->setEnabled(current_ + 1 < count);
  view_->update();
}

void frmPlotPreview::pagesChanged() {
  const int count = pages_.pageCount();
  // While the user looks at the last page, a page that is added is shown as it is drawn.
  const bool followLast = count == 0 || current_ + 1 >= shownCount_;
  shownCount_ = count;
  showPage(followLast ? count - 1 : current_);
}
