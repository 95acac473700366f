#include "frontend/download/downloader.h"

#include "frontend/geo_code.h"

namespace frontend {

namespace {

std::string KeyOf(const std::string& AAddress) {
  std::size_t start = AAddress.find("key=");
  while (start != std::string::npos && start > 0 && AAddress[start - 1] != '?' &&
         AAddress[start - 1] != '&')
    start = AAddress.find("key=", start + 1);
  if (start == std::string::npos) return {};
  start += 4;
  return AAddress.substr(start, AAddress.find('&', start) - start);
}

std::string WithoutKey(std::string AText, const std::string& AKey) {
  if (AKey.empty()) return AText;
  for (std::size_t found; (found = AText.find(AKey)) != std::string::npos;)
    AText.replace(found, AKey.size(), "...");
  return AText;
}

}  // namespace

EDownloadError::EDownloadError(const std::string& AAddress, int AHttpStatus,
                               const std::string& ADetail)
    : base::Exception(base::Message(base::TMessage::ErrorDownloadingUrl,
                                    {WithoutKey(AddressWithoutKey(AAddress), KeyOf(AAddress))})),
      FHttpStatus(AHttpStatus),
      FDetail(WithoutKey(ADetail, KeyOf(AAddress))) {}

}  // namespace frontend
