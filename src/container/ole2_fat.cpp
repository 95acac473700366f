#include "container/ole2_fat.h"

#include <algorithm>

#include "base/exception.h"
#include "base/little_endian.h"
#include "container/sector_buffer.h"

namespace container {

namespace {

[[noreturn]] void Corrupt() { base::Raise(base::TMessage::ErrorReadingRecords); }

// Sectors claimed by the table's own structures; a second claim means a cycle or overlap.
class TClaims {
public:
  explicit TClaims(std::uint32_t ASectors) : FClaimed(ASectors, false) {}
  void Claim(std::uint32_t ASect) {
    if (ASect >= FClaimed.size() || FClaimed[ASect]) Corrupt();
    FClaimed[ASect] = true;
  }

private:
  std::vector<bool> FClaimed;
};

}  // namespace

std::uint32_t TSectorTable::GetNextSector(std::uint32_t ASect) const {
  if (ASect >= FEntries.size()) Corrupt();
  return FEntries[ASect];
}

void TSectorTable::AppendSector(std::span<const std::uint8_t> ASector, std::size_t AEntries) {
  for (std::size_t i = 0; i < AEntries; ++i) FEntries.push_back(base::LoadLE32(ASector.data() + 4 * i));
}

TOle2FAT::TOle2FAT(const TOle2Header& AHeader) : FHeader(AHeader) {}

TOle2FAT::TOle2FAT(const TOle2Header& AHeader, base::TByteStream& AStream,
                   std::uint32_t ASourceSectors)
    : FHeader(AHeader) {
  const std::size_t perSector = std::size_t{1} << uFATEntryShift();
  // Entries past what the input can hold describe no sector a chain may use; free index
  // entries still add their entries up to this limit so that later table sectors keep their
  // positions.
  const std::size_t limit =
      (static_cast<std::size_t>(ASourceSectors) + perSector - 1) / perSector * perSector +
      kHeaderIndexEntries * perSector;
  FEntries.reserve(std::min<std::size_t>(AHeader.csectFat(), ASourceSectors) * perSector +
                   kHeaderIndexEntries + 16);
  TClaims claims(ASourceSectors);
  std::vector<std::uint8_t> sector(AHeader.SectorSize);

  auto processBlock = [&](std::span<const std::uint8_t> AIndex, std::size_t ACount) {
    for (std::size_t i = 0; i < ACount; ++i) {
      std::uint32_t entry = base::LoadLE32(AIndex.data() + 4 * i);
      if (entry == ENDOFCHAIN) return;
      if (entry == FREESECT) {
        if (FEntries.size() < limit) FEntries.insert(FEntries.end(), perSector, FREESECT);
        continue;
      }
      claims.Claim(entry);
      ReadSector(AStream, AHeader, entry, sector);
      if (FEntries.size() < limit) AppendSector(sector, perSector);
    }
  };

  std::vector<std::uint8_t> index(kHeaderIndexSize);
  AStream.SetPosition(AHeader.StartOfs + static_cast<std::int64_t>(kHeaderDataSize));
  std::size_t got = AStream.Read(index.data(), index.size());
  std::fill(index.begin() + static_cast<std::ptrdiff_t>(got), index.end(), 0xFF);
  processBlock(index, kHeaderIndexEntries);

  std::uint32_t dif = AHeader.sectDifStart();
  std::uint32_t difCount = AHeader.csectDif();
  if (difCount > ASourceSectors) Corrupt();
  std::vector<std::uint8_t> difSector(AHeader.SectorSize);
  for (std::uint32_t i = 0; i < difCount; ++i) {
    if (dif == ENDOFCHAIN) Corrupt();
    claims.Claim(dif);
    ReadSector(AStream, AHeader, dif, difSector);
    const std::size_t entries = AHeader.SectorSize / 4 - 1;
    processBlock(difSector, entries);
    dif = base::LoadLE32(difSector.data() + 4 * entries);
  }
}

std::uint32_t TOle2FAT::FindSector(std::uint32_t AStartSect, std::uint64_t ASectOfs) {
  std::uint32_t sect = AStartSect;
  std::uint64_t steps = ASectOfs;
  if (LastFindSectorStart == static_cast<std::int64_t>(AStartSect) &&
      ASectOfs >= static_cast<std::uint64_t>(LastFindSectorOfs)) {
    sect = LastFindSectorRes;
    steps = ASectOfs - static_cast<std::uint64_t>(LastFindSectorOfs);
  }
  // Each step must stay inside the table; a walk longer than the table is a cycle.
  if (steps > FEntries.size()) Corrupt();
  for (std::uint64_t i = 0; i < steps; ++i) sect = GetNextSector(sect);
  LastFindSectorStart = AStartSect;
  LastFindSectorOfs = static_cast<std::int64_t>(ASectOfs);
  LastFindSectorRes = sect;
  return sect;
}

TOle2MiniFAT::TOle2MiniFAT(const TOle2Header& AHeader, base::TByteStream& AStream,
                           const TOle2FAT& AFAT, std::uint32_t ASourceSectors) {
  const std::uint32_t count = AHeader.csectMiniFat();
  if (count > ASourceSectors) Corrupt();
  const std::size_t perSector = AHeader.SectorSize / 4;
  FEntries.reserve(static_cast<std::size_t>(count) * perSector + 16);
  std::vector<std::uint8_t> sector(AHeader.SectorSize);
  std::uint32_t sect = AHeader.sectMiniFatStart();
  for (std::uint32_t i = 0; i < count; ++i) {
    if (sect == ENDOFCHAIN || sect >= ASourceSectors) Corrupt();
    ReadSector(AStream, AHeader, sect, sector);
    AppendSector(sector, perSector);
    sect = AFAT.GetNextSector(sect);
  }
}

std::uint32_t TOle2MiniFAT::FindSector(std::uint32_t AStartSect, std::uint64_t ASectOfs) const {
  if (ASectOfs > FEntries.size()) Corrupt();
  std::uint32_t sect = AStartSect;
  for (std::uint64_t i = 0; i < ASectOfs; ++i) sect = GetNextSector(sect);
  return sect;
}

}  // namespace container
