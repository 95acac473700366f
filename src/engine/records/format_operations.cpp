#include "engine/records/format_operations.h"

#include "engine/biff/record_ids.h"

namespace engine::records {

namespace {

constexpr std::size_t kUsedColorCount = 57;

std::size_t XFPosition(const TXFRecordList& AXF, int AIndex) {
  return AIndex >= 0 && static_cast<std::size_t>(AIndex) < AXF.Count()
             ? static_cast<std::size_t>(AIndex)
             : 0;
}

}  // namespace

int AddFormat(const TFormatLists& ALists, const TTabrixFormat& AFormat) {
  TXFBody body = TXFRecord::EncodeFormat(AFormat, ALists.Fonts, ALists.Formats);
  std::size_t index = 0;
  if (ALists.XF.FindFormat(body, index)) return static_cast<int>(index);
  return static_cast<int>(
      ALists.XF.Add(std::make_unique<TXFRecord>(biff::rid::XF, biff::TRecordData::CopyOf(body))));
}

int AddFont(TFontRecordList& AFonts, const TTabrixFont& AFont) {
  return AFonts.AddFont(AFont);
}

TTabrixFormat GetFormatListItem(const TFormatLists& ALists, int AIndex) {
  if (ALists.XF.Count() == 0) return {};
  return ALists.XF[XFPosition(ALists.XF, AIndex)]->TabrixFormat(ALists.Fonts, ALists.Formats);
}

void SetFormatListItem(const TFormatLists& ALists, int AIndex, const TTabrixFormat& AFormat) {
  auto record = TXFRecord::CreateFromFormat(AFormat, ALists.Fonts, ALists.Formats);
  if (ALists.XF.Count() == 0)
    ALists.XF.Add(std::move(record));
  else
    ALists.XF.Replace(XFPosition(ALists.XF, AIndex), std::move(record));
}

int FormatListCount(const TXFRecordList& AXF) {
  return static_cast<int>(AXF.Count());
}

TTabrixFont GetFontListItem(const TFontRecordList& AFonts, int AIndex) {
  if (AFonts.Count() == 0) return {};
  return AFonts[AIndex == 4 ? 0 : AFonts.ActualFontIndex(AIndex)]->TabrixFont();
}

void SetFontListItem(TFontRecordList& AFonts, int AIndex, const TTabrixFont& AFont) {
  if (AIndex == 4) return;
  auto record = TFontRecord::CreateFromTabrixFont(AFont);
  if (AFonts.Count() == 0)
    AFonts.Add(std::move(record));
  else
    AFonts.Replace(AFonts.ActualFontIndex(AIndex), std::move(record));
}

int FontListCount(const TFontRecordList& AFonts) {
  return static_cast<int>(AFonts.Count()) + 1;
}

std::uint32_t GetColorPalette(const TWorkbookPalette& APalette, int AIndex) {
  return APalette.Color(AIndex - 1);
}

void SetColorPalette(TWorkbookPalette& APalette, biff::TBaseRecordList& AMiscRecords, int AIndex,
                     std::uint32_t AValue) {
  APalette.SetColor(AMiscRecords, AIndex - 1, AValue);
}

std::vector<bool> GetUsedPaletteColors(const TXFRecordList& AXF, const TFontRecordList& AFonts) {
  return AXF.GetUsedColors(kUsedColorCount, AFonts);
}

}  // namespace engine::records
