// The hover over a chart picture: the search for the cached point under the mouse, the pop-up
// box with its value, the "Assumptions" caption and the assumption box.
#include "charts/ChartHover.h"

#include <algorithm>
#include <cmath>

#include "charts/ChartBuilders.h"
#include "charts/Graph.h"
#include "foundation/DBase.h"
#include "foundation/Globals.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"

namespace ChartHover {

namespace {

using Chart::ChartPicture;

constexpr std::array<PictureInfo, 14> kPictures{{
    {"chrtBlockFuel", ChartPicture::BlockFuel, 6, "Block Fuel Fixed Wing", "Block Fuel Heli", ""},
    {"chrtBlockTime", ChartPicture::BlockTime, 6, "Block Time Fixed Wing", "Block Time Heli", ""},
    {"chrtBalancedFieldLength", ChartPicture::BalancedFieldLength, 7, "Balanced Field Length", "",
     ""},
    {"chrtTakeoffElevation", ChartPicture::TakeoffElevation, 8, "Max Take Off Fixed Wing", "", ""},
    {"chrtLanding", ChartPicture::Landing, 8, "Landing Fixed Wing", "", ""},
    {"chrtCruiseSpeed", ChartPicture::CruiseSpeed, 9, "Max Cruise Speed Fixed Wing", "", ""},
    {"chrtOperatingSpeed", ChartPicture::OperatingSpeed, 9, "Max Op Speed Fixed Wing", "", ""},
    {"chrtPayload", ChartPicture::Payload, 10, "Payload Range FW", "Payload Range Heli", ""},
    {"chrtCeilingCorp", ChartPicture::CeilingCorp, 11, "", "Service Ceiling Corp Heli", ""},
    {"chrtCeilingUtil", ChartPicture::CeilingUtil, 11, "", "Service Ceiling Util Heli", ""},
    {"chrtCeilingHV", ChartPicture::CeilingHV, 12, "", "Height Velocity Heli", ""},
    {"chrtCeilingVNE", ChartPicture::CeilingVNE, 12, "", "Vne Heli", ""},
    {"chrtWATCorp", ChartPicture::WATCorp, 13, "", "WAT B Corp Heli", "WAT A Corp Heli"},
    {"chrtWATUtil", ChartPicture::WATUtil, 13, "", "WAT B Util Heli", "WAT A Util Heli"},
}};

constexpr gdi::Rgb kPopupFill = gdi::RGB(255, 255, 192);
constexpr const char* kCaption = "Assumptions";
constexpr const char* kAssumptionSql =
    "SELECT * FROM ProductExplainTerms WHERE ET_ReportGroup = ?1";

bool ValidChart(int chart) { return chart >= 0 && chart <= Chart::kMaxCharts; }

// The pop-up texts are formatted with "," grouping and "." whatever the user's locale: with a
// locale whose grouping character is "." a value such as 1.234 would read as a fraction.
class FixedNumberForms {
 public:
  FixedNumberForms() : saved_(vb::CurrentNumberForms()) { vb::CurrentNumberForms() = {}; }
  ~FixedNumberForms() { vb::CurrentNumberForms() = saved_; }
  FixedNumberForms(const FixedNumberForms&) = delete;
  FixedNumberForms& operator=(const FixedNumberForms&) = delete;

 private:
  vb::NumberForms saved_;
};

// A cached single as the text Format reads: its shortest form at single precision, so that
// 2.675 rounds half away from zero as the value written, not as its binary neighbour.
std::string SingleText(float value) { return vb::CStr(value, 7); }

std::string WholeNumber(float value) {
  std::string text = vb::Format(SingleText(value), "#,###,###,###");
  return text.empty() ? "0" : text;
}

void SelectLegendFont() {
  const Chart::ChartFont& f = Chart::vars().LegendFont;
  Graph::SetFont(f.FontName, false, false, false, false, f.Size, 0);
}

// The assumption text with "|" as a line break, split into its lines; at least one line.
std::vector<std::string> BoxLines(std::string_view text) {
  std::string broken;
  broken.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '|')
      broken += "\r\n";
    else
      broken += c;
  }
  std::vector<std::string> lines;
  for (std::string_view line : gdi::TextLines(broken)) lines.emplace_back(line);
  if (lines.empty()) lines.emplace_back();
  return lines;
}

}  // namespace

const std::array<PictureInfo, 14>& Pictures() { return kPictures; }

const PictureInfo* Find(Chart::ChartPicture picture) {
  for (const PictureInfo& info : kPictures)
    if (info.picture == picture) return &info;
  return nullptr;
}

Chart::ChartPicture PictureFromName(std::string_view name) {
  for (const PictureInfo& info : kPictures)
    if (info.name == name) return info.picture;
  return ChartPicture::Other;
}

