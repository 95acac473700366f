#include "engine/biff/base_record.h"

#include <cstring>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_stream.h"

namespace engine::biff {

TBaseRecord::TBaseRecord(std::uint16_t AId, TRecordData AData) noexcept
    : FData(std::move(AData)), FId(AId) {}

// A chain read from a hostile file may be very long, so it is freed in a loop rather than by
// the nested destructors.
TBaseRecord::~TBaseRecord() {
  std::unique_ptr<TContinueRecord> next = std::move(FContinue);
  while (next) next = std::move(next->FContinue);
}

void TBaseRecord::ReplaceData(TRecordData AData) noexcept {
  FData = std::move(AData);
  std::unique_ptr<TContinueRecord> next = std::move(FContinue);
  while (next) next = std::move(next->FContinue);
}

void TBaseRecord::AddContinue(std::unique_ptr<TContinueRecord> AContinue) {
  if (FContinue) base::Raise(base::TMessage::MoreThanOneContinue);
  FContinue = std::move(AContinue);
}

std::unique_ptr<TBaseRecord> TBaseRecord::CopyTo(const TBaseRecord* ARecord) {
  return ARecord ? ARecord->DoCopyTo() : nullptr;
}

std::unique_ptr<TBaseRecord> TBaseRecord::DoCopyTo() const {
  std::unique_ptr<TBaseRecord> copy = CreateSameClass(FId, TRecordData::CopyOf(Data()));
  TBaseRecord* tail = copy.get();
  for (const TContinueRecord* part = Continue(); part; part = part->Continue()) {
    tail->FContinue =
        std::make_unique<TContinueRecord>(part->FId, TRecordData::CopyOf(part->Data()));
    tail = tail->FContinue.get();
  }
  return copy;
}

void TBaseRecord::SaveToStream(TRecordSink& AStream) {
  SaveDataToStream(AStream, Data());
  for (const TContinueRecord* part = Continue(); part; part = part->Continue())
    part->SaveDataToStream(AStream, part->Data());
}

std::int64_t TBaseRecord::TotalSize() const {
  std::int64_t size = 0;
  for (const TBaseRecord* part = this; part; part = part->Continue())
    size += static_cast<std::int64_t>(kRecordHeaderSize) + part->DataSize();
  return size;
}

std::int64_t TBaseRecord::TotalSizeNoHeaders() const {
  std::int64_t size = 0;
  for (const TBaseRecord* part = this; part; part = part->Continue()) size += part->DataSize();
  return size;
}

bool TBaseRecord::TakesAttachment(std::uint16_t) const {
  return false;
}

void TBaseRecord::Attach(std::unique_ptr<TBaseRecord>) {
  base::Raise(base::TMessage::RecordTakesNoAttachment, {FId});
}

std::uint8_t TBaseRecord::GetByte(std::size_t AOffset) const {
  base::CheckRange(DataSize(), AOffset, 1);
  return Data()[AOffset];
}

std::uint16_t TBaseRecord::GetWord(std::size_t AOffset) const {
  return base::GetU16(Data(), AOffset);
}

std::uint32_t TBaseRecord::GetCardinal(std::size_t AOffset) const {
  return base::GetU32(Data(), AOffset);
}

void TBaseRecord::SetByte(std::size_t AOffset, std::uint8_t AValue) {
  base::CheckRange(DataSize(), AOffset, 1);
  Data()[AOffset] = AValue;
}

void TBaseRecord::SetWord(std::size_t AOffset, std::uint16_t AValue) {
  base::SetU16(Data(), AOffset, AValue);
}

void TBaseRecord::SetCardinal(std::size_t AOffset, std::uint32_t AValue) {
  base::SetU32(Data(), AOffset, AValue);
}

void TBaseRecord::IncWord(std::size_t AOffset, std::int64_t ADelta, std::int64_t AMax) {
  std::int64_t value = static_cast<std::int64_t>(GetWord(AOffset)) + ADelta;
  if (value < 0 || value > AMax) base::Raise(base::TMessage::TooManyEntries, {value, AMax});
  SetWord(AOffset, static_cast<std::uint16_t>(value));
}

void TBaseRecord::SaveDataToStream(TRecordSink& AStream,
                                   std::span<const std::uint8_t> ABody) const {
  // Small records, the bulk of a sheet, go out in one write.
  constexpr std::size_t kJoined = 256;
  std::uint8_t buffer[kJoined];
  base::StoreLE16(buffer, FId);
  base::StoreLE16(buffer + 2, static_cast<std::uint16_t>(ABody.size()));
  if (ABody.size() <= kJoined - kRecordHeaderSize) {
    if (!ABody.empty()) std::memcpy(buffer + kRecordHeaderSize, ABody.data(), ABody.size());
    AStream.WriteMem(buffer, static_cast<std::uint32_t>(kRecordHeaderSize + ABody.size()));
    return;
  }
  AStream.WriteMem(buffer, kRecordHeaderSize);
  AStream.WriteMem(ABody.data(), static_cast<std::uint32_t>(ABody.size()));
}

std::unique_ptr<TBaseRecord> TBaseRecord::CreateSameClass(std::uint16_t AId,
                                                          TRecordData AData) const {
  return std::make_unique<TBaseRecord>(AId, std::move(AData));
}

}  // namespace engine::biff
