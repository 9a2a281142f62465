// Country and Windows locale numbers from the POSIX locale name, through QLocale's parsing of
// the name and one table of Windows numbers.
#include "platform/locale/Locale.h"

#include <QLocale>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/runtime/Strings.h"

namespace locale {

namespace {

struct LocaleRow {
  std::string_view language, territory;
  uint32_t lcid;
  int32_t geoId;
};

// Windows locale identifiers and nations of common locales. Where a nation has several rows,
// its first row gives the nation's own locale number (GEO_LCID).
constexpr LocaleRow kLocales[] = {
    {"en", "US", 0x0409, 244}, {"en", "GB", 0x0809, 242}, {"en", "CA", 0x1009, 39},
    {"fr", "CA", 0x0C0C, 39},  {"en", "AU", 0x0C09, 12},  {"de", "DE", 0x0407, 94},
    {"de", "AT", 0x0C07, 14},  {"de", "CH", 0x0807, 223}, {"fr", "CH", 0x100C, 223},
    {"fr", "FR", 0x040C, 84},  {"it", "IT", 0x0410, 118}, {"es", "ES", 0x0C0A, 217},
    {"es", "MX", 0x080A, 166}, {"nl", "NL", 0x0413, 176}, {"sv", "SE", 0x041D, 221},
    {"pt", "BR", 0x0416, 32},  {"ja", "JP", 0x0411, 122}, {"zh", "CN", 0x0804, 45},
};

std::string Upper(const QString& text) { return text.toUpper().toStdString(); }

// The territory the name itself spells, upper case: the part after the last "_" ("US" of
// "en_US", "CN" of "zh_Hans_CN"); "" when the name gives only a language.
std::string NamedTerritory(std::string_view base) {
  size_t at = base.rfind('_');
  if (at == std::string_view::npos) return "";
  return vb::UCase(base.substr(at + 1));
}

}  // namespace

std::string EnvironmentLocaleName() {
  for (const char* name : {"LC_ALL", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return "";
}

UserLocale LookupLocale(std::string_view posixName) {
  UserLocale result;
  // The code set and modifier ("en_US.UTF-8@euro") do not change the numbers.
  std::string_view base = posixName.substr(0, posixName.find_first_of(".@"));
  if (base.empty() || base == "C" || base == "POSIX") return result;
  QLocale parsed(QString::fromUtf8(base.data(), static_cast<qsizetype>(base.size())));
  if (parsed.language() == QLocale::C) return result;
  result.language = QLocale::languageToCode(parsed.language()).toStdString();
  std::string territory = Upper(QLocale::territoryToCode(parsed.territory()));
  // QLocale falls back to the language's usual country for a country it does not know
  // ("en_XX" reads as en_US); a country the name spells must be the one recognised.
  std::string named = NamedTerritory(base);
  if (parsed.territory() == QLocale::AnyTerritory || (!named.empty() && named != territory)) {
    return result;
  }
  result.territory = territory;
  result.country = QLocale::territoryToString(parsed.territory()).toStdString();
  for (const LocaleRow& row : kLocales) {
    if (row.territory != territory) continue;
    if (result.geoId == GEOID_NOT_AVAILABLE) result.geoId = row.geoId;
    if (row.language == result.language) result.lcid = row.lcid;
  }
  return result;
}

UserLocale CurrentLocale() { return LookupLocale(EnvironmentLocaleName()); }

int32_t GetUserGeoID(int32_t geoClass) { return GetUserGeoID(geoClass, EnvironmentLocaleName()); }

int32_t GetUserGeoID(int32_t geoClass, std::string_view posixName) {
  if (geoClass != GEOCLASS_NATION) return GEOID_NOT_AVAILABLE;
  return LookupLocale(posixName).geoId;
}

uint32_t GetUserDefaultLCID() { return GetUserDefaultLCID(EnvironmentLocaleName()); }

uint32_t GetUserDefaultLCID(std::string_view posixName) { return LookupLocale(posixName).lcid; }

int GetGeoInfoA(int32_t geoId, int32_t geoType, char* data, int size, uint16_t /*langId*/) {
  if (geoType != GEO_LCID || size < 0) return 0;
  const LocaleRow* nation = nullptr;
  for (const LocaleRow& row : kLocales) {
    if (row.geoId == geoId) {
      nation = &row;
      break;
    }
  }
  if (!nation) return 0;
  char text[16];
  int length = std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(nation->lcid));
  int needed = length + 1;
  if (size == 0) return needed;
  if (!data || size < needed) return 0;
  std::memcpy(data, text, static_cast<size_t>(needed));
  return needed;
}

}  // namespace locale
