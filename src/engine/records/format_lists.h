// The workbook's lists of XF, FONT and FORMAT records, in file order, with the searches that let
// equal formats, fonts and number formats share one record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
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

 private:
  std::vector<std::uint8_t> FCandidate;  // the bytes of the font looked for, kept for reuse
};

// Every written cell looks its format up here, so the search goes through an index of the XF
// bodies, kept with the list's changes (XF bodies in the list are not changed in place; an XF
// is changed by replacing it).
class TXFRecordList : public biff::TRecordList<TXFRecord> {
 public:
  // The first XF, from index 0 upward, whose first 20 bytes equal ABody.
  bool FindFormat(const TXFBody& ABody, std::size_t& AIndex);
  bool FindFormat(const TXFRecord& AXF, std::size_t& AIndex);
  // Which caller colour indices 0..AColorCount-1 the formats show.
  std::vector<bool> GetUsedColors(std::size_t AColorCount, const TFontRecordList& AFonts) const;

 protected:
  void ListChanged(TListChange AChange) override;

 private:
  struct TBodyHash {
    std::size_t operator()(const TXFBody& ABody) const noexcept;
  };
  void IndexRecord(std::size_t APosition);

  std::unordered_map<TXFBody, std::size_t, TBodyHash> FIndex;  // body -> first position
  bool FIndexValid = false;
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
  void ListChanged(TListChange AChange) override;

 private:
  int NewFormatId();

  TBuiltInFormats FBuiltIns;
  bool FSorted = false;
  // Text -> id of the first FORMAT record in list order with that text, built when needed.
  std::unordered_map<std::u16string, int> FTextIndex;
  bool FTextIndexValid = false;
};

}  // namespace engine::records
