// The print commands with page routines of our own: each logs its routine, the page number and
// count, the interior configuration and the WAT chart it was printed with onto the device it
// was given, so the recording printer's log shows the pages in order with the new pages and
// ends of document between them.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "PrintingTestSupport.h"
#include "platform/printer/RecordingPrinter.h"
#include "platform/runtime/Error.h"
#include "platform/ui/FakeHooks.h"
#include "printing/ControlNames.h"
#include "printing/PagePrinting.h"
#include "printing/PrintCommands.h"
#include "printing/ScaleDialogs.h"
#include "printing/frmPlotPreview.h"
#include "support/ErrorsGoOn.h"

namespace {

using printer::DialogChoice;
using printer::PageRange;
using Printing::JobInputs;
using Printing::PageRoutine;
using Printing::PrintCommand;
using Strings = std::vector<std::string>;

constexpr JobInputs kJets{.AircraftClass = 1};
constexpr JobInputs kHelisWithAll{.AircraftClass = 2,
                                  .EMSInteriorAvailable = true,
                                  .UtilityInteriorAvailable = true,
                                  .WATAAvailable = true,
                                  .WATBAvailable = true};
constexpr JobInputs kHelisWithNone{.AircraftClass = 2};

class PrintCommands : public printingtest::PrintingTest {
 protected:
  void SetUp() override {
    PrintingTest::SetUp();
    // Failing steps are reported and the procedure goes on, as in the program.
    testsupport::ReportErrorsAndGoOn();
    Printing::InstallPrinter(&rec);
    Printing::InstallPageRunner([this](PageRoutine r) { FakePage(r); });
    Answer(1);
  }
  void Answer(int copies) {
    dialog.answer = DialogChoice{"Printer", copies, false, PageRange::All};
  }

  // "PrintWAT 10/11 c1 w1": what a page was printed with.
  void FakePage(PageRoutine r) {
    const Printing::Vars& v = Printing::vars();
    std::string line = std::string(Printing::RoutineName(r)) + " " +
                       std::to_string(v.PrintPageNumber) + "/" + std::to_string(v.PrintPageCount) +
                       " c" + std::to_string(MainForm::vars().InteriorConfig) + " w" +
                       std::to_string(Globals::vars().WATChart);
    if (v.PrintScale > 0) line += " 1:" + Printing::ScaleNumber(v.PrintScale);
    Printing::Target().canvas().textOut(0, 0, line);
    if (onPage) onPage(r);
  }
  // The pages, new pages and ends of document the printer saw.
  Strings Log() {
    Strings out;
    for (const std::string& l : rec.log()) {
      if (l == "NEWPAGE" || l == "ENDDOC") out.push_back(l);
      if (l.starts_with("TEXT ")) {
        const size_t open = l.find('"'), close = l.rfind('"');
        out.push_back(l.substr(open + 1, close - open - 1));
      }
    }
    return out;
  }
  // The pages of one copy as one document.
  static Strings Document(const Strings& pages) {
    Strings out;
    for (const std::string& p : pages) {
      if (!out.empty()) out.push_back("NEWPAGE");
      out.push_back(p);
    }
    out.push_back("ENDDOC");
    return out;
  }

