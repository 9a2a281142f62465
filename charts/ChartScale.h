#pragma once
// Where the chart scale lookup reads its rows: the view VW_AircraftAll (aircraft -> group) and
// the table GraphQTZScale (group and graph name -> axis maxima, grid steps, label spacing) of
// the aircraft database. The database implementation binds every value as a parameter:
//   SELECT GroupNum FROM VW_AircraftAll WHERE AcNum = ?1            (?1: 64-bit integer)
//   SELECT XMax, XScale, XLabel, YMax, YScale, YLabel FROM GraphQTZScale
//     WHERE (GroupNumber = ?1) AND (QTZGraphName = ?2)             (?1, ?2: text)
// and takes the first row. A database failure is thrown as vb::Error and reported by the
// caller's trap like any failing statement.
#include <cstdint>
#include <optional>
#include <string>

namespace Chart {

struct ScaleRow {
  double XMax = 0, XScale = 0, XLabel = 0;
  double YMax = 0, YScale = 0, YLabel = 0;
};

// The scale row a chart was last drawn with from the database, and what it was looked up for;
// a drawing from the cache uses it again instead of asking the database.
struct RememberedScale {
  bool valid = false;
  std::string graphName, acNum1, acNum2;
  std::optional<ScaleRow> row;
};

class ScaleSource {
 public:
  virtual ~ScaleSource() = default;
  // GroupNum of the aircraft; nothing when the view has no row for it.
  virtual std::optional<double> GroupOf(std::int64_t acNum) = 0;
  // The scale row of the group (as text) and graph name; nothing when there is none.
  virtual std::optional<ScaleRow> ScaleFor(const std::string& group,
                                           const std::string& graphName) = 0;
};

// The scale rows of the aircraft database (DBase::vars().DBPath), each question on a connection
// of its own. Chart::vars().Scales unset means this one.
class DatabaseScales : public ScaleSource {
 public:
  std::optional<double> GroupOf(std::int64_t acNum) override;
  std::optional<ScaleRow> ScaleFor(const std::string& group, const std::string& graphName) override;
};

}  // namespace Chart
