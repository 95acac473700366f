// The characters of formula identifiers (function names, unquoted sheet names): letters of
// any script, digits, "_", "\", "." and ":".
#pragma once

namespace engine::formulas {

// ASCII and Latin-1 letters, and the letters of the other scripts of the basic plane.
bool IsFormulaLetter(char16_t AChar) noexcept;

inline bool IsIdentifierChar(char16_t AChar) noexcept {
  return IsFormulaLetter(AChar) || (AChar >= u'0' && AChar <= u'9') || AChar == u'_' ||
         AChar == u'\\' || AChar == u'.' || AChar == u':';
}

}  // namespace engine::formulas
