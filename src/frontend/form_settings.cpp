#include "frontend/form_settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace frontend {

namespace {

std::string Environment(const char* AName) {
  const char* value = std::getenv(AName);
  return value == nullptr ? std::string() : std::string(value);
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

}  // namespace

std::string RunningProgramFolder() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) program = std::filesystem::current_path(error) / "vexa2";
  std::string folder = program.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string DefaultBatchAnswerFile() {
  std::string cache = Environment("XDG_CACHE_HOME");
  // Relative values are invalid by the base directory convention and are ignored.
  std::filesystem::path folder = !cache.empty() && cache.front() == '/'
                                     ? std::filesystem::path(cache)
                                     : std::filesystem::path(HomeFolder()) / ".cache";
  return (folder / "vexa2" / "apifile.csv").string();
}

TServiceEndpoint ServiceEndpointFromEnvironment() {
  TServiceEndpoint endpoint;
  std::string key = Environment("CENSUS_API_KEY");
  if (!key.empty()) endpoint.Key = key;
  return endpoint;
}

TFormSettings DefaultFormSettings() {
  TFormSettings settings;
  settings.ProgramFolder = RunningProgramFolder();
  settings.BatchAnswerFile = DefaultBatchAnswerFile();
  settings.Service = ServiceEndpointFromEnvironment();
  return settings;
}

}  // namespace frontend
