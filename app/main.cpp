// vexa2: the one window of the census query tool.
#include <QApplication>

#include "application_setup.h"
#include "desktop.h"
#include "frontend/download/curl_downloader.h"
#include "frontend/form_settings.h"
#include "main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  app::InstallWindowFont();
  app::TQtDesktop desktop;
  frontend::TCurlDownloader downloader;
  app::TMainWindow window(app::ApplicationTitle(), frontend::DefaultFormSettings(), downloader,
                          desktop);
  window.show();
  return application.exec();
}
