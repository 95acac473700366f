// The records that say how cells look: cell formats (XF), fonts (FONT), number formats
// (FORMAT), the colour palette (PALETTE) and cell styles (STYLE). They live in the workbook
// globals; the lists that hold them are in format_lists.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/biff/base_record.h"
#include "engine/biff/record_factory.h"
#include "engine/records/tabrix_format.h"

namespace engine::records {

class TFontRecordList;
class TFormatRecordList;

inline constexpr std::size_t kXFDataSize = 20;
using TXFBody = std::array<std::uint8_t, kXFDataSize>;

// The caller's colour index of an icv in a border or diagonal: icv - 7, or 1 for icv 0..7.
constexpr std::int32_t BorderColorFromIcv(std::uint8_t AIcv) noexcept {
  return AIcv > 7 ? AIcv - 7 : 1;
}

// XF (0x00E0), 20 bytes: one cell format.
//   off  size  bits       field
//   0    2                font index (4 is never used: 0-3, then 5, 6, ...)
//   2    2                number format id
//   4    2     0          locked
//               1          formula hidden
//               2          style XF (0 for a cell XF)
//               4..15      parent style XF
//   6    2     0..2       horizontal alignment
//               3          wrap text
//               4..6       vertical alignment
//               8..15      rotation
//   8    2     0..3       indent
//               4          shrink to fit
//               10..15     attributes this XF sets (0xFC00: all, in what the engine writes)
//   10   2     0..3/4..7/8..11/12..15  left/right/top/bottom line style
//   12   2     0..6/7..13 left/right line icv; 14..15 diagonals drawn
//   14   4     0..6/7..13 top/bottom line icv; 14..20 diagonal icv; 21..24 diagonal style;
//               26..31     fill pattern
//   18   2     0..6/7..13 pattern foreground/background icv
class TXFRecord final : public biff::TConcreteRecord<TXFRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;

  // The bytes of the XF for AFormat; its font and number format are found or added to the
  // lists on the way, so they exist even when the XF itself does already.
  static TXFBody EncodeFormat(const TTabrixFormat& AFormat, TFontRecordList& AFonts,
                              TFormatRecordList& AFormats);
  static std::unique_ptr<TXFRecord> CreateFromFormat(const TTabrixFormat& AFormat,
                                                     TFontRecordList& AFonts,
                                                     TFormatRecordList& AFormats);
  // The format this XF describes (looking its number format up may sort AFormats by id).
  TTabrixFormat TabrixFormat(const TFontRecordList& AFonts, TFormatRecordList& AFormats) const;

  std::uint16_t FontIndex() const { return GetWord(0); }
  std::uint16_t FormatIndex() const { return GetWord(2); }
  // The position in AFonts of this XF's font (see TFontRecordList::ActualFontIndex).
  std::size_t GetActualFontIndex(const TFontRecordList& AFonts) const;
  THTabrixAlignment HAlign() const;
  TVTabrixAlignment VAlign() const;
  std::uint8_t Rotation() const { return GetByte(7); }
  bool WrapText() const { return GetWord(6) & 0x0008; }
  TTabrixDiagonalBorder DiagonalStyle() const;
  // The BIFF8 fill pattern (0..63) and the pattern's icvs.
  std::uint8_t CellPattern() const { return static_cast<std::uint8_t>(GetCardinal(14) >> 26); }
  std::uint8_t CellFgColorIndex() const { return GetWord(18) & 0x7F; }
  std::uint8_t CellBgColorIndex() const { return (GetWord(18) >> 7) & 0x7F; }
  // A 4-bit line style or a 7-bit icv from the word (or, Ext, the 32-bit field) at APos,
  // starting at bit AFirstBit.
  std::uint8_t GetBorderStyle(std::size_t APos, int AFirstBit) const;
  std::uint8_t GetBorderColorIndex(std::size_t APos, int AFirstBit) const;
  std::uint8_t GetBorderStyleExt(std::size_t APos, int AFirstBit) const;
  std::uint8_t GetBorderColorIndexExt(std::size_t APos, int AFirstBit) const;

