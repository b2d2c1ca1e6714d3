#pragma once

#include "CPropertyView.h"
#include "CVaporixDoc.h"

class QPrinter;
class QSettings;

namespace vaporix {

class CGridCtrl;
class CDiagramPage;
class CInputPropertyPage;
class CPageGeneral;
class CPageSaturation;
class CTablesPage;

// The input pane of the main window: a tab view with the
// "Subcooled/Superheated properties" page, the "Saturation properties"
// page, the "Diagram" page and the "Steam tables" page, a view of the document.
//
// For the application shell:
// - Construct it with the document; it registers itself as a view and
//   leaves the document when destroyed (the document must outlive it).
// - A new document (CVaporixDoc::OnNewDocument) resets both pages and
//   selects the first one.
// - Copy and Print work on the current page's results grid: canCopy(),
//   copySelection(), printCurrentGrid(), or currentGrid() directly; on the
//   tables page they work on its table, which File > Export also writes.
// - The view binds no Ctrl+P, Ctrl+S or Ctrl+C of its own: the shell's Print,
//   Save and Copy actions carry those shortcuts. Ctrl+Tab, Ctrl+PgDn,
//   Ctrl+Shift+Tab and Ctrl+PgUp switch pages while the focus is in the view.
class CVaporixView : public CPropertyView, public CDocumentView {
  Q_OBJECT

 public:
  static constexpr int kGeneralPageIndex = 0;
  static constexpr int kSaturationPageIndex = 1;
  static constexpr int kDiagramPageIndex = 2;

  explicit CVaporixView(CVaporixDoc& document, QWidget* parent = nullptr);
  ~CVaporixView() override;

  CVaporixDoc& document() const { return m_document; }
  CPageGeneral& generalPage() const { return *m_generalPage; }
  CPageSaturation& saturationPage() const { return *m_saturationPage; }
  CDiagramPage& diagramPage() const { return *m_diagramPage; }
  CTablesPage& tablesPage() const { return *m_tablesPage; }
  bool isTablesPageActive() const;
  CInputPropertyPage& currentPage() const;

  // The results grid of the current page.
  CGridCtrl& currentGrid() const;
  // Copy is possible while the current page's grid has a selection.
  bool canCopy() const;
  // Places the selected cells of the current page's grid on the clipboard.
  void copySelection() const;
  // Prints the current page's grid under `titleLine` and the page's inputs,
  // the steam table or the diagram when that is the page in use; answers the
  // number of pages printed.
  int printCurrentGrid(QPrinter& printer, const QString& titleLine = QString()) const;
  // The table of the tables page as CSV, while that page shows one; empty otherwise.
  QString exportTableCsv() const;

  // CDocumentView: hint 103 drops the selection of both grids; a new
  // document resets both pages and shows the first.
  void OnUpdate(CDocumentView* sender, UpdateHint hint) override;
  void OnNewDocument() override;

  // Shows a stored result on the single-phase page's grid, which then holds
  // it in both unit systems.
  void ShowResult(const StateProperties& state, const TransportProperties& transport, bool english);

  // The current page and each page's inputs, kept between sessions.
  void SaveSession(QSettings& settings) const;
  void RestoreSession(QSettings& settings);

 private:
  CVaporixDoc& m_document;
  CPageGeneral* m_generalPage;
  CPageSaturation* m_saturationPage;
  CDiagramPage* m_diagramPage;
  CTablesPage* m_tablesPage;
};

}  // namespace vaporix
