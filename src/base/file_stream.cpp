#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "base/byte_stream.h"
#include "base/file_error.h"

namespace base {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

TFileStream::TFileStream(const std::string& AFileName, TMode AMode) {
  if (AFileName.empty() || AFileName.size() >= PATH_MAX) RaiseFileError(kInvalidFileName);
  int flags = O_CLOEXEC;
  switch (AMode) {
    case TMode::OpenRead:
      flags |= O_RDONLY;
      break;
    case TMode::Create:
      flags |= O_RDWR | O_CREAT | O_TRUNC;
      break;
    case TMode::OpenReadWrite:
      flags |= O_RDWR;
      break;
  }
  FHandle = ::open(AFileName.c_str(), flags, 0666);
  if (FHandle < 0) RaiseFileErrorFromErrno(errno);
  struct stat info {};
  if (::fstat(FHandle, &info) != 0) {
    int error = errno;
    ::close(FHandle);
    RaiseFileErrorFromErrno(error);
  }
  if (S_ISDIR(info.st_mode)) {
    ::close(FHandle);
    RaiseFileError(kFileAccessDenied);
  }
  FFileSize = info.st_size;
  FBuffer.reserve(kBufferSize);
}

TFileStream::~TFileStream() {
  try {
    Close();
  } catch (const Exception&) {
    // A failure here has no one to report to; callers that care call Close() themselves.
  }
}

void TFileStream::Close() {
  if (FHandle < 0) return;
  int handle = FHandle;
  try {
    Flush();
  } catch (...) {
    FHandle = -1;
    ::close(handle);
    throw;
  }
  FHandle = -1;
  if (::close(handle) != 0) RaiseFileErrorFromErrno(errno);
}

void TFileStream::Flush() {
  if (FBufferHoldsWrites && !FBuffer.empty()) WriteAt(FBuffer.data(), FBuffer.size(), FBufferStart);
  FBuffer.clear();
  FBufferHoldsWrites = false;
}

void TFileStream::SetPosition(std::int64_t APosition) {
  if (APosition < 0) RaiseFileError(kReadBeyondEnd);
  FPosition = APosition;
}

std::int64_t TFileStream::Size() const {
  std::int64_t pending =
      FBufferHoldsWrites ? FBufferStart + static_cast<std::int64_t>(FBuffer.size()) : 0;
  return std::max(FFileSize, pending);
}

std::size_t TFileStream::Read(void* ABuffer, std::size_t ACount) {
  if (FHandle < 0) RaiseFileError(kFileNotOpen);
  if (FBufferHoldsWrites) Flush();
  auto* out = static_cast<std::uint8_t*>(ABuffer);
  std::size_t done = 0;
  while (done < ACount) {
    std::int64_t bufferEnd = FBufferStart + static_cast<std::int64_t>(FBuffer.size());
    if (FPosition >= FBufferStart && FPosition < bufferEnd) {
      std::size_t offset = static_cast<std::size_t>(FPosition - FBufferStart);
      std::size_t count = std::min(ACount - done, FBuffer.size() - offset);
      std::memcpy(out + done, FBuffer.data() + offset, count);
      done += count;
      FPosition += static_cast<std::int64_t>(count);
      continue;
    }
    if (FPosition >= FFileSize) break;
    // Large reads go straight to the caller; small ones refill the read-ahead buffer.
    bool direct = ACount - done >= kBufferSize;
    std::uint8_t* target = direct ? out + done : FBuffer.data();
    std::size_t wanted = direct ? ACount - done : kBufferSize;
    if (!direct) FBuffer.resize(kBufferSize);
    ssize_t got;
    do {
      got = ::pread(FHandle, target, wanted, FPosition);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
      int error = errno;
      FBuffer.clear();
      RaiseFileErrorFromErrno(error);
    }
    if (direct) {
      if (got == 0) break;
      done += static_cast<std::size_t>(got);
      FPosition += got;
    } else {
      FBuffer.resize(static_cast<std::size_t>(got));
      FBufferStart = FPosition;
      if (got == 0) break;
    }
  }
  return done;
}

void TFileStream::Write(const void* ABuffer, std::size_t ACount) {
  if (FHandle < 0) RaiseFileError(kFileNotOpen);
  if (ACount == 0) return;
  const auto* data = static_cast<const std::uint8_t*>(ABuffer);
  if (!FBufferHoldsWrites) {
    FBuffer.clear();
    FBufferHoldsWrites = true;
    FBufferStart = FPosition;
  } else if (FPosition != FBufferStart + static_cast<std::int64_t>(FBuffer.size())) {
    Flush();
    FBufferHoldsWrites = true;
    FBufferStart = FPosition;
  }
  if (FBuffer.size() + ACount > kBufferSize) {
    Flush();
    if (ACount >= kBufferSize) {
      WriteAt(data, ACount, FPosition);
      FPosition += static_cast<std::int64_t>(ACount);
      return;
    }
    FBufferHoldsWrites = true;
    FBufferStart = FPosition;
  }
  FBuffer.insert(FBuffer.end(), data, data + ACount);
  FPosition += static_cast<std::int64_t>(ACount);
}

void TFileStream::WriteAt(const std::uint8_t* AData, std::size_t ACount, std::int64_t AOffset) {
  std::size_t done = 0;
  while (done < ACount) {
    ssize_t put = ::pwrite(FHandle, AData + done, ACount - done, AOffset + static_cast<std::int64_t>(done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      int error = put < 0 ? errno : ENOSPC;
      FBuffer.clear();
      FBufferHoldsWrites = false;
      RaiseFileErrorFromErrno(error);
    }
    done += static_cast<std::size_t>(put);
  }
  FFileSize = std::max(FFileSize, AOffset + static_cast<std::int64_t>(ACount));
}

}  // namespace base
