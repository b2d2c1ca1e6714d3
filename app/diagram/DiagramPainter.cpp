#include "DiagramPainter.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "CVaporixDoc.h"
#include "vaporix/charts/NiceValues.h"

namespace vaporix {
namespace {

using charts::ChartInfo;
using charts::ChartPoint;
using charts::LineKind;
using charts::PlotMapping;
using charts::Polyline;

// Far-away vertices are pulled in so that the raster engine keeps its precision.
constexpr double kFarPixels = 1e5;

// The drawing unit: one pixel on a 1000 x 700 image, more on a printer page.
double Unit(const QRectF& area) {
  return std::max(1.0, std::min(area.width() / 1000.0, area.height() / 700.0));
}

QString Number(double value) {
  return QString::number(value, 'g', 6);
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Symbol(Quantity quantity) {
  return quantity == Quantity::Temperature ? QStringLiteral("T")
                                           : Text(vaporix::Describe(quantity).key);
}

QString AxisTitle(Quantity quantity, const charts::DisplayUnits& units) {
  return QStringLiteral("%1 [%2]").arg(Symbol(quantity), Text(charts::UnitText(quantity, units)));
}

QString LineLabel(const Polyline& line, const charts::DisplayUnits& units) {
  if (line.family == Quantity::Quality) {
    return QStringLiteral("x = %1 %").arg(Number(line.value));
  }
  return QStringLiteral("%1 %2").arg(Number(charts::ToDisplay(line.family, line.value, units)),
                                     Text(charts::UnitText(line.family, units)));
}

QString FamilyName(Quantity family) {
  switch (family) {
    case Quantity::Pressure:
      return QStringLiteral("isobars");
    case Quantity::Temperature:
      return QStringLiteral("isotherms");
    case Quantity::Volume:
      return QStringLiteral("isochores");
    case Quantity::Enthalpy:
      return QStringLiteral("isenthalps");
    case Quantity::Entropy:
      return QStringLiteral("isentropes");
    default:
      return QStringLiteral("quality");
  }
}

QPointF Clamp(const QPointF& point) {
  return {std::clamp(point.x(), -kFarPixels, kFarPixels),
          std::clamp(point.y(), -kFarPixels, kFarPixels)};
}

// Tick values of an axis in display units, and their SI values.
std::vector<std::pair<double, double>> Ticks(Quantity quantity, double lo, double hi, bool log,
                                             const charts::DisplayUnits& units) {
  const double shownLo = charts::ToDisplay(quantity, lo, units);
  const double shownHi = charts::ToDisplay(quantity, hi, units);
  std::vector<double> values = log ? charts::NiceLogValues(shownLo, shownHi, 8)
                                   : charts::NiceLinearValues(shownLo, shownHi, 8);
  if (log && values.size() > 12) {
    std::erase_if(values, [](double v) {
      const double mantissa = v / std::pow(10.0, std::floor(std::log10(v) + 1e-9));
      return std::abs(mantissa - 1.0) > 1e-6;
    });
  }
  std::vector<std::pair<double, double>> ticks;
  for (const double value : values) {
    ticks.emplace_back(value, charts::FromDisplay(quantity, value, units));
  }
  return ticks;
}

// Places a label along a line where it overlaps nothing placed before;
// answers false when no place is free.
bool PlaceLabel(QPainter& painter, const std::vector<QPointF>& pixels, const QRectF& plot,
                const QString& text, const QColor& color, const QColor& halo,
                std::vector<QRectF>& taken) {
  if (pixels.size() < 2) {
    return false;
  }
  std::vector<double> along(pixels.size(), 0.0);
  for (std::size_t i = 1; i < pixels.size(); ++i) {
    along[i] = along[i - 1] +
               std::hypot(pixels[i].x() - pixels[i - 1].x(), pixels[i].y() - pixels[i - 1].y());
  }
  const QFontMetricsF metrics(painter.font());
  const QRectF box = metrics.boundingRect(text).adjusted(-2, -1, 2, 1);
  if (along.back() < box.width() * 1.5) {
    return false;
  }
  for (const double fraction : {0.5, 0.35, 0.65, 0.2, 0.8, 0.1, 0.9}) {
    const double target = fraction * along.back();
    const auto upper = std::lower_bound(along.begin(), along.end(), target);
    const std::size_t i = std::clamp<std::size_t>(static_cast<std::size_t>(upper - along.begin()),
                                                  1, pixels.size() - 1);
    const QPointF a = pixels[i - 1];
    const QPointF b = pixels[i];
    const double t =
        along[i] > along[i - 1] ? (target - along[i - 1]) / (along[i] - along[i - 1]) : 0.0;
    const QPointF at = a + t * (b - a);
    double angle = std::atan2(b.y() - a.y(), b.x() - a.x()) * 180.0 / M_PI;
    if (angle > 90.0) {
      angle -= 180.0;
    } else if (angle < -90.0) {
      angle += 180.0;
    }
    QTransform transform;
    transform.translate(at.x(), at.y());
    transform.rotate(angle);
    const QRectF centred = box.translated(-box.center());
    const QRectF footprint = transform.mapRect(centred);
    if (!plot.contains(footprint) ||
        std::any_of(taken.begin(), taken.end(),
                    [&](const QRectF& other) { return other.intersects(footprint); })) {
      continue;
    }
    taken.push_back(footprint);
    painter.save();
    painter.setTransform(transform, true);
    painter.setPen(Qt::NoPen);
    QColor fill = halo;
    fill.setAlpha(210);
    painter.setBrush(fill);
    painter.drawRect(centred);
    painter.setPen(color);
    painter.drawText(centred, Qt::AlignCenter, text);
    painter.restore();
    return true;
  }
  return false;
}

}  // namespace

DiagramColors DiagramColors::FromPalette(const QPalette& palette) {
  DiagramColors colors;
  colors.background = palette.color(QPalette::Base);
  colors.text = palette.color(QPalette::Text);
  colors.dark = colors.background.lightnessF() < 0.5;
  colors.grid = colors.text;
  colors.grid.setAlphaF(0.13f);
  colors.saturation = colors.text;
  colors.boundary = colors.text;
  colors.boundary.setAlphaF(0.45f);
  colors.marker = colors.dark ? QColor(255, 190, 60) : QColor(200, 30, 30);
  return colors;
}

QColor DiagramColors::Family(Quantity family) const {
  // Quality lines in a grey of the text colour (dashed where drawn), the
  // others one hue per family, darker on light backgrounds, lighter on dark.
  if (family == Quantity::Quality) {
    return dark ? QColor(170, 170, 170) : QColor(105, 105, 105);
  }
  int hue = 0;
  switch (family) {
    case Quantity::Pressure:
      hue = 215;
      break;
    case Quantity::Temperature:
      hue = 0;
      break;
    case Quantity::Volume:
      hue = 125;
      break;
    case Quantity::Enthalpy:
      hue = 30;
      break;
    default:
      hue = 285;
      break;
  }
  return QColor::fromHsl(hue, dark ? 200 : 190, dark ? 165 : 95);
}

QRectF DiagramPainter::PlotArea(const QRectF& area) {
  const double u = Unit(area);
  return area.adjusted(78 * u, 44 * u, -22 * u, -52 * u);
}

void DiagramPainter::Paint(QPainter& painter, const QRectF& area, const DiagramScene& scene) {
  if (scene.trace == nullptr) {
    return;
  }
  const charts::ChartTrace& trace = *scene.trace;
  const ChartInfo& info = charts::Describe(trace.request.chart);
  const DiagramColors& colors = scene.colors;
  const double u = Unit(area);
  const QRectF plot = PlotArea(area);
  const PlotMapping map(trace.request.range, info.logY, plot.left(), plot.top(), plot.width(),
                        plot.height());

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.fillRect(area, colors.background);
  QFont font = painter.font();
  font.setPixelSize(static_cast<int>(std::lround(12 * u)));
  painter.setFont(font);
  const QFontMetricsF metrics(font);

  // Grid and tick numbers.
  const charts::ChartRange& range = trace.request.range;
  painter.setPen(QPen(colors.grid, 1.0 * u));
  const auto xTicks = Ticks(info.xAxis, range.xMin, range.xMax, false, scene.units);
  const auto yTicks = Ticks(info.yAxis, range.yMin, range.yMax, info.logY, scene.units);
  for (const auto& [shown, si] : xTicks) {
    const double x = map.X(si);
    painter.setPen(QPen(colors.grid, 1.0 * u));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    painter.setPen(colors.text);
    painter.drawText(QRectF(x - 60 * u, plot.bottom() + 4 * u, 120 * u, 16 * u),
                     Qt::AlignHCenter | Qt::AlignTop, Number(shown));
  }
  for (const auto& [shown, si] : yTicks) {
    const double y = map.Y(si);
    painter.setPen(QPen(colors.grid, 1.0 * u));
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    painter.setPen(colors.text);
    painter.drawText(QRectF(area.left(), y - 8 * u, plot.left() - area.left() - 5 * u, 16 * u),
                     Qt::AlignRight | Qt::AlignVCenter, Number(shown));
  }

  // Axis titles and the chart title.
  painter.setPen(colors.text);
  painter.drawText(QRectF(plot.left(), plot.bottom() + 24 * u, plot.width(), 20 * u),
                   Qt::AlignHCenter | Qt::AlignTop, AxisTitle(info.xAxis, scene.units));
  painter.save();
  painter.translate(area.left() + 14 * u, plot.center().y());
  painter.rotate(-90.0);
  painter.drawText(QRectF(-plot.height() / 2, -10 * u, plot.height(), 20 * u), Qt::AlignCenter,
                   AxisTitle(info.yAxis, scene.units));
  painter.restore();
  QFont titleFont = font;
  titleFont.setBold(true);
  painter.setFont(titleFont);
  painter.drawText(QRectF(plot.left(), area.top() + 8 * u, plot.width(), 20 * u),
                   Qt::AlignLeft | Qt::AlignVCenter, Text(info.title));
  painter.setFont(font);
  // Legend: one colour sample per family, right-aligned above the plot.
  double legendRight = plot.right();
  const std::vector<Quantity> families = charts::IsolineTracer::Families(info.type);
  for (auto family = families.rbegin(); family != families.rend(); ++family) {
    const QString name = FamilyName(*family);
    const double width = metrics.horizontalAdvance(name);
    painter.setPen(colors.text);
    painter.drawText(QRectF(legendRight - width, area.top() + 8 * u, width, 20 * u),
                     Qt::AlignVCenter, name);
    painter.setPen(QPen(colors.Family(*family), 2.0 * u));
    const double y = area.top() + 18 * u;
    painter.drawLine(QPointF(legendRight - width - 22 * u, y),
                     QPointF(legendRight - width - 6 * u, y));
    legendRight -= width + 36 * u;
  }

  // The lines, clipped to the plot.
  painter.save();
  painter.setClipRect(plot);
  std::vector<QRectF> taken;
  for (const DiagramMarker& marker : scene.markers) {
    const QPointF at(map.X(marker.point.x), map.Y(marker.point.y));
    taken.emplace_back(at.x() - 6 * u, at.y() - 20 * u, 30 * u, 26 * u);
  }
  // Labels keep clear of the critical point, where many lines meet.
  for (const Polyline& line : trace.lines) {
    if (line.kind == LineKind::CriticalPoint) {
      const QPointF at(map.X(line.points[0].x), map.Y(line.points[0].y));
      taken.emplace_back(at.x() - 14 * u, at.y() - 14 * u, 28 * u, 28 * u);
    }
  }
  std::vector<std::pair<const Polyline*, std::vector<QPointF>>> labelled;
  const auto draw = [&](const Polyline& line) {
    QPen pen;
    switch (line.kind) {
      case LineKind::Isoline:
        // Quality lines dashed: they cross the isochores' part of the dome.
        pen = line.family == Quantity::Quality
                  ? QPen(colors.Family(line.family), 1.1 * u, Qt::DashLine)
                  : QPen(colors.Family(line.family), 0.9 * u);
        break;
      case LineKind::Saturation:
        pen = QPen(colors.saturation, 2.0 * u);
        break;
      case LineKind::RegionBoundary:
        pen = QPen(colors.boundary, 1.0 * u, Qt::DashLine);
        break;
      case LineKind::ValidityEdge:
        pen = QPen(colors.boundary, 1.2 * u, Qt::DotLine);
        break;
      case LineKind::CriticalPoint: {
        const QPointF at(map.X(line.points[0].x), map.Y(line.points[0].y));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colors.saturation);
        painter.drawEllipse(at, 3.5 * u, 3.5 * u);
        painter.setBrush(Qt::NoBrush);
        return;
      }
    }
    QPainterPath path;
    std::vector<QPointF> visible;
    for (std::size_t i = 0; i < line.points.size(); ++i) {
      const QPointF at = Clamp(QPointF(map.X(line.points[i].x), map.Y(line.points[i].y)));
      if (i == 0) {
        path.moveTo(at);
      } else {
        path.lineTo(at);
      }
      if (plot.adjusted(2, 2, -2, -2).contains(at)) {
        visible.push_back(at);
      }
    }
    painter.setPen(pen);
    painter.drawPath(path);
    if (line.kind == LineKind::Isoline) {
      labelled.emplace_back(&line, std::move(visible));
    }
  };
  // The saturation line and the critical point go on top of the labels.
  const auto onTop = [](const Polyline& line) {
    return line.kind == LineKind::Saturation || line.kind == LineKind::CriticalPoint;
  };
  for (const Polyline& line : trace.lines) {
    if (!onTop(line)) {
      draw(line);
    }
  }
  // Labels, after every line so that their halos cover lines, never a label.
  std::sort(labelled.begin(), labelled.end(),
            [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
  std::vector<std::pair<Quantity, double>> done;
  for (const auto& [line, pixels] : labelled) {
    const std::pair<Quantity, double> key{line->family, line->value};
    if (std::find(done.begin(), done.end(), key) != done.end()) {
      continue;  // one label per line, on its longest piece
    }
    if (PlaceLabel(painter, pixels, plot, LineLabel(*line, scene.units),
                   colors.Family(line->family), colors.background, taken)) {
      done.push_back(key);
    }
  }
  for (const Polyline& line : trace.lines) {
    if (onTop(line)) {
      draw(line);
    }
  }
  // The document's states.
  QFont markerFont = font;
  markerFont.setBold(true);
  painter.setFont(markerFont);
  for (const DiagramMarker& marker : scene.markers) {
    const QPointF at(map.X(marker.point.x), map.Y(marker.point.y));
    painter.setPen(QPen(colors.background, 1.5 * u));
    painter.setBrush(colors.marker);
    painter.drawEllipse(at, 4.5 * u, 4.5 * u);
    painter.setPen(colors.marker);
    painter.drawText(at + QPointF(6 * u, -6 * u), QString::number(marker.number));
  }
  painter.setBrush(Qt::NoBrush);
  painter.setFont(font);
  if (scene.crossHair) {
    PaintCrossHair(painter, area, *scene.crossHair, colors);
  }
  painter.restore();

  painter.setPen(QPen(colors.text, 1.0 * u));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot);
  painter.restore();
}

QPalette PaperPalette() {
  QPalette paper;
  paper.setColor(QPalette::Base, Qt::white);
  paper.setColor(QPalette::Text, Qt::black);
  return paper;
}

void DiagramPainter::PaintCrossHair(QPainter& painter, const QRectF& area, QPointF at,
                                    const DiagramColors& colors) {
  const QRectF plot = PlotArea(area);
  if (!plot.contains(at)) {
    return;
  }
  painter.save();
  QColor hair = colors.text;
  hair.setAlphaF(0.6f);
  painter.setPen(QPen(hair, 1.0, Qt::DashLine));
  painter.drawLine(QPointF(plot.left(), at.y()), QPointF(plot.right(), at.y()));
  painter.drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
  painter.restore();
}

std::vector<DiagramMarker> DocumentMarkers(const CVaporixDoc& document, charts::ChartType chart,
                                           bool english) {
  const ChartInfo& info = charts::Describe(chart);
  charts::DisplayUnits units;
  units.english = english;
  std::vector<DiagramMarker> markers;
  const ResultList& list = english ? document.EnglishResults() : document.SIResults();
  for (std::size_t i = 0; i < list.size(); ++i) {
    const StateProperties& state = list[i]->state;
    const double x = state.*(vaporix::Describe(info.xAxis).field);
    const double y = state.*(vaporix::Describe(info.yAxis).field);
    markers.push_back(
        {static_cast<int>(i) + 1,
         {charts::FromDisplay(info.xAxis, x, units), charts::FromDisplay(info.yAxis, y, units)}});
  }
  return markers;
}

namespace {

// The scene of `chart` over `range` traced for a drawing of `size` pixels.
DiagramScene TraceScene(const QSize& size, charts::IsolineTracer& tracer, charts::ChartType chart,
                        const charts::ChartRange& range, const charts::DisplayUnits& units,
                        const std::vector<DiagramMarker>& markers, const QPalette& palette,
                        charts::ChartTrace& trace) {
  const QRectF plot = DiagramPainter::PlotArea(QRectF(QPointF(0, 0), QSizeF(size)));
  charts::TraceRequest request;
  request.chart = chart;
  request.range = range;
  request.widthPixels = plot.width();
  request.heightPixels = plot.height();
  request.units = units;
  trace = tracer.Trace(request);
  DiagramScene scene;
  scene.trace = &trace;
  scene.units = units;
  scene.markers = markers;
  scene.colors = DiagramColors::FromPalette(palette);
  return scene;
}

}  // namespace

QImage RenderChartImage(const QSize& size, charts::IsolineTracer& tracer, charts::ChartType chart,
                        const charts::ChartRange& range, const charts::DisplayUnits& units,
                        const std::vector<DiagramMarker>& markers, const QPalette& palette) {
  charts::ChartTrace trace;
  const DiagramScene scene = TraceScene(size, tracer, chart, range, units, markers, palette, trace);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(scene.colors.background);
  QPainter painter(&image);
  DiagramPainter::Paint(painter, QRectF(QPointF(0, 0), QSizeF(size)), scene);
  painter.end();
  return image;
}

std::optional<QString> WriteChartFile(const QString& path, const QSize& size,
                                      charts::IsolineTracer& tracer, charts::ChartType chart,
                                      const charts::ChartRange& range,
                                      const charts::DisplayUnits& units,
                                      const std::vector<DiagramMarker>& markers,
                                      const QPalette& palette) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QLatin1String("png") && suffix != QLatin1String("svg") &&
      suffix != QLatin1String("pdf")) {
    return QStringLiteral("%1: the diagram is written as .png, .svg or .pdf.").arg(path);
  }
  if (size.width() < 200 || size.height() < 150 || size.width() > 20000 || size.height() > 20000) {
    return QStringLiteral("The size must lie between 200x150 and 20000x20000 pixels.");
  }
  const QRectF area(QPointF(0, 0), QSizeF(size));
  const QString cannotWrite = QStringLiteral("Cannot write %1.").arg(path);
  if (suffix == QLatin1String("png")) {
    const QImage image = RenderChartImage(size, tracer, chart, range, units, markers, palette);
    return image.save(path, "PNG") ? std::nullopt : std::optional<QString>(cannotWrite);
  }
  charts::ChartTrace trace;
  const DiagramScene scene = TraceScene(size, tracer, chart, range, units, markers, palette, trace);
  if (suffix == QLatin1String("svg")) {
    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(Text(charts::Describe(chart).title));
    QPainter painter;
    if (!painter.begin(&generator)) {
      return cannotWrite;
    }
    DiagramPainter::Paint(painter, area, scene);
    painter.end();
    return QFileInfo(path).size() > 0 ? std::nullopt : std::optional<QString>(cannotWrite);
  }
  QPdfWriter writer(path);
  writer.setResolution(72);
  writer.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setTitle(Text(charts::Describe(chart).title));
  QPainter painter;
  if (!painter.begin(&writer)) {
    return cannotWrite;
  }
  DiagramPainter::Paint(painter, area, scene);
  painter.end();
  return QFileInfo(path).size() > 0 ? std::nullopt : std::optional<QString>(cannotWrite);
}

}  // namespace vaporix
