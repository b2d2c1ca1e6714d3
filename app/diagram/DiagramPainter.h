#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "vaporix/charts/IsolineTracer.h"

class QPainter;

namespace vaporix {

class CVaporixDoc;

// A document state on a chart: its output-pane row number and its chart
// coordinates in SI units.
struct DiagramMarker {
  int number = 0;
  charts::ChartPoint point;
};

// The colours of a chart, taken from a palette so that it reads on light and
// dark desktops; each isoline family has its own hue.
struct DiagramColors {
  QColor background;
  QColor text;
  QColor grid;
  QColor saturation;
  QColor boundary;
  QColor marker;

  static DiagramColors FromPalette(const QPalette& palette);
  // The stroke of a family's isolines on this background.
  QColor Family(Quantity family) const;
  bool dark = false;
};

// What one drawing of a chart shows besides its lines.
struct DiagramScene {
  const charts::ChartTrace* trace = nullptr;
  charts::DisplayUnits units;
  std::vector<DiagramMarker> markers;
  DiagramColors colors;
  std::optional<QPointF> crossHair;  // in device pixels
};

// The one drawing routine of the diagrams: screen, printer, PDF, SVG and PNG.
class DiagramPainter {
 public:
  // The plot rectangle inside `area`, leaving room for the title, the axis
  // labels and the tick numbers.
  static QRectF PlotArea(const QRectF& area);
  static void Paint(QPainter& painter, const QRectF& area, const DiagramScene& scene);
  // The dashed cross-hair through `at`, inside the plot of `area`.
  static void PaintCrossHair(QPainter& painter, const QRectF& area, QPointF at,
                             const DiagramColors& colors);
};

// Black on white, for paper and for files, whatever the desktop's colours.
QPalette PaperPalette();

// The document's states of the unit system the chart is read in, numbered
// as the output pane numbers their rows.
std::vector<DiagramMarker> DocumentMarkers(const CVaporixDoc& document, charts::ChartType chart,
                                           bool english);

// Traces `chart` over `range` and draws it on an image of `size` pixels.
QImage RenderChartImage(const QSize& size, charts::IsolineTracer& tracer, charts::ChartType chart,
                        const charts::ChartRange& range, const charts::DisplayUnits& units,
                        const std::vector<DiagramMarker>& markers, const QPalette& palette);

// Traces `chart` over `range` for a drawing of `size` pixels and writes it to
// `path`: PNG, SVG or PDF by the file's extension. Answers an error text, or
// nothing on success.
std::optional<QString> WriteChartFile(const QString& path, const QSize& size,
                                      charts::IsolineTracer& tracer, charts::ChartType chart,
                                      const charts::ChartRange& range,
                                      const charts::DisplayUnits& units,
                                      const std::vector<DiagramMarker>& markers,
                                      const QPalette& palette);

}  // namespace vaporix
