#pragma once
// The user's country and Windows locale numbers, taken from the POSIX locale. The program keeps
// a locale identifier (LCID), a nation (geo id) and the locale number of that nation, as Windows
// reported them; here they come from one small table of common locales. The C/POSIX locale, and
// a locale not in the table, has no such values.
#include <cstdint>
#include <string>
#include <string_view>

namespace locale {

// Windows constants the stand-ins below take and give.
constexpr int32_t GEOCLASS_NATION = 16;
constexpr int32_t GEOID_NOT_AVAILABLE = -1;
constexpr int32_t GEO_LCID = 7;

struct UserLocale {
  std::string language;   // ISO 639 code ("en"); "" for the C locale
  std::string territory;  // ISO 3166 code ("US"); "" when the locale names no known country
  std::string country;    // the country's English name ("United States"); "" when none
  uint32_t lcid = 0;      // Windows locale identifier (0x0409); 0 when not in the table
  int32_t geoId = GEOID_NOT_AVAILABLE;  // Windows nation (244); not available when not in the table
};

// The locale name of the environment: LC_ALL when it is set and not empty, otherwise LANG;
// "" when neither is set (which is the C locale).
std::string EnvironmentLocaleName();

// The country and Windows numbers of a POSIX locale name such as "en_US.UTF-8" or "de_DE@euro".
// "", "C", "POSIX" and names no language is known for give an empty UserLocale. A name with only
// a language ("de") takes that language's usual country.
UserLocale LookupLocale(std::string_view posixName);
// LookupLocale of EnvironmentLocaleName().
UserLocale CurrentLocale();

// --- Stand-ins for the Windows locale calls ---

// GetUserGeoID: the user's nation for GEOCLASS_NATION, GEOID_NOT_AVAILABLE for any other class
// or when the locale has no known nation.
int32_t GetUserGeoID(int32_t geoClass);
int32_t GetUserGeoID(int32_t geoClass, std::string_view posixName);

// GetUserDefaultLCID: the user's locale identifier, 0 when the locale is not in the table.
uint32_t GetUserDefaultLCID();
uint32_t GetUserDefaultLCID(std::string_view posixName);

// GetGeoInfoA for GEO_LCID: the nation's locale identifier as eight upper-case hexadecimal
// digits ("00000409"). As on Windows, `size` 0 asks for the number of characters needed
// (including the closing NUL); otherwise the text and its NUL are copied into `data` when they
// fit and that number is returned. An unknown nation, another info type, or a buffer too small
// gives 0. `langId` names the language of texts and does not change a locale number.
int GetGeoInfoA(int32_t geoId, int32_t geoType, char* data, int size, uint16_t langId);

}  // namespace locale
