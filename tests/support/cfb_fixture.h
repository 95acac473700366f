// Test fixtures for the compound document container: a small writer that lays out arbitrary
// streams (small ones in the mini stream), and readers of the finished layout for checks.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

struct TFixtureStream {
  std::u16string Name;
  std::vector<std::uint8_t> Data;
};

struct TFixtureDocument {
  std::vector<std::uint8_t> Bytes;
  std::uint32_t FirstFatSector = 0;
  std::uint32_t FirstDirSector = 0;
  std::vector<std::uint32_t> StreamStart;  // sector, or mini sector for small streams

  // File offsets of a sector, of directory entry n (entry 0 is the root), of sector s's
  // allocation-table entry.
  std::size_t SectorOffset(std::uint32_t ASect) const { return 512 + std::size_t{ASect} * 512; }
  std::size_t EntryOffset(std::size_t AEntry) const;
  std::size_t FatEntryOffset(std::uint32_t ASect) const;
};

// Streams shorter than ACutoff go into the mini stream. Layout: large streams' sectors, the
// mini stream, the mini table, the directory (root's child is entry 1, each entry's right
// sibling the next), the allocation table.
TFixtureDocument BuildCompoundDocument(const std::vector<TFixtureStream>& AStreams,
                                       std::uint32_t ACutoff = 4096);

// Bytes counting up from ASeed, so that misplaced sectors show.
std::vector<std::uint8_t> PatternBytes(std::size_t ACount, std::uint8_t ASeed = 1);

// The whole stream AName read through the container.
std::vector<std::uint8_t> ReadStream(std::span<const std::uint8_t> ADocument, std::u16string_view AName);

// The allocation table of a finished document: header index, then index-extension sectors.
std::vector<std::uint32_t> ReadAllocationTable(std::span<const std::uint8_t> ADocument);

std::uint32_t U32At(std::span<const std::uint8_t> ABytes, std::size_t AOffset);
void PutU32At(std::vector<std::uint8_t>& ABytes, std::size_t AOffset, std::uint32_t AValue);

}  // namespace testing_support
