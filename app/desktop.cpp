#include "desktop.h"

#include <QDesktopServices>
#include <QFileDialog>

namespace app {

QMessageBox::StandardButton TQtDesktop::ShowBox(QWidget* AParent, const TBoxRequest& ARequest) {
  QMessageBox box(ARequest.Icon, ARequest.Caption, ARequest.Text, ARequest.Buttons, AParent);
  // The text is the system's own, never markup.
  box.setTextFormat(Qt::PlainText);
  // Escape counts as the box's escape button: OK, or No in a Yes/No question.
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> TQtDesktop::ChooseExistingFile(QWidget* AParent,
                                                      const TFileRequest& ARequest) {
  QFileDialog dialog(AParent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(ARequest.NameFilter);
  dialog.setDirectory(ARequest.Folder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void TQtDesktop::OpenUrl(const QUrl& AUrl) {
  QDesktopServices::openUrl(AUrl);
}

}  // namespace app
