// The front end's text files (items, geography lists, answers, the CSV output): UTF-8 bytes,
// lines ending at LF or CR LF, a lone CR dropped, CR LF written. Every failing open, read,
// write or close raises base::EFileError with the conventions' code.
#pragma once

#include <cstdio>
#include <string>

namespace frontend {

class TTextReader {
 public:
  explicit TTextReader(const std::string& AFileName);
  ~TTextReader();
  TTextReader(const TTextReader&) = delete;
  TTextReader& operator=(const TTextReader&) = delete;

  // The next line without its end; past the end an empty text and no error.
  std::string ReadLine();
  // True when no byte is left.
  bool Eof();
  void Close();

 private:
  int Peek();

  std::FILE* FFile;
};

// A file created (or emptied) for writing; before Open and after Close every write fails with
// "I/O error 103" (file not open).
class TTextWriter {
 public:
  TTextWriter() = default;
  ~TTextWriter();
  TTextWriter(const TTextWriter&) = delete;
  TTextWriter& operator=(const TTextWriter&) = delete;

  void Open(const std::string& AFileName);
  bool IsOpen() const noexcept { return FFile != nullptr; }
  // Appends ALine and CR LF, and hands them to the operating system.
  void WriteLine(const std::string& ALine);
  void Close();

 private:
  std::FILE* FFile = nullptr;
};

// The file error code of a failed open of AFileName: a missing folder (or a path running
// through a file) is 3, "Invalid file name", as a missing path is on the desktop platform.
int OpenErrorCode(int AErrno, const std::string& AFileName);

// Raises error 3 for a name longer than the platform allows.
void CheckFileNameLength(const std::string& AFileName);

// Removes AFileName; a file that is not there is fine, a folder that is not there is error 3.
void RemoveFileIfPresent(const std::string& AFileName);

}  // namespace frontend
