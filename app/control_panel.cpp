#include "control_panel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/form_defaults.h"
#include "window_texts.h"

namespace app {

namespace {

QVBoxLayout* AddGroup(QVBoxLayout& APanel, const char* ATitle) {
  auto* group = new QGroupBox(QString::fromUtf8(ATitle));
  auto* layout = new QVBoxLayout(group);
  layout->setSpacing(4);
  APanel.addWidget(group);
  return layout;
}

QPushButton* AddButton(QVBoxLayout& AGroup, const char* ACaption, const char* AName) {
  auto* button = new QPushButton(QString::fromUtf8(ACaption));
  button->setObjectName(QString::fromUtf8(AName));
  AGroup.addWidget(button);
  return button;
}

QCheckBox* AddCheckBox(QVBoxLayout& AGroup, const char* ACaption, const char* AName) {
  auto* check = new QCheckBox(QString::fromUtf8(ACaption));
  check->setObjectName(QString::fromUtf8(AName));
  AGroup.addWidget(check);
  return check;
}

// An edit box with its label above it.
QLineEdit* AddLabeledEdit(QVBoxLayout& AGroup, const char* ALabel, const char* AName) {
  auto* label = new QLabel(QString::fromUtf8(ALabel));
  label->setWordWrap(true);  // the longest labels are wider than the panel
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromUtf8(AName));
  label->setBuddy(edit);
  AGroup.addSpacing(2);
  AGroup.addWidget(label);
  AGroup.addWidget(edit);
  return edit;
}

}  // namespace

TControlPanel::TControlPanel(QWidget* AParent) : QWidget(AParent) {
  setObjectName(QStringLiteral("controlPanel"));
  setFixedWidth(kWidth);
  auto* panel = new QVBoxLayout(this);
  panel->setContentsMargins(4, 4, 4, 4);
  TPanelControls& c = FControls;

  QVBoxLayout* getOne = AddGroup(*panel, kGetOneGroup);
  c.RunOne = AddButton(*getOne, kRunOneButton, "runOneButton");
  c.Geocode = AddLabeledEdit(*getOne, kGeocodeLabel, "geocodeEdit");
  c.Geocode->setToolTip(QString::fromUtf8(frontend::kGeocodeHint));
  c.Items = AddLabeledEdit(*getOne, kItemsLabel, "itemsEdit");

  QVBoxLayout* runFromFile = AddGroup(*panel, kRunFromFileGroup);
  c.Run = AddButton(*runFromFile, kRunButton, "runButton");
  c.ShowResult = AddCheckBox(*runFromFile, kShowResultCheck, "showResultCheck");
  c.OpenGeoList = AddButton(*runFromFile, kOpenButton, "openGeoListButton");
  c.GeoListFile = AddLabeledEdit(*runFromFile, kGeoListLabel, "geoListFileEdit");
  c.CreateXls = AddButton(*runFromFile, kCreateXlsButton, "createXlsButton");
  c.OpenXls = AddCheckBox(*runFromFile, kOpenXlsCheck, "openXlsCheck");
  // The workbook export is not part of this program yet: its button and check box are shown
  // where they belong but cannot be used.
  c.CreateXls->setEnabled(false);
  c.OpenXls->setEnabled(false);

  QVBoxLayout* files = AddGroup(*panel, kFilesGroup);
  c.OpenItemsFile = AddButton(*files, kOpenButton, "openItemsFileButton");
  c.ItemsFile = AddLabeledEdit(*files, kItemsFileLabel, "itemsFileEdit");
  c.ViewEdit = AddButton(*files, kViewEditButton, "viewEditButton");
  c.ViewEdit->setToolTip(QString::fromUtf8(kViewEditHint));
  c.OutputFile = AddLabeledEdit(*files, kOutputFileLabel, "outputFileEdit");

  panel->addStretch(1);
}

}  // namespace app
