// Records whose body begins with a row and a column, the ranges that select them and the
// parameter of row and column arrangements.
#pragma once

#include <cstdint>

#include "engine/biff/base_record.h"

namespace engine::biff {

// A block of cells, inclusive on all sides; 0-based inside the engine.
struct TXlsCellRange {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  bool Contains(int ARow, int ACol) const noexcept {
    return ARow >= Top && ARow <= Bottom && ACol >= Left && ACol <= Right;
  }
};

// The sheet an arrangement happens on (InsSheet) and the sheet the arranged record belongs to
// (FormulaSheet); a record moves only when both are the same sheet.
struct TSheetInfo {
  int InsSheet = -1;
  int FormulaSheet = -1;
};

inline constexpr std::int64_t kMaxRow = 65535;
inline constexpr std::int64_t kMaxCol = 255;

// A record whose body begins with:
//   off  size  field
//   0    2     row     zero-based
//   2    2     column  zero-based
// A body shorter than 4 bytes is refused with "Record with ID 0x%x is invalid".
class TBaseRowColRecord : public TBaseRecord {
 public:
  std::uint16_t Row() const { return GetWord(0); }
  std::uint16_t Column() const { return GetWord(2); }
  void SetRow(std::uint16_t AValue) { SetWord(0, AValue); }
  void SetColumn(std::uint16_t AValue) { SetWord(2, AValue); }

  // Moves the record when rows or columns are inserted (negative counts delete) on its own
  // sheet: a row at or after ARowPos moves by ARowCount (limit 65535), a column at or after
  // AColPos by AColCount (limit 255); a result outside the limits raises "Too many entries".
  virtual void ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos, int AColCount,
                                        const TSheetInfo& ASheetInfo);
  // Adds the offsets to row and column, wrapping at 16 bits.
  virtual void ArrangeCopyRowsAndCols(int ARowOffset, int AColOffset);
  // The record's size for a save; cells and formulas compute theirs.
  virtual std::int64_t FixTotalSize(bool ANeedsRecalc);

 protected:
  TBaseRowColRecord(std::uint16_t AId, TRecordData AData);

 private:
  void CheckBody() const;
};

// The base of the cell records; after row and column comes
//   off  size  field
//   4    2     XF  index of the cell's format
class TCellRecord : public TBaseRowColRecord {
 public:
  std::uint16_t XF() const { return GetWord(4); }
  void SetXF(std::uint16_t AValue) { SetWord(4, AValue); }

 protected:
  using TBaseRowColRecord::TBaseRowColRecord;
};

}  // namespace engine::biff
