#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "CDiagramPage.h"
#include "COutputDocumentView.h"
#include "COutputView.h"
#include "CPageGeneral.h"
#include "CVaporixDoc.h"
#include "CVaporixView.h"
#include "PagesTestSupport.h"

namespace vaporix {
namespace {

// The view with its diagram page current beside the output pane, on the h-s
// chart in MPa and K.
class DiagramTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::UseDotDecimalLocale(); }
  DiagramTest() {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(&view, 3);
    layout->addWidget(&pane, 1);
    window.resize(1100, 900);
    view.SetActivePage(CVaporixView::kDiagramPageIndex);
    diagram().setChart(charts::ChartType::HS);
    diagram().unitList().setCurrentIndex(CDiagramPage::kMegapascalKelvin);
    window.show();
    QCoreApplication::processEvents();
  }
  ~DiagramTest() override {
    view.setParent(nullptr);
    pane.setParent(nullptr);
  }
  CDiagramPage& diagram() { return view.diagramPage(); }
  // A canvas pixel well inside the plot, at fractions of its width and height.
  QPoint PlotPixel(double fx, double fy) {
    const charts::PlotMapping map = diagram().mapping();
    return QPointF(map.left + fx * map.width, map.top + fy * map.height).toPoint();
  }
  StateProperties EngineState(InputPair pair, double a, double b) {
    StateProperties state;
    TransportProperties transport;
    EXPECT_TRUE(engine.Calculate(pair, a, b, state, transport, false, false));
    return state;
  }

  CVaporixDoc document;
  test::CapturingMessages messages;
  QWidget window;
  CVaporixView view{document};
  COutputView pane;
  COutputDocumentView paneLink{document, pane};
  IF97Calculator engine;
};

// A calculated state appears as a marker, numbered as its output row, on the
// pixel its (s, h) maps to; New takes it away.
TEST_F(DiagramTest, document_state_is_a_marker_at_its_pixel) {
  engine.Initialize();
  CPageGeneral& page = view.generalPage();
  test::TypeInputs(page, QStringLiteral("100"), QStringLiteral("550"));  // bar, degC
  test::PressCalculate(page);
  ASSERT_EQ(document.SIResults().size(), 1u);
  const StateProperties state = EngineState(InputPair::PT, 10.0, 823.15);

  const std::vector<DiagramMarker> markers = diagram().markers();
  ASSERT_EQ(markers.size(), 1u);
  EXPECT_EQ(markers[0].number, 1);
  EXPECT_DOUBLE_EQ(markers[0].point.x, state.s);
  EXPECT_DOUBLE_EQ(markers[0].point.y, state.h);
  const charts::PlotMapping map = diagram().mapping();
  const QPoint at = QPointF(map.X(state.s), map.Y(state.h)).toPoint();
  const QImage image = diagram().canvas().grab().toImage();
  const QColor marker = DiagramColors::FromPalette(diagram().canvas().palette()).marker;
  EXPECT_EQ(image.pixelColor(at).rgb(), marker.rgb());

  document.OnNewDocument();
  EXPECT_TRUE(diagram().markers().empty());
}

// The read-out under the cursor shows the engine's state at the chart point.
TEST_F(DiagramTest, hover_read_out_equals_the_engine) {
  engine.Initialize();
  const QPoint at = PlotPixel(0.7, 0.3);
  QTest::mouseMove(&diagram().canvas(), at);
  const charts::PlotMapping map = diagram().mapping();
  const StateProperties state = EngineState(InputPair::HS, map.ChartY(at.y()), map.ChartX(at.x()));
  const QString text = diagram().readOut().text();
  for (const auto& [symbol, value] :
       {std::pair{"p", state.p}, std::pair{"T", state.t}, std::pair{"h", state.h},
        std::pair{"s", state.s}, std::pair{"v", state.v}}) {
    EXPECT_TRUE(text.contains(
        QStringLiteral("%1 = %2 ").arg(QLatin1String(symbol), QString::number(value, 'g', 6))))
        << symbol << " in " << text.toStdString();
  }
  EXPECT_TRUE(text.contains(QStringLiteral("region %1").arg(state.region)));
  ASSERT_TRUE(diagram().canvas().crossHair().has_value());
}

