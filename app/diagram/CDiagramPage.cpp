#include "CDiagramPage.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRubberBand>
#include <QSettings>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "CNumericEdit.h"
#include "CPageGeneral.h"
#include "vaporix/Properties.h"

namespace vaporix {
namespace {

using charts::ChartRange;
using charts::PlotMapping;

// A press that moves less than this is a click.
constexpr int kClickSlop = 4;
// Wheel zoom per notch.
constexpr double kWheelZoom = 0.8;
// Digits typed into the input page for a picked point.
constexpr int kPickedDigits = 7;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The window spanned by two pixel corners of a mapping.
ChartRange RangeOf(const PlotMapping& map, double left, double top, double right, double bottom) {
  return {map.ChartX(left), map.ChartX(right), map.ChartY(bottom), map.ChartY(top)};
}

// The text a user would type for a value: fixed notation with about seven
// significant digits; nothing for a value the numeric fields refuse.
std::optional<QString> TypedText(double value, const std::string& separator) {
  if (!std::isfinite(value) || value < 0.0 || value >= 1e5) {
    return std::nullopt;
  }
  const int before = value >= 1.0 ? static_cast<int>(std::floor(std::log10(value))) + 1 : 1;
  QString text = QString::number(value, 'f', std::max(0, kPickedDigits - before));
  return text.replace(QLatin1Char('.'), QString::fromStdString(separator));
}

}  // namespace

const QString CDiagramPage::kTitle = QStringLiteral("Diagram");

CDiagramCanvas::CDiagramCanvas(CDiagramPage& page, QWidget* parent)
    : QWidget(parent), m_page(page) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(320, 240);
  setAutoFillBackground(false);
}

void CDiagramCanvas::paintEvent(QPaintEvent* /*event*/) {
  // The chart is drawn once into a picture per trace, document and colours;
  // moving the cross-hair only repaints that picture and two lines.
  DiagramScene scene;
  scene.trace = &m_page.trace();
  scene.units = m_page.units();
  scene.markers = m_page.markers();
  scene.colors = DiagramColors::FromPalette(palette());
  std::vector<double> key{static_cast<double>(m_page.traceCount()),
                          static_cast<double>(width()),
                          static_cast<double>(height()),
                          static_cast<double>(scene.colors.background.rgba()),
                          static_cast<double>(scene.colors.text.rgba()),
                          devicePixelRatioF()};
  for (const DiagramMarker& marker : scene.markers) {
    key.insert(key.end(), {static_cast<double>(marker.number), marker.point.x, marker.point.y});
  }
  if (key != m_pictureKey) {
    m_picture = QPixmap(size() * devicePixelRatioF());
    m_picture.setDevicePixelRatio(devicePixelRatioF());
    QPainter picture(&m_picture);
    DiagramPainter::Paint(picture, QRectF(rect()), scene);
    m_pictureKey = std::move(key);
  }
  QPainter painter(this);
  painter.drawPixmap(0, 0, m_picture);
  if (m_crossHair) {
    DiagramPainter::PaintCrossHair(painter, QRectF(rect()), *m_crossHair, scene.colors);
  }
}

void CDiagramCanvas::mousePressEvent(QMouseEvent* event) {
  m_pressPosition = event->position().toPoint();
  m_pressRange = m_page.range();
  m_panning = false;
  m_pressed = true;
  const bool band = event->button() == Qt::RightButton ||
                    (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier));
  if (band) {
    if (m_rubberBand == nullptr) {
      m_rubberBand = new QRubberBand(QRubberBand::Rectangle, this);
    }
    m_rubberBand->setGeometry(QRect(m_pressPosition, QSize()));
    m_rubberBand->show();
  }
}

void CDiagramCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (m_pressed && m_rubberBand != nullptr && m_rubberBand->isVisible()) {
    m_rubberBand->setGeometry(QRect(m_pressPosition, at.toPoint()).normalized());
    return;
  }
  if (m_pressed && (event->buttons() & Qt::LeftButton) &&
      (m_panning || (at.toPoint() - m_pressPosition).manhattanLength() > kClickSlop)) {
    m_panning = true;
    const QRectF plot = DiagramPainter::PlotArea(QRectF(rect()));
    const PlotMapping start(m_pressRange, charts::Describe(m_page.chart()).logY, plot.left(),
                            plot.top(), plot.width(), plot.height());
    const double dx = at.x() - m_pressPosition.x();
    const double dy = at.y() - m_pressPosition.y();
    m_page.setRange(
        RangeOf(start, plot.left() - dx, plot.top() - dy, plot.right() - dx, plot.bottom() - dy));
    return;
  }
  m_crossHair = at;
  m_page.ShowReadOut(at);
  update();
}

void CDiagramCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (!m_pressed) {
    return;
  }
  m_pressed = false;
  if (m_rubberBand != nullptr && m_rubberBand->isVisible()) {
    m_rubberBand->hide();
    const QRect band = m_rubberBand->geometry();
    if (band.width() > kClickSlop && band.height() > kClickSlop) {
      const PlotMapping map = m_page.mapping();
      m_page.setRange(RangeOf(map, band.left(), band.top(), band.right(), band.bottom()));
    }
    return;
  }
  if (!m_panning && event->button() == Qt::LeftButton) {
    m_page.PickState(event->position());
  }
  m_panning = false;
}

void CDiagramCanvas::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0.0) {
    return;
  }
  const double factor = std::pow(kWheelZoom, notches);
  const QPointF at = event->position();
  const QRectF plot = DiagramPainter::PlotArea(QRectF(rect()));
  const PlotMapping map = m_page.mapping();
  m_page.setRange(RangeOf(
      map, at.x() + (plot.left() - at.x()) * factor, at.y() + (plot.top() - at.y()) * factor,
      at.x() + (plot.right() - at.x()) * factor, at.y() + (plot.bottom() - at.y()) * factor));
  event->accept();
}

void CDiagramCanvas::leaveEvent(QEvent* /*event*/) {
  m_crossHair.reset();
  update();
}

void CDiagramCanvas::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Home) {
    m_page.ResetRange();
    return;
  }
  QWidget::keyPressEvent(event);
}

CDiagramPage::CDiagramPage(CVaporixDoc& document, CPageGeneral& generalPage, QWidget* parent)
    : CPropertyViewPage(document, kTitle, QSize(404, 98), parent), m_generalPage(generalPage) {
  m_chartList = new QComboBox(this);
  for (const charts::ChartInfo& info : charts::kCharts) {
    m_chartList->addItem(Text(info.title));
  }
  m_unitList = new QComboBox(this);
  m_unitList->addItems({QStringLiteral("SI (bar, °C)"), QStringLiteral("SI (MPa, K)"),
                        QStringLiteral("English (psi, °F)")});
  m_homeButton = new QPushButton(QStringLiteral("&Home"), this);
  m_homeButton->setToolTip(QStringLiteral("Show the whole chart again (Home)"));
  m_readOut = new QLabel(this);
  m_readOut->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_canvas = new CDiagramCanvas(*this, this);

  auto* bar = new QHBoxLayout();
  auto* chartLabel = new QLabel(QStringLiteral("C&hart:"), this);
  chartLabel->setBuddy(m_chartList);
  auto* unitLabel = new QLabel(QStringLiteral("U&nits:"), this);
  unitLabel->setBuddy(m_unitList);
  bar->addWidget(chartLabel);
  bar->addWidget(m_chartList);
  bar->addSpacing(12);
  bar->addWidget(unitLabel);
  bar->addWidget(m_unitList);
  bar->addSpacing(12);
  bar->addWidget(m_homeButton);
  bar->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(m_canvas, 1);
  layout->addWidget(m_readOut);

  const QSettings settings;
  const int chart = settings.value(QStringLiteral("diagram/chart"), 0).toInt();
  const int unit = settings.value(QStringLiteral("diagram/units"), 0).toInt();
  m_chartList->setCurrentIndex(std::clamp(chart, 0, static_cast<int>(charts::kCharts.size()) - 1));
  m_unitList->setCurrentIndex(std::clamp(unit, 0, 2));
  m_chart = static_cast<charts::ChartType>(m_chartList->currentIndex());
  m_range = charts::Describe(m_chart).home;
  m_readOut->setText(
      QStringLiteral("Point at the chart for the state there; click to calculate it."));

  connect(m_chartList, &QComboBox::currentIndexChanged, this,
          [this](int index) { setChart(static_cast<charts::ChartType>(index)); });
  connect(m_unitList, &QComboBox::currentIndexChanged, this, [this](int) {
    m_traceValid = false;
    StoreSettings();
    m_canvas->update();
  });
  connect(m_homeButton, &QPushButton::clicked, this, &CDiagramPage::ResetRange);
  document.AddView(*this);
}

