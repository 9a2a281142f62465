#include <gtest/gtest.h>

#include <string>

#include "foundation/Geo.h"
#include "platform/locale/Locale.h"

namespace {

// GeoLCID as start-up calls it, with the nation and locale of a POSIX locale name.
std::string GeoLCIDOf(const char* localeName) {
  int32_t geoId = locale::GetUserGeoID(locale::GEOCLASS_NATION, localeName);
  auto lcid = static_cast<int32_t>(locale::GetUserDefaultLCID(localeName));
  const int32_t geoBefore = geoId, lcidBefore = lcid;
  std::string text = Geo::GeoLCID(geoId, lcid);
  EXPECT_EQ(geoId, geoBefore);
  EXPECT_EQ(lcid, lcidBefore);
  return text;
}

TEST(GeoLCID, DecimalTextOfTheNationsLocaleNumber) {
  struct Case {
    const char* locale;
    const char* text;
  };
  const Case cases[] = {
      {"en_US.UTF-8", "409"},
      {"en_GB", "809"},
      {"de_DE", "407"},
      {"fr_FR", "40"},  // "0000040C": the number reading stops at the letter
      {"C", ""},
      {"POSIX", ""},
      {"ga_IE", ""},  // a nation the table does not hold
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    EXPECT_EQ(GeoLCIDOf(c.locale), c.text);
  }
}

TEST(GeoTrimNull, CutsAtTheFirstNul) {
  using namespace std::string_literals;
  EXPECT_EQ(Geo::TrimNull("00000409\0"s), "00000409");
  EXPECT_EQ(Geo::TrimNull("ab\0cd\0"s), "ab");
  EXPECT_EQ(Geo::TrimNull("\0ab"s), "");
  EXPECT_EQ(Geo::TrimNull("no nul"), "no nul");
  EXPECT_EQ(Geo::TrimNull(""), "");
}

}  // namespace
