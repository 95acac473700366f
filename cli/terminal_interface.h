// The window's user interface on a terminal: plain messages on stdout, error boxes on stderr.
// There are no dialogs to answer and nothing to repaint.
#pragma once

#include "frontend/user_interface.h"

namespace cli {

class TTerminalInterface : public frontend::TUserInterface {
 public:
  void ShowMessage(const std::string& AText) override;
  void ShowErrorBox(const std::string& AText) override;
  // No: a script is never taken to agree.
  bool Confirm(const std::string&) override { return false; }
  // Cancelled: the commands that ask for a file take it from the command line instead.
  std::optional<std::string> OpenFileDialog(const std::string& AFilter,
                                            const std::string& AInitialFolder) override;
  void ProcessMessages() override {}
  // The geography counter and the progress are for a status bar; a script's output stays free
  // of them.
  void SetStatusText(const std::string&) override {}
  void SetProgress(int, int) override {}
  // Nothing is opened on behalf of a script.
  void OpenDocument(const std::string&) override {}

  bool ErrorShown() const noexcept { return FErrorShown; }

 private:
  bool FErrorShown = false;
};

}  // namespace cli
