#include "CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "AppIcon.h"
#include "CCaptionView.h"
#include "CGridCtrl.h"
#include "CHelpWindow.h"
#include "COutputDocumentView.h"
#include "COutputView.h"
#include "CSplWnd.h"
#include "CVaporixDoc.h"
#include "InputPane.h"
#include "MessageService.h"
#include "ShellAddresses.h"
#include "ShellServices.h"
#include "vaporix/tables/TableCsv.h"

namespace vaporix {
namespace {

// Enabling follows the state the way an idle loop would, a few times a second.
constexpr int kCommandUIInterval = 250;

const QString kFrameTitle = QStringLiteral("based on IAPWS-IF97");

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString FromPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QString FileFilter() {
  return QString::fromUtf8(kDocumentFileFilter.data(),
                           static_cast<qsizetype>(kDocumentFileFilter.size()));
}

const QString kCsvFilter = QStringLiteral("CSV Files (*.csv)");

// A list of the document as CSV, the columns of `vaporix-cli stb dump`.
QString ResultListCsv(const ResultList& list, bool english) {
  std::string text;
  tables::AppendResultListHeader(text);
  for (const auto& object : list) {
    tables::AppendResultListRow(text, english ? "english" : "si", object->state, object->transport);
  }
  return QString::fromStdString(text);
}

QString DocumentExtension() {
  return QString::fromUtf8(kDocumentExtension.data(),
                           static_cast<qsizetype>(kDocumentExtension.size()));
}

bool IsDocumentFile(const QUrl& url) {
  return url.isLocalFile() && url.toLocalFile().endsWith(DocumentExtension(), Qt::CaseInsensitive);
}

// Small toolbar pictures for the commands the style has none for.
QIcon DrawnIcon(void (*draw)(QPainter&)) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(QColor(40, 40, 40));
  draw(painter);
  return QIcon(pixmap);
}

void DrawCopy(QPainter& painter) {
  painter.setBrush(Qt::white);
  painter.drawRect(1, 1, 8, 10);
  painter.drawRect(6, 4, 8, 10);
}

void DrawPrint(QPainter& painter) {
  painter.setBrush(Qt::white);
  painter.drawRect(4, 1, 8, 5);
  painter.setBrush(QColor(190, 190, 190));
  painter.drawRect(1, 6, 14, 6);
  painter.setBrush(Qt::white);
  painter.drawRect(4, 10, 8, 5);
}

void DrawPreview(QPainter& painter) {
  painter.setBrush(Qt::white);
  painter.drawRect(1, 1, 10, 13);
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(6, 6, 6, 6);
  painter.drawLine(11, 11, 15, 15);
}

void DrawOutputPane(QPainter& painter) {
  painter.setBrush(Qt::white);
  painter.drawRect(1, 1, 14, 13);
  painter.fillRect(2, 10, 13, 4, QColor(0, 0, 200));
}

}  // namespace

CMainFrame::CMainFrame(CVaporixDoc& document, ShellServices& services, QWidget* parent)
    : QMainWindow(parent),
      m_document(document),
      m_services(services),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      m_helpDirectory(FindHelpDirectory(QCoreApplication::applicationDirPath())) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowIcon(ApplicationIcon());
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  setAcceptDrops(true);

  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  CreatePanes();
  LoadRecentFiles();
  UpdateFrameTitle();

  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    m_focusConnection =
        connect(application, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
          if (now == nullptr) {
            return;
          }
          if (m_outputView->isAncestorOf(now)) {
            m_activePane = Pane::Output;
          } else if (m_inputPane->widget().isAncestorOf(now) || now == &m_inputPane->widget()) {
            m_activePane = Pane::Input;
          }
        });
  }
  // "help:" links anywhere in the program open pages of this help.
  QDesktopServices::setUrlHandler(QString(kHelpScheme), this, "OpenHelpPage");
  m_commandUITimer = new QTimer(this);
  connect(m_commandUITimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
  m_commandUITimer->start(kCommandUIInterval);
  UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
  // The base destructor moves the focus while it deletes the panes; the
  // members the focus tracking reads are gone by then.
  disconnect(m_focusConnection);
  QDesktopServices::unsetUrlHandler(QString(kHelpScheme));
  m_commandUITimer->stop();
  delete m_helpWindow.data();
}

