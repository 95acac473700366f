// A folder of stored answers in front of a downloader: an address found there is copied to the
// target without touching the network; a downloaded answer is stored there. Without an online
// downloader (offline) a miss is a failed download.
#pragma once

#include <string>
#include <string_view>

#include "frontend/download/downloader.h"

namespace frontend {

class TCachingDownloader : public TDownloader {
 public:
  // AOnline is not owned and may be null (offline).
  TCachingDownloader(std::string AFolder, TDownloader* AOnline);

  void Download(const std::string& AAddress, const std::string& AFileName) override;

  // The name under the cache folder of an address's answer: its path and query without the
  // scheme, host and key, made safe for a file name, and a hash of the same text.
  static std::string CacheFileName(std::string_view AAddress);

 private:
  std::string FFolder;
  TDownloader* FOnline;  // not owned; null when offline
};

}  // namespace frontend
