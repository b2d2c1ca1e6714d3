#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"
#include "vaporix/charts/Chart.h"

namespace vaporix::charts {

// Where a chart's coordinates land on a plot area of `width` x `height`
// pixels whose top-left corner is (left, top); a logarithmic y axis maps
// log10(y). The tracer measures its sampling error in these pixels.
struct PlotMapping {
  ChartRange range;
  bool logY = false;
  double left = 0.0;
  double top = 0.0;
  double width = 1.0;
  double height = 1.0;

  PlotMapping() = default;
  PlotMapping(const ChartRange& chartRange, bool logarithmicY, double plotLeft, double plotTop,
              double plotWidth, double plotHeight);

  double X(double x) const;
  double Y(double y) const;
  double ChartX(double pixelX) const;
  double ChartY(double pixelY) const;
};

// What a polyline of a chart shows.
enum class LineKind : std::uint8_t {
  Isoline,         // a property held constant: `family` at `value`
  Saturation,      // x = 0 % or 100 % up to the critical point
  RegionBoundary,  // B23, 623.15 K, 1073.15 K
  ValidityEdge,    // the edge of the range the engine computes
  CriticalPoint,   // one vertex
};

// A point of a chart in the engine's SI units (x horizontal, y vertical).
struct ChartPoint {
  double x = 0.0;
  double y = 0.0;
};

// One traced polyline; every vertex is a state the engine computed.
struct Polyline {
  LineKind kind = LineKind::Isoline;
  Quantity family = Quantity::Pressure;  // the constant (Quality on the saturation line)
  double value = 0.0;                    // SI value of the constant (x in %)
  std::string_view name;                 // boundaries: "B23", "T623", "T1073", "edge", "critical"
  std::vector<ChartPoint> points;
};

// What to trace: the chart, the visible window, the plot size in pixels, the
// units the line values are chosen in, and the largest distance of the
// polyline from the true curve.
struct TraceRequest {
  ChartType chart = ChartType::HS;
  ChartRange range = Describe(ChartType::HS).home;
  double widthPixels = 1000.0;
  double heightPixels = 700.0;
  DisplayUnits units;
  double tolerancePixels = 0.5;
};

// The lines of one chart.
struct ChartTrace {
  TraceRequest request;
  std::vector<Polyline> lines;
  int engineCalls = 0;
};

// Traces the isolines, the saturation line, the region boundaries and the
// validity edge of a chart window with adaptive sampling: a segment is split
// while its midpoint strays more than the tolerance from the chord (in
// pixels of the plot), and a curve that leaves the engine's range ends where
// the engine stops answering. Owns its engine, so one tracer serves one
// thread.
class IsolineTracer {
 public:
  IsolineTracer();
  IsolineTracer(const IsolineTracer&) = delete;
  IsolineTracer& operator=(const IsolineTracer&) = delete;

  ChartTrace Trace(const TraceRequest& request);

  // The state at a chart point, found with the chart's point pair (SI).
  bool StateAt(ChartType chart, double x, double y, StateProperties& out);

  // The SI values of the lines of `family` for the visible window: round
  // numbers in the display units (log-spaced for p and v); 10 ... 90 % for
  // the quality.
  std::vector<double> LineValues(ChartType chart, Quantity family, const ChartRange& range,
                                 const DisplayUnits& units);

  // The families of constant-property lines a chart shows: p, T, v, h, s
  // except its two axes, then the quality where the chart has such lines.
  static std::vector<Quantity> Families(ChartType chart);

  IF97Calculator& engine() { return m_engine; }

 private:
  class Run;
  IF97Calculator m_engine;
};

}  // namespace vaporix::charts
