#include "grid/spread_grid.h"

#include <gtest/gtest.h>

#include "base/exception.h"

namespace {

using grid::TSpreadGrid;

TEST(SpreadGrid, CountsBelowOneBecomeOne) {
  TSpreadGrid grid(5, 10);
  grid.SetRowCount(0);
  grid.SetColCount(-3);
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(grid.ColCount(), 1);
  grid.SetRowCount(3);
  grid.SetFixedRows(5);  // leaves one scrolling row
  EXPECT_EQ(grid.FixedRows(), 2);
  grid.SetRowCount(1);
  EXPECT_EQ(grid.RowCount(), 3);
}

TEST(SpreadGrid, CellBeyondRowCountIsKeptUntilTheGridGrows) {
  TSpreadGrid grid(5, 5);
  grid.SetCells(0, 5, "later");
  EXPECT_EQ(grid.RowCount(), 5);
  grid.SetRowCount(6);
  EXPECT_EQ(grid.Cells(0, 5), "later");
}

TEST(SpreadGrid, ClearingAColumnBlanksOnlyRowsInsideTheGrid) {
  TSpreadGrid grid(3, 4);
  for (int row = 0; row < 6; ++row) {
    grid.SetCells(1, row, "b" + std::to_string(row));
    grid.SetCells(2, row, "c" + std::to_string(row));
  }
  grid.Cols(1).Clear();
  for (int row = 0; row < 4; ++row) EXPECT_EQ(grid.Cells(1, row), "") << row;
  EXPECT_EQ(grid.Cells(1, 4), "b4");
  EXPECT_EQ(grid.Cells(1, 5), "b5");
  EXPECT_EQ(grid.Cells(2, 0), "c0");  // other columns untouched
}

TEST(SpreadGrid, NewCellsHaveTheDefaultLook) {
  TSpreadGrid grid;
  const grid::TCellStyle& style = grid.CellStyle(7, 9);
  EXPECT_EQ(style.Font.Name, "Tahoma");
  EXPECT_EQ(style.Font.Height, -11);
  EXPECT_EQ(style.Font.PixelsPerInch, 96);
  EXPECT_EQ(style.Font.Color, grid::kBlack);
  EXPECT_FALSE(style.Font.Bold || style.Font.Italic || style.Font.Underline ||
               style.Font.StrikeOut);
  EXPECT_EQ(style.Background, grid::kWhite);
  EXPECT_EQ(style.HorzAlign, grid::THorzAlign::Default);
  EXPECT_EQ(style.VertAlign, grid::TVertAlign::Default);
  EXPECT_FALSE(style.Borders.Side(grid::TBorderSide::Left).Visible);
  EXPECT_EQ(style.Merge, (grid::TMergeSpan{1, 1}));
  EXPECT_EQ(grid.RowHeight(3), 24);
  EXPECT_EQ(grid.ColWidth(3), 64);
  EXPECT_EQ(grid.CellMarginX(), 2);
  EXPECT_EQ(grid.CellMarginY(), 2);
}

TEST(SpreadGrid, KeepsSizesStylesAndHiddenLines) {
  TSpreadGrid grid(4, 4);
  grid.SetRowHeight(1, 40);
  grid.SetColWidth(2, 120);
  grid.SetRowHidden(3, true);
  grid.SetColHidden(0, true);
  grid.StyleOf(1, 1).Font.Bold = true;
  grid.StyleOf(1, 1).Borders.Side(grid::TBorderSide::Bottom) = {true, 0x0000FF};
  grid.StyleOf(2, 2).Background = 0x00FFFF;
  EXPECT_EQ(grid.RowHeight(1), 40);
  EXPECT_EQ(grid.RowHeight(0), 24);
  EXPECT_EQ(grid.ColWidth(2), 120);
  EXPECT_TRUE(grid.RowHidden(3));
  EXPECT_FALSE(grid.RowHidden(2));
  EXPECT_TRUE(grid.ColHidden(0));
  EXPECT_TRUE(grid.CellStyle(1, 1).Font.Bold);
  EXPECT_FALSE(grid.CellStyle(1, 2).Font.Bold);
  EXPECT_EQ(grid.CellStyle(1, 1).Borders.Side(grid::TBorderSide::Bottom).Color, 0x0000FFu);

  // Fixed cells paint with the fixed colour, whatever their own background.
  grid.SetFixedRows(1);
  grid.StyleOf(2, 0).Background = 0x00FFFF;
  EXPECT_EQ(grid.CellBackground(2, 0), grid::kButtonFace);
  EXPECT_EQ(grid.CellBackground(2, 2), 0x00FFFFu);
}

TEST(SpreadGrid, RefusesNegativeAddresses) {
  TSpreadGrid grid;
  EXPECT_THROW(grid.SetCells(-1, 0, "x"), base::Exception);
  EXPECT_THROW(grid.StyleOf(0, -2), base::Exception);
  EXPECT_EQ(grid.Cells(-1, -1), "");
}

}  // namespace
