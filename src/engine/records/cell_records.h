// The cell, row, column and dimension records of a worksheet, each kept with its body as read
// and written back unchanged.
#pragma once

#include "engine/biff/row_col_record.h"

namespace engine::records {

// BLANK (0x0201): row, column, XF; an empty cell with a format.
class TBlankRecord final : public biff::TConcreteRecord<TBlankRecord, biff::TCellRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// NUMBER (0x0203): row, column, XF, IEEE 754 double at 6.
class TNumberRecord final : public biff::TConcreteRecord<TNumberRecord, biff::TCellRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// RK (0x027E): row, column, XF, RK-encoded number at 6.
class TRKRecord final : public biff::TConcreteRecord<TRKRecord, biff::TCellRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// BOOLERR (0x0205): row, column, XF, value byte at 6, error flag at 7.
class TBoolErrRecord final : public biff::TConcreteRecord<TBoolErrRecord, biff::TCellRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// The records that hold a run of cells of one row: row, first column, the cells, last column.
class TMultipleValueRecord : public biff::TBaseRecord {
 protected:
  using TBaseRecord::TBaseRecord;
};

// MULRK (0x00BD): one (XF, RK) pair of 6 bytes per cell.
class TMulRKRecord final : public biff::TConcreteRecord<TMulRKRecord, TMultipleValueRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// MULBLANK (0x00BE): one XF per cell.
class TMulBlankRecord final : public biff::TConcreteRecord<TMulBlankRecord, TMultipleValueRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// ROW (0x0208): row, first column, last column + 1, height, options, row XF (16 bytes).
class TRowRecord final : public biff::TConcreteRecord<TRowRecord, biff::TBaseRowColRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// COLINFO (0x007D): first and last column, width, XF, options (12 bytes).
class TColInfoRecord final : public biff::TConcreteRecord<TColInfoRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// DIMENSIONS (0x0200): the used range of a sheet (14 bytes).
class TDimensionsRecord final : public biff::TConcreteRecord<TDimensionsRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

}  // namespace engine::records
