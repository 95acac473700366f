// The cell ranges a MERGEDCELLS or CONDFMT record lists, and the list that keeps them for a
// range entry: how they are read from a record, how many records they fill when written, and
// how they follow inserted, deleted and copied rows and columns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/biff/base_record.h"
#include "engine/biff/record_stream.h"
#include "engine/biff/row_col_record.h"

namespace engine::records {

// One range, 0-based and inclusive; also its 8-byte layout in a record:
//   off  size  field
//   0    2     R1  first row
//   2    2     R2  last row
//   4    2     C1  first column
//   6    2     C2  last column
struct TExcelRange {
  std::uint16_t R1 = 0;
  std::uint16_t R2 = 0;
  std::uint16_t C1 = 0;
  std::uint16_t C2 = 0;

  bool operator==(const TExcelRange&) const = default;
  bool Contains(int ARow, int ACol) const noexcept {
    return R1 <= ARow && ARow <= R2 && C1 <= ACol && ACol <= C2;
  }
  // Wholly inside ARange.
  bool Inside(const biff::TXlsCellRange& ARange) const noexcept {
    return ARange.Top <= R1 && R2 <= ARange.Bottom && ARange.Left <= C1 && C2 <= ARange.Right;
  }
  bool Overlaps(const TExcelRange& AOther) const noexcept;
  bool IsOneCell() const noexcept { return R1 == R2 && C1 == C2; }
  // Ordered and within the sheet's columns (rows cannot leave it); what a file holds may not be.
  bool InsideSheet() const noexcept;
};

inline constexpr std::size_t kExcelRangeSize = 8;

// Moves ARange as TRangeValuesList::ArrangeInsertRowsAndCols moves its items.
void ArrangeRange(TExcelRange& ARange, std::int64_t ARowPos, std::int64_t ARowCount,
                  std::int64_t AColPos, std::int64_t AColCount) noexcept;
// The smallest range holding both.
TExcelRange UnionOf(const TExcelRange& A, const TExcelRange& B) noexcept;

// Whether the ordered rectangle can be a merged range: inside the sheet and more than one cell.
bool IsValidMergeRange(int AR1, int AC1, int AR2, int AC2) noexcept;

class TRangeValuesList {
 public:
  // AMaxRangesPerRecord: how many items one record holds; AOtherDataLen: the bytes of a
  // record's data before its item count.
  TRangeValuesList(int AMaxRangesPerRecord, std::uint16_t AOtherDataLen) noexcept
      : FMaxRangesPerRecord(AMaxRangesPerRecord), FOtherDataLen(AOtherDataLen) {}

  std::uint16_t OtherDataLen() const noexcept { return FOtherDataLen; }
  std::size_t Count() const noexcept { return FItems.size(); }
  const TExcelRange& operator[](std::size_t AIndex) const { return FItems.at(AIndex); }
  TExcelRange& operator[](std::size_t AIndex) { return FItems.at(AIndex); }
  void Delete(std::size_t AIndex);

  // Adds the rectangle as a merged range; an invalid one (see IsValidMergeRange) is ignored.
  // There is no check for overlaps.
  void AddNewRange(int AR1, int AC1, int AR2, int AC2);
  // Adds an item as it is: what a record held, or a copy.
  void PreAddNewRange(const TExcelRange& ARange) { FItems.push_back(ARange); }
  // Reads the 16-bit item count at APos of ARecord's data and then the items, on across its
  // CONTINUE records; raises "Error reading record" when the data ends first.
  void Load(const biff::TBaseRecord& ARecord, std::size_t APos);
  void CopyFrom(const TRangeValuesList& AOther) { FItems = AOther.FItems; }

  // Record ALine (from 0) of the items, or of the ACount items wholly inside ARange: the item
  // count, then the items.
  void SaveToStreamR(biff::TRecordSink& AStream, int ALine) const;
  void SaveRangeToStreamR(biff::TRecordSink& AStream, int ALine, int ACount,
                          const biff::TXlsCellRange& ARange) const;
  // The records ACount items fill (1 for ACount <= 0, as a count of lines to write).
  int RepeatCountR(int ACount) const noexcept;
  // The data size of record ALine of ACount items: other data, count and items.
  int RecordSizeR(int ALine, int ACount) const noexcept;
  // Bytes the records of ACount items take, headers included; 0 for no items, which write no
  // record.
  std::int64_t TotalSizeR(int ACount) const noexcept;
  // The number of items wholly inside ARange.
  int CountRangeRecords(const biff::TXlsCellRange& ARange) const noexcept;

  // Rows from ARowPos on move by ARowCount, columns from AColPos on by AColCount (negative
  // counts delete): a first bound at or after the position moves and stays at or after it, a
  // last bound at or after it moves and stays at or after the first; a last bound inside a
  // deleted band ends on the row (column) before the band. Bounds stop at 65535 and 255.
  void ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos, int AColCount);
  // Removes the items that lie wholly in the ACount rows (UseCols: columns) from ARow, shifts
  // the rest as a deletion does, and, without AAllow1Cell, removes the items the deletion has
  // shrunk to one cell.
  void DeleteRows(int ARow, int ACount, bool AAllow1Cell, bool AUseCols);
  // Inserts ACount copies of rows (AUseCols: columns) AFirstRow..ALastRow before ADestRow,
  // given in positions before the insertion: the items shift as for an insertion of ACount x
  // the block's size at ADestRow, and every item wholly inside the block gets a copy in each
  // inserted block, except where the copy would overlap a range of the list (merged ranges
  // never overlap). A copy beyond the sheet raises "Too many entries for this kind of record
  // (%d out of a maximum of %d)" before anything changes.
  void CopyRowsInclusive(int AFirstRow, int ALastRow, int ADestRow, int ACount, bool AUseCols);
  // The same insertion, but an item wholly inside the block that spans its whole height and
  // touches the inserted rows is stretched over them instead of copied; other items inside
  // the block are copied (overlaps allowed).
  void CopyRowsExclusive(int AFirstRow, int ALastRow, int ADestRow, int ACount, bool AUseCols);

 private:
  struct TCopyPlan;
  TCopyPlan PlanCopies(int AFirstRow, int ALastRow, int ADestRow, int ACount, bool AUseCols,
                       bool AStretch) const;
  void InsertAndCopy(int AFirstRow, int ALastRow, int ADestRow, int ACount, bool AUseCols,
                     bool AStretch);

  std::vector<TExcelRange> FItems;
  int FMaxRangesPerRecord;
  std::uint16_t FOtherDataLen;
};

}  // namespace engine::records
