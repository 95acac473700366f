#include "engine/biff/record_lists.h"

#include <gtest/gtest.h>

#include "base/hex.h"
#include "engine/biff/record_ids.h"
#include "engine/records/cell_records.h"
#include "support/record_bytes.h"

namespace {

using namespace engine::biff;
using testing_support::Hex;
using testing_support::RaisedMessage;
using testing_support::Written;

std::unique_ptr<TBaseRecord> Raw(std::string_view AHexBody, std::uint16_t AId = 0x1234) {
  return std::make_unique<TBaseRecord>(AId, TRecordData::CopyOf(Hex(AHexBody)));
}

std::unique_ptr<engine::records::TBlankRecord> Blank(std::uint16_t ARow, std::uint16_t ACol) {
  auto record =
      std::make_unique<engine::records::TBlankRecord>(rid::Blank, TRecordData::Allocate(6));
  record->SetRow(ARow);
  record->SetColumn(ACol);
  record->SetXF(15);
  return record;
}

TEST(RecordList, TotalSizeFollowsEveryChange) {
  TBaseRecordList list;
  list.Add(Raw("01 02"));              // 6
  list.Add(Raw(""));                   // 4
  list.Insert(1, Raw("01 02 03 04"));  // 8
  EXPECT_EQ(list.TotalSize(), 18);
  list.Replace(0, Raw("01 02 03"));  // 6 -> 7
  EXPECT_EQ(list.TotalSize(), 19);
  list.Delete(1);
  EXPECT_EQ(list.TotalSize(), 11);
  list.Add(nullptr);  // an empty slot counts nothing and writes nothing
  EXPECT_EQ(list.TotalSize(), 11);
  EXPECT_EQ(base::ToHex(Written(list)), "34 12 03 00 01 02 03 34 12 00 00");
  list[0]->Data()[0] = 0x09;  // a change of content, not of size
  list.AdaptSize(-3);         // what a record's owner reports when it shrinks one
  EXPECT_EQ(list.TotalSize(), 8);
  list.Clear();
  EXPECT_EQ(list.TotalSize(), 0);
  EXPECT_EQ(list.Count(), 0u);
}

TEST(RecordList, SubListIsWrittenAtItsPlaceAndCountedByItsOwner) {
  TBaseRecordList inner;
  inner.Add(Raw("AA", 0x0031));
  inner.Add(Raw("BB", 0x0031));
  TBaseRecordList outer;
  outer.Add(Raw("01", 0x0042));
  outer.Add(TSubListRecord::CreateAndAssign(inner));
  outer.Add(Raw("02", 0x0043));
  EXPECT_EQ(outer.TotalSize(), 10);
  EXPECT_EQ(base::ToHex(Written(outer)),
            "42 00 01 00 01 31 00 01 00 AA 31 00 01 00 BB 43 00 01 00 02");
  TBaseRecordList copy;
  copy.CopyFrom(outer);
  EXPECT_EQ(Written(copy), Written(outer));
}

// A record whose size disagrees with what it writes: a save must not go on as if it fitted.
class TMisSizedRecord final : public TConcreteRecord<TMisSizedRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  std::int64_t TotalSize() const override { return TConcreteRecord::TotalSize() + 1; }
};

TEST(RecordList, SaveRefusesARecordThatWritesOtherThanItsSize) {
  TBaseRecordList list;
  list.Add(std::make_unique<TMisSizedRecord>(0x0123, TRecordData::Allocate(2)));
  EXPECT_EQ(RaisedMessage([&] { Written(list); }),
            "Record with ID 0x123 wrote 6 bytes instead of 7");
}

TEST(RecordBody, AccessorsStayInsideTheBody) {
  TBaseRecord record(0x1234, TRecordData::CopyOf(Hex("FE FF 00 00 01 00")));
  EXPECT_EQ(record.GetWord(0), 0xFFFE);
  EXPECT_EQ(record.GetCardinal(2), 0x00010000u);
  EXPECT_EQ(RaisedMessage([&] { record.GetCardinal(3); }),
            "Error reading Excel records. File invalid");
  EXPECT_EQ(RaisedMessage([&] { record.SetWord(5, 1); }),
            "Error reading Excel records. File invalid");
  record.IncWord(0, 1, 0xFFFF);
  EXPECT_EQ(record.GetWord(0), 0xFFFF);
  EXPECT_EQ(RaisedMessage([&] { record.IncWord(0, 1, 0xFFFF); }),
            "Too many entries for this kind of record (65536 out of a maximum of 65535)");
  EXPECT_EQ(RaisedMessage([&] { record.IncWord(2, -1, 10); }),
            "Too many entries for this kind of record (-1 out of a maximum of 10)");
  EXPECT_EQ(record.GetWord(2), 0);
}

