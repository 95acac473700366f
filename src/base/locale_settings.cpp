#include "base/locale_settings.h"

#include <langinfo.h>
#include <locale.h>

#include <climits>
#include <string_view>
#include <vector>

#include "base/utf.h"

namespace base {

namespace {

// One piece of a strftime pattern: a conversion letter (with % and modifiers removed) or a run
// of literal text.
struct TPatternPiece {
  char Conversion = 0;
  std::string Literal;
};

std::string_view ExpansionOf(char AConversion) {
  switch (AConversion) {
    case 'D':
      return "%m/%d/%y";
    case 'F':
      return "%Y-%m-%d";
    case 'T':
      return "%H:%M:%S";
    case 'R':
      return "%H:%M";
    case 'r':
      return "%I:%M:%S %p";
    default:
      return {};
  }
}

// Splits a strftime pattern into pieces, expanding the composite conversions once (their
// expansions hold no composites) and dropping flags, widths and the E/O modifiers.
std::vector<TPatternPiece> SplitPattern(std::string_view APattern, bool AExpand = true) {
  std::vector<TPatternPiece> pieces;
  auto literal = [&](char c) {
    if (pieces.empty() || pieces.back().Conversion != 0) pieces.push_back({});
    pieces.back().Literal += c;
  };
  for (std::size_t i = 0; i < APattern.size(); ++i) {
    if (APattern[i] != '%') {
      literal(APattern[i]);
      continue;
    }
    std::size_t j = i + 1;
    while (j < APattern.size() &&
           std::string_view("_-0^#EO123456789").find(APattern[j]) != std::string_view::npos)
      ++j;
    if (j >= APattern.size()) break;
    char conversion = APattern[j];
    i = j;
    if (conversion == '%') {
      literal('%');
    } else if (conversion == 'n' || conversion == 't') {
      literal(' ');
    } else if (std::string_view expansion = ExpansionOf(conversion);
               AExpand && !expansion.empty()) {
      for (auto& piece : SplitPattern(expansion, false)) {
        if (piece.Conversion == 0 && !pieces.empty() && pieces.back().Conversion == 0)
          pieces.back().Literal += piece.Literal;
        else
          pieces.push_back(std::move(piece));
      }
    } else {
      pieces.push_back({conversion, {}});
    }
  }
  return pieces;
}

// A single UTF-16 character from a locale text, or AFallback when the text is empty or longer.
char16_t SingleChar(std::string_view AText, char16_t AFallback) {
  std::u16string text = Utf8ToUtf16(AText);
  return text.size() == 1 ? text[0] : AFallback;
}

// The first character of the literal between the first two conversions, or 0.
char16_t SeparatorAfterFirstConversion(const std::vector<TPatternPiece>& APieces) {
  for (std::size_t i = 0; i + 2 < APieces.size(); ++i)
    if (APieces[i].Conversion != 0) {
      if (APieces[i + 1].Conversion == 0 && APieces[i + 2].Conversion != 0) {
        std::u16string text = Utf8ToUtf16(APieces[i + 1].Literal);
        if (!text.empty()) return text[0];
      }
      return 0;
    }
  return 0;
}

// Literal text of a number format: Latin letters would read as format codes, so a literal that
// holds any is quoted.
std::u16string FormatLiteral(std::string_view AText) {
  std::u16string text = Utf8ToUtf16(AText);
  for (char16_t c : text)
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return u"\"" + text + u"\"";
  return text;
}

std::u16string_view DateCode(char AConversion) {
  switch (AConversion) {
    case 'd':
      return u"dd";
    case 'e':
      return u"d";
    case 'm':
      return u"MM";
    case 'y':
      return u"yy";
    case 'Y':
      return u"yyyy";
    case 'b':
    case 'h':
      return u"MMM";
    case 'B':
      return u"MMMM";
    case 'a':
      return u"ddd";
    case 'A':
      return u"dddd";
    default:
      return {};
  }
}

// Both converters change the settings only when the pattern holds what they need.
void ConvertDatePattern(std::string_view APattern, TXlsLocaleSettings& ASettings) {
  auto pieces = SplitPattern(APattern);
  std::u16string pattern;
  bool hasDatePart = false;
  for (const auto& piece : pieces) {
    if (piece.Conversion == 0) {
      pattern += FormatLiteral(piece.Literal);
    } else if (std::u16string_view code = DateCode(piece.Conversion); !code.empty()) {
      pattern += code;
      hasDatePart = true;
    }
  }
  if (!hasDatePart) return;
  ASettings.ShortDateFormat = pattern;
  if (char16_t separator = SeparatorAfterFirstConversion(pieces))
    ASettings.DateSeparator = separator;
}

void ConvertTimePattern(std::string_view APattern, TXlsLocaleSettings& ASettings) {
  auto pieces = SplitPattern(APattern);
  std::u16string_view hours;
  char16_t separator = 0;
  bool dayHalf = false;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    char c = pieces[i].Conversion;
    if (c == 'p' || c == 'P') dayHalf = true;
    if (!hours.empty() || (c != 'H' && c != 'k' && c != 'I' && c != 'l')) continue;
    hours = c == 'H' ? u"HH" : c == 'k' ? u"H" : c == 'I' ? u"hh" : u"h";
    if (i + 1 < pieces.size() && pieces[i + 1].Conversion == 0) {
      std::u16string text = Utf8ToUtf16(pieces[i + 1].Literal);
      if (!text.empty()) separator = text[0];
    }
  }
  if (hours.empty()) return;
  if (separator != 0) ASettings.TimeSeparator = separator;
  ASettings.ShortTimeFormat = std::u16string(hours) + ASettings.TimeSeparator + u"mm";
  if (dayHalf) ASettings.ShortTimeFormat += u" AMPM";
}

int CurrencyFormatOf(char APrecedes, char ASepBySpace, int AFallback) {
  if (APrecedes == CHAR_MAX || ASepBySpace == CHAR_MAX) return AFallback;
  bool before = APrecedes == 1;
  bool blank = ASepBySpace == 1;
  return before ? (blank ? 2 : 0) : (blank ? 3 : 1);
}

// The negative pattern from the position of the symbol, the blank and the sign's place
// (0 parentheses, 1 before everything, 2 after everything, 3 just before the symbol, 4 just
// after the symbol).
int NegCurrFormatOf(char APrecedes, char ASepBySpace, char ASignPosn, int AFallback) {
  if (APrecedes == CHAR_MAX || ASepBySpace == CHAR_MAX || ASignPosn == CHAR_MAX || ASignPosn < 0 ||
      ASignPosn > 4)
    return AFallback;
  static constexpr int kBefore[2][5] = {{0, 1, 3, 1, 2}, {14, 9, 11, 9, 12}};
  static constexpr int kAfter[2][5] = {{4, 5, 7, 6, 7}, {15, 8, 10, 13, 10}};
  int blank = ASepBySpace == 1 ? 1 : 0;
  return APrecedes == 1 ? kBefore[blank][static_cast<int>(ASignPosn)]
                        : kAfter[blank][static_cast<int>(ASignPosn)];
}

bool IsCLocaleName(std::string_view AName) {
  return AName.empty() || AName == "C" || AName == "POSIX" || AName.starts_with("C.");
}

}  // namespace

