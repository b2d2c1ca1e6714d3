#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QPrinter>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "COutputDocumentView.h"
#include "COutputView.h"
#include "CPageGeneral.h"
#include "CPageSaturation.h"
#include "CVaporixDoc.h"
#include "CVaporixView.h"
#include "PagesTestSupport.h"

namespace vaporix {
namespace {

using Handler = GridDisplayHandler;

// The two panes of the main window over one document, as the shell puts them.
class ViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::UseDotDecimalLocale(); }

  ViewTest() {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(&view, 3);
    layout->addWidget(&pane, 1);
    window.resize(1100, 900);
  }
  ~ViewTest() override {
    // The panes are members, not children the layout would delete.
    view.setParent(nullptr);
    pane.setParent(nullptr);
  }

  // A (p, t) result on the single-phase page in its current unit system.
  void CalculateGeneral(const QString& pressureBar, const QString& temperatureCelsius) {
    CPageGeneral& page = view.generalPage();
    test::TypeInputs(page, pressureBar, temperatureCelsius);
    test::PressCalculate(page);
    ASSERT_TRUE(messages.messages.empty());
  }

  CVaporixDoc document;
  test::CapturingMessages messages;
  QWidget window;
  CVaporixView view{document};
  COutputView pane;
  COutputDocumentView paneLink{document, pane};
};

TEST_F(ViewTest, holds_the_three_pages_with_the_first_current) {
  ASSERT_EQ(view.count(), 3);
  EXPECT_EQ(view.tabText(0), QStringLiteral("Subcooled/Superheated properties"));
  EXPECT_EQ(view.tabText(1), QStringLiteral("Saturation properties"));
  EXPECT_EQ(view.tabText(2), QStringLiteral("Diagram"));
  EXPECT_EQ(view.activeIndex(), CVaporixView::kGeneralPageIndex);
  EXPECT_EQ(&view.currentPage(), static_cast<CInputPropertyPage*>(&view.generalPage()));
  EXPECT_EQ(&view.currentGrid(), &view.generalPage().grid());
}

// Contrast ratio of two colours by their relative luminance (sRGB).
double ContrastRatio(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& color) {
    const auto linear = [](double channel) {
      return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Each tab carries its own picture, drawn so that at 16 px its outline
// stands out from the window on a light and on a dark palette; a band in the
// button colour runs above the tabs.
TEST_F(ViewTest, tabs_carry_icons_for_light_and_dark_palettes_below_a_band) {
  window.show();
  QCoreApplication::processEvents();
  EXPECT_GE(view.tabBar()->geometry().top(), CPropertyView::kBandHeight);
  EXPECT_GE(view.currentWidget()->mapTo(&view, QPoint(0, 0)).y(),
            view.tabBar()->geometry().bottom());
  const QImage shot = view.grab().toImage();
  for (int y = 0; y < CPropertyView::kBandHeight; ++y) {
    for (const int x : {0, shot.width() / 2, shot.width() - 1}) {
      EXPECT_EQ(shot.pixelColor(x, y), view.palette().color(QPalette::Button)) << x << "," << y;
    }
  }

  const QPalette light = QApplication::palette();
  QPalette dark = light;
  for (const auto& [role, color] : {std::pair{QPalette::Window, QColor(45, 45, 48)},
                                    {QPalette::WindowText, QColor(235, 235, 235)},
                                    {QPalette::Base, QColor(30, 30, 30)},
                                    {QPalette::Button, QColor(55, 55, 58)},
                                    {QPalette::Text, QColor(235, 235, 235)}}) {
    dark.setColor(role, color);
  }
  for (const auto& [name, palette] : {std::pair{"light", light}, {"dark", dark}}) {
    QApplication::setPalette(palette);
    const QImage first = view.tabIcon(0).pixmap(16, 16).toImage();
    const QImage second = view.tabIcon(1).pixmap(16, 16).toImage();
    ASSERT_FALSE(first.isNull()) << name;
    EXPECT_NE(first, second) << name;
    for (const QImage& icon : {first, second}) {
      int outline = 0;
      for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
          const QColor pixel = icon.pixelColor(x, y);
          if (pixel.alpha() >= 200 &&
              ContrastRatio(pixel, palette.color(QPalette::Window)) >= 4.5) {
            ++outline;
          }
        }
      }
      EXPECT_GE(outline, 12) << name;
    }
  }
  QApplication::setPalette(light);
}

