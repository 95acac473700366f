// vexa2-cli: the window's commands without the window, through the same TForm1 handlers.
//   run-one  "Run One": one geography code, its answer's data line on stdout
//   run      "Run": a geography list file into newfile.csv (or --csv FILE)
// Exit status: 0 done, 1 an error ended the command (for run-one also a failed download),
// 2 bad usage.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "base/messages.h"
#include "command_line.h"
#include "frontend/download/answer_cache.h"
#include "frontend/download/curl_downloader.h"
#include "frontend/form1.h"
#include "reporting_downloader.h"
#include "terminal_interface.h"

namespace {

using base::TMessage;

const std::map<std::string, cli::TCommandSyntax> kCommands = {
    {"run-one",
     {{"--geocode", "--items", "--api-base", "--ca-file", "--key", "--cache"}, {"--offline"}}},
    {"run",
     {{"--geo-list", "--items-file", "--csv", "--api-base", "--ca-file", "--answer-file", "--key",
       "--cache"},
      {"--show-result", "--offline"}}},
};

// An error that ends the command before the form runs; exit status 1.
class ECommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The downloaders a command line asks for, owned together: the network one unless offline,
// the cache in front of it when asked, and the reporter in front of both.
class TDownloadChain {
 public:
  explicit TDownloadChain(const cli::TCommandLine& ALine) {
    bool offline = ALine.Flag("--offline");
    auto cache = ALine.Value("--cache");
    if (offline && !cache)
      throw cli::EUsageError(base::Message(TMessage::CliMissingOption, {"--offline", "--cache"}));
    if (!offline) {
      frontend::TCurlOptions options;
      options.CaFile = ALine.Value("--ca-file").value_or("");
      FOnline = std::make_unique<frontend::TCurlDownloader>(options);
    }
    frontend::TDownloader* first = FOnline.get();
    if (cache) {
      if (!offline) {
        std::error_code error;
        std::filesystem::create_directories(*cache, error);
        if (error || !std::filesystem::is_directory(*cache))
          throw ECommandError(base::Message(TMessage::CliCannotCreateCache,
                                            {*cache, error ? error.message() : "not a folder"}));
      }
      FCache = std::make_unique<frontend::TCachingDownloader>(*cache, FOnline.get());
      first = FCache.get();
    }
    FReporter = std::make_unique<cli::TReportingDownloader>(*first);
  }

  cli::TReportingDownloader& Downloader() { return *FReporter; }

 private:
  std::unique_ptr<frontend::TCurlDownloader> FOnline;
  std::unique_ptr<frontend::TCachingDownloader> FCache;
  std::unique_ptr<cli::TReportingDownloader> FReporter;
};

frontend::TFormSettings SettingsFor(const cli::TCommandLine& ALine) {
  frontend::TFormSettings settings = frontend::DefaultFormSettings();
  if (auto base = ALine.Value("--api-base")) {
    while (!base->empty() && base->back() == '/') base->pop_back();
    settings.Service.Base = *base;
  }
  if (auto key = ALine.Value("--key")) settings.Service.Key = *key;
  if (auto csv = ALine.Value("--csv")) settings.CsvOutputFile = *csv;
  if (auto answer = ALine.Value("--answer-file")) settings.BatchAnswerFile = *answer;
  return settings;
}

int RunOne(const cli::TCommandLine& ALine) {
  std::string geocode = ALine.Required("--geocode");
  TDownloadChain downloads(ALine);
  cli::TTerminalInterface terminal;
  frontend::TForm1 form(terminal, downloads.Downloader(), SettingsFor(ALine));
  // Start-up is left out on purpose: it would empty newfile.csv in the current folder, which
  // "Run One" never writes.
  form.Boxes().Geocode = geocode;
  if (auto items = ALine.Value("--items")) form.Boxes().Items = *items;
  form.Button1Click();
  return terminal.ErrorShown() || downloads.Downloader().Failures() > 0 ? 1 : 0;
}

int Run(const cli::TCommandLine& ALine) {
  std::string geoList = ALine.Required("--geo-list");
  TDownloadChain downloads(ALine);
  cli::TTerminalInterface terminal;
  frontend::TForm1 form(terminal, downloads.Downloader(), SettingsFor(ALine));
  form.FormShow();
  if (auto items = ALine.Value("--items-file")) {
    form.Boxes().ItemsFile = *items;
    form.Boxes().OutputFile = frontend::OutputPathFor(*items);
  }
  form.Boxes().GeoListFile = geoList;
  form.Boxes().ShowResult = ALine.Flag("--show-result");
  form.Button2Click();
  form.FormClose();
  return terminal.ErrorShown() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  try {
    cli::TCommandLine line(arguments, kCommands);
    return line.Command() == "run-one" ? RunOne(line) : Run(line);
  } catch (const cli::EUsageError& error) {
    std::fprintf(stderr, "vexa2-cli: %s\n%s\n", error.what(),
                 base::Message(TMessage::CliUsage).c_str());
    return 2;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vexa2-cli: %s\n", error.what());
    return 1;
  }
}
