#include "engine/biff/record_stream.h"

#include <cstring>

#include "base/exception.h"
#include "container/ole2_file.h"

namespace engine::biff {

void TOle2RecordStream::ReadMem(void* ABuffer, std::uint32_t ACount) {
  FFile.ReadMem(ABuffer, ACount);
}

bool TOle2RecordStream::NextEof(std::int64_t ACount) const {
  return FFile.NextEof(ACount);
}

void TOle2RecordStream::WriteMem(const void* ABuffer, std::uint32_t ACount) {
  FFile.WriteMem(ABuffer, ACount);
}

std::int64_t TOle2RecordStream::Position() const {
  return FFile.Position();
}

void TMemoryRecordSource::ReadMem(void* ABuffer, std::uint32_t ACount) {
  std::size_t left = FBytes.size() - FPosition;
  if (ACount > left) base::Raise(base::TMessage::EndOfStreamReached, {ACount - left});
  if (ACount > 0) std::memcpy(ABuffer, FBytes.data() + FPosition, ACount);
  FPosition += ACount;
}

bool TMemoryRecordSource::NextEof(std::int64_t ACount) const {
  return static_cast<std::int64_t>(FPosition) + ACount >= static_cast<std::int64_t>(FBytes.size());
}

void TMemoryRecordSink::WriteMem(const void* ABuffer, std::uint32_t ACount) {
  const auto* bytes = static_cast<const std::uint8_t*>(ABuffer);
  FBytes.insert(FBytes.end(), bytes, bytes + ACount);
}

}  // namespace engine::biff
