#include <gtest/gtest.h>

#include "form_fixture.h"
#include "frontend/user_interface.h"

namespace {

using frontend_testing::FormFixture;
using frontend_testing::ReadBytes;
using frontend_testing::WriteBytes;
using TLines = std::vector<std::string>;

TEST_F(FormFixture, StartUpCompletesThePathsAndCreatesTheCsvFile) {
  WriteBytes(FDir.File("newfile.csv"), "an earlier run");
  EXPECT_EQ(FForm->Boxes().ItemsFile, "items_acs_base.txt");
  FForm->FormShow();
  EXPECT_EQ(FForm->Boxes().ItemsFile, FDir.File("items_acs_base.txt"));
  EXPECT_EQ(FForm->Boxes().OutputFile, FDir.File("items_acs_base.dbf"));
  EXPECT_EQ(FForm->Boxes().Geocode, "140-22-5-04013216813");
  EXPECT_EQ(FForm->Boxes().GeoListFile, "geo_irvinesd.txt");
  EXPECT_FALSE(FForm->Boxes().ShowResult);
  EXPECT_EQ(FForm->Grid().ColCount(), 5);
  EXPECT_EQ(FForm->Grid().RowCount(), 10);
  EXPECT_EQ(ReadBytes(FDir.File("newfile.csv")), "");
  EXPECT_TRUE(FUi.Events.empty());
}

TEST(FormStartUp, MakesTheBatchAnswerFolderAndReportsAnUncreatableCsvFile) {
  testing_support::TTempDir dir;
  std::filesystem::create_directory(dir.Path() / "newfile.csv");  // a folder in the way
  frontend_testing::TRecordingInterface ui;
  frontend::TCurlDownloader downloader;
  frontend::TFormSettings settings;
  settings.ProgramFolder = dir.Path().string() + "/";
  settings.CsvOutputFile = dir.File("newfile.csv");
  settings.BatchAnswerFile = dir.File("cache/vexa2/apifile.csv");
  frontend::TForm1 form(ui, downloader, settings);
  form.FormShow();
  EXPECT_EQ(ui.Events, (TLines{"error: I/O error " + std::to_string(EISDIR) + "."}));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "cache" / "vexa2"));
  EXPECT_EQ(form.Boxes().OutputFile, dir.File("items_acs_base.dbf"));  // the window still opens
}

TEST_F(FormFixture, PickersFillTheirBoxesOnlyWhenConfirmed) {
  FForm->FormShow();
  const auto before = FForm->Boxes();
  FForm->Button3Click();
  FForm->Button4Click();
  EXPECT_EQ(FForm->Boxes().ItemsFile, before.ItemsFile);
  EXPECT_EQ(FForm->Boxes().OutputFile, before.OutputFile);
  EXPECT_EQ(FForm->Boxes().GeoListFile, before.GeoListFile);
  EXPECT_EQ(FUi.DialogFilters, (TLines{"Items files|items_*.txt", "GeoList files|geo_*.txt"}));
  EXPECT_EQ(FUi.DialogFolders[0], std::filesystem::current_path().string());

  FUi.DialogChoice = "/data/items_income.txt";
  FForm->Button3Click();
  EXPECT_EQ(FForm->Boxes().ItemsFile, "/data/items_income.txt");
  EXPECT_EQ(FForm->Boxes().OutputFile, "/data/items_income.dbf");
  FUi.DialogChoice = "/data/geo_ca.txt";
  FForm->Button4Click();
  EXPECT_EQ(FForm->Boxes().GeoListFile, "/data/geo_ca.txt");
  EXPECT_EQ(FForm->Boxes().OutputFile, "/data/items_income.dbf");
}

TEST_F(FormFixture, ViewEditAndGuideOpenWithTheDesktop) {
  FForm->FormShow();
  FForm->Button9Click();
  FForm->Boxes().ItemsFile = FDir.File("items_gone.txt");
  FForm->Button9Click();
  FForm->Guide1Click();
  EXPECT_EQ(FUi.Events,
            (TLines{"open: " + FDir.File("items_acs_base.txt"),
                    "message: File not found, cannot open: " + FDir.File("items_gone.txt"),
                    "open: https://www.census.gov/data/developers/guidance/api-user-guide.html"}));
}

TEST(OutputPathFor, ReplacesTheLastFourCharacters) {
  EXPECT_EQ(frontend::OutputPathFor("/p/items_acs_base.txt"), "/p/items_acs_base.dbf");
  EXPECT_EQ(frontend::OutputPathFor("ab"), ".dbf");
  EXPECT_EQ(frontend::OutputPathFor("/p/i\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC"), "/p/i.dbf");
}

TEST(ErrorBoxText, AddsAFullStopUnlessThePunctuationIsThere) {
  EXPECT_EQ(frontend::ErrorBoxText("File access denied"), "File access denied.");
  EXPECT_EQ(frontend::ErrorBoxText("Invalid file name - %s"), "Invalid file name - %s.");
  for (std::string ending :
       {" ", "!", "\"", "#", "$", "%", "&", "'", "(", ")", "*", "+", ",", "-", ".", ";"})
    EXPECT_EQ(frontend::ErrorBoxText("x" + ending), "x" + ending);
  EXPECT_EQ(frontend::ErrorBoxText("x:"), "x:.");
}

}  // namespace
