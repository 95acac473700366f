#include "engine/strings/sst.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/hex.h"
#include "base/little_endian.h"
#include "base/utf.h"
#include "engine/biff/record_ids.h"
#include "engine/strings/string_records.h"
#include "support/record_bytes.h"

namespace {

using namespace engine::strings;
using engine::biff::TMemoryRecordSink;
using engine::biff::TRecordCursor;
namespace rid = engine::biff::rid;
using testing_support::Hex;
using testing_support::RaisedMessage;

struct TRecordBlob {
  std::uint16_t Id;
  std::size_t Offset;  // of the header in the written bytes
  std::vector<std::uint8_t> Body;
};

std::vector<TRecordBlob> Split(const std::vector<std::uint8_t>& ABytes, std::size_t AFrom = 0) {
  std::vector<TRecordBlob> records;
  for (std::size_t at = AFrom; at + 4 <= ABytes.size();) {
    std::size_t size = base::LoadLE16(ABytes.data() + at + 2);
    records.push_back({base::LoadLE16(ABytes.data() + at),
                       at,
                       {ABytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
                        ABytes.begin() + static_cast<std::ptrdiff_t>(at + 4 + size)}});
    at += 4 + size;
  }
  return records;
}

// The table written after APrefix bytes of other records, so that positions are absolute.
std::vector<std::uint8_t> Save(TSST& ATable, std::size_t APrefix = 0) {
  TMemoryRecordSink sink;
  std::vector<std::uint8_t> prefix(APrefix, 0xEE);
  if (APrefix > 0) sink.WriteMem(prefix.data(), static_cast<std::uint32_t>(APrefix));
  std::int64_t size = ATable.TotalSize();
  ATable.SaveToStream(sink);
  EXPECT_EQ(static_cast<std::int64_t>(sink.Bytes().size() - APrefix), size);
  return sink.Bytes();
}

// The strings of a written SST (with its CONTINUE records), read back as a file reader would.
std::vector<TExcelString> ReadBack(const std::vector<std::uint8_t>& ABytes, std::size_t AFrom = 0) {
  std::vector<std::uint8_t> records(ABytes.begin() + static_cast<std::ptrdiff_t>(AFrom),
                                    ABytes.end());
  auto read = testing_support::ReadAllRecords(records);
  EXPECT_EQ(read.size(), 2u);  // SST with its chain, then EXTSST (ignored, kept until dropped)
  auto& sst = dynamic_cast<TSSTRecord&>(*read.front());
  TRecordCursor cursor{&sst, 8};
  std::vector<TExcelString> strings;
  for (std::uint32_t i = 0; i < sst.Count(); ++i) strings.emplace_back(2, cursor);
  return strings;
}

std::unique_ptr<TLabelSSTRecord> Cell(TSST& ATable, std::uint16_t ACol, std::u16string_view AText) {
  auto cell = TLabelSSTRecord::CreateFromData(0, ACol, 15, ATable);
  cell->SetAsString(AText);
  return cell;
}

TEST(SharedStrings, CountsReferencesAndWritesUsesAndUniqueStrings) {
  TSST table;
  std::vector<std::unique_ptr<TLabelSSTRecord>> cells;
  for (std::uint16_t col = 0; col < 3; ++col) cells.push_back(Cell(table, col, u"same"));
  cells.push_back(Cell(table, 3, u"other"));
  EXPECT_EQ(table.Count(), 2u);
  EXPECT_EQ(cells[0]->SSTEntry(), cells[2]->SSTEntry());
  EXPECT_EQ(table.RefCount(cells[0]->SSTEntry()), 3u);
  EXPECT_EQ(table.RefCount(cells[3]->SSTEntry()), 1u);
  const auto bytes = Save(table);
  EXPECT_EQ(base::ToHex(bytes),
            "FC 00 17 00 04 00 00 00 02 00 00 00"           // SST: 4 uses, 2 strings
            " 04 00 00 73 61 6D 65"                         // "same" (the shorter string first)
            " 05 00 00 6F 74 68 65 72"                      // "other"
            " FF 00 0A 00 08 00 0C 00 00 00 0C 00 00 00");  // EXTSST: one bucket at byte 12
  EXPECT_EQ(base::ToHex(testing_support::Written(*cells[3])),
            "FD 00 0A 00 00 00 03 00 0F 00 01 00 00 00");
  EXPECT_EQ(cells[3]->AsString(), u"other");
}

TEST(SharedStrings, DropsUnusedStringsAtSaveAndWritesTheIndicesThatRemain) {
  TSST table;
  auto a = Cell(table, 0, u"x");
  auto b = Cell(table, 1, u"y");
  auto c = Cell(table, 2, u"w");
  a->SetAsString(u"z");  // "x" is used by no cell now
  c.reset();             // nor is "w"
  EXPECT_EQ(table.Count(), 4u);
  table.FixRefs();
  EXPECT_EQ(table.Count(), 2u);
  const auto records = Split(Save(table));
  EXPECT_EQ(base::ToHex(records[0].Body), "02 00 00 00 02 00 00 00 01 00 00 79 01 00 00 7A");
  EXPECT_EQ(base::ToHex(testing_support::Written(*b)), "FD 00 0A 00 00 00 01 00 0F 00 00 00 00 00");
  EXPECT_EQ(base::ToHex(testing_support::Written(*a)), "FD 00 0A 00 00 00 00 00 0F 00 01 00 00 00");
  // A text given again finds its string instead of adding one.
  auto d = Cell(table, 3, u"y");
  EXPECT_EQ(d->SSTEntry(), b->SSTEntry());
  EXPECT_EQ(table.Count(), 2u);
}

TEST(SharedStrings, EntryWidthFollowsTheText) {
  struct TCase {
    std::u16string Text;
    const char* Written;
  };
  const TCase cases[] = {
      {u"abc", "03 00 00 61 62 63"},
      {u"\u20AC1", "02 00 01 AC 20 31 00"},
      {u"", "00 00 00"},
      {u"\u00E9", "01 00 00 E9"},
  };
  for (const auto& c : cases) {
    TSST table;
    auto cell = Cell(table, 0, c.Text);
    const auto records = Split(Save(table));
    EXPECT_EQ(base::ToHex(std::span(records[0].Body).subspan(8)), c.Written);
    EXPECT_EQ(cell->AsString(), c.Text);
  }
}

TEST(SharedStrings, LongStringsAreSplitIntoContinuePieces) {
  struct TCase {
    std::u16string Text;
    std::size_t SstBody;     // bytes of the SST record's body
    std::size_t CharsInSst;  // bytes of characters in it
    const char* ContinueStart;
    std::size_t ContinueBody;
  };
  const TCase cases[] = {
      // 12 bytes of SST fields and 3 of string header, then 8213 of 9000 characters.
      {std::u16string(9000, u'a'), 8224, 8213, "00 61 61", 1 + 787},
      // 4106 of 5000 characters with a non-zero high byte fit the 8213 bytes left.
      {std::u16string(5000, u'\u0141'), 8223, 8212, "01 41 01", 1 + 2 * 894},
  };
  for (const auto& c : cases) {
    TSST table;
    auto cell = Cell(table, 0, c.Text);
    const auto records = Split(Save(table));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Id, rid::Sst);
    EXPECT_EQ(records[0].Body.size(), c.SstBody);
    EXPECT_EQ(records[0].Body.size() - 8 - 3, c.CharsInSst);
    EXPECT_EQ(records[1].Id, rid::Continue);
    EXPECT_EQ(base::ToHex(std::span(records[1].Body).subspan(0, 3)), c.ContinueStart);
    EXPECT_EQ(records[1].Body.size(), c.ContinueBody);
    EXPECT_EQ(records[2].Id, rid::ExtSst);
  }
}

