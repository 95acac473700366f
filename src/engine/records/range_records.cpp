#include "engine/records/range_records.h"

#include "base/exception.h"

namespace engine::records {

namespace {

constexpr std::size_t kCFFixedSize = 6;  // type, operator and the two formula lengths

}  // namespace

bool TCFRecord::IsValid() const noexcept {
  if (DataSize() < kCFFixedSize) return false;
  return static_cast<std::size_t>(Cce1()) + Cce2() <= DataSize() - kCFFixedSize;
}

std::span<std::uint8_t> TCFRecord::Formula1() {
  if (!IsValid()) base::Raise(base::TMessage::InvalidCondFmtRecord);
  return Data().subspan(DataSize() - Cce1() - Cce2(), Cce1());
}

std::span<std::uint8_t> TCFRecord::Formula2() {
  if (!IsValid()) base::Raise(base::TMessage::InvalidCondFmtRecord);
  return Data().subspan(DataSize() - Cce2(), Cce2());
}

void TCFRecord::ArrangeInsertRowsAndCols(const ICFFormulaArranger& AArranger, int ARowPos,
                                         int ARowCount, int AColPos, int AColCount,
                                         const biff::TSheetInfo& ASheetInfo) {
  try {
    for (std::span<std::uint8_t> formula : {Formula1(), Formula2()})
      if (!formula.empty())
        AArranger.ArrangeInsertRowsAndCols(formula, ARowPos, ARowCount, AColPos, AColCount,
                                           ASheetInfo);
  } catch (const base::ETokenException& e) {
    base::Raise(base::TMessage::BadConditionalFormat, {e.TokenId()});
  }
}

}  // namespace engine::records
