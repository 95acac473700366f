#include "frontend/download/answer_cache.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/file_error.h"
#include "frontend/download/part_file.h"
#include "frontend/geo_code.h"

namespace frontend {

namespace {

constexpr std::size_t kReadableLength = 150;

std::uint64_t Fnv1a64(std::string_view AText) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (char c : AText) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

// The address after its scheme and host, without the key.
std::string_view PathAndQuery(std::string_view AAddress) {
  std::size_t scheme = AAddress.find("://");
  std::size_t start = scheme == std::string_view::npos ? 0 : AAddress.find('/', scheme + 3);
  return start == std::string_view::npos ? std::string_view() : AAddress.substr(start + 1);
}

// Copies ASource to ATarget through a part file; raises base::EFileError.
void CopyFile(const std::string& ASource, const std::string& ATarget) {
  std::FILE* source = std::fopen(ASource.c_str(), "rb");
  if (source == nullptr) base::RaiseFileErrorFromErrno(errno);
  TPartFile part(ATarget);
  char buffer[65536];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, source)) > 0) {
    if (std::fwrite(buffer, 1, count, part.File()) != count) {
      int error = errno;
      std::fclose(source);
      base::RaiseFileErrorFromErrno(error);
    }
  }
  bool failed = std::ferror(source) != 0;
  int error = errno;
  std::fclose(source);
  if (failed) base::RaiseFileErrorFromErrno(error);
  part.Commit();
}

}  // namespace

TCachingDownloader::TCachingDownloader(std::string AFolder, TDownloader* AOnline)
    : FFolder(std::move(AFolder)), FOnline(AOnline) {}

std::string TCachingDownloader::CacheFileName(std::string_view AAddress) {
  const std::string keyless = AddressWithoutKey(AAddress);
  const std::string_view text = PathAndQuery(keyless);
  // Readable first: the dataset, the geography, then the (long) item list.
  std::size_t question = text.find('?');
  std::string readable(text.substr(0, question));
  std::string items;
  std::string_view query = question == std::string_view::npos ? "" : text.substr(question + 1);
  while (!query.empty()) {
    std::size_t amp = query.find('&');
    std::string_view parameter = query.substr(0, amp);
    if (parameter.starts_with("get="))
      items = std::string(parameter);
    else
      readable += "&" + std::string(parameter);
    query = amp == std::string_view::npos ? "" : query.substr(amp + 1);
  }
  if (!items.empty()) readable += "&" + items;
  std::string name;
  for (char c : std::string_view(readable).substr(0, kReadableLength)) {
    bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                c == '-' || c == '_' || c == '.' || c == ',';
    name += safe ? c : '_';
  }
  char hash[16];
  auto [end, ec] = std::to_chars(hash, hash + sizeof hash, Fnv1a64(text), 16);
  return name + "-" + std::string(16 - static_cast<std::size_t>(end - hash), '0') +
         std::string(hash, end) + ".json";
}

void TCachingDownloader::Download(const std::string& AAddress, const std::string& AFileName) {
  const std::string stored = (std::filesystem::path(FFolder) / CacheFileName(AAddress)).string();
  std::error_code ignored;
  if (std::filesystem::is_regular_file(stored, ignored)) {
    try {
      CopyFile(stored, AFileName);
    } catch (const base::EFileError& error) {
      throw EDownloadError(AAddress, 0,
                           base::Message(base::TMessage::DownloadCannotStore, {error.Message()}));
    }
    return;
  }
  if (FOnline == nullptr)
    throw EDownloadError(
        AAddress, 0, base::Message(base::TMessage::DownloadNotInCache, {CacheFileName(AAddress)}));
  FOnline->Download(AAddress, AFileName);
  CopyFile(AFileName, stored);
}

}  // namespace frontend
