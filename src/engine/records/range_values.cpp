#include "engine/records/range_values.h"

#include <algorithm>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_reader.h"

namespace engine::records {

namespace {

// The bounds of an item along rows or along columns.
struct TBand {
  std::uint16_t TExcelRange::*First;
  std::uint16_t TExcelRange::*Last;
  std::int64_t Limit;
};

constexpr TBand kRowBand{&TExcelRange::R1, &TExcelRange::R2, biff::kMaxRow};
constexpr TBand kColBand{&TExcelRange::C1, &TExcelRange::C2, biff::kMaxCol};

const TBand& BandOf(bool AUseCols) noexcept {
  return AUseCols ? kColBand : kRowBand;
}

// Never above AHigh, even when ALow is (bounds read from a file may lie beyond the sheet).
std::int64_t Clamp(std::int64_t AValue, std::int64_t ALow, std::int64_t AHigh) noexcept {
  return std::min(std::max(AValue, ALow), AHigh);
}

std::uint16_t Bound(std::int64_t AValue) noexcept {
  return static_cast<std::uint16_t>(Clamp(AValue, 0, UINT16_MAX));
}

void ShiftBand(TExcelRange& AItem, const TBand& ABand, std::int64_t APos, std::int64_t ACount) {
  if (ACount == 0) return;
  std::int64_t first = AItem.*ABand.First;
  std::int64_t last = AItem.*ABand.Last;
  if (first >= APos) first = Clamp(first + ACount, APos, ABand.Limit);
  if (last >= APos) {
    std::int64_t moved = last + ACount;
    // A last bound inside a deleted band ends before it: what is left of the item above.
    if (ACount < 0 && moved < APos) moved = APos - 1;
    last = Clamp(moved, first, ABand.Limit);
  }
  AItem.*ABand.First = Bound(first);
  AItem.*ABand.Last = Bound(last);
}

void StoreItem(std::uint8_t* AAt, const TExcelRange& AItem) noexcept {
  base::StoreLE16(AAt, AItem.R1);
  base::StoreLE16(AAt + 2, AItem.R2);
  base::StoreLE16(AAt + 4, AItem.C1);
  base::StoreLE16(AAt + 6, AItem.C2);
}

// Writes the item count and the items of one record in one piece.
template <class TItems>
void WriteItems(biff::TRecordSink& AStream, std::size_t ACount, TItems&& AEachItem) {
  std::vector<std::uint8_t> bytes(2 + kExcelRangeSize * ACount);
  base::StoreLE16(bytes.data(), static_cast<std::uint16_t>(ACount));
  std::uint8_t* at = bytes.data() + 2;
  AEachItem([&](const TExcelRange& AItem) {
    StoreItem(at, AItem);
    at += kExcelRangeSize;
  });
  AStream.WriteMem(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace

bool TExcelRange::Overlaps(const TExcelRange& AOther) const noexcept {
  return std::max(R1, AOther.R1) <= std::min(R2, AOther.R2) &&
         std::max(C1, AOther.C1) <= std::min(C2, AOther.C2);
}

bool TExcelRange::InsideSheet() const noexcept {
  return R1 <= R2 && C1 <= C2 && C2 <= biff::kMaxCol;
}

bool IsValidMergeRange(int AR1, int AC1, int AR2, int AC2) noexcept {
  if (AR1 < 0 || AC1 < 0 || AR1 > AR2 || AC1 > AC2) return false;
  if (AR2 > biff::kMaxRow || AC2 > biff::kMaxCol) return false;
  return AR1 != AR2 || AC1 != AC2;
}

void TRangeValuesList::Delete(std::size_t AIndex) {
  FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(AIndex));
}

void TRangeValuesList::AddNewRange(int AR1, int AC1, int AR2, int AC2) {
  if (!IsValidMergeRange(AR1, AC1, AR2, AC2)) return;
  FItems.push_back({static_cast<std::uint16_t>(AR1), static_cast<std::uint16_t>(AR2),
                    static_cast<std::uint16_t>(AC1), static_cast<std::uint16_t>(AC2)});
}

void TRangeValuesList::Load(const biff::TBaseRecord& ARecord, std::size_t APos) {
  biff::TRecordCursor cursor{&ARecord, APos};
  std::uint8_t bytes[kExcelRangeSize];
  biff::ReadRecordBytes(cursor, 2, bytes);
  const std::uint16_t count = base::LoadLE16(bytes);
  for (std::uint16_t i = 0; i < count; ++i) {
    biff::ReadRecordBytes(cursor, kExcelRangeSize, bytes);
    FItems.push_back({base::LoadLE16(bytes), base::LoadLE16(bytes + 2), base::LoadLE16(bytes + 4),
                      base::LoadLE16(bytes + 6)});
  }
}

void TRangeValuesList::SaveToStreamR(biff::TRecordSink& AStream, int ALine) const {
  const std::size_t start = static_cast<std::size_t>(ALine) * FMaxRangesPerRecord;
  const std::size_t count = start >= FItems.size()
                                ? 0
                                : std::min<std::size_t>(FMaxRangesPerRecord, FItems.size() - start);
  WriteItems(AStream, count, [&](auto AWrite) {
    for (std::size_t i = start; i < start + count; ++i) AWrite(FItems[i]);
  });
}

void TRangeValuesList::SaveRangeToStreamR(biff::TRecordSink& AStream, int ALine, int ACount,
                                          const biff::TXlsCellRange& ARange) const {
  const std::int64_t start = static_cast<std::int64_t>(ALine) * FMaxRangesPerRecord;
  const std::int64_t count = Clamp(ACount - start, 0, FMaxRangesPerRecord);
  WriteItems(AStream, static_cast<std::size_t>(count), [&](auto AWrite) {
    std::int64_t seen = 0;
    for (const TExcelRange& item : FItems) {
      if (!item.Inside(ARange)) continue;
      if (seen >= start + count) break;
      if (seen++ >= start) AWrite(item);
    }
  });
}

int TRangeValuesList::RepeatCountR(int ACount) const noexcept {
  return ACount <= 0 ? 1 : (ACount - 1) / FMaxRangesPerRecord + 1;
}

int TRangeValuesList::RecordSizeR(int ALine, int ACount) const noexcept {
  const int items = static_cast<int>(Clamp(
      static_cast<std::int64_t>(ACount) - static_cast<std::int64_t>(ALine) * FMaxRangesPerRecord, 0,
      FMaxRangesPerRecord));
  return FOtherDataLen + 2 + static_cast<int>(kExcelRangeSize) * items;
}

std::int64_t TRangeValuesList::TotalSizeR(int ACount) const noexcept {
  if (ACount <= 0) return 0;
  return static_cast<std::int64_t>(RepeatCountR(ACount)) *
             (FOtherDataLen + 2 + static_cast<std::int64_t>(biff::kRecordHeaderSize)) +
         static_cast<std::int64_t>(kExcelRangeSize) * ACount;
}

int TRangeValuesList::CountRangeRecords(const biff::TXlsCellRange& ARange) const noexcept {
  return static_cast<int>(std::count_if(FItems.begin(), FItems.end(),
                                        [&](const TExcelRange& A) { return A.Inside(ARange); }));
}

void ArrangeRange(TExcelRange& ARange, std::int64_t ARowPos, std::int64_t ARowCount,
                  std::int64_t AColPos, std::int64_t AColCount) noexcept {
  ShiftBand(ARange, kRowBand, ARowPos, ARowCount);
  ShiftBand(ARange, kColBand, AColPos, AColCount);
}

TExcelRange UnionOf(const TExcelRange& A, const TExcelRange& B) noexcept {
  return {std::min(A.R1, B.R1), std::max(A.R2, B.R2), std::min(A.C1, B.C1), std::max(A.C2, B.C2)};
}

void TRangeValuesList::ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos,
                                                int AColCount) {
  for (TExcelRange& item : FItems) ArrangeRange(item, ARowPos, ARowCount, AColPos, AColCount);
}

void TRangeValuesList::DeleteRows(int ARow, int ACount, bool AAllow1Cell, bool AUseCols) {
  if (ACount <= 0) return;
  const TBand& band = BandOf(AUseCols);
  const std::int64_t end = static_cast<std::int64_t>(ARow) + ACount;
  std::vector<TExcelRange> kept;
  kept.reserve(FItems.size());
  for (TExcelRange item : FItems) {
    if (item.*band.First >= ARow && item.*band.Last < end) continue;  // wholly deleted
    const bool wasOneCell = item.IsOneCell();
    ShiftBand(item, band, ARow, -static_cast<std::int64_t>(ACount));
    if (!AAllow1Cell && !wasOneCell && item.IsOneCell()) continue;
    kept.push_back(item);
  }
  FItems = std::move(kept);
}

struct TRangeValuesList::TCopyPlan {
  std::vector<TExcelRange> Copies;
  std::vector<std::size_t> Stretched;  // positions of the items stretched over the new rows
  std::int64_t Inserted = 0;           // rows (columns) inserted
};

TRangeValuesList::TCopyPlan TRangeValuesList::PlanCopies(int AFirstRow, int ALastRow, int ADestRow,
                                                         int ACount, bool AUseCols,
                                                         bool AStretch) const {
  const TBand& band = BandOf(AUseCols);
  const std::int64_t size = static_cast<std::int64_t>(ALastRow) - AFirstRow + 1;
  TCopyPlan plan;
  plan.Inserted = size * ACount;
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    const TExcelRange& item = FItems[i];
    const std::int64_t first = item.*band.First;
    const std::int64_t last = item.*band.Last;
    if (first < AFirstRow || last > ALastRow) continue;
    // The block right before or right at the new rows: the item and its copies make one range.
    if (AStretch && first == AFirstRow && last == ALastRow &&
        (ALastRow + 1 == ADestRow || AFirstRow == ADestRow)) {
      if (last + plan.Inserted > band.Limit)
        base::Raise(base::TMessage::TooManyEntries, {last + plan.Inserted, band.Limit});
      plan.Stretched.push_back(i);
      continue;
    }
    for (std::int64_t k = 0; k < ACount; ++k) {
      const std::int64_t copyFirst = ADestRow + k * size + (first - AFirstRow);
      const std::int64_t copyLast = ADestRow + k * size + (last - AFirstRow);
      if (copyLast > band.Limit)
        base::Raise(base::TMessage::TooManyEntries, {copyLast, band.Limit});
      TExcelRange copy = item;
      copy.*band.First = static_cast<std::uint16_t>(copyFirst);
      copy.*band.Last = static_cast<std::uint16_t>(copyLast);
      plan.Copies.push_back(copy);
    }
  }
  return plan;
}

void TRangeValuesList::InsertAndCopy(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                                     bool AUseCols, bool AStretch) {
  if (ACount <= 0 || ALastRow < AFirstRow) return;
  TCopyPlan plan = PlanCopies(AFirstRow, ALastRow, ADestRow, ACount, AUseCols, AStretch);
  const TBand& band = BandOf(AUseCols);
  for (TExcelRange& item : FItems) ShiftBand(item, band, ADestRow, plan.Inserted);
  for (std::size_t i : plan.Stretched) {
    FItems[i].*band.First = static_cast<std::uint16_t>(AFirstRow);
    FItems[i].*band.Last = static_cast<std::uint16_t>(ALastRow + plan.Inserted);
  }
  // Merged ranges (the copies that are never stretched) must not overlap: a copy that lands on
  // a range grown over the new rows stays out.
  const std::size_t existing = FItems.size();
  for (const TExcelRange& copy : plan.Copies) {
    const bool overlaps =
        !AStretch &&
        std::any_of(FItems.begin(), FItems.begin() + static_cast<std::ptrdiff_t>(existing),
                    [&](const TExcelRange& AItem) { return AItem.Overlaps(copy); });
    if (!overlaps) FItems.push_back(copy);
  }
}

void TRangeValuesList::CopyRowsInclusive(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                                         bool AUseCols) {
  InsertAndCopy(AFirstRow, ALastRow, ADestRow, ACount, AUseCols, false);
}

void TRangeValuesList::CopyRowsExclusive(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                                         bool AUseCols) {
  InsertAndCopy(AFirstRow, ALastRow, ADestRow, ACount, AUseCols, true);
}

}  // namespace engine::records
