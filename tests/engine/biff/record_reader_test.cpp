#include "engine/biff/record_reader.h"

#include <gtest/gtest.h>

#include <typeinfo>

#include "base/hex.h"
#include "engine/biff/record_ids.h"
#include "engine/formulas/formula_records.h"
#include "engine/records/cell_records.h"
#include "engine/records/format_records.h"
#include "engine/records/setting_records.h"
#include "engine/workbook/section_records.h"
#include "engine/workbook/workbook_records.h"
#include "support/record_bytes.h"

namespace {

using namespace engine::biff;
using testing_support::Hex;
using testing_support::RaisedMessage;
using testing_support::TRecordBytes;
using testing_support::Written;

TEST(ReadRecord, EmptyBodyHasNoBufferAndIsWrittenAsItsHeader) {
  const auto bytes =
      Hex("E2 00 00 00"    // INTERFACEEND, empty
          "0A 00 00 00");  // EOF
  TRecordBytes reader(bytes);
  auto record = reader.Next();
  EXPECT_EQ(record->Id(), 0x00E2);
  EXPECT_EQ(record->DataSize(), 0);
  EXPECT_EQ(record->Data().data(), nullptr);
  EXPECT_EQ(record->TotalSize(), 4);
  EXPECT_EQ(base::ToHex(Written(*record)), "E2 00 00 00");
  EXPECT_EQ(reader.Header().Id, rid::Eof);
}

TEST(ReadRecord, UnknownRecordKeepsItsContinueChainByteForByte) {
  const auto record3 =
      Hex("34 12 03 00 AA BB CC"  // an id no class interprets
          "3C 00 02 00 DD EE"     // CONTINUE
          "3C 00 01 00 FF");      // CONTINUE
  auto bytes = record3;
  const auto next = Hex("0A 00 00 00");
  bytes.insert(bytes.end(), next.begin(), next.end());
  TRecordBytes reader(bytes);
  auto record = reader.Next();
  EXPECT_EQ(typeid(*record), typeid(TBaseRecord));
  ASSERT_NE(record->Continue(), nullptr);
  ASSERT_NE(record->Continue()->Continue(), nullptr);
  EXPECT_EQ(record->Continue()->Continue()->Continue(), nullptr);
  EXPECT_EQ(record->TotalSize(), 3 * 4 + 6);
  EXPECT_EQ(record->TotalSizeNoHeaders(), 6);
  EXPECT_EQ(Written(*record), record3);
  EXPECT_EQ(reader.Header().Id, rid::Eof);
  EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(bytes.size()));
}

TEST(ReadRecord, NextHeaderAtTheEndOfTheStream) {
  struct TCase {
    const char* Tail;
    std::uint16_t Id;
    std::int64_t Consumed;  // bytes of the tail read
  };
  const TCase cases[] = {
      {"", rid::Eof, 0},             // nothing left
      {"01 02 03", rid::Eof, 0},     // three bytes left: an EOF header, nothing read
      {"00 00 00 00", 0, 4},         // zero padding reads as id 0, size 0
      {"0A 00 00 00", rid::Eof, 4},  // a real EOF header
  };
  for (const auto& c : cases) {
    auto bytes = Hex("0D 00 02 00 01 00");  // CALCMODE
    const auto tail = Hex(c.Tail);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    TRecordBytes reader(bytes);
    reader.Next();
    EXPECT_EQ(reader.Header().Id, c.Id) << c.Tail;
    EXPECT_EQ(reader.Header().Size, 0) << c.Tail;
    EXPECT_EQ(reader.Position(), 6 + c.Consumed) << c.Tail;
  }
}

TEST(ReadRecord, StringRecordNeedsAFormulaBeforeIt) {
  const auto afterNumber =
      Hex("03 02 0E 00 00 00 00 00 0F 00 00 00 00 00 00 00 F0 3F"  // NUMBER
          "07 02 04 00 01 00 00 41");                              // STRING "A"
  TRecordBytes number(afterNumber);
  EXPECT_EQ(RaisedMessage([&] { number.Next(); }), "Error reading Excel records. File invalid");

  const auto afterFormula =
      Hex("06 00 14 00 00 00 00 00 0F 00 00 00 00 00 00 00 FF FF 00 00 00 00 00 00"
          "07 02 04 00 01 00 00 41");
  TRecordBytes formula(afterFormula);
  auto first = formula.Next();
  EXPECT_EQ(typeid(*first), typeid(engine::formulas::TFormulaRecord));
  EXPECT_EQ(formula.Header().Id, rid::String);
  auto second = formula.Next();
  EXPECT_EQ(typeid(*second), typeid(engine::formulas::TStringRecord));
}

TEST(ReadRecord, FormulaTakesTheArrayRecordThatFollowsIt) {
  const auto formulaAndArray =
      Hex("06 00 14 00 00 00 00 00 0F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
          "21 02 04 00 01 02 03 04");  // ARRAY
  auto bytes = formulaAndArray;
  const auto tail = Hex("0A 00 00 00");
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  TRecordBytes reader(bytes);
  auto record = reader.Next();
  auto& formula = dynamic_cast<engine::formulas::TFormulaRecord&>(*record);
  ASSERT_EQ(formula.Attached().Count(), 1u);
  EXPECT_EQ(typeid(*formula.Attached()[0]), typeid(engine::formulas::TArrayRecord));
  EXPECT_EQ(reader.Header().Id, rid::Eof);
  EXPECT_EQ(formula.TotalSize(), 24 + 8);
  EXPECT_EQ(Written(formula), formulaAndArray);
  auto copy = formula.DoCopyTo();
  record.reset();
  EXPECT_EQ(Written(*copy), formulaAndArray);

  // After any other record an ARRAY record comes back on its own.
  const auto afterNumber =
      Hex("03 02 0E 00 00 00 00 00 0F 00 00 00 00 00 00 00 F0 3F"
          "21 02 04 00 01 02 03 04");
  TRecordBytes loose(afterNumber);
  loose.Next();
  EXPECT_EQ(loose.Header().Id, rid::Array);
  EXPECT_EQ(typeid(*loose.Next()), typeid(engine::formulas::TArrayRecord));
}

