// The records of formulas, each kept with its body as read: the formula cell, the cached text
// of a string result, and the array, table and shared-formula records that complete formulas.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/biff/attached_records.h"
#include "engine/biff/row_col_record.h"

namespace engine::formulas {

// FORMULA (0x0006): row, column, XF, cached result, options, parsed tokens. A TABLE or ARRAY
// record right after it becomes part of it and is written right after it.
class TFormulaRecord final : public biff::TConcreteRecord<TFormulaRecord, biff::TCellRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;

  const biff::TAttachedRecords& Attached() const noexcept { return FAttached; }
  bool TakesAttachment(std::uint16_t AId) const override;
  void Attach(std::unique_ptr<biff::TBaseRecord> ARecord) override {
    FAttached.Add(std::move(ARecord));
  }
  std::unique_ptr<biff::TBaseRecord> DoCopyTo() const override;
  void SaveToStream(biff::TRecordSink& AStream) override;
  std::int64_t TotalSize() const override;

 private:
  biff::TAttachedRecords FAttached;
};

// STRING (0x0207): the text result of the formula before it.
class TStringRecord final : public biff::TConcreteRecord<TStringRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// ARRAY (0x0221): the range and tokens of an array formula.
class TArrayRecord final : public biff::TConcreteRecord<TArrayRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// TABLE (0x0236): a data table.
class TTableRecord final : public biff::TConcreteRecord<TTableRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// SHRFMLA (0x04BC): the tokens shared by a range of formulas.
class TShrFmlaRecord final : public biff::TConcreteRecord<TShrFmlaRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

}  // namespace engine::formulas
