#include <QApplication>

#include "CVaporixApp.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  vaporix::CVaporixApp::Configure(application);
  vaporix::CVaporixApp vaporixApp;
  if (const std::optional<int> exitCode = vaporixApp.InitInstance(QApplication::arguments())) {
    return *exitCode;
  }
  return QApplication::exec();
}
