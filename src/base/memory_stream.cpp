#include <algorithm>
#include <cstring>
#include <limits>

#include "base/byte_stream.h"
#include "base/file_error.h"

namespace base {

namespace {

std::size_t ReadFrom(std::span<const std::uint8_t> AData, std::int64_t& APosition, void* ABuffer,
                     std::size_t ACount) {
  if (APosition >= static_cast<std::int64_t>(AData.size())) return 0;
  std::size_t available = AData.size() - static_cast<std::size_t>(APosition);
  std::size_t count = std::min(ACount, available);
  if (count > 0) std::memcpy(ABuffer, AData.data() + APosition, count);
  APosition += static_cast<std::int64_t>(count);
  return count;
}

void CheckPosition(std::int64_t APosition) {
  if (APosition < 0) RaiseFileError(kReadBeyondEnd);
}

}  // namespace

void TMemoryStream::SetPosition(std::int64_t APosition) {
  CheckPosition(APosition);
  FPosition = APosition;
}

std::size_t TMemoryStream::Read(void* ABuffer, std::size_t ACount) {
  return ReadFrom(FData, FPosition, ABuffer, ACount);
}

void TMemoryStream::Write(const void* ABuffer, std::size_t ACount) {
  if (ACount == 0) return;
  if (ACount > static_cast<std::size_t>(std::numeric_limits<std::int64_t>::max() - FPosition))
    RaiseFileError(kDiskFull);
  auto position = static_cast<std::size_t>(FPosition);
  auto end = position + ACount;
  if (end > FData.capacity()) FData.reserve(std::max(end, FData.capacity() * 2));
  const auto* bytes = static_cast<const std::uint8_t*>(ABuffer);
  if (position >= FData.size()) {
    // Appending (the common case) copies once; a gap before the new bytes is zero.
    FData.resize(position, 0);
    FData.insert(FData.end(), bytes, bytes + ACount);
  } else {
    std::size_t inside = std::min(ACount, FData.size() - position);
    std::memcpy(FData.data() + position, bytes, inside);
    FData.insert(FData.end(), bytes + inside, bytes + ACount);
  }
  FPosition = static_cast<std::int64_t>(end);
}

void TMemoryStream::Clear() noexcept {
  FData.clear();
  FPosition = 0;
}

std::vector<std::uint8_t> TMemoryStream::TakeData() noexcept {
  FPosition = 0;
  return std::exchange(FData, {});
}

void TSpanStream::SetPosition(std::int64_t APosition) {
  CheckPosition(APosition);
  FPosition = APosition;
}

std::size_t TSpanStream::Read(void* ABuffer, std::size_t ACount) {
  return ReadFrom(FData, FPosition, ABuffer, ACount);
}

void TSpanStream::Write(const void*, std::size_t) { RaiseFileError(kFileAccessDenied); }

}  // namespace base
