// The real boxes and file dialog behind the window's user interface, answered from inside
// their own event loops, and the translations the user interface makes for them.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>

#include "qt_user_interface.h"
#include "recording_desktop.h"
#include "support/temp_dir.h"

namespace {

// Polls (every 10 ms, for up to five seconds) for the next modal widget of type TModal and hands
// it to AAnswer until that widget has gone. A modal still open at the end is rejected, so the test
// fails instead of waiting.
template <class TModal>
void AnswerNextModal(std::function<void(TModal&)> AAnswer) {
  struct TState {
    QElapsedTimer Clock;
    bool Found = false;
    QPointer<TModal> Modal;  // null again once the modal is destroyed
  };
  auto* timer = new QTimer;
  auto state = std::make_shared<TState>();
  state->Clock.start();
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, state, AAnswer] {
    const bool inTime = !state->Clock.hasExpired(5000);
    if (!state->Found && inTime) {
      state->Modal = qobject_cast<TModal*>(QApplication::activeModalWidget());
      state->Found = !state->Modal.isNull();
      if (!state->Found) return;  // not there yet
    }
    TModal* modal = state->Modal.data();
    const bool open = modal != nullptr && modal->isVisible();
    if (open && inTime) {
      AAnswer(*modal);
      return;
    }
    timer->stop();
    timer->deleteLater();
    if (open) static_cast<QDialog*>(modal)->reject();
  });
  timer->start();
}

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void aBoxShowsItsRequestAndReportsTheButton() {
    app::TQtDesktop desktop;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    AnswerNextModal<QMessageBox>([&](QMessageBox& ABox) {
      caption = ABox.windowTitle();
      text = ABox.text();
      icon = ABox.icon();
      buttons = ABox.standardButtons();
      ABox.button(QMessageBox::No)->click();
    });
    auto pressed = desktop.ShowBox(nullptr, {"vexa2", "<b>File x</b> exists", QMessageBox::Question,
                                             QMessageBox::Yes | QMessageBox::No});
    QCOMPARE(pressed, QMessageBox::No);
    QCOMPARE(caption, QStringLiteral("vexa2"));
    QCOMPARE(text, QStringLiteral("<b>File x</b> exists"));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);

    AnswerNextModal<QMessageBox>([](QMessageBox& ABox) {
      QCOMPARE(ABox.textFormat(), Qt::PlainText);  // the system's texts are never markup
      QTest::keyClick(&ABox, Qt::Key_Escape);
    });
    QCOMPARE(desktop.ShowBox(nullptr, {"vexa2", "done", QMessageBox::NoIcon, QMessageBox::Ok}),
             QMessageBox::Ok);
  }

  void theFileDialogStartsInTheFolderWithTheFilter() {
    testing_support::TTempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    const QString chosenFile = QString::fromStdString(dir.File("items_income.txt"));
    QFile(chosenFile).open(QIODevice::WriteOnly);
    app::TQtDesktop desktop;
    const app::TFileRequest request{"Items files (items_*.txt)", folder};

    QStringList filters;
    QString shownFolder;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    AnswerNextModal<QFileDialog>([&](QFileDialog& ADialog) {
      filters = ADialog.nameFilters();
      shownFolder = ADialog.directory().absolutePath();
      mode = ADialog.fileMode();
      ADialog.reject();
    });
    QCOMPARE(desktop.ChooseExistingFile(nullptr, request), std::optional<QString>());
    QCOMPARE(filters, QStringList{"Items files (items_*.txt)"});
    QCOMPARE(shownFolder, folder);
    QCOMPARE(mode, QFileDialog::ExistingFile);

    AnswerNextModal<QFileDialog>([&](QFileDialog& ADialog) {
      // As the user does it: the path typed into the file name box, then Return.
      auto* name = ADialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      QVERIFY(name != nullptr);
      name->setText(chosenFile);
      QTest::keyClick(name, Qt::Key_Return);
    });
    QCOMPARE(desktop.ChooseExistingFile(nullptr, request), std::optional<QString>(chosenFile));
  }

  void confirmAsksYesOrNo() {
    app_testing::TRecordingDesktop desktop;
    QWidget window;
    QLabel panel;
    QProgressBar progress;
    int refreshes = 0;
    app::TQtUserInterface ui("vexa2", desktop, window, panel, progress, [&] { ++refreshes; });
    desktop.BoxAnswer = QMessageBox::Yes;
    QVERIFY(ui.Confirm("File a.xls already exists\rOk to overwrite ?"));
    desktop.BoxAnswer = QMessageBox::No;
    QVERIFY(!ui.Confirm("File a.xls already exists\rOk to overwrite ?"));
    const app::TBoxRequest& box = desktop.Boxes[0];
    QCOMPARE(box.Caption, QStringLiteral("vexa2"));
    QCOMPARE(box.Text, QStringLiteral("File a.xls already exists\rOk to overwrite ?"));
    QCOMPARE(box.Icon, QMessageBox::Question);
    QCOMPARE(box.Buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(refreshes, 2);  // the window behind the box is brought up to date first
  }

  void nameFiltersInQtNotation_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one pattern") << "Items files|items_*.txt"
                                 << "Items files (items_*.txt)";
    QTest::newRow("several patterns") << "Lists|geo_*.txt;*.csv"
                                      << "Lists (geo_*.txt *.csv)";
    QTest::newRow("several filters") << "Items|items_*.txt|All files|*"
                                     << "Items (items_*.txt);;All files (*)";
  }
  void nameFiltersInQtNotation() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(app::QtNameFilter(filter), expected);
  }

  void documentsOpenAsFilesOrAddresses() {
    QCOMPARE(app::DocumentUrl("https://www.census.gov/data.html"),
             QUrl("https://www.census.gov/data.html"));
    QCOMPARE(app::DocumentUrl("/data/items #1.txt"), QUrl::fromLocalFile("/data/items #1.txt"));
    QCOMPARE(app::DocumentUrl("items.txt"),
             QUrl::fromLocalFile(QDir::current().absoluteFilePath("items.txt")));
  }
};

}  // namespace

int RunDesktopTests(int argc, char** argv) {
  DesktopTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
