#include "frontend/download/part_file.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>

#include "base/file_error.h"
#include "frontend/text_file.h"

namespace frontend {

TPartFile::TPartFile(std::string ATarget) : FTarget(std::move(ATarget)) {
  FTempName = FTarget + ".part-XXXXXX";
  CheckFileNameLength(FTempName);
  int fd = ::mkstemp(FTempName.data());
  if (fd < 0) base::RaiseFileError(OpenErrorCode(errno, FTarget));
  FFile = ::fdopen(fd, "wb");
  if (FFile == nullptr) {
    int error = errno;
    ::close(fd);
    ::unlink(FTempName.c_str());
    base::RaiseFileErrorFromErrno(error);
  }
}

TPartFile::~TPartFile() {
  if (FFile != nullptr) std::fclose(FFile);
  if (!FCommitted) ::unlink(FTempName.c_str());
}

void TPartFile::Commit() {
  std::FILE* file = FFile;
  FFile = nullptr;
  if (std::fclose(file) != 0) base::RaiseFileErrorFromErrno(errno);
  if (std::rename(FTempName.c_str(), FTarget.c_str()) != 0) base::RaiseFileErrorFromErrno(errno);
  FCommitted = true;
}

}  // namespace frontend
