#include "support/cfb_fixture.h"

#include <algorithm>

#include "base/byte_stream.h"
#include "base/little_endian.h"
#include "container/ole2_constants.h"
#include "container/ole2_file.h"

namespace testing_support {

using namespace container;

std::size_t TFixtureDocument::EntryOffset(std::size_t AEntry) const {
  // Directory sectors are contiguous in fixtures.
  return SectorOffset(FirstDirSector) + AEntry * kDirEntrySize;
}

std::size_t TFixtureDocument::FatEntryOffset(std::uint32_t ASect) const {
  return SectorOffset(FirstFatSector + ASect / 128) + (ASect % 128) * 4;
}

std::uint32_t U32At(std::span<const std::uint8_t> ABytes, std::size_t AOffset) {
  return base::LoadLE32(ABytes.data() + AOffset);
}

void PutU32At(std::vector<std::uint8_t>& ABytes, std::size_t AOffset, std::uint32_t AValue) {
  base::StoreLE32(ABytes.data() + AOffset, AValue);
}

std::vector<std::uint8_t> PatternBytes(std::size_t ACount, std::uint8_t ASeed) {
  std::vector<std::uint8_t> bytes(ACount);
  for (std::size_t i = 0; i < ACount; ++i) bytes[i] = static_cast<std::uint8_t>(ASeed + i * 7 + i / 251);
  return bytes;
}

TFixtureDocument BuildCompoundDocument(const std::vector<TFixtureStream>& AStreams, std::uint32_t ACutoff) {
  TFixtureDocument doc;
  std::vector<std::uint32_t> fat;
  std::vector<std::vector<std::uint8_t>> sectors;
  auto addChain = [&](std::span<const std::uint8_t> AData) -> std::uint32_t {
    if (AData.empty()) return ENDOFCHAIN;
    auto first = static_cast<std::uint32_t>(sectors.size());
    for (std::size_t pos = 0; pos < AData.size(); pos += 512) {
      std::vector<std::uint8_t> sector(512, 0);
      std::copy_n(AData.begin() + static_cast<std::ptrdiff_t>(pos), std::min<std::size_t>(512, AData.size() - pos), sector.begin());
      sectors.push_back(std::move(sector));
      fat.push_back(pos + 512 >= AData.size() ? ENDOFCHAIN : static_cast<std::uint32_t>(sectors.size()));
    }
    return first;
  };

  std::vector<std::uint8_t> miniStream;
  std::vector<std::uint32_t> miniFat;
  doc.StreamStart.resize(AStreams.size(), ENDOFCHAIN);
  for (std::size_t i = 0; i < AStreams.size(); ++i) {
    const auto& data = AStreams[i].Data;
    if (data.size() >= ACutoff) {
      doc.StreamStart[i] = addChain(data);
    } else if (!data.empty()) {
      auto first = static_cast<std::uint32_t>(miniStream.size() / 64);
      doc.StreamStart[i] = first;
      std::size_t count = (data.size() + 63) / 64;
      for (std::size_t k = 0; k < count; ++k)
        miniFat.push_back(k + 1 == count ? ENDOFCHAIN : first + static_cast<std::uint32_t>(k + 1));
      miniStream.insert(miniStream.end(), data.begin(), data.end());
      miniStream.resize(miniStream.size() + (64 - miniStream.size() % 64) % 64, 0);
    }
  }
  std::uint32_t rootStart = addChain(miniStream);
  std::uint32_t miniFatStart = ENDOFCHAIN;
  if (!miniFat.empty()) {
    std::vector<std::uint8_t> table;
    for (auto e : miniFat) {
      table.resize(table.size() + 4);
      base::StoreLE32(table.data() + table.size() - 4, e);
    }
    table.resize((table.size() + 511) / 512 * 512, 0xFF);
    miniFatStart = addChain(table);
  }

  std::size_t entryCount = (AStreams.size() + 1 + 3) / 4 * 4;
  std::vector<std::uint8_t> dir(entryCount * kDirEntrySize, 0);
  auto entry = [&](std::size_t n) { return dir.data() + n * kDirEntrySize; };
  for (std::size_t n = 0; n < entryCount; ++n) {
    base::StoreLE32(entry(n) + kDirLeft, 0xFFFFFFFF);
    base::StoreLE32(entry(n) + kDirRight, 0xFFFFFFFF);
    base::StoreLE32(entry(n) + kDirChild, 0xFFFFFFFF);
  }
  auto setName = [&](std::size_t n, std::u16string_view AName) {
    for (std::size_t k = 0; k < AName.size(); ++k) base::StoreLE16(entry(n) + 2 * k, AName[k]);
    base::StoreLE16(entry(n) + kDirNameSize, static_cast<std::uint16_t>((AName.size() + 1) * 2));
    entry(n)[kDirColor] = 1;
  };
  setName(0, u"Root Entry");
  entry(0)[kDirType] = static_cast<std::uint8_t>(STGTY::STGTY_ROOT);
  base::StoreLE32(entry(0) + kDirChild, AStreams.empty() ? 0xFFFFFFFF : 1);
  base::StoreLE32(entry(0) + kDirStart, rootStart);
  base::StoreLE32(entry(0) + kDirSize, static_cast<std::uint32_t>(miniStream.size()));
  for (std::size_t i = 0; i < AStreams.size(); ++i) {
    std::size_t n = i + 1;
    setName(n, AStreams[i].Name);
    entry(n)[kDirType] = static_cast<std::uint8_t>(STGTY::STGTY_STREAM);
    if (i + 1 < AStreams.size()) base::StoreLE32(entry(n) + kDirRight, static_cast<std::uint32_t>(n + 1));
    base::StoreLE32(entry(n) + kDirStart, doc.StreamStart[i]);
    base::StoreLE32(entry(n) + kDirSize, static_cast<std::uint32_t>(AStreams[i].Data.size()));
  }
  doc.FirstDirSector = addChain(dir);

  std::size_t fatSectors = 1;
  while ((sectors.size() + fatSectors) > fatSectors * 128) ++fatSectors;
  doc.FirstFatSector = static_cast<std::uint32_t>(sectors.size());
  for (std::size_t k = 0; k < fatSectors; ++k) fat.push_back(FATSECT);
  fat.resize(fatSectors * 128, FREESECT);

  doc.Bytes.assign(512, 0);
  std::uint8_t* h = doc.Bytes.data();
  std::copy(FileSignature.begin(), FileSignature.end(), h);
  base::StoreLE16(h + kHdrMinorVersion, 0x3E);
  base::StoreLE16(h + kHdrMajorVersion, 3);
  base::StoreLE16(h + kHdrByteOrder, 0xFFFE);
  base::StoreLE16(h + kHdrSectorShift, 9);
  base::StoreLE16(h + kHdrMiniSectorShift, 6);
  base::StoreLE32(h + kHdrFatCount, static_cast<std::uint32_t>(fatSectors));
  base::StoreLE32(h + kHdrDirStart, doc.FirstDirSector);
  base::StoreLE32(h + kHdrMiniCutoff, ACutoff);
  base::StoreLE32(h + kHdrMiniFatStart, miniFatStart);
  base::StoreLE32(h + kHdrMiniFatCount, miniFat.empty() ? 0 : static_cast<std::uint32_t>((miniFat.size() + 127) / 128));
  base::StoreLE32(h + kHdrDifStart, ENDOFCHAIN);
  std::fill(h + kHdrIndex, h + 512, 0xFF);
  for (std::size_t k = 0; k < fatSectors; ++k)
    base::StoreLE32(h + kHdrIndex + 4 * k, doc.FirstFatSector + static_cast<std::uint32_t>(k));
  for (auto& sector : sectors) doc.Bytes.insert(doc.Bytes.end(), sector.begin(), sector.end());
  for (auto e : fat) {
    doc.Bytes.resize(doc.Bytes.size() + 4);
    base::StoreLE32(doc.Bytes.data() + doc.Bytes.size() - 4, e);
  }
  return doc;
}

std::vector<std::uint8_t> ReadStream(std::span<const std::uint8_t> ADocument, std::u16string_view AName) {
  base::TSpanStream stream(ADocument);
  TOle2File file(stream);
  file.SelectStream(AName);
  std::vector<std::uint8_t> data(static_cast<std::size_t>(file.Length()));
  file.ReadMem(data.data(), static_cast<std::uint32_t>(data.size()));
  return data;
}

std::vector<std::uint32_t> ReadAllocationTable(std::span<const std::uint8_t> ADocument) {
  std::uint32_t fatCount = U32At(ADocument, kHdrFatCount);
  std::vector<std::uint32_t> fatSectors;
  for (std::size_t i = 0; i < kHeaderIndexEntries && fatSectors.size() < fatCount; ++i)
    fatSectors.push_back(U32At(ADocument, kHdrIndex + 4 * i));
  std::uint32_t dif = U32At(ADocument, kHdrDifStart);
  for (std::uint32_t l = 0; l < U32At(ADocument, kHdrDifCount); ++l) {
    std::size_t base = 512 + std::size_t{dif} * 512;
    for (std::size_t j = 0; j < 127 && fatSectors.size() < fatCount; ++j)
      fatSectors.push_back(U32At(ADocument, base + 4 * j));
    dif = U32At(ADocument, base + 508);
  }
  std::vector<std::uint32_t> table;
  for (auto sect : fatSectors)
    for (std::size_t j = 0; j < 128; ++j) table.push_back(U32At(ADocument, 512 + std::size_t{sect} * 512 + 4 * j));
  return table;
}

}  // namespace testing_support
