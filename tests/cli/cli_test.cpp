// vexa2-cli run as a program: the offline batch of the samples, the local HTTPS stand-in of the
// service, and bad usage.
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "support/https_test_server.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

using testing_support::TTempDir;

std::string ReadBytes(const std::filesystem::path& APath) {
  std::ifstream in(APath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct TResult {
  int Status = -1;
  std::string Out;
  std::string Err;
};

// Runs vexa2-cli in AFolder with the environment changed by AEnvironment (an empty value
// removes the variable).
TResult RunCli(const std::filesystem::path& AFolder, const std::vector<std::string>& AArguments,
               const std::map<std::string, std::string>& AEnvironment = {}) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text = *entry;
    if (!AEnvironment.contains(text.substr(0, text.find('=')))) environment.push_back(text);
  }
  for (const auto& [name, value] : AEnvironment)
    if (!value.empty()) environment.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (auto& text : environment) envp.push_back(text.data());
  envp.push_back(nullptr);

  std::vector<std::string> words{VEXA2_CLI};
  words.insert(words.end(), AArguments.begin(), AArguments.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const std::string out = (AFolder / ".stdout").string(), err = (AFolder / ".stderr").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, AFolder.c_str());
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  TResult result;
  if (posix_spawn(&pid, VEXA2_CLI, &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  result.Out = ReadBytes(out);
  result.Err = ReadBytes(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return result;
}

TEST(CliOffline, TheSampleBatchReproducesTheExpectedCsvFile) {
  TTempDir dir;
  const std::string samples = VEXA2_SAMPLES;
  TResult result = RunCli(dir.Path(),
                          {"run", "--geo-list", samples + "/geo_irvinesd.txt", "--cache",
                           samples + "/cache", "--offline"},
                          {{"XDG_CACHE_HOME", dir.File("xdg")}});
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Out, "done\n");
  EXPECT_EQ(result.Err, "");
  EXPECT_EQ(ReadBytes(dir.Path() / "newfile.csv"), ReadBytes(samples + "/expected/newfile.csv"));
  // The answers went through the batch answer file, not the cache.
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "xdg" / "vexa2" / "apifile.csv"));
}

class CliOnline : public ::testing::Test {
 protected:
  CliOnline()
      : FServer(FDir.Path(), [](const httplib::Request& ARequest, httplib::Response& AResponse) {
          if (ARequest.target.find("&for=state:06") == std::string::npos) {
            AResponse.status = 400;
            AResponse.set_content("error: unknown variable 'B15002_036E'\nsecond line",
                                  "text/plain");
            return;
          }
          AResponse.set_content("[[\"NAME\",\"state\"],\n[\"California\",\"06\"]]",
                                "application/json");
        }) {}

  std::vector<std::string> Common() const {
    return {"--api-base", FServer.Base() + "/", "--ca-file", FServer.CaFile()};
  }
  std::map<std::string, std::string> Environment() const {
    return {{"XDG_CACHE_HOME", FDir.File("xdg")}, {"CENSUS_API_KEY", "envkey0123456789"}};
  }

  TTempDir FDir;
  testing_support::THttpsTestServer FServer;
};

TEST_F(CliOnline, RunOneShowsTheDataLineAndUsesTheEnvironmentKey) {
  std::vector<std::string> arguments{"run-one", "--geocode", "040-23-5-06", "--items", "NAME"};
  for (const auto& word : Common()) arguments.push_back(word);
  TResult result = RunCli(FDir.Path(), arguments, Environment());
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Out, "[\"California\",\"06\"]]\n");
  EXPECT_EQ(FServer.Targets().back(),
            "/data/2023/acs/acs5?get=NAME&for=state:06&key=envkey0123456789");
  EXPECT_FALSE(std::filesystem::exists(FDir.Path() / "newfile.csv"));  // Run One writes none

  arguments.insert(arguments.end(), {"--key", "cli0key"});
  RunCli(FDir.Path(), arguments, Environment());
  EXPECT_TRUE(FServer.Targets().back().ends_with("&key=cli0key"));
}

TEST_F(CliOnline, AFailedDownloadPrintsTheServiceTextButNeverTheKey) {
  std::vector<std::string> arguments{"run-one", "--geocode", "040-23-5-01"};
  for (const auto& word : Common()) arguments.push_back(word);
  TResult result = RunCli(FDir.Path(), arguments, Environment());
  EXPECT_EQ(result.Status, 1);
  EXPECT_EQ(result.Out, "Unsuccessful; check details in Geocode and Items edit boxes.\n");
  EXPECT_NE(result.Err.find("HTTP status 400: error: unknown variable 'B15002_036E'\n"),
            std::string::npos)
      << result.Err;
  EXPECT_EQ(result.Err.find("second line"), std::string::npos);
  EXPECT_EQ(result.Err.find("envkey"), std::string::npos) << result.Err;
  EXPECT_EQ(result.Out.find("envkey"), std::string::npos);
}

TEST_F(CliOnline, RunStoresEachAnswerInTheCache) {
  std::filesystem::path cache = FDir.Path() / "cache";
  std::ofstream(FDir.File("geo_two.txt")) << "040-23-5-06\n040-23-5-01\n";
  std::vector<std::string> arguments{
      "run",          "--geo-list", FDir.File("geo_two.txt"), "--cache",
      cache.string(), "--csv",      FDir.File("out.csv")};
  for (const auto& word : Common()) arguments.push_back(word);
  TResult result = RunCli(FDir.Path(), arguments, Environment());
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Out, "done\n");
  EXPECT_NE(result.Err.find("HTTP status 400"), std::string::npos);
  std::vector<std::string> stored;
  for (const auto& entry : std::filesystem::directory_iterator(cache))
    stored.push_back(entry.path().filename().string());
  ASSERT_EQ(stored.size(), 1u);  // the failed answer is not kept
  EXPECT_TRUE(stored[0].starts_with("data_2023_acs_acs5_for_state_06_get_NAME,B01001_001E,"));
  EXPECT_EQ(stored[0].find("envkey"), std::string::npos);
  EXPECT_EQ(ReadBytes(FDir.Path() / "out.csv"),
            "\"sumlev\",\"year\",\"acspgm\",\"item1\",\"item2\",\"item3\",\r\n"
            "\"040\",\"23\",\"5\",\"California\",\"06\"\r\n"
            "\"040\",\"23\",\"5\",\"-1\",\"-1\"\r\n");
}

TEST(CliUsage, BadCommandLinesExitWithTwo) {
  TTempDir dir;
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"export"},
      {"run"},                                            // no --geo-list
      {"run-one", "--geocode"},                           // no value
      {"run-one", "--geocode", "040", "--bogus"},         // unknown option
      {"run-one", "--geocode", "040", "--offline"},       // offline needs a cache
      {"run", "--geo-list", "g.txt", "--items", "NAME"},  // run-one's option
  };
  for (const auto& arguments : cases) {
    TResult result = RunCli(dir.Path(), arguments);
    EXPECT_EQ(result.Status, 2) << testing::PrintToString(arguments);
    EXPECT_NE(result.Err.find("usage: vexa2-cli"), std::string::npos);
  }
}

TEST(CliErrors, AnErrorEndingTheRunExitsWithOne) {
  TTempDir dir;
  TResult result = RunCli(
      dir.Path(),
      {"run", "--geo-list", dir.File("geo_missing.txt"), "--cache", dir.File("cache"), "--offline"},
      {{"XDG_CACHE_HOME", dir.File("xdg")}});
  EXPECT_EQ(result.Status, 1);
  EXPECT_EQ(result.Err, "The specified file was not found.\n");
}

}  // namespace
