// The two ends the record layer works against: a source it reads record bytes from and a sink
// it writes them to. The workbook stream of a compound document is both; the memory forms let
// tests and fuzzers feed and catch record bytes directly.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace container {
class TOle2File;
}

namespace engine::biff {

class TRecordSource {
 public:
  virtual ~TRecordSource() = default;
  // Reads exactly ACount bytes or raises.
  virtual void ReadMem(void* ABuffer, std::uint32_t ACount) = 0;
  // True when at most ACount bytes remain.
  virtual bool NextEof(std::int64_t ACount) const = 0;
  virtual std::int64_t Position() const = 0;
};

class TRecordSink {
 public:
  virtual ~TRecordSink() = default;
  virtual void WriteMem(const void* ABuffer, std::uint32_t ACount) = 0;
  // Bytes written to the stream so far: the stream position of the next byte.
  virtual std::int64_t Position() const = 0;
};

// The selected stream of a compound document (not owned), for reading or, once prepared for
// writing, for writing.
class TOle2RecordStream final : public TRecordSource, public TRecordSink {
 public:
  explicit TOle2RecordStream(container::TOle2File& AFile) noexcept : FFile(AFile) {}

  void ReadMem(void* ABuffer, std::uint32_t ACount) override;
  bool NextEof(std::int64_t ACount) const override;
  void WriteMem(const void* ABuffer, std::uint32_t ACount) override;
  std::int64_t Position() const override;

 private:
  container::TOle2File& FFile;
};

// Record bytes held elsewhere (not owned).
class TMemoryRecordSource final : public TRecordSource {
 public:
  explicit TMemoryRecordSource(std::span<const std::uint8_t> ABytes) noexcept : FBytes(ABytes) {}

  // Raises the container's end-of-stream error when fewer than ACount bytes remain.
  void ReadMem(void* ABuffer, std::uint32_t ACount) override;
  bool NextEof(std::int64_t ACount) const override;
  std::int64_t Position() const override { return static_cast<std::int64_t>(FPosition); }

 private:
  std::span<const std::uint8_t> FBytes;
  std::size_t FPosition = 0;
};

class TMemoryRecordSink final : public TRecordSink {
 public:
  void WriteMem(const void* ABuffer, std::uint32_t ACount) override;
  std::int64_t Position() const override { return static_cast<std::int64_t>(FBytes.size()); }

  const std::vector<std::uint8_t>& Bytes() const noexcept { return FBytes; }

 private:
  std::vector<std::uint8_t> FBytes;
};

}  // namespace engine::biff
