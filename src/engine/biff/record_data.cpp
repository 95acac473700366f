#include "engine/biff/record_data.h"

#include <cstring>

#include "base/exception.h"

namespace engine::biff {

TRecordData TRecordData::Allocate(std::size_t ASize) {
  if (ASize > UINT16_MAX) base::Raise(base::TMessage::RecordTooLong, {ASize});
  TRecordData data;
  data.FSize = static_cast<std::uint16_t>(ASize);
  if (ASize > 0) data.FBytes = std::make_unique<std::uint8_t[]>(ASize);
  return data;
}

TRecordData TRecordData::CopyOf(std::span<const std::uint8_t> ABytes) {
  TRecordData data = Allocate(ABytes.size());
  if (!ABytes.empty()) std::memcpy(data.Bytes(), ABytes.data(), ABytes.size());
  return data;
}

}  // namespace engine::biff
