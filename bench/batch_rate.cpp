// The batch run's request rate: 1,000 geographies through TForm1's "Run" against a stand-in
// of the census service on a local HTTPS server, once over the one kept-alive connection of
// TCurlDownloader and once with a new connection per geography for comparison.
#include <chrono>
#include <cstdio>
#include <memory>

#include "frontend/download/curl_downloader.h"
#include "frontend/form1.h"
#include "support/https_test_server.h"
#include "support/temp_dir.h"

namespace {

constexpr int kGeographies = 1000;

class TQuietInterface : public frontend::TUserInterface {
 public:
  void ShowMessage(const std::string&) override {}
  void ShowErrorBox(const std::string& AText) override {
    std::fprintf(stderr, "error: %s\n", AText.c_str());
  }
  bool Confirm(const std::string&) override { return false; }
  std::optional<std::string> OpenFileDialog(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void ProcessMessages() override {}
  void SetStatusText(const std::string&) override {}
  void SetProgress(int, int) override {}
  void OpenDocument(const std::string&) override {}
};

// A fresh downloader, so a fresh connection, for every geography.
class TOneShotDownloader : public frontend::TDownloader {
 public:
  explicit TOneShotDownloader(std::string ACaFile) : FCaFile(std::move(ACaFile)) {}
  void Download(const std::string& AAddress, const std::string& AFileName) override {
    frontend::TCurlDownloader({FCaFile}).Download(AAddress, AFileName);
  }

 private:
  std::string FCaFile;
};

void Measure(const char* AMode, const testing_support::TTempDir& ADir,
             const testing_support::THttpsTestServer& AServer, frontend::TDownloader& ADownloader) {
  std::size_t requestsBefore = AServer.Targets().size();
  std::size_t connectionsBefore = AServer.ConnectionCount();
  TQuietInterface ui;
  frontend::TFormSettings settings;
  settings.ProgramFolder = ADir.Path().string() + "/";
  settings.BatchAnswerFile = ADir.File("apifile.csv");
  settings.CsvOutputFile = ADir.File("newfile.csv");
  settings.Service = {AServer.Base(), "benchkey"};
  frontend::TForm1 form(ui, ADownloader, settings);
  form.FormShow();
  form.Boxes().GeoListFile = ADir.File("geo_bench.txt");
  auto start = std::chrono::steady_clock::now();
  form.Button2Click();
  std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  form.FormClose();
  std::size_t requests = AServer.Targets().size() - requestsBefore;
  std::printf("%-26s %zu requests in %.2f s: %.0f requests/s over %zu connection(s)\n", AMode,
              requests, seconds.count(), static_cast<double>(requests) / seconds.count(),
              AServer.ConnectionCount() - connectionsBefore);
}

}  // namespace

int main() {
  testing_support::TTempDir dir;
  testing_support::THttpsTestServer server(
      dir.Path(), [](const httplib::Request&, httplib::Response& AResponse) {
        AResponse.set_content(
            "[[\"NAME\",\"B01001_001E\",\"B19013_001E\",\"state\",\"county\"],\n"
            "[\"Orange County, California\",\"3164063\",\"113702\",\"06\",\"059\"]]",
            "application/json;charset=utf-8");
      });
  {
    std::FILE* items = std::fopen(dir.File("items_acs_base.txt").c_str(), "wb");
    std::fputs("NAME        Name\nB01001_001E TotPop\nB19013_001E MedHHInc\n", items);
    std::fclose(items);
    std::FILE* list = std::fopen(dir.File("geo_bench.txt").c_str(), "wb");
    for (int i = 0; i < kGeographies; ++i) std::fputs("050-23-5-06059\n", list);
    std::fclose(list);
  }
  frontend::TCurlDownloader kept({server.CaFile()});
  Measure("one kept-alive connection", dir, server, kept);
  TOneShotDownloader oneShot(server.CaFile());
  Measure("a connection per request", dir, server, oneShot);
  return 0;
}
