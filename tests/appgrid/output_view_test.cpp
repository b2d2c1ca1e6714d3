#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPrinter>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "CCaption.h"
#include "CFlatButton.h"
#include "CGridCtrl.h"
#include "COutputView.h"
#include "widgets/QtTestApplication.h"

namespace vaporix {
namespace {

StateProperties State(double p, double t, int region, double x = 0.0) {
  StateProperties state;
  state.p = p;
  state.t = t;
  state.v = 0.00104;
  state.d = 958.7;
  state.h = 419.8;
  state.s = 1.3066;
  state.u = 418.8;
  state.cp = 4.215;
  state.cv = 3.768;
  state.w = 1545.7;
  state.kapa = 21762.4;
  state.Z = 0.00603;
  state.x = x;
  state.region = region;
  return state;
}

QStringList RowTexts(const CGridCtrl& table, int row) {
  QStringList texts;
  for (int column = 1; column < table.gridColumnCount(); ++column) {
    texts << table.cellText(row, column);
  }
  return texts;
}

TEST(output_view_test, caption_tabs_and_table_headers) {
  COutputView view;
  EXPECT_EQ(view.caption().text(), QStringLiteral("Output - All Results [ main properties ]"));
  EXPECT_EQ(view.tabs().count(), 2);
  EXPECT_EQ(view.tabs().tabText(0), QStringLiteral("SI Unit results"));
  EXPECT_EQ(view.tabs().tabText(1), QStringLiteral("English Unit results"));
  EXPECT_EQ(view.tabs().currentIndex(), 0);
  EXPECT_EQ(&view.activeTable(), &view.siTable());

  const QStringList siHeaders{"p [bar]",        "t [°C]",        "d [kg/m³]", "v [m³/kg]",
                              "h [kJ/kg]",      "s [kJ/(kg·K)]", "u [kJ/kg]", "cp [kJ/(kg·K)]",
                              "cv [kJ/(kg·K)]", "w [m/s]",       "kapa [-]",  "Z [-]",
                              "quality [%]",    "region [-]"};
  const QStringList englishHeaders{
      "p [psi]",         "t [°F]",     "d [lb/ft³]",       "v [ft³/lb]",       "h [Btu/lb]",
      "s [Btu/(lb·°F)]", "u [Btu/lb]", "cp [Btu/(lb·°F)]", "cv [Btu/(lb·°F)]", "w [ft/s]",
      "kapa [-]",        "Z [-]",      "quality [%]",      "region [-]"};
  EXPECT_EQ(RowTexts(view.siTable(), 0), siHeaders);
  EXPECT_EQ(RowTexts(view.englishTable(), 0), englishHeaders);
  for (const CGridCtrl* table : {&view.siTable(), &view.englishTable()}) {
    EXPECT_EQ(table->gridRowCount(), 21);
    EXPECT_EQ(table->gridColumnCount(), 15);
    EXPECT_EQ(table->gridColumnWidth(0), 30);
    EXPECT_EQ(table->cellText(1, 0), QStringLiteral("1"));
    EXPECT_EQ(table->cellText(20, 0), QStringLiteral("20"));
  }
}

TEST(output_view_test, rows_go_into_the_table_of_their_unit_system) {
  COutputView view;
  view.OnUpdate(COutputView::kHintSIResultAdded, State(1.0, 373.15, 1));
  view.OnUpdate(COutputView::kHintEnglishResultAdded, State(14.5, 212.0, 1));
  EXPECT_EQ(view.siRowCount(), 1);
  EXPECT_EQ(view.englishRowCount(), 1);
  EXPECT_EQ(RowTexts(view.siTable(), 1),
            (QStringList{"10", "100", "958.7", "0.00104", "419.8", "1.3066", "418.8", "4.215",
                         "3.768", "1545.7", "21762.4", "0.00603", "N/A", "1"}));
  EXPECT_EQ(view.englishTable().cellText(1, 1), QStringLiteral("14.5"));
  EXPECT_EQ(view.englishTable().cellText(1, 2), QStringLiteral("212"));
  EXPECT_EQ(view.siTable().cellText(2, 1), QString());

  view.OnUpdate(999, State(1.0, 373.15, 1));  // another hint only redraws
  EXPECT_EQ(view.siRowCount(), 1);
  EXPECT_EQ(view.englishRowCount(), 1);
}

TEST(output_view_test, quality_is_shown_for_region_four_only) {
  struct QualityCase {
    int region;
    double x;
    const char* text;
  };
  const QualityCase cases[] = {
      {2, 0.0, "N/A"},   {2, 100.0, "N/A"},  // saturated vapour carries region 2
      {3, 100.0, "N/A"}, {4, 50.0, "50"},   {4, 0.0, "0"},
  };
  COutputView view;
  int row = 0;
  for (const QualityCase& testCase : cases) {
    view.AppendSIRow(State(0.5, 425.0, testCase.region, testCase.x));
    ++row;
    EXPECT_EQ(view.siTable().cellText(row, 13), QString::fromLatin1(testCase.text)) << row;
    EXPECT_EQ(view.siTable().cellText(row, 14), QString::number(testCase.region));
  }
}

TEST(output_view_test, tables_grow_by_ten_rows_when_full) {
  COutputView view;
  for (int i = 1; i <= 20; ++i) {
    view.AppendEnglishRow(State(i, 100.0, 1));
  }
  EXPECT_EQ(view.englishTable().gridRowCount(), 21);

  view.AppendEnglishRow(State(21.0, 100.0, 1));
  EXPECT_EQ(view.englishTable().gridRowCount(), 30);
  EXPECT_EQ(view.englishTable().cellText(21, 1), QStringLiteral("21"));
  EXPECT_EQ(view.englishTable().cellText(21, 0), QStringLiteral("21"));
  EXPECT_EQ(view.englishTable().cellText(29, 0), QStringLiteral("29"));

  for (int i = 22; i <= 29; ++i) {
    view.AppendEnglishRow(State(i, 100.0, 1));
  }
  EXPECT_EQ(view.englishTable().gridRowCount(), 30);
  view.AppendEnglishRow(State(30.0, 100.0, 1));
  EXPECT_EQ(view.englishTable().gridRowCount(), 39);
  EXPECT_EQ(view.englishTable().cellText(30, 1), QStringLiteral("30"));
  EXPECT_EQ(view.englishTable().cellText(38, 0), QStringLiteral("38"));
  EXPECT_EQ(view.siTable().gridRowCount(), 21);
}

TEST(output_view_test, clearing_keeps_row_counts_and_row_numbers) {
  COutputView view;
  for (int i = 0; i < 25; ++i) {
    view.AppendSIRow(State(1.0, 373.15, 1));
  }
  view.AppendEnglishRow(State(14.5, 212.0, 1));
  view.ClearTables();
  EXPECT_EQ(view.siRowCount(), 0);
  EXPECT_EQ(view.englishRowCount(), 0);
  EXPECT_EQ(view.siTable().gridRowCount(), 30);
  EXPECT_EQ(view.englishTable().gridRowCount(), 21);
  for (int row = 1; row < 30; ++row) {
    EXPECT_EQ(RowTexts(view.siTable(), row).join(QString()), QString()) << row;
    EXPECT_EQ(view.siTable().cellText(row, 0), QString::number(row));
  }
  EXPECT_EQ(view.englishTable().cellText(1, 1), QString());
  EXPECT_EQ(view.siTable().cellText(0, 1), QStringLiteral("p [bar]"));

  view.AppendSIRow(State(2.0, 373.15, 1));
  EXPECT_EQ(view.siTable().cellText(1, 1), QStringLiteral("20"));
}

TEST(output_view_test, copies_the_selection_of_the_active_tab) {
  COutputView view;
  view.AppendSIRow(State(1.0, 373.15, 1));
  view.AppendSIRow(State(2.0, 473.15, 1));
  view.AppendEnglishRow(State(14.5, 212.0, 1));
  // The newest row is shown selected on its own tab.
  EXPECT_EQ(&view.activeTable(), &view.englishTable());
  EXPECT_TRUE(view.canCopy());

  view.tabs().setCurrentIndex(0);
  view.siTable().clearSelection();
  EXPECT_FALSE(view.canCopy());
  view.siTable().setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 1), true);
  EXPECT_TRUE(view.canCopy());
  view.copySelection();
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("p [bar]\tt [°C]\n10\t100\n20\t200\n"));

  view.tabs().setCurrentIndex(1);
  EXPECT_EQ(&view.activeTable(), &view.englishTable());
  view.englishTable().clearSelection();
  view.englishTable().setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 1), true);
  view.copySelection();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("p [psi]\tt [°F]\n14.5\t212\n"));

  view.OnUpdate(COutputView::kHintDropSelection, StateProperties{});
  EXPECT_FALSE(view.siTable().hasSelectedCells());
  EXPECT_FALSE(view.englishTable().hasSelectedCells());
  EXPECT_FALSE(view.canCopy());
}