TEST(SharedStrings, StringStartsANewRecordWhenFewerThan32BytesAreLeft) {
  // After an 8-bit first string of n characters, 8228 - (12 + 3 + n) bytes are left.
  for (std::size_t firstLength : {8181u, 8182u}) {
    TSST table;
    auto first = Cell(table, 0, std::u16string(firstLength, u'a'));
    auto second = Cell(table, 1, std::u16string(9000, u'b'));  // sorts after the first
    const auto bytes = Save(table);
    const auto records = Split(bytes);
    if (firstLength == 8181) {
      // 32 bytes left: the second string starts in the SST record.
      EXPECT_EQ(records[0].Body.size(), 8224u);
      EXPECT_EQ(base::ToHex(std::span(records[0].Body).subspan(8 + 3 + firstLength, 3)),
                "28 23 00");
    } else {
      // 31 bytes left: the SST record is closed short and the string begins the CONTINUE
      // record directly, count first, no extra option byte.
      EXPECT_EQ(records[0].Body.size(), 8 + 3 + firstLength);
      EXPECT_EQ(base::ToHex(std::span(records[1].Body).subspan(0, 4)), "28 23 00 62");
    }
    const auto strings = ReadBack(bytes);
    ASSERT_EQ(strings.size(), 2u);
    EXPECT_EQ(strings[1].Value(), std::u16string(9000, u'b'));
  }
}

