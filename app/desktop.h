// What the window asks of the desktop: modal boxes, the file-open dialog and opening a file or
// an address with the user's associated program. The window's user interface decides what to
// show; a TDesktop only shows it, so tests put a recording one in place of the real boxes.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <optional>

class QWidget;

namespace app {

struct TBoxRequest {
  QString Caption;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
};

struct TFileRequest {
  QString NameFilter;  // Qt's notation, e.g. "Items files (items_*.txt)"
  QString Folder;      // where the dialog starts
};

class TDesktop {
 public:
  virtual ~TDesktop() = default;

  // Shows the box over AParent and waits for the user; the button that closed it.
  virtual QMessageBox::StandardButton ShowBox(QWidget* AParent, const TBoxRequest& ARequest) = 0;
  // A dialog that accepts existing files only; no value when the user cancels.
  virtual std::optional<QString> ChooseExistingFile(QWidget* AParent,
                                                    const TFileRequest& ARequest) = 0;
  // Failures are not reported.
  virtual void OpenUrl(const QUrl& AUrl) = 0;
};

// The real boxes and dialogs of Qt, and QDesktopServices.
class TQtDesktop : public TDesktop {
 public:
  QMessageBox::StandardButton ShowBox(QWidget* AParent, const TBoxRequest& ARequest) override;
  std::optional<QString> ChooseExistingFile(QWidget* AParent,
                                            const TFileRequest& ARequest) override;
  void OpenUrl(const QUrl& AUrl) override;
};

}  // namespace app