QAction& CMainFrame::action(Command command) const {
  return *m_actions.at(command);
}

void CMainFrame::CreateActions() {
  struct ActionEntry {
    Command command;
    const char* text;
    const char* prompt;  // status-bar prompt, then the tooltip after a line feed
    std::initializer_list<QKeySequence> shortcuts;
  };
  const std::initializer_list<ActionEntry> entries = {
      {Command::FileNew,
       "&New",
       "Create a new document\nNew",
       {QKeySequence(Qt::CTRL | Qt::Key_N)}},
      {Command::FileOpen,
       "&Open...",
       "Open an existing document\nOpen",
       {QKeySequence(Qt::CTRL | Qt::Key_O)}},
      {Command::FileSave,
       "&Save",
       "Save the active document\nSave",
       {QKeySequence(Qt::CTRL | Qt::Key_S)}},
      {Command::FileSaveAs, "Save &As...", "Save the active document with a new name\nSave As", {}},
      {Command::FileExport,
       "&Export...",
       "Write the steam table or the active result list as a CSV file\nExport",
       {}},
      {Command::FilePrint,
       "&Print...",
       "Print the active document\nPrint",
       {QKeySequence(Qt::CTRL | Qt::Key_P)}},
      {Command::FilePrintPreview, "Print Pre&view", "Display full pages\nPrint Preview", {}},
      {Command::FilePrintSetup,
       "P&rint Setup...",
       "Change the printer and printing options\nPrint Setup",
       {}},
      {Command::FileExportDiagram,
       "Export &Diagram...",
       "Write the diagram as a PNG, SVG or PDF file\nExport Diagram",
       {}},
      {Command::AppExit, "E&xit", "Quit the application; prompts to save documents\nExit", {}},
      {Command::EditCopy,
       "&Copy",
       "Copy the selection and put it on the Clipboard\nCopy",
       {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
      {Command::EditPaste,
       "&Paste",
       "Insert Clipboard contents\nPaste",
       {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
      {Command::EditCut,
       "Cu&t",
       "Cut the selection and put it on the Clipboard\nCut",
       {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
      {Command::EditUndo,
       "&Undo",
       "Undo the last action\nUndo",
       {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
      {Command::ViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", {}},
      {Command::ViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", {}},
      {Command::ViewOutputPane,
       "Show/Hide &Output Pane",
       "Show/Hide Output Pane\nShow/Hide Output Pane",
       {}},
      {Command::HelpContents,
       "Help &Contents",
       "List Help topics\nHelp Contents",
       {QKeySequence(Qt::Key_F1)}},
      {Command::ReportBug, "Report a &Bug", "Report a bug\nReport a Bug", {}},
      {Command::RequestFeature,
       "Re&quest a Feature",
       "Request a new feature\nRequest a Feature",
       {}},
      {Command::VaporixNews, "Vaporix &News", "Vaporix news\nVaporix News", {}},
      {Command::AppAbout,
       "&About Vaporix...",
       "Display program information, version number and copyright\nAbout",
       {}},
      {Command::NextPane,
       "Next Pane",
       "Switch to the next window pane\nNext Pane",
       {QKeySequence(Qt::Key_F6)}},
      {Command::PreviousPane,
       "Previous Pane",
       "Switch back to the previous window pane\nPrevious Pane",
       {QKeySequence(Qt::SHIFT | Qt::Key_F6)}},
  };
  for (const ActionEntry& entry : entries) {
    auto* action = new QAction(QString::fromUtf8(entry.text), this);
    const QStringList prompt = QString::fromUtf8(entry.prompt).split(QLatin1Char('\n'));
    action->setStatusTip(prompt.value(0));
    action->setToolTip(prompt.value(1));
    action->setShortcuts(QList<QKeySequence>(entry.shortcuts));
    action->setShortcutContext(Qt::WindowShortcut);
    // Shortcuts that no menu shows still work while the window has the focus.
    addAction(action);
    m_actions.emplace(entry.command, action);
  }

  action(Command::FileNew).setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  action(Command::FileOpen).setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  action(Command::FileSave).setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  action(Command::EditCopy)
      .setIcon(QIcon::fromTheme(QStringLiteral("edit-copy"), DrawnIcon(DrawCopy)));
  action(Command::FilePrint)
      .setIcon(QIcon::fromTheme(QStringLiteral("document-print"), DrawnIcon(DrawPrint)));
  action(Command::FilePrintPreview)
      .setIcon(QIcon::fromTheme(QStringLiteral("document-print-preview"), DrawnIcon(DrawPreview)));
  action(Command::ViewOutputPane).setIcon(DrawnIcon(DrawOutputPane));
  action(Command::AppAbout).setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));

  // Paste, cut and undo exist only as shortcuts; nothing handles them.
  for (const Command unhandled : {Command::EditPaste, Command::EditCut, Command::EditUndo}) {
    action(unhandled).setEnabled(false);
  }
  action(Command::ViewToolbar).setCheckable(true);
  action(Command::ViewStatusBar).setCheckable(true);

  connect(&action(Command::FileNew), &QAction::triggered, this, &CMainFrame::OnFileNew);
  connect(&action(Command::FileOpen), &QAction::triggered, this, &CMainFrame::OnFileOpen);
  connect(&action(Command::FileSave), &QAction::triggered, this, [this] { OnFileSave(); });
  connect(&action(Command::FileSaveAs), &QAction::triggered, this, [this] { OnFileSaveAs(); });
  connect(&action(Command::FileExport), &QAction::triggered, this, [this] { OnFileExport(); });
  connect(&action(Command::FilePrint), &QAction::triggered, this, &CMainFrame::OnFilePrint);
  connect(&action(Command::FilePrintPreview), &QAction::triggered, this,
          &CMainFrame::OnFilePrintPreview);
  connect(&action(Command::FilePrintSetup), &QAction::triggered, this,
          &CMainFrame::OnFilePrintSetup);
  connect(&action(Command::FileExportDiagram), &QAction::triggered, this,
          &CMainFrame::OnFileExportDiagram);
  connect(&action(Command::AppExit), &QAction::triggered, this, &QWidget::close);
  connect(&action(Command::EditCopy), &QAction::triggered, this, &CMainFrame::OnEditCopy);
  connect(&action(Command::ViewToolbar), &QAction::triggered, this,
          [this](bool visible) { m_toolBar->setVisible(visible); });
  connect(&action(Command::ViewStatusBar), &QAction::triggered, this,
          [this](bool visible) { statusBar()->setVisible(visible); });
  connect(&action(Command::ViewOutputPane), &QAction::triggered, this,
          &CMainFrame::OnViewOutputPane);
  connect(&action(Command::HelpContents), &QAction::triggered, this, &CMainFrame::OnHelpContents);
  connect(&action(Command::ReportBug), &QAction::triggered, this, &CMainFrame::OnHelpMail);
  connect(&action(Command::RequestFeature), &QAction::triggered, this, &CMainFrame::OnHelpMail);
  connect(&action(Command::VaporixNews), &QAction::triggered, this, &CMainFrame::OnHelpNews);
  connect(&action(Command::AppAbout), &QAction::triggered, this, &CMainFrame::OnAppAbout);
  connect(&action(Command::NextPane), &QAction::triggered, this, &CMainFrame::CyclePane);
  connect(&action(Command::PreviousPane), &QAction::triggered, this, &CMainFrame::CyclePane);
}

void CMainFrame::CreateMenus() {
  // The menus show the shortcut hints; the window holds the shortcuts themselves.
  m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  m_fileMenu->addAction(&action(Command::FileNew));
  m_fileMenu->addAction(&action(Command::FileOpen));
  m_fileMenu->addAction(&action(Command::FileSave));
  m_fileMenu->addAction(&action(Command::FileSaveAs));
  m_fileMenu->addAction(&action(Command::FileExport));
  m_fileMenu->addSeparator();
  m_fileMenu->addAction(&action(Command::FilePrint));
  m_fileMenu->addAction(&action(Command::FilePrintPreview));
  m_fileMenu->addAction(&action(Command::FilePrintSetup));
  m_fileMenu->addAction(&action(Command::FileExportDiagram));
  m_fileMenu->addSeparator();
  m_recentFilesEnd = m_fileMenu->addSeparator();
  m_fileMenu->addAction(&action(Command::AppExit));

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->addAction(&action(Command::EditCopy));

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  view->addAction(&action(Command::ViewToolbar));
  view->addAction(&action(Command::ViewStatusBar));

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(&action(Command::HelpContents));
  help->addSeparator();
  help->addAction(&action(Command::ReportBug));
  help->addAction(&action(Command::RequestFeature));
  help->addAction(&action(Command::VaporixNews));
  help->addSeparator();
  help->addAction(&action(Command::AppAbout));

  for (QMenu* menu : {m_fileMenu, edit, view, help}) {
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
  }
}

void CMainFrame::CreateToolBar() {
  m_toolBar = addToolBar(QStringLiteral("Standard"));
  m_toolBar->setObjectName(QStringLiteral("standardToolBar"));
  m_toolBar->setIconSize(QSize(16, 16));
  m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
  m_toolBar->setMovable(true);
  m_toolBar->addAction(&action(Command::FileNew));
  m_toolBar->addAction(&action(Command::FileOpen));
  m_toolBar->addAction(&action(Command::FileSave));
  m_toolBar->addSeparator();
  m_toolBar->addAction(&action(Command::EditCopy));
  m_toolBar->addSeparator();
  m_toolBar->addAction(&action(Command::FilePrint));
  m_toolBar->addAction(&action(Command::FilePrintPreview));
  m_toolBar->addSeparator();
  m_toolBar->addAction(&action(Command::ViewOutputPane));
  m_toolBar->addSeparator();
  m_toolBar->addAction(&action(Command::AppAbout));
}

void CMainFrame::CreateStatusBar() {
  // The idle text sits in the message pane and gives way to command prompts.
  m_idleMessage = new QLabel(QStringLiteral("Ready"));
  statusBar()->addWidget(m_idleMessage, 1);
}

void CMainFrame::CreatePanes() {
  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  // An etched line between the toolbar and the panes.
  auto* etch = new QFrame(client);
  etch->setFrameShape(QFrame::HLine);
  etch->setFrameShadow(QFrame::Sunken);
  layout->addWidget(etch);

  m_outerSplitter = new CSplWnd(client);
  m_innerSplitter = new CCaptionSplWnd(m_outerSplitter);
  m_captionView = new CCaptionView(m_innerSplitter);
  m_inputPane = CreateInputPane(m_document, m_innerSplitter);
  m_innerSplitter->addWidget(m_captionView);
  m_innerSplitter->addWidget(&m_inputPane->widget());
  m_innerSplitter->setStretchFactor(0, 0);
  m_innerSplitter->setStretchFactor(1, 1);

  m_outputView = new COutputView(m_outerSplitter);
  m_outputView->setMinimumHeight(CSplWnd::kMinimumRowHeight);
  m_innerSplitter->setMinimumHeight(CSplWnd::kMinimumRowHeight + CCaptionSplWnd::kBannerHeight);
  m_outerSplitter->addWidget(m_innerSplitter);
  m_outerSplitter->addWidget(m_outputView);
  // The output pane keeps its height when the window is resized.
  m_outerSplitter->setStretchFactor(0, 1);
  m_outerSplitter->setStretchFactor(1, 0);
  const int clientHeight = std::max(height(), kMinimumHeight);
  const int outputHeight = m_outputView->heightForRows(kOutputPaneRows);
  m_outerSplitter->setSizes({clientHeight - outputHeight, outputHeight});
  layout->addWidget(m_outerSplitter, 1);
  setCentralWidget(client);

  m_outputDocumentView = std::make_unique<COutputDocumentView>(m_document, *m_outputView);
  // A double-clicked row shows its state with all thirty properties.
  connect(m_outputView, &COutputView::resultActivated, this, [this](bool english, int index) {
    const ResultList& results = english ? m_document.EnglishResults() : m_document.SIResults();
    if (index >= 0 && index < static_cast<int>(results.size())) {
      const CSteamPropObject& result = *results[static_cast<std::size_t>(index)];
      m_inputPane->showResult(result.state, result.transport, english);
    }
  });
  connect(m_outputView, &COutputView::closeRequested, this, [this] {
    if (m_outerSplitter->hiddenRow() == -1) {
      OnViewOutputPane();
    }
  });
}

void CMainFrame::UpdateCommandUI() {
  action(Command::FileSave).setEnabled(m_document.IsModified());
  setWindowModified(m_document.IsModified());
  const bool canCopy =
      m_activePane == Pane::Output ? m_outputView->canCopy() : m_inputPane->canCopy();
  action(Command::EditCopy).setEnabled(canCopy);
  action(Command::ViewToolbar).setChecked(!m_toolBar->isHidden());
  action(Command::ViewStatusBar).setChecked(!statusBar()->isHidden());
}

void CMainFrame::UpdateFrameTitle() {
  // "[*]" is where Qt shows the modified marker.
  setWindowTitle(
      QStringLiteral("%1[*] - %2").arg(QString::fromStdString(m_document.Title()), kFrameTitle));
  setWindowModified(m_document.IsModified());
}

// File commands.

void CMainFrame::OnFileNew() {
  if (!SaveModified()) {
    return;
  }
  m_document.OnNewDocument();
  UpdateFrameTitle();
  UpdateCommandUI();
}

void CMainFrame::OnFileOpen() {
  const QString path = m_services.GetOpenFileName(this, FileFilter());
  if (!path.isEmpty()) {
    OpenDocumentFile(path);
  }
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
  if (!SaveModified()) {
    return false;
  }
  const DocumentError error = m_document.OnOpenDocument(ToPath(path));
  if (error != DocumentError::None) {
    ReportError(QString::fromStdString(DocumentErrorMessage(error, path.toStdString())));
    // A failed open leaves a new, empty document behind.
    m_document.OnNewDocument();
    m_recentFiles.Remove(path);
    StoreRecentFiles();
    UpdateFrameTitle();
    UpdateCommandUI();
    return false;
  }
  AddToRecentFiles(path);
  UpdateFrameTitle();
  UpdateCommandUI();
  return true;
}

bool CMainFrame::SaveModified() {
  if (!m_document.IsModified()) {
    return true;
  }
  switch (MessageService::Instance().AskYesNoCancel(
      this, QString::fromStdString(m_document.SaveChangesQuestion()))) {
    case MessageService::Answer::Yes:
      return OnFileSave();
    case MessageService::Answer::No:
      return true;
    default:
      return false;
  }
}

bool CMainFrame::OnFileSave() {
  if (m_document.PathName().empty()) {
    return OnFileSaveAs();
  }
  return DoSave(FromPath(m_document.PathName()));
}

bool CMainFrame::OnFileSaveAs() {
  const QString suggested = m_document.PathName().empty()
                                ? QString::fromStdString(m_document.Title()) + DocumentExtension()
                                : FromPath(m_document.PathName());
  QString path = m_services.GetSaveFileName(this, suggested, FileFilter());
  if (path.isEmpty()) {
    return false;
  }
  if (QFileInfo(path).suffix().isEmpty()) {
    path += DocumentExtension();
  }
  return DoSave(path);
}

bool CMainFrame::DoSave(const QString& path) {
  const DocumentError error = m_document.OnSaveDocument(ToPath(path));
  if (error != DocumentError::None) {
    ReportError(QString::fromStdString(DocumentErrorMessage(error, path.toStdString())));
    return false;
  }
  AddToRecentFiles(path);
  UpdateFrameTitle();
  UpdateCommandUI();
  return true;
}

void CMainFrame::ReportError(const QString& message) {
  MessageService::Instance().Show(this, MessageService::Icon::Stop, message);
}

bool CMainFrame::OnFileExport() {
  QString csv = m_activePane == Pane::Input ? m_inputPane->exportTableCsv() : QString();
  QString suggested = QStringLiteral("steam-table.csv");
  if (csv.isEmpty()) {
    const bool english = &m_outputView->activeTable() == &m_outputView->englishTable();
    csv = ResultListCsv(english ? m_document.EnglishResults() : m_document.SIResults(), english);
    suggested = QString::fromStdString(m_document.Title()) +
                (english ? QStringLiteral("-english.csv") : QStringLiteral("-si.csv"));
  }
  QString path = m_services.GetSaveFileName(this, suggested, kCsvFilter);
  if (path.isEmpty()) {
    return false;
  }
  if (QFileInfo(path).suffix().isEmpty()) {
    path += QStringLiteral(".csv");
  }
  // Written beside the target and renamed, so a failed export keeps an older file.
  QSaveFile file(path);
  const QByteArray bytes = csv.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    ReportError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return false;
  }
  return true;
}

// Printing.

void CMainFrame::OnFilePrint() {
  if (m_services.ExecPrintDialog(this, *m_printer)) {
    PrintActiveView(*m_printer);
  }
}

void CMainFrame::OnFilePrintPreview() {
  m_services.ExecPrintPreview(this, *m_printer,
                              [this](QPrinter& target) { PrintActiveView(target); });
}

void CMainFrame::OnFilePrintSetup() {
  m_services.ExecPrintSetupDialog(this, *m_printer);
}

void CMainFrame::OnFileExportDiagram() {
  const QString path = m_services.GetSaveFileName(
      this, QStringLiteral("diagram.png"),
      QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
  if (path.isEmpty()) {
    return;
  }
  if (const std::optional<QString> error = m_inputPane->exportDiagram(path)) {
    ReportError(*error);
  }
}

QString CMainFrame::PrintTitleLine() const {
  const QString name = m_document.PathName().empty() ? QStringLiteral("unsaved document")
                                                     : QString::fromStdString(m_document.Title());
  return QStringLiteral("Vaporix - %1 - %2")
      .arg(name, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

int CMainFrame::PrintActiveView(QPrinter& printer) {
  return m_activePane == Pane::Input ? m_inputPane->print(printer, PrintTitleLine())
                                     : m_outputView->printActiveTable(printer, PrintTitleLine());
}

int CMainFrame::PrintDocument(QPrinter& printer) {
  // Both lists, each under the title line and its tab's name; rows past
  // the last result are not printed.
  std::vector<CGridCtrl::PrintSection> sections;
  const bool hasEnglish = !m_document.EnglishResults().empty();
  const auto section = [this](const CGridCtrl& table, int rows) {
    return CGridCtrl::PrintSection{
        &table, PrintTitleLine() + QLatin1Char('\n') + m_outputView->tableTitle(table), rows};
  };
  if (!m_document.SIResults().empty() || !hasEnglish) {
    sections.push_back(section(m_outputView->siTable(), m_outputView->siRowCount()));
  }
  if (hasEnglish) {
    sections.push_back(section(m_outputView->englishTable(), m_outputView->englishRowCount()));
  }
  return CGridCtrl::printSections(printer, sections);
}

// Other commands.

void CMainFrame::OnEditCopy() {
  if (m_activePane == Pane::Output) {
    if (m_outputView->canCopy()) {
      m_outputView->copySelection();
    }
  } else if (m_inputPane->canCopy()) {
    m_inputPane->copySelection();
  }
}

void CMainFrame::OnViewOutputPane() {
  if (m_outerSplitter->hiddenRow() == -1) {
    if (m_activePane == Pane::Output) {
      ActivatePane(Pane::Input);
    }
    m_outerSplitter->HideRow(kOutputRow);
  } else {
    m_outerSplitter->ShowRow();
  }
}

void CMainFrame::OnHelpContents() {
  if (m_helpDirectory.isEmpty()) {
    return;  // no help pages installed
  }
  if (m_helpWindow == nullptr) {
    m_helpWindow = new CHelpWindow(m_helpDirectory, m_services);
  }
  m_helpWindow->ShowContents();
  m_helpWindow->show();
  m_helpWindow->raise();
  m_helpWindow->activateWindow();
}

void CMainFrame::CloseHelpWindows() {
  if (m_helpWindow != nullptr) {
    m_helpWindow->close();
  }
}

void CMainFrame::OnHelpMail() {
  OpenHelpPage(QUrl(QString(kReportingPageUrl)));
}

void CMainFrame::OnHelpNews() {
  OpenHelpPage(QUrl(QString(kNewsPageUrl)));
}

void CMainFrame::OpenHelpPage(const QUrl& url) {
  OnHelpContents();
  if (m_helpWindow != nullptr && url.path() != QStringLiteral("index.html")) {
    m_helpWindow->ShowPage(url.path());
  }
}

void CMainFrame::OnAppAbout() {
  m_services.ExecAboutBox(this);
}

void CMainFrame::ActivatePane(Pane pane) {
  m_activePane = pane;
  if (pane == Pane::Output) {
    m_outputView->activeTable().setFocus(Qt::OtherFocusReason);
  } else {
    // The input pane is entered where the user types: its first field.
    m_inputPane->focusFirstInput();
  }
  UpdateCommandUI();
}

// With two panes the next and the previous pane are the same.
void CMainFrame::CyclePane() {
  if (m_activePane == Pane::Input && m_outerSplitter->hiddenRow() == -1) {
    ActivatePane(Pane::Output);
  } else {
    ActivatePane(Pane::Input);
  }
}

// Recent files.

void CMainFrame::LoadRecentFiles() {
  QSettings settings;
  m_recentFiles.Load(settings);
  RebuildRecentFileMenu();
}

void CMainFrame::StoreRecentFiles() {
  QSettings settings;
  m_recentFiles.Save(settings);
  RebuildRecentFileMenu();
}

void CMainFrame::AddToRecentFiles(const QString& path) {
  m_recentFiles.Add(path);
  StoreRecentFiles();
}

void CMainFrame::RebuildRecentFileMenu() {
  for (QAction* entry : m_recentFileActions) {
    m_fileMenu->removeAction(entry);
    delete entry;
  }
  m_recentFileActions.clear();
  const QStringList& files = m_recentFiles.files();
  if (files.isEmpty()) {
    auto* placeholder = new QAction(QStringLiteral("Recent File"), this);
    placeholder->setEnabled(false);
    m_recentFileActions.append(placeholder);
  }
  for (qsizetype index = 0; index < files.size(); ++index) {
    const QString path = files.at(index);
    auto* entry = new QAction(QStringLiteral("&%1 %2").arg(index + 1).arg(path), this);
    entry->setStatusTip(QStringLiteral("Open this document"));
    entry->setData(path);
    connect(entry, &QAction::triggered, this, [this, path] { OpenDocumentFile(path); });
    m_recentFileActions.append(entry);
  }
  m_fileMenu->insertActions(m_recentFilesEnd, m_recentFileActions);
}

// Session.

void CMainFrame::SaveSession() const {
  QSettings settings;
  settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
  settings.setValue(QStringLiteral("window/state"), saveState());
  const int outputHeight = m_outerSplitter->hiddenRow() == kOutputRow
                               ? m_outerSplitter->hiddenRowHeight()
                               : m_outerSplitter->sizes().value(kOutputRow);
  settings.setValue(QStringLiteral("window/outputPaneHeight"), outputHeight);
  m_inputPane->saveSession(settings);
}

bool CMainFrame::RestoreSession() {
  QSettings settings;
  const bool hasGeometry =
      restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
  restoreState(settings.value(QStringLiteral("window/state")).toByteArray());
  bool heightRead = false;
  const int outputHeight =
      settings.value(QStringLiteral("window/outputPaneHeight")).toInt(&heightRead);
  if (heightRead && outputHeight >= CSplWnd::kMinimumRowHeight) {
    const QList<int> sizes = m_outerSplitter->sizes();
    const int total = std::max(sizes.value(0) + sizes.value(1), outputHeight + 100);
    m_outerSplitter->setSizes({total - outputHeight, outputHeight});
  }
  m_inputPane->restoreSession(settings);
  return hasGeometry;
}

// Window events.

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!SaveModified()) {
    event->ignore();
    return;
  }
  CloseHelpWindows();
  SaveSession();
  event->accept();
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!m_shownOnce) {
    // A new user can type the first input at once.
    m_shownOnce = true;
    ActivatePane(Pane::Input);
  }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (std::any_of(urls.begin(), urls.end(), IsDocumentFile)) {
    event->acceptProposedAction();
  }
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  const auto document = std::find_if(urls.begin(), urls.end(), IsDocumentFile);
  if (document == urls.end()) {
    return;
  }
  event->acceptProposedAction();
  activateWindow();
  OpenDocumentFile(document->toLocalFile());
}

}  // namespace vaporix
