#include "frontend/text_file.h"

#include <limits.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "base/file_error.h"

namespace frontend {

namespace {

bool FolderOfFileExists(const std::string& AFileName) {
  std::filesystem::path parent = std::filesystem::path(AFileName).parent_path();
  if (parent.empty()) return true;
  struct stat info {};
  return ::stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

int OpenErrorCode(int AErrno, const std::string& AFileName) {
  if (AErrno == ENOTDIR || (AErrno == ENOENT && !FolderOfFileExists(AFileName)))
    return base::kInvalidFileName;
  return base::FileErrorCodeFromErrno(AErrno);
}

void CheckFileNameLength(const std::string& AFileName) {
  if (AFileName.size() > PATH_MAX - 1) base::RaiseFileError(base::kInvalidFileName);
}

void RemoveFileIfPresent(const std::string& AFileName) {
  CheckFileNameLength(AFileName);
  if (std::remove(AFileName.c_str()) == 0) return;
  int error = errno;
  int code = OpenErrorCode(error, AFileName);
  if (error == ENOENT && code != base::kInvalidFileName) return;
  base::RaiseFileError(code);
}

TTextReader::TTextReader(const std::string& AFileName) {
  CheckFileNameLength(AFileName);
  FFile = std::fopen(AFileName.c_str(), "rb");
  if (FFile == nullptr) base::RaiseFileError(OpenErrorCode(errno, AFileName));
}

TTextReader::~TTextReader() {
  if (FFile != nullptr) std::fclose(FFile);
}

int TTextReader::Peek() {
  if (FFile == nullptr) base::RaiseFileError(base::kFileNotOpen);
  int c = std::getc(FFile);
  if (c == EOF) {
    if (std::ferror(FFile)) base::RaiseFileErrorFromErrno(errno);
    return EOF;
  }
  std::ungetc(c, FFile);
  return c;
}

bool TTextReader::Eof() {
  return Peek() == EOF;
}

std::string TTextReader::ReadLine() {
  if (FFile == nullptr) base::RaiseFileError(base::kFileNotOpen);
  std::string line;
  for (int c; (c = std::getc(FFile)) != EOF;) {
    if (c == '\n') return line;
    if (c != '\r') line += static_cast<char>(c);
  }
  if (std::ferror(FFile)) base::RaiseFileErrorFromErrno(errno);
  return line;
}

void TTextReader::Close() {
  if (FFile == nullptr) return;
  std::FILE* file = FFile;
  FFile = nullptr;
  if (std::fclose(file) != 0) base::RaiseFileErrorFromErrno(errno);
}

TTextWriter::~TTextWriter() {
  if (FFile != nullptr) std::fclose(FFile);
}

void TTextWriter::Open(const std::string& AFileName) {
  Close();
  CheckFileNameLength(AFileName);
  FFile = std::fopen(AFileName.c_str(), "wb");
  if (FFile == nullptr) base::RaiseFileError(OpenErrorCode(errno, AFileName));
}

void TTextWriter::WriteLine(const std::string& ALine) {
  if (FFile == nullptr) base::RaiseFileError(base::kFileNotOpen);
  if (std::fwrite(ALine.data(), 1, ALine.size(), FFile) != ALine.size() ||
      std::fputs("\r\n", FFile) == EOF || std::fflush(FFile) != 0)
    base::RaiseFileErrorFromErrno(errno);
}

void TTextWriter::Close() {
  if (FFile == nullptr) return;
  std::FILE* file = FFile;
  FFile = nullptr;
  if (std::fclose(file) != 0) base::RaiseFileErrorFromErrno(errno);
}

}  // namespace frontend
