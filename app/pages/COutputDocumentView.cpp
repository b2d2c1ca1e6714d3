#include "COutputDocumentView.h"

#include "COutputView.h"

namespace vaporix {

COutputDocumentView::COutputDocumentView(CVaporixDoc& document, COutputView& pane, QObject* parent)
    : QObject(parent), m_document(document), m_pane(pane) {
  m_document.AddView(*this);
  connect(&m_pane, &COutputView::tableFocused, this,
          [this] { m_document.UpdateAllViews(nullptr, UpdateHint::GridFocused); });
}

COutputDocumentView::~COutputDocumentView() {
  m_document.RemoveView(*this);
}

void COutputDocumentView::OnUpdate(CDocumentView* /*sender*/, UpdateHint hint) {
  m_pane.OnUpdate(static_cast<int>(hint), m_document.latestState);
}

void COutputDocumentView::OnNewDocument() {
  m_pane.ClearTables();
}

void COutputDocumentView::OnContentsReplaced() {
  // The pane lists the results of the document it shows, so the rows of the
  // previous document go before the file's rows are replayed.
  m_pane.ClearTables();
}

void COutputDocumentView::OnResultReplayed(UpdateHint hint) {
  if (hint == UpdateHint::SIResultAdded) {
    m_pane.AppendSIRow(m_document.latestState);
  } else if (hint == UpdateHint::EnglishResultAdded) {
    m_pane.AppendEnglishRow(m_document.latestState);
  }
}

}  // namespace vaporix
