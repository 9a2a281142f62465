// Every DXF file the program ships or writes opens in an independent, strict DXF reader too:
// ezdxf (Debian's python3-ezdxf) reads it without a structure error and its audit finds nothing
// to report or mend. Skipped where ezdxf is not installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <cstdio>
#include <initializer_list>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/dxfcontrol/DrawingControl.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

// The audit script, started once for the test program and kept: ezdxf takes half a second to
// import. Its exit code when it ends before serving (77: ezdxf is not installed).
class AuditServer {
 public:
  // Audits the given files and folders; the report goes into `report`. Returns the script's
  // exit code for them: 0 clean, 1 problems, 77 skip, -1 the script could not run.
  int Audit(const std::vector<fs::path>& paths, std::string& report) {
    if (!Started(report)) return exitCode_;
    QByteArray line;
    for (const fs::path& p : paths) line += QByteArray::fromStdString(p.string()) + '\t';
    process_.write(line + '\n');
    for (QByteArray out;;) {
      if (!process_.canReadLine() && !process_.waitForReadyRead(60000)) {
        report += "the audit script stopped answering\n" + out.toStdString();
        return -1;
      }
      while (process_.canReadLine()) {
        const QByteArray l = process_.readLine();
        if (l.startsWith("@@rc ")) {
          report += out.toStdString();
          return l.mid(5).trimmed().toInt();
        }
        out += l;
      }
    }
  }

 private:
  bool Started(std::string& report) {
    if (process_.state() == QProcess::Running) return true;
    if (exitCode_ != -1) return false;
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(TOLVANE_PYTHON3, {TOLVANE_DXF_AUDIT, "--serve"});
    if (!process_.waitForStarted(10000)) {
      report += "cannot start " + std::string(TOLVANE_PYTHON3) + "\n";
      return false;
    }
    // A script that cannot import ezdxf says so and ends; one that can says it is ready.
    for (QByteArray said;;) {
      while (process_.canReadLine()) {
        const QByteArray l = process_.readLine();
        if (l.startsWith("@@ready")) return true;
        said += l;
      }
      if (!process_.waitForReadyRead(60000)) {
        process_.waitForFinished(10000);
        exitCode_ = process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
        report += (said + process_.readAll()).toStdString();
        if (exitCode_ == 0) exitCode_ = -1;  // ended without serving
        return false;
      }
    }
  }

  QProcess process_;
  int exitCode_ = -1;
};

int Audit(const std::vector<fs::path>& paths, std::string& report) {
  static AuditServer* server = new AuditServer;  // ends with the test program
  return server->Audit(paths, report);
}

#define AUDIT_OR_SKIP(...)                                                         \
  do {                                                                             \
    if (std::string(TOLVANE_PYTHON3).empty()) GTEST_SKIP() << "no python3";       \
    EnsureApplication();                                                           \
    std::string report;                                                            \
    int rc = Audit({__VA_ARGS__}, report);                                         \
    if (rc == 77) GTEST_SKIP() << report;                                          \
    EXPECT_EQ(rc, 0) << report;                                                    \
  } while (false)

