#include "reporting_downloader.h"

#include <cstdio>

namespace cli {

void TReportingDownloader::Download(const std::string& AAddress, const std::string& AFileName) {
  try {
    FNext.Download(AAddress, AFileName);
  } catch (const frontend::EDownloadError& error) {
    ++FFailures;
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n  %s\n", error.what(), error.Detail().c_str());
    throw;
  }
}

}  // namespace cli
