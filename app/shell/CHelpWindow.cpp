#include "CHelpWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStyle>
#include <QSysInfo>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>

#include "AppIcon.h"
#include "ShellServices.h"

namespace vaporix {
namespace {

const QString kContentsPage = QStringLiteral("index.html");
// Replaced by SystemSummary() where a help page shows it.
constexpr QLatin1StringView kSystemSummaryMarker("SYSTEM-SUMMARY");

}  // namespace

QString FindHelpDirectory(const QString& programDirectory) {
  const QDir program(programDirectory);
  for (const QString& candidate : {program.filePath(QStringLiteral("help")),
                                   program.filePath(QStringLiteral("../share/vaporix/help"))}) {
    if (QFileInfo::exists(QDir(candidate).filePath(kContentsPage))) {
      return QDir(candidate).canonicalPath();
    }
  }
  return {};
}

CHelpWindow::CHelpWindow(const QString& helpDirectory, ShellServices& services)
    : m_helpDirectory(helpDirectory), m_services(services), m_browser(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("Vaporix Help"));
  setWindowIcon(ApplicationIcon());
  setAttribute(Qt::WA_DeleteOnClose, false);
  m_browser->setSearchPaths({helpDirectory});
  // Pages inside the help folder stay here; other addresses go to the desktop.
  m_browser->setOpenLinks(false);
  connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (url.isRelative() || url.isLocalFile()) {
      m_browser->setSource(url);
    } else {
      m_services.OpenUrl(url);
    }
  });
  setCentralWidget(m_browser);

  auto* navigation = addToolBar(QStringLiteral("Navigation"));
  navigation->setMovable(false);
  QAction* back =
      navigation->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
  QAction* forward = navigation->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                           QStringLiteral("Forward"));
  QAction* contents = navigation->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                            QStringLiteral("Contents"));
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
  connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
  connect(contents, &QAction::triggered, this, &CHelpWindow::ShowContents);
  connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl&) {
    // The reporting page carries this system's summary, ready to copy.
    QTextCursor marker = m_browser->document()->find(QString(kSystemSummaryMarker));
    if (!marker.isNull()) {
      marker.insertText(SystemSummary());
    }
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Vaporix Help") : title);
  });
  resize(720, 600);
}

QString CHelpWindow::SystemSummary() {
  return QStringLiteral("Vaporix %1\nQt %2 (built with %3)\n%4 (%5, %6)")
      .arg(QCoreApplication::applicationVersion().isEmpty()
               ? QStringLiteral("2.2")
               : QCoreApplication::applicationVersion(),
           QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR),
           QSysInfo::prettyProductName(),
           QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion(),
           QSysInfo::currentCpuArchitecture());
}

void CHelpWindow::ShowPage(const QString& name) {
  m_browser->setSource(QUrl::fromLocalFile(m_helpDirectory.filePath(name)));
}

void CHelpWindow::ShowContents() {
  m_browser->setSource(QUrl::fromLocalFile(m_helpDirectory.filePath(kContentsPage)));
}

}  // namespace vaporix
