// The window as the user first sees it, its start-up and close, the pickers, View/Edit and
// Guide, and the grid view over the grid model.
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QStatusBar>
#include <QtTest>

#include "application_setup.h"
#include "grid_table_model.h"
#include "window_setup.h"

namespace {

using app_testing::ReadBytes;
using app_testing::TWindowSetup;
using app_testing::WriteBytes;

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { FSetup = std::make_unique<TWindowSetup>(); }
  void cleanup() { FSetup.reset(); }

  void showsTheCaptionLayoutDefaultsAndHints() {
    FSetup->Show();
    app::TMainWindow& window = *FSetup->Window;
    QCOMPARE(window.windowTitle(), QStringLiteral("VEXA2 Quillane 2 Version 01.05.24.2"));
    QCOMPARE(window.size(), QSize(914, 597));
    QCOMPARE(FSetup->Find<QWidget>("controlPanel")->width(), 185);
    QCOMPARE(FSetup->Find<QLabel>("statusPanel")->width(), 100);
    QCOMPARE(FSetup->Find<QLabel>("statusPanel")->text(), QString());
    QVERIFY(!FSetup->Find<QProgressBar>("progressBar")->isVisible());
    QCOMPARE(QFontInfo(window.font()).pixelSize(), 11);
    QCOMPARE(QFontInfo(window.font()).family(), QStringLiteral("Tahoma"));

    QStringList groups;
    for (auto* group : window.findChildren<QGroupBox*>()) groups << group->title();
    QCOMPARE(groups, (QStringList{"Get One", "Run from File", "Files"}));
    const std::pair<const char*, const char*> buttons[] = {
        {"runOneButton", "Run One"},     {"runButton", "Run"},
        {"openGeoListButton", "Open"},   {"createXlsButton", "Create XLS"},
        {"openItemsFileButton", "Open"}, {"viewEditButton", "View/Edit"}};
    for (auto [name, caption] : buttons) QCOMPARE(FSetup->Button(name)->text(), caption);
    QCOMPARE(FSetup->Button("viewEditButton")->toolTip(), QStringLiteral("uses Notepad"));
    // The export's controls are there but have no command yet.
    QVERIFY(!FSetup->Button("createXlsButton")->isEnabled());

    const std::tuple<const char*, const char*, QString> edits[] = {
        {"geocodeEdit", "Geocode", "140-22-5-04013216813"},
        {"itemsEdit", "Items",
         "NAME,B01001_001E,B19013_001E,B25077_001E,B25064_001E,B25003_001E,B25003_002E,"
         "B25003_003E"},
        {"geoListFileEdit", "GeoList File", "geo_irvinesd.txt"},
        {"itemsFileEdit", "Subject Matter Items File Path/Name",
         QString::fromStdString(FSetup->Dir.File("items_acs_base.txt"))},
        {"outputFileEdit", "Output File Path/Name",
         QString::fromStdString(FSetup->Dir.File("items_acs_base.dbf"))}};
    for (const auto& [name, label, text] : edits) {
      QLineEdit* edit = FSetup->Edit(name);
      QCOMPARE(edit->text(), text);
      auto labels = window.findChildren<QLabel*>();
      auto found = std::find_if(labels.begin(), labels.end(),
                                [edit](QLabel* ALabel) { return ALabel->buddy() == edit; });
      QVERIFY(found != labels.end());
      QCOMPARE((*found)->text(), QString::fromUtf8(label));
    }
    QCOMPARE(FSetup->Edit("geocodeEdit")->toolTip(), QStringLiteral("sumlev-year-1/5-geocode"));
    for (const char* name : {"showResultCheck", "openXlsCheck"})
      QVERIFY(!FSetup->Find<QCheckBox>(name)->isChecked());
    QCOMPARE(FSetup->Find<QCheckBox>("showResultCheck")->text(), QStringLiteral("Show Result"));
    QCOMPARE(FSetup->Find<QCheckBox>("openXlsCheck")->text(), QStringLiteral("Open XLS"));

    QStringList menus;
    for (QAction* menu : window.menuBar()->actions()) {
      menus << menu->text();
      QStringList commands;
      for (QAction* command : menu->menu()->actions()) commands << command->text();
      QCOMPARE(commands, menu->text() == "&Help" ? QStringList{"&Guide"} : QStringList{});
    }
    QCOMPARE(menus, (QStringList{"&Fike", "&Database", "&Tools", "&Options", "&Help"}));

    auto* view = FSetup->Find<QTableView>("gridView");
    QCOMPARE(view->model()->columnCount(), 5);
    QCOMPARE(view->model()->rowCount(), 10);
    QVERIFY(FSetup->Desktop.Boxes.empty());
  }