std::string ReportGroup(Chart::ChartPicture picture, int aircraftClass, int watChart) {
  const PictureInfo* info = Find(picture);
  if (!info) return {};
  if (aircraftClass != Globals::Class::Helicopter) return std::string(info->fixedWing);
  if (watChart == 1 && !info->heliWatA.empty()) return std::string(info->heliWatA);
  return std::string(info->heli);
}

bool IsBarChart(int chart) { return chart >= 9 && chart <= 11; }

using State = vb::ModuleState<Vars, vb::ResetOrder::Charts>;

Vars& vars() { return State::Get(); }

void resetForTest() { State::Reset(); }

Position PopupPosition(int chart, int s, int p) {
  if (!ValidChart(chart)) return {};
  const Chart::Vars& cv = Chart::vars();
  const Chart::HoverGeometry& g = cv.ChartHoverGeometry[chart];
  const Chart::ChartPoint point = cv.ChartSeriesCache.Point(chart, s, p);
  double x = point.X;
  if (IsBarChart(chart)) {
    // A bar point stores x 0 and stands at the centre of its series' bar; a label point's x
    // is the percent across the chart and picks one of the four bar slots.
    const double v = point.X;
    if (v == 0)
      x = s - 0.5;
    else if (v < 25)
      x = 0.5;
    else if (v < 50)
      x = 1.5;
    else if (v < 75)
      x = 2.5;
    else
      x = 3.5;
  }
  const double px = g.ChartLeft + g.PlotX0 + g.XFactor * (x - g.XMin);
  const double py = g.ChartTop + g.PlotY1 - g.YFactor * (static_cast<double>(point.Y) - g.YMin);
  return {static_cast<float>(px), static_cast<float>(py)};
}

Hit NearestPoint(int chart, double mx, double my) {
  Hit best;
  if (!ValidChart(chart)) return best;
  const Chart::SeriesCache& cache = Chart::vars().ChartSeriesCache;
  const double threshold = IsBarChart(chart) ? 3 : 1;
  double bestDistance = 1e7;
  const long seriesCount = std::min<long>(cache.SeriesCount(chart), Chart::kMaxSeries);
  for (int s = 1; s <= seriesCount; ++s) {
    const long points = std::min<long>(cache.PointCount(chart, s), Chart::kMaxPoints);
    for (int p = 1; p <= points; ++p) {
      const Position at = PopupPosition(chart, s, p);
      const double distance = std::hypot(mx - at.x, my - at.y);
      if (distance < threshold && distance < bestDistance) {
        best = {s, p};
        bestDistance = distance;
      }
    }
  }
  return best;
}

CaptionExtent MeasureCaption(gdi::Canvas& picture) {
  Graph::InitGraphics(picture, true, false);
  const Chart::ChartFont& f = Chart::vars().TitleFont;
  Graph::SetFont(f.FontName, true, false, false, false, f.Size, 0);
  CaptionExtent e{Graph::TextWd(kCaption), Graph::TextHt(kCaption)};
  Graph::RemoveFont();
  return e;
}

bool CaptionHit(double X, double Y, double scaleWidth, CaptionExtent caption) {
  return X >= scaleWidth - caption.w * scaleWidth / 100 && X <= scaleWidth - 1 && Y >= 1 &&
         Y < caption.h * scaleWidth / 100;
}

void ReleaseGraphTarget(const gdi::Canvas* canvas) {
  if (canvas && Graph::vars().GraphTarget == canvas) Graph::vars().GraphTarget = nullptr;
}

std::string AssumptionText(const std::string& group) {
  vb::Proc g("General", "ChartAssumptionFromControl");
  if (group.empty()) return {};
  adodb::Connection connection;
  adodb::Recordset rs;
  if (!g.step([&] { connection.open(DBase::ConnectionString(DBase::vars().DBPath)); })) return {};
  std::string text;
  if (g.step([&] { rs.open(kAssumptionSql, connection, {vb::Variant(group)}); })) {
    g.step([&] {
      if (rs.eof()) return;  // a group without a text: an empty box
      const vb::Variant& value = rs.fields("ET_PlainTextToolTip").value();
      if (!value.isNull() && !value.isEmpty()) text = value.toString();
    });
    g.step([&] { rs.close(); });
  }
  g.step([&] { connection.close(); });
  return text;
}

gdi::Extent AssumptionBoxSize(gdi::Canvas& probe, std::string_view text) {
  Graph::InitGraphics(probe, false, false);
  SelectLegendFont();
  const double lineHeight = probe.textExtent(kCaption).height;
  double widest = 0;
  const std::vector<std::string> lines = BoxLines(text);
  for (const std::string& line : lines) widest = std::max(widest, probe.textExtent(line).width);
  Graph::RemoveFont();
  // An empty text still opens a box: one empty line, as wide as it is high.
  if (widest == 0) widest = lineHeight;
  // Whole pixels, up, but not for the rounding noise of a product that is whole.
  const auto up = [](double v) { return std::ceil(v - 1e-9); };
  return {up(1.05 * widest), up(1.05 * lineHeight * static_cast<double>(lines.size()))};
}

