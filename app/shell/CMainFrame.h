#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

#include "CHelpWindow.h"
#include "RecentFileList.h"

class QLabel;
class QMenu;
class QPrinter;
class QTimer;
class QToolBar;

namespace vaporix {

class CCaptionSplWnd;
class CCaptionView;
class COutputView;
class CSplWnd;
class CVaporixDoc;
class InputPane;
class COutputDocumentView;
class ShellServices;

// The main window: toolbar, status bar, and the banner, the input pane and
// the output pane in splitters; it carries out the menu commands.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // Result rows the output pane shows at start.
  static constexpr int kOutputPaneRows = 6;
  static constexpr int kMinimumWidth = 640;
  static constexpr int kMinimumHeight = 480;
  static constexpr int kOutputRow = 1;

  // Every command of the menus, the toolbar and the shortcuts.
  enum class Command {
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FileExport,
    FilePrint,
    FilePrintPreview,
    FilePrintSetup,
    FileExportDiagram,
    AppExit,
    EditCopy,
    EditPaste,
    EditCut,
    EditUndo,
    ViewToolbar,
    ViewStatusBar,
    ViewOutputPane,
    HelpContents,
    ReportBug,
    RequestFeature,
    VaporixNews,
    AppAbout,
    NextPane,
    PreviousPane,
  };

  // The pane whose copy and print commands apply.
  enum class Pane { Input, Output };

  // `document` and `services` must outlive the window.
  CMainFrame(CVaporixDoc& document, ShellServices& services, QWidget* parent = nullptr);
  ~CMainFrame() override;

  QAction& action(Command command) const;
  // Enables the commands and sets the check marks as the state allows.
  void UpdateCommandUI();

  // File commands; the ones that answer false were cancelled or failed.
  void OnFileNew();
  void OnFileOpen();
  bool OnFileSave();
  bool OnFileSaveAs();
  // Writes a CSV file: the table of the tables page while the input pane
  // shows one, else the output pane's active list (SI or English) with all
  // thirty properties. False when cancelled or the file cannot be written.
  bool OnFileExport();
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnFilePrintSetup();
  // Writes the diagram as a PNG, SVG or PDF file the user names.
  void OnFileExportDiagram();
  // Opens `path` as the document after asking to save a modified one; a
  // failure is reported and leaves an empty document.
  bool OpenDocumentFile(const QString& path);
  // Asks "Save changes to ...?" for a modified document: Yes saves, No
  // discards; false when the user cancelled or the save failed.
  bool SaveModified();

  void OnEditCopy();
  void OnViewOutputPane();
  void OnHelpContents();
  void OnHelpMail();
  void OnHelpNews();
  // Opens a page of the help ("help:reporting.html") in the help window.
  Q_INVOKABLE void OpenHelpPage(const QUrl& url);
  void OnAppAbout();

  // Prints the active view (the results grid or the active output table).
  int PrintActiveView(QPrinter& printer);
  // Prints the document's results: the SI table and the English table, each
  // under its heading (an empty document prints the empty SI table). Answers
  // the number of pages.
  int PrintDocument(QPrinter& printer);
  // "Vaporix - document - date", the first line of every printed page.
  QString PrintTitleLine() const;

  Pane activePane() const { return m_activePane; }
  void ActivatePane(Pane pane);

  // Help pages folder; by default found beside the program or in its prefix.
  QString helpDirectory() const { return m_helpDirectory; }
  void setHelpDirectory(const QString& directory) { m_helpDirectory = directory; }
  CHelpWindow* helpWindow() const { return m_helpWindow; }
  void CloseHelpWindows();

  const RecentFileList& recentFiles() const { return m_recentFiles; }
  QMenu& fileMenu() const { return *m_fileMenu; }
  QToolBar& toolBar() const { return *m_toolBar; }
  QLabel& idleMessage() const { return *m_idleMessage; }
  CSplWnd& outerSplitter() const { return *m_outerSplitter; }
  CCaptionSplWnd& innerSplitter() const { return *m_innerSplitter; }
  CCaptionView& captionView() const { return *m_captionView; }
  COutputView& outputView() const { return *m_outputView; }
  InputPane& inputPane() const { return *m_inputPane; }
  QPrinter& printer() const { return *m_printer; }
  CVaporixDoc& document() const { return m_document; }

  // Brings back the window geometry and state, the output pane's height
  // and the input pages of the last session; false when none was kept.
  bool RestoreSession();
  // Keeps them; called when the window closes.
  void SaveSession() const;

  // Puts the document's name into the window title.
  void UpdateFrameTitle();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void CreatePanes();
  void RebuildRecentFileMenu();
  void LoadRecentFiles();
  void StoreRecentFiles();
  void AddToRecentFiles(const QString& path);
  bool DoSave(const QString& path);
  void ReportError(const QString& message);
  void CyclePane();

  CVaporixDoc& m_document;
  ShellServices& m_services;
  std::map<Command, QAction*> m_actions;
  QMenu* m_fileMenu = nullptr;
  QAction* m_recentFilesEnd = nullptr;
  QList<QAction*> m_recentFileActions;
  QToolBar* m_toolBar = nullptr;
  QLabel* m_idleMessage = nullptr;
  CSplWnd* m_outerSplitter = nullptr;
  CCaptionSplWnd* m_innerSplitter = nullptr;
  CCaptionView* m_captionView = nullptr;
  COutputView* m_outputView = nullptr;
  std::unique_ptr<InputPane> m_inputPane;
  std::unique_ptr<COutputDocumentView> m_outputDocumentView;
  std::unique_ptr<QPrinter> m_printer;
  QTimer* m_commandUITimer = nullptr;
  QMetaObject::Connection m_focusConnection;
  Pane m_activePane = Pane::Input;
  bool m_shownOnce = false;
  QString m_helpDirectory;
  QPointer<CHelpWindow> m_helpWindow;
  RecentFileList m_recentFiles;
};

}  // namespace vaporix
