#include "CGridCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vaporix {

namespace {

// Item data role that holds the option list of a drop-down cell.
constexpr int kOptionsRole = Qt::UserRole + 1;
constexpr int kPrintTextPadding = 3;

}  // namespace

namespace detail {

// Edits the drop-down cells of a CGridCtrl with a combo box and hands every
// pick to the grid.
class GridDropDownDelegate : public QStyledItemDelegate {
 public:
  explicit GridDropDownDelegate(CGridCtrl* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                        const QModelIndex& index) const override {
    const QStringList options = index.data(kOptionsRole).toStringList();
    if (options.isEmpty()) {
      return nullptr;
    }
    auto* comboBox = new QComboBox(parent);
    comboBox->addItems(options);
    comboBox->setFrame(false);
    const QPersistentModelIndex persistent(index);
    CGridCtrl* grid = m_grid;
    QObject::connect(comboBox, &QComboBox::activated, comboBox,
                     [grid, comboBox, persistent] { grid->commitOption(comboBox, persistent); });
    return comboBox;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* comboBox = qobject_cast<QComboBox*>(editor);
    if (comboBox == nullptr) {
      return;
    }
    const int position = comboBox->findText(index.data(Qt::DisplayRole).toString());
    if (position >= 0) {
      comboBox->setCurrentIndex(position);
    }
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    if (auto* comboBox = qobject_cast<QComboBox*>(editor)) {
      model->setData(index, comboBox->currentText(), Qt::DisplayRole);
    }
  }

  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& /*index*/) const override {
    editor->setGeometry(option.rect);
  }

 private:
  CGridCtrl* m_grid;
};

}  // namespace detail

CGridCtrl::CGridCtrl(QWidget* parent) : QTableWidget(parent) {
  setItemDelegate(new detail::GridDropDownDelegate(this));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setHighlightSections(false);
}

void CGridCtrl::setGridRowCount(int rows) {
  setRowCount(std::max(rows, 1) - 1);
}

void CGridCtrl::setGridColumnCount(int columns) {
  setColumnCount(std::max(columns, 1) - 1);
  m_lastColumnWidth = columnCount() > 0 ? columnWidth(columnCount() - 1) : 0;
  fillLastColumn();
}

void CGridCtrl::setFixedRowHeight(int height) {
  horizontalHeader()->setFixedHeight(height);
}

void CGridCtrl::setFixedColumnWidth(int width) {
  verticalHeader()->setFixedWidth(width);
}

void CGridCtrl::setGridColumnWidth(int column, int width) {
  if (column == 0) {
    setFixedColumnWidth(width);
  } else if (column > 0 && column < gridColumnCount()) {
    if (column == gridColumnCount() - 1) {
      m_lastColumnWidth = width;
    }
    setColumnWidth(column - 1, width);
  }
  fillLastColumn();
}

void CGridCtrl::fitColumnToContents(int column, int minimum) {
  if (column < 1 || column >= gridColumnCount()) {
    return;
  }
  // The item delegate's text margins on both sides, and the grid line.
  const int margin =
      2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
  const QFontMetrics body(font());
  const QFontMetrics header(horizontalHeader()->font());
  int widest = header.horizontalAdvance(cellText(0, column)) +
               2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader());
  for (int row = 1; row < gridRowCount(); ++row) {
    widest = std::max(widest, body.horizontalAdvance(cellText(row, column)) + margin);
  }
  setGridColumnWidth(column, std::max(minimum, widest));
}

void CGridCtrl::setLastColumnFillsGrid(bool fill) {
  m_lastColumnFills = fill;
  if (!fill && columnCount() > 0) {
    setColumnWidth(columnCount() - 1, m_lastColumnWidth);
  }
  fillLastColumn();
}

