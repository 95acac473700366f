// Downloading one request address into a named file, the way the window's runs need it: the
// call returns when the whole answer is stored under that name, or raises EDownloadError and
// leaves no partial answer there.
#pragma once

#include <string>

#include "base/exception.h"

namespace frontend {

class EDownloadError : public base::Exception {
 public:
  // The message names the address without its key; ADetail (the service's own text, or why
  // there was none) loses any copy of the key too.
  EDownloadError(const std::string& AAddress, int AHttpStatus, const std::string& ADetail);

  // 0 when no HTTP answer came.
  int HttpStatus() const noexcept { return FHttpStatus; }
  const std::string& Detail() const noexcept { return FDetail; }

 private:
  int FHttpStatus;
  std::string FDetail;
};

class TDownloader {
 public:
  virtual ~TDownloader() = default;
  virtual void Download(const std::string& AAddress, const std::string& AFileName) = 0;
};

}  // namespace frontend
