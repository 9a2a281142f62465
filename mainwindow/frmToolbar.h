#pragma once
// The floating toolbar window frmToolbar ("Viewing Toolbar") and the button row both toolbars
// share: ten buttons cmdToolbar(0..9), captions and tooltips of the Toolbar module, pictures for
// buttons 3 to 7.
#include <QIcon>
#include <QPushButton>
#include <QWidget>
#include <array>

namespace MainForm {

// The picture of button 3 (grid), 4 (zoom all), 5 (zoom window), 6 (zoom in) or 7 (zoom out).
QIcon ToolbarIcon(int index);

// Makes the ten buttons of one toolbar in `parent`; `floating` picks the floating window's
// captions and tooltips. Positions are the caller's.
std::array<QPushButton*, 10> MakeToolbarButtons(QWidget* parent, bool floating);

// Sets the bold caption of one button (the switched-on state of buttons 0 to 3).
void SetButtonBold(QPushButton* button, bool bold);

class frmToolbar final : public QWidget {
  Q_OBJECT
 public:
  // A tool window of the main window: it stays above it and goes with it.
  explicit frmToolbar(QWidget* mainWindow);
  const std::array<QPushButton*, 10>& buttons() const { return buttons_; }
  QString Tag() const { return tag_; }
  void SetTag(const QString& tag) { tag_ = tag; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  std::array<QPushButton*, 10> buttons_{};
  QString tag_;
};

}  // namespace MainForm
