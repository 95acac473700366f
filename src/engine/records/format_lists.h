// The workbook's lists of XF, FONT and FORMAT records, in file order, with the searches that let
// equal formats, fonts and number formats share one record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/locale_settings.h"
#include "engine/biff/record_lists.h"
#include "engine/records/builtin_formats.h"
#include "engine/records/format_records.h"

namespace engine::records {

class TFontRecordList : public biff::TRecordList<TFontRecord> {
 public:
  // The BIFF8 font index of AFont: the first font with the same bytes, else a new font at the
  // end. Font index 4 does not exist in BIFF8, so positions from 4 on are indices from 5 on.
  int AddFont(const TTabrixFont& AFont);
  // The list position of a BIFF8 font index: indices above 3 less one; position 0 for an
  // index outside the list.
  std::size_t ActualFontIndex(int AFontIndex) const noexcept;
};

class TXFRecordList : public biff::TRecordList<TXFRecord> {
 public:
  // The first XF, from index 0 upward, whose bytes equal ABody.
  bool FindFormat(std::span<const std::uint8_t> ABody, std::size_t& AIndex) const;
  bool FindFormat(const TXFRecord& AXF, std::size_t& AIndex) const {
    return FindFormat(AXF.Data(), AIndex);
  }
  // Which caller colour indices 0..AColorCount-1 the formats show.
  std::vector<bool> GetUsedColors(std::size_t AColorCount, const TFontRecordList& AFonts) const;
};

// The FORMAT records, with the built-in texts of ids 0..49 for the settings given.
class TFormatRecordList : public biff::TRecordList<TFormatRecord> {
 public:
  explicit TFormatRecordList(const base::TXlsLocaleSettings& ASettings) : FBuiltIns(ASettings) {}

  const TBuiltInFormats& BuiltIns() const noexcept { return FBuiltIns; }
  // True while the list is known to be ordered by format id; adding clears it.
  bool Sorted() const noexcept { return FSorted; }
  void Sort();
  // Binary search by id (sorting first when needed); AIndex is the match or insertion point.
  bool Find(int AFormatId, std::size_t& AIndex);
  // The id of the number format AFmt: a FORMAT record with that exact text, else a built-in
  // id with it, else a new FORMAT record with the next free id from 164 on.
  int AddFormat(std::u16string_view AFmt);
  // The text of a format id: its FORMAT record's, else the built-in text, else empty.
  std::u16string Format(int AFormatId);

 protected:
  void RecordPlaced(bool) override { FSorted = false; }

 private:
  int NewFormatId();

  TBuiltInFormats FBuiltIns;
  bool FSorted = false;
};

}  // namespace engine::records
