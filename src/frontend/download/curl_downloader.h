// Downloads over HTTPS with libcurl. One connection handle serves every download of the
// object's life, so a batch run talks to the service over one kept-alive connection.
#pragma once

#include <memory>
#include <string>

#include "frontend/download/downloader.h"

namespace frontend {

struct TCurlOptions {
  std::string CaFile;  // certificates to trust instead of the system's; empty: the system's
  long ConnectTimeoutSeconds = 30;
  long TimeoutSeconds = 300;
  long StallSeconds = 60;  // give up when no byte arrives for this long
};

class TCurlDownloader : public TDownloader {
 public:
  explicit TCurlDownloader(TCurlOptions AOptions = {});
  ~TCurlDownloader() override;

  // A success is a 2xx answer (redirects are not followed) whose body starts with "[", the
  // service's array notation; anything else raises EDownloadError with the status and the
  // body's first line.
  void Download(const std::string& AAddress, const std::string& AFileName) override;

 private:
  struct THandle;
  std::unique_ptr<THandle> FHandle;
  TCurlOptions FOptions;
};

}  // namespace frontend