void DrawAssumptionBox(gdi::Canvas& box, std::string_view text) {
  Graph::InitGraphics(box, true, true);
  SelectLegendFont();
  Graph::SetTextColor(0);
  const double lh = Graph::TextHt(kCaption);
  const std::vector<std::string> lines = BoxLines(text);
  for (size_t i = 0; i < lines.size(); ++i)
    Graph::TextOut(0.02, 0.02 + static_cast<double>(i) * lh, lines[i]);
  Graph::RemoveFont();
}

}  // namespace ChartHover

namespace General {

using ChartHover::kAssumptionBox;

void ChartMouseMove(ChartHover::HoverHost& picture, double X, double Y) {
  if (picture.Picture() == Chart::ChartPicture::Other) return;
  const int chart = Chart::ChartNumberFromPicture(picture.Picture());
  const double scaleWidth = picture.ScaleWidth();
  if (!(scaleWidth > 0) || chart < 0 || chart > Chart::kMaxCharts) return;
  ChartHover::Hit best =
      ChartHover::NearestPoint(chart, X / scaleWidth * 100, Y / scaleWidth * 100);
  // The caption counts only where no point is near: a point under it wins.
  if (best.point == 0 && ChartHover::CaptionHit(X, Y, scaleWidth, picture.Caption()))
    best = {0, kAssumptionBox};
  ChartHover::Vars& v = ChartHover::vars();
  if (best.point == 0) {
    if (v.PopupPoint[chart] != 0) RebuildChart(picture);
    return;
  }
  if (v.PopupSeries[chart] == best.series && v.PopupPoint[chart] == best.point) return;
  if (v.PopupPoint[chart] != 0) RebuildChart(picture);
  ShowChartPopupAt(picture, best.series, best.point);
}

void ChartMouseLeave(ChartHover::HoverHost& picture) {
  if (picture.Picture() == Chart::ChartPicture::Other) return;
  const int chart = Chart::ChartNumberFromPicture(picture.Picture());
  if (ChartHover::vars().PopupPoint[chart] != 0) RebuildChart(picture);
}

void ShowChartPopupAt(ChartHover::HoverHost& picture, int s, int p) {
  const int chart = Chart::ChartNumberFromPicture(picture.Picture());
  picture.ShowPopup(s, p);
  ChartHover::Vars& v = ChartHover::vars();
  v.PopupSeries[chart] = static_cast<int16_t>(s);
  v.PopupPoint[chart] = static_cast<int16_t>(p);
}

void RebuildChart(ChartHover::HoverHost& picture) {
  const int chart = Chart::ChartNumberFromPicture(picture.Picture());
  picture.ErasePopup();
  ChartHover::vars().PopupPoint[chart] = 0;
}

void DrawChartPopup(gdi::Canvas& picture, int chart, int s, int p) {
  Graph::InitGraphics(picture, true, false);
  const ChartHover::Position at = ChartHover::PopupPosition(chart, s, p);
  const std::string text = FormatPopupValue(chart, s, p);
  ChartHover::SelectLegendFont();
  double th = Graph::TextHt(text), tw = Graph::TextWd(text);
  if (th == 0) th = 3;
  if (tw == 0) tw = static_cast<double>(text.size()) * th / 3;
  const double bw = 1.05 * tw, bh = 1.05 * th;
  const double px = at.x, cy = at.y - 1.05 * bh;
  const double x1 = px - bw / 2, y1 = cy - bh / 2, x2 = px + bw / 2, y2 = cy + bh / 2;
  Chart::FilledBox(x1, y1, x2, y2, ChartHover::kPopupFill, 0);
  Graph::Rectangle(x1, y1, x2, y2);
  const Chart::CacheSeries* series = Chart::vars().ChartSeriesCache.Series(chart, s);
  Graph::SetTextColor(series ? series->Color : 0);
  Graph::TextOut(px - tw / 2, cy - th / 2, text);
  Graph::RemoveFont();
}

std::string FormatPopupValue(int chart, int s, int p) {
  const Chart::ChartPoint point = Chart::vars().ChartSeriesCache.Point(chart, s, p);
  ChartHover::FixedNumberForms forms;
  const std::string yText = chart == 2 || chart == 13
                                ? vb::Format(ChartHover::SingleText(point.Y), "###0.00")
                                : ChartHover::WholeNumber(point.Y);
  if (ChartHover::IsBarChart(chart)) return yText;
  return ChartHover::WholeNumber(point.X) + "/" + yText;
}

std::string ChartAssumptionFromControl(Chart::ChartPicture picture) {
  return ChartHover::AssumptionText(
      ChartHover::ReportGroup(picture, Globals::vars().AircraftClass, Globals::vars().WATChart));
}

}  // namespace General
