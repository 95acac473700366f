// The workbook's format operations as its facade offers them: formats, fonts and colours in the
// caller's numbering (palette positions from 1, BIFF8 font indices with index 4 unused). An
// index outside a list reads or replaces its first entry, as callers of the facade expect.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/biff/record_lists.h"
#include "engine/records/format_lists.h"
#include "engine/records/tabrix_format.h"
#include "engine/records/workbook_palette.h"

namespace engine::records {

// The three lists of a workbook's globals (not owned).
struct TFormatLists {
  TXFRecordList& XF;
  TFontRecordList& Fonts;
  TFormatRecordList& Formats;
};

// The XF index of AFormat, existing or appended; its font and number format are found or added.
int AddFormat(const TFormatLists& ALists, const TTabrixFormat& AFormat);
int AddFont(TFontRecordList& AFonts, const TTabrixFont& AFont);

// XF AIndex as a format description (XF 0 for an index outside the list).
TTabrixFormat GetFormatListItem(const TFormatLists& ALists, int AIndex);
// Replaces XF AIndex (XF 0 for an index outside the list) by the XF of AFormat.
void SetFormatListItem(const TFormatLists& ALists, int AIndex, const TTabrixFormat& AFormat);
int FormatListCount(const TXFRecordList& AXF);

// The font of BIFF8 font index AIndex: 4 and indices outside the list read font 0.
TTabrixFont GetFontListItem(const TFontRecordList& AFonts, int AIndex);
// Replaces the font of BIFF8 font index AIndex; index 4 changes nothing, an index outside the
// list replaces font 0.
void SetFontListItem(TFontRecordList& AFonts, int AIndex, const TTabrixFont& AFont);
// FONT records plus the unused index 4.
int FontListCount(const TFontRecordList& AFonts);

// Palette position AIndex, 1..56.
std::uint32_t GetColorPalette(const TWorkbookPalette& APalette, int AIndex);
void SetColorPalette(TWorkbookPalette& APalette, biff::TBaseRecordList& AMiscRecords, int AIndex,
                     std::uint32_t AValue);
// Which caller colour indices 0..56 the workbook's formats show.
std::vector<bool> GetUsedPaletteColors(const TXFRecordList& AXF, const TFontRecordList& AFonts);

}  // namespace engine::records
