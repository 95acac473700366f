#include "application_setup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>

namespace app {

namespace {

constexpr int kFontPixels = 11;
const char* const kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                    "/usr/share/wine/fonts/tahomabd.ttf"};

// The family of the loaded Tahoma, or empty when it is not there.
QString LoadTahoma() {
  QString family;
  for (const char* file : kTahomaFiles) {
    const QString path = QString::fromUtf8(file);
    if (!QFile::exists(path)) continue;
    const int id = QFontDatabase::addApplicationFont(path);
    if (id >= 0 && family.isEmpty()) family = QFontDatabase::applicationFontFamilies(id).value(0);
  }
  return family;
}

}  // namespace

QFont WindowFont() {
  static const QString tahoma = LoadTahoma();
  QFont font(tahoma.isEmpty() ? QStringLiteral("Sans Serif") : tahoma);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kFontPixels);
  return font;
}

void InstallWindowFont() {
  QApplication::setFont(WindowFont());
}

QString ApplicationTitle() {
  return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

}  // namespace app
