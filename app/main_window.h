// The one window: the left panel, the results grid, the menu and the status bar, bound to the
// TForm1 controller. Start-up runs when the window is first shown, closing closes the CSV
// output file, and each button and the Guide command call their handler.
#pragma once

#include <QMainWindow>
#include <memory>

#include "control_panel.h"
#include "desktop.h"
#include "frontend/download/downloader.h"
#include "frontend/form1.h"
#include "frontend/form_settings.h"
#include "grid_table_model.h"
#include "grid_view.h"
#include "qt_user_interface.h"

class QLabel;
class QProgressBar;

namespace app {

class TMainWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 914;
  static constexpr int kClientHeight = 597;
  static constexpr int kStatusPanelWidth = 100;

  // ATitle is the caption of the window's boxes. ADownloader and ADesktop are not owned and
  // must outlive the window.
  TMainWindow(QString ATitle, frontend::TFormSettings ASettings, frontend::TDownloader& ADownloader,
              TDesktop& ADesktop, QWidget* AParent = nullptr);
  ~TMainWindow() override;

  frontend::TForm1& Form() noexcept { return *FForm; }

 protected:
  void showEvent(QShowEvent* AEvent) override;
  // A close asked for during a run waits until the run has ended.
  void closeEvent(QCloseEvent* AEvent) override;

 private:
  using THandler = void (frontend::TForm1::*)();

  void BuildMenu();
  void BuildStatusBar();
  void BindControls();
  // Controls and grid view from the form's boxes and grid.
  void RefreshView();
  void RunCommand(THandler AHandler);
  // A run: the commands that start another run or an export are disabled until it ends.
  void RunQuery(THandler AHandler);
  void SetRunCommandsEnabled(bool AEnabled);

  TControlPanel* FPanel;  // the widgets are owned by their Qt parents
  QLabel* FStatusPanel;
  QProgressBar* FProgress;
  TGridView* FGridView = nullptr;
  std::unique_ptr<TQtUserInterface> FUserInterface;
  std::unique_ptr<frontend::TForm1> FForm;
  std::unique_ptr<TGridTableModel> FGridModel;
  bool FStarted = false;
  bool FCloseRequested = false;
};

}  // namespace app
