#pragma once

#include <QDir>
#include <QMainWindow>

class QTextBrowser;

namespace vaporix {

class ShellServices;

// Where the help pages are: "help" beside the program (the build tree), or
// "share/vaporix/help" of the install prefix. Empty when neither holds the
// contents page.
QString FindHelpDirectory(const QString& programDirectory);

// A window that shows the HTML help pages with back and forward buttons;
// links to mail and web addresses go to the desktop's handlers.
class CHelpWindow : public QMainWindow {
  Q_OBJECT

 public:
  CHelpWindow(const QString& helpDirectory, ShellServices& services);

  // Shows the contents page.
  void ShowContents();
  // Shows a page of the help folder by file name.
  void ShowPage(const QString& name);

  // Version, Qt version and operating system, for a fault report.
  static QString SystemSummary();

  QTextBrowser& browser() const { return *m_browser; }

 private:
  QDir m_helpDirectory;
  ShellServices& m_services;
  QTextBrowser* m_browser;
};

}  // namespace vaporix
