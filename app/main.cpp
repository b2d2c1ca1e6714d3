#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "CVaporixApp.h"

namespace {

// Until the application stands, Qt's complaints about a missing display
// (a screenful, then an abort) become one line that says what to do.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  const bool platformMessage =
      context.category != nullptr && QByteArray(context.category).startsWith("qt.qpa");
  if (type == QtFatalMsg) {
    std::fputs(
        "vaporix: cannot open a graphical display; start it on a desktop, or set "
        "QT_QPA_PLATFORM=offscreen for --print, --print-to and --screenshot\n",
        stderr);
    std::_Exit(1);
  }
  if (!platformMessage) {
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  qInstallMessageHandler(StartupMessageHandler);
  QApplication application(argc, argv);
  qInstallMessageHandler(nullptr);
  vaporix::CVaporixApp::Configure(application);
  vaporix::CVaporixApp vaporixApp;
  if (const std::optional<int> exitCode = vaporixApp.InitInstance(QApplication::arguments())) {
    return *exitCode;
  }
  return QApplication::exec();
}
