#include "base/file_error.h"

#include <cerrno>

namespace base {

int FileErrorCodeFromErrno(int AErrno) noexcept {
  switch (AErrno) {
    case ENOENT:
      return kFileNotFound;
    case ENAMETOOLONG:
      return kInvalidFileName;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
      return kFileAccessDenied;
    case ENOSPC:
      return kDiskFull;
    default:
      return AErrno;
  }
}

std::string FileErrorMessage(int ACode) {
  switch (ACode) {
    case kFileNotFound:
      return Message(TMessage::FileNotFound);
    case kInvalidFileName:
      return std::string(MessageFormat(TMessage::InvalidFileName));
    case kTooManyOpenFiles:
      return Message(TMessage::TooManyOpenFiles);
    case kFileAccessDenied:
      return Message(TMessage::FileAccessDenied);
    case kReadBeyondEnd:
      return Message(TMessage::ReadBeyondEndOfFile);
    case kDiskFull:
      return Message(TMessage::DiskFull);
    case kInvalidNumericInput:
      return Message(TMessage::InvalidNumericInput);
    default:
      return Message(TMessage::IoError, {ACode});
  }
}

void RaiseFileError(int ACode) { throw EFileError(ACode, FileErrorMessage(ACode)); }

void RaiseFileErrorFromErrno(int AErrno) { RaiseFileError(FileErrorCodeFromErrno(AErrno)); }

}  // namespace base
