// TRecordData: the body of one BIFF8 record as one owned buffer (no buffer when empty). Its size
// fits the header's 16-bit size field by construction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace engine::biff {

inline constexpr std::size_t kRecordHeaderSize = 4;
// The longest body a BIFF8 record may have; longer logical records go on in CONTINUE records.
inline constexpr std::size_t kMaxRecordDataSize = 8224;

class TRecordData {
 public:
  TRecordData() = default;

  // A zero-filled body of ASize bytes; raises for a size the header cannot hold.
  static TRecordData Allocate(std::size_t ASize);
  static TRecordData CopyOf(std::span<const std::uint8_t> ABytes);

  std::uint16_t Size() const noexcept { return FSize; }
  std::uint8_t* Bytes() noexcept { return FBytes.get(); }
  std::span<std::uint8_t> Span() noexcept { return {FBytes.get(), FSize}; }
  std::span<const std::uint8_t> Span() const noexcept { return {FBytes.get(), FSize}; }

 private:
  std::unique_ptr<std::uint8_t[]> FBytes;
  std::uint16_t FSize = 0;
};

}  // namespace engine::biff
