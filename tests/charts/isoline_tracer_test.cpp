#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <tuple>

#include "vaporix/Limits.h"
#include "vaporix/charts/IsolineTracer.h"
#include "vaporix/charts/NiceValues.h"

namespace vaporix::charts {
namespace {

// Each chart's opening window, traced once for all tests of the chart.
const ChartTrace& HomeTrace(ChartType chart) {
  static std::map<ChartType, ChartTrace> traces;
  auto found = traces.find(chart);
  if (found == traces.end()) {
    IsolineTracer tracer;
    TraceRequest request;
    request.chart = chart;
    request.range = Describe(chart).home;
    found = traces.emplace(chart, tracer.Trace(request)).first;
  }
  return found->second;
}

double Field(const StateProperties& state, Quantity quantity) {
  return state.*(vaporix::Describe(quantity).field);
}

class isoline_tracer_test : public ::testing::TestWithParam<ChartType> {};

// The input pair of two quantities, single-phase first; the quality pairs
// are saturation pairs.
std::optional<InputPair> PairOf(Quantity first, Quantity second) {
  const bool saturation = first == Quantity::Quality || second == Quantity::Quality;
  for (const InputPairInfo& info : kInputPairs) {
    if (info.saturation == saturation && info.first == first && info.second == second) {
      return info.pair;
    }
  }
  return std::nullopt;
}

enum class Check { OnLine, OffLine, Unanswered };

// Whether the engine puts a vertex on its line: the state at the vertex's two
// coordinates has the line's constant, or, where the two coordinates barely
// fix the state (compressed liquid on the T-s chart, where all isobars nearly
// coincide), the state of the constant and one coordinate has the other.
// Unanswered where no pair of the engine reaches the vertex (the (h, s)
// search stops at its lowest pressure, 0.001 MPa).
Check CheckVertex(IsolineTracer& tracer, ChartType chart, const Polyline& line,
                  const ChartPoint& point) {
  constexpr double kRelative = 1e-9;
  const ChartInfo& info = Describe(chart);
  bool answered = false;
  StateProperties state;
  // A vertex on the edge of the range carries the pressure of the state the
  // engine solved there, which may lie a rounding beyond the edge (a region-3
  // (p, T) state is solved for its density): such a vertex is read on the edge.
  const auto onRange = [](double value, double low, double high) {
    constexpr double kRounding = 1e-12;
    return std::abs(value - std::clamp(value, low, high)) <= kRounding * std::abs(value)
               ? std::clamp(value, low, high)
               : value;
  };
  if (tracer.StateAt(chart, onRange(point.x, info.home.xMin, info.home.xMax),
                     onRange(point.y, info.home.yMin, info.home.yMax), state)) {
    answered = true;
    // All quality lines meet at the critical point, so near it the
    // coordinates no longer fix the quality: the last 3 % below Tc are left out.
    if (line.family == Quantity::Quality && state.t > 0.97 * limits::kCriticalTemperature) {
      return Check::OnLine;
    }
    if (std::abs(Field(state, line.family) - line.value) <= kRelative * std::abs(line.value)) {
      return Check::OnLine;
    }
  }
  for (const auto& [given, found, coordinate, other] :
       {std::tuple{info.xAxis, info.yAxis, point.x, point.y},
        std::tuple{info.yAxis, info.xAxis, point.y, point.x}}) {
    for (const bool constantFirst : {true, false}) {
      const auto pair = constantFirst ? PairOf(line.family, given) : PairOf(given, line.family);
      TransportProperties transport;
      if (pair && tracer.engine().Calculate(*pair, constantFirst ? line.value : coordinate,
                                            constantFirst ? coordinate : line.value, state,
                                            transport, false, false)) {
        answered = true;
        const double span = found == info.yAxis ? info.home.yMax : info.home.xMax;
        if (std::abs(Field(state, found) - other) <= kRelative * span) {
          return Check::OnLine;
        }
      }
    }
  }
  return answered ? Check::OffLine : Check::Unanswered;
}

TEST_P(isoline_tracer_test, every_vertex_holds_its_constant) {
  const ChartTrace& trace = HomeTrace(GetParam());
  IsolineTracer tracer;
  int lines = 0;
  int vertices = 0;
  int unanswered = 0;
  for (const Polyline& line : trace.lines) {
    if (line.kind != LineKind::Isoline) {
      continue;
    }
    ++lines;
    for (const ChartPoint& point : line.points) {
      if (line.family == Quantity::Quality && &point == &line.points.back()) {
        continue;  // the critical point, where every quality line ends
      }
      ++vertices;
      const Check check = CheckVertex(tracer, GetParam(), line, point);
      unanswered += check == Check::Unanswered;
      EXPECT_NE(check, Check::OffLine)
          << "family " << vaporix::Describe(line.family).key << " = " << line.value << " at ("
          << point.x << ", " << point.y << ")";
    }
  }
  EXPECT_GE(lines, 20);
  EXPECT_LE(unanswered, vertices / 20);
}

// Both branches of the saturation line end on the critical point.
TEST_P(isoline_tracer_test, saturation_line_meets_the_critical_point) {
  const ChartTrace& trace = HomeTrace(GetParam());
  const auto critical = std::find_if(trace.lines.begin(), trace.lines.end(), [](const auto& l) {
    return l.kind == LineKind::CriticalPoint;
  });
  ASSERT_NE(critical, trace.lines.end());
  IsolineTracer tracer;
  StateProperties state;
  TransportProperties transport;
  ASSERT_TRUE(tracer.engine().Calculate(InputPair::SatTX, limits::kCriticalTemperature, 50.0, state,
                                        transport, false, false));
  EXPECT_NEAR(state.p, limits::kCriticalPressure, 1e-9 * limits::kCriticalPressure);
  const ChartInfo& info = Describe(GetParam());
  EXPECT_DOUBLE_EQ(critical->points[0].x, Field(state, info.xAxis));
  EXPECT_DOUBLE_EQ(critical->points[0].y, Field(state, info.yAxis));
  int branches = 0;
  for (const Polyline& line : trace.lines) {
    if (line.kind == LineKind::Saturation) {
      ++branches;
      EXPECT_DOUBLE_EQ(line.points.back().x, critical->points[0].x) << "x = " << line.value;
      EXPECT_DOUBLE_EQ(line.points.back().y, critical->points[0].y) << "x = " << line.value;
    }
  }
  EXPECT_EQ(branches, 2);
}

// No vertex of any line lies outside the range the engine computes.
TEST_P(isoline_tracer_test, no_vertex_outside_validity) {
  const ChartTrace& trace = HomeTrace(GetParam());
  IsolineTracer tracer;
  constexpr double kSlack = 1e-9;
  int vertices = 0;
  int unanswered = 0;
  for (const Polyline& line : trace.lines) {
    for (const ChartPoint& point : line.points) {
      StateProperties state;
      ++vertices;
      if (GetParam() == ChartType::PT) {
        state.t = point.x;  // the coordinates are the state
        state.p = point.y;
      } else if (!tracer.StateAt(GetParam(), point.x, point.y, state)) {
        ++unanswered;  // beyond the reach of the chart's pair (the (h, s) search)
        continue;
      }
      EXPECT_GE(state.t, limits::kMinimumTemperature * (1 - kSlack));
      EXPECT_LE(state.t, limits::kMaximumTemperature * (1 + kSlack));
      EXPECT_LE(state.p, limits::kMaximumPressure * (1 + kSlack));
      if (state.t > limits::kRegion2MaximumTemperature * (1 + kSlack)) {
        EXPECT_LE(state.p, limits::kRegion5MaximumPressure * (1 + kSlack))
            << "T " << state.t << " p " << state.p;
      }
    }
  }
  EXPECT_GT(vertices - unanswered, 500);
}

double PixelDistance(const PlotMapping& map, const ChartPoint& point,
                     const std::vector<ChartPoint>& polyline) {
  const double px = map.X(point.x);
  const double py = map.Y(point.y);
  double best = std::numeric_limits<double>::infinity();
  for (std::size_t i = 1; i < polyline.size(); ++i) {
    const double ax = map.X(polyline[i - 1].x);
    const double ay = map.Y(polyline[i - 1].y);
    const double dx = map.X(polyline[i].x) - ax;
    const double dy = map.Y(polyline[i].y) - ay;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0.0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0) : 0.0;
    best = std::min(best, std::hypot(px - ax - t * dx, py - ay - t * dy));
  }
  return best;
}

// Points of the curve traced ten times finer lie within half a pixel of the
// polyline traced at the default tolerance.
TEST_P(isoline_tracer_test, sampling_tolerance_holds_at_the_target_size) {
  const ChartTrace& coarse = HomeTrace(GetParam());
  TraceRequest request = coarse.request;
  request.tolerancePixels = 0.05;
  IsolineTracer tracer;
  const ChartTrace fine = tracer.Trace(request);
  const PlotMapping map(request.range, Describe(request.chart).logY, 0.0, 0.0, request.widthPixels,
                        request.heightPixels);
  const auto visible = [&](const ChartPoint& p) {
    return map.X(p.x) >= 0.0 && map.X(p.x) <= request.widthPixels && map.Y(p.y) >= 0.0 &&
           map.Y(p.y) <= request.heightPixels;
  };
  int checked = 0;
  for (const Polyline& line : fine.lines) {
    if (line.kind != LineKind::Isoline && line.kind != LineKind::Saturation) {
      continue;
    }
    std::vector<ChartPoint> joined;  // the coarse polylines of the same line
    for (const Polyline& other : coarse.lines) {
      if (other.kind == line.kind && other.family == line.family && other.value == line.value) {
        joined.insert(joined.end(), other.points.begin(), other.points.end());
      }
    }
    for (const ChartPoint& point : line.points) {
      if (visible(point)) {
        ++checked;
        ASSERT_LE(PixelDistance(map, point, joined), 0.5 + 0.05)
            << "family " << static_cast<int>(line.family) << " value " << line.value;
      }
    }
  }
  EXPECT_GT(checked, 500);
}

INSTANTIATE_TEST_SUITE_P(charts, isoline_tracer_test,
                         ::testing::Values(ChartType::HS, ChartType::TS, ChartType::PH,
                                           ChartType::PT),
                         [](const auto& row) { return std::string(Describe(row.param).name); });

struct NiceCase {
  const char* name;
  bool logarithmic;
  double lo;
  double hi;
  std::vector<double> expected;
};

class nice_values_test : public ::testing::TestWithParam<NiceCase> {};

TEST_P(nice_values_test, round_values_for_the_range) {
  const NiceCase& row = GetParam();
  EXPECT_EQ(
      row.logarithmic ? NiceLogValues(row.lo, row.hi, 10) : NiceLinearValues(row.lo, row.hi, 10),
      row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ranges, nice_values_test,
    ::testing::Values(
        NiceCase{"celsius", false, 3.0, 790.0, {100, 200, 300, 400, 500, 600, 700}},
        NiceCase{"negative", false, -12.0, 11.0, {-10, -7.5, -5, -2.5, 0, 2.5, 5, 7.5, 10}},
        NiceCase{"pressure_decades", true, 0.03, 4.0, {0.05, 0.1, 0.2, 0.5, 1, 2}},
        NiceCase{"within_a_decade", true, 1.1, 1.9, {1.1, 1.2, 1.3, 1.4, 1.5, 1.6, 1.7, 1.8, 1.9}},
        NiceCase{"empty", true, -1.0, 5.0, {}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vaporix::charts
