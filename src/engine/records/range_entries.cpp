#include "engine/records/range_entries.h"

#include <algorithm>
#include <vector>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_ids.h"

namespace engine::records {

namespace {

constexpr std::size_t kCondFmtOtherDataLen = 12;  // CF count, flags, bounding range

biff::TXlsCellRange CellRangeOf(const TExcelRange& AItem) noexcept {
  return {AItem.C1, AItem.R1, AItem.C2, AItem.R2};
}

// A count of rows or columns for the formula arranger: moving by more than a sheet holds
// breaks every reference it reaches, as moving by just past the sheet does.
int NarrowCount(std::int64_t ACount) noexcept {
  constexpr std::int64_t kBeyondSheet = biff::kMaxRow + 1;
  return static_cast<int>(std::clamp(ACount, -kBeyondSheet, kBeyondSheet));
}

int NarrowPosition(std::int64_t APosition) noexcept {
  return static_cast<int>(std::clamp<std::int64_t>(APosition, 0, biff::kMaxRow + 1));
}

}  // namespace

// ---- TRangeEntry

void TRangeEntry::SaveRecordHeader(biff::TRecordSink& AStream, int ALine, int ACount) const {
  std::vector<std::uint8_t> bytes(biff::kRecordHeaderSize + FRangeValuesList.OtherDataLen());
  base::StoreLE16(bytes.data(), RecordId());
  base::StoreLE16(bytes.data() + 2,
                  static_cast<std::uint16_t>(FRangeValuesList.RecordSizeR(ALine, ACount)));
  SaveOtherData(bytes.data() + biff::kRecordHeaderSize);
  AStream.WriteMem(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

void TRangeEntry::SaveToStream(biff::TRecordSink& AStream) {
  const int count = static_cast<int>(FRangeValuesList.Count());
  if (count == 0) return;
  for (int line = 0; line < FRangeValuesList.RepeatCountR(count); ++line) {
    SaveRecordHeader(AStream, line, count);
    FRangeValuesList.SaveToStreamR(AStream, line);
    SaveAfterRecord(AStream);
  }
}

void TRangeEntry::SaveRangeToStream(biff::TRecordSink& AStream,
                                    const biff::TXlsCellRange& ACellRange) {
  const int count = FRangeValuesList.CountRangeRecords(ACellRange);
  if (count == 0) return;
  for (int line = 0; line < FRangeValuesList.RepeatCountR(count); ++line) {
    SaveRecordHeader(AStream, line, count);
    FRangeValuesList.SaveRangeToStreamR(AStream, line, count, ACellRange);
    SaveAfterRecord(AStream);
  }
}

std::int64_t TRangeEntry::SizeOfRecords(int ACount) const {
  if (ACount <= 0) return 0;
  return FRangeValuesList.TotalSizeR(ACount) +
         FRangeValuesList.RepeatCountR(ACount) * SizeAfterRecord();
}

std::int64_t TRangeEntry::TotalSize() const {
  return SizeOfRecords(static_cast<int>(FRangeValuesList.Count()));
}

std::int64_t TRangeEntry::TotalRangeSize(const biff::TXlsCellRange& ACellRange) const {
  return SizeOfRecords(FRangeValuesList.CountRangeRecords(ACellRange));
}

void TRangeEntry::ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos, int AColCount,
                                           const biff::TSheetInfo&) {
  FRangeValuesList.ArrangeInsertRowsAndCols(ARowPos, ARowCount, AColPos, AColCount);
}

// ---- TMergedCells

void TMergedCells::LoadFromStream(biff::TRecordReader&, biff::TRecordHeader&,
                                  const biff::TBaseRecord& AFirst) {
  RangeValuesList().Load(AFirst, 0);
}

void TMergedCells::InsertAndCopyRowsOrCols(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                                           const biff::TSheetInfo&, bool AUseCols) {
  RangeValuesList().CopyRowsInclusive(AFirstRow, ALastRow, ADestRow, ACount, AUseCols);
}

void TMergedCells::DeleteRowsOrCols(int ARow, int ACount, const biff::TSheetInfo&, bool AUseCols) {
  RangeValuesList().DeleteRows(ARow, ACount, false, AUseCols);
}

bool TMergedCells::CheckCell(int ARow, int ACol, biff::TXlsCellRange& ACellBounds) const {
  const TRangeValuesList& items = RangeValuesList();
  for (std::size_t i = 0; i < items.Count(); ++i) {
    if (items[i].Contains(ARow, ACol)) {
      ACellBounds = CellRangeOf(items[i]);
      return true;
    }
  }
  return false;
}

biff::TXlsCellRange TMergedCells::MergedCell(int AIndex) const {
  return CellRangeOf(RangeValuesList()[static_cast<std::size_t>(AIndex)]);
}

bool TMergedCells::PreMerge(int& AR1, int& AC1, int& AR2, int& AC2) {
  if (!IsValidMergeRange(AR1, AC1, AR2, AC2)) return false;
  TRangeValuesList& items = RangeValuesList();
  bool absorbed = false;
  for (std::size_t i = items.Count(); i-- > 0;) {
    const TExcelRange item = items[i];
    // A range read from a file beyond the last column is left as read: absorbing it would
    // carry the rectangle out of the sheet, where it could no longer be merged.
    if (!item.InsideSheet()) continue;
    if (std::max<int>(item.R1, AR1) > std::min<int>(item.R2, AR2) ||
        std::max<int>(item.C1, AC1) > std::min<int>(item.C2, AC2))
      continue;
    AR1 = std::min<int>(AR1, item.R1);
    AC1 = std::min<int>(AC1, item.C1);
    AR2 = std::max<int>(AR2, item.R2);
    AC2 = std::max<int>(AC2, item.C2);
    items.Delete(i);
    absorbed = true;
  }
  return absorbed;
}

void TMergedCells::MergeCells(int AFirstRow, int AFirstCol, int ALastRow, int ALastCol) {
  RangeValuesList().AddNewRange(AFirstRow, AFirstCol, ALastRow, ALastCol);
}

void TMergedCells::UnMergeCells(int AFirstRow, int AFirstCol, int ALastRow, int ALastCol) {
  TRangeValuesList& items = RangeValuesList();
  for (std::size_t i = items.Count(); i-- > 0;) {
    const TExcelRange& item = items[i];
    if (item.R1 == AFirstRow && item.C1 == AFirstCol && item.R2 == ALastRow && item.C2 == ALastCol)
      items.Delete(i);
  }
}

std::unique_ptr<TRangeEntry> TMergedCells::DoCopyTo() const {
  auto copy = std::make_unique<TMergedCells>();
  copy->RangeValuesList().CopyFrom(RangeValuesList());
  return copy;
}

std::uint16_t TMergedCells::RecordId() const noexcept {
  return biff::rid::MergedCells;
}

// ---- TCondFmt

TCondFmt::TCondFmt(const ICFFormulaArranger& AFormulas) noexcept
    : TRangeEntry(kCondFmtOtherDataLen), FFormulas(&AFormulas) {}

void TCondFmt::LoadFromStream(biff::TRecordReader& AStream, biff::TRecordHeader& AHeader,
                              const biff::TBaseRecord& AFirst) {
  biff::TRecordCursor cursor{&AFirst, 0};
  std::uint8_t head[kCondFmtOtherDataLen];
  biff::ReadRecordBytes(cursor, sizeof head, head);
  const std::uint16_t ruleCount = base::LoadLE16(head);
  FFlag = base::LoadLE16(head + 2);
  FAllRange = {base::LoadLE16(head + 4), base::LoadLE16(head + 6), base::LoadLE16(head + 8),
               base::LoadLE16(head + 10)};
  RangeValuesList().Load(AFirst, kCondFmtOtherDataLen);
  for (std::uint16_t i = 0; i < ruleCount; ++i) {
    if (AHeader.Id != biff::rid::CF) base::Raise(base::TMessage::InvalidCondFmtRecord);
    std::unique_ptr<biff::TBaseRecord> record = biff::ReadRecord(AStream, AHeader);
    auto* rule = dynamic_cast<TCFRecord*>(record.get());
    if (!rule || !rule->IsValid()) base::Raise(base::TMessage::InvalidCondFmtRecord);
    record.release();
    FCFs.Add(std::unique_ptr<TCFRecord>(rule));
  }
}

void TCondFmt::ArrangeFormulas(std::int64_t ARowPos, std::int64_t ARowCount, std::int64_t AColPos,
                               std::int64_t AColCount, const biff::TSheetInfo& ASheetInfo) {
  for (std::size_t i = 0; i < FCFs.Count(); ++i)
    FCFs[i]->ArrangeInsertRowsAndCols(*FFormulas, NarrowPosition(ARowPos), NarrowCount(ARowCount),
                                      NarrowPosition(AColPos), NarrowCount(AColCount), ASheetInfo);
}

void TCondFmt::ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos, int AColCount,
                                        const biff::TSheetInfo& ASheetInfo) {
  TRangeEntry::ArrangeInsertRowsAndCols(ARowPos, ARowCount, AColPos, AColCount, ASheetInfo);
  ArrangeRange(FAllRange, ARowPos, ARowCount, AColPos, AColCount);
  ArrangeFormulas(ARowPos, ARowCount, AColPos, AColCount, ASheetInfo);
}

void TCondFmt::InsertAndCopyRowsOrCols(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                                       const biff::TSheetInfo& ASheetInfo, bool AUseCols) {
  if (ACount <= 0 || ALastRow < AFirstRow) return;
  TRangeValuesList& items = RangeValuesList();
  items.CopyRowsExclusive(AFirstRow, ALastRow, ADestRow, ACount, AUseCols);
  const std::int64_t inserted = (static_cast<std::int64_t>(ALastRow) - AFirstRow + 1) * ACount;
  const std::int64_t rowCount = AUseCols ? 0 : inserted;
  const std::int64_t colCount = AUseCols ? inserted : 0;
  ArrangeRange(FAllRange, ADestRow, rowCount, ADestRow, colCount);
  // The bounding range holds the copies too.
  for (std::size_t i = 0; i < items.Count(); ++i) FAllRange = UnionOf(FAllRange, items[i]);
  ArrangeFormulas(ADestRow, rowCount, ADestRow, colCount, ASheetInfo);
}

void TCondFmt::DeleteRowsOrCols(int ARow, int ACount, const biff::TSheetInfo& ASheetInfo,
                                bool AUseCols) {
  if (ACount <= 0) return;
  RangeValuesList().DeleteRows(ARow, ACount, true, AUseCols);
  const int rowCount = AUseCols ? 0 : -ACount;
  const int colCount = AUseCols ? -ACount : 0;
  ArrangeRange(FAllRange, ARow, rowCount, ARow, colCount);
  ArrangeFormulas(ARow, rowCount, ARow, colCount, ASheetInfo);
}

std::unique_ptr<TRangeEntry> TCondFmt::DoCopyTo() const {
  auto copy = std::make_unique<TCondFmt>(*FFormulas);
  copy->RangeValuesList().CopyFrom(RangeValuesList());
  copy->FFlag = FFlag;
  copy->FAllRange = FAllRange;
  copy->FCFs.CopyFrom(FCFs);
  return copy;
}

std::uint16_t TCondFmt::RecordId() const noexcept {
  return biff::rid::CondFmt;
}

void TCondFmt::SaveOtherData(std::uint8_t* AData) const {
  base::StoreLE16(AData, static_cast<std::uint16_t>(FCFs.Count()));
  base::StoreLE16(AData + 2, FFlag);
  base::StoreLE16(AData + 4, FAllRange.R1);
  base::StoreLE16(AData + 6, FAllRange.R2);
  base::StoreLE16(AData + 8, FAllRange.C1);
  base::StoreLE16(AData + 10, FAllRange.C2);
}

void TCondFmt::SaveAfterRecord(biff::TRecordSink& AStream) {
  FCFs.SaveToStream(AStream);
}

}  // namespace engine::records
