#pragma once

#include "document/CVaporixDoc.h"

namespace vaporix {

class COutputView;

// Makes the output pane a view of the document: new results become rows,
// New empties the tables and Open shows the file's rows.
class OutputDocumentView : public CDocumentView {
 public:
  OutputDocumentView(CVaporixDoc& document, COutputView& output);
  ~OutputDocumentView() override;
  OutputDocumentView(const OutputDocumentView&) = delete;
  OutputDocumentView& operator=(const OutputDocumentView&) = delete;

  void OnUpdate(CDocumentView* sender, UpdateHint hint) override;
  void OnNewDocument() override;
  void OnContentsReplaced() override;
  void OnResultReplayed(UpdateHint hint) override;

 private:
  CVaporixDoc& m_document;
  COutputView& m_output;
};

}  // namespace vaporix
