// Formula reference shifting: one walk over stored tokens, in place, keeps references pointing
// at the same cells when rows or columns are inserted, deleted or copied, or a sheet is
// copied, and expands a shared formula into the cell that uses it.
//
// A reference that can no longer point at its cells becomes its error form (ptgRef ->
// ptgRefErr, ptgArea -> ptgAreaErr, ptgRef3d -> ptgRefErr3d, ptgArea3d -> ptgAreaErr3d,
// keeping the class). A token the walk cannot handle raises ETokenException with its id
// ("Error reading formula, Token Id: 0x%2x is not supported"); the tokens walked before it
// stay changed, and the caller words its own message from TokenId().
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/formulas/formula_context.h"

namespace engine::formulas {

// The sheets a walk concerns.
struct TTokenSheets {
  int InsSheet = -1;      // the sheet whose rows or columns change; in a sheet copy, the new one
  int FormulaSheet = -1;  // the sheet that holds the tokens; in a sheet copy, the source
  ISheetReferences* References = nullptr;  // not owned; without it 3-D references count as
                                           // references to FormulaSheet
  const IDefinedNames* Names = nullptr;    // not owned; retargets names in a sheet copy
};

// What the walk does.
struct TTokenShift {
  int RowPos = 0;  // rows inserted (RowCount > 0) or deleted (RowCount < 0) from this row on
  int RowCount = 0;
  int ColPos = 0;
  int ColCount = 0;
  int RowOffset = 0;  // moves of the relative parts of a copy
  int ColOffset = 0;
  bool KeepAbsolute = true;  // false: the copy offsets move absolute parts too
  bool CopySheet = false;
  int CellRow = -1;  // the cell a shared formula is expanded into, -1 otherwise
  int CellCol = -1;
};

void ShiftTokens(std::span<std::uint8_t> ATokens, const TTokenSheets& ASheets,
                 const TTokenShift& AShift);

// Rows aRowPos.. and columns aColPos.. of ASheets.InsSheet move by the counts (negative for a
// deletion).
void ArrangeInsertRowsAndCols(std::span<std::uint8_t> ATokens, int aRowPos, int aRowCount,
                              int aColPos, int aColCount, const TTokenSheets& ASheets);
// The tokens of a formula copied ARowOffset rows down and AColOffset columns right. Chart
// formulas move their absolute parts too (AKeepAbsolute false).
void ArrangeCopyRowsAndCols(std::span<std::uint8_t> ATokens, int ARowOffset, int AColOffset,
                            bool AKeepAbsolute = true);
// The tokens of a copy of sheet ASheets.FormulaSheet placed at ASheets.InsSheet: references to
// the source sheet refer to the copy, and with Names, names of the source to the copy's names.
void ArrangeCopySheet(std::span<std::uint8_t> ATokens, const TTokenSheets& ASheets);

// A FORMULA record's data that only points at a shared formula: 27 bytes, one ptgExp.
bool IsExp(std::span<const std::uint8_t> AFormulaData);
// The key of the SHRFMLA record such a formula points at: (master column << 16) | master row.
std::uint32_t ExpKey(std::span<const std::uint8_t> AFormulaData);
// Replaces the token length and tokens of a FORMULA record's data with those of the SHRFMLA
// record's data (from its offset 8) and expands them for the formula's cell. The data is left
// as it was when the expansion fails.
void MixShared(std::vector<std::uint8_t>& AFormulaData, std::span<const std::uint8_t> AShrFmlaData);

}  // namespace engine::formulas
