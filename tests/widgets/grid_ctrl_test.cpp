#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "CGridCtrl.h"
#include "widgets/QtTestApplication.h"

namespace vaporix {
namespace {

// A grid of 4 body rows and 3 body columns whose cells read "r<row>c<column>".
void FillNamedCells(CGridCtrl& grid) {
  grid.setGridRowCount(5);
  grid.setGridColumnCount(4);
  for (int row = 1; row < 5; ++row) {
    for (int column = 1; column < 4; ++column) {
      grid.setCellText(row, column, QStringLiteral("r%1c%2").arg(row).arg(column));
    }
  }
}

TEST(grid_ctrl_test, grid_coordinates_count_the_fixed_row_and_column) {
  CGridCtrl grid;
  FillNamedCells(grid);
  EXPECT_EQ(grid.gridRowCount(), 5);
  EXPECT_EQ(grid.gridColumnCount(), 4);
  EXPECT_EQ(grid.rowCount(), 4);
  EXPECT_EQ(grid.columnCount(), 3);

  grid.setCellText(0, 2, QStringLiteral("Results"));
  grid.setCellText(3, 0, QStringLiteral("3"));
  EXPECT_EQ(grid.cellText(0, 2), QStringLiteral("Results"));
  EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Results"));
  EXPECT_EQ(grid.cellText(3, 0), QStringLiteral("3"));
  EXPECT_EQ(grid.cellText(2, 3), QStringLiteral("r2c3"));
  EXPECT_EQ(grid.item(1, 2)->text(), QStringLiteral("r2c3"));

  // Cells outside the grid are ignored rather than created.
  grid.setCellText(5, 1, QStringLiteral("outside"));
  grid.setCellText(1, 4, QStringLiteral("outside"));
  grid.setCellText(-1, 1, QStringLiteral("outside"));
  EXPECT_EQ(grid.gridRowCount(), 5);
  EXPECT_EQ(grid.cellText(5, 1), QString());
  EXPECT_EQ(grid.cellText(0, 0), QString());

  grid.setFixedColumnWidth(30);
  grid.setGridColumnWidth(1, 280);
  EXPECT_EQ(grid.gridColumnWidth(0), 30);
  EXPECT_EQ(grid.gridColumnWidth(1), 280);
}

TEST(grid_ctrl_test, body_cells_are_read_only_and_keep_their_colours) {
  CGridCtrl grid;
  FillNamedCells(grid);
  EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_FALSE(grid.item(0, 0)->flags().testFlag(Qt::ItemIsEditable));

  EXPECT_EQ(grid.cellTextColor(1, 1), grid.palette().color(QPalette::Text));
  EXPECT_EQ(grid.cellBackground(1, 1), grid.palette().color(QPalette::Base));
  grid.setCellTextColor(1, 1, QColor(255, 0, 0));
  grid.setCellBackground(1, 1, QColor(255, 255, 230));
  EXPECT_EQ(grid.cellTextColor(1, 1), QColor(255, 0, 0));
  EXPECT_EQ(grid.cellBackground(1, 1), QColor(255, 255, 230));
  EXPECT_EQ(grid.cellTextColor(1, 2), grid.palette().color(QPalette::Text));
}

TEST(grid_ctrl_test, a_drop_down_cell_reports_a_different_pick_once) {
  CGridCtrl grid;
  FillNamedCells(grid);
  grid.show();
  grid.setCellText(1, 3, QStringLiteral("bar"));
  grid.setCellOptions(1, 3, {QStringLiteral("bar"), QStringLiteral("MPa")});
  EXPECT_EQ(grid.cellOptions(1, 3), (QStringList{QStringLiteral("bar"), QStringLiteral("MPa")}));
  QComboBox* comboBox = grid.cellComboBox(1, 3);
  ASSERT_NE(comboBox, nullptr);
  EXPECT_EQ(comboBox->currentText(), QStringLiteral("bar"));

  QSignalSpy picks(&grid, &CGridCtrl::cellOptionPicked);
  QTest::keyClick(comboBox, Qt::Key_Down);
  ASSERT_EQ(picks.count(), 1);
  EXPECT_EQ(picks.at(0).at(0).toInt(), 1);
  EXPECT_EQ(picks.at(0).at(1).toInt(), 3);
  EXPECT_EQ(picks.at(0).at(2).toString(), QStringLiteral("MPa"));
  EXPECT_EQ(grid.cellText(1, 3), QStringLiteral("MPa"));

  // Choosing the text already shown must not report a change.
  Q_EMIT comboBox->activated(comboBox->currentIndex());
  EXPECT_EQ(picks.count(), 1);

  // Text written by the program shows in the list box.
  grid.setCellText(1, 3, QStringLiteral("bar"));
  EXPECT_EQ(comboBox->currentText(), QStringLiteral("bar"));

  grid.clearCellOptions(1, 3);
  EXPECT_EQ(grid.cellComboBox(1, 3), nullptr);
  EXPECT_TRUE(grid.cellOptions(1, 3).isEmpty());
  EXPECT_EQ(grid.cellText(1, 3), QStringLiteral("bar"));
  EXPECT_FALSE(grid.item(0, 2)->flags().testFlag(Qt::ItemIsEditable));
}

TEST(grid_ctrl_test, a_drop_down_cell_starts_at_its_first_option_for_a_foreign_text) {
  CGridCtrl grid;
  FillNamedCells(grid);
  grid.setCellOptions(2, 3, {QStringLiteral("°C"), QStringLiteral("K")});
  EXPECT_EQ(grid.cellText(2, 3), QStringLiteral("°C"));
  grid.setCellOptions(0, 1, {QStringLiteral("x")});  // the header row has no drop-downs
  EXPECT_TRUE(grid.cellOptions(0, 1).isEmpty());
}

TEST(grid_ctrl_test, copies_the_selection_as_tab_separated_lines) {
  CGridCtrl grid;
  FillNamedCells(grid);
  EXPECT_FALSE(grid.hasSelectedCells());
  EXPECT_EQ(grid.selectedCellsText(), QString());

  grid.setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 1), true);  // cells (1,1)-(2,2)
  EXPECT_TRUE(grid.hasSelectedCells());
  EXPECT_EQ(grid.selectedCellsText(), QStringLiteral("r1c1\tr1c2\nr2c1\tr2c2\n"));

