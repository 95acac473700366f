#include "frontend/download/curl_downloader.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <new>

#include "base/file_error.h"
#include "frontend/download/part_file.h"

namespace frontend {

namespace {

constexpr std::size_t kKeptHead = 512;  // enough of the body for its first line

struct TBody {
  std::FILE* File = nullptr;
  std::string Head;
  int WriteErrno = 0;
};

std::size_t WriteBody(char* AData, std::size_t ASize, std::size_t ACount, void* AUser) {
  auto* body = static_cast<TBody*>(AUser);
  std::size_t bytes = ASize * ACount;
  if (body->Head.size() < kKeptHead)
    body->Head.append(AData, std::min(bytes, kKeptHead - body->Head.size()));
  if (std::fwrite(AData, 1, bytes, body->File) != bytes) {
    body->WriteErrno = errno;
    return 0;
  }
  return bytes;
}

std::string FirstLine(const std::string& AText) {
  std::string line = AText.substr(0, AText.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) throw std::bad_alloc();
  });
}

}  // namespace

struct TCurlDownloader::THandle {
  CURL* Curl = nullptr;
  char ErrorText[CURL_ERROR_SIZE] = {};

  ~THandle() {
    if (Curl != nullptr) curl_easy_cleanup(Curl);
  }
};

TCurlDownloader::TCurlDownloader(TCurlOptions AOptions)
    : FHandle(std::make_unique<THandle>()), FOptions(std::move(AOptions)) {
  InitCurlOnce();
  FHandle->Curl = curl_easy_init();
  if (FHandle->Curl == nullptr) throw std::bad_alloc();
  CURL* curl = FHandle->Curl;
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!FOptions.CaFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, FOptions.CaFile.c_str());
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, FOptions.ConnectTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, FOptions.TimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, FOptions.StallSeconds);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "vexa2/1.5.24.2");
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, FHandle->ErrorText);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
}

TCurlDownloader::~TCurlDownloader() = default;

void TCurlDownloader::Download(const std::string& AAddress, const std::string& AFileName) {
  std::unique_ptr<TPartFile> part;
  try {
    part = std::make_unique<TPartFile>(AFileName);
  } catch (const base::EFileError& error) {
    throw EDownloadError(AAddress, 0,
                         base::Message(base::TMessage::DownloadCannotStore, {error.Message()}));
  }
  CURL* curl = FHandle->Curl;
  TBody body;
  body.File = part->File();
  FHandle->ErrorText[0] = '\0';
  curl_easy_setopt(curl, CURLOPT_URL, AAddress.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  CURLcode result = curl_easy_perform(curl);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);

  if (body.WriteErrno != 0)
    throw EDownloadError(
        AAddress, 0,
        base::Message(base::TMessage::DownloadCannotStore,
                      {base::FileErrorMessage(base::FileErrorCodeFromErrno(body.WriteErrno))}));
  if (result != CURLE_OK) {
    std::string reason =
        FHandle->ErrorText[0] != '\0' ? FHandle->ErrorText : curl_easy_strerror(result);
    throw EDownloadError(AAddress, 0, base::Message(base::TMessage::DownloadNoAnswer, {reason}));
  }
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status >= 300 || body.Head.empty() || body.Head.front() != '[')
    throw EDownloadError(
        AAddress, static_cast<int>(status),
        base::Message(base::TMessage::DownloadHttpStatus, {status, FirstLine(body.Head)}));
  try {
    part->Commit();
  } catch (const base::EFileError& error) {
    throw EDownloadError(AAddress, static_cast<int>(status),
                         base::Message(base::TMessage::DownloadCannotStore, {error.Message()}));
  }
}

}  // namespace frontend
