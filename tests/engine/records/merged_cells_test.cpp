// Merging, unmerging and the merged bounds of cells, as the sheet asks its range list.
#include <gtest/gtest.h>

#include "range_fixtures.h"

namespace {

using namespace range_tests;
using engine::records::TMergedCells;
using engine::records::TRangeList;

struct TMergeCase {
  std::vector<std::string_view> Merges;  // in this order
  std::string Expected;                  // the merged ranges afterwards, in list order
};

TEST(MergeCells, AbsorbsEveryRangeItTouchesUntilNothingChanges) {
  const TMergeCase cases[] = {
      {{"A1:B2", "B2:C3"}, "A1:C3"},
      // The first pass absorbs A1:C1; only the grown rectangle touches C2:C3, which the
      // second pass absorbs.
      {{"A1:C1", "C2:C3", "A1:A3"}, "A1:C3"},
      // Touching means sharing a cell: neighbours stay apart.
      {{"A1:B2", "C1:D2", "A3:B4"}, "A1:B2 C1:D2 A3:B4"},
      {{"A1:B2", "D4:E5", "B2:D4"}, "A1:E5"},
      {{"B2:C3", "A1:D4"}, "A1:D4"},
      // Bounds in any order.
      {{"C3:A1"}, "A1:C3"},
      {{"A3:C1"}, "A1:C3"},
      // Invalid rectangles merge nothing: one cell, beyond the last column or row.
      {{"A1:B2", "B2"}, "A1:B2"},
      {{"IV1:IW2"}, ""},
      {{"A65535:B65537"}, ""},
      {{"A65535:B65536", "IU1:IV1"}, "A65535:B65536 IU1:IV1"},
  };
  for (const TMergeCase& c : cases) {
    TRangeList list(WalkerFormulas());
    for (std::string_view merge : c.Merges) Merge(list, merge);
    EXPECT_EQ(Merged(list), c.Expected) << c.Merges.back();
  }
}

TEST(MergeCells, NegativeBoundsMergeNothing) {
  TRangeList list(WalkerFormulas());
  list.MergeCells(-1, 0, 2, 2);
  list.MergeCells(0, -1, 2, 2);
  EXPECT_EQ(list.CellMergedListCount(), 0);
}

TEST(MergeCells, OneCellMakesAnEmptyEntryThatWritesNothing) {
  TRangeList list(WalkerFormulas());
  Merge(list, "B2:B2");
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.CellMergedListCount(), 0);
  EXPECT_TRUE(Saved(list).empty());
  EXPECT_EQ(list.TotalSize(), 0);
}

TEST(MergeCells, AbsorbsAcrossEntriesAndAddsToTheLastOne) {
  // Two MERGEDCELLS records, A1:B2 and then D1:E2, and a conditional format between them.
  TRangeList list(WalkerFormulas());
  LoadRanges(list, testing_support::Hex("E5 00 0A 00 01 00  00 00 01 00 00 00 01 00"
                                        "B0 01 16 00 00 00 00 00  05 00 05 00 00 00 00 00"
                                        "  01 00 05 00 05 00 00 00 00 00"
                                        "E5 00 0A 00 01 00  00 00 01 00 03 00 04 00"));
  ASSERT_EQ(list.Count(), 3u);
  Merge(list, "B2:D2");
  EXPECT_EQ(list[0]->RangeValuesList().Count(), 0u);
  EXPECT_EQ(Items(list[1]->RangeValuesList()), "A6:A6");  // the format is left alone
  EXPECT_EQ(Items(list[2]->RangeValuesList()), "A1:E2");
}

TEST(MergeCells, LeavesARangeReadBeyondTheLastColumnAsItWas) {
  // Absorbing A1:KO2 would carry the merge out of the sheet and lose both ranges.
  TRangeList list(WalkerFormulas());
  LoadRanges(list, testing_support::Hex("E5 00 0A 00 01 00  00 00 01 00 00 00 2C 01"));
  Merge(list, "A1:B2");
  EXPECT_EQ(Merged(list), "A1:KO2 A1:B2");
}

TEST(UnMergeCells, RemovesOnlyExactMatchesWithBoundsInAnyOrder) {
  TRangeList list(WalkerFormulas());
  Merge(list, "A1:B2");
  Merge(list, "D1:E2");
  list.UnMergeCells(0, 0, 2, 2);  // A1:C3 holds A1:B2 but is not it
  EXPECT_EQ(Merged(list), "A1:B2 D1:E2");
  list.UnMergeCells(1, 1, 0, 0);  // B2:A1
  EXPECT_EQ(Merged(list), "D1:E2");
}

