#include "container/sector_buffer.h"

#include <algorithm>
#include <cstring>

namespace container {

void ReadSector(base::TByteStream& AStream, const TOle2Header& AHeader, std::uint32_t ASect,
                std::span<std::uint8_t> AOut) {
  AStream.SetPosition(AHeader.SectToStPos(ASect));
  std::size_t got = AStream.Read(AOut.data(), AOut.size());
  if (got < AOut.size()) std::fill(AOut.begin() + static_cast<std::ptrdiff_t>(got), AOut.end(), 0);
}

TSectorBuffer::TSectorBuffer(const TOle2Header& AHeader, base::TByteStream& ADataStream)
    : FData(AHeader.SectorSize), FHeader(AHeader), FDataStream(ADataStream) {}

void TSectorBuffer::Load(std::uint32_t ASectNo) {
  if (FSectorId == static_cast<std::int64_t>(ASectNo)) return;
  FSectorId = -1;
  ReadSector(FDataStream, FHeader, ASectNo, FData);
  FSectorId = ASectNo;
}

std::size_t TSectorBuffer::ReadMem(std::uint8_t* ABuffer, std::size_t ABufferPos,
                                   std::size_t AStartPos, std::size_t ACount,
                                   std::size_t ASectorSize) const {
  std::size_t count = std::min(ACount, ASectorSize - AStartPos);
  std::memcpy(ABuffer + ABufferPos, FData.data() + AStartPos, count);
  return count;
}

}  // namespace container
