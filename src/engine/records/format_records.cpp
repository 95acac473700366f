#include "engine/records/format_records.h"

#include <algorithm>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_ids.h"
#include "engine/biff/record_reader.h"
#include "engine/records/format_lists.h"
#include "engine/records/standard_palette.h"
#include "engine/strings/excel_string.h"

namespace engine::records {

namespace {

// The icv of a line colour: kept within the palette and the automatic colour (8..64), so that
// an index of 0 or below reads back as black and one above 57 as automatic.
std::uint32_t LineIcv(std::int32_t AColorIndex) noexcept {
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(std::int64_t{AColorIndex} + 7, 8, 64));
}

// The icv of a diagonal or fill colour, taken as it comes.
std::uint32_t PlainIcv(std::int32_t AColorIndex) noexcept {
  return static_cast<std::uint32_t>((std::int64_t{AColorIndex} + 7) & 0x7F);
}

std::uint32_t PatternCode(TTabrixPatternStyle APattern) noexcept {
  return APattern == 0 ? 0u : static_cast<std::uint32_t>(APattern - 1) & 0x3F;
}

std::uint32_t Nibble(TTabrixBorderStyle AStyle) noexcept {
  return static_cast<std::uint32_t>(AStyle) & 0xF;
}

constexpr std::uint16_t kWeightBold = 700;
constexpr std::uint16_t kWeightNormal = 400;

}  // namespace

// ---- XF -------------------------------------------------------------------------------------

TXFBody TXFRecord::EncodeFormat(const TTabrixFormat& AFormat, TFontRecordList& AFonts,
                                TFormatRecordList& AFormats) {
  const int font = AFonts.AddFont(AFormat.Font);
  const int format = AFormats.AddFormat(AFormat.Format);
  const TTabrixBorders& borders = AFormat.Borders;
  TXFBody body{};
  std::uint8_t* out = body.data();
  base::StoreLE16(out, static_cast<std::uint16_t>(font));
  base::StoreLE16(out + 2, static_cast<std::uint16_t>(format));
  base::StoreLE16(
      out + 4, static_cast<std::uint16_t>((AFormat.Locked ? 0x1 : 0) | (AFormat.Hidden ? 0x2 : 0)));
  base::StoreLE16(
      out + 6, static_cast<std::uint16_t>((static_cast<unsigned>(AFormat.HAlignment) & 0x7) |
                                          (AFormat.WrapText ? 0x8 : 0) |
                                          ((static_cast<unsigned>(AFormat.VAlignment) & 0x7) << 4) |
                                          (unsigned{AFormat.Rotation} << 8)));
  base::StoreLE16(out + 8, static_cast<std::uint16_t>((AFormat.Indent & 0xF) |
                                                      (AFormat.ShrinkToFit ? 0x10 : 0) | 0xFC00));
  base::StoreLE16(out + 10, static_cast<std::uint16_t>(Nibble(borders.Left.Style) |
                                                       (Nibble(borders.Right.Style) << 4) |
                                                       (Nibble(borders.Top.Style) << 8) |
                                                       (Nibble(borders.Bottom.Style) << 12)));
  base::StoreLE16(out + 12,
                  static_cast<std::uint16_t>(
                      LineIcv(borders.Left.ColorIndex) | (LineIcv(borders.Right.ColorIndex) << 7) |
                      ((static_cast<unsigned>(borders.DiagonalStyle) & 0x3) << 14)));
  base::StoreLE32(out + 14, LineIcv(borders.Top.ColorIndex) |
                                (LineIcv(borders.Bottom.ColorIndex) << 7) |
                                (PlainIcv(borders.Diagonal.ColorIndex) << 14) |
                                (Nibble(borders.Diagonal.Style) << 21) |
                                (PatternCode(AFormat.FillPattern.Pattern) << 26));
  base::StoreLE16(out + 18,
                  static_cast<std::uint16_t>(PlainIcv(AFormat.FillPattern.FgColorIndex) |
                                             (PlainIcv(AFormat.FillPattern.BgColorIndex) << 7)));
  return body;
}

