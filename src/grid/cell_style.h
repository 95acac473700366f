// How the grid shows one cell: everything the workbook export reads besides the text.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace grid {

// Colours are 0x00BBGGRR.
using TColor = std::uint32_t;

inline constexpr TColor kBlack = 0x000000;
inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kSilver = 0xC0C0C0;
inline constexpr TColor kButtonFace = 0xF0F0F0;  // the desktop's face colour of fixed cells

enum class THorzAlign : std::uint8_t { Default, Left, Right, Center };
enum class TVertAlign : std::uint8_t { Default, Top, Center, Bottom };

struct TCellFont {
  std::string Name = "Tahoma";
  int Height = -11;  // pixels; negative: the character height without internal leading
  int PixelsPerInch = 96;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  TColor Color = kBlack;

  bool operator==(const TCellFont&) const = default;
};

enum class TBorderSide : std::uint8_t { Left, Top, Right, Bottom };

struct TCellBorder {
  bool Visible = false;
  TColor Color = kBlack;  // the pen colour

  bool operator==(const TCellBorder&) const = default;
};

struct TCellBorders {
  std::array<TCellBorder, 4> Sides{};

  TCellBorder& Side(TBorderSide ASide) { return Sides[static_cast<std::size_t>(ASide)]; }
  const TCellBorder& Side(TBorderSide ASide) const {
    return Sides[static_cast<std::size_t>(ASide)];
  }
  bool operator==(const TCellBorders&) const = default;
};

// A cell that starts a merged block covers ColSpan columns and RowSpan rows (1 = not merged).
struct TMergeSpan {
  int ColSpan = 1;
  int RowSpan = 1;

  bool operator==(const TMergeSpan&) const = default;
};

struct TCellStyle {
  TCellFont Font;
  TColor Background = kWhite;
  THorzAlign HorzAlign = THorzAlign::Default;
  TVertAlign VertAlign = TVertAlign::Default;
  bool WordWrap = false;
  TCellBorders Borders;
  TMergeSpan Merge;
  bool ReadOnly = false;
  int Rotation = 0;  // degrees, counter-clockwise
  std::string Comment;
  int OutlineLevel = 0;

  bool operator==(const TCellStyle&) const = default;
};

}  // namespace grid
