// The records through which formulas refer to sheets, other workbooks and names, each kept
// with its body as read.
#pragma once

#include "engine/biff/base_record.h"

namespace engine::formulas {

// SUPBOOK (0x01AE): a workbook formulas refer to (this one or another).
class TSupBookRecord final : public biff::TConcreteRecord<TSupBookRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// EXTERNSHEET (0x0017): the sheet ranges 3-D references point at.
class TExternSheetRecord final : public biff::TConcreteRecord<TExternSheetRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// EXTERNNAME (0x0023, 0x0223): a name in another workbook or an add-in function.
class TExternNameRecord final : public biff::TConcreteRecord<TExternNameRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// NAME (0x0018): a defined name.
class TNameRecord final : public biff::TConcreteRecord<TNameRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

}  // namespace engine::formulas