std::unique_ptr<TXFRecord> TXFRecord::CreateFromFormat(const TTabrixFormat& AFormat,
                                                       TFontRecordList& AFonts,
                                                       TFormatRecordList& AFormats) {
  TXFBody body = EncodeFormat(AFormat, AFonts, AFormats);
  return std::make_unique<TXFRecord>(biff::rid::XF, biff::TRecordData::CopyOf(body));
}

TTabrixFormat TXFRecord::TabrixFormat(const TFontRecordList& AFonts,
                                      TFormatRecordList& AFormats) const {
  TTabrixFormat format;
  if (AFonts.Count() > 0) format.Font = AFonts[GetActualFontIndex(AFonts)]->TabrixFont();
  TTabrixBorders& borders = format.Borders;
  auto line = [this](std::size_t AStylePos, int AStyleBit, std::size_t AColorPos, int AColorBit) {
    return TTabrixOneBorder{static_cast<TTabrixBorderStyle>(GetBorderStyle(AStylePos, AStyleBit)),
                            BorderColorFromIcv(GetBorderColorIndex(AColorPos, AColorBit))};
  };
  borders.Left = line(10, 0, 12, 0);
  borders.Right = line(10, 4, 12, 7);
  borders.Top = line(10, 8, 14, 0);
  borders.Bottom = line(10, 12, 14, 7);
  borders.Diagonal = {static_cast<TTabrixBorderStyle>(GetBorderStyleExt(14, 21)),
                      BorderColorFromIcv(GetBorderColorIndexExt(14, 14))};
  borders.DiagonalStyle = DiagonalStyle();
  format.Format = AFormats.Format(FormatIndex());
  format.FillPattern = {static_cast<TTabrixPatternStyle>(CellPattern() + 1), CellFgColorIndex() - 7,
                        CellBgColorIndex() - 7};
  format.HAlignment = HAlign();
  format.VAlignment = VAlign();
  TMisc misc = FillMisc();
  format.Locked = misc.Locked;
  format.Hidden = misc.Hidden;
  format.Parent = misc.Parent;
  format.WrapText = misc.WrapText;
  format.ShrinkToFit = misc.ShrinkToFit;
  format.Rotation = misc.Rotation;
  format.Indent = misc.Indent;
  return format;
}

std::size_t TXFRecord::GetActualFontIndex(const TFontRecordList& AFonts) const {
  return AFonts.ActualFontIndex(FontIndex());
}

THTabrixAlignment TXFRecord::HAlign() const {
  return static_cast<THTabrixAlignment>(GetByte(6) & 0x7);
}

TVTabrixAlignment TXFRecord::VAlign() const {
  return static_cast<TVTabrixAlignment>((GetWord(6) >> 4) & 0x7);
}

TTabrixDiagonalBorder TXFRecord::DiagonalStyle() const {
  return static_cast<TTabrixDiagonalBorder>(GetWord(12) >> 14);
}

std::uint8_t TXFRecord::GetBorderStyle(std::size_t APos, int AFirstBit) const {
  return static_cast<std::uint8_t>((GetWord(APos) >> AFirstBit) & 0xF);
}

std::uint8_t TXFRecord::GetBorderColorIndex(std::size_t APos, int AFirstBit) const {
  return static_cast<std::uint8_t>((GetWord(APos) >> AFirstBit) & 0x7F);
}

std::uint8_t TXFRecord::GetBorderStyleExt(std::size_t APos, int AFirstBit) const {
  return static_cast<std::uint8_t>((GetCardinal(APos) >> AFirstBit) & 0xF);
}

std::uint8_t TXFRecord::GetBorderColorIndexExt(std::size_t APos, int AFirstBit) const {
  return static_cast<std::uint8_t>((GetCardinal(APos) >> AFirstBit) & 0x7F);
}