  // Cells inside the spanning rectangle that are not selected stay empty.
  grid.clearSelection();
  grid.setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 0), true);
  grid.setRangeSelected(QTableWidgetSelectionRange(2, 2, 2, 2), true);
  EXPECT_EQ(grid.selectedCellsText(), QStringLiteral("r1c1\t\t\n\t\t\n\t\tr3c3\n"));

  QApplication::clipboard()->clear();
  QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), grid.selectedCellsText());
}

TEST(grid_ctrl_test, prints_to_pdf_with_one_page_per_screenful_of_rows) {
  QTemporaryDir directory;
  ASSERT_TRUE(directory.isValid());
  struct PrintCase {
    int rows;
    bool manyPages;
  };
  const PrintCase cases[] = {{5, false}, {400, true}};
  for (const PrintCase& testCase : cases) {
    CGridCtrl grid;
    grid.setGridRowCount(testCase.rows);
    grid.setGridColumnCount(15);
    grid.setCellText(0, 1, QStringLiteral("p [bar]"));
    grid.setCellText(1, 1, QStringLiteral("10"));
    const QString path = directory.filePath(QStringLiteral("grid%1.pdf").arg(testCase.rows));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const int pages = grid.print(printer);
    if (testCase.manyPages) {
      EXPECT_GT(pages, 1);
    } else {
      EXPECT_EQ(pages, 1);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
  }
}

}  // namespace
}  // namespace vaporix