TEST_F(ViewTest, control_keys_switch_pages_and_wrap_around) {
  ASSERT_TRUE(test::ShowActive(window));
  view.generalPage().firstEdit().setFocus();
  struct Step {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int expectedIndex;
  };
  const Step kSteps[] = {
      {Qt::Key_Tab, Qt::ControlModifier, 1},
      {Qt::Key_Tab, Qt::ControlModifier, 2},
      {Qt::Key_Tab, Qt::ControlModifier, 0},
      {Qt::Key_PageDown, Qt::ControlModifier, 1},
      {Qt::Key_PageUp, Qt::ControlModifier, 0},
      {Qt::Key_PageUp, Qt::ControlModifier, 2},
      {Qt::Key_PageDown, Qt::ControlModifier, 0},
      {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 2},
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1},
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
  };
  for (const Step& step : kSteps) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, step.key, step.modifiers);
    EXPECT_EQ(view.activeIndex(), step.expectedIndex) << "key " << step.key;
    // The focus moves into the page now shown.
    EXPECT_TRUE(view.activePage()->isAncestorOf(QApplication::focusWidget()));
  }
  // From the results grid as well.
  view.generalPage().grid().setFocus();
  QTest::keyClick(&view.generalPage().grid(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(view.activeIndex(), 1);
}

TEST_F(ViewTest, control_tab_in_the_output_pane_leaves_the_pages_alone) {
  ASSERT_TRUE(test::ShowActive(window));
  pane.siTable().setFocus();
  QTest::keyClick(&pane.siTable(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(view.activeIndex(), 0);
}

TEST_F(ViewTest, results_are_listed_in_the_table_of_their_unit_system) {
  test::SelectUnits(view.generalPage(), 1, 1);
  CalculateGeneral("1", "373.15");
  ASSERT_EQ(pane.siRowCount(), 1);
  EXPECT_EQ(pane.siTable().cellText(1, 1), QStringLiteral("10"));
  EXPECT_EQ(pane.siTable().cellText(1, 2), QStringLiteral("100"));
  EXPECT_EQ(pane.siTable().cellText(1, 13), QStringLiteral("N/A"));
  EXPECT_EQ(pane.siTable().cellText(1, 14), QStringLiteral("1"));
  EXPECT_EQ(pane.englishRowCount(), 0);

  CPageGeneral& general = view.generalPage();
  test::ClickEnglish(general);
  CalculateGeneral("100", "212");  // psi and °F
  ASSERT_EQ(pane.englishRowCount(), 1);
  ASSERT_EQ(document.EnglishResults().size(), 1U);
  EXPECT_EQ(pane.englishTable().cellText(1, 1),
            Handler::FormatValue(document.EnglishResults().front()->state.p));
  EXPECT_EQ(pane.englishTable().cellText(1, 2),
            Handler::FormatValue(document.EnglishResults().front()->state.t));
  EXPECT_EQ(pane.englishTable().cellText(1, 13), QStringLiteral("N/A"));
  EXPECT_EQ(pane.englishTable().cellText(1, 14), QStringLiteral("1"));
  EXPECT_EQ(pane.siRowCount(), 1);
  EXPECT_TRUE(pane.siTable().cellText(2, 1).isEmpty());

  // Switching units shows the held result again and adds no row.
  test::ClickSI(general);
  test::ClickEnglish(general);
  EXPECT_EQ(pane.siRowCount(), 1);
  EXPECT_EQ(pane.englishRowCount(), 1);
  EXPECT_EQ(document.SIResults().size(), 1U);
  EXPECT_EQ(document.EnglishResults().size(), 1U);
}

TEST_F(ViewTest, the_21st_result_grows_the_table_by_ten_rows) {
  for (int result = 1; result <= 21; ++result) {
    CalculateGeneral("10", QString::number(20 + result));
    if (result == 20) {
      EXPECT_EQ(pane.siTable().gridRowCount(), 21);
    }
  }
  EXPECT_EQ(pane.siRowCount(), 21);
  EXPECT_EQ(pane.siTable().gridRowCount(), 30);
  EXPECT_EQ(pane.siTable().cellText(21, 2), QStringLiteral("41"));
  EXPECT_EQ(pane.siTable().cellText(29, 0), QStringLiteral("29"));
  EXPECT_TRUE(pane.siTable().cellText(22, 1).isEmpty());
  EXPECT_EQ(pane.englishTable().gridRowCount(), 21);
}

TEST_F(ViewTest, new_document_clears_the_tables_and_resets_both_pages) {
  for (int result = 1; result <= 21; ++result) {
    CalculateGeneral("10", QString::number(20 + result));
  }
  test::ClickEnglish(view.generalPage());
  CalculateGeneral("100", "212");
  CPageSaturation& saturation = view.saturationPage();
  view.SetActivePage(CVaporixView::kSaturationPageIndex);
  test::ClickEnglish(saturation);
  test::SelectFunction(saturation, 3);
  test::TypeInputs(saturation, "100", "1.5");
  ASSERT_EQ(pane.englishRowCount(), 1);

  ASSERT_TRUE(document.OnNewDocument());
  EXPECT_EQ(pane.siRowCount(), 0);
  EXPECT_EQ(pane.englishRowCount(), 0);
  EXPECT_EQ(pane.siTable().gridRowCount(), 30);
  EXPECT_TRUE(pane.siTable().cellText(1, 1).isEmpty());
  EXPECT_TRUE(pane.englishTable().cellText(1, 1).isEmpty());
  EXPECT_EQ(pane.siTable().cellText(21, 0), QStringLiteral("21"));

  EXPECT_EQ(view.activeIndex(), CVaporixView::kGeneralPageIndex);
  for (CInputPropertyPage* page : {static_cast<CInputPropertyPage*>(&view.generalPage()),
                                   static_cast<CInputPropertyPage*>(&saturation)}) {
    EXPECT_FALSE(page->hasResults());
    EXPECT_EQ(page->CurrentUnitSystem(), UnitSystem::SI);
    EXPECT_TRUE(page->siButton().isChecked());
    EXPECT_EQ(page->functionList().currentIndex(), 0);
    EXPECT_EQ(page->firstLabel().text(), QStringLiteral("&1. Pressure"));
    EXPECT_TRUE(page->firstEdit().text().isEmpty());
    for (int column = 2; column < page->unitColumn(); ++column) {
      EXPECT_TRUE(page->grid().cellText(1, column).isEmpty()) << "column " << column;
    }
    EXPECT_EQ(page->grid().cellText(1, page->unitColumn()), QStringLiteral("bar"));
  }
  EXPECT_FALSE(document.IsModified());
}

TEST_F(ViewTest, opening_a_file_replays_its_results_into_the_tables) {
  test::SelectUnits(view.generalPage(), 1, 1);
  CalculateGeneral("1", "373.15");
  CalculateGeneral("3", "300");
  test::ClickEnglish(view.generalPage());
  CalculateGeneral("14.5", "100");
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const std::string path = folder.filePath(QStringLiteral("results.stb")).toStdString();
  ASSERT_EQ(document.OnSaveDocument(path), DocumentError::None);

  CalculateGeneral("20", "100");  // an English row that is not in the file
  ASSERT_EQ(pane.englishRowCount(), 2);

  ASSERT_EQ(document.OnOpenDocument(path), DocumentError::None);
  EXPECT_EQ(pane.siRowCount(), 2);
  EXPECT_EQ(pane.englishRowCount(), 1);
  EXPECT_EQ(pane.siTable().cellText(1, 1), QStringLiteral("10"));
  EXPECT_EQ(pane.siTable().cellText(2, 1), QStringLiteral("30"));
  EXPECT_EQ(pane.siTable().cellText(2, 2), QStringLiteral("26.85"));
  ASSERT_EQ(document.EnglishResults().size(), 1U);
  EXPECT_EQ(pane.englishTable().cellText(1, 1),
            Handler::FormatValue(document.EnglishResults().front()->state.p));
  EXPECT_TRUE(pane.englishTable().cellText(2, 1).isEmpty());
  // The pages keep what they show.
  EXPECT_TRUE(view.generalPage().hasResults());
}

TEST_F(ViewTest, a_focused_grid_drops_every_other_selection) {
  ASSERT_TRUE(test::ShowActive(window));
  CalculateGeneral("10", "100");
  CGridCtrl& pageGrid = view.generalPage().grid();
  pane.siTable().setFocus();
  pane.siTable().setCurrentCell(0, 0);
  ASSERT_TRUE(pane.siTable().hasSelectedCells());

  pageGrid.setFocus(Qt::MouseFocusReason);
  EXPECT_FALSE(pane.siTable().hasSelectedCells());
  pageGrid.setCurrentCell(0, 1);
  ASSERT_TRUE(pageGrid.hasSelectedCells());
  EXPECT_TRUE(view.canCopy());

  pane.siTable().setFocus(Qt::MouseFocusReason);
  EXPECT_FALSE(pageGrid.hasSelectedCells());
  EXPECT_FALSE(view.canCopy());
}

TEST_F(ViewTest, copy_and_print_take_the_current_pages_grid) {
  CalculateGeneral("10", "100");
  CGridCtrl& grid = view.currentGrid();
  grid.setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 1), true);
  ASSERT_TRUE(view.canCopy());
  view.copySelection();
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("Pressure   [p]\t10\nTemperature   [t]\t100\n"));

  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath(QStringLiteral("grid.pdf")));
  EXPECT_GE(view.printCurrentGrid(printer), 1);
  EXPECT_GT(QFile(printer.outputFileName()).size(), 0);

  view.SetActivePage(CVaporixView::kSaturationPageIndex);
  EXPECT_EQ(&view.currentGrid(), &view.saturationPage().grid());
  EXPECT_FALSE(view.canCopy());
}