CDiagramPage::~CDiagramPage() {
  document().RemoveView(*this);
}

void CDiagramPage::setChart(charts::ChartType chart) {
  m_chart = chart;
  if (m_chartList->currentIndex() != static_cast<int>(chart)) {
    m_chartList->setCurrentIndex(static_cast<int>(chart));
  }
  m_range = charts::Describe(chart).home;
  m_traceValid = false;
  StoreSettings();
  m_canvas->update();
}

bool CDiagramPage::setRange(const ChartRange& range) {
  const bool logY = charts::Describe(m_chart).logY;
  const bool finite = std::isfinite(range.xMin) && std::isfinite(range.xMax) &&
                      std::isfinite(range.yMin) && std::isfinite(range.yMax);
  // A window narrower than a millionth of its position cannot be labelled.
  const auto wide = [](double lo, double hi) {
    return hi - lo > 1e-6 * std::max({std::abs(lo), std::abs(hi), 1e-3});
  };
  if (!finite || !wide(range.xMin, range.xMax) || !wide(range.yMin, range.yMax) ||
      (logY && !(range.yMin > 0.0))) {
    return false;
  }
  m_range = range;
  m_traceValid = false;
  m_canvas->update();
  return true;
}

void CDiagramPage::ResetRange() {
  setRange(charts::Describe(m_chart).home);
}

charts::DisplayUnits CDiagramPage::units() const {
  charts::DisplayUnits units;
  units.english = m_unitList->currentIndex() == kEnglish;
  units.pressureInBar = m_unitList->currentIndex() == kBarCelsius;
  units.temperatureInCelsius = m_unitList->currentIndex() == kBarCelsius;
  return units;
}

PlotMapping CDiagramPage::mapping() const {
  const QRectF plot = DiagramPainter::PlotArea(QRectF(m_canvas->rect()));
  return {m_range,      charts::Describe(m_chart).logY, plot.left(), plot.top(), plot.width(),
          plot.height()};
}

const charts::ChartTrace& CDiagramPage::trace() {
  const PlotMapping map = mapping();
  const charts::TraceRequest& last = m_trace.request;
  const charts::DisplayUnits shown = units();
  if (!m_traceValid || last.widthPixels != map.width || last.heightPixels != map.height ||
      shown.english != last.units.english || shown.pressureInBar != last.units.pressureInBar) {
    charts::TraceRequest request;
    request.chart = m_chart;
    request.range = m_range;
    request.widthPixels = map.width;
    request.heightPixels = map.height;
    request.units = shown;
    m_trace = m_tracer.Trace(request);
    m_traceValid = true;
    ++m_traceCount;
  }
  return m_trace;
}

std::vector<DiagramMarker> CDiagramPage::markers() const {
  return DocumentMarkers(document(), m_chart, units().english);
}

bool CDiagramPage::ShowReadOut(QPointF pixel) {
  const PlotMapping map = mapping();
  StateProperties state;
  if (!m_tracer.StateAt(m_chart, map.ChartX(pixel.x()), map.ChartY(pixel.y()), state)) {
    m_readOut->setText(QStringLiteral("No state of water or steam here."));
    return false;
  }
  const charts::DisplayUnits shown = units();
  QStringList parts;
  for (const Quantity quantity : {Quantity::Pressure, Quantity::Temperature, Quantity::Enthalpy,
                                  Quantity::Entropy, Quantity::Volume}) {
    const QuantityInfo& info = vaporix::Describe(quantity);
    parts.append(
        QStringLiteral("%1 = %2 %3")
            .arg(quantity == Quantity::Temperature ? QStringLiteral("T") : Text(info.key),
                 QString::number(charts::ToDisplay(quantity, state.*info.field, shown), 'g', 6),
                 Text(charts::UnitText(quantity, shown))));
  }
  const PropertyInfo& quality = *FindProperty("x");
  parts.append(IsAvailable(quality, state, TransportProperties{}, false)
                   ? QStringLiteral("x = %1 %").arg(QString::number(state.x, 'g', 6))
                   : QStringLiteral("x = N/A"));
  parts.append(QStringLiteral("region %1").arg(state.region));
  m_readOut->setText(parts.join(QStringLiteral("    ")));
  return true;
}

