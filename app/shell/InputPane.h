#pragma once

#include <QString>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace vaporix {

class CVaporixDoc;

// What the main window needs of the input pane: its widget and the copy and
// print commands of the results grid of its current page.
class InputPane {
 public:
  virtual ~InputPane() = default;

  virtual QWidget& widget() = 0;
  // Copy is possible while the results grid of the current page has a selection.
  virtual bool canCopy() const = 0;
  virtual void copySelection() = 0;
  // Prints the results grid of the current page, or the diagram when it is
  // the page in use; answers the number of pages.
  virtual int print(QPrinter& printer) = 0;
  // Writes the diagram to a .png, .svg or .pdf file; an error text on failure.
  virtual std::optional<QString> exportDiagram(const QString& path) = 0;
  // The table the current page shows as CSV, for File > Export; empty when
  // the page has none to export.
  virtual QString exportTableCsv() const { return {}; }
};

// The input pane of the main window, a view of `document`, as a child of `parent`.
std::unique_ptr<InputPane> CreateInputPane(CVaporixDoc& document, QWidget* parent);

}  // namespace vaporix
