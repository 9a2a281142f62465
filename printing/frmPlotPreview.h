#pragma once
// The plot preview window: in preview mode the pages of a print job are drawn into PreviewPages
// instead of on the printer; frmPlotPreview (" Plot Preview") shows one page at a time,
// scrollable, with the page number and buttons to the previous and next pages.
// The window is a modeless tool window with no owner, centred on the screen when it opens; Esc
// closes it, and closing it discards the pages drawn so far. A job goes on when the user closes
// the window: the next page it begins opens a new one (Printing).
#include <QWidget>

#include "printing/PreviewPages.h"

class QLabel;
class QScrollArea;
class QToolButton;

class frmPlotPreview final : public QWidget {
  Q_OBJECT
 public:
  explicit frmPlotPreview(PreviewPages& pages);
  ~frmPlotPreview() override;

  // The page shown, from 0.
  int currentPage() const { return current_; }
  void showPage(int index);
  // Until it is closed the window shows the pages; a closed one only waits to be deleted.
  bool isOpen() const { return attached_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Lets go of the pages, discarding them: once, when the window closes or goes.
  void release();
  void Form_Load();
  void Form_KeyPress(int keyAscii);
  void pagesChanged();

  PreviewPages& pages_;
  QScrollArea* scroll_ = nullptr;
  QWidget* view_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QToolButton* previous_ = nullptr;
  QToolButton* next_ = nullptr;
  int current_ = 0;
  int shownCount_ = 0;
  int barHeight_ = 0;
  bool attached_ = true;
};