  struct TMisc {
    bool Locked = false;
    bool Hidden = false;
    std::int32_t Parent = 0;
    bool WrapText = false;
    bool ShrinkToFit = false;
    std::uint8_t Rotation = 0;
    std::uint8_t Indent = 0;
  };
  TMisc FillMisc() const;
  // Marks, in caller colour indices, the colours this XF shows: drawn lines, the fill's
  // colours and its font's colour. Indices outside AUsedColors are left out.
  void FillUsedColors(std::vector<bool>& AUsedColors, const TFontRecordList& AFonts) const;
};

// FONT (0x0031): one font.
//   off  size  field
//   0    2     height in twentieths of a point
//   2    2     options: 0x0002 italic, 0x0008 struck out
//   4    2     colour icv (0x7FFF automatic)
//   6    2     weight: 400 normal, 700 bold
//   8    2     escapement: 0 none, 1 superscript, 2 subscript
//   10   1     underline: 0 none, 1 single, 2 double, 0x21 single accounting, 0x22 double acc.
//   11   1     family
//   12   1     character set
//   13   1     reserved (the engine writes 0)
//   14   var   name, 1-byte character count (the engine writes 16-bit characters)
class TFontRecord final : public biff::TConcreteRecord<TFontRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;

  // The body of the FONT record for AFont; raises "Invalid String record" for a name longer
  // than 255 characters.
  static std::vector<std::uint8_t> EncodeFont(const TTabrixFont& AFont);
  static void EncodeFont(const TTabrixFont& AFont, std::vector<std::uint8_t>& ABody);
  static std::unique_ptr<TFontRecord> CreateFromTabrixFont(const TTabrixFont& AFont);
  TTabrixFont TabrixFont() const;

  std::u16string Name() const;
  std::uint16_t Height() const { return GetWord(0); }
  std::int32_t ColorIndex() const { return static_cast<std::int32_t>(GetWord(4)) - 7; }
  std::uint8_t Family() const { return GetByte(11); }
  std::uint8_t Charset() const { return GetByte(12); }
  TTabrixFontStyles Style() const;
  TTabrixUnderline Underline() const;
};

// FORMAT (0x041E): one number format.
//   off  size  field
//   0    2     format id
//   2    var   format text, 2-byte character count (8-bit characters when all fit)
class TFormatRecord final : public biff::TConcreteRecord<TFormatRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;

  // Raises "Invalid String record" for a text that does not fit one record.
  static std::unique_ptr<TFormatRecord> CreateFromData(std::u16string_view AFmt, int ANewId);
  std::uint16_t FormatId() const { return GetWord(0); }
  // The text, read once (it may run on into CONTINUE records) and kept.
  const std::u16string& Value() const;

 private:
  mutable std::optional<std::u16string> FValue;
};

// PALETTE (0x0092): the workbook's own colours for icv 8 on.
//   off  size   field
//   0    2      number of colours
//   2    4 x n  colours: red, green, blue, 0
class TPaletteRecord final : public biff::TConcreteRecord<TPaletteRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;

  // 56 entries of the standard palette (226 bytes).
  static std::unique_ptr<TPaletteRecord> CreateStandard();
  std::uint16_t Count() const { return GetWord(0); }
  // Entry AIndex (0-based) as 0x00BBGGRR. Reading outside 0..Count-1 raises "The index \"%d\" of
  // the property \"%s\" is not in the range %d-%d"; writing there raises "Too many entries".
  std::uint32_t Color(int AIndex) const;
  void SetColor(int AIndex, std::uint32_t AValue);
};

// STYLE (0x0293): a cell style; carried unchanged.
class TStyleRecord final : public biff::TConcreteRecord<TStyleRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

}  // namespace engine::records
