#include "app/shell/OutputDocumentView.h"

#include "app/output/COutputView.h"

namespace vaporix {

OutputDocumentView::OutputDocumentView(CVaporixDoc& document, COutputView& output)
    : m_document(document), m_output(output) {
  m_document.AddView(*this);
}

OutputDocumentView::~OutputDocumentView() {
  m_document.RemoveView(*this);
}

void OutputDocumentView::OnUpdate(CDocumentView* /*sender*/, UpdateHint hint) {
  m_output.OnUpdate(static_cast<int>(hint), m_document.latestState);
}

void OutputDocumentView::OnNewDocument() {
  m_output.ClearTables();
}

// An opened document shows its own rows only.
void OutputDocumentView::OnContentsReplaced() {
  m_output.ClearTables();
}

void OutputDocumentView::OnResultReplayed(UpdateHint hint) {
  m_output.OnUpdate(static_cast<int>(hint), m_document.latestState);
}

}  // namespace vaporix
