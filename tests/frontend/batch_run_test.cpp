#include <gtest/gtest.h>

#include "form_fixture.h"

namespace {

using frontend_testing::CensusAnswer;
using frontend_testing::FormFixture;
using frontend_testing::WriteBytes;
using TLines = std::vector<std::string>;
using TProgress = std::vector<std::pair<int, int>>;

constexpr const char* kHeader = R"("sumlev","year","acspgm","item1","item2","item3",)";
constexpr const char* kUnsuccessful =
    "message: Unsuccessful; check details in Geocode and Items edit boxes.";

class BatchRun : public FormFixture {
 protected:
  BatchRun() {
    FFake.Add("&for=county:059&in=state:06",
              {200, CensusAnswer(R"("NAME","B01001_001E","B19013_001E","state","county")",
                                 R"("Orange County, California","3164063","113702","06","059")")});
    FFake.Add(
        "&for=tract:216813&in=state:04%20county:013",
        {200,
         CensusAnswer(
             R"("NAME","B01001_001E","B19013_001E","state","county","tract")",
             R"("Census Tract 2168.13; Maricopa County; Arizona","4873","-666666666","04","013","216813")")});
    FFake.Add("&for=state:06", {200, CensusAnswer(R"("NAME","B01001_001E","B19013_001E","state")",
                                                  R"("California",null,"96334","06")")});
    FForm->FormShow();
  }
};

TEST_F(BatchRun, FillsTheGridAndTheCsvFile) {
  UseGeoList("050-23-5-06059\n140-22-5-04013216813\r\n040-23-5-06");
  FForm->Button2Click();

  EXPECT_EQ(FUi.Events, (TLines{"status: 1", "status: 2", "status: 3", "message: done"}));
  EXPECT_EQ(FUi.ProcessedMessages, 3);
  EXPECT_EQ(FUi.Progress, (TProgress{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
  EXPECT_EQ(FForm->Boxes().Items, "NAME,B01001_001E,B19013_001E");
  EXPECT_EQ(
      CsvLines(),
      (TLines{
          kHeader, R"("050","23","5","Orange County, California","3164063","113702","06","059")",
          R"("140","22","5","Census Tract 2168.13; Maricopa County; Arizona","4873","-6","04","013","216813")",
          R"("040","23","5","California","-1","96334","06")"}));
  const auto& grid = FForm->Grid();
  EXPECT_EQ(grid.RowCount(), 4);       // every result row lies inside the grid
  EXPECT_EQ(grid.ColCount(), 6 + 49);  // the last header's values (brackets count) + 49
  EXPECT_EQ(GridRow(0, 8),
            (TLines{"sumlev", "year1", "acspgm", "geoid", " Name", " TotPop", " MedHHInc", ""}));
  EXPECT_EQ(GridRow(1, 10), (TLines{"050", "23", "5", "06059", "Orange County, California",
                                    "3164063", "113702", "06", "059", ""}));
  EXPECT_EQ(GridRow(2, 11), (TLines{"140", "22", "5", "04013216813",
                                    "Census Tract 2168.13; Maricopa County; Arizona", "4873", "-6",
                                    "04", "013", "216813", ""}));
  EXPECT_EQ(GridRow(3, 9), (TLines{"040", "23", "5", "06", "California", "-1", "96334", "06", ""}));
  // The request carried the items read from the items file and the key.
  EXPECT_EQ(FServer.Targets()[0],
            "/data/2023/acs/"
            "acs5?get=NAME,B01001_001E,B19013_001E&for=county:059&in=state:06&key=testkey");
}

TEST_F(BatchRun, FailedGeographiesGetMinusOneValuesAndNeverAnEarlierAnswer) {
  FFake.Add("&for=state:01",
            {302, "", "text/html", "https://api.census.gov/data/missing_key.html"});
  FFake.Add("&for=state:02", {200, "<html><head><title>Invalid Key</title>", "text/html"});
  FFake.Add("&for=state:04", {204, ""});
  UseGeoList("040-23-5-01\n040-23-5-06\n040-23-5-02\n040-23-5-04\n");
  FForm->Boxes().ShowResult = true;
  FForm->Button2Click();

  EXPECT_EQ(FUi.Events, (TLines{"status: 1", kUnsuccessful, "status: 2",
                                R"(message: ["California",null,"96334","06"]])", "status: 3",
                                kUnsuccessful, "status: 4", kUnsuccessful, "message: done"}));
  // Before any answer, one value per requested item; after one, as many as it had.
  EXPECT_EQ(CsvLines(), (TLines{kHeader, R"("040","23","5","-1","-1","-1")",
                                R"("040","23","5","California","-1","96334","06")",
                                R"("040","23","5","-1","-1","-1","-1")",
                                R"("040","23","5","-1","-1","-1","-1")"}));
  EXPECT_EQ(FForm->Grid().RowCount(), 5);
  EXPECT_EQ(GridRow(0, 7),
            (TLines{"sumlev", "year1", "acspgm", "geoid", " Name", " TotPop", " MedHHInc"}));
  EXPECT_EQ(GridRow(1, 8), (TLines{"040", "23", "5", "01", "-1", "-1", "-1", ""}));
  EXPECT_EQ(GridRow(2, 8), (TLines{"040", "23", "5", "06", "California", "-1", "96334", "06"}));
  EXPECT_EQ(GridRow(4, 9), (TLines{"040", "23", "5", "04", "-1", "-1", "-1", "-1", ""}));
  // The failed last download left no answer behind to be taken for it.
  EXPECT_FALSE(std::filesystem::exists(FDir.File("answers/apifile.csv")));
}

TEST_F(BatchRun, RunsOneGeographyPerLineAndAtLeastOne) {
  struct TCase {
    const char* List;
    std::size_t Geographies;
  };
  const TCase cases[] = {
      {"", 1},  // an empty list still asks once, for an empty code
      {"040-23-5-06", 1},
      {"040-23-5-06\n", 1},
      {"040-23-5-06\n\n", 2},  // a blank line before the end is a geography
      {"040-23-5-06\n\n040-23-5-06\n", 3},
  };
  for (const auto& c : cases) {
    std::size_t before = FServer.Targets().size();
    FUi.Events.clear();
    FUi.Progress.clear();
    UseGeoList(c.List);
    FForm->Button2Click();
    EXPECT_EQ(FServer.Targets().size() - before, c.Geographies) << c.List;
    // The progress counts the geographies by the same rule before the first request.
    const int total = static_cast<int>(c.Geographies);
    EXPECT_EQ(FUi.Progress.front(), std::make_pair(0, total)) << c.List;
    EXPECT_EQ(FUi.Progress.back(), std::make_pair(total, total)) << c.List;
    EXPECT_EQ(FForm->Grid().RowCount(), static_cast<int>(c.Geographies) + 1) << c.List;
    EXPECT_EQ(FUi.Events.back(), "message: done") << c.List;
  }
  EXPECT_EQ(FServer.Targets()[0], "/data/20/acs/acs?get=NAME,B01001_001E,B19013_001E&key=testkey");
}

TEST_F(BatchRun, EachRunStartsAFreshGridAndWritesTheCsvHeaderAgain) {
  UseGeoList("050-23-5-06059\n140-22-5-04013216813\n040-23-5-06\n");
  FForm->Button2Click();
  UseGeoList("040-23-5-06\n");
  FForm->Button2Click();
  EXPECT_EQ(FForm->Grid().RowCount(), 2);
  EXPECT_EQ(GridRow(1, 5), (TLines{"040", "23", "5", "06", "California"}));
  EXPECT_EQ(GridRow(2, 5), (TLines(5, "")));
  TLines lines = CsvLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], kHeader);
}

TEST_F(BatchRun, MissingFilesEndTheRunInTheErrorBox) {
  FForm->Grid().SetCells(3, 2, "old");
  FForm->Boxes().ItemsFile = FDir.File("items_missing.txt");
  UseGeoList("040-23-5-06\n");
  FForm->Button2Click();
  EXPECT_EQ(FUi.Events, (TLines{"error: The specified file was not found."}));
  EXPECT_EQ(FForm->Grid().Cells(3, 2), "");  // the grid was cleared first
  EXPECT_EQ(FForm->Boxes().Items, frontend::kDefaultItems);

  FUi.Events.clear();
  FForm->Boxes().ItemsFile = FDir.File("items_acs_base.txt");
  FForm->Boxes().GeoListFile = FDir.File("geo_missing.txt");
  FForm->Boxes().Items = "B01001_001E";
  FForm->Button2Click();
  EXPECT_EQ(FUi.Events, (TLines{"error: The specified file was not found."}));
  EXPECT_EQ(FForm->Boxes().Items, "NAME,B01001_001E,B19013_001E");
  EXPECT_TRUE(FServer.Targets().empty());
}

TEST_F(BatchRun, AMissingAnswerFolderStopsTheRunWithErrorThree) {
  frontend::TFormSettings settings = Settings();
  settings.BatchAnswerFile = FDir.File("missing/apifile.csv");
  frontend::TForm1 form(FUi, FDownloader, settings);
  form.Boxes().ItemsFile = FDir.File("items_acs_base.txt");
  WriteBytes(FDir.File("geo_test.txt"), "040-23-5-06\n040-23-5-06\n");
  form.Boxes().GeoListFile = FDir.File("geo_test.txt");
  form.Button2Click();
  EXPECT_EQ(FUi.Events, (TLines{"status: 1", "error: Invalid file name - %s."}));
  EXPECT_TRUE(FServer.Targets().empty());
}

TEST_F(BatchRun, ACsvFileThatIsNotOpenEndsTheRun) {
  FForm->FormClose();
  UseGeoList("040-23-5-06\n");
  FForm->Button2Click();
  EXPECT_EQ(FUi.Events, (TLines{"status: 1", "error: I/O error 103."}));
}

TEST_F(BatchRun, ClicksDuringARunDoNothing) {
  UseGeoList("040-23-5-06\n050-23-5-06059\n");
  bool sawBusy = false;
  FUi.OnProcessMessages = [&] {
    sawBusy = sawBusy || FForm->IsBusy();
    FForm->Button2Click();
    FForm->Button1Click();
  };
  FForm->Button2Click();
  EXPECT_TRUE(sawBusy);
  EXPECT_FALSE(FForm->IsBusy());
  EXPECT_EQ(FServer.Targets().size(), 2u);
  EXPECT_EQ(FUi.Events, (TLines{"status: 1", "status: 2", "message: done"}));
}

TEST_F(BatchRun, AThousandGeographiesShareOneConnection) {
  std::string list;
  for (int i = 0; i < 1000; ++i) list += "040-23-5-06\n";
  UseGeoList(list);
  FForm->Button2Click();
  EXPECT_EQ(FUi.Events.back(), "message: done");
  EXPECT_EQ(FServer.Targets().size(), 1000u);
  EXPECT_EQ(FServer.ConnectionCount(), 1u);
  EXPECT_EQ(FForm->Grid().RowCount(), 1001);
  EXPECT_EQ(CsvLines().size(), 1001u);
}

}  // namespace