  printer::RecordingPrinter rec;
  std::function<void(PageRoutine)> onPage;
};

TEST_F(PrintCommands, EachCommandPrintsItsPagesInOrderNumberedWithTheValuesTheyNeed) {
  struct Case {
    const char* name;
    PrintCommand command;
    JobInputs inputs;
    int32_t configInForce, chartInForce;
    Strings pages;
  };
  const Case cases[] = {
      {"jets, all pages",
       PrintCommand::All,
       kJets,
       1,
       2,
       {"PrintAircraft 1/9 c1 w2", "PrintGeneral 2/9 c1 w2", "PrintExterior 3/9 c1 w2",
        "PrintInteriorAndCabin 4/9 c1 w2", "PrintBlockFuelTime 5/9 c1 w2",
        "PrintBalancedFieldLength 6/9 c1 w2", "PrintTakeoffLanding 7/9 c1 w2",
        "PrintFlightEnvelope 8/9 c1 w2", "PrintPayloadRange 9/9 c1 w2"}},
      {"jets, all pages overlaid", PrintCommand::AllOverlaid, kJets, 1, 2,
       {"PrintAircraft 1/9 c1 w2", "PrintGeneral 2/9 c1 w2", "PrintExterior 3/9 c1 w2",
        "PrintInteriorAndCabin 4/9 c1 w2", "PrintBlockFuelTime 5/9 c1 w2",
        "PrintBalancedFieldLength 6/9 c1 w2", "PrintTakeoffLanding 7/9 c1 w2",
        "PrintFlightEnvelope 8/9 c1 w2", "PrintPayloadRange 9/9 c1 w2"}},
      {"jets, all side by side",
       PrintCommand::AllSideBySide,
       kJets,
       1,
       2,
       {"PrintAircraft 1/12 c1 w2", "PrintGeneral 2/12 c1 w2", "PrintTop 3/12 c1 w2",
        "PrintSide 4/12 c1 w2", "PrintFront 5/12 c1 w2", "PrintInterior 6/12 c1 w2",
        "PrintCabin 7/12 c1 w2", "PrintBlockFuelTime 8/12 c1 w2",
        "PrintBalancedFieldLength 9/12 c1 w2", "PrintTakeoffLanding 10/12 c1 w2",
        "PrintFlightEnvelope 11/12 c1 w2", "PrintPayloadRange 12/12 c1 w2"}},
      {"helicopters with every interior and chart, all pages",
       PrintCommand::All,
       kHelisWithAll,
       1,
       2,
       {"PrintAircraft 1/11 c1 w2", "PrintGeneral 2/11 c1 w2", "PrintExterior 3/11 c1 w2",
        "PrintInteriorAndCabin 4/11 c1 w2", "PrintInteriorAndCabin 5/11 c2 w2",
        "PrintInteriorAndCabin 6/11 c3 w2", "PrintBlockFuelTime 7/11 c1 w2",
        "PrintPayloadRange 8/11 c1 w2", "PrintServiceCeiling 9/11 c1 w2",
        "PrintWAT 10/11 c1 w1", "PrintWAT 11/11 c1 w2"}},
      {"helicopters with every interior and chart, all side by side",
       PrintCommand::AllSideBySide,
       kHelisWithAll,
       1,
       2,
       {"PrintAircraft 1/16 c1 w2", "PrintGeneral 2/16 c1 w2", "PrintTop 3/16 c1 w2",
        "PrintSide 4/16 c1 w2", "PrintFront 5/16 c1 w2", "PrintInterior 6/16 c1 w2",
        "PrintCabin 7/16 c1 w2", "PrintInterior 8/16 c2 w2", "PrintCabin 9/16 c2 w2",
        "PrintInterior 10/16 c3 w2", "PrintCabin 11/16 c3 w2", "PrintBlockFuelTime 12/16 c1 w2",
        "PrintPayloadRange 13/16 c1 w2", "PrintServiceCeiling 14/16 c1 w2",
        "PrintWAT 15/16 c1 w1", "PrintWAT 16/16 c1 w2"}},
      {"helicopters with none, all pages",
       PrintCommand::All,
       kHelisWithNone,
       1,
       2,
       {"PrintAircraft 1/7 c1 w2", "PrintGeneral 2/7 c1 w2", "PrintExterior 3/7 c1 w2",
        "PrintInteriorAndCabin 4/7 c1 w2", "PrintBlockFuelTime 5/7 c1 w2",
        "PrintPayloadRange 6/7 c1 w2", "PrintServiceCeiling 7/7 c1 w2"}},
      {"helicopters with none, all side by side",
       PrintCommand::AllSideBySide,
       kHelisWithNone,
       1,
       2,
       {"PrintAircraft 1/10 c1 w2", "PrintGeneral 2/10 c1 w2", "PrintTop 3/10 c1 w2",
        "PrintSide 4/10 c1 w2", "PrintFront 5/10 c1 w2", "PrintInterior 6/10 c1 w2",
        "PrintCabin 7/10 c1 w2", "PrintBlockFuelTime 8/10 c1 w2",
        "PrintPayloadRange 9/10 c1 w2", "PrintServiceCeiling 10/10 c1 w2"}},
      // The EMS interior on the tab: still corporate, EMS and utility once each.
      {"helicopters showing the EMS interior, all pages",
       PrintCommand::All,
       JobInputs{.AircraftClass = 2, .EMSInteriorAvailable = true},
       2,
       1,
       {"PrintAircraft 1/8 c2 w1", "PrintGeneral 2/8 c2 w1", "PrintExterior 3/8 c2 w1",
        "PrintInteriorAndCabin 4/8 c1 w1", "PrintInteriorAndCabin 5/8 c2 w1",
        "PrintBlockFuelTime 6/8 c2 w1", "PrintPayloadRange 7/8 c2 w1",
        "PrintServiceCeiling 8/8 c2 w1"}},
      {"exterior side by side", PrintCommand::ExteriorSideBySide, kJets, 1, 2,
       {"PrintTop 1/3 c1 w2", "PrintSide 2/3 c1 w2", "PrintFront 3/3 c1 w2"}},
      {"interior side by side, the interior in force", PrintCommand::InteriorSideBySide,
       kHelisWithAll, 3, 2, {"PrintInterior 1/2 c3 w2", "PrintCabin 2/2 c3 w2"}},
      {"WAT, only WAT B", PrintCommand::WAT,
       JobInputs{.AircraftClass = 2, .WATBAvailable = true}, 1, 1, {"PrintWAT 1/1 c1 w2"}},
      {"WAT, both", PrintCommand::WAT, kHelisWithAll, 1, 2,
       {"PrintWAT 1/2 c1 w1", "PrintWAT 2/2 c1 w2"}},
      {"helicopter take-off and landing: the WAT page in force", PrintCommand::TakeoffLanding,
       kHelisWithAll, 1, 1, {"PrintWAT 1/1 c1 w1"}},
      {"jet take-off and landing", PrintCommand::TakeoffLanding, kJets, 1, 2,
       {"PrintTakeoffLanding 1/1 c1 w2"}},
      {"aircraft", PrintCommand::Aircraft, kJets, 1, 2, {"PrintAircraft 1/1 c1 w2"}},
      {"general", PrintCommand::General, kHelisWithAll, 1, 2, {"PrintGeneral 1/1 c1 w2"}},
      {"exterior", PrintCommand::Exterior, kJets, 1, 2, {"PrintExterior 1/1 c1 w2"}},
      {"exterior overlaid", PrintCommand::ExteriorOverlaid, kJets, 1, 2,
       {"PrintExterior 1/1 c1 w2"}},
      {"interior view", PrintCommand::Interior, kHelisWithAll, 2, 2,
       {"PrintInteriorAndCabin 1/1 c2 w2"}},
      {"interior view overlaid", PrintCommand::InteriorOverlaid, kJets, 1, 2,
       {"PrintInteriorAndCabin 1/1 c1 w2"}},
      {"block fuel", PrintCommand::BlockFuelTime, kJets, 1, 2, {"PrintBlockFuelTime 1/1 c1 w2"}},
      {"balanced field", PrintCommand::BalancedFieldLength, kJets, 1, 2,
       {"PrintBalancedFieldLength 1/1 c1 w2"}},
      {"flight envelope", PrintCommand::FlightEnvelope, kJets, 1, 2,
       {"PrintFlightEnvelope 1/1 c1 w2"}},
      {"payload range", PrintCommand::PayloadRange, kJets, 1, 2, {"PrintPayloadRange 1/1 c1 w2"}},
      {"service ceiling", PrintCommand::ServiceCeiling, kHelisWithAll, 1, 2,
       {"PrintServiceCeiling 1/1 c1 w2"}},
      {"HV and cruise speed: the service ceiling page", PrintCommand::HVCruiseSpeed,
       kHelisWithAll, 1, 2, {"PrintServiceCeiling 1/1 c1 w2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rec.forget();
    const int documents = rec.documents();
    SetJobInputs(c.inputs);
    MainForm::vars().InteriorConfig = c.configInForce;
    Globals::vars().WATChart = c.chartInForce;
    Printing::RunCommand(c.command);
    EXPECT_EQ(Log(), Document(c.pages));
    EXPECT_EQ(rec.documents() - documents, 1);
    // The values in force are back; the numbers stay as the last page left them.
    EXPECT_EQ(MainForm::vars().InteriorConfig, c.configInForce);
    EXPECT_EQ(Globals::vars().WATChart, c.chartInForce);
    EXPECT_EQ(Printing::vars().PrintPageNumber, static_cast<int>(c.pages.size()));
    EXPECT_EQ(Printing::vars().PrintPageCount, static_cast<int>(c.pages.size()));
  }
}

TEST_F(PrintCommands, PrintCurrentPagePrintsThePageOfTheTabShown) {
  const char* routines[] = {"PrintAircraft",       "PrintGeneral",        "PrintExterior",
                        "PrintExterior",       "PrintExterior",       "PrintInteriorAndCabin",
                        "PrintBlockFuelTime",  "PrintBalancedFieldLength", "PrintTakeoffLanding",
                        "PrintFlightEnvelope", "PrintPayloadRange",   "PrintServiceCeiling",
                        "PrintServiceCeiling", "PrintWAT"};
  for (int aircraftClass : {1, 2}) {
    for (int tab = 0; tab <= 13; ++tab) {
      SCOPED_TRACE(testing::Message() << "class " << aircraftClass << " tab " << tab);
      rec.forget();
      SetJobInputs(JobInputs{.AircraftClass = aircraftClass, .CurrentTab = tab});
      Printing::RunCommand(PrintCommand::CurrentPage);
      const std::string routine = aircraftClass == 2 && tab == 8 ? "PrintWAT" : routines[tab];
      EXPECT_EQ(Log(), Document({routine + " 1/1 c1 w2"}));
    }
  }
}

TEST_F(PrintCommands, EveryCopyIsADocumentOfItsOwnNumberedFromOne) {
  Answer(3);
  SetJobInputs(kJets);
  Printing::RunCommand(PrintCommand::ExteriorSideBySide);
  const Strings one =
      Document({"PrintTop 1/3 c1 w2", "PrintSide 2/3 c1 w2", "PrintFront 3/3 c1 w2"});
  Strings three;
  for (int i = 0; i < 3; ++i) three.insert(three.end(), one.begin(), one.end());
  EXPECT_EQ(Log(), three);
  EXPECT_EQ(rec.documents(), 3);

  // WAT A and B, two copies: page 2 after a new page in each.
  rec.forget();
  Answer(2);
  SetJobInputs(kHelisWithAll);
  Printing::RunCommand(PrintCommand::WAT);
  const Strings wat = Document({"PrintWAT 1/2 c1 w1", "PrintWAT 2/2 c1 w2"});
  Strings twice = wat;
  twice.insert(twice.end(), wat.begin(), wat.end());
  EXPECT_EQ(Log(), twice);

  // No WAT chart: no page and no document; no copies at all: nothing either.
  for (auto [copies, inputs, command] :
       {std::tuple{2, kHelisWithNone, PrintCommand::WAT}, {0, kJets, PrintCommand::All},
        {-1, kJets, PrintCommand::Aircraft}}) {
    rec.forget();
    const int documents = rec.documents();
    Answer(copies);
    SetJobInputs(inputs);
    Printing::RunCommand(command);
    EXPECT_EQ(Log(), Strings{});
    EXPECT_EQ(rec.documents(), documents);
  }
  EXPECT_EQ(Printing::vars().PrintPageCount, 1);
}

TEST_F(PrintCommands, CancelInThePrinterDialogPrintsNothingAndChangesNoNumber) {
  Printing::vars().PrintPageNumber = 4;
  Printing::vars().PrintPageCount = 5;
  dialog.answer.reset();
  SetJobInputs(kJets);
  Printing::RunCommand(PrintCommand::All);
  EXPECT_EQ(dialog.calls, 1);
  EXPECT_EQ(dialog.maxPageSeen, 5);  // the last job's count, offered as the last page
  EXPECT_EQ(Log(), Strings{});
  EXPECT_EQ(Printing::vars().PrintPageNumber, 4);
  EXPECT_EQ(Printing::vars().PrintPageCount, 5);
  EXPECT_EQ(hooks.jobEvents, (Strings{"started", "ended"}));
}

TEST_F(PrintCommands, ToScaleCommandsAskTheScaleFirstAndLeaveNoneChosen) {
  std::vector<Printing::ScaleDialogKind> shown;
  std::vector<int32_t> kinds;
  float choice = 0;
  Printing::InstallScaleDialogRunner([&](Printing::ScaleDialogKind kind) {
    shown.push_back(kind);
    kinds.push_back(Printing::vars().PrintScaleKind);
    if (choice != 0) Printing::vars().PrintScale = choice;
  });
  SetJobInputs(kJets);
  using K = Printing::ScaleDialogKind;
  struct Case {
    PrintCommand command;
    K kind;
    int32_t printScaleKind;
    Strings pages;
  };
  const Case cases[] = {
      {PrintCommand::ExteriorScaleOverlaid, K::Single, 2, {"PrintExterior 1/1 c1 w2 1:100"}},
      {PrintCommand::ExteriorScaleSideBySide, K::Single, 2,
       {"PrintTop 1/3 c1 w2 1:100", "PrintSide 2/3 c1 w2 1:100", "PrintFront 3/3 c1 w2 1:100"}},
      {PrintCommand::InteriorScaleOverlaid, K::InteriorAndCabin, 1,
       {"PrintInteriorAndCabin 1/1 c1 w2 1:100"}},
      {PrintCommand::InteriorScaleSideBySide, K::InteriorAndCabin, 1,
       {"PrintInterior 1/2 c1 w2 1:100", "PrintCabin 2/2 c1 w2 1:100"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Printing::HandlerName(c.command));
    // Cancelled (or a text that gives no scale): no printer dialog, no page.
    shown.clear();
    kinds.clear();
    dialog.calls = 0;
    choice = 0;
    rec.forget();
    Answer(1);
    Printing::RunCommand(c.command);
    EXPECT_EQ(shown, std::vector<K>{c.kind});
    EXPECT_EQ(kinds, std::vector<int32_t>{c.printScaleKind});
    EXPECT_EQ(dialog.calls, 0);
    EXPECT_EQ(Log(), Strings{});
    EXPECT_EQ(Printing::vars().PrintScale, 0);
    // 1:100, then the printer dialog cancelled.
    choice = 100;
    dialog.answer.reset();
    Printing::RunCommand(c.command);
    EXPECT_EQ(dialog.calls, 1);
    EXPECT_EQ(Log(), Strings{});
    EXPECT_EQ(Printing::vars().PrintScale, 0);
    // 1:100 and OK: the pages at that scale.
    Answer(1);
    Printing::RunCommand(c.command);
    EXPECT_EQ(Log(), Document(c.pages));
    EXPECT_EQ(Printing::vars().PrintScale, 0);
  }
}

TEST_F(PrintCommands, PreviewGetsOneCopyWithAPageOfItsOwnForEveryPage) {
  Answer(3);
  ASSERT_NE(Printing::ShowPrinterDialog(), 0);  // an earlier dialog chose three copies
  rec.forget();
  MainForm::vars().PlotPreview = true;
  SetJobInputs(kJets);
  Printing::RunCommand(PrintCommand::All);
  EXPECT_EQ(dialog.calls, 1);
  EXPECT_EQ(Printing::vars().Options.Copies, 1);
  ASSERT_NE(qt.PreviewWindow(), nullptr);
  EXPECT_EQ(Printing::Preview().pageCount(), 9);
  // Nothing reaches the printer: no page, no new page, no end of document.
  EXPECT_EQ(Log(), Strings{});
  EXPECT_EQ(rec.documents(), 0);
  // The next job starts the preview afresh.
  Printing::RunCommand(PrintCommand::ExteriorSideBySide);
  EXPECT_EQ(Printing::Preview().pageCount(), 3);
}

// Whether anything is drawn on a page.
bool Inked(const QImage& page) {
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (qGray(page.pixel(x, y)) < 128) return true;
  return false;
}

// The user closes the preview with Esc while the job goes on (the pages let the event loop run),
// before a page is drawn or after: the pages drawn so far go with that window, and the job's
// later pages open a new one that shows each of them once, with no blank page among them.
TEST_F(PrintCommands, APreviewClosedDuringTheJobOpensAgainForTheLaterPages) {
  struct Case {
    const char* name;
    bool beforeDrawing;
    int pagesShown;  // of the nine, from the one closed on (before) or the next (after)
  };
  const Case cases[] = {{"before page 3 is drawn", true, 7}, {"after page 3", false, 6}};
  MainForm::vars().PlotPreview = true;
  SetJobInputs(kJets);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QPointer<frmPlotPreview> closed;
    auto closeOnPage3 = [&] {
      if (Printing::vars().PrintPageNumber != 3) return;
      closed = qt.PreviewWindow();
      ASSERT_TRUE(closed);
      QTest::keyClick(closed, Qt::Key_Escape);
      EXPECT_EQ(qt.PreviewWindow(), nullptr);
    };
    Printing::InstallPageRunner([&](PageRoutine r) {
      if (c.beforeDrawing) closeOnPage3();
      FakePage(r);
      if (!c.beforeDrawing) closeOnPage3();
    });
    Printing::RunCommand(PrintCommand::All);
    frmPlotPreview* w = qt.PreviewWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_NE(w, closed.data());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(Printing::Preview().pageCount(), c.pagesShown);
    for (int page = 0; page < c.pagesShown; ++page)
      EXPECT_TRUE(Inked(Printing::Preview().page(page))) << "page " << page + 1 << " is blank";
    // The closed window deletes itself later, leaving the new one its pages.
    testsupport::PumpUntil([&] { return !closed; }, 2000);
    EXPECT_FALSE(closed);
    EXPECT_EQ(qt.PreviewWindow(), w);
    EXPECT_EQ(Printing::Preview().pageCount(), c.pagesShown);
    EXPECT_EQ(w->findChild<QLabel*>("lblPage")->text(),
              QString("Page %1 of %1").arg(c.pagesShown));
  }
}

TEST_F(PrintCommands, ACommandWhileAJobRunsIsRefusedAndAFailingPageStopsNothing) {
  SetJobInputs(kHelisWithAll);
  MainForm::vars().InteriorConfig = 1;
  Globals::vars().WATChart = 2;
  int nested = 0;
  onPage = [&](PageRoutine r) {
    // The page routines let the event loop run: another command may be chosen meanwhile.
    EXPECT_TRUE(Printing::JobRunning());
    ++nested;
    Printing::RunCommand(PrintCommand::Aircraft);
    if (r == PageRoutine::InteriorAndCabin || r == PageRoutine::WAT)
      throw vb::Error{482, "Printer error"};
  };
  Printing::RunCommand(PrintCommand::All);
  EXPECT_EQ(nested, 11);
  EXPECT_EQ(dialog.calls, 1);  // the second command opened no dialog
  EXPECT_EQ(rec.documents(), 1);
  EXPECT_EQ(Log().size(), 11u + 10u + 1u);  // every page, new pages and the end of document
  EXPECT_EQ(MainForm::vars().InteriorConfig, 1);
  EXPECT_EQ(Globals::vars().WATChart, 2);
  EXPECT_EQ(hooks.jobEvents, (Strings{"started", "ended"}));
  EXPECT_FALSE(Printing::JobRunning());
  // The failing pages were reported: the same failure five times, reported once.
  EXPECT_EQ(General::vars().ErrorCount, 1);
  // After the job the next command runs.
  rec.forget();
  onPage = nullptr;
  Printing::RunCommand(PrintCommand::Aircraft);
  EXPECT_EQ(Log(), Document({"PrintAircraft 1/1 c1 w2"}));
}

}  // namespace

namespace {

using Printing::Offered;
using Printing::PrintItem;

// The File menu is built from the print items: every command has exactly one item, whose name
// its handler's trace name carries; no two items share a name; every item's submenu comes before
// it, so the menu can be built in one pass.
TEST(PrintItems, EachCommandIsRegisteredOnceUnderASubmenuListedBeforeIt) {
  std::set<std::string_view> names, submenus{""};
  std::map<PrintCommand, int> registered;
  for (const PrintItem& item : Printing::PrintItems()) {
    SCOPED_TRACE(std::string(item.name));
    EXPECT_TRUE(names.insert(item.name).second) << "named twice";
    EXPECT_TRUE(submenus.count(item.parent)) << "in a submenu not listed before it";
    EXPECT_FALSE(item.caption.empty());
    if (!item.command) {
      submenus.insert(item.name);
      EXPECT_EQ(item.pages, nullptr);
      continue;
    }
    ++registered[*item.command];
    EXPECT_EQ(&Printing::ItemOf(*item.command), &item);
    EXPECT_EQ(Printing::FindPrintItem(item.name), &item);
    EXPECT_EQ(Printing::HandlerName(*item.command), std::string(item.name) + "_Click");
    // Plot Screen prints the view shown as a raster; every other command has pages.
    EXPECT_EQ(item.pages == nullptr, *item.command == PrintCommand::PlotScreen);
  }
  for (int c = 0; c <= static_cast<int>(PrintCommand::WAT); ++c)
    EXPECT_EQ(registered[static_cast<PrintCommand>(c)], 1) << "command " << c;
  EXPECT_EQ(Printing::FindPrintItem("mnuFileExport"), nullptr);
}

// The items a pair is offered: its class's, and the twins that ask overlaid or side by side in
// place of the items of one aircraft exactly when both aircraft are chosen.
TEST(PrintItems, TheItemsOfferedFollowTheClassAndTheAircraftChosen) {
  auto offered = [](bool helicopters, bool both) {
    std::set<std::string_view> out;
    for (const PrintItem& item : Printing::PrintItems())
      if (Printing::IsOffered(item, helicopters, both)) out.insert(item.name);
    return out;
  };
  namespace ctl = Printing::ctl;
  for (bool both : {false, true}) {
    const auto jets = offered(false, both), helis = offered(true, both);
    for (const char* name :
         {ctl::mnuFilePrintBalancedFieldLength, ctl::mnuFilePrintFlightEnvelope}) {
      EXPECT_TRUE(jets.count(name)) << name;
      EXPECT_FALSE(helis.count(name)) << name;
    }
    for (const char* name :
         {ctl::mnuFilePrintServiceCeiling, ctl::mnuFilePrintHVCruiseSpeed, ctl::mnuFilePrintWAT}) {
      EXPECT_FALSE(jets.count(name)) << name;
      EXPECT_TRUE(helis.count(name)) << name;
    }
    for (const auto& set : {jets, helis}) {
      EXPECT_TRUE(set.count(ctl::mnuFilePrintTakeoffLanding));
      EXPECT_TRUE(set.count(ctl::mnuFilePrintPayloadRange));
      for (auto [one, twin] : {std::pair{ctl::mnuFilePrintAll, ctl::mnuFilePrintAllChoose},
                               {ctl::mnuFilePrintExterior, ctl::mnuFilePrintExteriorChoose},
                               {ctl::mnuFilePrintInterior, ctl::mnuFilePrintInteriorChoose}}) {
        EXPECT_EQ(set.count(one), both ? 0u : 1u) << one;
        EXPECT_EQ(set.count(twin), both ? 1u : 0u) << twin;
      }
    }
  }
}

// The data pages are found by their routine, whichever place they hold in the list.
TEST(DataPages, EachIsFoundByItsRoutineAndADrawingPageIsNone) {
  for (const Printing::DataPage& page : Printing::DataPages())
    EXPECT_EQ(&Printing::DataPageOf(page.routine), &page) << Printing::RoutineName(page.routine);
  EXPECT_EQ(Printing::DataPageOf(PageRoutine::WAT).templateFile, "WAT.dxf");
  EXPECT_THROW(Printing::DataPageOf(PageRoutine::Top), vb::Error);
}

}  // namespace
