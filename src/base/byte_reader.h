// A bounds-checked little-endian cursor over a byte span: every read that would run past the
// end raises "Error reading Excel records. File invalid" instead of reading outside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/little_endian.h"

namespace base {

class TByteReader {
public:
  explicit TByteReader(std::span<const std::uint8_t> AData) noexcept : FData(AData) {}

  std::size_t Position() const noexcept { return FPos; }
  std::size_t Remaining() const noexcept { return FData.size() - FPos; }
  bool AtEnd() const noexcept { return FPos == FData.size(); }

  std::uint8_t U8() {
    Need(1);
    return FData[FPos++];
  }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Take(2, LoadLE16)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Take(4, LoadLE32)); }
  std::uint64_t U64() { return Take(8, LoadLE64); }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  double F64() { return std::bit_cast<double>(U64()); }

  std::span<const std::uint8_t> Bytes(std::size_t ACount) {
    Need(ACount);
    auto result = FData.subspan(FPos, ACount);
    FPos += ACount;
    return result;
  }
  TByteReader Sub(std::size_t ACount) { return TByteReader(Bytes(ACount)); }
  void Skip(std::size_t ACount) { Bytes(ACount); }

private:
  void Need(std::size_t ACount) const {
    if (ACount > FData.size() - FPos) Raise(TMessage::ErrorReadingRecords);
  }
  template <class F>
  std::uint64_t Take(std::size_t ACount, F ALoad) {
    Need(ACount);
    std::uint64_t value = ALoad(FData.data() + FPos);
    FPos += ACount;
    return value;
  }

  std::span<const std::uint8_t> FData;
  std::size_t FPos = 0;
};

}  // namespace base