TEST_F(ViewTest, bare_p_s_and_c_keys_do_nothing_and_control_keys_reach_the_shell) {
  // The shell's Print, Save and Copy actions with their shortcuts.
  QAction print(QStringLiteral("Print"), &window);
  QAction save(QStringLiteral("Save"), &window);
  QAction copy(QStringLiteral("Copy"), &window);
  print.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  save.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  copy.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  window.addAction(&print);
  window.addAction(&save);
  window.addAction(&copy);
  QSignalSpy printed(&print, &QAction::triggered);
  QSignalSpy saved(&save, &QAction::triggered);
  QSignalSpy copied(&copy, &QAction::triggered);
  ASSERT_TRUE(test::ShowActive(window));

  CalculateGeneral("10", "100");
  CPageGeneral& page = view.generalPage();
  for (QWidget* target : std::initializer_list<QWidget*>{&page.englishButton(), &page.grid(),
                                                         &page.calculateButton()}) {
    target->setFocus();
    for (const Qt::Key key : {Qt::Key_P, Qt::Key_S, Qt::Key_C}) {
      QTest::keyClick(target, key);
    }
  }
  EXPECT_EQ(printed.count(), 0);
  EXPECT_EQ(saved.count(), 0);
  EXPECT_EQ(copied.count(), 0);
  EXPECT_TRUE(document.IsModified());
  EXPECT_FALSE(page.englishButton().isChecked());

  page.englishButton().setFocus();
  QTest::keyClick(&page.englishButton(), Qt::Key_P, Qt::ControlModifier);
  QTest::keyClick(&page.englishButton(), Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(&page.englishButton(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(printed.count(), 1);
  EXPECT_EQ(saved.count(), 1);
  EXPECT_EQ(copied.count(), 1);
}

}  // namespace
}  // namespace vaporix
