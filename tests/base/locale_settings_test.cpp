#include "base/locale_settings.h"

#include <gtest/gtest.h>

#include <climits>

#include "base/utf.h"

namespace {

using base::TPosixLocaleFacts;
using base::TXlsLocaleSettings;

TPosixLocaleFacts Facts(std::string ADecimal, std::string AThousands, std::string ACurrency,
                        char APrecedes, char ASpace, char ANegPrecedes, char ANegSpace,
                        char ASignPosn, std::string ADate, std::string ATime) {
  TPosixLocaleFacts facts;
  facts.DecimalPoint = std::move(ADecimal);
  facts.ThousandsSep = std::move(AThousands);
  facts.CurrencySymbol = std::move(ACurrency);
  facts.FracDigits = 2;
  facts.PCsPrecedes = APrecedes;
  facts.PSepBySpace = ASpace;
  facts.NCsPrecedes = ANegPrecedes;
  facts.NSepBySpace = ANegSpace;
  facts.NSignPosn = ASignPosn;
  facts.DateFormat = std::move(ADate);
  facts.TimeFormat = std::move(ATime);
  facts.NumericIsC = facts.MonetaryIsC = facts.TimeIsC = false;
  return facts;
}

TXlsLocaleSettings Settings(char16_t ADecimal, char16_t AThousands, std::u16string ACurrency,
                            int AFormat, int ANegFormat, char16_t ADateSep, char16_t ATimeSep,
                            std::u16string ADate, std::u16string ATime) {
  return {ADecimal, AThousands, std::move(ACurrency), AFormat,         2, ANegFormat,
          ADateSep, ATimeSep,   std::move(ADate),     std::move(ATime)};
}

TEST(LocaleSettings, FollowWhatThePosixLocaleSays) {
  struct TCase {
    const char* Locale;
    TPosixLocaleFacts Facts;
    TXlsLocaleSettings Expected;
  };
  const TCase cases[] = {
      {"en_US", Facts(".", ",", "$", 1, 0, 1, 0, 1, "%m/%d/%Y", "%r"),
       Settings(u'.', u',', u"$", 0, 1, u'/', u':', u"MM/dd/yyyy", u"hh:mm AMPM")},
      {"de_DE", Facts(",", ".", "\u20AC", 0, 1, 0, 1, 1, "%d.%m.%Y", "%T"),
       Settings(u',', u'.', u"\u20AC", 3, 8, u'.', u':', u"dd.MM.yyyy", u"HH:mm")},
      {"fr_FR", Facts(",", "\u202F", "\u20AC", 0, 1, 0, 1, 1, "%d/%m/%Y", "%T"),
       Settings(u',', u'\u202F', u"\u20AC", 3, 8, u'/', u':', u"dd/MM/yyyy", u"HH:mm")},
      {"de_CH", Facts(".", "\u2019", "CHF", 1, 1, 1, 1, 4, "%d.%m.%Y", "%T"),
       Settings(u'.', u'\u2019', u"CHF", 2, 12, u'.', u':', u"dd.MM.yyyy", u"HH:mm")},
      {"ja_JP",
       Facts(".", ",", "\uFFE5", 1, 0, 1, 0, 4, "%Y\u5E74%m\u6708%d\u65E5",
             "%H\u6642%M\u5206%S\u79D2"),
       Settings(u'.', u',', u"\uFFE5", 0, 2, u'\u5E74', u'\u6642', u"yyyy\u5E74MM\u6708dd\u65E5",
                u"HH\u6642mm")},
      {"en_GB, parentheses", Facts(".", ",", "\u00A3", 1, 0, 1, 0, 0, "%d/%m/%y", "%l.%M %P"),
       Settings(u'.', u',', u"\u00A3", 0, 0, u'/', u'.', u"dd/MM/yy", u"h.mm AMPM")},
      {"letters in a date are quoted",
       Facts(".", ",", "kr", 0, 1, 0, 1, 2, "%d. %b %Y r.", "%H:%M"),
       Settings(u'.', u',', u"kr", 3, 10, u'.', u':', u"dd. MMM yyyy\" r.\"", u"HH:mm")},
  };
  for (const auto& c : cases)
    EXPECT_EQ(base::LocaleSettingsFromPosix(c.Facts), c.Expected) << c.Locale;
}

TEST(LocaleSettings, FallBackToEnUsWhereTheLocaleSaysNothing) {
  const TXlsLocaleSettings enUs;
  TPosixLocaleFacts c = base::ReadPosixLocaleFacts("C");
  EXPECT_TRUE(c.NumericIsC && c.MonetaryIsC && c.TimeIsC);
  EXPECT_EQ(base::LocaleSettingsFromPosix(c), enUs);
  EXPECT_TRUE(base::ReadPosixLocaleFacts("xx_NOWHERE.UTF-8").TimeIsC);  // not installed: C

  // Empty or overlong separators, no currency symbol and unset numbers keep the en-US values.
  TPosixLocaleFacts sparse =
      Facts("", "ab", "", CHAR_MAX, CHAR_MAX, CHAR_MAX, 0, CHAR_MAX, "%Y", "%S");
  sparse.FracDigits = CHAR_MAX;
  TXlsLocaleSettings expected = enUs;
  expected.ShortDateFormat = u"yyyy";
  EXPECT_EQ(base::LocaleSettingsFromPosix(sparse), expected);

  const TXlsLocaleSettings& user = base::UserLocaleSettings();
  EXPECT_EQ(&user, &base::UserLocaleSettings());
  EXPECT_EQ(user, base::LocaleSettingsFromPosix(base::ReadPosixLocaleFacts("")));
}

}  // namespace
