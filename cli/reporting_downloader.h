// Passes downloads on and, for each failed one, prints the service's own text on stderr (the
// window only says "Unsuccessful"). The key never appears: EDownloadError has removed it.
#pragma once

#include "frontend/download/downloader.h"

namespace cli {

class TReportingDownloader : public frontend::TDownloader {
 public:
  explicit TReportingDownloader(frontend::TDownloader& ANext) : FNext(ANext) {}

  void Download(const std::string& AAddress, const std::string& AFileName) override;
  int Failures() const noexcept { return FFailures; }

 private:
  frontend::TDownloader& FNext;  // not owned
  int FFailures = 0;
};

}  // namespace cli
