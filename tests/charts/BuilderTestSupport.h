#pragma once
// The fixture of the chart builder tests: the test aircraft database built from
// tests/fixtures/ac_fixture.sql, a pair chosen and shown, the plane colours at their defaults,
// and a short text of the working set's series to compare with.
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ChartTestSupport.h"
#include "charts/ChartBuilders.h"
#include "charts/ChartScale.h"
#include "drawings/CadFunctions.h"
#include "foundation/Globals.h"
#include "support/Fixtures.h"

namespace charttest {

inline constexpr gdi::Rgb kRed = 0x0000FF;   // Plane 1's default colour
inline constexpr gdi::Rgb kBlue = 0xFF0000;  // Plane 2's default colour

// The scale rows of the database, each question asked of it once and then answered from
// memory, so that a test can take the database away and still draw.
class RememberedScales : public Chart::ScaleSource {
 public:
  int questions = 0;  // questions that reached the database
  std::optional<double> GroupOf(std::int64_t acNum) override {
    auto it = groups_.find(acNum);
    if (it != groups_.end()) return it->second;
    ++questions;
    return groups_[acNum] = database_.GroupOf(acNum);
  }
  std::optional<Chart::ScaleRow> ScaleFor(const std::string& group,
                                          const std::string& graphName) override {
    const auto key = std::make_pair(group, graphName);
    auto it = rows_.find(key);
    if (it != rows_.end()) return it->second;
    ++questions;
    return rows_[key] = database_.ScaleFor(group, graphName);
  }

 private:
  Chart::DatabaseScales database_;
  std::map<std::int64_t, std::optional<double>> groups_;
  std::map<std::pair<std::string, std::string>, std::optional<Chart::ScaleRow>> rows_;
};

class BuilderFixture : public ChartFixture {
 protected:
  Chart::Vars& v = Chart::vars();
  std::vector<std::pair<std::string, std::string>> captions;  // (label, caption) as sent

  void SetUp() override {
    ChartFixture::SetUp();
    testsupport::BuildFromScript(dir / "ac.mdb", "ac_fixture.sql");
    DBase::vars().DBPath = (dir / "ac.mdb").string();
    Registry::RegSettings().PlaneColor1 = static_cast<int32_t>(kRed);
    Registry::RegSettings().PlaneColor2 = static_cast<int32_t>(kBlue);
    ChartBuilders::vars().QualifierSink = [this](const std::string& label,
                                                 const std::string& caption) {
      captions.emplace_back(label, caption);
    };
  }

  // Chooses the pair (class 1 fixed-wing, 2 helicopter) and shows both planes.
  void Pair(const std::string& ac1, const std::string& ac2, int aircraftClass) {
    Registry::RegSettings().Aircraft1 = ac1;
    Registry::RegSettings().Aircraft2 = ac2;
    Globals::vars().AircraftClass = static_cast<int16_t>(aircraftClass);
    CadFunctions::vars().ShowPlane1 = true;
    CadFunctions::vars().ShowPlane2 = true;
  }
  void FixedWingPair() { Pair("101", "102", 1); }
  void HelicopterPair() { Pair("201", "202", 2); }

  // Draws a chart from the database onto a recording picture and returns the recording.
  std::vector<std::string> Build(int chart, gdi::TargetKind kind = gdi::TargetKind::Picture) {
    gdi::RecordingCanvas c(kind, 640, 480);
    ChartBuilders::BuildChart(chart, c, true);
    return c.lines();
  }

  // The working set's series, one text each: plane ("P1", "P2" or the colour), line style, fill
  // style, name in quotes and point count.
  std::vector<std::string> Series() const {
    std::vector<std::string> out;
    for (int s = 1; s <= v.ChartSeriesCount; ++s) {
      const gdi::Rgb c = v.SeriesColor[s];
      const std::string plane = c == kRed ? "P1" : c == kBlue ? "P2" : std::to_string(c);
      out.push_back(plane + " " + std::to_string(v.SeriesLineStyle[s]) + " " +
                    std::to_string(v.SeriesFillStyle[s]) + " \"" + v.SeriesName[s] + "\" " +
                    std::to_string(v.ChartPointCount[s]));
    }
    return out;
  }

  // The points of a working series as (x, y) pairs.
  std::vector<std::pair<float, float>> Points(int s) const {
    std::vector<std::pair<float, float>> out;
    for (long p = 1; p <= v.ChartPointCount[s]; ++p)
      out.emplace_back(v.ChartPoints[s][p].X, v.ChartPoints[s][p].Y);
    return out;
  }

  // The texts drawn, in order.
  static std::vector<std::string> Texts(const gdi::RecordingCanvas& c) {
    std::vector<std::string> out;
    for (const auto& r : c.only(Op::Text)) out.push_back(r.text);
    return out;
  }

  // The recording without the erasing of the target, which only a database read does.
  static std::vector<std::string> WithoutClear(std::vector<std::string> lines) {
    std::erase(lines, std::string("CLEAR"));
    return lines;
  }
};

}  // namespace charttest
