#include "InputPane.h"

#include "CDiagramPage.h"
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
  int print(QPrinter& printer) override { return m_view->printCurrentGrid(printer); }
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
