// Sector I/O of a compound document: reading one sector (zero-filled when the input ends
// early) and TSectorBuffer, the one-sector read cache of sequential stream reading.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/byte_stream.h"
#include "container/ole2_header.h"

namespace container {

// Reads sector ASect into AOut (SectorSize bytes); missing bytes past the input's end are zero.
void ReadSector(base::TByteStream& AStream, const TOle2Header& AHeader, std::uint32_t ASect,
                std::span<std::uint8_t> AOut);

class TSectorBuffer {
public:
  TSectorBuffer(const TOle2Header& AHeader, base::TByteStream& ADataStream);

  // Makes ASectNo the held sector, reading it unless it is held already.
  void Load(std::uint32_t ASectNo);
  std::int64_t SectorId() const noexcept { return FSectorId; }

  // Copies min(ACount, ASectorSize - AStartPos) bytes from the held sector at AStartPos to
  // ABuffer + ABufferPos and returns that number.
  std::size_t ReadMem(std::uint8_t* ABuffer, std::size_t ABufferPos, std::size_t AStartPos,
                      std::size_t ACount, std::size_t ASectorSize) const;

  const std::vector<std::uint8_t>& Data() const noexcept { return FData; }

private:
  std::vector<std::uint8_t> FData;
  std::int64_t FSectorId = -1;
  const TOle2Header& FHeader;      // not owned
  base::TByteStream& FDataStream;  // not owned
};

}  // namespace container
