#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "census_fake.h"
#include "frontend/download/answer_cache.h"
#include "frontend/download/curl_downloader.h"
#include "support/temp_dir.h"

namespace {

using frontend::EDownloadError;
using frontend_testing::CensusAnswer;
using frontend_testing::TFakeAnswer;

constexpr const char* kKey = "k3y0fth3us3r";

std::string ReadBytes(const std::string& APath) {
  std::ifstream in(APath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> FilesIn(const std::filesystem::path& AFolder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(AFolder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Download : public ::testing::Test {
 protected:
  Download() {
    std::filesystem::create_directory(FAnswers);
    FFake.Add("&for=state:06", {200, CensusAnswer(R"("NAME","B01001_001E","state")",
                                                  R"("California","39356104","06")")});
  }

  std::string Address(const std::string& AClause) const {
    return FServer.Base() + "/data/2022/acs/acs5?get=NAME,B01001_001E" + AClause + "&key=" + kKey;
  }
  std::string Target() const { return (FAnswers / "apifile.csv").string(); }

  testing_support::TTempDir FDir;
  std::filesystem::path FAnswers = FDir.Path() / "answers";
  frontend_testing::TCensusFake FFake;
  testing_support::THttpsTestServer FServer{FDir.Path(), FFake.Handler()};
  frontend::TCurlDownloader FDownloader{{FServer.CaFile()}};
};

TEST_F(Download, StoresTheWholeAnswerUnderTheTargetName) {
  FDownloader.Download(Address("&for=state:06"), Target());
  EXPECT_EQ(ReadBytes(Target()),
            "[[\"NAME\",\"B01001_001E\",\"state\"],\n[\"California\",\"39356104\",\"06\"]]");
  EXPECT_EQ(FilesIn(FAnswers), std::vector<std::string>{"apifile.csv"});
  EXPECT_EQ(FServer.Targets().back(),
            "/data/2022/acs/acs5?get=NAME,B01001_001E&for=state:06&key=" + std::string(kKey));
}

TEST_F(Download, AnythingButAnArrayAnswerFails) {
  struct TCase {
    const char* Clause;
    TFakeAnswer Answer;
    int Status;
    std::string Detail;
  };
  const TCase cases[] = {
      {"&for=state:01",
       {400, "error: unknown variable 'B15002_036E'\n", "text/plain"},
       400,
       "HTTP status 400: error: unknown variable 'B15002_036E'"},
      {"&for=state:02",
       {404, "<html><head><title>Error report</title></head></html>", "text/html"},
       404,
       "HTTP status 404: <html><head><title>Error report</title></head></html>"},
      // A missing or invalid key: a redirect to a key page, or the page itself with 200.
      {"&for=state:04",
       {302, "", "text/html", "https://api.census.gov/data/missing_key.html"},
       302,
       "HTTP status 302: "},
      {"&for=state:05",
       {200, "<html style=\"font-size: 14px;\">\n<head>", "text/html"},
       200,
       "HTTP status 200: <html style=\"font-size: 14px;\">"},
      {"&for=state:08", {204, ""}, 204, "HTTP status 204: "},
      {"&for=state:09",
       {429, "Too Many Requests", "text/plain"},
       429,
       "HTTP status 429: Too Many Requests"},
      // The service echoing the key must not reveal it.
      {"&for=state:10",
       {400, std::string("error: invalid key ") + kKey, "text/plain"},
       400,
       "HTTP status 400: error: invalid key ..."},
  };
  for (const auto& c : cases) {
    FFake.Add(c.Clause, c.Answer);
    std::ofstream(Target()) << "old answer";
    try {
      FDownloader.Download(Address(c.Clause), Target());
      ADD_FAILURE() << c.Clause << " did not fail";
    } catch (const EDownloadError& error) {
      EXPECT_EQ(error.HttpStatus(), c.Status) << c.Clause;
      EXPECT_EQ(error.Detail(), c.Detail) << c.Clause;
      EXPECT_EQ(std::string(error.what()), "Error downloading URL: " + FServer.Base() +
                                               "/data/2022/acs/acs5?get=NAME,B01001_001E" +
                                               c.Clause);
    }
    // Nothing replaced the earlier file and no part is left behind.
    EXPECT_EQ(ReadBytes(Target()), "old answer") << c.Clause;
    EXPECT_EQ(FilesIn(FAnswers), std::vector<std::string>{"apifile.csv"}) << c.Clause;
  }
}

TEST_F(Download, FailsWithoutAnAnswer) {
  // A certificate the system does not trust.
  frontend::TCurlDownloader systemTrust;
  try {
    systemTrust.Download(Address("&for=state:06"), Target());
    ADD_FAILURE() << "an unverified server was trusted";
  } catch (const EDownloadError& error) {
    EXPECT_EQ(error.HttpStatus(), 0);
    EXPECT_TRUE(error.Detail().starts_with("no answer from the service: ")) << error.Detail();
  }
  // Plain HTTP is refused.
  std::string plain = Address("&for=state:06");
  plain.replace(0, 5, "http");
  EXPECT_THROW(FDownloader.Download(plain, Target()), EDownloadError);
  // A folder that is not there.
  try {
    FDownloader.Download(Address("&for=state:06"), (FDir.Path() / "gone" / "a.csv").string());
    ADD_FAILURE();
  } catch (const EDownloadError& error) {
    EXPECT_EQ(error.Detail(), "the answer could not be stored: Invalid file name - %s");
  }
  EXPECT_TRUE(FilesIn(FAnswers).empty());
}

TEST(DownloadTimeout, GivesUpOnASilentServer) {
  testing_support::TTempDir dir;
  testing_support::THttpsTestServer server(
      dir.Path(), [](const httplib::Request&, httplib::Response& AResponse) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        AResponse.set_content("[[]]", "application/json");
      });
  frontend::TCurlOptions options;
  options.CaFile = server.CaFile();
  options.TimeoutSeconds = 1;
  frontend::TCurlDownloader downloader(options);
  auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(downloader.Download(server.Base() + "/data", dir.File("a.csv")), EDownloadError);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2400));
}

TEST_F(Download, KeepsOneConnectionForManyDownloads) {
  for (int i = 0; i < 20; ++i) FDownloader.Download(Address("&for=state:06"), Target());
  EXPECT_EQ(FServer.Targets().size(), 20u);
  EXPECT_EQ(FServer.ConnectionCount(), 1u);
}

TEST_F(Download, CacheStoresAnswersUnderKeylessNamesAndServesThem) {
  std::filesystem::path cacheFolder = FDir.Path() / "cache";
  std::filesystem::create_directory(cacheFolder);
  frontend::TCachingDownloader cache(cacheFolder.string(), &FDownloader);
  cache.Download(Address("&for=state:06"), Target());
  std::vector<std::string> stored = FilesIn(cacheFolder);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0], frontend::TCachingDownloader::CacheFileName(Address("&for=state:06")));
  EXPECT_EQ(stored[0].find(kKey), std::string::npos);
  EXPECT_TRUE(stored[0].starts_with("data_2022_acs_acs5_for_state_06_get_NAME,B01001_001E-"))
      << stored[0];
  // Another key, another host: the same answer.
  EXPECT_EQ(
      frontend::TCachingDownloader::CacheFileName(
          "https://api.census.gov/data/2022/acs/acs5?get=NAME,B01001_001E&for=state:06&key=other"),
      stored[0]);
  EXPECT_NE(frontend::TCachingDownloader::CacheFileName(Address("&for=state:07")), stored[0]);

  std::filesystem::remove(Target());
  std::size_t requests = FServer.Targets().size();
  frontend::TCachingDownloader offline(cacheFolder.string(), nullptr);
  offline.Download(Address("&for=state:06"), Target());
  EXPECT_EQ(FServer.Targets().size(), requests);
  EXPECT_EQ(ReadBytes(Target()), ReadBytes((cacheFolder / stored[0]).string()));

  // Offline, a miss is a failed download; a failed online download stores nothing.
  try {
    offline.Download(Address("&for=state:07"), Target());
    ADD_FAILURE();
  } catch (const EDownloadError& error) {
    EXPECT_TRUE(error.Detail().starts_with(
        "not in the answer cache (offline): data_2022_acs_acs5_for_state_07_get_"));
  }
  EXPECT_THROW(cache.Download(Address("&for=state:07"), Target()), EDownloadError);
  EXPECT_EQ(FilesIn(cacheFolder).size(), 1u);
}

}  // namespace
