#include "base/messages.h"

#include <array>
#include <charconv>

#include "base/utf.h"

namespace base {

namespace {

constexpr std::string_view kMessageTexts[] = {
#define MSG(name, text) text,
#include "base/messages.def"
#undef MSG
};

void AppendInteger(std::string& AOut, std::int64_t AValue, int ABase, std::size_t AWidth) {
  std::array<char, 24> digits{};
  bool negative = AValue < 0 && ABase == 10;
  // Hexadecimal shows the value's bits, as a 32-bit value when it fits.
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(AValue)
                                     : static_cast<std::uint64_t>(AValue);
  if (ABase == 16 && AValue < 0 && AValue >= INT32_MIN)
    magnitude = static_cast<std::uint32_t>(AValue);
  auto [end, ec] = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude, ABase);
  // Hexadecimal digits are upper case, as the system's messages have always shown them.
  for (char* p = digits.data(); p != end; ++p)
    if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
  std::string_view text(digits.data(), static_cast<std::size_t>(end - digits.data()));
  std::size_t length = text.size() + (negative ? 1 : 0);
  if (negative) AOut += '-';
  // A width pads with zeros for hexadecimal (as in "0x%2x") and spaces otherwise.
  if (AWidth > length) AOut.append(AWidth - length, ABase == 16 ? '0' : ' ');
  AOut += text;
}

}  // namespace

TFormatArg::TFormatArg(std::u16string_view AText) : FValue(Utf16ToUtf8(AText)) {}

std::string_view MessageFormat(TMessage AMessage) noexcept {
  return kMessageTexts[static_cast<std::size_t>(AMessage)];
}

std::string FormatText(std::string_view AFormat, std::initializer_list<TFormatArg> AArgs) {
  std::string out;
  out.reserve(AFormat.size() + 16);
  auto arg = AArgs.begin();
  for (std::size_t i = 0; i < AFormat.size(); ++i) {
    char c = AFormat[i];
    if (c != '%' || i + 1 >= AFormat.size()) {
      out += c;
      continue;
    }
    if (AFormat[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    std::size_t width = 0;
    while (j < AFormat.size() && AFormat[j] >= '0' && AFormat[j] <= '9')
      width = width * 10 + static_cast<std::size_t>(AFormat[j++] - '0');
    if (j >= AFormat.size() || (AFormat[j] != 'd' && AFormat[j] != 's' && AFormat[j] != 'x') ||
        arg == AArgs.end()) {
      out += c;
      continue;
    }
    char kind = AFormat[j];
    const auto& value = arg->Value();
    ++arg;
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
      if (kind == 's')
        AppendInteger(out, *number, 10, 0);
      else
        AppendInteger(out, *number, kind == 'x' ? 16 : 10, width);
    } else {
      out += std::get<std::string>(value);
    }
    i = j;
  }
  return out;
}

}  // namespace base