  void startUpRunsOnceAndCreatesTheCsvFile() {
    WriteBytes(FSetup->Dir.File("newfile.csv"), "an earlier run");
    FSetup->Show();
    QCOMPARE(ReadBytes(FSetup->Dir.File("newfile.csv")), std::string());
    FSetup->Window->hide();
    FSetup->Window->show();
    // Start-up prefixes the program folder once only.
    QCOMPARE(FSetup->Window->Form().Boxes().ItemsFile, FSetup->Dir.File("items_acs_base.txt"));
  }

  void anErrorAtStartUpIsShownAndTheWindowOpens() {
    std::filesystem::create_directory(FSetup->Dir.Path() / "newfile.csv");  // in the way
    FSetup->Show();
    QCOMPARE(FSetup->Desktop.Boxes.size(), std::size_t{1});
    const app::TBoxRequest& box = FSetup->Desktop.Boxes[0];
    QCOMPARE(box.Caption, QStringLiteral("vexa2"));
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.Text, QStringLiteral("I/O error %1.").arg(EISDIR));
    QVERIFY(FSetup->Window->isVisible());
    QCOMPARE(FSetup->Edit("outputFileEdit")->text(),
             QString::fromStdString(FSetup->Dir.File("items_acs_base.dbf")));
  }

  void pickersChangeTheBoxesOnlyWhenConfirmed() {
    FSetup->Show();
    QLineEdit* items = FSetup->Edit("itemsFileEdit");
    QLineEdit* output = FSetup->Edit("outputFileEdit");
    QLineEdit* geoList = FSetup->Edit("geoListFileEdit");
    const QStringList before{items->text(), output->text(), geoList->text()};
    FSetup->Click("openItemsFileButton");
    FSetup->Click("openGeoListButton");
    QCOMPARE((QStringList{items->text(), output->text(), geoList->text()}), before);
    const auto& requests = FSetup->Desktop.FileRequests;
    QCOMPARE(requests.size(), std::size_t{2});
    QCOMPARE(requests[0].NameFilter, QStringLiteral("Items files (items_*.txt)"));
    QCOMPARE(requests[1].NameFilter, QStringLiteral("GeoList files (geo_*.txt)"));
    QCOMPARE(requests[0].Folder, QDir::currentPath());

    FSetup->Desktop.FileChoice = QStringLiteral("/data/items_income.txt");
    FSetup->Click("openItemsFileButton");
    QCOMPARE(items->text(), QStringLiteral("/data/items_income.txt"));
    QCOMPARE(output->text(), QStringLiteral("/data/items_income.dbf"));
    FSetup->Desktop.FileChoice = QStringLiteral("/data/geo_ca.txt");
    FSetup->Click("openGeoListButton");
    QCOMPARE(geoList->text(), QStringLiteral("/data/geo_ca.txt"));
    QCOMPARE(output->text(), QStringLiteral("/data/items_income.dbf"));
    QCOMPARE(FSetup->Window->Form().Boxes().GeoListFile, std::string("/data/geo_ca.txt"));
    QVERIFY(FSetup->Desktop.Boxes.empty());
  }

  void viewEditAndGuideOpenWithTheDesktop() {
    FSetup->Show();
    FSetup->Click("viewEditButton");
    FSetup->Window->findChild<QAction*>("guideAction")->trigger();
    QCOMPARE(
        FSetup->Desktop.OpenedUrls,
        (std::vector<QUrl>{
            QUrl::fromLocalFile(QString::fromStdString(FSetup->Dir.File("items_acs_base.txt"))),
            QUrl("https://www.census.gov/data/developers/guidance/api-user-guide.html")}));

    const QString gone = QString::fromStdString(FSetup->Dir.File("items_gone.txt"));
    FSetup->Edit("itemsFileEdit")->setText(gone);
    FSetup->Click("viewEditButton");
    QCOMPARE(FSetup->Desktop.BoxTexts(), QStringList{"File not found, cannot open: " + gone});
    QCOMPARE(FSetup->Desktop.Boxes[0].Icon, QMessageBox::NoIcon);
    QCOMPARE(FSetup->Desktop.OpenedUrls.size(), std::size_t{2});
  }

  void closingClosesTheCsvFile() {
    FSetup->Show();
    FSetup->Window->close();
    QVERIFY(!FSetup->Window->isVisible());
    FSetup->UseGeoList("040-23-5-06\n");
    FSetup->Window->Form().Button2Click();
    QCOMPARE(FSetup->Desktop.BoxTexts(), QStringList{"I/O error 103."});
  }

  void theViewShowsWhatTheGridHolds() {
    FSetup->Show();
    grid::TSpreadGrid& grid = FSetup->Window->Form().Grid();
    auto* view = FSetup->Find<QTableView>("gridView");
    QAbstractItemModel* model = view->model();
    auto* adapter = qobject_cast<app::TGridTableModel*>(model);
    grid.SetCells(0, 12, "beyond");
    grid.SetCells(1, 2, "=A1+1");
    adapter->Refresh();
    QCOMPARE(model->rowCount(), 10);
    QCOMPARE(model->index(2, 1).data().toString(), QStringLiteral("=A1+1"));  // as typed
    grid.SetRowCount(13);
    grid.SetColCount(7);
    adapter->Refresh();
    QCOMPARE(model->rowCount(), 13);
    QCOMPARE(model->columnCount(), 7);
    QCOMPARE(view->verticalHeader()->count(), 13);
    QCOMPARE(model->index(12, 0).data().toString(), QStringLiteral("beyond"));
    QCOMPARE(model->headerData(6, Qt::Horizontal).toString(), QStringLiteral("G"));
    QCOMPARE(model->headerData(12, Qt::Vertical).toString(), QStringLiteral("13"));
  }

  void editsAndSizesGoIntoTheGrid() {
    FSetup->Show();
    grid::TSpreadGrid& grid = FSetup->Window->Form().Grid();
    auto* view = FSetup->Find<QTableView>("gridView");
    FSetup->Window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FSetup->Window.get()));
    view->setFocus();
    view->setCurrentIndex(view->model()->index(3, 2));
    QTest::keyClick(view, '=');  // typing into a cell opens its editor
    QTest::keyClicks(QApplication::focusWidget(), "B2*2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(grid.Cells(2, 3), std::string("=B2*2"));  // the editor commits when idle
    QCOMPARE(view->model()->index(3, 2).data().toString(), QStringLiteral("=B2*2"));

    QCOMPARE(view->columnWidth(1), grid.ColWidth(1));
    QCOMPARE(view->rowHeight(1), grid.RowHeight(1));
    view->horizontalHeader()->resizeSection(1, 120);
    view->verticalHeader()->resizeSection(4, 40);
    QCOMPARE(grid.ColWidth(1), 120);
    QCOMPARE(grid.RowHeight(4), 40);
    // A row that leaves the grid and comes back keeps the height the grid kept for it.
    auto* adapter = qobject_cast<app::TGridTableModel*>(view->model());
    grid.SetRowCount(2);
    adapter->Refresh();
    grid.SetRowCount(10);
    adapter->Refresh();
    QCOMPARE(view->rowHeight(4), 40);
    QCOMPARE(grid.RowHeight(4), 40);
  }

  void columnNamesFollowTheSheet_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 0 << "A";
    QTest::newRow("last single") << 25 << "Z";
    QTest::newRow("first double") << 26 << "AA";
    QTest::newRow("AZ") << 51 << "AZ";
    QTest::newRow("last double") << 701 << "ZZ";
    QTest::newRow("first triple") << 702 << "AAA";
    QTest::newRow("sheet's last") << 255 << "IV";
  }
  void columnNamesFollowTheSheet() {
    QFETCH(int, column);
    QFETCH(QString, name);
    QCOMPARE(app::ColumnName(column), name);
  }

 private:
  std::unique_ptr<TWindowSetup> FSetup;
};

}  // namespace

int RunWindowTests(int argc, char** argv) {
  WindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
