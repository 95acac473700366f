// The range entries of a worksheet (its FRanges): merged cells and conditional formats, in
// the order they were read or made. The sheet writes them after its second group of settings
// records and before its hyperlinks, and routes merging, unmerging and the merged bounds of
// cells through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/records/range_entries.h"

namespace engine::records {

class TRangeList {
 public:
  // AFormulas (not owned) moves the references of conditional formats' formulas.
  explicit TRangeList(const ICFFormulaArranger& AFormulas) noexcept : FFormulas(&AFormulas) {}

  std::size_t Count() const noexcept { return FEntries.size(); }
  TRangeEntry* operator[](std::size_t AIndex) const { return FEntries.at(AIndex).get(); }
  void Add(std::unique_ptr<TRangeEntry> AEntry) { FEntries.push_back(std::move(AEntry)); }
  void Clear() noexcept { FEntries.clear(); }
  // Appends a copy of every entry of AOther.
  void CopyFrom(const TRangeList& AOther);

  // A MERGEDCELLS record read by the sheet becomes a new merged-cells entry; a CONDFMT record
  // a new conditional format, which reads its CF records from AStream (see TRangeEntry). The
  // caller keeps the record; an entry that fails to load is not added.
  void LoadMergedCells(biff::TRecordReader& AStream, biff::TRecordHeader& AHeader,
                       const TCellMergingRecord& ARecord);
  void LoadCondFmt(biff::TRecordReader& AStream, biff::TRecordHeader& AHeader,
                   const TCondFmtRecord& ARecord);

  std::int64_t TotalSize() const;
  std::int64_t TotalRangeSize(const biff::TXlsCellRange& ACellRange) const;
  // Every entry's records, each checked to write exactly its TotalSize.
  void SaveToStream(biff::TRecordSink& AStream);
  void SaveRangeToStream(biff::TRecordSink& AStream, const biff::TXlsCellRange& ACellRange);

  // Row and column operations of the sheet, passed to every entry.
  void ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos, int AColCount,
                                const biff::TSheetInfo& ASheetInfo);
  void InsertAndCopyRowsOrCols(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                               const biff::TSheetInfo& ASheetInfo, bool AUseCols);
  void DeleteRowsOrCols(int ARow, int ACount, const biff::TSheetInfo& ASheetInfo, bool AUseCols);

  // Merges the rectangle (bounds in any order, 0-based): every merged range it touches is
  // absorbed, again and again while the grown rectangle touches more, and the result joins the
  // last merged-cells entry (made when there is none). An invalid rectangle (one cell, outside
  // the sheet) merges nothing.
  void MergeCells(int ARow1, int ACol1, int ARow2, int ACol2);
  // Removes the merged ranges exactly equal to the rectangle (bounds in any order).
  void UnMergeCells(int ARow1, int ACol1, int ARow2, int ACol2);
  // The first merged range holding the cell, or the cell itself.
  biff::TXlsCellRange CellMergedBounds(int ARow, int ACol) const;
  // The AIndex-th merged range over all merged-cells entries; all zeros beyond them.
  biff::TXlsCellRange CellMergedList(int AIndex) const;
  int CellMergedListCount() const;

 private:
  std::vector<std::unique_ptr<TRangeEntry>> FEntries;
  const ICFFormulaArranger* FFormulas;  // not owned
};

}  // namespace engine::records
