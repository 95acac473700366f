// TTabrixFormat: how a cell looks, in the terms callers of the workbook use. A caller fills one
// and asks the workbook for the XF record that matches it (found or added); reading a cell's
// format gives one back. Colours are palette positions in the caller's numbering: BIFF8 colour
// index (icv) minus 7, so 1..56 are the palette, 57 automatic foreground (icv 64), 58 automatic
// background (icv 65) and 32760 the automatic font colour (icv 0x7FFF).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace engine::records {

// Palette positions 1..56, where only real palette entries are allowed.
inline constexpr int kFirstPaletteColor = 1;
inline constexpr int kLastPaletteColor = 56;

// The ordinal of each value is the BIFF8 code it is written as.
enum class THTabrixAlignment : std::uint8_t {
  fha_general,
  fha_left,
  fha_center,
  fha_right,
  fha_fill,
  fha_justify,
  fha_center_across_selection,
};

enum class TVTabrixAlignment : std::uint8_t {
  fva_top,
  fva_center,
  fva_bottom,
  fva_justify,
  fva_distributed,
};

enum class TTabrixBorderStyle : std::uint8_t {
  fbs_None,
  fbs_Thin,
  fbs_Medium,
  fbs_Dashed,
  fbs_Dotted,
  fbs_Thick,
  fbs_Double,
  fbs_Hair,
  fbs_Medium_dashed,
  fbs_Dash_dot,
  fbs_Medium_dash_dot,
  fbs_Dash_dot_dot,
  fbs_Medium_dash_dot_dot,
  fbs_Slanted_dash_dot,
};

// Which diagonals are drawn.
enum class TTabrixDiagonalBorder : std::uint8_t { fdb_None, fdb_DiagDown, fdb_DiagUp, fdb_Both };

enum class TTabrixUnderline : std::uint8_t {
  fu_None,
  fu_Single,
  fu_Double,
  fu_SingleAccounting,
  fu_DoubleAccounting,
};

enum class TTabrixFontStyle : std::uint8_t {
  flsBold,
  flsItalic,
  flsStrikeOut,
  flsSuperscript,
  flsSubscript
};

// A set of font styles (bit n = style of ordinal n).
class TTabrixFontStyles {
 public:
  constexpr TTabrixFontStyles() noexcept = default;
  constexpr TTabrixFontStyles(std::initializer_list<TTabrixFontStyle> AStyles) noexcept {
    for (TTabrixFontStyle style : AStyles) Include(style);
  }
  constexpr bool Contains(TTabrixFontStyle AStyle) const noexcept { return FBits & Bit(AStyle); }
  constexpr void Include(TTabrixFontStyle AStyle) noexcept { FBits |= Bit(AStyle); }
  constexpr bool operator==(const TTabrixFontStyles&) const noexcept = default;

 private:
  static constexpr std::uint8_t Bit(TTabrixFontStyle AStyle) noexcept {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(AStyle));
  }
  std::uint8_t FBits = 0;
};

// Fill patterns 1..19: 1 no fill, 2 solid, 3..19 the BIFF8 patterns 2..18 (BIFF8 code + 1).
// 0 has no BIFF8 meaning and is written as no fill.
using TTabrixPatternStyle = std::uint8_t;
inline constexpr TTabrixPatternStyle kPatternNone = 1;
inline constexpr TTabrixPatternStyle kPatternSolid = 2;

struct TTabrixFont {
  std::u16string Name;
  std::uint16_t Size20 = 0;  // height in twentieths of a point: 200 = 10 pt
  std::int32_t ColorIndex = 0;
  TTabrixFontStyles Style;
  TTabrixUnderline Underline = TTabrixUnderline::fu_None;
  std::uint8_t Family = 0;   // BIFF8 font family, carried through
  std::uint8_t CharSet = 0;  // character set, carried through

  bool operator==(const TTabrixFont&) const = default;
};

struct TTabrixOneBorder {
  TTabrixBorderStyle Style = TTabrixBorderStyle::fbs_None;
  std::int32_t ColorIndex = 0;

  bool operator==(const TTabrixOneBorder&) const = default;
};

struct TTabrixBorders {
  TTabrixOneBorder Left;
  TTabrixOneBorder Right;
  TTabrixOneBorder Top;
  TTabrixOneBorder Bottom;
  TTabrixOneBorder Diagonal;
  TTabrixDiagonalBorder DiagonalStyle = TTabrixDiagonalBorder::fdb_None;

  bool operator==(const TTabrixBorders&) const = default;
};

struct TTabrixFillPattern {
  TTabrixPatternStyle Pattern = kPatternNone;
  std::int32_t FgColorIndex = 0;  // a solid fill shows this colour
  std::int32_t BgColorIndex = 0;

  bool operator==(const TTabrixFillPattern&) const = default;
};

struct TTabrixFormat {
  TTabrixFont Font;
  TTabrixBorders Borders;
  std::u16string Format;  // number format text; empty means General
  TTabrixFillPattern FillPattern;
  THTabrixAlignment HAlignment = THTabrixAlignment::fha_general;
  TVTabrixAlignment VAlignment = TVTabrixAlignment::fva_top;
  bool Locked = false;
  bool Hidden = false;
  std::int32_t Parent = 0;  // 16 x the parent style XF; filled when read, ignored when written
  bool WrapText = false;
  bool ShrinkToFit = false;
  std::uint8_t Rotation = 0;  // 0..90 up, 91..180 down by 1..90 degrees, 255 vertical text
  std::uint8_t Indent = 0;    // 0..15

  bool operator==(const TTabrixFormat&) const = default;
};

}  // namespace engine::records
