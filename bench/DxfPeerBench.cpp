// Reading large drawings side by side with dxflib (Debian libdxflib-dev), a C++ DXF library that
// parses into callbacks. Built only when dxflib is installed; the program never uses it. Both
// read the same file from disk in the same run: ours into a whole Document, dxflib into an
// adapter that only counts what it is handed (less work than ours). Peak memory is the growth
// of the resident set of a fresh process that does one read (peakMB; whatever of the file a
// reader holds included).
#include <benchmark/benchmark.h>
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "DxfDrawings.h"
#include "platform/dxf/Reader.h"

namespace {

namespace fs = std::filesystem;

class Counter : public DL_CreationAdapter {
 public:
  void addLine(const DL_LineData&) override { ++n; }
  void addArc(const DL_ArcData&) override { ++n; }
  void addCircle(const DL_CircleData&) override { ++n; }
  void addPolyline(const DL_PolylineData&) override { ++n; }
  void addVertex(const DL_VertexData&) override { ++v; }
  void addText(const DL_TextData&) override { ++n; }
  void addMText(const DL_MTextData&) override { ++n; }
  void addInsert(const DL_InsertData&) override { ++n; }
  void addPoint(const DL_PointData&) override { ++n; }
  void addLayer(const DL_LayerData&) override { ++layers; }
  long n = 0, v = 0, layers = 0;
};

fs::path Folder() {
  static const fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / ("tolvane-peer-bench-" + std::to_string(getpid()));
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

// The entity-dense drawing of the DXF benchmark, about 20 MB.
const fs::path& DenseFile() {
  static const fs::path file = [] {
    const double perEntity = static_cast<double>(dxfbench::MakeDrawing(10000).size()) / 10000;
    std::string text = dxfbench::MakeDrawing(static_cast<int>(20.5 * 1024 * 1024 / perEntity));
    fs::path p = Folder() / "dense.dxf";
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }();
  return file;
}

// About 100,000 mixed entities on four layers as dxflib writes them (an AutoCAD 2000 file with
// handles and subclass markers): lines, circles, arcs, polylines with bulges, texts, points.
const fs::path& CadLibraryFile() {
  static const fs::path file = [] {
    fs::path p = Folder() / "cadlib.dxf";
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> dw(dxf.out(p.c_str(), DL_Codes::AC1015));
    dxf.writeHeader(*dw);
    dw->sectionEnd();
    dw->sectionTables();
    dw->tableLayers(4);
    for (int l = 0; l < 4; ++l) {
      dxf.writeLayer(*dw, DL_LayerData("L" + std::to_string(l), 0),
                     DL_Attributes("", l + 1, -1, 0, "CONTINUOUS", -1));
    }
    dw->tableEnd();
    dw->sectionEnd();
    dw->sectionEntities();
    for (int i = 0; i < 100000; ++i) {
      const double x = (i % 400) * 2.5, y = (i / 400) * 2.5;
      DL_Attributes a("L" + std::to_string(i % 4), 256, -1, -1, "BYLAYER", -1);
      switch (i % 6) {
        case 0:
          dxf.writeLine(*dw, DL_LineData(x, y, 0, x + 2, y + 1.5, 0), a);
          break;
        case 1:
          dxf.writeCircle(*dw, DL_CircleData(x + 1, y + 1, 0, 0.9), a);
          break;
        case 2:
          dxf.writeArc(*dw, DL_ArcData(x + 1, y + 1, 0, 0.7, 15, 200), a);
          break;
        case 3:
          dxf.writePolyline(*dw, DL_PolylineData(4, 0, 0, 1), a);
          dxf.writeVertex(*dw, DL_VertexData(x, y, 0, 0));
          dxf.writeVertex(*dw, DL_VertexData(x + 2, y, 0, 0.4));
          dxf.writeVertex(*dw, DL_VertexData(x + 2, y + 2, 0, 0));
          dxf.writeVertex(*dw, DL_VertexData(x, y + 2, 0, 0));
          dxf.writePolylineEnd(*dw);
          break;
        case 4:
          dxf.writeText(*dw,
                        DL_TextData(x, y, 0, x, y, 0, 0.4, 1, 0, 0, 0, "T" + std::to_string(i),
                                    "STANDARD", 0),
                        a);
          break;
        default:
          dxf.writePoint(*dw, DL_PointData(x, y, 0), a);
          break;
      }
    }
    dw->sectionEnd();
    dw->dxfEOF();
    dw->close();
    return p;
  }();
  return file;
}

// As the drawing control loads a file: read in pieces into a whole Document.
long ReadOurs(const fs::path& file) {
  dxf::Document doc;
  return dxf::ReadDxfFile(file, doc).entities;
}

long ReadDxflib(const fs::path& file) {
  Counter counter;
  DL_Dxf dxf;
  dxf.in(file.string(), &counter);
  return counter.n;
}

// Kilobytes of a line "Name:  N kB" of /proc/self/status.
long StatusKb(const char* name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string key = std::string(name) + ":";
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + key.size());
  }
  return -1;
}

// One read in this process, started afresh for it: the growth of the resident set from before
// the read to its peak, in kilobytes, on standard output.
int MeasurePeak(const char* reader, const char* file) {
  const long before = StatusKb("VmRSS");
  const long entities = std::string(reader) == "ours" ? ReadOurs(file) : ReadDxflib(file);
  std::printf("%ld %ld\n", StatusKb("VmHWM") - before, entities);
  return 0;
}

// The peak growth of a read done by a fresh process (a forked one would reuse the memory this
// one has freed, and show less).
long PeakGrowthKb(const char* reader, const fs::path& file) {
  std::fflush(nullptr);
  const std::string command = "/proc/" + std::to_string(getpid()) + "/exe --measure-peak " +
                              reader + " '" + file.string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  long kb = -1, entities = 0;
  if (std::fscanf(pipe, "%ld %ld", &kb, &entities) != 2) kb = -1;
  pclose(pipe);
  return kb;
}

void Read(benchmark::State& state, const fs::path& file, long (*read)(const fs::path&),
          const char* reader) {
  long entities = 0;
  for (auto _ : state) {
    entities = read(file);
    benchmark::DoNotOptimize(entities);
  }
  const double mb = static_cast<double>(fs::file_size(file)) / (1024 * 1024);
  state.counters["fileMB"] = mb;
  state.counters["entities"] = static_cast<double>(entities);
  state.counters["peakMB"] = static_cast<double>(PeakGrowthKb(reader, file)) / 1024;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(fs::file_size(file)));
}

void BM_Dense_Ours(benchmark::State& s) { Read(s, DenseFile(), ReadOurs, "ours"); }
void BM_Dense_Dxflib(benchmark::State& s) { Read(s, DenseFile(), ReadDxflib, "dxflib"); }
void BM_CadLibrary100k_Ours(benchmark::State& s) { Read(s, CadLibraryFile(), ReadOurs, "ours"); }
void BM_CadLibrary100k_Dxflib(benchmark::State& s) { Read(s, CadLibraryFile(), ReadDxflib, "dxflib"); }
BENCHMARK(BM_Dense_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dense_Dxflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CadLibrary100k_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CadLibrary100k_Dxflib)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--measure-peak") return MeasurePeak(argv[2], argv[3]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(Folder(), ec);
  return 0;
}
