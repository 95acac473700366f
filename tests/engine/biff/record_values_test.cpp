// Values and string characters that run on across CONTINUE boundaries.
#include <gtest/gtest.h>

#include "base/hex.h"
#include "engine/biff/record_reader.h"
#include "support/record_bytes.h"

namespace {

using namespace engine::biff;
using testing_support::Hex;
using testing_support::RaisedMessage;

std::unique_ptr<TBaseRecord> Read(std::string_view AHex) {
  auto records = testing_support::ReadAllRecords(Hex(AHex));
  EXPECT_EQ(records.size(), 1u);
  return std::move(records.front());
}

TEST(ReadRecordBytes, ValueRunsOnIntoTheNextContinue) {
  auto record = Read(
      "34 12 06 00 00 00 01 02 03 04"
      "3C 00 08 00 05 06 07 08 09 0A 0B 0C");
  TRecordCursor cursor{record.get(), 2};
  std::uint8_t value[10] = {};
  ReadRecordBytes(cursor, 10, value);
  EXPECT_EQ(base::ToHex(value), "01 02 03 04 05 06 07 08 09 0A");
  EXPECT_EQ(cursor.Record, record->Continue());
  EXPECT_EQ(cursor.Offset, 6u);
  ReadRecordBytes(cursor, 1, nullptr);  // skipped
  ReadRecordBytes(cursor, 1, value);
  EXPECT_EQ(value[0], 0x0C);
  EXPECT_EQ(RaisedMessage([&] { ReadRecordBytes(cursor, 1, value); }), "Error reading record");
  TRecordCursor beyond{record.get(), 7};
  EXPECT_EQ(RaisedMessage([&] { ReadRecordBytes(beyond, 0, value); }), "Error reading record");
}

TEST(ReadRecordChars, EachContinuePieceStartsWithItsOwnOptionByte) {
  // "ab" 8-bit in the record, then a CONTINUE whose piece is 16-bit: "c" and U+20AC.
  auto record = Read(
      "34 12 02 00 61 62"
      "3C 00 05 00 01 63 00 AC 20");
  TRecordCursor cursor{record.get(), 0};
  std::string shortChars;
  std::u16string wideChars;
  std::size_t read = 0;
  std::uint8_t governing = 0;
  std::uint8_t own = 0;
  ReadRecordChars(cursor, shortChars, wideChars, 4, read, governing, own);
  EXPECT_EQ(read, 4u);
  EXPECT_EQ(own & 1, 1);  // the whole string is 16-bit now
  EXPECT_EQ(wideChars, u"abc\u20AC");

  // A 16-bit string whose CONTINUE piece is 8-bit keeps being 16-bit.
  auto mixed = Read(
      "34 12 02 00 41 01"
      "3C 00 03 00 00 42 43");
  TRecordCursor start{mixed.get(), 0};
  shortChars.clear();
  wideChars.clear();
  read = 0;
  governing = own = 1;
  ReadRecordChars(start, shortChars, wideChars, 3, read, governing, own);
  EXPECT_EQ(wideChars, u"\u0141BC");
}

TEST(ReadRecordChars, RefusesCharactersThatAreNotThere) {
  struct TCase {
    const char* Bytes;
    std::size_t Length;
    std::uint8_t Options;
  };
  const TCase cases[] = {
      {"34 12 02 00 61 62", 3, 0},           // no CONTINUE for the third character
      {"34 12 03 00 41 00 42", 2, 1},        // half a 16-bit character at the end
      {"34 12 01 00 61 3C 00 00 00", 2, 0},  // a CONTINUE without its option byte
  };
  for (const auto& c : cases) {
    auto record = Read(c.Bytes);
    TRecordCursor cursor{record.get(), 0};
    std::string shortChars;
    std::u16string wideChars;
    std::size_t read = 0;
    std::uint8_t governing = c.Options;
    std::uint8_t own = c.Options;
    EXPECT_EQ(RaisedMessage([&] {
                ReadRecordChars(cursor, shortChars, wideChars, c.Length, read, governing, own);
              }),
              "Error reading record")
        << c.Bytes;
  }
}

}  // namespace
