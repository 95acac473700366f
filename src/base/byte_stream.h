// Seekable byte streams: in memory and on disk. Positions are 64-bit; a read returns the number
// of bytes actually read (0 at or past the end); a write writes everything or raises; seeking
// past the end and writing there leaves zero bytes in the gap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace base {

class TByteStream {
public:
  virtual ~TByteStream() = default;

  virtual std::int64_t Position() const = 0;
  // Any position from 0 up, also past the end.
  virtual void SetPosition(std::int64_t APosition) = 0;
  virtual std::int64_t Size() const = 0;
  virtual std::size_t Read(void* ABuffer, std::size_t ACount) = 0;
  virtual void Write(const void* ABuffer, std::size_t ACount) = 0;

  void Write(std::span<const std::uint8_t> ABytes) { Write(ABytes.data(), ABytes.size()); }
};

// A growable stream over an owned byte vector.
class TMemoryStream final : public TByteStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> AData) : FData(std::move(AData)) {}

  std::int64_t Position() const override { return FPosition; }
  void SetPosition(std::int64_t APosition) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(FData.size()); }
  std::size_t Read(void* ABuffer, std::size_t ACount) override;
  void Write(const void* ABuffer, std::size_t ACount) override;
  using TByteStream::Write;

  const std::vector<std::uint8_t>& Data() const noexcept { return FData; }
  std::vector<std::uint8_t> TakeData() noexcept;
  // Empties the stream and keeps its capacity for the next use.
  void Clear() noexcept;
  void Reserve(std::size_t ACapacity) { FData.reserve(ACapacity); }

private:
  std::vector<std::uint8_t> FData;
  std::int64_t FPosition = 0;
};

// A read-only stream over bytes it does not own (an image kept elsewhere, a fuzz input).
class TSpanStream final : public TByteStream {
public:
  explicit TSpanStream(std::span<const std::uint8_t> AData) noexcept : FData(AData) {}

  std::int64_t Position() const override { return FPosition; }
  void SetPosition(std::int64_t APosition) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(FData.size()); }
  std::size_t Read(void* ABuffer, std::size_t ACount) override;
  // Raises "File access denied": the bytes are not the stream's to change.
  void Write(const void* ABuffer, std::size_t ACount) override;
  using TByteStream::Write;

private:
  std::span<const std::uint8_t> FData;
  std::int64_t FPosition = 0;
};

// A file on disk with one buffer for reading ahead or collecting writes. Failures raise
// EFileError with the conventions' codes. Close() reports a failing final write; the destructor
// closes silently.
class TFileStream final : public TByteStream {
public:
  enum class TMode { OpenRead, Create, OpenReadWrite };

  TFileStream(const std::string& AFileName, TMode AMode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int64_t Position() const override { return FPosition; }
  void SetPosition(std::int64_t APosition) override;
  std::int64_t Size() const override;
  std::size_t Read(void* ABuffer, std::size_t ACount) override;
  void Write(const void* ABuffer, std::size_t ACount) override;
  using TByteStream::Write;

  void Flush();
  void Close();

private:
  void WriteAt(const std::uint8_t* AData, std::size_t ACount, std::int64_t AOffset);

  int FHandle = -1;
  std::int64_t FPosition = 0;
  std::int64_t FFileSize = 0;
  std::vector<std::uint8_t> FBuffer;   // read-ahead bytes or pending writes
  std::int64_t FBufferStart = 0;       // file offset of FBuffer[0]
  bool FBufferHoldsWrites = false;
};

}  // namespace base
