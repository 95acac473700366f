// Formula decoding: a stored token array back to the formula text, beginning with "=".
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/formulas/formula_context.h"

namespace engine::formulas {

// Decodes the tokens that start at AFirstToken of AData; their 16-bit length stands in the two
// bytes before them, and extra data (array constants, ptgMemArea rectangles) follows them up
// to the end of AData. Raises "Error reading formula, Token Id: 0x%2x is not supported" for a
// token it does not know, "String Stack is empty" when a token lacks operands, the index error
// for a function number beyond the table, and "Error reading Excel records. File invalid" when
// the bytes end inside a token.
std::u16string DecodeFormula(std::span<const std::uint8_t> AData, std::size_t AFirstToken,
                             const IFormulaContext& ACellList);

// "A" .. "IV" for the 0-based columns 0..255.
std::u16string ColumnLetters(int AColumn);

// The general form with 15 significant digits and "." as decimal separator ("1.5", "1E+20").
std::u16string NumberText(double AValue);

}  // namespace engine::formulas
