#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/locale/Locale.h"

namespace {

struct LocaleCase {
  const char* name;
  const char* territory;
  const char* country;
  uint32_t lcid;
  int32_t geoId;
};

TEST(LocaleLookup, NamesGiveCountryLcidAndNation) {
  const LocaleCase cases[] = {
      {"en_US.UTF-8", "US", "United States", 0x0409, 244},
      {"en_GB", "GB", "United Kingdom", 0x0809, 242},
      {"de_DE@euro", "DE", "Germany", 0x0407, 94},
      {"fr_CA.UTF-8", "CA", "Canada", 0x0C0C, 39},
      {"de", "DE", "Germany", 0x0407, 94},  // a language alone takes its country
      {"ga_IE", "IE", "Ireland", 0, locale::GEOID_NOT_AVAILABLE},  // known, not in the table
      {"en_XX", "", "", 0, locale::GEOID_NOT_AVAILABLE},           // a country no one knows
      {"C", "", "", 0, locale::GEOID_NOT_AVAILABLE},
      {"C.UTF-8", "", "", 0, locale::GEOID_NOT_AVAILABLE},
      {"POSIX", "", "", 0, locale::GEOID_NOT_AVAILABLE},
      {"", "", "", 0, locale::GEOID_NOT_AVAILABLE},
      {"xx_YY", "", "", 0, locale::GEOID_NOT_AVAILABLE},
  };
  for (const LocaleCase& c : cases) {
    SCOPED_TRACE(c.name);
    locale::UserLocale found = locale::LookupLocale(c.name);
    EXPECT_EQ(found.territory, c.territory);
    EXPECT_EQ(found.country, c.country);
    EXPECT_EQ(found.lcid, c.lcid);
    EXPECT_EQ(found.geoId, c.geoId);
    EXPECT_EQ(locale::GetUserDefaultLCID(c.name), c.lcid);
    EXPECT_EQ(locale::GetUserGeoID(locale::GEOCLASS_NATION, c.name), c.geoId);
  }
}

TEST(LocaleLookup, OnlyTheNationClassHasAGeoId) {
  EXPECT_EQ(locale::GetUserGeoID(14, "en_US"), locale::GEOID_NOT_AVAILABLE);  // GEOCLASS_REGION
}

TEST(LocaleGeoInfo, SizeQueryThenTextOfTheNationsLocaleNumber) {
  EXPECT_EQ(locale::GetGeoInfoA(244, locale::GEO_LCID, nullptr, 0, 0x409), 9);
  char buffer[9];
  ASSERT_EQ(locale::GetGeoInfoA(244, locale::GEO_LCID, buffer, 9, 0x409), 9);
  EXPECT_STREQ(buffer, "00000409");
  // A nation of several locales reports its own one (Canada: English).
  char canada[16];
  ASSERT_EQ(locale::GetGeoInfoA(39, locale::GEO_LCID, canada, 16, 0), 9);
  EXPECT_STREQ(canada, "00001009");
  ASSERT_EQ(locale::GetGeoInfoA(84, locale::GEO_LCID, canada, 16, 0), 9);
  EXPECT_STREQ(canada, "0000040C");
}

TEST(LocaleGeoInfo, NothingForUnknownNationOtherTypeOrShortBuffer) {
  char buffer[8] = "keep";
  EXPECT_EQ(locale::GetGeoInfoA(locale::GEOID_NOT_AVAILABLE, locale::GEO_LCID, nullptr, 0, 0), 0);
  EXPECT_EQ(locale::GetGeoInfoA(9999, locale::GEO_LCID, nullptr, 0, 0), 0);
  EXPECT_EQ(locale::GetGeoInfoA(244, 4 /* GEO_ISO2 */, nullptr, 0, 0), 0);
  EXPECT_EQ(locale::GetGeoInfoA(244, locale::GEO_LCID, buffer, 8, 0), 0);
  EXPECT_STREQ(buffer, "keep");
  EXPECT_EQ(locale::GetGeoInfoA(244, locale::GEO_LCID, nullptr, 9, 0), 0);
}

// Sets or clears an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(LocaleEnvironment, LcAllWinsOverLangAndEmptyCountsAsUnset) {
  {
    ScopedEnv all("LC_ALL", "de_DE.UTF-8");
    ScopedEnv lang("LANG", "en_US.UTF-8");
    EXPECT_EQ(locale::EnvironmentLocaleName(), "de_DE.UTF-8");
    EXPECT_EQ(locale::GetUserDefaultLCID(), 0x0407u);
    EXPECT_EQ(locale::GetUserGeoID(locale::GEOCLASS_NATION), 94);
  }
  {
    ScopedEnv all("LC_ALL", "");
    ScopedEnv lang("LANG", "en_GB.UTF-8");
    EXPECT_EQ(locale::EnvironmentLocaleName(), "en_GB.UTF-8");
    EXPECT_EQ(locale::CurrentLocale().lcid, 0x0809u);
  }
  {
    ScopedEnv all("LC_ALL", nullptr);
    ScopedEnv lang("LANG", nullptr);
    EXPECT_EQ(locale::EnvironmentLocaleName(), "");
    EXPECT_EQ(locale::GetUserGeoID(locale::GEOCLASS_NATION), locale::GEOID_NOT_AVAILABLE);
  }
}

}  // namespace