TEST(SharedStrings, WideStringIsWrittenPartly8BitWhereThatHoldsMore) {
  // Fits: written 16-bit as a whole although most characters are below 256.
  {
    TSST table;
    auto cell = Cell(table, 0, u"abc\u20AC");
    const auto records = Split(Save(table));
    EXPECT_EQ(base::ToHex(std::span(records[0].Body).subspan(8)),
              "04 00 01 61 00 62 00 63 00 AC 20");
  }
  // Does not fit: the first piece, 8000 characters below 256, holds more 8-bit than the 4106
  // characters 16-bit would; the record is closed after it and the rest goes 16-bit.
  TSST table;
  std::u16string text = std::u16string(8000, u'a') + std::u16string(1000, u'\u20AC');
  auto cell = Cell(table, 0, text);
  const auto bytes = Save(table);
  const auto records = Split(bytes);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(base::ToHex(std::span(records[0].Body).subspan(8, 4)), "28 23 00 61");  // option 0
  EXPECT_EQ(records[0].Body.size(), 8u + 3 + 8000);
  EXPECT_EQ(base::ToHex(std::span(records[1].Body).subspan(0, 3)), "01 AC 20");
  EXPECT_EQ(records[1].Body.size(), 1u + 2000);
  EXPECT_EQ(ReadBack(bytes).at(0).Value(), text);
}

TEST(SharedStrings, ExtSstBucketsPointAtTheirStrings) {
  struct TCase {
    std::size_t Strings;
    std::uint16_t PerBucket;
    std::size_t Buckets;
  };
  const TCase cases[] = {{0, 8, 0}, {20, 8, 3}, {1000, 8, 125}, {2000, 16, 125}};
  const std::size_t prefix = 100;
  for (const auto& c : cases) {
    TSST table;
    std::vector<std::unique_ptr<TLabelSSTRecord>> cells;
    for (std::size_t i = 0; i < c.Strings; ++i) {
      std::u16string text =
          u"s" + base::Utf8ToUtf16(std::to_string(i)) + std::u16string(i % 29, u'x');
      if (i % 7 == 0) text += u'\u0416';
      cells.push_back(Cell(table, 0, text));
    }
    const auto bytes = Save(table, prefix);
    const auto records = Split(bytes, prefix);
    const TRecordBlob& extSst = records.back();
    ASSERT_EQ(extSst.Id, rid::ExtSst);
    ASSERT_EQ(extSst.Body.size(), 2 + 8 * c.Buckets);
    EXPECT_EQ(base::LoadLE16(extSst.Body.data()), c.PerBucket);
    const auto strings = ReadBack(bytes, prefix);
    ASSERT_EQ(strings.size(), c.Strings);
    for (std::size_t b = 0; b < c.Buckets; ++b) {
      std::uint32_t position = base::LoadLE32(extSst.Body.data() + 2 + 8 * b);
      std::uint16_t offset = base::LoadLE16(extSst.Body.data() + 6 + 8 * b);
      EXPECT_EQ(base::LoadLE16(extSst.Body.data() + 8 + 8 * b), 0);
      // The record holding the position, and the string that starts there.
      auto holder = std::find_if(records.rbegin(), records.rend(), [&](const TRecordBlob& ARecord) {
        return ARecord.Offset <= position;
      });
      ASSERT_NE(holder, records.rend());
      EXPECT_EQ(position - holder->Offset, offset) << b;
      // The string starts there; where it lies within that record, its bytes are there as a
      // whole (these strings are written in one piece each).
      const TExcelString& expected = strings[b * c.PerBucket];
      EXPECT_EQ(base::LoadLE16(bytes.data() + position), expected.StrLen()) << b;
      std::vector<std::uint8_t> whole(static_cast<std::size_t>(expected.TotalSize()));
      expected.CopyToPtr(whole, 0);
      if (position + whole.size() <= holder->Offset + 4 + holder->Body.size()) {
        EXPECT_TRUE(std::equal(whole.begin(), whole.end(), bytes.begin() + position)) << b;
      }
    }
  }
}

