// The reading side of TOle2File: opening, stream selection and sequential reading.
#include <algorithm>

#include "base/exception.h"
#include "base/utf.h"
#include "container/ole2_file.h"

namespace container {

namespace {

[[noreturn]] void Corrupt() { base::Raise(base::TMessage::ErrorReadingRecords); }

// Sectors that fit between the header and the end of the input, the last one possibly short.
std::uint32_t SectorsInInput(const base::TByteStream& AStream, const TOle2Header& AHeader) {
  std::int64_t body = AStream.Size() - AHeader.StartOfs - static_cast<std::int64_t>(kHeaderSize);
  if (body <= 0) return 0;
  std::int64_t sectors = (body + AHeader.SectorSize - 1) / AHeader.SectorSize;
  return static_cast<std::uint32_t>(std::min<std::int64_t>(sectors, 0xFFFFFFFA));
}

}  // namespace

TOle2File::TOle2File(base::TByteStream& AStream, bool AvoidExceptions) : FStream(&AStream) {
  Header = std::make_unique<TOle2Header>(AStream, AvoidExceptions);
  if (Header->NotXls97) {
    FNotXls97 = true;
    return;
  }
  FSourceSectors = SectorsInInput(AStream, *Header);
  FAT = std::make_unique<TOle2FAT>(*Header, AStream, FSourceSectors);
  MiniFAT = std::make_unique<TOle2MiniFAT>(*Header, AStream, *FAT, FSourceSectors);
  std::uint32_t dirStart = Header->sectDirStart();
  if (dirStart >= FSourceSectors) Corrupt();
  std::vector<std::uint8_t> sector(Header->SectorSize);
  ReadSector(AStream, *Header, dirStart, sector);
  ROOT = std::make_unique<TOle2Directory>(sector);
  SectorBuffer = std::make_unique<TSectorBuffer>(*Header, AStream);
}

TOle2File::~TOle2File() {
  try {
    Close();
  } catch (const base::Exception&) {
    // The owner that cares about a failed completion has called Close() itself.
  }
}

std::uint64_t TOle2File::Capacity() const noexcept {
  return static_cast<std::uint64_t>(FSourceSectors) * Header->SectorSize;
}

void TOle2File::CheckReadable(std::u16string_view AName) const {
  if (PreparedForWrite) base::Raise(base::TMessage::InvalidOleStreamOperation, {AName});
}

void TOle2File::SelectStream(std::u16string_view AStreamName) {
  CheckReadable(AStreamName);
  DIR.reset();
  std::vector<std::uint8_t> sector(Header->SectorSize);
  std::uint32_t sect = Header->sectDirStart();
  // A directory chain longer than the input is a cycle.
  for (std::uint32_t steps = 0; sect != ENDOFCHAIN; ++steps) {
    if (sect >= FSourceSectors || steps >= FSourceSectors) Corrupt();
    ReadSector(*FStream, *Header, sect, sector);
    for (std::size_t offset = 0; offset + kDirEntrySize <= sector.size(); offset += kDirEntrySize) {
      if (!base::AsciiCaseEqual(TOle2Directory::GetName(sector, offset), AStreamName)) continue;
      auto entry = std::make_unique<TOle2Directory>(std::span(sector).subspan(offset, kDirEntrySize));
      // The entry's data must lie inside the input: in regular sectors for a large stream, in
      // the mini stream (the root's data) for a small one.
      bool large = entry->ulSize >= Header->ulMiniSectorCutoff;
      std::uint64_t room = large ? Capacity() : std::min<std::uint64_t>(ROOT->ulSize, Capacity());
      if (entry->ulSize > room) Corrupt();
      DIR = std::move(entry);
      StreamPos = 0;
      return;
    }
    sect = FAT->GetNextSector(sect);
  }
  base::Raise(base::TMessage::FileIsInvalid, {""});
}

void TOle2File::ReadMem(void* ABuffer, std::uint32_t ACount) {
  if (!DIR) return;
  CheckReadable();
  std::uint64_t end = static_cast<std::uint64_t>(StreamPos) + ACount;
  if (end > DIR->ulSize)
    base::Raise(base::TMessage::EndOfStreamReached, {static_cast<std::int64_t>(end - DIR->ulSize)});
  if (ACount == 0) return;
  auto* out = static_cast<std::uint8_t*>(ABuffer);
  if (DIR->ulSize < Header->ulMiniSectorCutoff)
    ReadMini(out, ACount);
  else
    ReadRegular(out, ACount);
}

void TOle2File::ReadRegular(std::uint8_t* ABuffer, std::uint32_t ACount) {
  const std::uint32_t sectorSize = Header->SectorSize;
  std::uint32_t sect = FAT->FindSector(DIR->SectStart(), static_cast<std::uint64_t>(StreamPos) >> Header->uSectorShift);
  std::size_t copied = 0;
  while (copied < ACount) {
    if (sect >= FSourceSectors) Corrupt();
    SectorBuffer->Load(sect);
    std::size_t n = SectorBuffer->ReadMem(ABuffer, copied, static_cast<std::size_t>(StreamPos % sectorSize),
                                          ACount - copied, sectorSize);
    copied += n;
    StreamPos += static_cast<std::int64_t>(n);
    if (copied < ACount) sect = FAT->GetNextSector(sect);
  }
}

void TOle2File::ReadMini(std::uint8_t* ABuffer, std::uint32_t ACount) {
  const std::uint32_t miniShift = Header->uMiniSectorShift();
  const std::uint32_t miniSize = Header->MiniSectorSize();
  const std::uint32_t perShift = Header->uSectorShift - miniShift;
  const std::uint32_t per = 1u << perShift;
  const std::uint64_t miniStreamSize = std::min<std::uint64_t>(ROOT->ulSize, Capacity());
  std::uint32_t mini = MiniFAT->FindSector(DIR->SectStart(), static_cast<std::uint64_t>(StreamPos) >> miniShift);
  std::size_t copied = 0;
  while (copied < ACount) {
    if (static_cast<std::uint64_t>(mini) * miniSize >= miniStreamSize) Corrupt();
    std::uint32_t sect = FAT->FindSector(ROOT->SectStart(), mini >> perShift);
    if (sect >= FSourceSectors) Corrupt();
    SectorBuffer->Load(sect);
    std::size_t inMini = static_cast<std::size_t>(StreamPos % miniSize);
    std::size_t wanted = std::min<std::size_t>(ACount - copied, miniSize - inMini);
    std::size_t n = SectorBuffer->ReadMem(ABuffer, copied, (mini % per) * miniSize + inMini, wanted,
                                          Header->SectorSize);
    copied += n;
    StreamPos += static_cast<std::int64_t>(n);
    if (copied < ACount) mini = MiniFAT->GetNextSector(mini);
  }
}

void TOle2File::Read(std::span<std::uint8_t> ABuffer, std::uint32_t ACount) {
  if (ABuffer.empty()) return;
  if (ACount > ABuffer.size()) base::Raise(base::TMessage::ErrorReadingRecords);
  ReadMem(ABuffer.data(), ACount);
}

bool TOle2File::NextEof(std::int64_t ACount) const {
  CheckReadable();
  return StreamPos + ACount >= Length();
}

bool TOle2File::Eof() const {
  CheckReadable();
  return StreamPos >= Length();
}

std::int64_t TOle2File::Length() const noexcept {
  return DIR ? static_cast<std::int64_t>(DIR->ulSize) : 0;
}

std::int64_t TOle2File::Position() const noexcept {
  if (PreparedForWrite) return DIR ? static_cast<std::int64_t>(DIR->ulSize) : 0;
  return StreamPos;
}

void TOle2File::SeekForward(std::int64_t AOffset) {
  if (AOffset < Position()) base::Raise(base::TMessage::CantReadProperties);
  if (!DIR) return;  // nothing selected: reading copies nothing, so there is nothing to skip
  std::vector<std::uint8_t> skipped(4096);
  while (Position() < AOffset) {
    auto count = static_cast<std::uint32_t>(std::min<std::int64_t>(AOffset - Position(), 4096));
    Read(skipped, count);
  }
}

}  // namespace container