TEST(RowColRecordList, FindsByColumnAfterSortingLazily) {
  TBaseRowColRecordList list;
  for (std::uint16_t col : {7, 2, 5}) list.Add(Blank(0, col));
  EXPECT_FALSE(list.Sorted());
  std::size_t index = 99;
  EXPECT_TRUE(list.Find(5, index));
  EXPECT_EQ(index, 1u);
  EXPECT_TRUE(list.Sorted());
  EXPECT_FALSE(list.Find(6, index));
  EXPECT_EQ(index, 2u);  // where column 6 would go
  list.Insert(index, Blank(0, 6));
  EXPECT_TRUE(list.Sorted());
  EXPECT_FALSE(list.Find(9, index));
  EXPECT_EQ(index, 4u);
  list.Add(Blank(0, 1));
  EXPECT_FALSE(list.Sorted());
  EXPECT_TRUE(list.Find(1, index));
  EXPECT_EQ(index, 0u);
}

TEST(RowColRecordList, RangeSaveAndSizeTakeOnlyTheRecordsInside) {
  TBaseRowColRecordList list;
  list.Add(Blank(1, 1));
  list.Add(Blank(1, 4));
  list.Add(Blank(3, 2));
  const TXlsCellRange range{/*Left*/ 0, /*Top*/ 0, /*Right*/ 2, /*Bottom*/ 3};
  EXPECT_EQ(list.TotalRangeSize(range, false), 20);
  TMemoryRecordSink sink;
  list.SaveRangeToStream(sink, range);
  EXPECT_EQ(base::ToHex(sink.Bytes()),
            "01 02 06 00 01 00 01 00 0F 00 01 02 06 00 03 00 02 00 0F 00");
}

TEST(RowColRecord, ArrangingMovesRecordsOnTheirOwnSheet) {
  TBaseRowColRecordList list;
  list.Add(Blank(4, 3));
  list.Add(Blank(9, 0));
  const TSheetInfo sameSheet{0, 0};
  list.ArrangeInsertRowsAndCols(5, 2, 1, 1, sameSheet);
  EXPECT_EQ(list[0]->Row(), 4);
  EXPECT_EQ(list[0]->Column(), 4);
  EXPECT_EQ(list[1]->Row(), 11);
  EXPECT_EQ(list[1]->Column(), 0);
  list.ArrangeInsertRowsAndCols(0, 100, 0, 100, TSheetInfo{0, 1});  // another sheet's record
  EXPECT_EQ(list[1]->Row(), 11);
  list.ArrangeCopyRowsAndCols(-12, 0);  // wraps at 16 bits, unchecked
  EXPECT_EQ(list[1]->Row(), 65535);

  auto cell = Blank(65530, 250);
  EXPECT_EQ(RaisedMessage([&] { cell->ArrangeInsertRowsAndCols(0, 6, 0, 0, sameSheet); }),
            "Too many entries for this kind of record (65536 out of a maximum of 65535)");
  EXPECT_EQ(RaisedMessage([&] { cell->ArrangeInsertRowsAndCols(0, 0, 0, 6, sameSheet); }),
            "Too many entries for this kind of record (256 out of a maximum of 255)");
  EXPECT_EQ(RaisedMessage([&] { cell->ArrangeInsertRowsAndCols(0, -65531, 0, 0, sameSheet); }),
            "Too many entries for this kind of record (-1 out of a maximum of 65535)");
}

TEST(ShrFmlaRecordList, FindsByKey) {
  TShrFmlaRecordList list;
  list.Add(Raw("01", rid::ShrFmla), 0x00020005);
  list.Add(Raw("02", rid::ShrFmla), 0x00010009);
  std::size_t index = 0;
  ASSERT_TRUE(list.Find(0x00020005, index));
  EXPECT_EQ(list[index]->GetByte(0), 0x01);
  EXPECT_FALSE(list.Find(0x00010000, index));
  EXPECT_EQ(index, 0u);
}

}  // namespace
