// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::filesystem::path& Path() const noexcept { return FPath; }
  std::string File(const std::string& AName) const { return (FPath / AName).string(); }

private:
  std::filesystem::path FPath;
};

}  // namespace testing_support
