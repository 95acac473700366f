#include "engine/strings/string_records.h"

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_ids.h"

namespace engine::strings {

namespace {

constexpr std::size_t kLabelSstSize = 10;
constexpr std::size_t kTextAt = 6;

}  // namespace

TSSTRecord::TSSTRecord(std::uint16_t AId, biff::TRecordData AData)
    : TConcreteRecord(AId, std::move(AData)), FCount(GetCardinal(4)) {}

TLabelSSTRecord::~TLabelSSTRecord() {
  if (FSST && FEntry != TSST::kNoEntry) FSST->Release(FEntry);
}

std::unique_ptr<TLabelSSTRecord> TLabelSSTRecord::CreateFromData(std::uint16_t ARow,
                                                                 std::uint16_t ACol,
                                                                 std::uint16_t AXF, TSST& ASST) {
  auto record = std::make_unique<TLabelSSTRecord>(biff::rid::LabelSst,
                                                  biff::TRecordData::Allocate(kLabelSstSize));
  record->SetRow(ARow);
  record->SetColumn(ACol);
  record->SetXF(AXF);
  record->FSST = &ASST;
  return record;
}

void TLabelSSTRecord::AttachToSST(TSST& ASST) {
  std::uint32_t index = GetCardinal(kTextAt);
  if (index >= ASST.Count()) base::Raise(base::TMessage::ErrorReadingRecords);
  TSST::TEntry entry = ASST.EntryAt(index);
  ASST.AddRef(entry);
  if (FSST && FEntry != TSST::kNoEntry) FSST->Release(FEntry);
  FSST = &ASST;
  FEntry = entry;
}

std::u16string TLabelSSTRecord::AsString() const {
  return FSST && FEntry != TSST::kNoEntry ? FSST->EntryString(FEntry) : std::u16string();
}

TRichString TLabelSSTRecord::AsRichString() const {
  return FSST && FEntry != TSST::kNoEntry ? FSST->EntryRichString(FEntry) : TRichString();
}

void TLabelSSTRecord::SetEntry(TSST::TEntry AEntry) {
  TSST::TEntry old = std::exchange(FEntry, AEntry);
  if (old != TSST::kNoEntry) FSST->Release(old);
}

void TLabelSSTRecord::SetAsString(std::u16string_view AValue) {
  if (!FSST) base::Raise(base::TMessage::TextCellWithoutString);
  SetEntry(FSST->AddString(AValue));
}

void TLabelSSTRecord::SetAsRichString(const TRichString& AValue) {
  if (!FSST) base::Raise(base::TMessage::TextCellWithoutString);
  SetEntry(FSST->AddString(AValue.Value, AValue.RTFRuns));
}

std::unique_ptr<biff::TBaseRecord> TLabelSSTRecord::DoCopyTo() const {
  std::unique_ptr<biff::TBaseRecord> copy = TConcreteRecord::DoCopyTo();
  auto& label = static_cast<TLabelSSTRecord&>(*copy);
  label.FSST = FSST;
  label.FEntry = FEntry;
  if (FSST && FEntry != TSST::kNoEntry) FSST->AddRef(FEntry);
  return copy;
}

void TLabelSSTRecord::SaveToStream(biff::TRecordSink& AStream) {
  if (!FSST || FEntry == TSST::kNoEntry) base::Raise(base::TMessage::TextCellWithoutString);
  SetCardinal(kTextAt, FSST->WrittenIndex(FEntry));
  TConcreteRecord::SaveToStream(AStream);
}

std::u16string TLabelRecord::AsString() const {
  biff::TRecordCursor cursor{this, kTextAt};
  return TExcelString(2, cursor).Value();
}

std::u16string TRStringRecord::AsString() const {
  return GetAsRichString().Value;
}

TRichString TRStringRecord::GetAsRichString() const {
  biff::TRecordCursor cursor{this, kTextAt};
  TRichString result{TExcelString(2, cursor).Value(), {}};
  std::uint8_t bytes[4];
  biff::ReadRecordBytes(cursor, 2, bytes);
  result.RTFRuns.resize(base::LoadLE16(bytes));
  for (TRTFRun& run : result.RTFRuns) {
    biff::ReadRecordBytes(cursor, 4, bytes);
    run = {base::LoadLE16(bytes), base::LoadLE16(bytes + 2)};
  }
  return result;
}

void RegisterRecordClasses(biff::TRecordFactory& AFactory) {
  using biff::TRecordClassId;
  AFactory.Register(TRecordClassId::Sst, biff::ConstructRecord<TSSTRecord>);
  AFactory.Register(TRecordClassId::LabelSst, biff::ConstructRecord<TLabelSSTRecord>);
  AFactory.Register(TRecordClassId::Label, biff::ConstructRecord<TLabelRecord>);
  AFactory.Register(TRecordClassId::RString, biff::ConstructRecord<TRStringRecord>);
}

}  // namespace engine::strings
