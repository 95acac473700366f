// Writing the shared string table as SST and CONTINUE records. The split follows fixed rules
// that readers rely on: a string starts a new CONTINUE record when fewer than 32 bytes are left
// (so that its count, option byte, run count and far-east size are never split), its characters
// are split into pieces that each start a CONTINUE record with an option byte of their own, and
// runs and far-east data are split on 4-byte boundaries without option bytes.
#include <algorithm>
#include <cstring>

#include "base/little_endian.h"
#include "engine/biff/record_ids.h"
#include "engine/strings/sst.h"

namespace engine::strings {

namespace {

// A record's header and the longest body.
constexpr std::size_t kRecordBuffer = biff::kRecordHeaderSize + biff::kMaxRecordDataSize;
// A string does not start in the last 31 bytes of a record.
constexpr std::size_t kMinStringStart = 32;

// The record being filled: SST first, then CONTINUE records. With no stream it only counts.
class TTableWriter {
 public:
  TTableWriter(biff::TRecordSink* AStream, std::uint32_t ATotalRefs, std::uint32_t AStrings)
      : FStream(AStream), FRecordStart(AStream ? AStream->Position() : 0) {
    base::StoreLE16(FBuffer, biff::rid::Sst);
    base::StoreLE32(FBuffer + 4, ATotalRefs);
    base::StoreLE32(FBuffer + 8, AStrings);
    FUsed = 12;
  }

  std::size_t Space() const noexcept { return kRecordBuffer - FUsed; }
  std::int64_t Position() const noexcept { return FRecordStart + static_cast<std::int64_t>(FUsed); }
  std::size_t Used() const noexcept { return FUsed; }

  void Put(const std::uint8_t* ABytes, std::size_t ACount) {
    std::memcpy(FBuffer + FUsed, ABytes, ACount);
    FUsed += ACount;
  }
  void PutByte(std::uint8_t AByte) { FBuffer[FUsed++] = AByte; }
  std::uint8_t& ByteAt(std::size_t AOffset) noexcept { return FBuffer[AOffset]; }

  // Closes the record and starts a CONTINUE record.
  void Flush() {
    Close();
    base::StoreLE16(FBuffer, biff::rid::Continue);
    FBuffer[4] = 0;
    FBuffer[5] = 0;
    FUsed = biff::kRecordHeaderSize;
  }

  // Closes the last record; the bytes of all records written.
  std::int64_t Finish() {
    Close();
    return FTotal;
  }

 private:
  void Close() {
    base::StoreLE16(FBuffer + 2, static_cast<std::uint16_t>(FUsed - biff::kRecordHeaderSize));
    if (FStream) FStream->WriteMem(FBuffer, static_cast<std::uint32_t>(FUsed));
    FTotal += static_cast<std::int64_t>(FUsed);
    FRecordStart += static_cast<std::int64_t>(FUsed);
  }

  biff::TRecordSink* FStream;
  std::int64_t FRecordStart;
  std::int64_t FTotal = 0;
  std::size_t FUsed = 0;
  std::uint8_t FBuffer[kRecordBuffer];
};

// The characters of one string, in pieces: each piece is written 8-bit when the run of
// characters below 256 at its start is at least as long as the number of 16-bit characters
// that would fit, else 16-bit, and the option byte governing the piece says which.
void WriteCharacters(TTableWriter& AWriter, const std::uint8_t* AChars, std::size_t ACount,
                     bool AWide, std::size_t AOptionAt) {
  std::size_t next = 0;
  while (next < ACount) {
    std::size_t remaining = ACount - next;
    std::size_t fit8 = std::min(remaining, AWriter.Space());
    std::size_t fit16 = std::min(remaining, AWriter.Space() / 2);
    std::size_t compressible = fit8;
    if (AWide) {
      compressible = 0;
      while (compressible < fit8 && AChars[2 * (next + compressible) + 1] == 0) ++compressible;
    }
    if (compressible >= fit16) {
      for (std::size_t i = 0; i < compressible; ++i)
        AWriter.PutByte(AWide ? AChars[2 * (next + i)] : AChars[next + i]);
      AWriter.ByteAt(AOptionAt) &= static_cast<std::uint8_t>(~kStringWide);
      next += compressible;
    } else {
      AWriter.Put(AChars + 2 * next, 2 * fit16);
      AWriter.ByteAt(AOptionAt) |= kStringWide;
      next += fit16;
    }
    if (next < ACount) {
      AWriter.Flush();
      AOptionAt = AWriter.Used();
      AWriter.PutByte(0);
    }
  }
}

// Runs and far-east data: pieces of whole 4-byte groups, no option bytes.
void WriteBlocks(TTableWriter& AWriter, const std::uint8_t* ABytes, std::size_t ACount) {
  while (ACount > 0) {
    std::size_t piece = std::min(ACount, AWriter.Space() / 4 * 4);
    if (piece == 0) {
      AWriter.Flush();
      continue;
    }
    AWriter.Put(ABytes, piece);
    ABytes += piece;
    ACount -= piece;
    if (ACount > 0) AWriter.Flush();
  }
}

}  // namespace

std::int64_t TSST::WriteRecords(biff::TRecordSink* AStream, bool AStore) {
  std::uint32_t totalRefs = 0;
  for (const TItem& item : FItems)
    totalRefs += base::LoadLE32(EntryBytes(item.Entry) + kRefCountAt);
  TTableWriter writer(AStream, totalRefs, static_cast<std::uint32_t>(FItems.size()));
  for (const TItem& item : FItems) {
    if (writer.Space() < kMinStringStart) writer.Flush();
    std::uint8_t* entry = EntryBytes(item.Entry);
    if (AStore) {
      base::StoreLE32(entry + kPositionAt, static_cast<std::uint32_t>(writer.Position()));
      base::StoreLE16(entry + kRecordOffsetAt, static_cast<std::uint16_t>(writer.Used()));
    }
    const std::uint8_t* string = entry + kEntryHeader;
    std::size_t count = base::LoadLE16(string);
    std::uint8_t options = string[2];
    std::size_t fields = 3;
    std::size_t runs = 0;
    std::size_t farEast = 0;
    if (options & kStringRichText) {
      runs = base::LoadLE16(string + fields);
      fields += 2;
    }
    if (options & kStringFarEast) {
      farEast = base::LoadLE32(string + fields);
      fields += 4;
    }
    std::size_t optionAt = writer.Used() + 2;
    writer.Put(string, fields);
    bool wide = options & kStringWide;
    const std::uint8_t* chars = string + fields;
    WriteCharacters(writer, chars, count, wide, optionAt);
    const std::uint8_t* tail = chars + count * (wide ? 2 : 1);
    WriteBlocks(writer, tail, 4 * runs);
    WriteBlocks(writer, tail + 4 * runs, farEast);
  }
  return writer.Finish();
}

}  // namespace engine::strings
