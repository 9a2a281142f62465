// The placeholder texts of a page template filled with the data of the compared aircraft.
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "drawings/CadFunctions.h"
#include "drawings/PageDrawing.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Trap.h"

namespace CadFunctions {

namespace {

constexpr std::string_view kModule = "CadFunctions";
constexpr std::string_view kCrLf = "\r\n";
// Database texts are wrapped at this many characters.
constexpr int kFieldWidth = 44;
constexpr const char* kQualifierSql = "SELECT * FROM \"Graph Qualifier\" WHERE GRAPH = ?1";

std::function<PageInputs()>& pageSource() {
  static std::function<PageInputs()> source;
  return source;
}

std::string TextOf(const vb::Variant& value) {
  return value.isNull() || value.isEmpty() ? std::string() : value.toString();
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
}

// The characters of a UTF-8 text, each as its bytes, so that widths count characters.
std::vector<std::string_view> Characters(std::string_view s) {
  std::vector<std::string_view> out;
  for (size_t i = 0; i < s.size();) {
    size_t n = 1;
    while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

std::string Join(const std::vector<std::string_view>& chars, size_t from, size_t to) {
  std::string out;
  for (size_t i = from; i < to && i < chars.size(); ++i) out += chars[i];
  return out;
}

// The joined records of the aircraft whose fields a page fills, each opened once for the page
// rather than once per field: a page template holds up to a hundred fields, the planes' fields
// side by side, and each opening is a connection and a query. The record a field reads is the
// module's (DBase::vars().DBRecordset); the other plane's waits here, read whole, until its next
// field. The names and the qualifiers read the database through the same module objects, so the
// records are given up before them and opened again by the next field; a record that failed to
// open is tried again, and reported again, by the next field of its plane.
class FieldRecords {
 public:
  FieldRecords() = default;
  FieldRecords(const FieldRecords&) = delete;
  FieldRecords& operator=(const FieldRecords&) = delete;
  ~FieldRecords() { Close(); }

  void Use(vb::Proc& g, const std::string& acNum) {
    DBase::Vars& v = DBase::vars();
    if (open_ && !current_.empty() && current_ == acNum) return;
    if (open_ && current_.empty()) {
      // The last field's record failed to open: it is closed, as after that field alone.
      g.step([] { DBase::CloseDatabase(); });
      open_ = false;
    }
    if (open_) std::swap(waiting_[current_], v.DBRecordset);
    if (auto kept = waiting_.find(acNum); kept != waiting_.end()) {
      std::swap(v.DBRecordset, kept->second);
      waiting_.erase(kept);
      open_ = true;
      current_ = acNum;
      return;
    }
    g.step([&] { DBase::OpenDatabase(acNum); });
    open_ = true;
    current_ = v.DBRecordset.isOpen() ? acNum : std::string();
  }
  void Close() {
    if (!open_) return;
    open_ = false;
    current_.clear();
    waiting_.clear();
    vb::Proc g(kModule, "UpdateCADText");
    g.step([] { DBase::CloseDatabase(); });
  }

 private:
  bool open_ = false;     // the module's record opened here and not closed since
  std::string current_;   // the aircraft of the module's record; empty when its open failed
  std::map<std::string, adodb::Recordset> waiting_;  // the other planes' records
};

// The field spec of a "[1]" / "[2]" placeholder for the plane's aircraft.
void FillField(long item, const std::string& text, const std::string& acNum,
               FieldRecords& record) {
  vb::Proc g(kModule, "UpdateCADText");
  if (acNum.empty()) {
    SetCADText(item, "");
    return;
  }
  record.Use(g, acNum);
  std::string value;
  g.step([&] { value = DBase::DisplayDataValue(text.substr(0, text.size() - 3)); });
  value = MultiLine(value, kFieldWidth);
  ReplaceAll(value, "&&", "&");
  SetCADText(item, value);
}

std::string ModelName(vb::Proc& g, const std::string& acNum) {
  std::string name;
  g.step([&] { DBase::OpenDatabase(acNum); });
  g.step([&] { name = TextOf(DBase::DatabaseValue("AcName")); });
  return name;
}

// The model names of the chosen planes; Plane 2's alone when Plane 1 has no aircraft.
void FillNames(long item, const DrawingInputs& planes) {
  vb::Proc g(kModule, "UpdateCADText");
  std::string names;
  if (!planes.Aircraft1.empty()) names = ModelName(g, planes.Aircraft1);
  if (!planes.Aircraft2.empty()) {
    const std::string second = ModelName(g, planes.Aircraft2);
    names = planes.Aircraft1.empty() ? second : names + ", " + second;
  }
  if (!planes.Aircraft1.empty() || !planes.Aircraft2.empty())
    g.step([&] { DBase::CloseDatabase(); });
  SetCADText(item, names);
}

// The qualifier text of a chart key; the key is bound as a parameter of the query, whatever
// characters it holds. A qualifier that cannot be read is reported and leaves the placeholder
// empty, as every other placeholder is left when the database fails: the template's own text
// never reaches the page.
void FillQualifier(long item, const std::string& text) {
  vb::Proc g(kModule, "UpdateCADText");
  std::string key = text.substr(10);
  if (Globals::vars().AircraftClass == Globals::Class::Helicopter) key = "Heli" + key;
  DBase::Vars& d = DBase::vars();
  d.DBConnection = adodb::Connection();
  d.DBRecordset = adodb::Recordset();
  std::string notes;
  const bool connected = g.step([&] { d.DBConnection.open(DBase::ConnectionString(d.DBPath)); });
  const bool queried = connected && g.step([&] {
    d.DBRecordset.open(kQualifierSql, d.DBConnection, {vb::Variant(key)});
  });
  if (queried) {
    g.step([&] {
      if (!d.DBRecordset.eof()) notes = TextOf(d.DBRecordset.fields("Notes").value());
    });
  }
  SetCADText(item, notes);
  if (queried)
    g.step([&] { DBase::CloseDatabase(); });
  else if (connected)
    d.DBConnection.close();
}

void FillPlaceholder(dxf::DrawingControl& c, long item, const PageInputs& page,
                     const DrawingInputs& planes, FieldRecords& record) {
  const dxf::Entity& e = c.EntityList().Item(item);
  if (e.EntityType != "TEXT") return;
  const std::string t = e.Text;
  if (t.ends_with("[1]")) {
    FillField(item, t, planes.Aircraft1, record);
  } else if (t.ends_with("[2]")) {
    FillField(item, t, planes.Aircraft2, record);
  } else if (t == "Page n of Pages") {
    SetCADText(item, "Page " + std::to_string(page.PrintPageNumber) + " of " +
                         std::to_string(page.PrintPageCount));
  } else if (t == "AcNames") {
    record.Close();
    FillNames(item, planes);
  } else if (t.starts_with("Qualifier:")) {
    record.Close();
    FillQualifier(item, t);
  } else if (t == "(WAT)" || t == "(CAT)") {
    const bool available = page.WATAAvailable || page.WATBAvailable;
    const std::string kind = t == "(WAT)" ? "WAT" : "CAT";
    SetCADText(item, available ? "(" + kind + (Globals::vars().WATChart == 1 ? " A)" : " B)") : "");
  } else if (t == "(CORP/EMS/UTIL)") {
    std::string label;
    if (planes.EMSInteriorAvailable || planes.UtilityInteriorAvailable) {
      label = planes.InteriorConfig == 2   ? "(EMS)"
              : planes.InteriorConfig == 3 ? "(Utility)"
                                           : "(Corporate)";
    }
    SetCADText(item, label);
  } else if (DBase::vars().MetricUnits) {
    const std::string metric = General::MetricString(t);
    if (metric != t) SetCADText(item, metric);
  }
}

}  // namespace

void SetPageInputsSource(std::function<PageInputs()> source) { pageSource() = std::move(source); }

const std::function<PageInputs()>& PageInputsSource() { return pageSource(); }

PageInputs CurrentPageInputs() {
  const auto& source = pageSource();
  return source ? source() : PageInputs{};
}

std::string MultiLine(const std::string& text, int width) {
  vb::Proc g(kModule, "MultiLine");
  std::string flat = text;
  ReplaceAll(flat, kCrLf, " ");
  for (char& ch : flat)
    if (ch == '\r' || ch == '\n') ch = ' ';
  if (width < 1) return flat;
  const size_t w = static_cast<size_t>(width);
  std::vector<std::string_view> s = Characters(flat);
  std::string result;
  size_t start = 0;  // s[start..] is what is left to wrap
  while (s.size() - start > w) {
    // The last space within the width, else the first one after it (0-based, from start).
    size_t p = std::string::npos;
    for (size_t i = w; i-- > 0;) {
      if (s[start + i] == " ") {
        p = i;
        break;
      }
    }
    if (p == std::string::npos) {
      for (size_t i = w - 1; start + i < s.size(); ++i) {
        if (s[start + i] == " ") {
          p = i;
          break;
        }
      }
    }
    if (p == std::string::npos) break;
    // The first line leaves its breaking space off; each later one keeps it at its end.
    if (result.empty())
      result = Join(s, start, start + p);
    else
      result += std::string(kCrLf) + Join(s, start, start + p + 1);
    start += p;
    while (start < s.size() && s[start] == " ") ++start;
  }
  const std::string rest = Join(s, start, s.size());
  return result.empty() ? rest : result + std::string(kCrLf) + rest;
}

void SetCADText(long item, const std::string& text) {
  vb::Proc g(kModule, "SetCADText");
  g.step([&] {
    dxf::DrawingControl& c = services().Control(kMeasuringView);
    dxf::Entity& e = c.EntityList().Item(item);
    const double h = e.g40, x = e.X0, x1 = e.X1, widthFactor = e.g41;
    double y0 = e.Y0, y1 = e.Y1;
    const double hjust = e.Extra().g72, vjust = e.Extra().g73;
    const std::string style = e.Extra().TextStyle, layer = e.LayerName;
    const int colour = e.Color;
    std::string rest = text;
    e.Text = General::TakeLeft(rest, kCrLf);
    // Each further line is a new TEXT below the last, looking like the first: the same layer
    // and colour too, so that a wrapped text prints in one colour.
    while (!rest.empty()) {
      y0 -= 1.5 * h;
      y1 -= 1.5 * h;
      dxf::Entity& n = c.AppendEntity();
      n.EntityType = "TEXT";
      n.Text = General::TakeLeft(rest, kCrLf);
      n.X0 = x;
      n.Y0 = y0;
      n.X1 = x1;
      n.Y1 = y1;
      n.EditExtra().TextStyle = style;
      n.g40 = h;
      n.g41 = widthFactor;
      n.EditExtra().g72 = hjust;
      n.EditExtra().g73 = vjust;
      n.LayerName = layer;
      n.Color = colour;
    }
  });
}

void UpdateCADText() {
  vb::Proc g(kModule, "UpdateCADText");
  dxf::DrawingControl* c = nullptr;
  if (!g.step([&] { c = &services().Control(kMeasuringView); })) return;
  const PageInputs page = CurrentPageInputs();
  const DrawingInputs planes = CurrentInputs();
  // The entities there were at the start: the lines SetCADText appends are data, never
  // placeholders to expand again.
  const long count = c->EntityList().Count();
  {
    FieldRecords record;
    for (long item = 1; item <= count; ++item)
      g.step([&] { FillPlaceholder(*c, item, page, planes, record); });
  }
  g.step([&] { c->Redraw(); });
}

}  // namespace CadFunctions
