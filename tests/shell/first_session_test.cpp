#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "CGridCtrl.h"
#include "CNumericEdit.h"
#include "COutputView.h"
#include "CPageGeneral.h"
#include "CPageSaturation.h"
#include "CSplWnd.h"
#include "CVaporixView.h"
#include "GridDisplayHandler.h"
#include "InputPane.h"
#include "ShellTestSupport.h"
#include "vaporix/Properties.h"

// The program as a new user meets it: where the focus is, what the output
// pane shows and copies, and what a restart keeps.
namespace vaporix::test {
namespace {

class first_session_test : public MainFrameFixture {
 protected:
  void SetUp() override {
    MainFrameFixture::SetUp();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  }
  CVaporixView& View() const { return dynamic_cast<CVaporixView&>(frame->inputPane().widget()); }
  bool ShowActive() {
    frame->show();
    frame->activateWindow();
    return QTest::qWaitForWindowActive(frame.get());
  }
  void Calculate(CInputPropertyPage& page, const char* first, const char* second) {
    page.firstEdit().setText(QString::fromUtf8(first));
    page.secondEdit().setText(QString::fromUtf8(second));
    QTest::mouseClick(&page.calculateButton(), Qt::LeftButton);
  }
  // Whether grid row `row` (1-based) of a table lies wholly in its viewport.
  static bool RowInView(const CGridCtrl& table, int row) {
    const int top = table.rowViewportPosition(row - 1);
    return top >= 0 && top + table.rowHeight(row - 1) <= table.viewport()->height();
  }
};

TEST_F(first_session_test, output_pane_starts_with_six_rows_in_view_at_common_screen_sizes) {
  for (const QSize size : {QSize(1366, 768), QSize(1920, 1080)}) {
    frame = std::make_unique<CMainFrame>(document, services);
    frame->resize(size);
    ASSERT_TRUE(ShowActive());
    const CGridCtrl& table = frame->outputView().siTable();
    EXPECT_GE(table.viewport()->height(), 6 * table.rowHeight(0)) << size.width();
  }
}

TEST_F(first_session_test, first_input_has_the_focus_at_start_and_after_a_page_switch) {
  ASSERT_TRUE(ShowActive());
  EXPECT_TRUE(View().generalPage().firstEdit().hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
  ASSERT_EQ(View().activeIndex(), CVaporixView::kSaturationPageIndex);
  EXPECT_TRUE(View().saturationPage().firstEdit().hasFocus());
  View().setCurrentIndex(CVaporixView::kGeneralPageIndex);  // a click on the tab
  EXPECT_TRUE(View().generalPage().firstEdit().hasFocus());
}

// After 19 calculations the pane once still showed rows 1-10, on the tab of
// the other unit system.
TEST_F(first_session_test, each_new_result_is_shown_selected_on_its_tab) {
  ASSERT_TRUE(ShowActive());
  CPageGeneral& page = View().generalPage();
  COutputView& pane = frame->outputView();
  for (int index = 1; index <= 19; ++index) {
    Calculate(page, QByteArray::number(index).constData(), "300");
    ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.join(' ').toStdString();
    EXPECT_EQ(pane.tabs().currentWidget(), &pane.siTable()) << index;
    EXPECT_TRUE(RowInView(pane.siTable(), index)) << index;
    EXPECT_TRUE(pane.siTable().item(index - 1, 0)->isSelected()) << index;
  }
  QTest::mouseClick(&page.englishButton(), Qt::LeftButton);
  Calculate(page, "100", "500");
  EXPECT_EQ(pane.tabs().currentWidget(), &pane.englishTable());
  EXPECT_TRUE(pane.englishTable().item(0, 0)->isSelected());
  EXPECT_FALSE(pane.siTable().hasSelectedCells() && pane.tabs().currentWidget() == &pane.siTable());
}

// Select All and Copy once gave 17 tab-only lines after the results.
TEST_F(first_session_test, copy_of_the_whole_table_has_a_header_and_no_blank_rows) {
  document.PublishSIResult(SampleState(1.0), SampleTransport());
  document.PublishSIResult(SampleState(2.0), SampleTransport());
  ASSERT_TRUE(ShowActive());
  frame->ActivatePane(CMainFrame::Pane::Output);
  CGridCtrl& table = frame->outputView().siTable();
  ASSERT_TRUE(table.hasFocus());
  QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
  frame->UpdateCommandUI();
  QApplication::clipboard()->clear();
  QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
  const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("p [bar]\tt [°C]\t"))) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("10\t"))) << lines[1].toStdString();
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("20\t"))) << lines[2].toStdString();
}

