#pragma once
// The status text and the hourglass while a page or a plot is built, cleared when the scope
// ends, whatever failed on the way.
#include <string>
#include <string_view>

#include "platform/ui/Hooks.h"

namespace Printing {

class BusyStatus {
 public:
  explicit BusyStatus(std::string_view status) {
    ui::Current().SetStatusText(std::string(status));
    ui::Current().SetHourglass(true);
  }
  ~BusyStatus() {
    ui::Current().SetStatusText("");
    ui::Current().SetHourglass(false);
  }
  BusyStatus(const BusyStatus&) = delete;
  BusyStatus& operator=(const BusyStatus&) = delete;
};

}  // namespace Printing
