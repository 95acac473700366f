// TRecordData: the body of one BIFF8 record, owned (no buffer when empty). Its size fits the
// header's 16-bit size field by construction. Bodies of up to 16 bytes, which every cell record
// has, are kept inside the object: a sheet of a million cells then costs a million allocations
// fewer.
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
  TRecordData(TRecordData&& AOther) noexcept;
  TRecordData& operator=(TRecordData&& AOther) noexcept;

  // A zero-filled body of ASize bytes; raises for a size the header cannot hold.
  static TRecordData Allocate(std::size_t ASize);
  static TRecordData CopyOf(std::span<const std::uint8_t> ABytes);

  std::uint16_t Size() const noexcept { return FSize; }
  std::uint8_t* Bytes() noexcept { return Where(); }
  std::span<std::uint8_t> Span() noexcept { return {Where(), FSize}; }
  std::span<const std::uint8_t> Span() const noexcept {
    return {const_cast<TRecordData*>(this)->Where(), FSize};
  }

 private:
  static constexpr std::size_t kInlineSize = 16;

  std::uint8_t* Where() noexcept {
    return FSize == 0 ? nullptr : FSize <= kInlineSize ? FInline : FHeap.get();
  }

  std::unique_ptr<std::uint8_t[]> FHeap;  // bodies longer than kInlineSize
  std::uint8_t FInline[kInlineSize] = {};
  std::uint16_t FSize = 0;
};

}  // namespace engine::biff
