#include "qt_user_interface.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QStringList>

namespace app {

namespace {

QString FromUtf8(const std::string& AText) {
  return QString::fromStdString(AText);
}

}  // namespace

QString QtNameFilter(const QString& AFilter) {
  const QStringList parts = AFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

QUrl DocumentUrl(const QString& APathOrAddress) {
  if (APathOrAddress.contains(QStringLiteral("://"))) return QUrl(APathOrAddress);
  return QUrl::fromLocalFile(QFileInfo(APathOrAddress).absoluteFilePath());
}

TQtUserInterface::TQtUserInterface(QString ATitle, TDesktop& ADesktop, QWidget& AWindow,
                                   QLabel& AStatusPanel, QProgressBar& AProgress,
                                   std::function<void()> ARefreshView)
    : FTitle(std::move(ATitle)),
      FDesktop(ADesktop),
      FWindow(AWindow),
      FStatusPanel(AStatusPanel),
      FProgress(AProgress),
      FRefreshView(std::move(ARefreshView)) {}

void TQtUserInterface::ShowMessage(const std::string& AText) {
  FRefreshView();
  FDesktop.ShowBox(&FWindow, {FTitle, FromUtf8(AText), QMessageBox::NoIcon, QMessageBox::Ok});
}

void TQtUserInterface::ShowErrorBox(const std::string& AText) {
  FRefreshView();
  FDesktop.ShowBox(&FWindow, {FTitle, FromUtf8(AText), QMessageBox::Critical, QMessageBox::Ok});
}

bool TQtUserInterface::Confirm(const std::string& AText) {
  FRefreshView();
  return FDesktop.ShowBox(&FWindow, {FTitle, FromUtf8(AText), QMessageBox::Question,
                                     QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes;
}

std::optional<std::string> TQtUserInterface::OpenFileDialog(const std::string& AFilter,
                                                            const std::string& AInitialFolder) {
  auto chosen = FDesktop.ChooseExistingFile(
      &FWindow, {QtNameFilter(FromUtf8(AFilter)), FromUtf8(AInitialFolder)});
  if (!chosen) return std::nullopt;
  return chosen->toStdString();
}

void TQtUserInterface::ProcessMessages() {
  FRefreshView();
  QCoreApplication::processEvents();
}

void TQtUserInterface::SetStatusText(const std::string& AText) {
  FStatusPanel.setText(FromUtf8(AText));
}

void TQtUserInterface::SetProgress(int ADone, int ATotal) {
  FProgress.setRange(0, ATotal);
  FProgress.setValue(ADone);
  FProgress.show();
}

void TQtUserInterface::OpenDocument(const std::string& APathOrAddress) {
  FDesktop.OpenUrl(DocumentUrl(FromUtf8(APathOrAddress)));
}

}  // namespace app
