// The window's tests, on Qt's offscreen platform unless another one is asked for.
#include <QApplication>

#include "application_setup.h"

int RunDesktopTests(int argc, char** argv);
int RunWindowTests(int argc, char** argv);
int RunRunTests(int argc, char** argv);

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  // Windows are closed and shown again across tests; none of that ends the application.
  application.setQuitOnLastWindowClosed(false);
  app::InstallWindowFont();
  int failures = 0;
  for (auto run : {RunDesktopTests, RunWindowTests, RunRunTests}) failures += run(argc, argv);
  return failures == 0 ? 0 : 1;
}
