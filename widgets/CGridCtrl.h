#pragma once

#include <QColor>
#include <QStringList>
#include <QTableWidget>
#include <vector>

class QComboBox;
class QPainter;
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
  // Widens a column to its widest text (header included), never below `minimum`.
  void fitColumnToContents(int column, int minimum);

  // When set, the last column is widened to fill the grid whenever the
  // columns are narrower in total; it never gets narrower than the width
  // last given to it, which is also the width it prints with.
  void setLastColumnFillsGrid(bool fill);
  bool lastColumnFillsGrid() const { return m_lastColumnFills; }

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
    QStringList headerLines;  // printed above the grid
    int bodyRows = -1;        // rows below the header row to print; -1: all
  };

  // Prints the grid, header row repeated on every page, shrunk to the page
  // width when wider; answers the number of pages (0 on failure).
  int print(QPrinter& printer, const PrintOptions& options) const;
  int print(QPrinter& printer) const { return print(printer, PrintOptions{}); }

  // One grid of a printout and the heading printed above it.
  struct PrintSection {
    const CGridCtrl* grid;
    QString heading;    // one or more lines
    int bodyRows = -1;  // rows below the header row to print; -1: all
  };
  // Prints the grids one after the other on the same printout, each under its
  // heading; answers the number of pages (0 on failure).
  static int printSections(QPrinter& printer, const std::vector<PrintSection>& sections);

 Q_SIGNALS:
  // The user picked a different text in a drop-down cell; the cell already
  // shows it when this is emitted.
  void cellOptionPicked(int row, int column, const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  friend class detail::GridDropDownDelegate;

  bool isBodyCell(int row, int column) const;
  void fillLastColumn();
  // The width a column prints with: the last one without its widening.
  int printColumnWidth(int column) const;
  // Draws the grid from `top` (device pixels below the page's top) on, under
  // `heading`, adding pages as needed; moves `top` below it.
  void printSection(QPainter& painter, QPrinter& printer, const QString& heading, int bodyRows,
                    double& top, int& pages) const;
  QTableWidgetItem* bodyItem(int row, int column);
  void commitOption(QComboBox* comboBox, const QPersistentModelIndex& index);

  bool m_lastColumnFills = false;
  int m_lastColumnWidth = 0;  // the width set for the last column, before widening
};

}  // namespace vaporix
