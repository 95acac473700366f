#include "frontend/geo_code.h"

#include <gtest/gtest.h>

namespace {

using frontend::BuildRequestAddress;

// Address of the built-in endpoint without the host and the key: path and query up to "&key=".
std::string PathAndQuery(std::string_view AGeocode, std::string_view AItems) {
  std::string address = BuildRequestAddress(AGeocode, AItems);
  const std::string prefix = "https://api.census.gov";
  const std::string suffix = "&key=7c14e0a8f26b5d93e1a07c4f8b62d05e9a3f71c4";
  EXPECT_EQ(address.substr(0, prefix.size()), prefix);
  EXPECT_TRUE(address.ends_with(suffix)) << address;
  return address.substr(prefix.size(), address.size() - prefix.size() - suffix.size());
}

TEST(BuildRequestAddress, CoversEverySummaryLevel) {
  struct TCase {
    const char* Geocode;
    const char* Expected;
  };
  const TCase cases[] = {
      {"140-22-5-04013216813",
       "/data/2022/acs/acs5?get=NAME&for=tract:216813&in=state:04%20county:013"},
      {"150-21-5-060371011101",
       "/data/2021/acs/acs5?get=NAME&for=block%20group:1&in=state:06%20county:037%20tract:101110"},
      // The subdivision comes first, then state and county.
      {"060-21-5-0369025001",
       "/data/2021/acs/acs5?get=NAME&for=county%20subdivision:03690&in=state:25%20county:001"},
      {"010-21-1-", "/data/2021/acs/acs1?get=NAME&for=us:*"},
      {"160-22-5-0636770", "/data/2022/acs/acs5?get=NAME&for=place:36770&in=state:06"},
      {"860-22-5-08701", "/data/2022/acs/acs5?get=NAME&for=zip%20code%20tabulation%20area:08701"},
      {"040-23-1-06", "/data/2023/acs/acs1?get=NAME&for=state:06"},
      {"050-23-5-06059", "/data/2023/acs/acs5?get=NAME&for=county:059&in=state:06"},
      {"300-19-5-13720",
       "/data/2019/acs/acs5?get=NAME&for=metropolitan%20statistical%20area/"
       "micropolitan%20statistical%20area:13720"},
      {"400-20-5-51445", "/data/2020/acs/acs5?get=NAME&for=urban%20area:51445"},
      {"610-22-5-06031",
       "/data/2022/acs/acs5?get=NAME&for=state%20legislative%20district%20(upper%20chamber):031"
       "&in=state:06"},
      {"620-22-5-06068",
       "/data/2022/acs/acs5?get=NAME&for=state%20legislative%20district%20(lower%20chamber):068"
       "&in=state:06"},
      // A two-character district.
      {"500-23-5-1301", "/data/2023/acs/acs5?get=NAME&for=congressional%20district:01&in=state:13"},
      {"970-22-5-0618450",
       "/data/2022/acs/acs5?get=NAME&for=school%20district%20(unified):18450&in=state:06"},
  };
  for (const auto& c : cases) EXPECT_EQ(PathAndQuery(c.Geocode, "NAME"), c.Expected) << c.Geocode;
}

TEST(BuildRequestAddress, ShortAndMalformedCodesNeverFail) {
  struct TCase {
    const char* Geocode;
    const char* Items;
    const char* Expected;
  };
  const TCase cases[] = {
      // The default example.
      {"140-22-5-04013216813", "NAME,B01001_001E",
       "/data/2022/acs/acs5?get=NAME,B01001_001E&for=tract:216813&in=state:04%20county:013"},
      // Too short for its tract: the tract is empty.
      {"140-22-5-04013", "NAME",
       "/data/2022/acs/acs5?get=NAME&for=tract:&in=state:04%20county:013"},
      // "40-" is not "040": no clause at all.
      {"40-22-5-06", "NAME", "/data/202-/acs/acs-?get=NAME"},
      {"999-22-5-06", "NAME", "/data/2022/acs/acs5?get=NAME"},
      {"", "NAME", "/data/20/acs/acs?get=NAME"},
      {"14", "NAME", "/data/20/acs/acs?get=NAME"},
      // The programme digit is used as it is.
      {"040-22-3-06", "NAME", "/data/2022/acs/acs3?get=NAME&for=state:06"},
      // Items are inserted without encoding; an empty list sends "?get=" then the clause.
      {"040-22-5-06", "", "/data/2022/acs/acs5?get=&for=state:06"},
      {"040-22-5-06", "NAME,B 01", "/data/2022/acs/acs5?get=NAME,B 01&for=state:06"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PathAndQuery(c.Geocode, c.Items), c.Expected) << '"' << c.Geocode << '"';
}

TEST(BuildRequestAddress, UsesTheGivenEndpoint) {
  frontend::TServiceEndpoint endpoint{"https://127.0.0.1:8443", "userkey"};
  EXPECT_EQ(BuildRequestAddress("040-22-5-06", "NAME", endpoint),
            "https://127.0.0.1:8443/data/2022/acs/acs5?get=NAME&for=state:06&key=userkey");
}

TEST(ParseGeoCode, CutsFieldsAtTheEnd) {
  auto full = frontend::ParseGeoCode("140-22-5-04013216813");
  EXPECT_EQ(full.sumlev, "140");
  EXPECT_EQ(full.year, "22");
  EXPECT_EQ(full.acspgm, "5");
  EXPECT_EQ(full.geoid, "04013216813");
  auto longCode = frontend::ParseGeoCode("150-21-5-0603710111012345678");
  EXPECT_EQ(longCode.geoid, "060371011101234");  // at most 15 characters
  auto shortCode = frontend::ParseGeoCode("010-2");
  EXPECT_EQ(shortCode.sumlev, "010");
  EXPECT_EQ(shortCode.year, "2");
  EXPECT_EQ(shortCode.acspgm, "");
  EXPECT_EQ(shortCode.geoid, "");
}

TEST(AddressWithoutKey, DropsOnlyTheKey) {
  EXPECT_EQ(frontend::AddressWithoutKey("https://h/data?get=NAME&for=us:*&key=abc"),
            "https://h/data?get=NAME&for=us:*");
  EXPECT_EQ(frontend::AddressWithoutKey("https://h/data?key=abc&get=NAME"),
            "https://h/data?get=NAME");
  EXPECT_EQ(frontend::AddressWithoutKey("https://h/data?key=abc"), "https://h/data");
  EXPECT_EQ(frontend::AddressWithoutKey("https://h/data?get=monkey=1"),
            "https://h/data?get=monkey=1");
}

}  // namespace
