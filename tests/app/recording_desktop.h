// A TDesktop that records the boxes, file dialogs and opened addresses the window asks for and
// answers at once, so the window's tests run without a modal box ever waiting for a user.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "desktop.h"

namespace app_testing {

class TRecordingDesktop : public app::TDesktop {
 public:
  std::vector<app::TBoxRequest> Boxes;
  std::vector<app::TFileRequest> FileRequests;
  std::vector<QUrl> OpenedUrls;
  QMessageBox::StandardButton BoxAnswer = QMessageBox::Ok;
  std::optional<QString> FileChoice;  // none: the user cancels
  std::function<void()> OnBox;        // runs while the box would be on screen

  QMessageBox::StandardButton ShowBox(QWidget*, const app::TBoxRequest& ARequest) override {
    Boxes.push_back(ARequest);
    if (OnBox) OnBox();
    return BoxAnswer;
  }
  std::optional<QString> ChooseExistingFile(QWidget*, const app::TFileRequest& ARequest) override {
    FileRequests.push_back(ARequest);
    return FileChoice;
  }
  void OpenUrl(const QUrl& AUrl) override { OpenedUrls.push_back(AUrl); }

  // The texts of the boxes shown so far.
  QStringList BoxTexts() const {
    QStringList texts;
    for (const auto& box : Boxes) texts << box.Text;
    return texts;
  }
};

}  // namespace app_testing
