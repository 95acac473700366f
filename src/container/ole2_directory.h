// TOle2Directory: one 128-byte directory entry, and accessors that work on any buffer at any
// entry offset (the writer edits whole directory sectors in place).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "container/ole2_constants.h"

namespace container {

class TOle2Directory {
public:
  explicit TOle2Directory(std::span<const std::uint8_t> AData);

  std::array<std::uint8_t, kDirEntrySize> Data{};
  std::uint64_t ulSize = 0;  // size at load time; bytes written while the stream is written

  // Stores the low 32 bits of ulSize into the size field, then writes the 128 bytes.
  void Save(base::TByteStream& AStream);

  std::uint32_t NameSize() const { return GetNameSize(Data, 0); }
  std::u16string Name() const { return GetName(Data, 0); }
  STGTY ObjType() const { return GetType(Data, 0); }
  std::uint32_t SectStart() const { return GetSectStart(Data, 0); }
  void SetSectStart(std::uint32_t AValue) { container::TOle2Directory::SetSectStart(Data, 0, AValue); }
  std::uint32_t xulSize() const { return GetSize(Data, 0); }

  using TBuffer = std::span<std::uint8_t>;
  using TConstBuffer = std::span<const std::uint8_t>;

  // The low byte of the name size field, as readers use it.
  static std::uint32_t GetNameSize(TConstBuffer ABuffer, std::size_t AOffset);
  // The first (name size - 2) bytes as UTF-16LE; a size below 2 or above 64 gives "".
  static std::u16string GetName(TConstBuffer ABuffer, std::size_t AOffset);
  static STGTY GetType(TConstBuffer ABuffer, std::size_t AOffset);
  static std::uint32_t GetSectStart(TConstBuffer ABuffer, std::size_t AOffset);
  static void SetSectStart(TBuffer ABuffer, std::size_t AOffset, std::uint32_t AValue);
  static std::uint32_t GetSize(TConstBuffer ABuffer, std::size_t AOffset);
  static void SetSize(TBuffer ABuffer, std::size_t AOffset, std::uint32_t AValue);
  // Clears a deleted entry: bytes 0-67 and 80-127 zero, the three links -1.
  static void Clear(TBuffer ABuffer, std::size_t AOffset);
  static std::int32_t GetLeftSid(TConstBuffer ABuffer, std::size_t AOffset);
  static void SetLeftSid(TBuffer ABuffer, std::size_t AOffset, std::int32_t AValue);
  static std::int32_t GetRightSid(TConstBuffer ABuffer, std::size_t AOffset);
  static void SetRightSid(TBuffer ABuffer, std::size_t AOffset, std::int32_t AValue);
  static std::int32_t GetChildSid(TConstBuffer ABuffer, std::size_t AOffset);
  static void SetChildSid(TBuffer ABuffer, std::size_t AOffset, std::int32_t AValue);
  static DECOLOR GetColor(TConstBuffer ABuffer, std::size_t AOffset);
  static void SetColor(TBuffer ABuffer, std::size_t AOffset, DECOLOR AValue);
};

}  // namespace container