TEST(UnMergeCells, RemovesEveryCopyInEveryEntry) {
  // Files may hold the same range twice, here in two records and twice in the second.
  TRangeList list(WalkerFormulas());
  LoadRanges(list, testing_support::Hex("E5 00 0A 00 01 00  00 00 01 00 00 00 01 00"
                                        "E5 00 1A 00 03 00  00 00 01 00 00 00 01 00"
                                        "  04 00 05 00 00 00 00 00  00 00 01 00 00 00 01 00"));
  list.UnMergeCells(0, 0, 1, 1);
  EXPECT_EQ(Merged(list), "A5:A6");
}

TEST(CellMergedBounds, FirstRangeHoldingTheCellOrTheCellItself) {
  TRangeList list(WalkerFormulas());
  // A1:B2 is read twice, first inside A1:C3, which then wins for A1.
  LoadRanges(list, testing_support::Hex("E5 00 12 00 02 00  00 00 02 00 00 00 02 00"
                                        "  00 00 01 00 00 00 01 00"
                                        "E5 00 0A 00 01 00  04 00 05 00 03 00 04 00"));
  struct TCase {
    std::string_view Cell;
    std::string Expected;
  };
  const TCase cases[] = {
      {"A1", "A1:C3"},
      {"C3", "A1:C3"},
      {"D5", "D5:E6"},
      {"E6", "D5:E6"},
      {"D4", "D4:D4"},
      {"F6", "F6:F6"},
      {"IV65536", "IV65536:IV65536"},
  };
  for (const TCase& c : cases) {
    int row = 0;
    int col = 0;
    ParseCell(c.Cell, row, col);
    EXPECT_EQ(Name(list.CellMergedBounds(row, col)), c.Expected) << c.Cell;
  }
}

TEST(CellMergedList, CountsAndIndexesOverAllEntries) {
  TRangeList list(WalkerFormulas());
  LoadRanges(list, testing_support::Hex("E5 00 0A 00 01 00  00 00 01 00 00 00 01 00"
                                        "B0 01 16 00 00 00 00 00  05 00 05 00 00 00 00 00"
                                        "  01 00 05 00 05 00 00 00 00 00"
                                        "E5 00 12 00 02 00  03 00 04 00 00 00 00 00"
                                        "  07 00 07 00 01 00 02 00"));
  EXPECT_EQ(list.CellMergedListCount(), 3);
  EXPECT_EQ(Merged(list), "A1:B2 A4:A5 B8:C8");
  for (int outside : {-1, 3, 1000}) {
    biff::TXlsCellRange none = list.CellMergedList(outside);
    EXPECT_EQ(none.Left | none.Top | none.Right | none.Bottom, 0) << outside;
  }
}

TEST(TMergedCells, PreMergeScansFromTheLastItemAndReportsAbsorption) {
  TMergedCells cells;
  cells.MergeCells(0, 0, 0, 2);        // A1:C1
  cells.MergeCells(1, 2, 2, 2);        // C2:C3
  int r1 = 0, c1 = 0, r2 = 2, c2 = 0;  // A1:A3
  EXPECT_TRUE(cells.PreMerge(r1, c1, r2, c2));
  EXPECT_EQ(Name(biff::TXlsCellRange{c1, r1, c2, r2}), "A1:C3");
  EXPECT_EQ(Items(cells.RangeValuesList()), "C2:C3");  // passed over before A1:C1 grew it
  EXPECT_TRUE(cells.PreMerge(r1, c1, r2, c2));
  EXPECT_FALSE(cells.PreMerge(r1, c1, r2, c2));
  EXPECT_EQ(cells.MergedCount(), 0);
  cells.MergeCells(4, 4, 5, 5);
  int row1 = 4, col1 = 4, row2 = 4, col2 = 4;
  EXPECT_FALSE(cells.PreMerge(row1, col1, row2, col2));  // a single cell absorbs nothing
  EXPECT_EQ(cells.MergedCount(), 1);
  biff::TXlsCellRange bounds;
  EXPECT_TRUE(cells.CheckCell(5, 4, bounds));
  EXPECT_EQ(Name(bounds), "E5:F6");
  EXPECT_FALSE(cells.CheckCell(6, 4, bounds));
}

}  // namespace
