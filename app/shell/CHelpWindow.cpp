#include "CHelpWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "AppIcon.h"
#include "ShellServices.h"

namespace vaporix {
namespace {

const QString kContentsPage = QStringLiteral("index.html");

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
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Vaporix Help") : title);
  });
  resize(720, 600);
}

void CHelpWindow::ShowContents() {
  m_browser->setSource(QUrl::fromLocalFile(m_helpDirectory.filePath(kContentsPage)));
}

}  // namespace vaporix
