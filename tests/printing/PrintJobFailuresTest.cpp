// Print jobs that meet failures: page templates that are no templates, the aircraft database
// gone, files in the way of the copies, the program ended mid-job. Every document begun is a
// whole file, a failure is reported once however many pages and jobs meet it, no file the user
// did not name is replaced, and the status bar says how the job went.
#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "PagePrintingFixture.h"
#include "printing/PrintCommands.h"
#include "support/Pdf.h"

namespace {

namespace fs = std::filesystem;
using Printing::PrintCommand;

class PrintJobFailures : public printingtest::PagePrinting {
 protected:
  void SetUp() override {
    PagePrinting::SetUp();
    if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
    vb::ChDir(dir.path());  // the error log's folder, as start-up makes it
  }
  // A job of `command` to NAME.pdf of the test folder (`copies` documents); the first file.
  QString Job(PrintCommand command, const std::string& name, int copies = 1) {
    const QString file = QString::fromStdString((dir / (name + ".pdf")).string());
    dialog.AnswerPdf(file);
    dialog.answer->copies = copies;
    Printing::RunCommand(command);
    return file;
  }
  std::string LastStatus() const {
    return ui.statusTexts.empty() ? std::string() : ui.statusTexts.back();
  }
  // The lines of ERROR.LOG without their date and time.
  std::vector<std::string> LoggedErrors() const {
    std::vector<std::string> lines;
    std::ifstream in(General::ErrorLogFile());
    std::string line;
    while (std::getline(in, line)) {
      const size_t tag = line.find('[');
      lines.push_back(tag == std::string::npos ? line : line.substr(tag));
    }
    return lines;
  }
};

TEST_F(PrintJobFailures, ATemplateThatIsNoTemplateFailsItsPageOnceAndTheFileIsWhole) {
  std::string aircraft;
  ASSERT_TRUE(vb::ReadWholeFile(std::string(TOLVANE_TEMPLATES) + "/Aircraft.dxf", aircraft));
  struct Case {
    std::string name;
    std::function<void(const fs::path&)> make;
  };
  const Case cases[] = {
      {"empty", [](const fs::path& f) { ASSERT_TRUE(vb::WriteFileAtomic(f, "")); }},
      {"cut short",
       [&](const fs::path& f) { ASSERT_TRUE(vb::WriteFileAtomic(f, aircraft.substr(0, 3000))); }},
      {"binary",
       [](const fs::path& f) {
         std::string junk(4096, '\0');
         for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 7919 % 251);
         ASSERT_TRUE(vb::WriteFileAtomic(f, junk));
       }},
      {"missing", [](const fs::path&) {}},
      {"a link to /dev/zero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }},
      {"a folder", [](const fs::path& f) { fs::create_directory(f); }},
      {"too large",
       [](const fs::path& f) {
         { std::ofstream(f) << "0\nSECTION\n"; }
         fs::resize_file(f, CadFunctions::kMaxTemplateBytes + 1);
       }},
  };
  int k = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Printing::ForgetJobFailures();
    const fs::path folder = dir / ("templates" + std::to_string(++k));
    fs::create_directory(folder);
    c.make(folder / "Aircraft.dxf");
    controls[0]->SetBaseFolder(folder);
    const long before = General::vars().ErrorCount;
    const QString file = Job(PrintCommand::Aircraft, "template-" + std::to_string(k));
    const testsupport::PdfInfo info = testsupport::ReadPdfInfo(file);
    EXPECT_TRUE(info.ok);
    EXPECT_EQ(info.pages, 1);
    EXPECT_EQ(General::vars().ErrorCount - before, 1);
    EXPECT_EQ(LastStatus(), "The print job had errors, logged in " + General::ErrorLogFile() +
                                "; written: " + file.toStdString());
  }
}

