// A temporary file beside a target name that takes its place only when complete, so a reader
// of the target sees the old file or the whole new one, never a part.
#pragma once

#include <cstdio>
#include <string>

namespace frontend {

class TPartFile {
 public:
  // Raises base::EFileError when the file cannot be created.
  explicit TPartFile(std::string ATarget);
  // Removes the temporary file unless it was committed.
  ~TPartFile();
  TPartFile(const TPartFile&) = delete;
  TPartFile& operator=(const TPartFile&) = delete;

  std::FILE* File() const noexcept { return FFile; }
  // Closes the file and renames it to the target; raises base::EFileError on failure.
  void Commit();

 private:
  std::string FTarget;
  std::string FTempName;
  std::FILE* FFile = nullptr;
  bool FCommitted = false;
};

}  // namespace frontend
