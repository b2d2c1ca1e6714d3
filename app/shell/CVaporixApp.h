#pragma once

#include <QLatin1StringView>
#include <QStringList>
#include <memory>
#include <optional>

class QApplication;
class QPrinter;

namespace vaporix {

class CMainFrame;
class CVaporixDoc;
class ShellServices;
struct CommandLineRequest;

// The program: its settings names, the document, the main window and the
// start-up that follows the command line.
class CVaporixApp {
 public:
  // The settings (recent-file list) are kept under these names.
  static constexpr QLatin1StringView kOrganizationName{"Vaporix"};
  static constexpr QLatin1StringView kApplicationName{"Vaporix"};
  static constexpr QLatin1StringView kVersion{VAPORIX_VERSION};

  // Names the application (settings, message-box titles) and gives it its icon.
  static void Configure(QApplication& application);

  // `services` (not owned) answers the dialogs; null means the real dialogs.
  explicit CVaporixApp(ShellServices* services = nullptr);
  ~CVaporixApp();
  CVaporixApp(const CVaporixApp&) = delete;
  CVaporixApp& operator=(const CVaporixApp&) = delete;

  // Start-up as the command line asks. Answers the exit code when the
  // program is to end now (a print or screenshot request, a usage error or
  // a document that cannot be opened), nothing when the window is shown and
  // the event loop is to run.
  std::optional<int> InitInstance(const QStringList& arguments);

  CVaporixDoc& document() const { return *m_document; }
  CMainFrame& mainFrame() const { return *m_mainFrame; }

 private:
  int PrintFile(const CommandLineRequest& request);
  // Copies a made file to its place; a failed write is reported, giving 1.
  int CopyFile(const QString& from, const QString& to);
  int Screenshot(const CommandLineRequest& request);
  int RenderChart(const CommandLineRequest& request);
  // Opens `path` for a task without a window; errors go to the error output.
  bool OpenForTask(const QString& path);

  std::unique_ptr<ShellServices> m_ownServices;
  ShellServices* m_services;
  std::unique_ptr<CVaporixDoc> m_document;
  std::unique_ptr<CMainFrame> m_mainFrame;
};

}  // namespace vaporix
