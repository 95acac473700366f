// The regional settings the workbook engine types values and derives number formats with:
// separators, currency and the short date and time patterns. They come from the user's POSIX
// locale, read once per process; where the locale says nothing (the C locale has no currency
// symbol, no thousands separator and no real date pattern) the en-US values stand in. Engine
// code takes the settings as a parameter, so tests pass explicit ones.
#pragma once

#include <string>

namespace base {

struct TXlsLocaleSettings {
  char16_t DecimalSeparator = u'.';
  char16_t ThousandSeparator = u',';
  std::u16string CurrencyString = u"$";
  // Position of the symbol in a positive amount: 0 before, 1 after, 2 before with a blank,
  // 3 after with a blank.
  int CurrencyFormat = 0;
  int CurrencyDecimals = 2;
  // Pattern of a negative amount, 0..15: 0 ($1), 1 -$1, 2 $-1, 3 $1-, 4 (1$), 5 -1$, 6 1-$,
  // 7 1$-, 8 -1 $, 9 -$ 1, 10 1 $-, 11 $ 1-, 12 $ -1, 13 1- $, 14 ($ 1), 15 (1 $).
  int NegCurrFormat = 0;
  char16_t DateSeparator = u'/';
  char16_t TimeSeparator = u':';
  // In the workbook's number-format notation; the time pattern writes its day-half as "AMPM".
  std::u16string ShortDateFormat = u"M/d/yyyy";
  std::u16string ShortTimeFormat = u"h:mm AMPM";

  bool operator==(const TXlsLocaleSettings&) const = default;
};

// What a POSIX locale says, as localeconv() and nl_langinfo() give it (UTF-8 texts, the
// monetary numbers as chars with CHAR_MAX for "not given"), and whether each category is the
// C/POSIX locale, whose values are placeholders rather than a region's conventions.
struct TPosixLocaleFacts {
  std::string DecimalPoint;
  std::string ThousandsSep;
  std::string CurrencySymbol;
  char FracDigits = 0;
  char PCsPrecedes = 0;
  char PSepBySpace = 0;
  char NCsPrecedes = 0;
  char NSepBySpace = 0;
  char NSignPosn = 0;
  std::string DateFormat;  // D_FMT, e.g. "%d.%m.%Y"
  std::string TimeFormat;  // T_FMT, e.g. "%H:%M:%S"
  bool NumericIsC = true;
  bool MonetaryIsC = true;
  bool TimeIsC = true;
};

// The facts of the named locale; "" names the one the environment selects (LANG, LC_*). A
// locale that is not installed reads as the C locale.
TPosixLocaleFacts ReadPosixLocaleFacts(const char* ALocaleName);

// The settings those facts give, with en-US values where they give none.
TXlsLocaleSettings LocaleSettingsFromPosix(const TPosixLocaleFacts& AFacts);

// The user's settings: read from the environment's locale on first use and kept unchanged for
// the life of the process.
const TXlsLocaleSettings& UserLocaleSettings();

}  // namespace base