// The pane shows fourteen columns; a double click brings the row's state,
// all thirty properties in both unit systems, into the results grid.
TEST_F(first_session_test, double_clicked_result_row_fills_the_results_grid) {
  ASSERT_TRUE(ShowActive());
  document.PublishSIResult(SampleState(1.0), SampleTransport());
  document.PublishSIResult(SampleState(2.0), SampleTransport());
  View().SetActivePage(CVaporixView::kSaturationPageIndex);
  CGridCtrl& table = frame->outputView().siTable();
  const QRect cell = table.visualRect(table.model()->index(1, 4));
  QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());

  ASSERT_EQ(View().activeIndex(), CVaporixView::kGeneralPageIndex);
  CPageGeneral& page = View().generalPage();
  ASSERT_TRUE(page.hasResults());
  const StateProperties& held = page.result().state;
  EXPECT_EQ(held.p, 2.0);
  EXPECT_EQ(page.grid().cellText(1, GridDisplayHandler::kResultColumn), "20");  // bar
  EXPECT_EQ(page.grid().cellText(25, GridDisplayHandler::kResultColumn), "1");  // dv
  QTest::mouseClick(&page.englishButton(), Qt::LeftButton);
  EXPECT_EQ(page.grid().cellText(1, GridDisplayHandler::kResultColumn),
            GridDisplayHandler::FormatValue(page.result().englishState.p));
  EXPECT_EQ(document.SIResults().size(), 2U);  // showing is not calculating
}

TEST_F(first_session_test, a_restart_brings_back_window_panes_and_inputs) {
  frame->resize(900, 650);
  ASSERT_TRUE(ShowActive());
  CPageSaturation& saturation = View().saturationPage();
  QTest::mouseClick(&saturation.englishButton(), Qt::LeftButton);
  saturation.functionList().setCurrentIndex(1);  // (t, x)
  saturation.firstEdit().setText(QStringLiteral("400"));
  saturation.secondEdit().setText(QStringLiteral("20"));
  CPageGeneral& general = View().generalPage();
  general.functionList().setCurrentIndex(2);  // (p, s)
  general.firstUnits().setCurrentIndex(1);    // MPa
  general.firstEdit().setText(QStringLiteral("5"));
  general.secondEdit().setText(QStringLiteral("-0.001"));
  View().SetActivePage(CVaporixView::kSaturationPageIndex);
  frame->outerSplitter().setSizes({400, 180});
  const int outputHeight = frame->outerSplitter().sizes().at(1);
  ASSERT_TRUE(frame->close());

  frame = std::make_unique<CMainFrame>(document, services);
  frame->RestoreSession();
  ASSERT_TRUE(ShowActive());
  EXPECT_EQ(frame->size(), QSize(900, 650));
  EXPECT_EQ(frame->outerSplitter().sizes().at(1), outputHeight);
  EXPECT_EQ(View().activeIndex(), CVaporixView::kSaturationPageIndex);
  CPageSaturation& nextSaturation = View().saturationPage();
  EXPECT_TRUE(nextSaturation.englishButton().isChecked());
  EXPECT_EQ(nextSaturation.functionList().currentIndex(), 1);
  EXPECT_EQ(nextSaturation.firstEdit().text(), QStringLiteral("400"));
  EXPECT_EQ(nextSaturation.secondEdit().text(), QStringLiteral("20"));
  CPageGeneral& nextGeneral = View().generalPage();
  EXPECT_TRUE(nextGeneral.siButton().isChecked());
  EXPECT_EQ(nextGeneral.functionList().currentIndex(), 2);
  EXPECT_EQ(nextGeneral.firstUnits().currentIndex(), 1);
  EXPECT_EQ(nextGeneral.firstEdit().text(), QStringLiteral("5"));
  EXPECT_EQ(nextGeneral.secondEdit().text(), QStringLiteral("-0.001"));
}

// The help defines every property of the engine's table with its units.
TEST(help_pages_test, properties_page_lists_every_property_with_its_units) {
  QFile page(QStringLiteral(VAPORIX_HELP_SOURCE_DIR "/properties.html"));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(page.readAll());
  const auto fromView = [](std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
  };
  for (const PropertyInfo& info : kProperties) {
    const QString key = info.key == "x" ? QStringLiteral("quality") : fromView(info.key);
    const int row = static_cast<int>(text.indexOf(QStringLiteral(" [%1]</td>").arg(key)));
    ASSERT_GE(row, 0) << info.key;
    const QString line = text.mid(row, text.indexOf(QStringLiteral("</tr>"), row) - row);
    if (info.number > 2) {  // pressure and temperature list their unit choices
      EXPECT_TRUE(line.contains(fromView(info.siUnit))) << info.key;
    }
    EXPECT_TRUE(line.contains(fromView(info.englishUnit))) << info.key;
  }
}

}  // namespace
}  // namespace vaporix::test