TPosixLocaleFacts ReadPosixLocaleFacts(const char* ALocaleName) {
  locale_t locale = newlocale(LC_ALL_MASK, ALocaleName, static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr))
    locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  TPosixLocaleFacts facts;
  locale_t previous = uselocale(locale);
  const lconv* conventions = localeconv();
  facts.DecimalPoint = conventions->decimal_point;
  facts.ThousandsSep = conventions->thousands_sep;
  facts.CurrencySymbol = conventions->currency_symbol;
  facts.FracDigits = conventions->frac_digits;
  facts.PCsPrecedes = conventions->p_cs_precedes;
  facts.PSepBySpace = conventions->p_sep_by_space;
  facts.NCsPrecedes = conventions->n_cs_precedes;
  facts.NSepBySpace = conventions->n_sep_by_space;
  facts.NSignPosn = conventions->n_sign_posn;
  facts.DateFormat = nl_langinfo_l(D_FMT, locale);
  facts.TimeFormat = nl_langinfo_l(T_FMT, locale);
  facts.NumericIsC = IsCLocaleName(nl_langinfo_l(_NL_LOCALE_NAME(LC_NUMERIC), locale));
  facts.MonetaryIsC = IsCLocaleName(nl_langinfo_l(_NL_LOCALE_NAME(LC_MONETARY), locale));
  facts.TimeIsC = IsCLocaleName(nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), locale));
  uselocale(previous);
  freelocale(locale);
  return facts;
}

TXlsLocaleSettings LocaleSettingsFromPosix(const TPosixLocaleFacts& AFacts) {
  TXlsLocaleSettings settings;
  if (!AFacts.NumericIsC) {
    settings.DecimalSeparator = SingleChar(AFacts.DecimalPoint, settings.DecimalSeparator);
    settings.ThousandSeparator = SingleChar(AFacts.ThousandsSep, settings.ThousandSeparator);
  }
  if (!AFacts.MonetaryIsC) {
    if (!AFacts.CurrencySymbol.empty())
      settings.CurrencyString = Utf8ToUtf16(AFacts.CurrencySymbol);
    if (AFacts.FracDigits >= 0 && AFacts.FracDigits != CHAR_MAX)
      settings.CurrencyDecimals = AFacts.FracDigits;
    settings.CurrencyFormat =
        CurrencyFormatOf(AFacts.PCsPrecedes, AFacts.PSepBySpace, settings.CurrencyFormat);
    settings.NegCurrFormat = NegCurrFormatOf(AFacts.NCsPrecedes, AFacts.NSepBySpace,
                                             AFacts.NSignPosn, settings.NegCurrFormat);
  }
  if (!AFacts.TimeIsC) {
    ConvertTimePattern(AFacts.TimeFormat, settings);
    ConvertDatePattern(AFacts.DateFormat, settings);
  }
  return settings;
}

const TXlsLocaleSettings& UserLocaleSettings() {
  static const TXlsLocaleSettings settings = LocaleSettingsFromPosix(ReadPosixLocaleFacts(""));
  return settings;
}

}  // namespace base
