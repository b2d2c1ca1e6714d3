#include "CVaporixView.h"

#include <QSettings>

#include "CDiagramPage.h"
#include "CGridCtrl.h"
#include "CPageGeneral.h"
#include "CPageSaturation.h"
#include "CTablesPage.h"
#include "PageIcons.h"

namespace vaporix {

CVaporixView::CVaporixView(CVaporixDoc& document, QWidget* parent)
    : CPropertyView(parent),
      m_document(document),
      m_generalPage(new CPageGeneral(document)),
      m_saturationPage(new CPageSaturation(document)),
      m_diagramPage(new CDiagramPage(document, *m_generalPage)),
      m_tablesPage(new CTablesPage(document)) {
  AddPage(m_generalPage, SinglePhasePageIcon());
  AddPage(m_saturationPage, SaturationPageIcon());
  AddPage(m_diagramPage, DiagramPageIcon());
  AddPage(m_tablesPage);
  m_document.AddView(*this);
}

CVaporixView::~CVaporixView() {
  m_document.RemoveView(*this);
}

CInputPropertyPage& CVaporixView::currentPage() const {
  if (activeIndex() == kSaturationPageIndex) {
    return *m_saturationPage;
  }
  return *m_generalPage;
}

CGridCtrl& CVaporixView::currentGrid() const {
  return currentPage().grid();
}

bool CVaporixView::isTablesPageActive() const {
  return activePage() == m_tablesPage;
}

bool CVaporixView::canCopy() const {
  if (activeIndex() == kDiagramPageIndex) {
    return true;
  }
  return isTablesPageActive() ? m_tablesPage->hasTable() : currentGrid().hasSelectedCells();
}

void CVaporixView::copySelection() const {
  if (activeIndex() == kDiagramPageIndex) {
    m_diagramPage->copyToClipboard();
  } else if (isTablesPageActive()) {
    m_tablesPage->copySelection();
  } else {
    currentGrid().copySelectedCells();
  }
}

int CVaporixView::printCurrentGrid(QPrinter& printer, const QString& titleLine) const {
  if (isTablesPageActive()) {
    return m_tablesPage->print(printer);
  }
  if (activeIndex() == kDiagramPageIndex) {
    return m_diagramPage->print(printer);
  }
  CGridCtrl::PrintOptions options;
  if (!titleLine.isEmpty()) {
    options.headerLines << titleLine;
  }
  options.headerLines << currentPage().PrintHeaderLines();
  return currentGrid().print(printer, options);
}

QString CVaporixView::exportTableCsv() const {
  return isTablesPageActive() ? m_tablesPage->csvText() : QString();
}

void CVaporixView::OnUpdate(CDocumentView* /*sender*/, UpdateHint hint) {
  if (hint == UpdateHint::GridFocused) {
    m_generalPage->grid().clearSelection();
    m_saturationPage->grid().clearSelection();
  }
}

void CVaporixView::ShowResult(const StateProperties& state, const TransportProperties& transport,
                              bool english) {
  ResultSet result;
  if (english) {
    result = ResultSet::FromEnglish(state, transport);
  } else {
    result.state = state;
    result.transport = transport;
    result.MakeEnglishCopies();
  }
  SetActivePage(kGeneralPageIndex);
  m_generalPage->ShowStoredResult(result);
}

void CVaporixView::SaveSession(QSettings& settings) const {
  settings.setValue(QStringLiteral("pages/current"), activeIndex());
  settings.beginGroup(QStringLiteral("pages/general"));
  m_generalPage->SaveSession(settings);
  settings.endGroup();
  settings.beginGroup(QStringLiteral("pages/saturation"));
  m_saturationPage->SaveSession(settings);
  settings.endGroup();
}

void CVaporixView::RestoreSession(QSettings& settings) {
  settings.beginGroup(QStringLiteral("pages/general"));
  m_generalPage->RestoreSession(settings);
  settings.endGroup();
  settings.beginGroup(QStringLiteral("pages/saturation"));
  m_saturationPage->RestoreSession(settings);
  settings.endGroup();
  SetActivePage(settings.value(QStringLiteral("pages/current"), kGeneralPageIndex).toInt());
}

void CVaporixView::OnNewDocument() {
  m_generalPage->ResetPage();
  m_saturationPage->ResetPage();
  SetActivePage(kGeneralPageIndex);
}

}  // namespace vaporix