TEST(output_view_test, focus_close_button_and_caption_colours) {
  COutputView view;
  view.resize(600, 120);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  EXPECT_EQ(view.closeButton().geometry(), QRect(600 - 18, 2, 16, 15));
  EXPECT_EQ(view.caption().geometry(), QRect(0, 0, 600, 19));

  QSignalSpy closes(&view, &COutputView::closeRequested);
  QTest::mouseClick(&view.closeButton(), Qt::LeftButton);
  EXPECT_EQ(closes.count(), 1);

  QSignalSpy focused(&view, &COutputView::tableFocused);
  view.activateWindow();
  view.siTable().setFocus(Qt::MouseFocusReason);
  QCoreApplication::processEvents();
  EXPECT_GE(focused.count(), 1);
  EXPECT_TRUE(view.isActive());
  EXPECT_EQ(view.caption().backgroundColor(), view.palette().color(QPalette::Highlight));

  view.setActive(false);
  EXPECT_EQ(view.caption().textColor(), QColor(0, 0, 200));
  EXPECT_EQ(view.caption().backgroundColor(), view.palette().color(QPalette::Button));
}

TEST(output_view_test, prints_the_active_table) {
  QTemporaryDir directory;
  ASSERT_TRUE(directory.isValid());
  COutputView view;
  view.AppendSIRow(State(1.0, 373.15, 1));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(directory.filePath(QStringLiteral("output.pdf")));
  EXPECT_EQ(view.printActiveTable(printer), 1);
  QFile file(printer.outputFileName());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_GT(file.size(), 0);
}

}  // namespace
}  // namespace vaporix
