#include "engine/biff/record_data.h"

#include <cstring>
#include <utility>

#include "base/exception.h"

namespace engine::biff {

TRecordData::TRecordData(TRecordData&& AOther) noexcept
    : FHeap(std::move(AOther.FHeap)), FSize(std::exchange(AOther.FSize, 0)) {
  std::memcpy(FInline, AOther.FInline, kInlineSize);
}

TRecordData& TRecordData::operator=(TRecordData&& AOther) noexcept {
  FHeap = std::move(AOther.FHeap);
  FSize = std::exchange(AOther.FSize, 0);
  std::memcpy(FInline, AOther.FInline, kInlineSize);
  return *this;
}

TRecordData TRecordData::Allocate(std::size_t ASize) {
  if (ASize > UINT16_MAX) base::Raise(base::TMessage::RecordTooLong, {ASize});
  TRecordData data;
  data.FSize = static_cast<std::uint16_t>(ASize);
  if (ASize > kInlineSize) data.FHeap = std::make_unique<std::uint8_t[]>(ASize);
  return data;
}

TRecordData TRecordData::CopyOf(std::span<const std::uint8_t> ABytes) {
  TRecordData data = Allocate(ABytes.size());
  if (!ABytes.empty()) std::memcpy(data.Bytes(), ABytes.data(), ABytes.size());
  return data;
}

}  // namespace engine::biff