bool CDiagramPage::PickState(QPointF pixel) {
  const PlotMapping map = mapping();
  const charts::ChartInfo& info = charts::Describe(m_chart);
  const charts::DisplayUnits shown = units();
  CPageGeneral& page = m_generalPage;
  // The page's function of the chart's pair, found by the pair's name in the list.
  const InputPairInfo& pair = vaporix::Describe(info.pointPair);
  const QString name =
      QStringLiteral("(%1, %2)")
          .arg(Text(vaporix::Describe(pair.first).key), Text(vaporix::Describe(pair.second).key));
  const int position = page.functionList().findText(name, Qt::MatchContains);
  const std::optional<QString> first = TypedText(
      charts::ToDisplay(pair.first, map.ChartY(pixel.y()), shown), page.DecimalSeparator());
  const std::optional<QString> second = TypedText(
      charts::ToDisplay(pair.second, map.ChartX(pixel.x()), shown), page.DecimalSeparator());
  if (position < 0 || !first || !second) {
    m_readOut->setText(QStringLiteral("This point cannot be typed on the input page."));
    return false;
  }
  if (shown.english != (page.CurrentUnitSystem() == UnitSystem::English)) {
    (shown.english ? page.englishButton() : page.siButton()).click();
  }
  page.functionList().setCurrentIndex(position);
  for (QComboBox* list : {&page.firstUnits(), &page.secondUnits()}) {
    const Quantity quantity = list == &page.firstUnits() ? pair.first : pair.second;
    const int unit = list->findText(Text(charts::UnitText(quantity, shown)));
    if (unit >= 0) {
      list->setCurrentIndex(unit);
    } else if (list->count() > 1) {
      // Never type a value under a unit it is not in.
      m_readOut->setText(QStringLiteral("This point cannot be typed on the input page."));
      return false;
    }
  }
  page.firstEdit().setText(*first);
  page.secondEdit().setText(*second);
  const std::size_t before = document().SIResults().size() + document().EnglishResults().size();
  page.calculateButton().click();
  return document().SIResults().size() + document().EnglishResults().size() > before;
}

int CDiagramPage::print(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    return 0;
  }
  const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
  const QRectF page(QPointF(0, 0), area.size());
  const QRectF plot = DiagramPainter::PlotArea(page);
  charts::TraceRequest request;
  request.chart = m_chart;
  request.range = m_range;
  request.widthPixels = plot.width();
  request.heightPixels = plot.height();
  request.units = units();
  const charts::ChartTrace printed = m_tracer.Trace(request);
  DiagramScene scene;
  scene.trace = &printed;
  scene.units = units();
  scene.markers = markers();
  scene.colors = DiagramColors::FromPalette(PaperPalette());
  DiagramPainter::Paint(painter, page, scene);
  painter.end();
  return 1;
}

QSize CDiagramPage::ExportSize() const {
  // A canvas too small to read (hidden, or squeezed) is drawn at a usual size.
  return m_canvas->width() >= 200 && m_canvas->height() >= 150 ? m_canvas->size()
                                                               : QSize(1200, 850);
}

std::optional<QString> CDiagramPage::exportTo(const QString& path) {
  const QSize size = ExportSize();
  return WriteChartFile(path, size, m_tracer, m_chart, m_range, units(), markers(),
                        m_canvas->palette());
}

void CDiagramPage::copyToClipboard() {
  const QSize size = ExportSize();
  QGuiApplication::clipboard()->setImage(
      RenderChartImage(size, m_tracer, m_chart, m_range, units(), markers(), m_canvas->palette()));
}

void CDiagramPage::OnUpdate(CDocumentView* /*sender*/, UpdateHint /*hint*/) {
  m_canvas->update();
}

void CDiagramPage::OnNewDocument() {
  m_canvas->update();
}

void CDiagramPage::OnContentsReplaced() {
  m_canvas->update();
}

void CDiagramPage::StoreSettings() const {
  QSettings settings;
  settings.setValue(QStringLiteral("diagram/chart"), static_cast<int>(m_chart));
  settings.setValue(QStringLiteral("diagram/units"), m_unitList->currentIndex());
}

}  // namespace vaporix
