// The window's left panel: the "Get One", "Run from File" and "Files" groups with their
// buttons, labelled edit boxes and check boxes.
#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace app {

// The panel's controls; the panel owns them (Qt's parent ownership).
struct TPanelControls {
  QPushButton* RunOne = nullptr;
  QLineEdit* Geocode = nullptr;
  QLineEdit* Items = nullptr;
  QPushButton* Run = nullptr;
  QCheckBox* ShowResult = nullptr;
  QPushButton* OpenGeoList = nullptr;
  QLineEdit* GeoListFile = nullptr;
  QPushButton* CreateXls = nullptr;
  QCheckBox* OpenXls = nullptr;
  QPushButton* OpenItemsFile = nullptr;
  QLineEdit* ItemsFile = nullptr;
  QPushButton* ViewEdit = nullptr;
  QLineEdit* OutputFile = nullptr;
};

class TControlPanel : public QWidget {
 public:
  static constexpr int kWidth = 185;

  explicit TControlPanel(QWidget* AParent = nullptr);

  const TPanelControls& Controls() const noexcept { return FControls; }

 private:
  TPanelControls FControls;
};

}  // namespace app