TEST(SharedStrings, RandomTablesReadBackAsWrittenAndMeasuredBeforehand) {
  std::mt19937 random(20240605);
  for (int round = 0; round < 40; ++round) {
    TSST table;
    std::vector<std::unique_ptr<TLabelSSTRecord>> cells;
    std::vector<TRichString> texts;
    const int count = std::uniform_int_distribution<int>(0, 30)(random);
    for (int i = 0; i < count; ++i) {
      bool longText = random() % 6 == 0;
      std::size_t length =
          std::uniform_int_distribution<std::size_t>(0, longText ? 20000 : 40)(random);
      int kind = static_cast<int>(random() % 3);  // 8-bit, mostly 8-bit, wide
      TRichString text;
      for (std::size_t k = 0; k < length; ++k) {
        bool wide = kind == 2 || (kind == 1 && random() % 50 == 0);
        text.Value += static_cast<char16_t>(wide ? 0x100 + random() % 0xFE00 : 1 + random() % 0xFF);
      }
      if (random() % 5 == 0) {
        auto runs = static_cast<std::uint16_t>(random() % 4000);
        for (std::uint16_t r = 0; r < runs; ++r)
          text.RTFRuns.push_back({r, static_cast<std::uint16_t>(r % 7)});
      }
      auto cell = TLabelSSTRecord::CreateFromData(0, static_cast<std::uint16_t>(i), 15, table);
      cell->SetAsRichString(text);
      cells.push_back(std::move(cell));
      texts.push_back(text);
    }
    const auto bytes = Save(table, static_cast<std::size_t>(round));
    const auto strings = ReadBack(bytes, static_cast<std::size_t>(round));
    ASSERT_EQ(strings.size(), table.Count());
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const TExcelString& written = strings.at(table.WrittenIndex(cells[i]->SSTEntry()));
      ASSERT_EQ(written.Value(), texts[i].Value) << round << " " << i;
      ASSERT_EQ(written.RTFRuns(), texts[i].RTFRuns) << round << " " << i;
      ASSERT_EQ(cells[i]->AsRichString(), texts[i]);
    }
    // A table loaded from what was written writes the same bytes again.
    std::vector<std::uint8_t> records(bytes.begin() + round, bytes.end());
    auto read = testing_support::ReadAllRecords(records);
    TSST reloaded;
    reloaded.Load(dynamic_cast<TSSTRecord&>(*read.front()));
    for (std::size_t i = 0; i < reloaded.Count(); ++i) reloaded.AddRef(reloaded.EntryAt(i));
    const auto again = Save(reloaded, static_cast<std::size_t>(round));
    EXPECT_EQ(base::ToHex(std::span(again).subspan(round)).substr(24),
              base::ToHex(std::span(bytes).subspan(round)).substr(24));  // the uses count differs
  }
}

TEST(SharedStrings, CellsTakeLoadedStringsByIndex) {
  auto read = testing_support::ReadAllRecords(
      Hex("FC 00 10 00 02 00 00 00 02 00 00 00 01 00 00 61 01 00 00 62"));
  TSST table;
  table.Load(dynamic_cast<TSSTRecord&>(*read.front()));
  auto cells =
      testing_support::ReadAllRecords(Hex("FD 00 0A 00 00 00 00 00 0F 00 01 00 00 00"
                                          "FD 00 0A 00 01 00 00 00 0F 00 02 00 00 00"));
  auto& first = dynamic_cast<TLabelSSTRecord&>(*cells[0]);
  first.AttachToSST(table);
  EXPECT_EQ(first.AsString(), u"b");
  EXPECT_EQ(table.RefCount(table.EntryAt(1)), 1u);
  EXPECT_EQ(RaisedMessage([&] { dynamic_cast<TLabelSSTRecord&>(*cells[1]).AttachToSST(table); }),
            "Error reading Excel records. File invalid");
}

TEST(SharedStrings, CopiedCellKeepsItsStringAlive) {
  TSST table;
  auto cell = Cell(table, 0, u"keep");
  auto copy = cell->DoCopyTo();
  EXPECT_EQ(table.RefCount(cell->SSTEntry()), 2u);
  cell.reset();
  table.FixRefs();
  ASSERT_EQ(table.Count(), 1u);
  Save(table);
  EXPECT_EQ(base::ToHex(testing_support::Written(*copy)),
            "FD 00 0A 00 00 00 00 00 0F 00 00 00 00 00");
  EXPECT_EQ(dynamic_cast<TLabelSSTRecord&>(*copy).AsString(), u"keep");
}

TEST(SharedStrings, AStringUsedByMoreThan65535CellsStaysInTheTable) {
  TSST table;
  std::vector<std::unique_ptr<TLabelSSTRecord>> cells;
  for (int i = 0; i < 70000; ++i) cells.push_back(Cell(table, 0, u"(X)"));
  EXPECT_EQ(table.RefCount(cells[0]->SSTEntry()), 70000u);
  table.FixRefs();
  const auto records = Split(Save(table));
  EXPECT_EQ(base::ToHex(records[0].Body), "70 11 01 00 01 00 00 00 03 00 00 28 58 29");
}

TEST(SharedStrings, SaveRefusesAStringNoCellUses) {
  TSST table;
  Cell(table, 0, u"gone");  // the cell is freed at once
  EXPECT_EQ(RaisedMessage([&] { Save(table); }), "Refs should be >0");
}

}  // namespace
