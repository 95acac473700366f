#include "engine/records/builtin_formats.h"

#include <algorithm>

namespace engine::records {

namespace {

struct TBuiltIn {
  int Id;
  std::u16string_view Text;
};

constexpr TBuiltIn kTexts[] = {
    {1, u"0"},
    {2, u"0.00"},
    {3, u"#,##0"},
    {4, u"#,##0.00"},
    {9, u"0%"},
    {10, u"0.00%"},
    {11, u"0.00E+00"},
    {12, u"?/?"},
    {13, u"# ?\?/??"},  // "?\?" keeps the compiler from reading a trigraph
    {14, u"mm/dd/YYYY"},
    {15, u"DD-MMM-YY"},
    {16, u"DD-MMM"},
    {17, u"MMM-YY"},
    {18, u"h:mm AM/PM"},
    {19, u"h:mm:ss AM/PM"},
    {20, u"hh:mm"},
    {21, u"hh:mm:ss"},
    {22, u"mm/dd/YYYY hh:mm"},
    {37, u"#,##0 _$;-#,##0 _$"},
    {38, u"#,##0 _$;[Red]-#,##0 _$"},
    {39, u"#,##0.00 _$;-#,##0.00 _$"},
    {40, u"#,##0.00 _$;[Red]-#,##0.00 _$"},
    {45, u"mm:ss"},
    {46, u"[h]:mm:ss"},
    {47, u"mm:ss,0"},
    {48, u"##0.0E+0"},
    {49, u"@"},
};

// The short date in the locale's order: the first y, m or d (either case) of its pattern
// decides; a pattern without one keeps the table's text.
std::u16string LocaleDate(const base::TXlsLocaleSettings& ASettings) {
  const std::u16string& pattern = ASettings.ShortDateFormat;
  auto first = std::find_if(pattern.begin(), pattern.end(), [](char16_t c) {
    c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    return c == u'y' || c == u'm' || c == u'd';
  });
  if (first == pattern.end()) return {};
  std::u16string separator(1, ASettings.DateSeparator);
  switch (*first) {
    case u'y':
    case u'Y':
      return u"YYYY" + separator + u"mm" + separator + u"dd";
    case u'm':
    case u'M':
      return u"mm" + separator + u"dd" + separator + u"YYYY";
    default:
      return u"dd" + separator + u"mm" + separator + u"YYYY";
  }
}

}  // namespace

TBuiltInFormats::TBuiltInFormats(const base::TXlsLocaleSettings& ASettings) {
  for (const TBuiltIn& text : kTexts) FTexts[static_cast<std::size_t>(text.Id)] = text.Text;
  if (std::u16string date = LocaleDate(ASettings); !date.empty()) {
    FTexts[14] = date;
    FTexts[22] = date + u" hh" + ASettings.TimeSeparator + u"mm";
  }
}

int TBuiltInFormats::Find(std::u16string_view AText) const noexcept {
  for (int id = 0; id < kCount; ++id)
    if (FTexts[static_cast<std::size_t>(id)] == AText) return id;
  return -1;
}

}  // namespace engine::records
