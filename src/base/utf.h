// Text conversions between the front end's UTF-8 and the engine's UTF-16, and the ASCII-only
// case folding that stream and sheet names use.
#pragma once

#include <string>
#include <string_view>

namespace base {

// Invalid UTF-8 sequences become U+FFFD, one per offending byte.
std::u16string Utf8ToUtf16(std::string_view AText);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view AText);

constexpr char16_t AsciiUpper(char16_t AChar) noexcept {
  return AChar >= u'a' && AChar <= u'z' ? static_cast<char16_t>(AChar - u'a' + u'A') : AChar;
}

// Equal length and equal characters after folding a-z to A-Z; no other case folding.
bool AsciiCaseEqual(std::u16string_view A, std::u16string_view B) noexcept;

}  // namespace base