void CGridCtrl::fillLastColumn() {
  if (!m_lastColumnFills || columnCount() == 0) {
    return;
  }
  const int last = columnCount() - 1;
  int others = 0;
  for (int column = 0; column < last; ++column) {
    others += columnWidth(column);
  }
  const int width = std::max(m_lastColumnWidth, viewport()->width() - others);
  if (columnWidth(last) != width) {
    setColumnWidth(last, width);
  }
}

bool CGridCtrl::viewportEvent(QEvent* event) {
  // The viewport also changes size when a scroll bar comes or goes.
  if (event->type() == QEvent::Resize) {
    fillLastColumn();
  }
  return QTableWidget::viewportEvent(event);
}

int CGridCtrl::printColumnWidth(int column) const {
  return m_lastColumnFills && column == columnCount() - 1 ? m_lastColumnWidth : columnWidth(column);
}

int CGridCtrl::gridColumnWidth(int column) const {
  if (column == 0) {
    return verticalHeader()->width();
  }
  return column < gridColumnCount() ? columnWidth(column - 1) : 0;
}

bool CGridCtrl::isBodyCell(int row, int column) const {
  return row >= 1 && column >= 1 && row < gridRowCount() && column < gridColumnCount();
}

QTableWidgetItem* CGridCtrl::bodyItem(int row, int column) {
  QTableWidgetItem* cell = item(row - 1, column - 1);
  if (cell == nullptr) {
    cell = new QTableWidgetItem();
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(row - 1, column - 1, cell);
  }
  return cell;
}

QString CGridCtrl::cellText(int row, int column) const {
  const QTableWidgetItem* cell = nullptr;
  if (row == 0 && column >= 1 && column < gridColumnCount()) {
    cell = horizontalHeaderItem(column - 1);
  } else if (column == 0 && row >= 1 && row < gridRowCount()) {
    cell = verticalHeaderItem(row - 1);
  } else if (isBodyCell(row, column)) {
    cell = item(row - 1, column - 1);
  }
  return cell != nullptr ? cell->text() : QString();
}

void CGridCtrl::setCellText(int row, int column, const QString& text) {
  if (row == 0 && column >= 1 && column < gridColumnCount()) {
    if (horizontalHeaderItem(column - 1) == nullptr) {
      setHorizontalHeaderItem(column - 1, new QTableWidgetItem());
    }
    horizontalHeaderItem(column - 1)->setText(text);
  } else if (column == 0 && row >= 1 && row < gridRowCount()) {
    if (verticalHeaderItem(row - 1) == nullptr) {
      setVerticalHeaderItem(row - 1, new QTableWidgetItem());
    }
    verticalHeaderItem(row - 1)->setText(text);
  } else if (isBodyCell(row, column)) {
    bodyItem(row, column)->setText(text);
  }
}

QColor CGridCtrl::cellTextColor(int row, int column) const {
  const QTableWidgetItem* cell = isBodyCell(row, column) ? item(row - 1, column - 1) : nullptr;
  if (cell != nullptr && cell->foreground().style() != Qt::NoBrush) {
    return cell->foreground().color();
  }
  return palette().color(QPalette::Text);
}

void CGridCtrl::setCellTextColor(int row, int column, const QColor& color) {
  if (isBodyCell(row, column)) {
    bodyItem(row, column)->setForeground(color);
  }
}

QColor CGridCtrl::cellBackground(int row, int column) const {
  const QTableWidgetItem* cell = isBodyCell(row, column) ? item(row - 1, column - 1) : nullptr;
  if (cell != nullptr && cell->background().style() != Qt::NoBrush) {
    return cell->background().color();
  }
  return palette().color(QPalette::Base);
}

void CGridCtrl::setCellBackground(int row, int column, const QColor& color) {
  if (isBodyCell(row, column)) {
    bodyItem(row, column)->setBackground(color);
  }
}

