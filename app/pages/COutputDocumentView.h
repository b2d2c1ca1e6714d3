#pragma once

#include <QObject>

#include "CVaporixDoc.h"

namespace vaporix {

class COutputView;

// Makes the output pane a view of the document: new results append rows,
// a new document empties the tables, an opened file replaces their rows,
// and a table that gets the focus makes every view drop its grid selection.
// Registers with the document on construction and leaves it on destruction;
// the document and the pane must outlive it.
class COutputDocumentView : public QObject, public CDocumentView {
  Q_OBJECT

 public:
  COutputDocumentView(CVaporixDoc& document, COutputView& pane, QObject* parent = nullptr);
  ~COutputDocumentView() override;

  void OnUpdate(CDocumentView* sender, UpdateHint hint) override;
  void OnNewDocument() override;
  void OnContentsReplaced() override;
  void OnResultReplayed(UpdateHint hint) override;

 private:
  CVaporixDoc& m_document;
  COutputView& m_pane;
};

}  // namespace vaporix
