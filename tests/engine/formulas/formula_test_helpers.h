// Encoding and decoding shortcuts for the formula tests: texts are UTF-8 here, tokens hex.
#pragma once

#include <string>
#include <vector>

#include "base/exception.h"
#include "base/hex.h"
#include "base/utf.h"
#include "engine/formulas/formula_decoder.h"
#include "engine/formulas/formula_parser.h"
#include "support/formula_test_workbook.h"

namespace formula_tests {

using testing_support::TFormulaTestWorkbook;

inline std::vector<std::uint8_t> EncodeTokens(
    const std::string& AText, TFormulaTestWorkbook& AWorkbook,
    engine::formulas::TFmReturnType AClass = engine::formulas::TFmReturnType::fmValue) {
  engine::formulas::TParseString parser(base::Utf8ToUtf16(AText), AWorkbook, AClass);
  parser.Parse();
  auto tokens = parser.ParsedData();
  return {tokens.begin(), tokens.end()};
}

// The tokens in hex, or the message of the error the text raises.
inline std::string EncodeOrMessage(const std::string& AText, TFormulaTestWorkbook& AWorkbook) {
  try {
    return base::ToHex(EncodeTokens(AText, AWorkbook));
  } catch (const base::Exception& e) {
    return e.Message();
  }
}

// Tokens with their 16-bit length in front, then AExtra.
inline std::vector<std::uint8_t> Counted(const std::vector<std::uint8_t>& ATokens,
                                         const std::vector<std::uint8_t>& AExtra = {}) {
  std::vector<std::uint8_t> data = {static_cast<std::uint8_t>(ATokens.size()),
                                    static_cast<std::uint8_t>(ATokens.size() >> 8)};
  data.insert(data.end(), ATokens.begin(), ATokens.end());
  data.insert(data.end(), AExtra.begin(), AExtra.end());
  return data;
}

inline std::string Decode(const std::vector<std::uint8_t>& ATokens,
                          const TFormulaTestWorkbook& AWorkbook,
                          const std::vector<std::uint8_t>& AExtra = {}) {
  return base::Utf16ToUtf8(engine::formulas::DecodeFormula(Counted(ATokens, AExtra), 2, AWorkbook));
}

inline std::string DecodeHex(const std::string& AHex, const TFormulaTestWorkbook& AWorkbook,
                             const std::string& AExtraHex = "") {
  return Decode(base::ParseHex(AHex), AWorkbook, base::ParseHex(AExtraHex));
}

// The decoded text, or the message of the error decoding raises.
inline std::string DecodeOrMessage(const std::string& AHex, const TFormulaTestWorkbook& AWorkbook,
                                   const std::string& AExtraHex = "") {
  try {
    return DecodeHex(AHex, AWorkbook, AExtraHex);
  } catch (const base::Exception& e) {
    return e.Message();
  }
}

}  // namespace formula_tests
