// The window's TUserInterface: boxes with the application title as caption, the file-open
// dialog, the status bar's panel and progress indicator, and the processing of pending events
// in the middle of a run.
#pragma once

#include <QString>
#include <functional>

#include "desktop.h"
#include "frontend/user_interface.h"

class QLabel;
class QProgressBar;
class QWidget;

namespace app {

// "Items files|items_*.txt" as Qt writes a name filter: "Items files (items_*.txt)". Several
// "description|patterns" pairs become several filters; patterns separated by ";" become one
// filter with several patterns.
QString QtNameFilter(const QString& AFilter);

// A local path (made absolute) or an address with a scheme.
QUrl DocumentUrl(const QString& APathOrAddress);

class TQtUserInterface : public frontend::TUserInterface {
 public:
  // Nothing is owned. ARefreshView brings the window's controls up to date with the form; it
  // runs before pending events are processed, here or in a modal box's own event loop, so that
  // the window paints what a run has done so far.
  TQtUserInterface(QString ATitle, TDesktop& ADesktop, QWidget& AWindow, QLabel& AStatusPanel,
                   QProgressBar& AProgress, std::function<void()> ARefreshView);

  void ShowMessage(const std::string& AText) override;
  void ShowErrorBox(const std::string& AText) override;
  bool Confirm(const std::string& AText) override;
  std::optional<std::string> OpenFileDialog(const std::string& AFilter,
                                            const std::string& AInitialFolder) override;
  void ProcessMessages() override;
  void SetStatusText(const std::string& AText) override;
  // Shows the progress indicator; the window hides it when the run has ended.
  void SetProgress(int ADone, int ATotal) override;
  void OpenDocument(const std::string& APathOrAddress) override;

 private:
  QString FTitle;
  TDesktop& FDesktop;
  QWidget& FWindow;
  QLabel& FStatusPanel;
  QProgressBar& FProgress;
  std::function<void()> FRefreshView;
};

}  // namespace app
