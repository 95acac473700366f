// The writing side of TOle2File: copying the source with one stream emptied, appending that
// stream's new bytes, and completing the output.
#include <algorithm>

#include "base/exception.h"
#include "base/little_endian.h"
#include "base/utf.h"
#include "container/ole2_file.h"

namespace container {

namespace {

[[noreturn]] void Corrupt() { base::Raise(base::TMessage::ErrorReadingRecords); }

std::uint64_t CeilDiv(std::uint64_t A, std::uint64_t B) { return (A + B - 1) / B; }

// Source sectors already copied: a sector claimed twice means overlapping or cyclic chains.
class TCopyClaims {
public:
  explicit TCopyClaims(std::uint32_t ASectors) : FClaimed(ASectors, false) {}
  void Claim(std::uint32_t ASect) {
    if (ASect >= FClaimed.size() || FClaimed[ASect]) Corrupt();
    FClaimed[ASect] = true;
  }

private:
  std::vector<bool> FClaimed;
};

// The sizes of the finished document's tables, from the sectors copied (F) and the new
// stream's data sectors (n): allocation-table sectors and index-extension sectors, found
// together because each count changes the other.
struct TTableSizes {
  std::uint64_t nFat = 0;
  std::uint64_t nDif = 0;
};

TTableSizes ComputeTableSizes(std::uint64_t AF, std::uint64_t An, std::uint64_t APer) {
  TTableSizes sizes;
  std::uint64_t previousDif;
  do {
    previousDif = sizes.nDif;
    std::uint64_t g = AF + 1 + An + sizes.nDif;
    std::uint64_t nFat = CeilDiv(g, APer);
    for (std::uint64_t next = CeilDiv(g + nFat, APer); next != nFat; next = CeilDiv(g + nFat, APer))
      nFat = next;
    sizes.nFat = nFat;
    if (nFat > kHeaderIndexEntries) sizes.nDif = CeilDiv(nFat - kHeaderIndexEntries, APer - 1);
  } while (sizes.nDif != previousDif);
  return sizes;
}

void AppendLE32(std::vector<std::uint8_t>& AOut, std::uint32_t AValue) {
  std::uint8_t bytes[4];
  base::StoreLE32(bytes, AValue);
  AOut.insert(AOut.end(), bytes, bytes + 4);
}

}  // namespace

std::vector<TOneDirEntry> TOle2File::ReadDirectoryEntries() {
  std::vector<TOneDirEntry> entries;
  std::vector<std::uint8_t> sector(Header->SectorSize);
  std::uint32_t sect = Header->sectDirStart();
  for (std::uint32_t steps = 0; sect != ENDOFCHAIN; ++steps) {
    if (sect >= FSourceSectors || steps >= FSourceSectors) Corrupt();
    ReadSector(*FStream, *Header, sect, sector);
    for (std::size_t offset = 0; offset + kDirEntrySize <= sector.size(); offset += kDirEntrySize) {
      const std::u16string name = TOle2Directory::GetName(sector, offset);
      entries.emplace_back(name,
                           TOle2Directory::GetLeftSid(sector, offset),
                           TOle2Directory::GetRightSid(sector, offset),
                           TOle2Directory::GetChildSid(sector, offset),
                           TOle2Directory::GetColor(sector, offset));
    }
    sect = FAT->GetNextSector(sect);
  }
  return entries;
}

void TOle2File::PrepareForWrite(base::TByteStream& AOutStream, std::u16string_view AOStreamName,
                                std::span<const std::u16string> ADeleteStorages) {
  if (PreparedForWrite) base::Raise(base::TMessage::InvalidOleStreamOperation, {""});
  DIRStartPos = -1;
  DIR.reset();
  // Everything is built aside and taken over only at the end, so that a failure leaves this
  // object reading its source as before.
  auto table = std::make_unique<TOle2FAT>(*Header);
  auto header = std::make_unique<TOle2Header>(*Header);
  std::unique_ptr<TOle2Directory> target;
  std::int64_t targetPos = -1;
  const std::int64_t outStart = AOutStream.Position();
  const std::uint32_t sectorSize = Header->SectorSize;

  TDeletionPlan plan;
  bool withPlan = !ADeleteStorages.empty();
  if (withPlan) plan = BuildDeletionPlan(ReadDirectoryEntries(), ADeleteStorages);

  AOutStream.SetPosition(outStart + static_cast<std::int64_t>(kHeaderSize));
  TCopyClaims claims(FSourceSectors);
  std::vector<std::uint8_t> dirSector(sectorSize);
  std::vector<std::uint8_t> dataSector(sectorSize);

  auto appendSourceSector = [&](std::uint32_t ASect, std::span<std::uint8_t> ABuffer) {
    claims.Claim(ASect);
    ReadSector(*FStream, *Header, ASect, ABuffer);
    AOutStream.Write(ABuffer.data(), ABuffer.size());
  };
  auto checkOutputPosition = [&] {
    std::int64_t expected = outStart + static_cast<std::int64_t>(kHeaderSize) +
                            static_cast<std::int64_t>(table->Count() + 1) * sectorSize;
    if (AOutStream.Position() != expected) base::Raise(base::TMessage::NewStreamIOError);
  };

  std::size_t entryNo = 0;
  bool dirWritten = false;
  std::uint32_t lastDirOut = 0;
  std::uint32_t sect = Header->sectDirStart();
  for (std::uint32_t steps = 0; sect != ENDOFCHAIN; ++steps) {
    if (sect >= FSourceSectors || steps >= FSourceSectors) Corrupt();
    claims.Claim(sect);
    ReadSector(*FStream, *Header, sect, dirSector);
    std::int64_t targetOffset = -1;
    for (std::size_t offset = 0; offset + kDirEntrySize <= sectorSize; offset += kDirEntrySize, ++entryNo) {
      if (withPlan) {
        if (plan.AllBlack) TOle2Directory::SetColor(dirSector, offset, DECOLOR::DECOLOR_BLACK);
        if (entryNo < plan.Entries.size()) {
          const TOneDirEntry& planned = plan.Entries[entryNo];
          if (planned.Deleted) {
            TOle2Directory::Clear(dirSector, offset);
            continue;
          }
          TOle2Directory::SetLeftSid(dirSector, offset, planned.LeftSid);
          TOle2Directory::SetRightSid(dirSector, offset, planned.RightSid);
          TOle2Directory::SetChildSid(dirSector, offset, planned.ChildSid);
        }
      }
      STGTY type = TOle2Directory::GetType(dirSector, offset);
      std::uint32_t size = TOle2Directory::GetSize(dirSector, offset);
      bool named = base::AsciiCaseEqual(TOle2Directory::GetName(dirSector, offset), AOStreamName);
      bool hasData = type == STGTY::STGTY_ROOT ||
                     (type == STGTY::STGTY_STREAM && (size >= Header->ulMiniSectorCutoff || named));
      if (!hasData) continue;
      if (named) {
        TOle2Directory::SetSectStart(dirSector, offset, ENDOFCHAIN);
        TOle2Directory::SetSize(dirSector, offset, 0);
        // Of several entries with the name (only in a malformed file) the first takes the new
        // data, as the first is the one a lookup by name finds.
        if (!target) {
          target = std::make_unique<TOle2Directory>(std::span(dirSector).subspan(offset, kDirEntrySize));
          targetOffset = static_cast<std::int64_t>(offset);
        }
        continue;
      }
      std::uint32_t source = TOle2Directory::GetSectStart(dirSector, offset);
      if (source != ENDOFCHAIN)
        TOle2Directory::SetSectStart(dirSector, offset, static_cast<std::uint32_t>(table->Count()));
      // Only the sectors the size needs are copied; the chain ends at the last of them.
      for (std::uint64_t copied = 0; source != ENDOFCHAIN && copied < size;) {
        appendSourceSector(source, dataSector);
        checkOutputPosition();
        source = FAT->GetNextSector(source);
        copied += sectorSize;
        bool last = source == ENDOFCHAIN || copied >= size;
        table->Add(last ? ENDOFCHAIN : static_cast<std::uint32_t>(table->Count() + 1));
      }
    }
    if (targetOffset >= 0) targetPos = AOutStream.Position() + targetOffset;
    AOutStream.Write(dirSector.data(), dirSector.size());
    table->Add(ENDOFCHAIN);
    auto written = static_cast<std::uint32_t>(table->Count() - 1);
    if (dirWritten)
      table->Set(lastDirOut, written);
    else
      header->SetsectDirStart(written);
    lastDirOut = written;
    dirWritten = true;
    sect = FAT->GetNextSector(sect);
  }
  if (!target) base::Raise(base::TMessage::InvalidOleStreamOperation, {""});

  bool miniWritten = false;
  std::uint32_t lastMiniOut = 0;
  sect = Header->sectMiniFatStart();
  for (std::uint32_t steps = 0; sect != ENDOFCHAIN; ++steps) {
    if (sect >= FSourceSectors || steps >= FSourceSectors) Corrupt();
    appendSourceSector(sect, dataSector);
    table->Add(ENDOFCHAIN);
    auto written = static_cast<std::uint32_t>(table->Count() - 1);
    if (miniWritten)
      table->Set(lastMiniOut, written);
    else
      header->SetsectMiniFatStart(written);
    lastMiniOut = written;
    miniWritten = true;
    sect = FAT->GetNextSector(sect);
  }

  // Switch over to writing.
  header->StartOfs = outStart;
  Header = std::move(header);
  FAT = std::move(table);
  MiniFAT.reset();
  SectorBuffer.reset();
  ROOT.reset();
  FStream = &AOutStream;
  DIR = std::move(target);
  DIR->SetSectStart(static_cast<std::uint32_t>(FAT->Count()));
  DIR->ulSize = 0;
  DIRStartPos = targetPos;
  PreparedForWrite = true;
}

void TOle2File::WriteMem(const void* ABuffer, std::uint32_t ACount) {
  if (!DIR) return;
  if (!PreparedForWrite) base::Raise(base::TMessage::InvalidOleStreamOperation, {""});
  FStream->Write(ABuffer, ACount);
  DIR->ulSize += ACount;
}

void TOle2File::Write16(std::uint16_t AValue) {
  std::uint8_t bytes[2];
  base::StoreLE16(bytes, AValue);
  WriteMem(bytes, 2);
}

void TOle2File::Write32(std::uint32_t AValue) {
  std::uint8_t bytes[4];
  base::StoreLE32(bytes, AValue);
  WriteMem(bytes, 4);
}

void TOle2File::WriteRaw(std::span<const std::uint8_t> ABuffer, std::size_t AStartPos,
                         std::size_t ACount) {
  base::CheckRange(ABuffer.size(), AStartPos, ACount);
  WriteMem(ABuffer.data() + AStartPos, static_cast<std::uint32_t>(ACount));
}

void TOle2File::Close() {
  if (!PreparedForWrite || FWriteCompleted) return;
  FWriteCompleted = true;  // a failing completion is not retried by the destructor
  FinishWrite();
}

void TOle2File::FinishWrite() {
  const std::uint32_t sectorSize = Header->SectorSize;
  const std::uint32_t shift = Header->uSectorShift;
  std::vector<std::uint8_t> zeros(sectorSize, 0);

  // A new stream is never shorter than the cutoff, so it never belongs in the mini stream.
  while (DIR->ulSize < Header->ulMiniSectorCutoff) {
    auto count = std::min<std::uint64_t>(Header->ulMiniSectorCutoff - DIR->ulSize, sectorSize);
    WriteRaw(zeros, 0, static_cast<std::size_t>(count));
  }
  const std::uint64_t size = DIR->ulSize;
  if (size % sectorSize != 0) FStream->Write(zeros.data(), sectorSize - size % sectorSize);

  const std::uint64_t F = FAT->Count();
  const std::uint64_t n = size == 0 ? 0 : ((size - 1) >> shift) + 1;
  const std::uint64_t per = sectorSize / 4;
  const TTableSizes sizes = ComputeTableSizes(F, n, per);
  const std::uint64_t S0 = F + 1 + n;
  const std::uint64_t firstFat = S0 + sizes.nDif;

  Header->SetcsectFat(static_cast<std::uint32_t>(sizes.nFat));
  Header->SetcsectDif(static_cast<std::uint32_t>(sizes.nDif));
  Header->SetsectDifStart(sizes.nDif > 0 ? static_cast<std::uint32_t>(S0) : ENDOFCHAIN);

  FStream->SetPosition(DIRStartPos);
  DIR->SetSectStart(size == 0 ? ENDOFCHAIN : static_cast<std::uint32_t>(F));
  DIR->Save(*FStream);

  FStream->SetPosition(Header->StartOfs);
  Header->Save(*FStream);
  std::vector<std::uint8_t> index;
  index.reserve(kHeaderIndexSize);
  for (std::uint64_t i = 0; i < kHeaderIndexEntries; ++i)
    AppendLE32(index, i < sizes.nFat ? static_cast<std::uint32_t>(firstFat + i) : FREESECT);
  FStream->Write(index.data(), index.size());

  // Sector F + n follows the data and stays zero: seeking past it leaves it so.
  FStream->SetPosition(Header->SectToStPos(static_cast<std::uint32_t>(S0)));
  std::vector<std::uint8_t> tables;
  tables.reserve(static_cast<std::size_t>((sizes.nDif + sizes.nFat) * sectorSize));
  const std::uint64_t perDif = per - 1;
  for (std::uint64_t l = 0; l < sizes.nDif; ++l) {
    bool lastDif = l + 1 == sizes.nDif;
    std::uint64_t used = lastDif ? ((sizes.nFat - kHeaderIndexEntries - 1) % perDif) + 1 : perDif;
    for (std::uint64_t j = 0; j < perDif; ++j)
      AppendLE32(tables, j < used ? static_cast<std::uint32_t>(firstFat + kHeaderIndexEntries + perDif * l + j)
                                  : FREESECT);
    AppendLE32(tables, lastDif ? FREESECT : static_cast<std::uint32_t>(S0 + l + 1));
  }
  for (std::uint32_t entry : FAT->Entries()) AppendLE32(tables, entry);
  // The new stream's chain ends at its last data sector; the empty sector behind it is free.
  for (std::uint64_t i = 0; i + 1 < n; ++i) AppendLE32(tables, static_cast<std::uint32_t>(F + 1 + i));
  if (n > 0) AppendLE32(tables, ENDOFCHAIN);
  AppendLE32(tables, FREESECT);
  for (std::uint64_t i = 0; i < sizes.nDif; ++i) AppendLE32(tables, DIFSECT);
  for (std::uint64_t i = 0; i < sizes.nFat; ++i) AppendLE32(tables, FATSECT);
  tables.resize(static_cast<std::size_t>((sizes.nDif + sizes.nFat) * sectorSize), 0xFF);
  FStream->Write(tables.data(), tables.size());
}

}  // namespace container
