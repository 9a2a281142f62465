#pragma once
// The fixture of the print jobs run from the real window: the program on the sample databases
// and page templates, the printer dialog answered at once with a PDF file, the file read back
// with the poppler tools.
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QTabBar>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "MainWindowFixture.h"
#include "WidgetSupport.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/frmMain.h"
#include "platform/printer/PrinterDialog.h"
#include "platform/printer/QtPrinter.h"
#include "platform/runtime/Files.h"
#include "printing/QtDevices.h"
#include "support/Fixtures.h"
#include "support/Pdf.h"

namespace mwtest {

// The printer dialog answered at once with a PDF file and a number of copies.
class PdfDialog final : public printer::PrinterDialogRunner {
 public:
  QString file;
  int copies = 1;
  int calls = 0;
  std::optional<printer::DialogChoice> run(QPrinter& printer, int, QWidget*) override {
    ++calls;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return printer::DialogChoice{file, copies, false, printer::PageRange::All};
  }
};

class PrintJobs : public MainWindowTest {
 protected:
  void SetUp() override {
    QtApp();
    MainWindowTest::SetUp();
    if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
    for (const auto& t : std::filesystem::directory_iterator(TOLVANE_TEMPLATES))
      std::filesystem::copy_file(t.path(), dir / t.path().filename().string());
    std::string sql;
    ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
    testsupport::BuildDatabase(dir / "ac.mdb", sql);
    std::filesystem::copy_file(TOLVANE_SAMPLE_DXF_DB, dir / "dxf.mdb");
    WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
  }
  void TearDown() override {
    if (window) window->close();
    window.reset();
    MainWindowTest::TearDown();
  }
  // The program started on a stored pair.
  void Start(const char* a1, const char* a2) {
    Registry::LoadDefaults();
    Registry::RegSettings().Aircraft1 = a1;
    Registry::RegSettings().Aircraft2 = a2;
    Registry::RegSettings().ProgramVersion = MainForm::VersionText();
    ASSERT_EQ(Registry::SaveRegData(), 0);
    window = std::make_unique<MainForm::frmMain>();
    window->printingDevices().InstallDialogRunner(&dialog);
    window->Start();
    window->show();
    ASSERT_TRUE(PumpUntil([&] { return window->startup().FirstActivationDone(); }));
  }
  QAction* Item(const char* name) { return window->findChild<QAction*>(name); }
  // Triggers a print item with the output going to NAME.pdf; the file's path. The files are
  // handed to pdftotext at once, which reads them while the test goes on.
  QString Print(const char* item, const std::string& name, int copies = 1) {
    dialog.file = QString::fromStdString((dir / (name + ".pdf")).string());
    dialog.copies = copies;
    QAction* a = Item(item);
    EXPECT_NE(a, nullptr) << item;
    if (!a) return dialog.file;
    EXPECT_TRUE(a->isEnabled()) << item;
    a->trigger();
    for (int copy = 1; copy <= copies; ++copy)
      testsupport::PrefetchPdfText(printer::NumberedFile(dialog.file, copy));
    return dialog.file;
  }
  static int Pages(const QString& file) {
    if (!QFileInfo::exists(file)) return 0;
    return testsupport::PdfPageCount(file);
  }
  // Every page k of the file says "Page k of n".
  static void ExpectNumbered(const QString& file, int n) {
    ASSERT_EQ(Pages(file), n) << file.toStdString();
    for (int k = 1; k <= n; ++k) {
      const QString text = testsupport::PdfPageText(file, k).simplified();
      EXPECT_TRUE(text.contains(QString("Page %1 of %2").arg(k).arg(n)))
          << file.toStdString() << " page " << k << ": " << text.left(300).toStdString();
    }
  }
  std::string Status() {
    auto* panel = window->findChild<QLabel*>(MainForm::ctl::sbStatusbar_panel1);
    return panel ? panel->text().toStdString() : std::string("<none>");
  }
  void SelectTab(int tab) {
    window->findChild<QTabBar*>(MainForm::ctl::SSTab)->setCurrentIndex(tab);
    EXPECT_TRUE(PumpUntil([&] { return MainForm::vars().CurrentTab == tab; }));
  }

  PdfDialog dialog;
  std::unique_ptr<MainForm::frmMain> window;
};

}  // namespace mwtest