TXFRecord::TMisc TXFRecord::FillMisc() const {
  std::uint16_t protection = GetWord(4);
  TMisc misc;
  misc.Locked = protection & 0x1;
  misc.Hidden = protection & 0x2;
  misc.Parent = protection & 0xFFF0;
  misc.WrapText = WrapText();
  misc.ShrinkToFit = GetWord(8) & 0x10;
  misc.Rotation = Rotation();
  misc.Indent = GetByte(8) & 0xF;
  return misc;
}

void TXFRecord::FillUsedColors(std::vector<bool>& AUsedColors,
                               const TFontRecordList& AFonts) const {
  auto mark = [&AUsedColors](std::int32_t AColor) {
    if (AColor >= 0 && static_cast<std::size_t>(AColor) < AUsedColors.size())
      AUsedColors[static_cast<std::size_t>(AColor)] = true;
  };
  struct TLine {
    std::size_t StylePos;
    int StyleBit;
    std::size_t ColorPos;
    int ColorBit;
  };
  for (const TLine& line :
       {TLine{10, 0, 12, 0}, TLine{10, 4, 12, 7}, TLine{10, 8, 14, 0}, TLine{10, 12, 14, 7}})
    if (GetBorderStyle(line.StylePos, line.StyleBit) != 0)
      mark(BorderColorFromIcv(GetBorderColorIndex(line.ColorPos, line.ColorBit)));
  if (GetBorderStyleExt(14, 21) != 0) mark(BorderColorFromIcv(GetBorderColorIndexExt(14, 14)));
  if (std::uint8_t pattern = CellPattern(); pattern != 0) {
    mark(CellFgColorIndex() - 7);
    if (pattern != 1) mark(CellBgColorIndex() - 7);
  }
  if (AFonts.Count() > 0) mark(AFonts[GetActualFontIndex(AFonts)]->ColorIndex());
}

// ---- FONT -----------------------------------------------------------------------------------

std::vector<std::uint8_t> TFontRecord::EncodeFont(const TTabrixFont& AFont) {
  std::vector<std::uint8_t> body;
  EncodeFont(AFont, body);
  return body;
}

void TFontRecord::EncodeFont(const TTabrixFont& AFont, std::vector<std::uint8_t>& ABody) {
  if (AFont.Name.size() > 0xFF) base::Raise(base::TMessage::InvalidStringRecord);
  ABody.assign(16 + 2 * AFont.Name.size(), 0);
  std::uint8_t* out = ABody.data();
  const TTabrixFontStyles& style = AFont.Style;
  base::StoreLE16(out, AFont.Size20);
  base::StoreLE16(out + 2, static_cast<std::uint16_t>(
                               (style.Contains(TTabrixFontStyle::flsItalic) ? 0x2 : 0) |
                               (style.Contains(TTabrixFontStyle::flsStrikeOut) ? 0x8 : 0)));
  base::StoreLE16(out + 4, static_cast<std::uint16_t>(AFont.ColorIndex + 7));
  base::StoreLE16(out + 6, style.Contains(TTabrixFontStyle::flsBold) ? kWeightBold : kWeightNormal);
  base::StoreLE16(out + 8, style.Contains(TTabrixFontStyle::flsSubscript)     ? 2
                           : style.Contains(TTabrixFontStyle::flsSuperscript) ? 1
                                                                              : 0);
  switch (AFont.Underline) {
    case TTabrixUnderline::fu_Single:
      out[10] = 0x01;
      break;
    case TTabrixUnderline::fu_Double:
      out[10] = 0x02;
      break;
    case TTabrixUnderline::fu_SingleAccounting:
      out[10] = 0x21;
      break;
    case TTabrixUnderline::fu_DoubleAccounting:
      out[10] = 0x22;
      break;
    default:
      out[10] = 0;
      break;
  }
  out[11] = AFont.Family;
  out[12] = AFont.CharSet;
  out[14] = static_cast<std::uint8_t>(AFont.Name.size());
  out[15] = strings::kStringWide;
  for (std::size_t i = 0; i < AFont.Name.size(); ++i)
    base::StoreLE16(out + 16 + 2 * i, AFont.Name[i]);
}

