// Field offsets and special values of the compound document format (version 3, 512-byte
// sectors), in one place.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace container {

// Special sector numbers.
inline constexpr std::uint32_t ENDOFCHAIN = 0xFFFFFFFE;
inline constexpr std::uint32_t FREESECT = 0xFFFFFFFF;
inline constexpr std::uint32_t FATSECT = 0xFFFFFFFD;
inline constexpr std::uint32_t DIFSECT = 0xFFFFFFFC;
// Directory links use -1 for "no entry".
inline constexpr std::int32_t NOSTREAM = -1;

inline constexpr std::array<std::uint8_t, 8> FileSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                              0xA1, 0xB1, 0x1A, 0xE1};

inline constexpr std::size_t kHeaderSize = 512;
inline constexpr std::size_t kHeaderIndexEntries = 109;
inline constexpr std::size_t kHeaderIndexSize = kHeaderIndexEntries * 4;
inline constexpr std::size_t kHeaderDataSize = kHeaderSize - kHeaderIndexSize;  // kept verbatim
static_assert(kHeaderDataSize == 76);

// Header fields (offsets from the document's first byte).
inline constexpr std::size_t kHdrSignature = 0x00;      // 8
inline constexpr std::size_t kHdrClassId = 0x08;        // 16, carried
inline constexpr std::size_t kHdrMinorVersion = 0x18;   // 2, carried
inline constexpr std::size_t kHdrMajorVersion = 0x1A;   // 2, carried
inline constexpr std::size_t kHdrByteOrder = 0x1C;      // 2, carried
inline constexpr std::size_t kHdrSectorShift = 0x1E;    // 2
inline constexpr std::size_t kHdrMiniSectorShift = 0x20;  // 2
inline constexpr std::size_t kHdrDirSectorCount = 0x28;   // 4, carried
inline constexpr std::size_t kHdrFatCount = 0x2C;         // 4 csectFat
inline constexpr std::size_t kHdrDirStart = 0x30;         // 4 sectDirStart
inline constexpr std::size_t kHdrTransaction = 0x34;      // 4, carried
inline constexpr std::size_t kHdrMiniCutoff = 0x38;       // 4 ulMiniSectorCutoff
inline constexpr std::size_t kHdrMiniFatStart = 0x3C;     // 4 sectMiniFatStart
inline constexpr std::size_t kHdrMiniFatCount = 0x40;     // 4 csectMiniFat
inline constexpr std::size_t kHdrDifStart = 0x44;         // 4 sectDifStart
inline constexpr std::size_t kHdrDifCount = 0x48;         // 4 csectDif
inline constexpr std::size_t kHdrIndex = 0x4C;            // 436, the first 109 table sectors

// The only geometry this system reads and writes: 512-byte sectors, 64-byte mini sectors.
inline constexpr std::uint16_t kSectorShift = 9;
inline constexpr std::uint16_t kMiniSectorShift = 6;
inline constexpr std::uint32_t kMiniStreamCutoff = 4096;

// Directory entry fields (offsets inside one 128-byte entry).
inline constexpr std::size_t kDirEntrySize = 128;
inline constexpr std::size_t kDirName = 0;        // 64, UTF-16LE, NUL-terminated
inline constexpr std::size_t kDirNameSize = 64;   // 2, bytes including the NUL (low byte used)
inline constexpr std::size_t kDirType = 66;       // 1, STGTY
inline constexpr std::size_t kDirColor = 67;      // 1, DECOLOR
inline constexpr std::size_t kDirLeft = 68;       // 4
inline constexpr std::size_t kDirRight = 72;      // 4
inline constexpr std::size_t kDirChild = 76;      // 4
inline constexpr std::size_t kDirClassId = 80;    // 16, carried
inline constexpr std::size_t kDirState = 96;      // 4, carried
inline constexpr std::size_t kDirCreated = 100;   // 8, carried
inline constexpr std::size_t kDirModified = 108;  // 8, carried
inline constexpr std::size_t kDirStart = 116;     // 4, first sector (SectStart)
inline constexpr std::size_t kDirSize = 120;      // 4, size, low 32 bits (xulSize)
inline constexpr std::size_t kDirSizeHigh = 124;  // 4, never read or written
static_assert(kDirSizeHigh + 4 == kDirEntrySize);

enum class STGTY : std::uint8_t {
  STGTY_INVALID = 0,
  STGTY_STORAGE = 1,
  STGTY_STREAM = 2,
  STGTY_LOCKBYTES = 3,
  STGTY_PROPERTY = 4,
  STGTY_ROOT = 5,
};

enum class DECOLOR : std::uint8_t { DECOLOR_RED = 0, DECOLOR_BLACK = 1 };

}  // namespace container