TEST_F(PrintJobFailures, WithTheDatabaseGoneTwoJobsPrintEveryPageAndReportEachFailureOnce) {
  UseSampleDrawings();
  fs::remove(dir / "ac.mdb");
  const QString first = Job(PrintCommand::All, "first");
  const QString second = Job(PrintCommand::All, "second");
  for (const QString& file : {first, second}) {
    const testsupport::PdfInfo info = testsupport::ReadPdfInfo(file);
    EXPECT_TRUE(info.ok) << file.toStdString();
    EXPECT_EQ(info.pages, 9) << file.toStdString();
    EXPECT_TRUE(testsupport::PdfPageText(file, 9).contains("Page 9 of 9"));
  }
  EXPECT_EQ(ui.ends, 0);
  // Each failure once in the log, however many pages and both jobs met it.
  std::map<std::string, int> lines;
  for (const std::string& line : LoggedErrors()) ++lines[line];
  EXPECT_FALSE(lines.empty());
  for (const auto& [line, count] : lines) EXPECT_EQ(count, 1) << line;
  EXPECT_LT(General::vars().ErrorCount, 100);
  EXPECT_EQ(LastStatus(), "The print job had errors, logged in " + General::ErrorLogFile() +
                              "; written: " + second.toStdString());
}

TEST_F(PrintJobFailures, CopiesPassOverFilesInTheWayAndTheStatusBarNamesWhatWasWritten) {
  const fs::path inTheWay = dir / "report-2.pdf";
  ASSERT_TRUE(vb::WriteFileAtomic(inTheWay, "not to be replaced"));
  const QString file = Job(PrintCommand::Aircraft, "report", 2);
  std::string kept;
  ASSERT_TRUE(vb::ReadWholeFile(inTheWay, kept));
  EXPECT_EQ(kept, "not to be replaced");
  const std::string third = (dir / "report-3.pdf").string();
  EXPECT_EQ(testsupport::ReadPdfInfo(file).pages, 1);
  EXPECT_EQ(testsupport::ReadPdfInfo(QString::fromStdString(third)).pages, 1);
  EXPECT_EQ(LastStatus(), "Printed to " + file.toStdString() + ", " + third);
}

TEST_F(PrintJobFailures, ACancelledJobSaysNothingAndAJobOfNoPageSaysSo) {
  const QString file = Job(PrintCommand::Aircraft, "aircraft");
  ASSERT_EQ(LastStatus(), "Printed to " + file.toStdString());
  const size_t said = ui.statusTexts.size();
  // Plot Screen (and any command) cancelled in the printer dialog.
  MainForm::vars().CurrentTab = 2;
  dialog.answer.reset();
  Printing::RunCommand(PrintCommand::PlotScreen);
  Printing::RunCommand(PrintCommand::Aircraft);
  EXPECT_EQ(ui.statusTexts.size(), said);
  // The WAT pages of a pair that has no WAT chart.
  Globals::vars().AircraftClass = 2;
  Job(PrintCommand::WAT, "no-wat");
  EXPECT_EQ(LastStatus(), "Nothing was printed");
  EXPECT_FALSE(fs::exists(dir / "no-wat.pdf"));
}

// The error limit ends the program in the middle of a job: the document begun is ended first,
// so that its file is whole.
TEST_F(PrintJobFailures, TheProgramEndingMidJobLeavesAWholeFile) {
  const fs::path folder = dir / "empty";
  fs::create_directory(folder);
  controls[0]->SetBaseFolder(folder);  // no template: the first page fails
  General::vars().MaxErrors = 1;
  const QString file = QString::fromStdString((dir / "ended.pdf").string());
  dialog.AnswerPdf(file);
  EXPECT_THROW(Printing::RunCommand(PrintCommand::All), ui::ProgramEnded);
  EXPECT_EQ(ui.ends, 1);
  const testsupport::PdfInfo info = testsupport::ReadPdfInfo(file);
  EXPECT_TRUE(info.ok);
  EXPECT_GE(info.pages, 1);
  EXPECT_FALSE(qt.CurrentPrinter().documentOpen());
}

}  // namespace
