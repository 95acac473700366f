#include "grid/spread_grid.h"

#include <algorithm>

#include "base/exception.h"

namespace grid {

namespace {

void CheckCell(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) base::Raise(base::TMessage::GridIndexOutOfRange, {ACol, ARow});
}

void CheckIndex(int AIndex) {
  if (AIndex < 0) base::Raise(base::TMessage::GridIndexOutOfRange, {AIndex, AIndex});
}

const TCellStyle& DefaultStyle() {
  static const TCellStyle style;
  return style;
}

}  // namespace

void TGridColumn::Clear() {
  FGrid->ClearColumn(FCol);
}

TSpreadGrid::TSpreadGrid(int AColCount, int ARowCount)
    : FColCount(std::max(AColCount, 1)), FRowCount(std::max(ARowCount, 1)) {}

void TSpreadGrid::SetColCount(int ACount) {
  FColCount = std::max({ACount, 1, FFixedCols + 1});
}

void TSpreadGrid::SetRowCount(int ACount) {
  FRowCount = std::max({ACount, 1, FFixedRows + 1});
}

void TSpreadGrid::SetFixedCols(int ACount) {
  FFixedCols = std::clamp(ACount, 0, FColCount - 1);
}

void TSpreadGrid::SetFixedRows(int ACount) {
  FFixedRows = std::clamp(ACount, 0, FRowCount - 1);
}

std::string TSpreadGrid::Cells(int ACol, int ARow) const {
  auto found = FTexts.find({ACol, ARow});
  return found == FTexts.end() ? std::string() : found->second;
}

void TSpreadGrid::SetCells(int ACol, int ARow, std::string AText) {
  CheckCell(ACol, ARow);
  if (AText.empty())
    FTexts.erase({ACol, ARow});
  else
    FTexts[{ACol, ARow}] = std::move(AText);
}

TGridColumn TSpreadGrid::Cols(int ACol) {
  CheckIndex(ACol);
  return TGridColumn(*this, ACol);
}

void TSpreadGrid::ClearColumn(int ACol) {
  FTexts.erase(FTexts.lower_bound({ACol, 0}), FTexts.lower_bound({ACol, FRowCount}));
}

int TSpreadGrid::RowHeight(int ARow) const {
  auto found = FRowHeights.find(ARow);
  return found == FRowHeights.end() ? kDefaultRowHeight : found->second;
}

int TSpreadGrid::ColWidth(int ACol) const {
  auto found = FColWidths.find(ACol);
  return found == FColWidths.end() ? kDefaultColWidth : found->second;
}

void TSpreadGrid::SetRowHeight(int ARow, int APixels) {
  CheckIndex(ARow);
  FRowHeights[ARow] = std::max(APixels, 0);
}

void TSpreadGrid::SetColWidth(int ACol, int APixels) {
  CheckIndex(ACol);
  FColWidths[ACol] = std::max(APixels, 0);
}

bool TSpreadGrid::RowHidden(int ARow) const {
  return FHiddenRows.contains(ARow);
}

bool TSpreadGrid::ColHidden(int ACol) const {
  return FHiddenCols.contains(ACol);
}

void TSpreadGrid::SetRowHidden(int ARow, bool AHidden) {
  CheckIndex(ARow);
  if (AHidden)
    FHiddenRows.insert(ARow);
  else
    FHiddenRows.erase(ARow);
}

void TSpreadGrid::SetColHidden(int ACol, bool AHidden) {
  CheckIndex(ACol);
  if (AHidden)
    FHiddenCols.insert(ACol);
  else
    FHiddenCols.erase(ACol);
}

const TCellStyle& TSpreadGrid::CellStyle(int ACol, int ARow) const {
  auto found = FStyles.find({ACol, ARow});
  return found == FStyles.end() ? DefaultStyle() : found->second;
}

TCellStyle& TSpreadGrid::StyleOf(int ACol, int ARow) {
  CheckCell(ACol, ARow);
  return FStyles[{ACol, ARow}];
}

bool TSpreadGrid::IsFixedCell(int ACol, int ARow) const noexcept {
  return ACol < FFixedCols || ARow < FFixedRows;
}

TColor TSpreadGrid::CellBackground(int ACol, int ARow) const {
  return IsFixedCell(ACol, ARow) ? FFixedColor : CellStyle(ACol, ARow).Background;
}

}  // namespace grid
