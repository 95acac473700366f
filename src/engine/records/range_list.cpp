#include "engine/records/range_list.h"

#include <utility>

#include "base/exception.h"

namespace engine::records {

namespace {

// An entry that writes other than it counts would shift every sheet offset after it.
void CheckWritten(const TRangeEntry& AEntry, std::int64_t AWritten, std::int64_t AExpected) {
  if (AWritten != AExpected)
    base::Raise(base::TMessage::RecordSizeMismatch, {AEntry.RecordId(), AWritten, AExpected});
}

}  // namespace

void TRangeList::CopyFrom(const TRangeList& AOther) {
  for (const auto& entry : AOther.FEntries) FEntries.push_back(entry->CopyTo());
}

void TRangeList::LoadMergedCells(biff::TRecordReader& AStream, biff::TRecordHeader& AHeader,
                                 const TCellMergingRecord& ARecord) {
  auto entry = std::make_unique<TMergedCells>();
  entry->LoadFromStream(AStream, AHeader, ARecord);
  Add(std::move(entry));
}

void TRangeList::LoadCondFmt(biff::TRecordReader& AStream, biff::TRecordHeader& AHeader,
                             const TCondFmtRecord& ARecord) {
  auto entry = std::make_unique<TCondFmt>(*FFormulas);
  entry->LoadFromStream(AStream, AHeader, ARecord);
  Add(std::move(entry));
}

std::int64_t TRangeList::TotalSize() const {
  std::int64_t size = 0;
  for (const auto& entry : FEntries) size += entry->TotalSize();
  return size;
}

std::int64_t TRangeList::TotalRangeSize(const biff::TXlsCellRange& ACellRange) const {
  std::int64_t size = 0;
  for (const auto& entry : FEntries) size += entry->TotalRangeSize(ACellRange);
  return size;
}

void TRangeList::SaveToStream(biff::TRecordSink& AStream) {
  for (const auto& entry : FEntries) {
    const std::int64_t start = AStream.Position();
    entry->SaveToStream(AStream);
    CheckWritten(*entry, AStream.Position() - start, entry->TotalSize());
  }
}

void TRangeList::SaveRangeToStream(biff::TRecordSink& AStream,
                                   const biff::TXlsCellRange& ACellRange) {
  for (const auto& entry : FEntries) {
    const std::int64_t start = AStream.Position();
    entry->SaveRangeToStream(AStream, ACellRange);
    CheckWritten(*entry, AStream.Position() - start, entry->TotalRangeSize(ACellRange));
  }
}

void TRangeList::ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos, int AColCount,
                                          const biff::TSheetInfo& ASheetInfo) {
  for (const auto& entry : FEntries)
    entry->ArrangeInsertRowsAndCols(ARowPos, ARowCount, AColPos, AColCount, ASheetInfo);
}

void TRangeList::InsertAndCopyRowsOrCols(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                                         const biff::TSheetInfo& ASheetInfo, bool AUseCols) {
  for (const auto& entry : FEntries)
    entry->InsertAndCopyRowsOrCols(AFirstRow, ALastRow, ADestRow, ACount, ASheetInfo, AUseCols);
}

void TRangeList::DeleteRowsOrCols(int ARow, int ACount, const biff::TSheetInfo& ASheetInfo,
                                  bool AUseCols) {
  for (const auto& entry : FEntries) entry->DeleteRowsOrCols(ARow, ACount, ASheetInfo, AUseCols);
}

void TRangeList::MergeCells(int ARow1, int ACol1, int ARow2, int ACol2) {
  if (ARow1 > ARow2) std::swap(ARow1, ARow2);
  if (ACol1 > ACol2) std::swap(ACol1, ACol2);
  // Each pass that grows the rectangle absorbs at least one range, so this ends.
  for (bool grown = true; grown;) {
    grown = false;
    for (const auto& entry : FEntries)
      if (auto* merged = dynamic_cast<TMergedCells*>(entry.get()))
        grown = merged->PreMerge(ARow1, ACol1, ARow2, ACol2) || grown;
  }
  TMergedCells* last = nullptr;
  for (const auto& entry : FEntries)
    if (auto* merged = dynamic_cast<TMergedCells*>(entry.get())) last = merged;
  if (!last) {
    auto entry = std::make_unique<TMergedCells>();
    last = entry.get();
    Add(std::move(entry));
  }
  last->MergeCells(ARow1, ACol1, ARow2, ACol2);
}

void TRangeList::UnMergeCells(int ARow1, int ACol1, int ARow2, int ACol2) {
  if (ARow1 > ARow2) std::swap(ARow1, ARow2);
  if (ACol1 > ACol2) std::swap(ACol1, ACol2);
  for (const auto& entry : FEntries)
    if (auto* merged = dynamic_cast<TMergedCells*>(entry.get()))
      merged->UnMergeCells(ARow1, ACol1, ARow2, ACol2);
}

biff::TXlsCellRange TRangeList::CellMergedBounds(int ARow, int ACol) const {
  biff::TXlsCellRange bounds;
  for (const auto& entry : FEntries)
    if (auto* merged = dynamic_cast<const TMergedCells*>(entry.get()))
      if (merged->CheckCell(ARow, ACol, bounds)) return bounds;
  return {ACol, ARow, ACol, ARow};
}

biff::TXlsCellRange TRangeList::CellMergedList(int AIndex) const {
  if (AIndex < 0) return {};
  for (const auto& entry : FEntries) {
    if (auto* merged = dynamic_cast<const TMergedCells*>(entry.get())) {
      if (AIndex < merged->MergedCount()) return merged->MergedCell(AIndex);
      AIndex -= merged->MergedCount();
    }
  }
  return {};
}

int TRangeList::CellMergedListCount() const {
  int count = 0;
  for (const auto& entry : FEntries)
    if (auto* merged = dynamic_cast<const TMergedCells*>(entry.get()))
      count += merged->MergedCount();
  return count;
}

}  // namespace engine::records
