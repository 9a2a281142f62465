// Every DXF file the program ships or writes opens in an independent, strict DXF reader too:
// ezdxf (Debian's python3-ezdxf) reads it without a structure error and its audit finds nothing
// to report or mend. Skipped where ezdxf is not installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/dxfcontrol/DrawingControl.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

// Runs the audit script on the given files and folders; its report goes into `report`.
int Audit(const std::string& args, std::string& report) {
  const std::string command =
      std::string("'") + TOLVANE_PYTHON3 + "' '" + TOLVANE_DXF_AUDIT + "' " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buf[512];
  while (fgets(buf, sizeof buf, pipe)) report += buf;
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#define AUDIT_OR_SKIP(args)                                                        \
  do {                                                                             \
    if (std::string(TOLVANE_PYTHON3).empty()) GTEST_SKIP() << "no python3";       \
    std::string report;                                                            \
    int rc = Audit(args, report);                                                  \
    if (rc == 77) GTEST_SKIP() << report;                                          \
    EXPECT_EQ(rc, 0) << report;                                                    \
  } while (false)

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

TEST(DxfAudit, PageTemplatesAndSampleDrawingsReadCleanly) {
  AUDIT_OR_SKIP(Quoted(TOLVANE_TEMPLATES) + " " + Quoted(TOLVANE_SAMPLE_DRAWINGS));
}

// What the program exports as DXF: a view composed as the drawing tabs compose it (the view
// layers, both aircraft merged onto their layers, one of them scaled and moved), a page
// template, and each sample drawing read and written back.
TEST(DxfAudit, DrawingsTheProgramWritesReadCleanly) {
  if (!QApplication::instance()) {
    static int argc = 1;
    static char name[] = "test_data";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
  testsupport::TempDir out;
  const fs::path samples = TOLVANE_SAMPLE_DRAWINGS;
  {
    dxf::DrawingControl view;
    for (const char* layer : {"Plane1", "Plane2", "Dim1", "Dim2", "Grid", "Text", "Misc"})
      view.AddLayer(layer, 7);
    view.SetCurrentLayerName("Plane1");
    view.MergeDrawingFile((samples / "101Side.dxf").string());
    view.SetCurrentLayerName("Plane2");
    view.MergeDrawingFile((samples / "102Side.dxf").string(), 0, 0.5f, 0.5f, 40, -10);
    view.SaveDxf((out / "composed.dxf").string());
  }
  {
    dxf::DrawingControl page(fs::path(TOLVANE_PROGRAM_FOLDER));
    page.LoadDrawingFile("General.dxf");
    page.SaveDxf((out / "General.dxf").string());
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(samples)) {
    dxf::DrawingControl ctl;
    ctl.LoadDrawingFile(entry.path().string());
    ctl.SaveDxf((out / entry.path().filename()).string());
  }
  AUDIT_OR_SKIP(Quoted(out.path()));
}

}  // namespace
