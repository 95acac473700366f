// A TForm1 in a temporary folder, talking to the census stand-in on the local HTTPS server,
// with a recording user interface.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "census_fake.h"
#include "frontend/download/curl_downloader.h"
#include "frontend/form1.h"
#include "recording_interface.h"
#include "support/temp_dir.h"

namespace frontend_testing {

inline std::string ReadBytes(const std::string& APath) {
  std::ifstream in(APath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const std::string& APath, std::string_view ABytes) {
  std::ofstream(APath, std::ios::binary) << ABytes;
}

class FormFixture : public ::testing::Test {
 protected:
  FormFixture() {
    std::filesystem::create_directory(FDir.Path() / "answers");
    WriteBytes(FDir.File("items_acs_base.txt"),
               "NAME        Name\nB01001_001E TotPop\nB19013_001E MedHHInc\n");
    FForm = std::make_unique<frontend::TForm1>(FUi, FDownloader, Settings());
  }

  frontend::TFormSettings Settings() const {
    frontend::TFormSettings settings;
    settings.ProgramFolder = FDir.Path().string() + "/";
    settings.BatchAnswerFile = FDir.File("answers/apifile.csv");
    settings.SingleAnswerFile = FDir.File("apifile.csv");
    settings.CsvOutputFile = FDir.File("newfile.csv");
    settings.Service = {FServer.Base(), "testkey"};
    return settings;
  }

  // A geography list file in the folder, named in the GeoList File box.
  void UseGeoList(std::string_view AContent) {
    WriteBytes(FDir.File("geo_test.txt"), AContent);
    FForm->Boxes().GeoListFile = FDir.File("geo_test.txt");
  }

  // The CSV output file's lines (CR LF ends each).
  std::vector<std::string> CsvLines() const {
    std::string bytes = ReadBytes(FDir.File("newfile.csv"));
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos;
         start = end + 2)
      lines.push_back(bytes.substr(start, end - start));
    return lines;
  }

  // Cells 0 .. ACount-1 of a grid row.
  std::vector<std::string> GridRow(int ARow, int ACount) const {
    std::vector<std::string> cells;
    for (int col = 0; col < ACount; ++col) cells.push_back(FForm->Grid().Cells(col, ARow));
    return cells;
  }

  testing_support::TTempDir FDir;
  TCensusFake FFake;
  testing_support::THttpsTestServer FServer{FDir.Path(), FFake.Handler()};
  frontend::TCurlDownloader FDownloader{{FServer.CaFile()}};
  TRecordingInterface FUi;
  std::unique_ptr<frontend::TForm1> FForm;
};

}  // namespace frontend_testing
