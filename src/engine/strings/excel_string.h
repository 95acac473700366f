// TExcelString: one BIFF8 string (the format's Unicode string), used in the shared string
// table, cell records, sheet names, header and footer texts, font names and number formats.
//
//   part             size             present  content
//   character count  1 or 2           always   number of characters (the record kind decides)
//   option byte      1                always   bit 0 16-bit characters (else each byte is the low
//                                              byte of a character below 256); bit 2 far-east
//                                              data follows; bit 3 rich-text runs follow
//   run count        2                bit 3
//   far-east size    4                bit 2
//   characters       count x 1 or x 2 always
//   runs             run count x 4    bit 3    first character (2), font index (2)
//   far-east data    far-east size    bit 2    kept as bytes
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/biff/record_reader.h"

namespace engine::strings {

inline constexpr std::uint8_t kStringWide = 0x01;
inline constexpr std::uint8_t kStringFarEast = 0x04;
inline constexpr std::uint8_t kStringRichText = 0x08;

struct TRTFRun {
  std::uint16_t FirstChar = 0;
  std::uint16_t FontIndex = 0;
  bool operator==(const TRTFRun&) const = default;
};
using TRTFRunList = std::vector<TRTFRun>;

struct TRichString {
  std::u16string Value;
  TRTFRunList RTFRuns;
  bool operator==(const TRichString&) const = default;
};

class TExcelString {
 public:
  // Reads a string at the cursor, which may run on into CONTINUE records (each piece of
  // characters there starts with an option byte of its own); the cursor ends past the string.
  TExcelString(int AStrLenLength, biff::TRecordCursor& ACursor);
  // A string of AText: 16-bit when AForceWide or when a character is above 255, else 8-bit.
  // Raises "Invalid String record" for a text longer than the character count can say.
  TExcelString(int AStrLenLength, std::u16string_view AText, bool AForceWide);

  int StrLenLength() const noexcept { return FStrLenLength; }
  std::uint16_t StrLen() const noexcept { return FStrLen; }
  std::uint8_t OptionFlags() const noexcept { return FOptionFlags; }
  std::uint16_t NumberRichTextFormats() const noexcept { return FNumberRichTextFormats; }
  std::uint32_t FarEastDataSize() const noexcept {
    return static_cast<std::uint32_t>(FFarEastData.size());
  }

  std::u16string Value() const;
  TRTFRunList RTFRuns() const;
  int GetCharSize() const noexcept { return FOptionFlags & kStringWide ? 2 : 1; }
  bool HasRichText() const noexcept { return FOptionFlags & kStringRichText; }
  bool HasFarInfo() const noexcept { return FOptionFlags & kStringFarEast; }

  // Bytes the string takes written with its character count.
  std::int64_t TotalSize() const noexcept;
  // Writes the string into ADestination at APos (with or without the character count).
  void CopyToPtr(std::span<std::uint8_t> ADestination, std::size_t APos,
                 bool AIncludeLen = true) const;
  // By count size, then option byte, then text: 8-bit texts by length and then byte by byte,
  // 16-bit texts ordinally. Negative, 0 or positive.
  int Compare(const TExcelString& AOther) const noexcept;

 private:
  std::uint8_t FStrLenLength;
  std::uint16_t FStrLen = 0;
  std::uint8_t FOptionFlags = 0;
  std::u16string FWideData;  // the text when 16-bit
  std::string FShortData;    // the text when 8-bit, one byte per character
  std::uint16_t FNumberRichTextFormats = 0;
  std::vector<std::uint8_t> FRichTextFormats;
  std::vector<std::uint8_t> FFarEastData;
};

}  // namespace engine::strings
