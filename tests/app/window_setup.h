// A main window in a temporary folder that serves as program folder and working folder,
// talking to the census stand-in on the local HTTPS server, with a recording desktop.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <memory>

#include "frontend/census_fake.h"
#include "frontend/download/curl_downloader.h"
#include "main_window.h"
#include "recording_desktop.h"
#include "support/temp_dir.h"

namespace app_testing {

inline void WriteBytes(const std::string& APath, std::string_view ABytes) {
  std::ofstream(APath, std::ios::binary) << ABytes;
}

inline std::string ReadBytes(const std::string& APath) {
  std::ifstream in(APath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct TWindowSetup {
  TWindowSetup() {
    std::filesystem::create_directory(Dir.Path() / "answers");
    WriteBytes(Dir.File("items_acs_base.txt"), "NAME        Name\nB01001_001E TotPop\n");
    frontend::TFormSettings settings;
    settings.ProgramFolder = Dir.Path().string() + "/";
    settings.BatchAnswerFile = Dir.File("answers/apifile.csv");
    settings.SingleAnswerFile = Dir.File("apifile.csv");
    settings.CsvOutputFile = Dir.File("newfile.csv");
    settings.Service = {Server.Base(), "testkey"};
    Window = std::make_unique<app::TMainWindow>("vexa2", settings, Downloader, Desktop);
  }

  // Shows the window, which runs start-up.
  void Show() {
    Window->show();
    QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
  }

  template <class TWidget>
  TWidget* Find(const char* AName) const {
    auto* widget = Window->findChild<TWidget*>(QString::fromUtf8(AName));
    if (widget == nullptr) qFatal("no widget %s", AName);
    return widget;
  }
  QLineEdit* Edit(const char* AName) const { return Find<QLineEdit>(AName); }
  QPushButton* Button(const char* AName) const { return Find<QPushButton>(AName); }
  void Click(const char* AButton) const { QTest::mouseClick(Button(AButton), Qt::LeftButton); }

  // A geography list file in the folder, named in the GeoList File box as the user types it.
  void UseGeoList(std::string_view AContent) {
    WriteBytes(Dir.File("geo_test.txt"), AContent);
    Edit("geoListFileEdit")->setText(QString::fromStdString(Dir.File("geo_test.txt")));
  }

  testing_support::TTempDir Dir;
  frontend_testing::TCensusFake Fake;
  testing_support::THttpsTestServer Server{Dir.Path(), Fake.Handler()};
  frontend::TCurlDownloader Downloader{{Server.CaFile()}};
  TRecordingDesktop Desktop;
  std::unique_ptr<app::TMainWindow> Window;
};

}  // namespace app_testing