std::unique_ptr<TFontRecord> TFontRecord::CreateFromTabrixFont(const TTabrixFont& AFont) {
  return std::make_unique<TFontRecord>(biff::rid::Font,
                                       biff::TRecordData::CopyOf(EncodeFont(AFont)));
}

TTabrixFont TFontRecord::TabrixFont() const {
  return {Name(), Height(), ColorIndex(), Style(), Underline(), Family(), Charset()};
}

std::u16string TFontRecord::Name() const {
  biff::TRecordCursor cursor{this, 14};
  return strings::TExcelString(1, cursor).Value();
}

TTabrixFontStyles TFontRecord::Style() const {
  TTabrixFontStyles style;
  if (GetWord(6) == kWeightBold) style.Include(TTabrixFontStyle::flsBold);
  std::uint16_t options = GetWord(2);
  if (options & 0x2) style.Include(TTabrixFontStyle::flsItalic);
  if (options & 0x8) style.Include(TTabrixFontStyle::flsStrikeOut);
  std::uint16_t escapement = GetWord(8);
  if (escapement == 1) style.Include(TTabrixFontStyle::flsSuperscript);
  if (escapement == 2) style.Include(TTabrixFontStyle::flsSubscript);
  return style;
}

TTabrixUnderline TFontRecord::Underline() const {
  switch (GetByte(10)) {
    case 0x01:
      return TTabrixUnderline::fu_Single;
    case 0x02:
      return TTabrixUnderline::fu_Double;
    case 0x21:
      return TTabrixUnderline::fu_SingleAccounting;
    case 0x22:
      return TTabrixUnderline::fu_DoubleAccounting;
    default:
      return TTabrixUnderline::fu_None;
  }
}

// ---- FORMAT ---------------------------------------------------------------------------------

std::unique_ptr<TFormatRecord> TFormatRecord::CreateFromData(std::u16string_view AFmt, int ANewId) {
  strings::TExcelString text(2, AFmt, false);
  auto size = static_cast<std::size_t>(2 + text.TotalSize());
  if (size > biff::kMaxRecordDataSize) base::Raise(base::TMessage::InvalidStringRecord);
  biff::TRecordData data = biff::TRecordData::Allocate(size);
  base::StoreLE16(data.Bytes(), static_cast<std::uint16_t>(ANewId));
  text.CopyToPtr(data.Span(), 2);
  return std::make_unique<TFormatRecord>(biff::rid::Format, std::move(data));
}

const std::u16string& TFormatRecord::Value() const {
  if (!FValue) {
    biff::TRecordCursor cursor{this, 2};
    FValue = strings::TExcelString(2, cursor).Value();
  }
  return *FValue;
}

// ---- PALETTE --------------------------------------------------------------------------------

std::unique_ptr<TPaletteRecord> TPaletteRecord::CreateStandard() {
  biff::TRecordData data = biff::TRecordData::Allocate(2 + 4 * kPaletteSize);
  base::StoreLE16(data.Bytes(), static_cast<std::uint16_t>(kPaletteSize));
  for (std::size_t i = 0; i < kPaletteSize; ++i)
    base::StoreLE32(data.Bytes() + 2 + 4 * i, kStandardPalette[i]);
  return std::make_unique<TPaletteRecord>(biff::rid::Palette, std::move(data));
}

std::uint32_t TPaletteRecord::Color(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count())
    base::Raise(base::TMessage::IndexOutOfRange,
                {AIndex, "Palette Color Index", 0, Count() - 1});
  return GetCardinal(2 + 4 * static_cast<std::size_t>(AIndex)) & 0xFFFFFF;
}

void TPaletteRecord::SetColor(int AIndex, std::uint32_t AValue) {
  if (AIndex < 0 || AIndex >= Count())
    base::Raise(base::TMessage::TooManyEntries, {AIndex, Count() - 1});
  SetCardinal(2 + 4 * static_cast<std::size_t>(AIndex), AValue & 0xFFFFFF);
}

}  // namespace engine::records
