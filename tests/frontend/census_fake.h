// A stand-in for the census data service on the local HTTPS test server: answers are looked
// up by the geography clause of the request ("for" and "in" as sent, undecoded).
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "support/https_test_server.h"

namespace frontend_testing {

struct TFakeAnswer {
  TFakeAnswer(int AStatus = 200, std::string ABody = {},
              std::string AContentType = "application/json;charset=utf-8",
              std::string ALocation = {})
      : Status(AStatus),
        Body(std::move(ABody)),
        ContentType(std::move(AContentType)),
        Location(std::move(ALocation)) {}

  int Status;
  std::string Body;
  std::string ContentType;
  std::string Location;  // for redirects
};

// The service's layout: a header of names, then one data row.
inline std::string CensusAnswer(const std::string& AHeader, const std::string& ARow) {
  return "[[" + AHeader + "],\n[" + ARow + "]]";
}

class TCensusFake {
 public:
  // AClause is what follows the items in the query, e.g. "&for=state:06".
  void Add(const std::string& AClause, TFakeAnswer AAnswer) {
    std::lock_guard lock(FMutex);
    FAnswers[AClause] = std::move(AAnswer);
  }

  void Serve(const httplib::Request& ARequest, httplib::Response& AResponse) {
    std::string target = ARequest.target;
    std::size_t start = target.find("&for=");
    std::size_t end = target.find("&key=");
    std::string clause =
        start == std::string::npos
            ? ""
            : target.substr(start, end == std::string::npos ? std::string::npos : end - start);
    std::lock_guard lock(FMutex);
    auto found = FAnswers.find(clause);
    if (found == FAnswers.end()) {
      AResponse.status = 400;
      AResponse.set_content("error: unknown/unsupported geography hierarchy", "text/plain");
      return;
    }
    AResponse.status = found->second.Status;
    if (!found->second.Location.empty()) AResponse.set_header("Location", found->second.Location);
    if (!found->second.Body.empty() || found->second.Status != 204)
      AResponse.set_content(found->second.Body, found->second.ContentType);
  }

  testing_support::THttpsTestServer::THandler Handler() {
    return [this](const httplib::Request& ARequest, httplib::Response& AResponse) {
      Serve(ARequest, AResponse);
    };
  }

 private:
  std::mutex FMutex;
  std::map<std::string, TFakeAnswer> FAnswers;
};

}  // namespace frontend_testing
