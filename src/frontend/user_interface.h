// Everything the window's commands need from the user's desktop. The window implements it
// with its toolkit, the command-line twin with the terminal, tests with a recording fake.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace frontend {

class TUserInterface {
 public:
  virtual ~TUserInterface() = default;

  // A modal box with the text unchanged, the application title as caption, no icon, OK.
  virtual void ShowMessage(const std::string& AText) = 0;
  // The standard error box (error icon, OK); AText is already finished by ErrorBoxText.
  virtual void ShowErrorBox(const std::string& AText) = 0;
  // A modal question with Yes and No buttons and the application title as caption; true only
  // for Yes.
  virtual bool Confirm(const std::string& AText) = 0;
  // A file-open dialog for existing files only. AFilter is "Description|pattern", for example
  // "Items files|items_*.txt"; the dialog starts in AInitialFolder. No value when cancelled.
  virtual std::optional<std::string> OpenFileDialog(const std::string& AFilter,
                                                    const std::string& AInitialFolder) = 0;
  // Lets the window handle its pending events (repaint, clicks) in the middle of a command.
  virtual void ProcessMessages() = 0;
  // The first panel of the status bar.
  virtual void SetStatusText(const std::string& AText) = 0;
  // How far a batch run has come: ADone of ATotal geographies answered (0 <= ADone <= ATotal).
  virtual void SetProgress(int ADone, int ATotal) = 0;
  // Opens a file or an address with the user's associated program; failures are not reported.
  virtual void OpenDocument(const std::string& APathOrAddress) = 0;
};

// The error box's text: the message, then a full stop unless it ends in one of
// space ! " # $ % & ' ( ) * + , - . ;
std::string ErrorBoxText(std::string_view AMessage);

}  // namespace frontend
