// "Run One" and "Run" clicked in the window against the census stand-in on the local HTTPS
// server: the boxes, the grid view, the status panel and progress, the run buttons during a
// run, and errors that end a run.
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include "window_setup.h"

namespace {

using app_testing::ReadBytes;
using app_testing::TWindowSetup;
using frontend_testing::CensusAnswer;

const QString kUnsuccessful =
    QStringLiteral("Unsuccessful; check details in Geocode and Items edit boxes.");

// What the window showed at one moment of a run.
struct TSnapshot {
  QString Status;
  bool RunEnabled = true;
  bool RunOneEnabled = true;
  bool ProgressVisible = false;
  int ProgressValue = -1;
  int ProgressMaximum = -1;
  int Rows = -1;
  QString Row1Geoid;
};

class RunTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    FSetup = std::make_unique<TWindowSetup>();
    FSetup->Fake.Add("&for=state:06", {200, CensusAnswer(R"("NAME","B01001_001E","state")",
                                                         R"("California","39538223","06")")});
    FSetup->Fake.Add("&for=county:059&in=state:06",
                     {200, CensusAnswer(R"("NAME","B01001_001E","state","county")",
                                        R"("Orange County, California","3186989","06","059")")});
    FSetup->Fake.Add("&for=state:04", {200, CensusAnswer(R"("NAME","B01001_001E","state")",
                                                         R"("Arizona","7151502","04")")});
    FSetup->Show();
  }
  void cleanup() { FSetup.reset(); }

  void runOneShowsTheAnswerOfTheTypedGeocode() {
    QLineEdit* geocode = FSetup->Edit("geocodeEdit");
    geocode->clear();
    QTest::keyClicks(geocode, "040-23-5-06");
    FSetup->Click("runOneButton");
    geocode->clear();
    QTest::keyClicks(geocode, "040-23-5-99");  // the service knows no such state
    FSetup->Click("runOneButton");

    QCOMPARE(FSetup->Desktop.BoxTexts(),
             (QStringList{R"(["California","39538223","06"]])", kUnsuccessful}));
    for (const app::TBoxRequest& box : FSetup->Desktop.Boxes) {
      QCOMPARE(box.Caption, QStringLiteral("vexa2"));
      QCOMPARE(box.Icon, QMessageBox::NoIcon);
      QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QCOMPARE(
        FSetup->Server.Targets()[0],
        std::string("/data/2023/acs/acs5?get=NAME,B01001_001E,B19013_001E,B25077_001E,"
                    "B25064_001E,B25003_001E,B25003_002E,B25003_003E&for=state:06&key=testkey"));
    QVERIFY(FSetup->Button("runOneButton")->isEnabled());
  }

  void runFillsTheGridViewAndTheItemsBox() {
    FSetup->UseGeoList("040-23-5-06\n050-23-5-06059\n040-23-5-04\n");
    FSetup->Click("runButton");

    QCOMPARE(FSetup->Desktop.BoxTexts(), QStringList{"done"});
    QCOMPARE(FSetup->Edit("itemsEdit")->text(), QStringLiteral("NAME,B01001_001E"));
    QAbstractItemModel* model = FSetup->Find<QTableView>("gridView")->model();
    QCOMPARE(model->rowCount(), 4);
    const QStringList expected[] = {
        {"sumlev", "year1", "acspgm", "geoid", " Name", " TotPop", ""},
        {"040", "23", "5", "06", "California", "39538223", "06"},
        {"050", "23", "5", "06059", "Orange County, California", "3186989", "06"},
        {"040", "23", "5", "04", "Arizona", "7151502", "04"}};
    for (int row = 0; row < 4; ++row) {
      QStringList cells;
      for (int col = 0; col < 7; ++col) cells << model->index(row, col).data().toString();
      QCOMPARE(cells, expected[row]);
    }
    QCOMPARE(FSetup->Find<QLabel>("statusPanel")->text(), QStringLiteral("3"));
    QVERIFY(!FSetup->Find<QProgressBar>("progressBar")->isVisible());
    QVERIFY(FSetup->Button("runButton")->isEnabled());
    QVERIFY(FSetup->Button("runOneButton")->isEnabled());
    const std::string csv = ReadBytes(FSetup->Dir.File("newfile.csv"));
    QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 4);  // the header and one per geography
  }

  void duringARunTheWindowRepaintsAndKeepsRunsOut() {
    FSetup->UseGeoList("040-23-5-06\n050-23-5-06059\n040-23-5-04\n");
    FSetup->Find<QCheckBox>("showResultCheck")->click();
    // Each raw data line is shown in a box while the run goes on; look at the window then.
    std::vector<TSnapshot> snapshots;
    FSetup->Desktop.OnBox = [&] { snapshots.push_back(Snapshot()); };
    // And events are handled meanwhile: a timer fires, a click on "Run" is refused, and a
    // close waits for the run to end.
    bool timerSawBusy = false;
    std::function<void()> poll = [&] {
      if (!FSetup->Window->Form().IsBusy()) {
        QTimer::singleShot(0, poll);
        return;
      }
      timerSawBusy = true;
      FSetup->Click("runButton");
      FSetup->Click("runOneButton");
      FSetup->Window->close();
      QVERIFY(FSetup->Window->isVisible());
    };
    QTimer::singleShot(0, poll);
    FSetup->Click("runButton");

    QVERIFY(timerSawBusy);
    QCOMPARE(FSetup->Desktop.BoxTexts(),
             (QStringList{R"(["California","39538223","06"]])",
                          R"(["Orange County, California","3186989","06","059"]])",
                          R"(["Arizona","7151502","04"]])", "done"}));
    QCOMPARE(snapshots.size(), std::size_t{4});
    for (std::size_t k = 0; k < 3; ++k) {
      const TSnapshot& s = snapshots[k];
      QCOMPARE(s.Status, QString::number(k + 1));
      QVERIFY(!s.RunEnabled);
      QVERIFY(!s.RunOneEnabled);
      QVERIFY(s.ProgressVisible);
      QCOMPARE(s.ProgressValue, static_cast<int>(k));
      QCOMPARE(s.ProgressMaximum, 3);
    }
    // Geography 1's row came into the grid when geography 2 was placed below it.
    QCOMPARE(snapshots[2].Rows, 2);
    QCOMPARE(snapshots[2].Row1Geoid, QStringLiteral("06"));
    QCOMPARE(snapshots[3].ProgressValue, 3);  // "done"
    QCOMPARE(snapshots[3].Rows, 4);

    QCOMPARE(FSetup->Server.Targets().size(), std::size_t{3});  // no second run started
    QVERIFY(!FSetup->Window->isVisible());                      // the close came after the run
    QCOMPARE(FSetup->Window->Form().IsBusy(), false);
    FSetup->Desktop.Boxes.clear();
    FSetup->Window->Form().Button2Click();  // the CSV file was closed on the way out
    QCOMPARE(FSetup->Desktop.BoxTexts(), QStringList{"I/O error 103."});
  }

  void anErrorEndsTheRunInTheErrorBoxAndTheWindowStaysUsable() {
    FSetup->UseGeoList("040-23-5-06\n");
    FSetup->Edit("itemsFileEdit")
        ->setText(QString::fromStdString(FSetup->Dir.File("items_gone.txt")));
    FSetup->Click("runButton");
    QCOMPARE(FSetup->Desktop.Boxes.size(), std::size_t{1});
    const app::TBoxRequest& box = FSetup->Desktop.Boxes[0];
    QCOMPARE(box.Text, QStringLiteral("The specified file was not found."));
    QCOMPARE(box.Caption, QStringLiteral("vexa2"));
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(FSetup->Find<QTableView>("gridView")->model()->rowCount(), 1);  // cleared first
    QVERIFY(FSetup->Button("runButton")->isEnabled());

    FSetup->Edit("itemsFileEdit")
        ->setText(QString::fromStdString(FSetup->Dir.File("items_acs_base.txt")));
    FSetup->Click("runButton");
    QCOMPARE(FSetup->Desktop.BoxTexts().last(), QStringLiteral("done"));
    QCOMPARE(FSetup->Find<QTableView>("gridView")->model()->index(1, 4).data().toString(),
             QStringLiteral("California"));
  }

 private:
  TSnapshot Snapshot() const {
    QAbstractItemModel* model = FSetup->Find<QTableView>("gridView")->model();
    auto* progress = FSetup->Find<QProgressBar>("progressBar");
    return {FSetup->Find<QLabel>("statusPanel")->text(),
            FSetup->Button("runButton")->isEnabled(),
            FSetup->Button("runOneButton")->isEnabled(),
            progress->isVisible(),
            progress->value(),
            progress->maximum(),
            model->rowCount(),
            model->rowCount() > 1 ? model->index(1, 3).data().toString() : QString()};
  }

  std::unique_ptr<TWindowSetup> FSetup;
};

}  // namespace

int RunRunTests(int argc, char** argv) {
  RunTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "run_test.moc"
