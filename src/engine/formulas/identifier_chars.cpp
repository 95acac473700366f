#include "engine/formulas/identifier_chars.h"

#include <algorithm>
#include <array>

namespace engine::formulas {

namespace {

struct TCharRange {
  char16_t First;
  char16_t Last;
};

// Letter blocks of the basic plane, in order: Latin-1 letters, Latin extended, IPA and
// modifier letters, Greek, Cyrillic, Armenian, Hebrew, Arabic, Devanagari, Thai, Georgian,
// Hangul jamo, Latin and Greek extended, kana, bopomofo, CJK ideographs, Hangul syllables,
// compatibility ideographs, full-width and half-width forms.
constexpr std::array<TCharRange, 36> kLetterRanges = {{
    {u'A', u'Z'},     {u'a', u'z'},     {0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00BA, 0x00BA},
    {0x00C0, 0x00D6}, {0x00D8, 0x00F6}, {0x00F8, 0x02C1}, {0x02C6, 0x02D1}, {0x0370, 0x0374},
    {0x0376, 0x037D}, {0x0386, 0x0386}, {0x0388, 0x03F5}, {0x03F7, 0x0481}, {0x048A, 0x052F},
    {0x0531, 0x0556}, {0x0561, 0x0587}, {0x05D0, 0x05EA}, {0x0620, 0x064A}, {0x0671, 0x06D3},
    {0x0904, 0x0939}, {0x0E01, 0x0E30}, {0x10A0, 0x10FF}, {0x1100, 0x11FF}, {0x1E00, 0x1FBC},
    {0x3041, 0x3096}, {0x30A1, 0x30FA}, {0x3105, 0x312F}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
    {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFF21, 0xFF3A}, {0xFF41, 0xFF5A}, {0xFF66, 0xFF9F},
    {0xFFA0, 0xFFDC},
}};

constexpr bool Ordered() {
  for (std::size_t i = 1; i < kLetterRanges.size(); ++i)
    if (kLetterRanges[i].First <= kLetterRanges[i - 1].Last) return false;
  return true;
}
static_assert(Ordered());

}  // namespace

bool IsFormulaLetter(char16_t AChar) noexcept {
  auto range = std::upper_bound(
      kLetterRanges.begin(), kLetterRanges.end(), AChar,
      [](char16_t AValue, const TCharRange& ARange) { return AValue < ARange.First; });
  return range != kLetterRanges.begin() && AChar <= (range - 1)->Last;
}

}  // namespace engine::formulas
