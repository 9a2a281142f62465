// Module Geo: the locale number of the user's country through the locale stand-ins.
#include "foundation/Geo.h"

#include "platform/locale/Locale.h"
#include "platform/runtime/Number.h"

namespace Geo {

std::string GeoLCID(int32_t& geoId, int32_t& localeId) {
  const auto langId = static_cast<uint16_t>(static_cast<uint32_t>(localeId) & 0xFFFF);
  int size = locale::GetGeoInfoA(geoId, locale::GEO_LCID, nullptr, 0, langId);
  if (size <= 0) return "";
  std::string buffer(static_cast<size_t>(size), '\0');
  if (locale::GetGeoInfoA(geoId, locale::GEO_LCID, buffer.data(), size, langId) <= 0) return "";
  return vb::NumberText(vb::Val(TrimNull(buffer)));
}

std::string TrimNull(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

}  // namespace Geo
