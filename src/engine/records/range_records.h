// The records of cell ranges (merged cells, conditional formats, data validation), each kept
// with its body as read.
#pragma once

#include "engine/biff/base_record.h"

namespace engine::records {

// The records whose body lists cell ranges.
class TRangeRecord : public biff::TBaseRecord {
 protected:
  using TBaseRecord::TBaseRecord;
};

// MERGEDCELLS (0x00E5): merged cell ranges.
class TCellMergingRecord final : public biff::TConcreteRecord<TCellMergingRecord, TRangeRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// CONDFMT (0x01B0): the ranges of a conditional format; its CF records follow.
class TCondFmtRecord final : public biff::TConcreteRecord<TCondFmtRecord, TRangeRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// CF (0x01B1): one rule of a conditional format.
class TCFRecord final : public biff::TConcreteRecord<TCFRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// DVAL (0x01B2): the data validations of a sheet.
class TDValRecord final : public biff::TConcreteRecord<TDValRecord, TRangeRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

}  // namespace engine::records
