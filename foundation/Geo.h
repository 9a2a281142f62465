#pragma once
// Module Geo: the locale number of the user's country, which picks the chart-label layout.
// Neither procedure makes a trace entry or traps errors.
#include <cstdint>
#include <string>
#include <string_view>

namespace Geo {

// The decimal text of the locale number of nation `geoId` ("409" for the United States), read
// from the system's text with the number reading, so leading zeros fall away and a hexadecimal
// letter ends the number ("0000040C" reads "40"); "" when the system has no such value. Both
// arguments are passed in and out, as the caller keeps them; neither is changed.
std::string GeoLCID(int32_t& geoId, int32_t& localeId);

// `text` up to, not including, its first NUL character; the whole text when it has none.
std::string TrimNull(std::string_view text);

}  // namespace Geo
