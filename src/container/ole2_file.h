// TOle2File: a compound document opened on a byte stream. Reading selects one stream by name
// and hands its bytes out sequentially. Writing copies the document into an output with one
// stream emptied, takes that stream's new bytes as they come, and completes the output (tables,
// directory entry, header) when closed.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_stream.h"
#include "container/ole2_deletion_plan.h"
#include "container/ole2_directory.h"
#include "container/ole2_fat.h"
#include "container/ole2_header.h"
#include "container/sector_buffer.h"

namespace container {

class TOle2File {
public:
  // Opens the document at the stream's position. With AvoidExceptions an input that is not a
  // compound document only sets NotXls97() and leaves the stream where it was.
  explicit TOle2File(base::TByteStream& AStream, bool AvoidExceptions = false);
  // Completes a pending write, silently; call Close() to see its errors.
  ~TOle2File();
  TOle2File(const TOle2File&) = delete;
  TOle2File& operator=(const TOle2File&) = delete;

  bool NotXls97() const noexcept { return FNotXls97; }
  std::u16string FileName() const { return {}; }

  // --- reading ---
  void SelectStream(std::u16string_view AStreamName);
  void ReadMem(void* ABuffer, std::uint32_t ACount);
  void Read(std::span<std::uint8_t> ABuffer, std::uint32_t ACount);
  bool NextEof(std::int64_t ACount) const;
  bool Eof() const;
  std::int64_t Length() const noexcept;
  std::int64_t Position() const noexcept;
  void SeekForward(std::int64_t AOffset);

  // --- writing ---
  void PrepareForWrite(base::TByteStream& AOutStream, std::u16string_view AOStreamName,
                       std::span<const std::u16string> ADeleteStorages = {});
  void WriteMem(const void* ABuffer, std::uint32_t ACount);
  void WriteRawMem(const void* ABuffer, std::uint32_t ACount) { WriteMem(ABuffer, ACount); }
  void Write16(std::uint16_t AValue);
  void Write32(std::uint32_t AValue);
  void WriteRaw(std::span<const std::uint8_t> ABuffer, std::size_t AStartPos, std::size_t ACount);

  // Completes a pending write: pads the new stream, writes its directory entry, the header,
  // the index-extension and allocation-table sectors. Does nothing when not writing or done.
  void Close();

private:
  void CheckReadable(std::u16string_view AName = {}) const;
  std::uint64_t Capacity() const noexcept;
  void ReadRegular(std::uint8_t* ABuffer, std::uint32_t ACount);
  void ReadMini(std::uint8_t* ABuffer, std::uint32_t ACount);
  std::vector<TOneDirEntry> ReadDirectoryEntries();
  void FinishWrite();

  base::TByteStream* FStream;  // not owned: the source while reading, the output while writing
  std::unique_ptr<TOle2Header> Header;
  std::unique_ptr<TOle2FAT> FAT;
  std::unique_ptr<TOle2MiniFAT> MiniFAT;
  std::unique_ptr<TSectorBuffer> SectorBuffer;
  std::unique_ptr<TOle2Directory> ROOT;
  std::unique_ptr<TOle2Directory> DIR;
  std::int64_t StreamPos = 0;
  bool PreparedForWrite = false;
  bool FWriteCompleted = false;
  std::int64_t DIRStartPos = -1;
  bool FNotXls97 = false;
  std::uint32_t FSourceSectors = 0;  // sectors the source can hold (chains must stay inside)
};

}  // namespace container