TEST(ReadRecord, FailuresNameTheirCause) {
  struct TCase {
    const char* Bytes;
    const char* Message;
  };
  const TCase cases[] = {
      {"2F 00 06 00 00 00 01 00 01 00", "File is password protected"},
      {"08 02 03 00 01 00 00", "Record with ID 0x208 is invalid"},  // ROW below 4 bytes
      {"FD 00 02 00 01 00", "Record with ID 0xFD is invalid"},      // LABELSST
      {"09 08 10 00 00 05 10 00 00 00 00 00 00 00 00 00 00 00 00 00",
       "Template file is saved with an invalid Excel version"},  // BIFF5 BOF
      {"FC 00 04 00 00 00 00 00",
       "Error reading Excel records. File invalid"},  // SST without Count
      {"0D 00 05 00 01 00", "End of stream reached with 3 bytes left to read"},  // body cut short
  };
  for (const auto& c : cases) {
    const auto bytes = Hex(c.Bytes);
    EXPECT_EQ(RaisedMessage([&] { TRecordBytes(bytes).Next(); }), c.Message) << c.Bytes;
  }
}

TEST(RecordFactory, EveryClassIsRegisteredAndCopiesAsItself) {
  const TRecordFactory& factory = engine::workbook::WorkbookRecordFactory();
  EXPECT_TRUE(factory.MissingClasses().empty());
  // Ids of every class of the table, each with a body its class accepts.
  for (std::uint32_t id = 0; id <= 0xFFFF; ++id) {
    const auto recordId = static_cast<std::uint16_t>(id);
    TRecordClassId recordClass = RecordClassOf(recordId);
    if (recordClass == TRecordClassId::Refused) continue;
    if (recordClass == TRecordClassId::Base && id % 997 != 0) continue;  // a sample of the rest
    std::vector<std::uint8_t> body(20, 0);
    body[1] = 0x06;  // BIFF8 in a BOF
    body[4] = 1;     // one string in an SST
    auto record = factory.CreateRecord(recordId, TRecordData::CopyOf(body));
    auto copy = record->DoCopyTo();
    EXPECT_EQ(typeid(*copy), typeid(*record)) << RecordClassName(recordClass);
    EXPECT_EQ(copy->Id(), recordId);
    if (recordClass == TRecordClassId::Ignore) {
      EXPECT_EQ(typeid(*record), typeid(TIgnoreRecord)) << RecordName(recordId);
      EXPECT_EQ(record->TotalSize(), 0);
      EXPECT_TRUE(Written(*record).empty());
    }
  }
  EXPECT_EQ(typeid(*factory.CreateRecord(rid::XF, TRecordData::Allocate(20))),
            typeid(engine::records::TXFRecord));
  EXPECT_EQ(typeid(*factory.CreateRecord(rid::BottomMargin, TRecordData::Allocate(8))),
            typeid(engine::records::TMarginRecord));
}

TEST(RecordCopy, IsIndependentOfItsSource) {
  const auto bytes = Hex("34 12 02 00 AA BB 3C 00 02 00 CC DD");
  auto source = testing_support::ReadAllRecords(bytes);
  ASSERT_EQ(source.size(), 1u);
  auto copy = TBaseRecord::CopyTo(source[0].get());
  EXPECT_NE(copy->Data().data(), source[0]->Data().data());
  EXPECT_NE(copy->Continue(), source[0]->Continue());
  source[0]->SetWord(0, 0x1111);
  source[0]->Continue()->SetWord(0, 0x2222);
  source.clear();
  EXPECT_EQ(Written(*copy), bytes);
  EXPECT_EQ(TBaseRecord::CopyTo(nullptr), nullptr);

  // A copied sheet window is neither selected nor shown.
  auto window = engine::workbook::WorkbookRecordFactory().CreateRecord(
      rid::Window2,
      TRecordData::CopyOf(Hex("B6 06 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00")));
  EXPECT_EQ(window->DoCopyTo()->GetWord(0), 0x00B6);
  EXPECT_EQ(window->GetWord(0), 0x06B6);
}

TEST(RecordContinue, AChainGrowsAtItsTailOnly) {
  TBaseRecord record(0x1234, TRecordData());
  record.AddContinue(std::make_unique<TContinueRecord>(rid::Continue, TRecordData()));
  EXPECT_EQ(RaisedMessage([&] {
              record.AddContinue(std::make_unique<TContinueRecord>(rid::Continue, TRecordData()));
            }),
            "Trying to add more than one CONTINUE record to the same record");
}

TEST(RecordContinue, AVeryLongChainIsReadWrittenAndFreedWithoutDeepRecursion) {
  std::vector<std::uint8_t> bytes = Hex("34 12 01 00 AA");
  for (int i = 0; i < 200000; ++i) {
    const auto part = Hex("3C 00 01 00 BB");
    bytes.insert(bytes.end(), part.begin(), part.end());
  }
  auto records = testing_support::ReadAllRecords(bytes);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0]->TotalSize(), static_cast<std::int64_t>(bytes.size()));
  auto copy = records[0]->DoCopyTo();
  EXPECT_EQ(Written(*copy), bytes);
}

}  // namespace
