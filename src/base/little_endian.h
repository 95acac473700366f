// Little-endian loads and stores built from shifts (no struct overlays), with bounds-checked
// variants over spans that raise the engine's "file invalid" error when an access would leave
// the buffer.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "base/exception.h"

namespace base {

inline std::uint16_t LoadLE16(const std::uint8_t* p) noexcept {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadLE32(const std::uint8_t* p) noexcept {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint64_t LoadLE64(const std::uint8_t* p) noexcept {
  return static_cast<std::uint64_t>(LoadLE32(p)) | (static_cast<std::uint64_t>(LoadLE32(p + 4)) << 32);
}
inline double LoadLEDouble(const std::uint8_t* p) noexcept {
  return std::bit_cast<double>(LoadLE64(p));
}

inline void StoreLE16(std::uint8_t* p, std::uint16_t v) noexcept {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void StoreLE32(std::uint8_t* p, std::uint32_t v) noexcept {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline void StoreLE64(std::uint8_t* p, std::uint64_t v) noexcept {
  StoreLE32(p, static_cast<std::uint32_t>(v));
  StoreLE32(p + 4, static_cast<std::uint32_t>(v >> 32));
}
inline void StoreLEDouble(std::uint8_t* p, double v) noexcept {
  StoreLE64(p, std::bit_cast<std::uint64_t>(v));
}

// Raises when [AOffset, AOffset + ACount) is not inside a buffer of ASize bytes; written so
// that it cannot overflow.
inline void CheckRange(std::size_t ASize, std::size_t AOffset, std::size_t ACount) {
  if (AOffset > ASize || ACount > ASize - AOffset) Raise(TMessage::ErrorReadingRecords);
}

inline std::uint16_t GetU16(std::span<const std::uint8_t> AData, std::size_t AOffset) {
  CheckRange(AData.size(), AOffset, 2);
  return LoadLE16(AData.data() + AOffset);
}
inline std::uint32_t GetU32(std::span<const std::uint8_t> AData, std::size_t AOffset) {
  CheckRange(AData.size(), AOffset, 4);
  return LoadLE32(AData.data() + AOffset);
}
inline void SetU16(std::span<std::uint8_t> AData, std::size_t AOffset, std::uint16_t AValue) {
  CheckRange(AData.size(), AOffset, 2);
  StoreLE16(AData.data() + AOffset, AValue);
}
inline void SetU32(std::span<std::uint8_t> AData, std::size_t AOffset, std::uint32_t AValue) {
  CheckRange(AData.size(), AOffset, 4);
  StoreLE32(AData.data() + AOffset, AValue);
}

}  // namespace base
