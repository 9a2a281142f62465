#pragma once
// What the display update reads from the two databases: an aircraft's joined record and the
// display text of field specs against it, and which helicopter interiors and WAT charts an
// aircraft has. DatabaseAircraftData goes to the databases of the DBase module; tests fake it.
#include <string>
#include <vector>

namespace MainForm {

class AircraftData {
 public:
  virtual ~AircraftData() = default;
  // Opens the joined record of an aircraft; it stays open until Close.
  virtual void Open(const std::string& acNum) = 0;
  // The display text of a field spec against the open record.
  virtual std::string DisplayValue(const std::string& spec) = 0;
  virtual void Close() = 0;

  struct Interiors {
    bool ems = false;      // InteriorEMS, CabinFrontEMS or CabinSideEMS present
    bool utility = false;  // InteriorUtil, CabinFrontUtil or CabinSideUtil present
  };
  // The interior variants of an aircraft's row of the drawing database (none without a row).
  virtual Interiors InteriorVariants(const std::string& acNum) = 0;
  // The CAT values of an aircraft's ACDPWAT rows, as stored.
  virtual std::vector<std::string> WatCategories(const std::string& acNum) = 0;
};

// Over DBase: the module record, DBase::DisplayDataValue, and one-shot queries with the
// aircraft number bound as a parameter (a number that is not all digits is an error 13).
class DatabaseAircraftData final : public AircraftData {
 public:
  void Open(const std::string& acNum) override;
  std::string DisplayValue(const std::string& spec) override;
  void Close() override;
  Interiors InteriorVariants(const std::string& acNum) override;
  std::vector<std::string> WatCategories(const std::string& acNum) override;
};

}  // namespace MainForm
