#include <gtest/gtest.h>

#include "form_fixture.h"

namespace {

using frontend_testing::CensusAnswer;
using frontend_testing::FormFixture;
using frontend_testing::ReadBytes;
using frontend_testing::WriteBytes;
using TLines = std::vector<std::string>;

class RunOne : public FormFixture {
 protected:
  RunOne() {
    FFake.Add("&for=state:06",
              {200, CensusAnswer(R"("NAME","B01001_001E","state")", R"("California",null,"06")")});
    FFake.Add("&for=state:07", {200, "[[\"NAME\",\"state\"]]"});
    FForm->Boxes().Geocode = "040-23-5-06";
    FForm->Boxes().Items = "NAME,B01001_001E";
  }
};

TEST_F(RunOne, ShowsTheDataLineAsStored) {
  FForm->Button1Click();
  EXPECT_EQ(FUi.Events, (TLines{R"(message: ["California",null,"06"]])"}));
  EXPECT_EQ(FServer.Targets(),
            (TLines{"/data/2023/acs/acs5?get=NAME,B01001_001E&for=state:06&key=testkey"}));
  EXPECT_TRUE(ReadBytes(FDir.File("apifile.csv")).starts_with("[[\"NAME\""));
  // Nothing goes to the grid or the CSV file.
  EXPECT_EQ(FForm->Grid().Cells(0, 0), "");
  EXPECT_FALSE(std::filesystem::exists(FDir.File("newfile.csv")));

  // An answer of one line shows an empty box; an empty Items box still sends "?get=".
  FUi.Events.clear();
  FForm->Boxes().Geocode = "040-23-5-07";
  FForm->Boxes().Items = "";
  FForm->Button1Click();
  EXPECT_EQ(FUi.Events, (TLines{"message: "}));
  EXPECT_EQ(FServer.Targets().back(), "/data/2023/acs/acs5?get=&for=state:07&key=testkey");
}

TEST_F(RunOne, AFailedDownloadSaysSoAndKeepsTheEarlierAnswer) {
  WriteBytes(FDir.File("apifile.csv"), "earlier answer");
  FForm->Boxes().Geocode = "040-23-5-99";
  FForm->Button1Click();
  EXPECT_EQ(FUi.Events,
            (TLines{"message: Unsuccessful; check details in Geocode and Items edit boxes."}));
  EXPECT_EQ(FUi.ProcessedMessages, 1);
  EXPECT_EQ(ReadBytes(FDir.File("apifile.csv")), "earlier answer");
}

// Reports success and leaves the target as it finds it.
class TSilentDownloader : public frontend::TDownloader {
 public:
  void Download(const std::string&, const std::string&) override {}
};

TEST(RunOneAnswer, AnUnreadableAnswerGoesToTheErrorBox) {
  testing_support::TTempDir dir;
  TSilentDownloader downloader;
  frontend_testing::TRecordingInterface ui;
  frontend::TFormSettings settings;
  settings.SingleAnswerFile = dir.File("apifile.csv");
  frontend::TForm1 form(ui, downloader, settings);
  form.Button1Click();
  EXPECT_EQ(ui.Events, (TLines{"error: The specified file was not found."}));
}

}  // namespace
