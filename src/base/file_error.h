// File errors as the system reports them: the conventions' codes and their messages, and the
// mapping from this platform's errno values to those codes.
#pragma once

#include "base/exception.h"

namespace base {

inline constexpr int kFileNotFound = 2;
inline constexpr int kInvalidFileName = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kFileAccessDenied = 5;
inline constexpr int kReadBeyondEnd = 100;
inline constexpr int kDiskFull = 101;
inline constexpr int kFileNotOpen = 103;
inline constexpr int kInvalidNumericInput = 106;

// ENOENT 2, ENAMETOOLONG 3, EMFILE/ENFILE 4, EACCES/EPERM/EROFS 5, ENOSPC 101; any other errno
// is kept as its own number (reported as "I/O error %d").
int FileErrorCodeFromErrno(int AErrno) noexcept;

// The message of a file error code; code 3 keeps its placeholder unexpanded.
std::string FileErrorMessage(int ACode);

[[noreturn]] void RaiseFileError(int ACode);
[[noreturn]] void RaiseFileErrorFromErrno(int AErrno);

}  // namespace base
