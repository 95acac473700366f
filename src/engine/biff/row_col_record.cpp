#include "engine/biff/row_col_record.h"

#include "base/exception.h"

namespace engine::biff {

TBaseRowColRecord::TBaseRowColRecord(std::uint16_t AId, TRecordData AData)
    : TBaseRecord(AId, std::move(AData)) {
  CheckBody();
}

void TBaseRowColRecord::CheckBody() const {
  if (DataSize() < 4) base::Raise(base::TMessage::InvalidRecordWithId, {Id()});
}

void TBaseRowColRecord::ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos,
                                                 int AColCount, const TSheetInfo& ASheetInfo) {
  CheckBody();
  if (ASheetInfo.InsSheet < 0 || ASheetInfo.FormulaSheet != ASheetInfo.InsSheet) return;
  if (Row() >= ARowPos) IncWord(0, ARowCount, kMaxRow);
  if (Column() >= AColPos) IncWord(2, AColCount, kMaxCol);
}

void TBaseRowColRecord::ArrangeCopyRowsAndCols(int ARowOffset, int AColOffset) {
  CheckBody();
  SetRow(static_cast<std::uint16_t>(Row() + ARowOffset));
  SetColumn(static_cast<std::uint16_t>(Column() + AColOffset));
}

std::int64_t TBaseRowColRecord::FixTotalSize(bool) {
  return TotalSize();
}

}  // namespace engine::biff
