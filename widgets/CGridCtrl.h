#pragma once

#include <QColor>
#include <QStringList>
#include <QTableWidget>

class QComboBox;
class QPrinter;

namespace vaporix {

namespace detail {
class GridDropDownDelegate;
}

// A table of read-only cells with a fixed header row and a fixed first column,
// addressed in grid coordinates where row 0 is the header row and column 0 the
// fixed column, and with optional drop-down cells.
class CGridCtrl : public QTableWidget {
  Q_OBJECT

 public:
  explicit CGridCtrl(QWidget* parent = nullptr);

  // Row and column counts including the fixed row and column.
  int gridRowCount() const { return rowCount() + 1; }
  int gridColumnCount() const { return columnCount() + 1; }
  void setGridRowCount(int rows);
  void setGridColumnCount(int columns);

  // Height of the fixed header row and width of the fixed column, in pixels.
  void setFixedRowHeight(int height);
  void setFixedColumnWidth(int width);
  // Width of a column in grid coordinates; column 0 is the fixed column.
  void setGridColumnWidth(int column, int width);
  int gridColumnWidth(int column) const;

  // Cell texts; cell (0, 0) has no text, cells outside the grid are ignored.
  QString cellText(int row, int column) const;
  void setCellText(int row, int column, const QString& text);

  // Per-cell colours of the body cells; an unset text colour is the grid's
  // palette text colour and an unset background the palette base colour.
  QColor cellTextColor(int row, int column) const;
  void setCellTextColor(int row, int column, const QColor& color);
  QColor cellBackground(int row, int column) const;
  void setCellBackground(int row, int column, const QColor& color);

  // Turns a body cell into a drop-down list of `options`; its text becomes
  // the first option unless it already is one of them.
  void setCellOptions(int row, int column, const QStringList& options);
  // Turns a drop-down cell back into a plain read-only cell.
  void clearCellOptions(int row, int column);
  QStringList cellOptions(int row, int column) const;
  // The list box of a drop-down cell, nullptr for a plain cell.
  QComboBox* cellComboBox(int row, int column) const;

  bool hasSelectedCells() const;
  // The selected cells as text: cells of one row separated by tabs, rows by
  // line feeds, over the rectangle that spans the selection.
  QString selectedCellsText() const;
  // Places selectedCellsText() on the clipboard.
  void copySelectedCells() const;

  // What a printout carries besides the cells.
  struct PrintOptions {
    QStringList headerLines;  // printed above the grid on every page
    int bodyRows = -1;        // rows below the header row to print; -1: all
  };

  // Prints the grid, header lines and header row repeated on every page,
  // columns widened to their texts and shrunk to the page width when wider;
  // answers the number of pages (0 on failure).
  int print(QPrinter& printer, const PrintOptions& options) const;
  int print(QPrinter& printer) const { return print(printer, PrintOptions{}); }

 Q_SIGNALS:
  // The user picked a different text in a drop-down cell; the cell already
  // shows it when this is emitted.
  void cellOptionPicked(int row, int column, const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class detail::GridDropDownDelegate;

  bool isBodyCell(int row, int column) const;
  QTableWidgetItem* bodyItem(int row, int column);
  void commitOption(QComboBox* comboBox, const QPersistentModelIndex& index);
};

}  // namespace vaporix
