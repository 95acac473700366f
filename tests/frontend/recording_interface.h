// A TUserInterface that records what the commands show, in order, and answers file dialogs
// with a preset choice.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "frontend/user_interface.h"

namespace frontend_testing {

class TRecordingInterface : public frontend::TUserInterface {
 public:
  // "message: TEXT", "error: TEXT", "confirm: TEXT", "status: TEXT", "open: PATH"; dialogs,
  // progress and processing of pending messages are kept apart so the sequence stays readable.
  std::vector<std::string> Events;
  std::vector<std::string> DialogFilters;
  std::vector<std::string> DialogFolders;
  std::optional<std::string> DialogChoice;
  bool ConfirmAnswer = false;
  std::vector<std::pair<int, int>> Progress;  // done, total
  int ProcessedMessages = 0;
  std::function<void()> OnProcessMessages;

  void ShowMessage(const std::string& AText) override { Events.push_back("message: " + AText); }
  void ShowErrorBox(const std::string& AText) override { Events.push_back("error: " + AText); }
  bool Confirm(const std::string& AText) override {
    Events.push_back("confirm: " + AText);
    return ConfirmAnswer;
  }
  std::optional<std::string> OpenFileDialog(const std::string& AFilter,
                                            const std::string& AInitialFolder) override {
    DialogFilters.push_back(AFilter);
    DialogFolders.push_back(AInitialFolder);
    return DialogChoice;
  }
  void ProcessMessages() override {
    ++ProcessedMessages;
    if (OnProcessMessages) OnProcessMessages();
  }
  void SetStatusText(const std::string& AText) override { Events.push_back("status: " + AText); }
  void SetProgress(int ADone, int ATotal) override { Progress.emplace_back(ADone, ATotal); }
  void OpenDocument(const std::string& APath) override { Events.push_back("open: " + APath); }
};

}  // namespace frontend_testing
