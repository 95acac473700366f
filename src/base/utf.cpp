#include "base/utf.h"

#include <cstdint>

namespace base {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& AOut, char32_t ACode) {
  if (ACode < 0x10000) {
    AOut += static_cast<char16_t>(ACode);
  } else {
    ACode -= 0x10000;
    AOut += static_cast<char16_t>(0xD800 + (ACode >> 10));
    AOut += static_cast<char16_t>(0xDC00 + (ACode & 0x3FF));
  }
}

void AppendUtf8(std::string& AOut, char32_t ACode) {
  if (ACode < 0x80) {
    AOut += static_cast<char>(ACode);
  } else if (ACode < 0x800) {
    AOut += static_cast<char>(0xC0 | (ACode >> 6));
    AOut += static_cast<char>(0x80 | (ACode & 0x3F));
  } else if (ACode < 0x10000) {
    AOut += static_cast<char>(0xE0 | (ACode >> 12));
    AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
    AOut += static_cast<char>(0x80 | (ACode & 0x3F));
  } else {
    AOut += static_cast<char>(0xF0 | (ACode >> 18));
    AOut += static_cast<char>(0x80 | ((ACode >> 12) & 0x3F));
    AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
    AOut += static_cast<char>(0x80 | (ACode & 0x3F));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view AText) {
  std::u16string out;
  out.reserve(AText.size());
  std::size_t i = 0;
  const std::size_t n = AText.size();
  while (i < n) {
    auto b0 = static_cast<std::uint8_t>(AText[i]);
    if (b0 < 0x80) {
      out += static_cast<char16_t>(b0);
      ++i;
      continue;
    }
    std::size_t length = b0 >= 0xF0 && b0 <= 0xF4 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 && b0 < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > n) {
      out += kReplacement;
      ++i;
      continue;
    }
    char32_t code = length == 2 ? (b0 & 0x1F) : length == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    bool valid = true;
    for (std::size_t k = 1; k < length; ++k) {
      auto b = static_cast<std::uint8_t>(AText[i + k]);
      if ((b & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      code = (code << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (valid && ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
                  (length == 4 && (code < 0x10000 || code > 0x10FFFF))))
      valid = false;
    if (!valid) {
      out += kReplacement;
      ++i;
      continue;
    }
    AppendCodePoint(out, code);
    i += length;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view AText) {
  std::string out;
  out.reserve(AText.size());
  for (std::size_t i = 0; i < AText.size(); ++i) {
    char32_t c = AText[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < AText.size() && AText[i + 1] >= 0xDC00 &&
        AText[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (AText[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

bool AsciiCaseEqual(std::u16string_view A, std::u16string_view B) noexcept {
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < A.size(); ++i)
    if (AsciiUpper(A[i]) != AsciiUpper(B[i])) return false;
  return true;
}

}  // namespace base
