#include "main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

#include "frontend/form_defaults.h"
#include "window_texts.h"

namespace app {

namespace {

void ShowText(QLineEdit& AEdit, const std::string& AText) {
  const QString text = QString::fromStdString(AText);
  // Only a real change, so that the cursor and undo history of an unchanged box stay; a new
  // text is shown from its start, as the user reads it.
  if (AEdit.text() == text) return;
  AEdit.setText(text);
  AEdit.setCursorPosition(0);
}

void BindText(QLineEdit& AEdit, std::string& ABox) {
  QObject::connect(&AEdit, &QLineEdit::textChanged,
                   [&ABox](const QString& AText) { ABox = AText.toStdString(); });
}

}  // namespace

TMainWindow::TMainWindow(QString ATitle, frontend::TFormSettings ASettings,
                         frontend::TDownloader& ADownloader, TDesktop& ADesktop, QWidget* AParent)
    : QMainWindow(AParent),
      FPanel(new TControlPanel),
      FStatusPanel(new QLabel),
      FProgress(new QProgressBar) {
  setWindowTitle(QString::fromUtf8(frontend::kFormCaption));
  FUserInterface = std::make_unique<TQtUserInterface>(
      std::move(ATitle), ADesktop, *this, *FStatusPanel, *FProgress, [this] { RefreshView(); });
  FForm = std::make_unique<frontend::TForm1>(*FUserInterface, ADownloader, std::move(ASettings));
  FGridModel = std::make_unique<TGridTableModel>(FForm->Grid());
  FGridView = new TGridView(*FGridModel);
  FGridView->setObjectName(QStringLiteral("gridView"));

  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FPanel);
  layout->addWidget(FGridView, 1);
  setCentralWidget(central);
  BuildMenu();
  BuildStatusBar();
  BindControls();
  RefreshView();

  resize(kClientWidth, kClientHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
  }
}

TMainWindow::~TMainWindow() {
  // The view lets go of the model before the model and the grid behind it go.
  FGridView->setModel(nullptr);
}

void TMainWindow::BuildMenu() {
  QMenuBar* menu = menuBar();
  for (const char* title : {kFileMenu, kDatabaseMenu, kToolsMenu, kOptionsMenu})
    menu->addMenu(QString::fromUtf8(title));
  QMenu* help = menu->addMenu(QString::fromUtf8(kHelpMenu));
  QAction* guide = help->addAction(QString::fromUtf8(kGuideCommand));
  guide->setObjectName(QStringLiteral("guideAction"));
  connect(guide, &QAction::triggered, this, [this] { RunCommand(&frontend::TForm1::Guide1Click); });
}

void TMainWindow::BuildStatusBar() {
  FStatusPanel->setObjectName(QStringLiteral("statusPanel"));
  FStatusPanel->setFixedWidth(kStatusPanelWidth);
  FStatusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  FProgress->setObjectName(QStringLiteral("progressBar"));
  FProgress->setMaximumWidth(200);
  FProgress->hide();
  statusBar()->addWidget(FStatusPanel);
  statusBar()->addWidget(FProgress);
}

void TMainWindow::BindControls() {
  const TPanelControls& c = FPanel->Controls();
  frontend::TFormBoxes& boxes = FForm->Boxes();
  BindText(*c.Geocode, boxes.Geocode);
  BindText(*c.Items, boxes.Items);
  BindText(*c.GeoListFile, boxes.GeoListFile);
  BindText(*c.ItemsFile, boxes.ItemsFile);
  BindText(*c.OutputFile, boxes.OutputFile);
  connect(c.ShowResult, &QCheckBox::toggled, this,
          [&boxes](bool AChecked) { boxes.ShowResult = AChecked; });

  connect(c.RunOne, &QPushButton::clicked, this,
          [this] { RunQuery(&frontend::TForm1::Button1Click); });
  connect(c.Run, &QPushButton::clicked, this,
          [this] { RunQuery(&frontend::TForm1::Button2Click); });
  connect(c.OpenItemsFile, &QPushButton::clicked, this,
          [this] { RunCommand(&frontend::TForm1::Button3Click); });
  connect(c.OpenGeoList, &QPushButton::clicked, this,
          [this] { RunCommand(&frontend::TForm1::Button4Click); });
  connect(c.ViewEdit, &QPushButton::clicked, this,
          [this] { RunCommand(&frontend::TForm1::Button9Click); });
}

void TMainWindow::RefreshView() {
  const TPanelControls& c = FPanel->Controls();
  const frontend::TFormBoxes& boxes = FForm->Boxes();
  ShowText(*c.Geocode, boxes.Geocode);
  ShowText(*c.Items, boxes.Items);
  ShowText(*c.GeoListFile, boxes.GeoListFile);
  ShowText(*c.ItemsFile, boxes.ItemsFile);
  ShowText(*c.OutputFile, boxes.OutputFile);
  c.ShowResult->setChecked(boxes.ShowResult);
  FGridModel->Refresh();
}

void TMainWindow::RunCommand(THandler AHandler) {
  ((*FForm).*AHandler)();
  RefreshView();
}

void TMainWindow::RunQuery(THandler AHandler) {
  SetRunCommandsEnabled(false);
  RunCommand(AHandler);
  FProgress->hide();
  SetRunCommandsEnabled(true);
  if (FCloseRequested) {
    FCloseRequested = false;
    close();
  }
}

void TMainWindow::SetRunCommandsEnabled(bool AEnabled) {
  const TPanelControls& c = FPanel->Controls();
  c.RunOne->setEnabled(AEnabled);
  c.Run->setEnabled(AEnabled);
}

void TMainWindow::showEvent(QShowEvent* AEvent) {
  QMainWindow::showEvent(AEvent);
  if (FStarted) return;
  FStarted = true;
  RunCommand(&frontend::TForm1::FormShow);
}

void TMainWindow::closeEvent(QCloseEvent* AEvent) {
  if (FForm->IsBusy()) {
    FCloseRequested = true;
    AEvent->ignore();
    return;
  }
  RunCommand(&frontend::TForm1::FormClose);
  AEvent->accept();
}

}  // namespace app
