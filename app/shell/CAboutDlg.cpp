#include "CAboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "AppIcon.h"
#include "CHyperLink.h"
#include "CVaporixApp.h"
#include "ShellAddresses.h"

namespace vaporix {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent), m_productLink(new CHyperLink()), m_webSiteLink(new CHyperLink()) {
  setWindowTitle(QStringLiteral("About Vaporix"));
  setObjectName(QStringLiteral("aboutDialog"));

  auto* icon = new QLabel();
  icon->setPixmap(ApplicationIcon().pixmap(32, 32));
  icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* version = new QLabel(QStringLiteral("Vaporix Version %1").arg(CVaporixApp::kVersion));
  version->setObjectName(QStringLiteral("versionLabel"));
  // Both links open the program's own help: its contents, and how to
  // report a fault or ask for a feature.
  m_productLink->setLink(QStringLiteral("Vaporix Help"), QUrl(QString(kHelpContentsUrl)));
  m_webSiteLink->setLink(QStringLiteral("Report a bug or request a feature"),
                         QUrl(QString(kReportingPageUrl)));
  auto* rights = new QLabel(
      QStringLiteral("Copyright \u00A9 2026 The Vaporix developers.\nAll rights reserved."));
  rights->setObjectName(QStringLiteral("rightsLabel"));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 4, 1);
  layout->addWidget(version, 0, 1);
  layout->addWidget(m_productLink, 1, 1);
  layout->addWidget(rights, 2, 1);
  layout->addWidget(m_webSiteLink, 3, 1);
  layout->addWidget(buttons, 0, 2, 2, 1, Qt::AlignTop);
  layout->setColumnStretch(1, 1);
  setSizeGripEnabled(false);
}

}  // namespace vaporix