void CGridCtrl::setCellOptions(int row, int column, const QStringList& options) {
  if (!isBodyCell(row, column) || options.isEmpty()) {
    return;
  }
  QTableWidgetItem* cell = bodyItem(row, column);
  if (isPersistentEditorOpen(cell)) {
    closePersistentEditor(cell);
  }
  cell->setData(kOptionsRole, options);
  if (!options.contains(cell->text())) {
    cell->setText(options.first());
  }
  cell->setFlags(cell->flags() | Qt::ItemIsEditable);
  // A persistent editor keeps the list box visible, so one click opens it.
  openPersistentEditor(cell);
}

void CGridCtrl::clearCellOptions(int row, int column) {
  if (!isBodyCell(row, column)) {
    return;
  }
  QTableWidgetItem* cell = item(row - 1, column - 1);
  if (cell == nullptr) {
    return;
  }
  if (isPersistentEditorOpen(cell)) {
    closePersistentEditor(cell);
  }
  cell->setData(kOptionsRole, QVariant());
  cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
}

QStringList CGridCtrl::cellOptions(int row, int column) const {
  const QTableWidgetItem* cell = isBodyCell(row, column) ? item(row - 1, column - 1) : nullptr;
  return cell != nullptr ? cell->data(kOptionsRole).toStringList() : QStringList();
}

QComboBox* CGridCtrl::cellComboBox(int row, int column) const {
  if (!isBodyCell(row, column)) {
    return nullptr;
  }
  return qobject_cast<QComboBox*>(indexWidget(model()->index(row - 1, column - 1)));
}

void CGridCtrl::commitOption(QComboBox* comboBox, const QPersistentModelIndex& index) {
  if (!index.isValid() || comboBox->currentText() == index.data(Qt::DisplayRole).toString()) {
    return;  // picking the text already shown changes nothing
  }
  commitData(comboBox);
  Q_EMIT cellOptionPicked(index.row() + 1, index.column() + 1, comboBox->currentText());
}

bool CGridCtrl::hasSelectedCells() const {
  return selectionModel() != nullptr && selectionModel()->hasSelection();
}

QString CGridCtrl::selectedCellsText() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    return {};
  }
  int top = selected.first().row();
  int bottom = top;
  int left = selected.first().column();
  int right = left;
  for (const QModelIndex& index : selected) {
    top = std::min(top, index.row());
    bottom = std::max(bottom, index.row());
    left = std::min(left, index.column());
    right = std::max(right, index.column());
  }
  QString text;
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      if (column > left) {
        text += QLatin1Char('\t');
      }
      const QModelIndex index = model()->index(row, column);
      if (selectionModel()->isSelected(index)) {
        text += index.data(Qt::DisplayRole).toString();
      }
    }
    text += QLatin1Char('\n');
  }
  return text;
}

void CGridCtrl::copySelectedCells() const {
  if (hasSelectedCells()) {
    QApplication::clipboard()->setText(selectedCellsText());
  }
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
  // The view's own Copy takes only the current cell; the grid copies the selection.
  if (event->matches(QKeySequence::Copy)) {
    copySelectedCells();
    event->accept();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

int CGridCtrl::print(QPrinter& printer, const PrintOptions& options) const {
  return printSections(printer,
                       {{this, options.headerLines.join(QLatin1Char('\n')), options.bodyRows}});
}

int CGridCtrl::printSections(QPrinter& printer, const std::vector<PrintSection>& sections) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    return 0;
  }
  int pages = 1;
  double top = 0.0;
  for (const PrintSection& section : sections) {
    section.grid->printSection(painter, printer, section.heading, section.bodyRows, top, pages);
  }
  // The printer reports a failed write (a full disk under a PDF) only here.
  return painter.end() ? pages : 0;
}

