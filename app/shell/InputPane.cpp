#include "InputPane.h"

#include "CDiagramPage.h"
#include "CInputPropertyPage.h"
#include "CVaporixView.h"

namespace vaporix {
namespace {

// The tab view with the two input pages, the diagram and the steam tables.
class PagesInputPane : public InputPane {
 public:
  PagesInputPane(CVaporixDoc& document, QWidget* parent)
      : m_view(new CVaporixView(document, parent)) {}

  QWidget& widget() override { return *m_view; }
  bool canCopy() const override { return m_view->canCopy(); }
  void copySelection() override { m_view->copySelection(); }
  int print(QPrinter& printer, const QString& titleLine) override {
    return m_view->printCurrentGrid(printer, titleLine);
  }
  void showResult(const StateProperties& state, const TransportProperties& transport,
                  bool english) override {
    m_view->ShowResult(state, transport, english);
  }
  void focusFirstInput() override { m_view->activePage()->focusFirstControl(); }
  void saveSession(QSettings& settings) const override { m_view->SaveSession(settings); }
  void restoreSession(QSettings& settings) override { m_view->RestoreSession(settings); }
  std::optional<QString> exportDiagram(const QString& path) override {
    return m_view->diagramPage().exportTo(path);
  }
  QString exportTableCsv() const override { return m_view->exportTableCsv(); }

 private:
  CVaporixView* m_view;  // owned by its parent
};

}  // namespace

std::unique_ptr<InputPane> CreateInputPane(CVaporixDoc& document, QWidget* parent) {
  return std::make_unique<PagesInputPane>(document, parent);
}

}  // namespace vaporix
