// The results grid: a table of text cells addressed (column, row), both 0-based, with the
// sizes, styles and print settings the workbook export reads. The runs fill it; a window view
// adapts it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "grid/cell_style.h"

namespace grid {

enum class TPrintOrientation : std::uint8_t { Portrait, Landscape };

struct TGridLines {
  int Width = 1;
  TColor Color = kSilver;
  bool Horizontal = true;
  bool Vertical = true;
  bool FixedHorizontal = true;
  bool FixedVertical = true;

  bool operator==(const TGridLines&) const = default;
};

class TSpreadGrid;

// One column of the grid, as `Cols[c]` names it.
class TGridColumn {
 public:
  TGridColumn(TSpreadGrid& AGrid, int ACol) : FGrid(&AGrid), FCol(ACol) {}
  // Blanks the column's texts in rows 0 to RowCount-1; rows beyond keep theirs.
  void Clear();

 private:
  TSpreadGrid* FGrid;  // not owned
  int FCol;
};

class TSpreadGrid {
 public:
  static constexpr int kDefaultRowHeight = 24;
  static constexpr int kDefaultColWidth = 64;
  static constexpr int kCellMargin = 2;

  TSpreadGrid(int AColCount = 5, int ARowCount = 5);

  // Counts below 1 become 1; rows and columns include the fixed ones, which always leave at
  // least one scrolling row and column.
  int ColCount() const noexcept { return FColCount; }
  int RowCount() const noexcept { return FRowCount; }
  void SetColCount(int ACount);
  void SetRowCount(int ACount);
  int FixedCols() const noexcept { return FFixedCols; }
  int FixedRows() const noexcept { return FFixedRows; }
  void SetFixedCols(int ACount);
  void SetFixedRows(int ACount);

  // A cell's text; any column and row >= 0 may be set, also beyond the counts: such a text is
  // kept and becomes part of the grid when the counts grow past it. A text beginning with "="
  // is a formula.
  std::string Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, std::string AText);
  TGridColumn Cols(int ACol);

  int RowHeight(int ARow) const;
  int ColWidth(int ACol) const;
  void SetRowHeight(int ARow, int APixels);
  void SetColWidth(int ACol, int APixels);
  bool RowHidden(int ARow) const;
  bool ColHidden(int ACol) const;
  void SetRowHidden(int ARow, bool AHidden);
  void SetColHidden(int ACol, bool AHidden);
  int CellMarginX() const noexcept { return kCellMargin; }
  int CellMarginY() const noexcept { return kCellMargin; }

  // The style of a cell (the default style when none was set); StyleOf creates one to change.
  const TCellStyle& CellStyle(int ACol, int ARow) const;
  TCellStyle& StyleOf(int ACol, int ARow);
  bool IsFixedCell(int ACol, int ARow) const noexcept;
  // What the cell is painted with: the fixed colour for fixed cells, else its background.
  TColor CellBackground(int ACol, int ARow) const;
  TColor FixedColor() const noexcept { return FFixedColor; }
  void SetFixedColor(TColor AColor) noexcept { FFixedColor = AColor; }

  TPrintOrientation PrintOrientation() const noexcept { return FPrintOrientation; }
  void SetPrintOrientation(TPrintOrientation AValue) noexcept { FPrintOrientation = AValue; }
  bool PrintRepeatFixedRows() const noexcept { return FPrintRepeatFixedRows; }
  bool PrintRepeatFixedCols() const noexcept { return FPrintRepeatFixedCols; }
  void SetPrintRepeatFixedRows(bool AValue) noexcept { FPrintRepeatFixedRows = AValue; }
  void SetPrintRepeatFixedCols(bool AValue) noexcept { FPrintRepeatFixedCols = AValue; }
  const TGridLines& GridLines() const noexcept { return FGridLines; }
  void SetGridLines(const TGridLines& AValue) { FGridLines = AValue; }

 private:
  friend class TGridColumn;
  using TCellKey = std::pair<int, int>;  // column, row: a column's cells are adjacent

  void ClearColumn(int ACol);

  int FColCount;
  int FRowCount;
  int FFixedCols = 0;
  int FFixedRows = 0;
  std::map<TCellKey, std::string> FTexts;
  std::map<TCellKey, TCellStyle> FStyles;
  std::map<int, int> FRowHeights;
  std::map<int, int> FColWidths;
  std::set<int> FHiddenRows;
  std::set<int> FHiddenCols;
  TColor FFixedColor = kButtonFace;
  TPrintOrientation FPrintOrientation = TPrintOrientation::Portrait;
  bool FPrintRepeatFixedRows = false;
  bool FPrintRepeatFixedCols = false;
  TGridLines FGridLines;
};

}  // namespace grid
