// What the formula fuzz targets share: the workbook their formulas live in and the invariant
// every encodable text must keep.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "../support/formula_test_workbook.h"
#include "base/exception.h"
#include "base/hex.h"
#include "engine/formulas/formula_decoder.h"
#include "engine/formulas/formula_parser.h"

namespace formula_fuzz {

using testing_support::TFormulaTestWorkbook;

// Sheets with plain, spaced and quoted names; a reference table with ranges, a deleted sheet
// and another workbook; names; an array formula, a table and an array formula that points at
// another array.
inline TFormulaTestWorkbook Workbook() {
  TFormulaTestWorkbook workbook;
  workbook.Sheets = {u"Sheet1", u"Sheet2", u"My Sheet", u"It's"};
  workbook.Entries = {
      {0, 0, {}, {}},
      {1, 3, {}, {}},
      {TFormulaTestWorkbook::kDeletedSheet, TFormulaTestWorkbook::kDeletedSheet, {}, {}},
      {0, 0, u"[Book.xls]Data", {u"EXTFN"}}};
  workbook.Names = {{u"Total", -1}, {u"Rate", 0}, {u"Rate", 1}};
  workbook.Arrays[{0, 0}] =
      base::ParseHex("00 00 01 00 00 01 00 00 00 00 00 00 05 00 24 00 00 00 C0");
  workbook.Arrays[{1, 1}] =
      base::ParseHex("00 00 00 00 00 00 00 00 00 00 00 00 05 00 01 01 00 01 00");
  workbook.Tables[{2, 2}] = base::ParseHex("02 00 04 00 02 04 08 00 00 00 00 00 01 00 02 00");
  return workbook;
}

// The messages an encoding may end with. "Formula can't be evaluated" and "Tabrix: Logical
// Error" are left out: the encoder's own tokens always decode.
inline bool IsEncoderMessage(const std::string& AMessage) {
  using base::TMessage;
  static constexpr TMessage kMessages[] = {
      TMessage::FormulaMustStartWithEquals,
      TMessage::UnexpectedEndOfFormula,
      TMessage::UnexpectedChar,
      TMessage::UnterminatedString,
      TMessage::InvalidStringRecord,
      TMessage::MissingClosingParentheses,
      TMessage::FormulaTooLong,
      TMessage::UnexpectedIdentifier,
      TMessage::FunctionNotFound,
      TMessage::InvalidNumberOfParameters,
      TMessage::InvalidSheet,
      TMessage::ExternalNamesNotSupported,
      TMessage::ArrayFormulasNotSupported,
      TMessage::InvalidNumber,
  };
  for (TMessage message : kMessages) {
    std::string_view format = base::MessageFormat(message);
    std::size_t first = format.find('%');
    if (first == std::string_view::npos) {
      if (AMessage == format) return true;
      continue;
    }
    std::size_t last = format.rfind('%');
    std::string_view suffix = format.substr(last + 2);  // behind the last "%s" or "%d"
    if (AMessage.size() >= first + suffix.size() &&
        AMessage.compare(0, first, format.substr(0, first)) == 0 &&
        AMessage.compare(AMessage.size() - suffix.size(), suffix.size(), suffix) == 0)
      return true;
  }
  return false;
}

inline std::vector<std::uint8_t> Encode(const std::u16string& AText,
                                        TFormulaTestWorkbook& AWorkbook) {
  engine::formulas::TParseString parser(AText, AWorkbook, engine::formulas::TFmReturnType::fmValue);
  parser.Parse();
  auto tokens = parser.ParsedData();
  return {tokens.begin(), tokens.end()};
}

inline std::u16string Decode(const std::vector<std::uint8_t>& ATokens,
                             const TFormulaTestWorkbook& AWorkbook) {
  std::vector<std::uint8_t> counted = {static_cast<std::uint8_t>(ATokens.size()),
                                       static_cast<std::uint8_t>(ATokens.size() >> 8)};
  counted.insert(counted.end(), ATokens.begin(), ATokens.end());
  return engine::formulas::DecodeFormula(counted, 2, AWorkbook);
}

// Whether a ":" of the text follows a number rather than a reference: the tokens of =1.:7
// print as =1:7, which reads as whole rows the next time, so such a text need not read back
// the same.
inline bool HasRangeAfterNumber(std::u16string_view AText) {
  auto inNumber = [](char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'E' || c == u'+' || c == u'-';
  };
  auto inReference = [](char16_t c) { return (c >= u'A' && c <= u'Z') || c == u'$'; };
  for (std::size_t colon = AText.find(u':'); colon != std::u16string_view::npos;
       colon = AText.find(u':', colon + 1)) {
    std::size_t start = colon;
    while (start > 0 && inNumber(AText[start - 1])) --start;
    if (start < colon && (start == 0 || !inReference(AText[start - 1]))) return true;
  }
  return false;
}

// A text either encodes or raises an encoder message. When it encodes, its tokens decode, and
// the decoded text encodes to tokens that decode to that text again. Returns whether the text
// encoded.
inline bool CheckEncoding(const std::u16string& AText, TFormulaTestWorkbook& AWorkbook) {
  std::vector<std::uint8_t> tokens;
  try {
    tokens = Encode(AText, AWorkbook);
  } catch (const base::Exception& e) {
    if (!IsEncoderMessage(e.Message())) std::abort();
    return false;
  }
  const std::u16string decoded = Decode(tokens, AWorkbook);
  // Quotes and full areas may make a decoded text outgrow the length limit.
  if (decoded.size() > 1023 || HasRangeAfterNumber(decoded)) return true;
  if (Decode(Encode(decoded, AWorkbook), AWorkbook) != decoded) std::abort();
  return true;
}

}  // namespace formula_fuzz
