// The allocation tables of a compound document: TOle2FAT (regular sectors, with a one-entry
// memo of the last chain walk) and TOle2MiniFAT (64-byte sectors of the mini stream).
#pragma once

#include <cstdint>
#include <vector>

#include "base/byte_stream.h"
#include "container/ole2_header.h"

namespace container {

// A table of sector links. Every lookup is checked: an entry at or past the table's end is a
// malformed document ("Error reading Excel records. File invalid").
class TSectorTable {
public:
  std::size_t Count() const noexcept { return FEntries.size(); }
  const std::vector<std::uint32_t>& Entries() const noexcept { return FEntries; }
  void Add(std::uint32_t AEntry) { FEntries.push_back(AEntry); }
  void Set(std::size_t AIndex, std::uint32_t AEntry) { FEntries.at(AIndex) = AEntry; }
  std::uint32_t GetNextSector(std::uint32_t ASect) const;

protected:
  void AppendSector(std::span<const std::uint8_t> ASector, std::size_t AEntries);
  std::vector<std::uint32_t> FEntries;
};

class TOle2FAT : public TSectorTable {
public:
  // An empty table, to be filled by the writer.
  explicit TOle2FAT(const TOle2Header& AHeader);
  // Loads the table through the header's index and its extension sectors. ASourceSectors is
  // the number of sectors the input can hold: table and extension sectors must lie inside it,
  // and none may be claimed twice.
  TOle2FAT(const TOle2Header& AHeader, base::TByteStream& AStream, std::uint32_t ASourceSectors);

  std::uint32_t uFATEntryShift() const { return FHeader.uSectorShift - 2; }

  // The ASectOfs-th sector (from 0) of the chain starting at AStartSect. Continues the previous
  // walk when it was on the same chain and not further along, which keeps sequential reading
  // linear.
  std::uint32_t FindSector(std::uint32_t AStartSect, std::uint64_t ASectOfs);

private:
  const TOle2Header& FHeader;  // not owned
  std::int64_t LastFindSectorOfs = -1;
  std::int64_t LastFindSectorStart = -1;
  std::uint32_t LastFindSectorRes = 0;
};

class TOle2MiniFAT : public TSectorTable {
public:
  TOle2MiniFAT(const TOle2Header& AHeader, base::TByteStream& AStream, const TOle2FAT& AFAT,
               std::uint32_t ASourceSectors);

  std::uint32_t FindSector(std::uint32_t AStartSect, std::uint64_t ASectOfs) const;
};

}  // namespace container