// The drawing control renders with Qt: a QApplication must exist.
void EnsureApplication() {
  if (!QApplication::instance()) {
    static int argc = 1;
    static char name[] = "test_data";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
}

std::string Groups(std::initializer_list<std::pair<int, const char*>> pairs) {
  std::string out;
  for (const auto& [code, value] : pairs) out += std::to_string(code) + "\n" + value + "\n";
  return out;
}

// A drawing with one entity of every kind the reader takes in, several of them without an R12
// form of their own (the writer turns those into R12 entities).
std::string EveryKind() {
  const std::string entities =
      Groups({{0, "ARC"}, {8, "A"}, {10, "1"}, {20, "1"}, {40, "2"}, {50, "10"}, {51, "200"}}) +
      Groups({{0, "ELLIPSE"}, {8, "A"}, {10, "0"}, {20, "0"}, {11, "3"}, {21, "0"}, {40, "0.5"},
              {41, "0"}, {42, "3.1"}}) +
      Groups({{0, "MTEXT"}, {8, "B"}, {10, "0"}, {20, "5"}, {40, "0.2"}, {1, "Two\\Plines \xc2\xb0"},
              {71, "1"}}) +
      Groups({{0, "SOLID"}, {8, "B"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}, {12, "0"},
              {22, "1"}, {13, "1"}, {23, "1"}}) +
      Groups({{0, "LWPOLYLINE"}, {8, "C"}, {90, "3"}, {70, "1"}, {10, "0"}, {20, "0"}, {42, "0.5"},
              {10, "4"}, {20, "0"}, {10, "4"}, {20, "4"}}) +
      Groups({{0, "SPLINE"}, {8, "C"}, {70, "8"}, {71, "3"}, {72, "0"}, {73, "4"}, {10, "0"},
              {20, "0"}, {10, "1"}, {20, "2"}, {10, "2"}, {20, "-1"}, {10, "3"}, {20, "0"}}) +
      Groups({{0, "INSERT"}, {8, "D"}, {66, "1"}, {2, "BLK"}, {10, "5"}, {20, "5"}, {41, "2"},
              {42, "2"}, {50, "30"}}) +
      Groups({{0, "ATTRIB"}, {8, "D"}, {10, "5"}, {20, "5"}, {40, "0.2"}, {1, "value"}, {2, "TAG1"},
              {70, "0"}}) +
      Groups({{0, "SEQEND"}, {8, "D"}}) +
      Groups({{0, "HATCH"}, {8, "E"}, {2, "SOLID"}, {70, "1"}, {91, "1"}, {92, "2"}, {72, "0"},
              {73, "1"}, {93, "3"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "0"}, {10, "1"},
              {20, "1"}, {97, "0"}}) +
      Groups({{0, "POINT"}, {8, "E"}, {10, "3"}, {20, "3"}}) +
      Groups({{0, "TEXT"}, {8, "E"}, {10, "3"}, {20, "3"}, {40, "0.2"}, {1, "H\xc3\xa9llo"}, {72, "1"},
              {11, "3"}, {21, "3"}, {73, "2"}});
  const std::string blocks =
      Groups({{0, "BLOCK"}, {8, "0"}, {2, "BLK"}, {70, "2"}, {10, "0"}, {20, "0"}, {3, "BLK"}}) +
      Groups({{0, "LINE"}, {8, "0"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}) +
      Groups({{0, "ATTDEF"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "0.2"}, {1, "d"}, {3, "Prompt"},
              {2, "TAG1"}, {70, "0"}}) +
      Groups({{0, "ENDBLK"}, {8, "0"}});
  return "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities +
         "0\nENDSEC\n0\nEOF\n";
}

TEST(DxfAudit, PageTemplatesAndSampleDrawingsReadCleanly) {
  AUDIT_OR_SKIP(TOLVANE_TEMPLATES, TOLVANE_SAMPLE_DRAWINGS);
}

// What the program exports as DXF: a view composed as the drawing tabs compose it (the view
// layers, both aircraft merged onto their layers, one of them scaled and moved), a page
// template, a drawing with every entity kind the reader takes in, and each sample drawing read
// and written back.
TEST(DxfAudit, DrawingsTheProgramWritesReadCleanly) {
  EnsureApplication();
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
  {
    dxf::DrawingControl kinds;
    kinds.LoadDrawingText(EveryKind());
    ASSERT_EQ(kinds.EntityList().Count(), 10);
    kinds.SaveDxf((out / "kinds.dxf").string());
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(samples)) {
    dxf::DrawingControl ctl;
    ctl.LoadDrawingFile(entry.path().string());
    ctl.SaveDxf((out / entry.path().filename()).string());
  }
  AUDIT_OR_SKIP(out.path());
}

// A drawing whose entities and layers name a text style and linetypes its tables lack (as
// drawings made by other programs do) is written with those names resolved: ezdxf's audit finds
// nothing to mend, and the drawing reads back with its names.
TEST(DxfAudit, DanglingStyleAndLinetypeReferencesAreWrittenResolved) {
  EnsureApplication();
  const std::string tables =
      Groups({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {70, "1"}, {0, "LAYER"},
              {2, "WALLS"}, {70, "0"}, {62, "3"}, {6, "HIDDEN2"}, {0, "ENDTAB"}, {0, "ENDSEC"}});
  const std::string entities =
      Groups({{0, "SECTION"}, {2, "ENTITIES"}}) +
      Groups({{0, "TEXT"}, {8, "WALLS"}, {7, "Romand"}, {10, "1"}, {20, "1"}, {40, "0.2"},
              {1, "styled"}}) +
      Groups({{0, "LINE"}, {8, "WALLS"}, {6, "Dashdot"}, {10, "0"}, {20, "0"}, {11, "4"},
              {21, "2"}}) +
      Groups({{0, "MTEXT"}, {8, "0"}, {7, "NOTES"}, {10, "0"}, {20, "5"}, {40, "0.2"},
              {1, "two\\Plines"}}) +
      Groups({{0, "ENDSEC"}, {0, "EOF"}});
  testsupport::TempDir out;
  {
    dxf::DrawingControl ctl;
    ctl.LoadDrawingText(tables + entities);
    ASSERT_EQ(ctl.EntityList().Count(), 3);
    ctl.SaveDxf((out / "dangling.dxf").string());
  }
  {
    dxf::DrawingControl back;
    back.LoadDrawingFile((out / "dangling.dxf").string());
    ASSERT_GE(back.EntityList().Count(), 3);
    EXPECT_EQ(back.EntityList().Item(1).Extra().TextStyle, "ROMAND");
    EXPECT_EQ(back.EntityList().Item(2).LineType, "DASHDOT");
  }
  AUDIT_OR_SKIP(out.path());
}

}  // namespace
