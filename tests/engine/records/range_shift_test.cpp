// Merged ranges and conditional formats following inserted, deleted and copied rows and
// columns, the formulas of conditional formats included.
#include <gtest/gtest.h>

#include "range_fixtures.h"

namespace {

using namespace range_tests;
using engine::records::TCondFmt;
using engine::records::TMergedCells;
using engine::records::TRangeEntry;
using engine::records::TRangeList;
using testing_support::Hex;
using testing_support::RaisedMessage;

template <class TEntry>
std::unique_ptr<TEntry> EntryWith(std::initializer_list<std::string_view> AItems) {
  std::unique_ptr<TEntry> entry;
  if constexpr (std::is_same_v<TEntry, TCondFmt>)
    entry = std::make_unique<TCondFmt>(WalkerFormulas());
  else
    entry = std::make_unique<TMergedCells>();
  for (std::string_view item : AItems) entry->RangeValuesList().PreAddNewRange(Item(item));
  return entry;
}

TEST(ArrangeInsertRowsAndCols, MovesAndResizesRanges) {
  struct TCase {
    std::string_view Item;
    int RowPos, RowCount, ColPos, ColCount;  // 0-based; negative counts delete
    std::string Expected;
  };
  const TCase cases[] = {
      // two rows inserted before row 5, inside the range, after it
      {"A5:B6", 4, 2, 0, 0, "A7:B8"},
      {"A5:B6", 5, 2, 0, 0, "A5:B8"},
      {"A5:B6", 6, 2, 0, 0, "A5:B6"},
      // columns: one before B, three before A
      {"A1:B2", 0, 0, 1, 1, "A1:C2"},
      {"A1:B2", 0, 0, 0, 3, "D1:E2"},
      // the sheet's last row and column hold what is pushed beyond them
      {"A65535:B65536", 0, 1, 0, 0, "A65536:B65536"},
      {"IU1:IV1", 0, 0, 0, 1, "IV1:IV1"},
      // rows 5 and 6 deleted
      {"A5:B10", 4, -2, 0, 0, "A5:B8"},
      {"A8:B10", 4, -2, 0, 0, "A6:B8"},
      // rows 4..10 deleted: what is left above the band stays, what was below moves up
      {"A1:A6", 3, -7, 0, 0, "A1:A3"},
      {"A6:B12", 3, -7, 0, 0, "A4:B5"},
      // columns B and C deleted
      {"C1:F1", 0, 0, 1, -2, "B1:D1"},
      {"A1:C1", 0, 0, 1, -2, "A1:A1"},
  };
  for (const TCase& c : cases) {
    auto entry = EntryWith<TMergedCells>({c.Item});
    entry->ArrangeInsertRowsAndCols(c.RowPos, c.RowCount, c.ColPos, c.ColCount, kSheet0);
    EXPECT_EQ(Items(entry->RangeValuesList()), c.Expected)
        << c.Item << " rows " << c.RowPos << "/" << c.RowCount << " cols " << c.ColPos << "/"
        << c.ColCount;
  }
}

TEST(DeleteRowsOrCols, DropsDeletedRangesAndMergesShrunkToOneCell) {
  struct TCase {
    std::initializer_list<std::string_view> Items;
    int Pos, Count;
    bool UseCols;
    std::string Merged;     // what merged cells keep
    std::string Formatted;  // what a conditional format keeps
  };
  const TCase cases[] = {
      // rows 5 and 6 deleted
      {{"A5:B6"}, 4, 2, false, "", ""},
      {{"A5:A7"}, 4, 2, false, "", "A5:A5"},
      {{"A5:B7"}, 4, 2, false, "A5:B5", "A5:B5"},
      {{"A3:A6"}, 4, 2, false, "A3:A4", "A3:A4"},
      {{"A4:A5"}, 4, 2, false, "", "A4:A4"},
      {{"A1:B2", "A10:B12", "C5:C6"}, 4, 2, false, "A1:B2 A8:B10", "A1:B2 A8:B10"},
      // columns C and D deleted
      {{"B1:C2", "E1:F2", "C5:E5"}, 2, 2, true, "B1:B2 C1:D2", "B1:B2 C1:D2 C5:C5"},
      {{"B1:C2"}, 2, 0, true, "B1:C2", "B1:C2"},
  };
  for (const TCase& c : cases) {
    auto merged = EntryWith<TMergedCells>(c.Items);
    auto formatted = EntryWith<TCondFmt>(c.Items);
    merged->DeleteRowsOrCols(c.Pos, c.Count, kSheet0, c.UseCols);
    formatted->DeleteRowsOrCols(c.Pos, c.Count, kSheet0, c.UseCols);
    EXPECT_EQ(Items(merged->RangeValuesList()), c.Merged) << *c.Items.begin();
    EXPECT_EQ(Items(formatted->RangeValuesList()), c.Formatted) << *c.Items.begin();
  }
}

struct TCopyCase {
  std::initializer_list<std::string_view> Items;
  int First, Last, Dest, Count;  // 0-based rows (columns with UseCols)
  bool UseCols;
  std::string Expected;
};

TEST(InsertAndCopyRowsOrCols, MergedRangesInsideTheBlockAreCopied) {
  const TCopyCase cases[] = {
      // rows 2..4 copied once before row 6: A2:B3 is copied, C1:D2 reaches out and is not
      {{"A2:B3", "C1:D2", "A10:B10"}, 1, 3, 5, 1, false, "A2:B3 C1:D2 A13:B13 A6:B7"},
      {{"A2:B3", "A10:B10"}, 1, 3, 5, 2, false, "A2:B3 A16:B16 A6:B7 A9:B10"},
      // the block moves down when the copies go above it
      {{"A5:B6"}, 4, 5, 1, 1, false, "A7:B8 A2:B3"},
      // columns B..C copied before E
      {{"B1:C2", "A4:B4"}, 1, 2, 4, 1, true, "B1:C2 A4:B4 E1:F2"},
      // a copy landing on a range grown over the new rows stays out: merges never overlap
      {{"A1:A10", "A12:B12", "D12:E12"}, 11, 11, 4, 1, false, "A1:A11 A13:B13 D13:E13 D5:E5"},
      {{"A1:B2"}, 0, 1, 2, 0, false, "A1:B2"},
  };
  for (const TCopyCase& c : cases) {
    auto entry = EntryWith<TMergedCells>(c.Items);
    entry->InsertAndCopyRowsOrCols(c.First, c.Last, c.Dest, c.Count, kSheet0, c.UseCols);
    EXPECT_EQ(Items(entry->RangeValuesList()), c.Expected) << *c.Items.begin();
  }
}

TEST(InsertAndCopyRowsOrCols, FormatsStretchOverAdjacentCopiesOfTheirWholeBlock) {
  const TCopyCase cases[] = {
      // rows 2..4 copied twice right below: one range over the block and both copies
      {{"A2:B4"}, 1, 3, 4, 2, false, "A2:B10"},
      // rows 5..6 copied right above themselves
      {{"C5:C6"}, 4, 5, 4, 1, false, "C5:C8"},
      // a range over part of the block, or copies placed away from it, get copies
      {{"A3:B3"}, 1, 3, 4, 2, false, "A3:B3 A6:B6 A9:B9"},
      {{"A2:B4"}, 1, 3, 9, 1, false, "A2:B4 A10:B12"},
      {{"B1:C3"}, 1, 2, 3, 1, true, "B1:E3"},
  };
  for (const TCopyCase& c : cases) {
    auto entry = EntryWith<TCondFmt>(c.Items);
    entry->InsertAndCopyRowsOrCols(c.First, c.Last, c.Dest, c.Count, kSheet0, c.UseCols);
    EXPECT_EQ(Items(entry->RangeValuesList()), c.Expected) << *c.Items.begin();
  }
}

TEST(InsertAndCopyRowsOrCols, CopiesBeyondTheSheetRaiseBeforeAnythingChanges) {
  struct TCase {
    std::string_view Item;
    int First, Last, Dest, Count;
    bool UseCols;
    std::int64_t MergedValue;     // the first copy beyond the sheet
    std::int64_t FormattedValue;  // the end of the stretched range
    int Limit;
  };
  const TCase cases[] = {
      {"A60000:B60001", 59999, 60000, 60001, 3000, false, 65536, 66000, 65535},
      {"IT1:IU1", 253, 254, 255, 1, true, 256, 256, 255},
      {"A1:B2", 0, 1, 2, 40000, false, 65537, 80001, 65535},
  };
  for (const TCase& c : cases) {
    for (bool formatted : {false, true}) {
      std::unique_ptr<TRangeEntry> entry;
      if (formatted)
        entry = EntryWith<TCondFmt>({c.Item});
      else
        entry = EntryWith<TMergedCells>({c.Item});
      EXPECT_EQ(RaisedMessage([&] {
                  entry->InsertAndCopyRowsOrCols(c.First, c.Last, c.Dest, c.Count, kSheet0,
                                                 c.UseCols);
                }),
                "Too many entries for this kind of record (" +
                    std::to_string(formatted ? c.FormattedValue : c.MergedValue) +
                    " out of a maximum of " + std::to_string(c.Limit) + ")")
          << c.Item;
      EXPECT_EQ(Items(entry->RangeValuesList()), Name(Item(c.Item))) << c.Item;
    }
  }
}

// A conditional format over A1:A10 and B1:B10 whose second rule tests A5.
constexpr std::string_view kFormatOnA5 =
    "B0 01 1E 00 01 00 01 00 00 00 09 00 00 00 01 00 02 00"
    "00 00 09 00 00 00 00 00 00 00 09 00 01 00 01 00"
    "B1 01 11 00 02 00 05 00 00 00 FF FF 3B 00 00 00 44 04 00 00 C0";

TEST(CondFmtShifting, RangesBoundingRangeAndFormulasMoveTogether) {
  struct TCase {
    std::string_view Operation;
    void (*Apply)(TRangeList&);
    std::string Items, AllRange, Formula;
  };
  const TCase cases[] = {
      {"two rows before row 3",
       [](TRangeList& L) { L.ArrangeInsertRowsAndCols(2, 2, 0, 0, kSheet0); }, "A1:A12 B1:B12",
       "A1:B12", "44 06 00 00 C0"},
      {"a column before A", [](TRangeList& L) { L.ArrangeInsertRowsAndCols(0, 0, 0, 1, kSheet0); },
       "B1:B10 C1:C10", "B1:C10", "44 04 00 01 C0"},
      {"rows 1 and 2 deleted", [](TRangeList& L) { L.DeleteRowsOrCols(0, 2, kSheet0, false); },
       "A1:A8 B1:B8", "A1:B8", "44 02 00 00 C0"},
      {"column A deleted", [](TRangeList& L) { L.DeleteRowsOrCols(0, 1, kSheet0, true); }, "A1:A10",
       "A1:A10", "4A 04 00 00 C0"},
      {"row 1 copied above itself",
       [](TRangeList& L) { L.InsertAndCopyRowsOrCols(0, 0, 0, 1, kSheet0, false); },
       "A2:A11 B2:B11", "A2:B11", "44 05 00 00 C0"},
      {"rows 1..10 copied below",
       [](TRangeList& L) { L.InsertAndCopyRowsOrCols(0, 9, 10, 1, kSheet0, false); },
       "A1:A20 B1:B20", "A1:B20", "44 04 00 00 C0"},
  };
  for (const TCase& c : cases) {
    TRangeList list(WalkerFormulas());
    LoadRanges(list, Hex(kFormatOnA5));
    c.Apply(list);
    auto& format = dynamic_cast<TCondFmt&>(*list[0]);
    EXPECT_EQ(Items(format.RangeValuesList()), c.Items) << c.Operation;
    EXPECT_EQ(Name(format.AllRange()), c.AllRange) << c.Operation;
    EXPECT_EQ(base::ToHex(format.CFs()[0]->Formula1()), c.Formula) << c.Operation;
    Saved(list);  // sizes still agree
  }
}

TEST(CondFmtShifting, AFormulaThatCannotMoveNamesItsToken) {
  TRangeList list(WalkerFormulas());
  LoadRanges(list, Hex("B0 01 16 00 01 00 00 00 00 00 00 00 00 00 00 00 01 00"
                       "00 00 00 00 00 00 00 00"
                       "B1 01 07 00 02 00 01 00 00 00 FF"));
  EXPECT_EQ(RaisedMessage([&] { list.ArrangeInsertRowsAndCols(0, 1, 0, 0, kSheet0); }),
            "Bad Conditional format. Token Id: 0xFF");
}

TEST(RangeListShifting, MergedRangesFollowRowsInsertedAndDeletedInTheSheet) {
  TRangeList list(WalkerFormulas());
  Merge(list, "A1:B2");
  Merge(list, "C4:E6");
  Merge(list, "A8:A9");
  list.ArrangeInsertRowsAndCols(3, 2, 0, 0, kSheet0);  // rows 4 and 5 inserted
  EXPECT_EQ(Merged(list), "A1:B2 C6:E8 A10:A11");
  list.DeleteRowsOrCols(0, 1, kSheet0, false);  // row 1 deleted
  EXPECT_EQ(Merged(list), "A1:B1 C5:E7 A9:A10");
  list.DeleteRowsOrCols(8, 1, kSheet0, false);  // A9:A10 loses a row and stops being a merge
  EXPECT_EQ(base::ToHex(Saved(list)),
            "E5 00 12 00 02 00 00 00 00 00 00 00 01 00 04 00 06 00 02 00 04 00");
}

}  // namespace
