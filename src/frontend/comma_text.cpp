#include "frontend/comma_text.h"

namespace frontend {

namespace {

bool IsBlank(char AChar) {
  auto code = static_cast<unsigned char>(AChar);
  return code >= 1 && code <= 32;
}

bool EndsUnquotedValue(char AChar) {
  return AChar == ',' || static_cast<unsigned char>(AChar) <= 32;
}

}  // namespace

std::vector<std::string> SplitCommaText(std::string_view AText) {
  AText = AText.substr(0, AText.find('\0'));
  std::vector<std::string> values;
  std::size_t i = 0;
  const std::size_t n = AText.size();
  auto skipBlanks = [&] {
    while (i < n && IsBlank(AText[i])) ++i;
  };
  skipBlanks();
  while (i < n) {
    std::string value;
    if (AText[i] == '"') {
      ++i;
      while (i < n) {
        if (AText[i] == '"') {
          if (i + 1 < n && AText[i + 1] == '"') {
            value += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        value += AText[i++];
      }
    } else {
      std::size_t start = i;
      while (i < n && !EndsUnquotedValue(AText[i])) ++i;
      value.assign(AText.substr(start, i - start));
    }
    values.push_back(std::move(value));
    skipBlanks();
    if (i < n && AText[i] == ',') {
      if (i + 1 == n) values.emplace_back();
      ++i;
      skipBlanks();
    }
  }
  return values;
}

}  // namespace frontend
