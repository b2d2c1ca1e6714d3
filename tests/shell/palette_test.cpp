#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "CCaption.h"
#include "CCaptionView.h"
#include "CGridCtrl.h"
#include "CHyperLink.h"
#include "CNumericEdit.h"
#include "COutputView.h"
#include "CPageGeneral.h"
#include "CPageSaturation.h"
#include "CStyledGroupBox.h"
#include "CVaporixView.h"
#include "Contrast.h"
#include "GridDisplayHandler.h"
#include "InputPane.h"
#include "ShellTestSupport.h"

// Every text of the main window stays readable on a dark desktop: the
// window is rendered and the ink of each kind of text measured against the
// background it sits on.
namespace vaporix::test {
namespace {

QPalette DarkPalette() {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(53, 53, 53));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::Base, QColor(35, 35, 35));
  dark.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  dark.setColor(QPalette::Button, QColor(53, 53, 53));
  dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  dark.setColor(QPalette::Light, QColor(80, 80, 80));
  dark.setColor(QPalette::Midlight, QColor(66, 66, 66));
  dark.setColor(QPalette::Mid, QColor(40, 40, 40));
  dark.setColor(QPalette::Dark, QColor(30, 30, 30));
  dark.setColor(QPalette::Shadow, QColor(10, 10, 10));
  dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
  dark.setColor(QPalette::HighlightedText, Qt::white);
  dark.setColor(QPalette::Link, QColor(110, 170, 255));
  dark.setColor(QPalette::ToolTipBase, QColor(53, 53, 53));
  dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
  return dark;
}

// The contrast of the text in an area of an image: its most frequent colour
// is the background, and the pixel farthest from it the ink.
double TextContrast(const QImage& image, const QRect& area) {
  QHash<QRgb, int> counts;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      ++counts[image.pixel(x, y)];
    }
  }
  QRgb background = 0;
  int most = -1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > most) {
      most = it.value();
      background = it.key();
    }
  }
  double best = 1.0;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    best = std::max(best, ContrastRatio(QColor(it.key()), QColor(background)));
  }
  return best;
}

class palette_test : public MainFrameFixture {
 protected:
  void SetUp() override {
    m_previous = QApplication::palette();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    MainFrameFixture::SetUp();
  }
  void TearDown() override {
    MainFrameFixture::TearDown();
    QApplication::setPalette(m_previous);
  }
  CVaporixView& View() const { return dynamic_cast<CVaporixView&>(frame->inputPane().widget()); }

  // Both pages with a result in a window of 1366 x 768.
  void ShowResults() {
    frame->resize(1366, 768);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    CPageGeneral& general = View().generalPage();
    general.firstEdit().setText(QStringLiteral("10"));
    general.secondEdit().setText(QStringLiteral("250"));
    general.calculateButton().click();
    CPageSaturation& saturation = View().saturationPage();
    saturation.functionList().setCurrentIndex(2);  // (p, h)
    saturation.firstEdit().setText(QStringLiteral("10"));
    saturation.secondEdit().setText(QStringLiteral("2000"));
    saturation.calculateButton().click();
    ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.join(' ').toStdString();
  }

  // The area of grid cell (row, column) in the window's coordinates.
  QRect CellArea(const CGridCtrl& grid, int row, int column) const {
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, column - 1));
    return QRect(grid.viewport()->mapTo(frame.get(), cell.topLeft()), cell.size())
        .adjusted(1, 1, -1, -1);
  }
  QRect Area(const QWidget& widget) const {
    return QRect(widget.mapTo(frame.get(), QPoint(0, 0)), widget.size());
  }

  struct Sample {
    const char* name;
    QRect area;
  };
  void ExpectReadable(const std::vector<Sample>& samples) {
    const QImage image = frame->grab().toImage();
    for (const Sample& sample : samples) {
      EXPECT_GE(TextContrast(image, sample.area), kReadableContrast) << sample.name;
    }
  }

  QPalette m_previous;
};

TEST_F(palette_test, every_text_reads_on_a_dark_palette) {
  QApplication::setPalette(DarkPalette());
  ShowResults();
  using Handler = GridDisplayHandler;
  const CGridCtrl& grid = View().generalPage().grid();
  const CStyledGroupBox& inputGroup = View().generalPage().inputGroup();
  ExpectReadable({
      {"banner", Area(frame->captionView().caption())},
      {"row title", CellArea(grid, 3, Handler::kTitleColumn)},
      {"red result", CellArea(grid, 3, Handler::kResultColumn)},
      {"blue result", CellArea(grid, 5, Handler::kResultColumn)},
      {"help link", Area(View().generalPage().hyperLink())},
      {"output pane caption", Area(frame->outputView().caption())},
      {"output pane value", CellArea(frame->outputView().siTable(), 1, 3)},
      {"unit", CellArea(grid, 3, Handler::kUnitColumn)},
      {"constant", CellArea(grid, 3, Handler::kConstantsColumn)},
      {"group caption", QRect(Area(inputGroup).topLeft(), QSize(inputGroup.width(), 20))},
      {"label on the group", Area(View().generalPage().functionLabel())},
      {"units group", Area(View().generalPage().siButton())},
  });
  View().SetActivePage(CVaporixView::kSaturationPageIndex);
  QCoreApplication::processEvents();
  const CGridCtrl& saturated = View().saturationPage().grid();
  ExpectReadable({
      {"liquid", CellArea(saturated, 3, Handler::kLiquidColumn)},
      {"mixture", CellArea(saturated, 3, Handler::kSaturationResultColumn)},
      {"vapour", CellArea(saturated, 3, Handler::kVaporColumn)},
      {"saturation constant", CellArea(saturated, 3, Handler::kSaturationConstantsColumn)},
  });
}

TEST_F(palette_test, the_banner_reads_on_the_light_palette) {
  ShowResults();
  ExpectReadable({{"banner", Area(frame->captionView().caption())}});
}

// Renders both pages at 1366 x 768 on the light and the dark palette; with
// VAPORIX_SCREENSHOT_DIR set it writes the docs/ pictures there.
TEST_F(palette_test, renders_both_pages_on_both_palettes) {
  QTemporaryDir scratch;
  ASSERT_TRUE(scratch.isValid());
  const char* given = std::getenv("VAPORIX_SCREENSHOT_DIR");
  const QByteArray scratchPath = scratch.path().toUtf8();
  const char* folder = given != nullptr ? given : scratchPath.constData();
  for (const bool dark : {false, true}) {
    // A fresh window on a fresh document, started under the palette.
    frame.reset();
    document.OnNewDocument();
    QApplication::setPalette(dark ? DarkPalette() : m_previous);
    frame = std::make_unique<CMainFrame>(document, services);
    ShowResults();
    const QString suffix = dark ? QStringLiteral("-dark.png") : QStringLiteral("-light.png");
    View().SetActivePage(CVaporixView::kGeneralPageIndex);
    QCoreApplication::processEvents();
    ASSERT_TRUE(frame->grab().save(QString::fromUtf8(folder) + "/window-general" + suffix));
    View().SetActivePage(CVaporixView::kSaturationPageIndex);
    QCoreApplication::processEvents();
    ASSERT_TRUE(frame->grab().save(QString::fromUtf8(folder) + "/window-saturation" + suffix));
  }
}

}  // namespace
}  // namespace vaporix::test
