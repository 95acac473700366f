#include "frontend/geo_code.h"

#include <array>

namespace frontend {

namespace {

// A part of a clause: a literal text, or the field at (start, length) of the geography code.
struct TClausePart {
  std::string_view Literal;
  std::size_t Start = 0;
  std::size_t Length = 0;
};

struct TSummaryLevel {
  std::string_view Sumlev;
  std::array<TClausePart, 8> Parts;
};

constexpr TClausePart Text(std::string_view ALiteral) {
  return {ALiteral, 0, 0};
}
constexpr TClausePart Field(std::size_t AStart, std::size_t ALength) {
  return {{}, AStart, ALength};
}

// Tried in this order; the first exact match wins. 060 puts the subdivision before the state
// and county; 500 has a two-character district.
constexpr TSummaryLevel kSummaryLevels[] = {
    {"140",
     {Text("&for=tract:"), Field(15, 6), Text("&in=state:"), Field(10, 2), Text("%20county:"),
      Field(12, 3)}},
    {"150",
     {Text("&for=block%20group:"), Field(21, 1), Text("&in=state:"), Field(10, 2),
      Text("%20county:"), Field(12, 3), Text("%20tract:"), Field(15, 6)}},
    {"060",
     {Text("&for=county%20subdivision:"), Field(10, 5), Text("&in=state:"), Field(15, 2),
      Text("%20county:"), Field(17, 3)}},
    {"010", {Text("&for=us:*")}},
    {"160", {Text("&for=place:"), Field(12, 5), Text("&in=state:"), Field(10, 2)}},
    {"860", {Text("&for=zip%20code%20tabulation%20area:"), Field(10, 5)}},
    {"040", {Text("&for=state:"), Field(10, 2)}},
    {"050", {Text("&for=county:"), Field(12, 3), Text("&in=state:"), Field(10, 2)}},
    {"300",
     {Text("&for=metropolitan%20statistical%20area/micropolitan%20statistical%20area:"),
      Field(10, 5)}},
    {"400", {Text("&for=urban%20area:"), Field(10, 5)}},
    {"610",
     {Text("&for=state%20legislative%20district%20(upper%20chamber):"), Field(12, 3),
      Text("&in=state:"), Field(10, 2)}},
    {"620",
     {Text("&for=state%20legislative%20district%20(lower%20chamber):"), Field(12, 3),
      Text("&in=state:"), Field(10, 2)}},
    {"500",
     {Text("&for=congressional%20district:"), Field(12, 2), Text("&in=state:"), Field(10, 2)}},
    {"970",
     {Text("&for=school%20district%20(unified):"), Field(12, 5), Text("&in=state:"), Field(10, 2)}},
};

}  // namespace

std::string_view FieldAt(std::string_view AText, std::size_t AStart, std::size_t ALength) {
  if (AStart == 0 || AStart > AText.size()) return {};
  return AText.substr(AStart - 1, ALength);
}

TGeoCode ParseGeoCode(std::string_view AGeocode) {
  return TGeoCode{std::string(FieldAt(AGeocode, 1, 3)), std::string(FieldAt(AGeocode, 5, 2)),
                  std::string(FieldAt(AGeocode, 8, 1)), std::string(FieldAt(AGeocode, 10, 15))};
}

std::string GeographyClause(std::string_view AGeocode) {
  std::string_view sumlev = FieldAt(AGeocode, 1, 3);
  for (const auto& level : kSummaryLevels) {
    if (level.Sumlev != sumlev) continue;
    std::string clause;
    for (const auto& part : level.Parts)
      clause += part.Start == 0 ? part.Literal : FieldAt(AGeocode, part.Start, part.Length);
    return clause;
  }
  return {};
}

std::string BuildRequestAddress(std::string_view AGeocode, std::string_view AItems,
                                const TServiceEndpoint& AEndpoint) {
  std::string address = AEndpoint.Base;
  address += "/data/20";
  address += FieldAt(AGeocode, 5, 2);
  address += "/acs/acs";
  address += FieldAt(AGeocode, 8, 1);
  address += "?get=";
  address += AItems;
  address += GeographyClause(AGeocode);
  address += "&key=";
  address += AEndpoint.Key;
  return address;
}

std::string AddressWithoutKey(std::string_view AAddress) {
  std::size_t query = AAddress.find('?');
  if (query == std::string_view::npos) return std::string(AAddress);
  std::string out(AAddress.substr(0, query + 1));
  std::string_view rest = AAddress.substr(query + 1);
  bool first = true;
  while (true) {
    std::size_t amp = rest.find('&');
    std::string_view parameter = rest.substr(0, amp);
    if (!parameter.starts_with("key=")) {
      if (!first) out += '&';
      out += parameter;
      first = false;
    }
    if (amp == std::string_view::npos) break;
    rest = rest.substr(amp + 1);
  }
  if (first) out.pop_back();  // nothing but the key: drop the "?" too
  return out;
}

}  // namespace frontend
