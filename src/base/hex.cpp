#include "base/hex.h"

namespace base {

namespace {

int HexDigit(char AChar) {
  if (AChar >= '0' && AChar <= '9') return AChar - '0';
  if (AChar >= 'A' && AChar <= 'F') return AChar - 'A' + 10;
  if (AChar >= 'a' && AChar <= 'f') return AChar - 'a' + 10;
  return -1;
}

}  // namespace

std::vector<std::uint8_t> ParseHex(std::string_view AText) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(AText.size() / 3 + 1);
  int high = -1;
  for (char c : AText) {
    int digit = HexDigit(c);
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
      high = -1;
    }
  }
  return bytes;
}

std::string ToHex(std::span<const std::uint8_t> ABytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(ABytes.size() * 3);
  for (std::size_t i = 0; i < ABytes.size(); ++i) {
    if (i > 0) text += ' ';
    text += kDigits[ABytes[i] >> 4];
    text += kDigits[ABytes[i] & 0x0F];
  }
  return text;
}

}  // namespace base