void CGridCtrl::printSection(QPainter& painter, QPrinter& printer, const QString& heading,
                             int bodyRows, double& top, int& pages) const {
  // Rows past the last filled one are not printed when the caller says so.
  const int rowsToPrint = bodyRows < 0 ? rowCount() : std::min(bodyRows, rowCount());
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());

  std::vector<int> widths;
  widths.push_back(verticalHeader()->isVisible() ? verticalHeader()->width() : 0);
  for (int column = 0; column < columnCount(); ++column) {
    widths.push_back(printColumnWidth(column));
  }
  int totalWidth = 0;
  for (const int width : widths) {
    totalWidth += width;
  }
  // Screen pixels are mapped to printer pixels at the same physical size,
  // shrunk when the grid is wider than the page.
  double scale = printer.resolution() / static_cast<double>(std::max(logicalDpiX(), 1));
  if (totalWidth > 0 && totalWidth * scale > page.width()) {
    scale = page.width() / totalWidth;
  }
  painter.save();
  painter.scale(scale, scale);
  const double pageHeight = page.height() / scale;
  const int headerHeight = std::max(horizontalHeader()->height(), 1);

  QFont textFont = font();
  textFont.setPixelSize(std::max(QFontInfo(font()).pixelSize(), 1));
  QFont headerFont = textFont;
  headerFont.setBold(true);
  QFont headingFont = headerFont;
  headingFont.setPixelSize(textFont.pixelSize() * 4 / 3);
  // A heading of several lines (program, document, date, units, inputs).
  const int headingLines = static_cast<int>(heading.count(QLatin1Char('\n'))) + 1;
  const int headingHeight =
      heading.isEmpty() ? 0 : QFontMetrics(headingFont).height() * (headingLines + 1);

  const auto drawCell = [&painter](const QRect& area, const QString& text, const QColor& fill,
                                   const QColor& ink) {
    painter.fillRect(area, fill);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(area);
    painter.setPen(ink);
    painter.drawText(area.adjusted(kPrintTextPadding, 0, -kPrintTextPadding, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  };
  const auto drawHeaderRow = [&](int y) {
    painter.setFont(headerFont);
    int x = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
      const QString text =
          column == 0
              ? QString()
              : model()->headerData(static_cast<int>(column) - 1, Qt::Horizontal).toString();
      drawCell(QRect(x, y, widths[column], headerHeight), text, palette().color(QPalette::Button),
               palette().color(QPalette::ButtonText));
      x += widths[column];
    }
  };

  // A section starts on a new page unless its heading, header row and first
  // row fit below the previous one.
  int y = static_cast<int>(std::ceil(top / scale));
  const int firstRowHeight = rowCount() > 0 ? std::max(rowHeight(0), 1) : 0;
  if (y > 0 && y + headingHeight + headerHeight + firstRowHeight > pageHeight) {
    printer.newPage();
    ++pages;
    y = 0;
  }
  if (!heading.isEmpty()) {
    painter.setFont(headingFont);
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(QRect(0, y, std::max(totalWidth, 1), headingHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, heading);
    y += headingHeight;
  }
  drawHeaderRow(y);
  y += headerHeight;
  for (int row = 0; row < rowsToPrint; ++row) {
    const int height = std::max(rowHeight(row), 1);
    if (y + height > pageHeight && y > headerHeight) {
      printer.newPage();
      ++pages;
      drawHeaderRow(0);
      y = headerHeight;
    }
    int x = 0;
    painter.setFont(headerFont);
    drawCell(QRect(x, y, widths[0], height), model()->headerData(row, Qt::Vertical).toString(),
             palette().color(QPalette::Button), palette().color(QPalette::ButtonText));
    x += widths[0];
    painter.setFont(textFont);
    for (int column = 0; column < columnCount(); ++column) {
      drawCell(QRect(x, y, widths[static_cast<std::size_t>(column) + 1], height),
               cellText(row + 1, column + 1), cellBackground(row + 1, column + 1),
               cellTextColor(row + 1, column + 1));
      x += widths[static_cast<std::size_t>(column) + 1];
    }
    y += height;
  }
  painter.restore();
  // A blank line's worth of room before the next section.
  top = (y + headerHeight) * scale;
}

}  // namespace vaporix
