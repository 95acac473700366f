// MERGEDCELLS, CONDFMT and CF records: loading as the sheet hands them over, writing in records
// of at most 513 ranges, sizes, part-of-a-sheet saves, copies and the records refused.
#include <gtest/gtest.h>

#include "range_fixtures.h"

namespace {

using namespace range_tests;
using engine::records::TCFRecord;
using engine::records::TCondFmt;
using engine::records::TRangeList;
using testing_support::Hex;
using testing_support::RaisedMessage;

constexpr std::string_view kMergedA1B2C4E6 =
    "E5 00 12 00"               // MERGEDCELLS, 18 bytes
    "02 00"                     // two ranges
    "00 00 01 00 00 00 01 00"   // rows 0..1, columns 0..1: A1:B2
    "03 00 05 00 02 00 04 00";  // rows 3..5, columns 2..4: C4:E6

constexpr std::string_view kCondFmtTwoRules =
    "B0 01 1E 00"              // CONDFMT, 30 bytes
    "02 00"                    // two CF records follow
    "01 00"                    // flags
    "00 00 09 00 00 00 01 00"  // bounding range A1:B10
    "02 00"                    // two ranges
    "00 00 09 00 00 00 00 00"  // A1:A10
    "00 00 09 00 01 00 01 00"  // B1:B10
    "B1 01 12 00"              // CF, 18 bytes
    "01 01 03 00 03 00"        // cell value between, two formulas of 3 bytes
    "FF FF 3B 00 00 00"        // formatting flags
    "1E 01 00 1E 0A 00"        // 1 and 10
    "B1 01 11 00"              // CF, 17 bytes
    "02 00 05 00 00 00"        // formula, one formula of 5 bytes
    "FF FF 3B 00 00 00"
    "44 04 00 00 C0";  // A5

TEST(MergedCellsRecord, MergesAreWrittenAsOneRecordAndReadBackAlike) {
  TRangeList list(WalkerFormulas());
  Merge(list, "A1:B2");
  Merge(list, "C4:E6");
  EXPECT_EQ(base::ToHex(Saved(list)), base::ToHex(Hex(kMergedA1B2C4E6)));

  TRangeList read(WalkerFormulas());
  EXPECT_EQ(LoadRanges(read, Hex(kMergedA1B2C4E6)), 0);
  EXPECT_EQ(Merged(read), "A1:B2 C4:E6");
  EXPECT_EQ(Saved(read), Hex(kMergedA1B2C4E6));
}

TEST(MergedCellsRecord, RangesRunOnIntoContinueRecords) {
  TRangeList list(WalkerFormulas());
  LoadRanges(list, Hex("E5 00 06 00 02 00 00 00 01 00"
                       "3C 00 0C 00 00 00 01 00 03 00 05 00 02 00 04 00"));
  EXPECT_EQ(Merged(list), "A1:B2 C4:E6");
  EXPECT_EQ(Saved(list), Hex(kMergedA1B2C4E6));  // written back as one record
}

TEST(MergedCellsRecord, Ranges514AreWrittenAsRecordsOf513And1) {
  TRangeList list(WalkerFormulas());
  for (int i = 0; i < 514; ++i) list.MergeCells(2 * i, 0, 2 * i + 1, 1);
  std::vector<std::uint8_t> bytes = Saved(list);
  ASSERT_EQ(bytes.size(), 4u + 4106 + 4 + 10);
  EXPECT_EQ(base::ToHex(std::span(bytes).first(14)),
            "E5 00 0A 10 01 02 00 00 01 00 00 00 01 00");  // 4106 bytes, 513 ranges, A1:B2
  EXPECT_EQ(base::ToHex(std::span(bytes).subspan(4110)),
            "E5 00 0A 00 01 00 02 04 03 04 00 00 01 00");  // 10 bytes: A1027:B1028

  TRangeList read(WalkerFormulas());
  LoadRanges(read, bytes);
  EXPECT_EQ(read.Count(), 2u);
  EXPECT_EQ(read.CellMergedListCount(), 514);
  EXPECT_EQ(Name(read.CellMergedList(513)), "A1027:B1028");
}

TEST(CondFmtRecord, LoadsItsRulesAndWritesThemBackByteForByte) {
  TRangeList list(WalkerFormulas());
  EXPECT_EQ(LoadRanges(list, Hex(std::string(kCondFmtTwoRules) + "0A 00 00 00")), biff::rid::Eof);
  ASSERT_EQ(list.Count(), 1u);
  auto& format = dynamic_cast<TCondFmt&>(*list[0]);
  EXPECT_EQ(format.Flag(), 1);
  EXPECT_EQ(Name(format.AllRange()), "A1:B10");
  EXPECT_EQ(Items(format.RangeValuesList()), "A1:A10 B1:B10");
  ASSERT_EQ(format.CFs().Count(), 2u);
  TCFRecord& between = *format.CFs()[0];
  EXPECT_EQ(between.CfType(), 1);
  EXPECT_EQ(between.Op(), 1);
  EXPECT_EQ(base::ToHex(between.Formula1()), "1E 01 00");
  EXPECT_EQ(base::ToHex(between.Formula2()), "1E 0A 00");
  EXPECT_EQ(base::ToHex(format.CFs()[1]->Formula1()), "44 04 00 00 C0");
  EXPECT_TRUE(format.CFs()[1]->Formula2().empty());
  EXPECT_EQ(list.CellMergedListCount(), 0);  // formats are not merges
  EXPECT_EQ(base::ToHex(Saved(list)), base::ToHex(Hex(kCondFmtTwoRules)));
}

TEST(CondFmtRecord, ManyRangesRepeatTheRulesAfterEveryRecord) {
  std::string body = "01 00 00 00 00 00 01 02 00 00 00 00 02 02";  // one rule, 514 ranges
  for (int i = 0; i < 514; ++i) body += " 00 00 00 00 00 00 00 00";
  std::vector<std::uint8_t> bytes = Hex("B0 01 1E 10" + body + "B1 01 06 00 01 03 00 00 00 00");
  TRangeList list(WalkerFormulas());
  LoadRanges(list, bytes);
  std::vector<std::uint8_t> saved = Saved(list);
  const std::size_t first = 4 + 12 + 2 + 8 * 513;
  ASSERT_EQ(saved.size(), first + 10 + (4 + 22) + 10);
  EXPECT_EQ(base::ToHex(std::span(saved).first(18)),
            "B0 01 16 10 01 00 00 00 00 00 01 02 00 00 00 00 01 02");  // 4118 bytes, 513
  EXPECT_EQ(base::ToHex(std::span(saved).subspan(first)),
            "B1 01 06 00 01 03 00 00 00 00"
            " B0 01 16 00 01 00 00 00 00 00 01 02 00 00 00 00 01 00 00 00 00 00 00 00 00 00"
            " B1 01 06 00 01 03 00 00 00 00");
}

TEST(RangeRecords, PartOfASheetKeepsTheRangesWhollyInside) {
  TRangeList list(WalkerFormulas());
  LoadRanges(list, Hex(std::string(kMergedA1B2C4E6) + std::string(kCondFmtTwoRules)));
  EXPECT_EQ(base::ToHex(SavedRange(list, Range("A1:D6"))),
            "E5 00 0A 00 01 00 00 00 01 00 00 00 01 00");
  EXPECT_TRUE(SavedRange(list, Range("B3:B9")).empty());
  std::vector<std::uint8_t> both = SavedRange(list, Range("A1:B10"));
  EXPECT_EQ(base::ToHex(std::span(both).first(14)), "E5 00 0A 00 01 00 00 00 01 00 00 00 01 00");
  EXPECT_EQ(base::ToHex(std::span(both).subspan(14)), base::ToHex(Hex(kCondFmtTwoRules)));
  std::vector<std::uint8_t> right = SavedRange(list, Range("B1:IV65536"));
  EXPECT_EQ(base::ToHex(std::span(right).first(40)),
            "E5 00 0A 00 01 00 03 00 05 00 02 00 04 00"  // C4:E6
            " B0 01 16 00 02 00 01 00 00 00 09 00 00 00 01 00 01 00 00 00 09 00 01 00 01 00");
}

TEST(RangeRecords, CopiesAreIndependentAndWriteTheSame) {
  TRangeList list(WalkerFormulas());
  LoadRanges(list, Hex(std::string(kMergedA1B2C4E6) + std::string(kCondFmtTwoRules)));
  TRangeList copy(WalkerFormulas());
  copy.CopyFrom(list);
  EXPECT_EQ(Saved(copy), Saved(list));
  Merge(copy, "A2:C4");
  copy.ArrangeInsertRowsAndCols(0, 1, 0, 0, kSheet0);
  EXPECT_EQ(Merged(list), "A1:B2 C4:E6");
  EXPECT_EQ(Saved(list), Hex(std::string(kMergedA1B2C4E6) + std::string(kCondFmtTwoRules)));
  EXPECT_EQ(Merged(copy), "A2:E7");
  EXPECT_EQ(base::ToHex(dynamic_cast<TCondFmt&>(*copy[1]).CFs()[1]->Formula1()), "44 05 00 00 C0");
}

TEST(RangeRecords, MalformedRecordsAreRefused) {
  struct TCase {
    std::string Bytes;
    std::string Message;
  };
  const TCase cases[] = {
      // two ranges announced, one there
      {"E5 00 0A 00 02 00 00 00 01 00 00 00 01 00", "Error reading record"},
      {"E5 00 01 00 02", "Error reading record"},
      {"B0 01 0A 00 01 00 00 00 00 00 00 00 00 00", "Error reading record"},
      // two rules announced, then something else
      {"B0 01 0E 00 02 00 00 00 00 00 00 00 00 00 00 00 00 00"
       "B1 01 06 00 01 03 00 00 00 00 0A 00 00 00",
       "Invalid conditional format record"},
      // a rule announced at the end of the stream
      {"B0 01 0E 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00",
       "Invalid conditional format record"},
      // a rule whose formulas are longer than its body
      {"B0 01 0E 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 B1 01 08 00 01 03 02 00 01 00 1E 01",
       "Invalid conditional format record"},
      {"B0 01 0E 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 B1 01 04 00 01 03 00 00",
       "Invalid conditional format record"},
  };
  for (const TCase& c : cases) {
    TRangeList list(WalkerFormulas());
    EXPECT_EQ(RaisedMessage([&] { LoadRanges(list, Hex(c.Bytes)); }), c.Message) << c.Bytes;
    EXPECT_EQ(list.Count(), 0u) << c.Bytes;
  }
}

}  // namespace
