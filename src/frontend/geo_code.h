// Geography codes ("140-22-5-04013216813": summary level, survey year, programme digit and
// geographic identifier at fixed positions) and the request address built from one.
#pragma once

#include <string>
#include <string_view>

namespace frontend {

struct TGeoCode {
  std::string sumlev;  // positions 1-3, compared as text
  std::string year;    // 5-6, the last two digits of the survey year
  std::string acspgm;  // 8, 1 for 1-year and 5 for 5-year estimates
  std::string geoid;   // 10-24
};

// The characters of AText from the 1-based position AStart, at most ALength of them; a field
// reaching past the end is cut there, one starting past it is empty.
std::string_view FieldAt(std::string_view AText, std::size_t AStart, std::size_t ALength);

// Never fails: short or malformed codes give short or empty fields.
TGeoCode ParseGeoCode(std::string_view AGeocode);

inline constexpr std::string_view kServiceBase = "https://api.census.gov";
inline constexpr std::string_view kBuiltInAccessKey = "7c14e0a8f26b5d93e1a07c4f8b62d05e9a3f71c4";

// Where requests go: scheme and host (no trailing "/"), and the access key.
struct TServiceEndpoint {
  std::string Base{kServiceBase};
  std::string Key{kBuiltInAccessKey};
};

// The clause naming the geography ("&for=...&in=..."); empty for a summary level not known.
std::string GeographyClause(std::string_view AGeocode);

// ABase/data/20<year>/acs/acs<acspgm>?get=<items><clause>&key=<key>; the items are inserted as
// the Items box holds them, without any encoding.
std::string BuildRequestAddress(std::string_view AGeocode, std::string_view AItems,
                                const TServiceEndpoint& AEndpoint = {});

// The address with its key parameter removed, for messages and cache names.
std::string AddressWithoutKey(std::string_view AAddress);

}  // namespace frontend
