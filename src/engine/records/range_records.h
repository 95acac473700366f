// The records of cell ranges (merged cells, conditional formats, data validation). MERGEDCELLS
// and CONDFMT records are decoded into the range entries of a sheet (range_entries.h) and
// written anew from them; DVAL is kept with its body as read.
#pragma once

#include <cstdint>
#include <span>

#include "engine/biff/base_record.h"
#include "engine/biff/row_col_record.h"

namespace engine::records {

// The records whose body lists cell ranges.
class TRangeRecord : public biff::TBaseRecord {
 protected:
  using TBaseRecord::TBaseRecord;
};

// MERGEDCELLS (0x00E5): merged cell ranges.
//   off  size  field
//   0    2     n, the number of ranges (at most 513 in what the engine writes)
//   2    8n    ranges: first row, last row, first column, last column (16-bit each)
class TCellMergingRecord final : public biff::TConcreteRecord<TCellMergingRecord, TRangeRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// CONDFMT (0x01B0): the ranges of a conditional format; its CF records follow it.
//   off  size  field
//   0    2     number of CF records that follow
//   2    2     flags, carried
//   4    8     bounding range of all the ranges (rows, then columns)
//   12   2     n, the number of ranges
//   14   8n    ranges, as in MERGEDCELLS
class TCondFmtRecord final : public biff::TConcreteRecord<TCondFmtRecord, TRangeRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// How the references in the formulas of conditional formats follow inserted and deleted rows
// and columns. The formula layer implements it over its token walker; the sheet hands it to
// its range list, which gives it to every conditional format it holds.
class ICFFormulaArranger {
 public:
  virtual ~ICFFormulaArranger() = default;

  // Moves the references in ATokens as ArrangeInsertRowsAndCols moves cells (negative counts
  // delete); raises ETokenException for a token it cannot handle.
  virtual void ArrangeInsertRowsAndCols(std::span<std::uint8_t> ATokens, int ARowPos, int ARowCount,
                                        int AColPos, int AColCount,
                                        const biff::TSheetInfo& ASheetInfo) const = 0;
};

// CF (0x01B1): one rule of a conditional format.
//   off  size  field
//   0    1     CfType: 1 compares the cell value, 2 evaluates a formula
//   1    1     Op: the comparison
//   2    2     Cce1: bytes of the first formula
//   4    2     Cce2: bytes of the second formula
//   6    var   the formatting the rule applies
//   end        the first formula (Cce1 bytes), then the second (Cce2 bytes): the last
//              Cce1 + Cce2 bytes of the body
class TCFRecord final : public biff::TConcreteRecord<TCFRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;

  std::uint8_t CfType() const { return GetByte(0); }
  std::uint8_t Op() const { return GetByte(1); }
  std::uint16_t Cce1() const { return GetWord(2); }
  std::uint16_t Cce2() const { return GetWord(4); }
  // Whether the body holds its fixed part and both formulas.
  bool IsValid() const noexcept;
  // The tokens of the two formulas; raise "Invalid conditional format record" when the body
  // cannot hold them.
  std::span<std::uint8_t> Formula1();
  std::span<std::uint8_t> Formula2();

  // Moves the references of both formulas; a token the arranger cannot handle raises "Bad
  // Conditional format. Token Id: 0x%2x".
  void ArrangeInsertRowsAndCols(const ICFFormulaArranger& AArranger, int ARowPos, int ARowCount,
                                int AColPos, int AColCount, const biff::TSheetInfo& ASheetInfo);
};

// DVAL (0x01B2): the data validations of a sheet.
class TDValRecord final : public biff::TConcreteRecord<TDValRecord, TRangeRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

}  // namespace engine::records