// A click calculates the point on the single-phase page with the chart's
// pair and units: one more document state and output row, the engine's state
// of the typed values.
TEST_F(DiagramTest, click_adds_one_output_row_with_the_engines_values) {
  engine.Initialize();
  struct Case {
    charts::ChartType chart;
    int units;
    const char* function;
    double firstFactor;  // typed value to the engine's unit
  };
  const Case cases[] = {
      {charts::ChartType::HS, CDiagramPage::kMegapascalKelvin, "(h, s)", 1.0},
      {charts::ChartType::PH, CDiagramPage::kBarCelsius, "(p, h)", 0.1},
  };
  CPageGeneral& page = view.generalPage();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& row = cases[i];
    SCOPED_TRACE(row.function);
    diagram().setChart(row.chart);
    diagram().unitList().setCurrentIndex(row.units);
    QTest::mouseClick(&diagram().canvas(), Qt::LeftButton, {}, PlotPixel(0.75, 0.25));
    ASSERT_TRUE(messages.messages.empty());
    ASSERT_EQ(document.SIResults().size(), i + 1);
    EXPECT_EQ(pane.siRowCount(), static_cast<int>(i + 1));
    EXPECT_TRUE(page.functionList().currentText().contains(QLatin1String(row.function)));
    const StateProperties expected = EngineState(
        charts::Describe(row.chart).pointPair, page.firstEdit().text().toDouble() * row.firstFactor,
        page.secondEdit().text().toDouble());
    const StateProperties& stored = document.SIResults()[i]->state;
    EXPECT_EQ(stored.p, expected.p);
    EXPECT_EQ(stored.t, expected.t);
    EXPECT_EQ(stored.h, expected.h);
    EXPECT_EQ(pane.siTable().cellText(static_cast<int>(i + 1), 0), QString::number(i + 1));
  }
}

// Wheel and rubber band narrow the window and trace it again; Home restores it.
TEST_F(DiagramTest, zoom_changes_the_range_and_retraces) {
  const charts::ChartRange home = diagram().range();
  diagram().canvas().grab();
  const int traces = diagram().traceCount();
  const QPointF at = PlotPixel(0.5, 0.5);
  QWheelEvent wheel(at, diagram().canvas().mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&diagram().canvas(), &wheel);
  const charts::ChartRange zoomed = diagram().range();
  EXPECT_NEAR(zoomed.xMax - zoomed.xMin, 0.8 * (home.xMax - home.xMin), 1e-9);
  diagram().canvas().grab();
  EXPECT_EQ(diagram().traceCount(), traces + 1);
  EXPECT_EQ(diagram().trace().request.range.xMin, zoomed.xMin);

  const charts::PlotMapping map = diagram().mapping();
  const QPoint from = PlotPixel(0.2, 0.2);
  const QPoint to = PlotPixel(0.4, 0.5);
  QTest::mousePress(&diagram().canvas(), Qt::RightButton, {}, from);
  QTest::mouseMove(&diagram().canvas(), to);
  QMouseEvent move(QEvent::MouseMove, to, diagram().canvas().mapToGlobal(to), Qt::NoButton,
                   Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(&diagram().canvas(), &move);
  QTest::mouseRelease(&diagram().canvas(), Qt::RightButton, {}, to);
  EXPECT_NEAR(diagram().range().xMin, map.ChartX(from.x()), 1e-9);
  EXPECT_NEAR(diagram().range().yMax, map.ChartY(from.y()), 1e-9);
  EXPECT_TRUE(document.SIResults().empty()) << "a rubber band is no click";

  QTest::mouseClick(&diagram().homeButton(), Qt::LeftButton);
  EXPECT_EQ(diagram().range().xMax, home.xMax);
  EXPECT_EQ(diagram().range().yMax, home.yMax);
}

// With the diagram in use, printing prints the chart; the same drawing on a
// dark desktop keeps its lines apart from the background.
TEST_F(DiagramTest, prints_the_diagram_and_reads_on_a_dark_palette) {
  QTemporaryDir folder;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath(QStringLiteral("chart.pdf")));
  EXPECT_EQ(view.printCurrentGrid(printer), 1);
  QFile pdf(folder.filePath(QStringLiteral("chart.pdf")));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_EQ(pdf.read(5), QByteArray("%PDF-"));

  QPalette dark;
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  const DiagramColors colors = DiagramColors::FromPalette(dark);
  for (const Quantity family : {Quantity::Pressure, Quantity::Temperature, Quantity::Volume,
                                Quantity::Enthalpy, Quantity::Entropy, Quantity::Quality}) {
    EXPECT_GT(colors.Family(family).lightnessF() - colors.background.lightnessF(), 0.4)
        << vaporix::Describe(family).key.data();
  }
}

}  // namespace
}  // namespace vaporix
