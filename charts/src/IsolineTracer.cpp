#include "vaporix/charts/IsolineTracer.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "vaporix/Limits.h"
#include "vaporix/charts/NiceValues.h"
#include "vaporix/equations/SaturationEquation.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix::charts {
namespace {

constexpr double kLowestTemperature = limits::kMinimumTemperature;
constexpr double kHighestTemperature = limits::kMaximumTemperature;
// The engine's single-phase states reach a little below ps(273.15 K).
constexpr double kLowestPressure = limits::kSinglePhaseMinimumPressure;

// Highest pressure the engine computes at temperature T, and the highest
// temperature at pressure p (region 5 stops at the engine's region-5 limit).
double PressureCeiling(double T) {
  return T <= limits::kRegion2MaximumTemperature ? limits::kMaximumPressure
                                                 : limits::kRegion5MaximumPressure;
}
double TemperatureCeiling(double p) {
  return p <= limits::kRegion5MaximumPressure ? kHighestTemperature
                                              : limits::kRegion2MaximumTemperature;
}

// Samples of a curve before refinement, per piece.
constexpr int kInitialSamples = 16;
// Deepest halving of one initial interval.
constexpr int kMaxDepth = 22;
// Longest segment kept inside the plot, so that S-bends between two samples
// are caught and labels find room along the curve.
constexpr double kMaxSegmentPixels = 48.0;
// Segments this far outside the plot are not refined.
constexpr double kMarginPixels = 4.0;
// An isochore point is kept when its volume matches the line to this.
constexpr double kVolumeMatch = 1e-11;
// Lines per family the round values aim at.
constexpr int kLinesPerFamily = 10;

// The pressure of a log-p parameter, kept inside [low, high] so that the
// round trip through the logarithm cannot step over the range's ends.
double PressureAt(double logP, double low, double high) {
  return std::clamp(std::exp(logP), low, high);
}

double StateValue(const StateProperties& state, Quantity quantity) {
  return state.*(vaporix::Describe(quantity).field);
}

}  // namespace

PlotMapping::PlotMapping(const ChartRange& chartRange, bool logarithmicY, double plotLeft,
                         double plotTop, double plotWidth, double plotHeight)
    : range(chartRange),
      logY(logarithmicY),
      left(plotLeft),
      top(plotTop),
      width(plotWidth),
      height(plotHeight) {}

double PlotMapping::X(double x) const {
  return left + (x - range.xMin) / (range.xMax - range.xMin) * width;
}

double PlotMapping::Y(double y) const {
  const double fraction = logY ? std::log(y / range.yMin) / std::log(range.yMax / range.yMin)
                               : (y - range.yMin) / (range.yMax - range.yMin);
  return top + (1.0 - fraction) * height;
}

double PlotMapping::ChartX(double pixelX) const {
  return range.xMin + (pixelX - left) / width * (range.xMax - range.xMin);
}

double PlotMapping::ChartY(double pixelY) const {
  const double fraction = 1.0 - (pixelY - top) / height;
  return logY ? range.yMin * std::pow(range.yMax / range.yMin, fraction)
              : range.yMin + fraction * (range.yMax - range.yMin);
}

// One tracing pass: the request, the engine, the line being built and the
// finished lines.
class IsolineTracer::Run {
 public:
  using Evaluator = std::function<bool(double, StateProperties&)>;

  Run(IF97Calculator& engine, const TraceRequest& request, ChartTrace& trace)
      : m_engine(engine),
        m_info(Describe(request.chart)),
        m_map(request.range, m_info.logY, 0.0, 0.0, request.widthPixels, request.heightPixels),
        m_tolerance(request.tolerancePixels),
        m_wetStates(m_info.qualityLines),
        m_trace(trace) {}

  bool Calc(InputPair pair, double a, double b, StateProperties& out) {
    ++m_trace.engineCalls;
    TransportProperties unused;
    return m_engine.Calculate(pair, a, b, out, unused, false, false);
  }

  void Begin(LineKind kind, Quantity family, double value, std::string_view name) {
    m_line = Polyline{kind, family, value, name, {}};
  }
  void End() { Break(); }

  void Family(Quantity family, double value) {
    switch (family) {
      case Quantity::Pressure:
        Isobar(value, kLowestTemperature, TemperatureCeiling(value));
        break;
      case Quantity::Temperature:
        Isotherm(value, kLowestPressure, PressureCeiling(value));
        break;
      case Quantity::Volume:
        Isochore(value);
        break;
      case Quantity::Enthalpy:
      case Quantity::Entropy:
        Isenthalp(family, value);
        break;
      case Quantity::Quality:
        Quality(value);
        break;
      default:
        break;
    }
  }

  // The isobar from temperature `from` to `to`; below the critical pressure
  // its two-phase part is the straight chord between the saturated states.
  void Isobar(double p, double from, double to) {
    const Evaluator f = [this, p](double T, StateProperties& out) {
      return Calc(InputPair::PT, p, T, out);
    };
    StateProperties liquid;
    StateProperties vapour;
    const bool dome = p < limits::kCriticalPressure && Calc(InputPair::SatPX, p, 0.0, liquid) &&
                      Calc(InputPair::SatPX, p, 100.0, vapour);
    AroundSaturation(f, from, to, dome ? std::optional<double>(liquid.t) : std::nullopt, liquid,
                     vapour);
  }

  // The isotherm from pressure `from` to `to`, sampled in log p.
  void Isotherm(double T, double from, double to) {
    const double low = std::min(from, to);
    const double high = std::max(from, to);
    const Evaluator f = [this, T, low, high](double logP, StateProperties& out) {
      return Calc(InputPair::PT, PressureAt(logP, low, high), T, out);
    };
    StateProperties liquid;
    StateProperties vapour;
    const bool dome = T < limits::kCriticalTemperature && Calc(InputPair::SatTX, T, 0.0, liquid) &&
                      Calc(InputPair::SatTX, T, 100.0, vapour);
    AroundSaturation(f, std::log(from), std::log(to),
                     dome ? std::optional<double>(std::log(liquid.p)) : std::nullopt, vapour,
                     liquid);
  }

  // The isochore over temperature: a wet state where v lies between the
  // saturated volumes, else the pressure of that volume on the isotherm.
  void Isochore(double v) {
    const Evaluator f = [this, v](double T, StateProperties& out) {
      const double ceiling = PressureCeiling(T);
      StateProperties liquid;
      StateProperties vapour;
      if (T < limits::kCriticalTemperature && Calc(InputPair::SatTX, T, 0.0, liquid) &&
          Calc(InputPair::SatTX, T, 100.0, vapour)) {
        if (v >= liquid.v && v <= vapour.v) {
          return m_wetStates &&
                 Calc(InputPair::SatTX, T, 100.0 * (v - liquid.v) / (vapour.v - liquid.v), out);
        }
        return v > vapour.v
                   ? PressureOfVolume(T, v, kLowestPressure, vapour.p, nullptr, &vapour, out)
                   : PressureOfVolume(T, v, liquid.p, ceiling, &liquid, nullptr, out);
      }
      return PressureOfVolume(T, v, kLowestPressure, ceiling, nullptr, nullptr, out);
    };
    Piece(f, kLowestTemperature, kHighestTemperature, nullptr, nullptr);
  }

  // A line of constant enthalpy or entropy over log p: wet where the value
  // lies between the saturated ones, else the engine's (p, h) or (p, s) state.
  void Isenthalp(Quantity family, double value) {
    const InputPair pair = family == Quantity::Enthalpy ? InputPair::PH : InputPair::PS;
    const Evaluator f = [this, family, pair, value](double logP, StateProperties& out) {
      const double p = PressureAt(logP, kLowestPressure, limits::kMaximumPressure);
      StateProperties liquid;
      StateProperties vapour;
      if (p < limits::kCriticalPressure && Calc(InputPair::SatPX, p, 0.0, liquid) &&
          Calc(InputPair::SatPX, p, 100.0, vapour)) {
        const double low = StateValue(liquid, family);
        const double high = StateValue(vapour, family);
        if (value >= low && value <= high) {
          return m_wetStates &&
                 Calc(InputPair::SatPX, p, 100.0 * (value - low) / (high - low), out);
        }
      }
      return Calc(pair, p, value, out);
    };
    Piece(f, std::log(kLowestPressure), std::log(limits::kMaximumPressure), nullptr, nullptr);
  }

  // A line of constant quality from 273.15 K to the critical point.
  void Quality(double x) {
    const Evaluator f = [this, x](double T, StateProperties& out) {
      return Calc(InputPair::SatTX, T, x, out);
    };
    Piece(f, kLowestTemperature, limits::kCriticalTemperature, nullptr, nullptr);
  }

  void Boundaries() {
    // B23 between regions 2 and 3.
    Begin(LineKind::RegionBoundary, Quantity::Pressure, std::nan(""), "B23");
    const Evaluator b23 = [this](double T, StateProperties& out) {
      const double p = SaturationEquation().B23Pressure(T);
      return p > 0.0 && Calc(InputPair::PT, p, T, out);
    };
    // Just above 623.15 K: at that temperature itself the state is liquid.
    Piece(b23, std::nextafter(limits::kRegion13Temperature, kHighestTemperature),
          limits::kB23MaximumTemperature, nullptr, nullptr);
    End();
    // 623.15 K between regions 1 and 3, from the saturation pressure the
    // region solvers use there, so that every state is region 1.
    Begin(LineKind::RegionBoundary, Quantity::Temperature, std::nan(""), "T623");
    const Evaluator t623 = [this](double logP, StateProperties& out) {
      return Calc(InputPair::PT,
                  PressureAt(logP, limits::kSaturationPressureAt623, limits::kMaximumPressure),
                  limits::kRegion13Temperature, out);
    };
    Piece(t623, std::log(limits::kSaturationPressureAt623), std::log(limits::kMaximumPressure),
          nullptr, nullptr);
    End();
    // 1073.15 K between regions 2 and 5.
    Begin(LineKind::RegionBoundary, Quantity::Temperature, std::nan(""), "T1073");
    Isotherm(limits::kRegion2MaximumTemperature, kLowestPressure, limits::kRegion5MaximumPressure);
    End();
    // The edge of the engine's range, once around.
    Begin(LineKind::ValidityEdge, Quantity::Pressure, std::nan(""), "edge");
    Isotherm(kLowestTemperature, kLowestPressure, limits::kMaximumPressure);
    Isobar(limits::kMaximumPressure, kLowestTemperature, limits::kRegion2MaximumTemperature);
    Isotherm(limits::kRegion2MaximumTemperature, limits::kMaximumPressure,
             limits::kRegion5MaximumPressure);
    Isobar(limits::kRegion5MaximumPressure, limits::kRegion2MaximumTemperature,
           kHighestTemperature);
    Isotherm(kHighestTemperature, limits::kRegion5MaximumPressure, kLowestPressure);
    Isobar(kLowestPressure, kHighestTemperature, kLowestTemperature);
    End();
  }

  void CriticalPoint() {
    StateProperties critical;
    if (Calc(InputPair::SatTX, limits::kCriticalTemperature, 0.0, critical)) {
      Polyline point{LineKind::CriticalPoint, Quantity::Quality, std::nan(""), "critical", {}};
      point.points.push_back(ToPoint(critical));
      m_trace.lines.push_back(std::move(point));
    }
  }

 private:
  struct Sample {
    double u = 0.0;
    bool ok = false;
    ChartPoint point;
    double px = 0.0;
    double py = 0.0;
  };

  ChartPoint ToPoint(const StateProperties& state) const {
    return {StateValue(state, m_info.xAxis), StateValue(state, m_info.yAxis)};
  }

  Sample Make(double u, const StateProperties& state) const {
    Sample sample;
    sample.u = u;
    sample.point = ToPoint(state);
    sample.px = m_map.X(sample.point.x);
    sample.py = m_map.Y(sample.point.y);
    sample.ok = std::isfinite(sample.px) && std::isfinite(sample.py);
    return sample;
  }

  Sample Evaluate(const Evaluator& f, double u) {
    StateProperties state;
    if (!f(u, state)) {
      Sample failed;
      failed.u = u;
      return failed;
    }
    return Make(u, state);
  }

  void Append(const Sample& sample) {
    if (!m_line.points.empty()) {
      const ChartPoint& last = m_line.points.back();
      if (last.x == sample.point.x && last.y == sample.point.y) {
        return;
      }
    }
    m_line.points.push_back(sample.point);
  }

  // Ends the current polyline; the next vertex starts another of the same line.
  void Break() {
    if (m_line.points.size() >= 2) {
      Polyline done = m_line;
      m_trace.lines.push_back(std::move(done));
    }
    m_line.points.clear();
  }

  // Traces [from, to] in two pieces when the saturation parameter `split`
  // lies inside: each piece ends at its saturated state, so the two-phase
  // part is the chord between them. `lowSide` is the saturated state on the
  // side of smaller parameters.
  void AroundSaturation(const Evaluator& f, double from, double to, std::optional<double> split,
                        const StateProperties& lowSide, const StateProperties& highSide) {
    if (!split || !(std::min(from, to) < *split && *split < std::max(from, to))) {
      Piece(f, from, to, nullptr, nullptr);
      return;
    }
    const StateProperties& first = from < *split ? lowSide : highSide;
    const StateProperties& second = from < *split ? highSide : lowSide;
    Piece(f, from, *split, nullptr, &first);
    Piece(f, *split, to, &second, nullptr);
  }

  // Samples the curve f over [from, to] (the given end states replace f at
  // the ends), refines between neighbours and cuts it where f fails.
  void Piece(const Evaluator& f, double from, double to, const StateProperties* start,
             const StateProperties* end) {
    Sample previous;
    for (int i = 0; i <= kInitialSamples; ++i) {
      const double u = from + (to - from) * i / kInitialSamples;
      Sample sample;
      if (i == 0 && start != nullptr) {
        sample = Make(from, *start);
      } else if (i == kInitialSamples && end != nullptr) {
        sample = Make(to, *end);
      } else {
        sample = Evaluate(f, u);
      }
      if (i == 0) {
        if (sample.ok) {
          Append(sample);
        }
      } else if (previous.ok && sample.ok) {
        Refine(f, previous, sample, 0);
      } else if (previous.ok) {
        const Sample edge = Edge(f, previous, sample.u);
        Refine(f, previous, edge, 0);
        Break();
      } else if (sample.ok) {
        const Sample edge = Edge(f, sample, previous.u);
        Append(edge);
        Refine(f, edge, sample, 0);
      }
      previous = sample;
    }
  }

  // Appends the vertices after `a` up to `b`, both on the curve.
  void Refine(const Evaluator& f, const Sample& a, const Sample& b, int depth) {
    if (depth >= kMaxDepth || std::abs(b.u - a.u) <= 1e-13 * std::max(1.0, std::abs(a.u))) {
      Append(b);
      return;
    }
    const Sample middle = Evaluate(f, 0.5 * (a.u + b.u));
    if (!middle.ok) {
      const Sample left = Edge(f, a, middle.u);
      Refine(f, a, left, depth + 1);
      Break();
      const Sample right = Edge(f, b, middle.u);
      Append(right);
      Refine(f, right, b, depth + 1);
      return;
    }
    if (!NeedsSplit(a, middle, b)) {
      Append(b);
      return;
    }
    Refine(f, a, middle, depth + 1);
    Refine(f, middle, b, depth + 1);
  }

  bool NeedsSplit(const Sample& a, const Sample& m, const Sample& b) const {
    const double minX = std::min({a.px, m.px, b.px});
    const double maxX = std::max({a.px, m.px, b.px});
    const double minY = std::min({a.py, m.py, b.py});
    const double maxY = std::max({a.py, m.py, b.py});
    if (maxX < -kMarginPixels || minX > m_map.width + kMarginPixels || maxY < -kMarginPixels ||
        minY > m_map.height + kMarginPixels) {
      return false;  // out of sight
    }
    const double dx = b.px - a.px;
    const double dy = b.py - a.py;
    const double length = std::hypot(dx, dy);
    if (length > kMaxSegmentPixels) {
      return true;
    }
    const double deviation = length > 0.0
                                 ? std::abs((m.px - a.px) * dy - (m.py - a.py) * dx) / length
                                 : std::hypot(m.px - a.px, m.py - a.py);
    // The midpoint's distance understates the largest one where the segment
    // curves unevenly, hence half the tolerance.
    return deviation > 0.5 * m_tolerance;
  }

  // The last point of the curve from `inside` towards the parameter
  // `outside` where f fails, found by halving.
  Sample Edge(const Evaluator& f, const Sample& inside, double outside) {
    Sample good = inside;
    double in = inside.u;
    double out = outside;
    for (int i = 0; i < 60; ++i) {
      const Sample middle = Evaluate(f, 0.5 * (in + out));
      if (middle.ok) {
        const double moved = std::hypot(middle.px - good.px, middle.py - good.py);
        good = middle;
        in = middle.u;
        if (i >= 4 && moved < 0.02 * m_tolerance) {
          break;
        }
      } else {
        out = middle.u;
      }
      if (std::abs(out - in) <= 1e-13 * std::max(1.0, std::abs(in))) {
        break;
      }
    }
    return good;
  }

  // The state at temperature T with volume v, between pressures pLow and
  // pHigh (given saturated end states stand for those ends).
  bool PressureOfVolume(double T, double v, double pLow, double pHigh,
                        const StateProperties* lowEnd, const StateProperties* highEnd,
                        StateProperties& out) {
    const auto residual = [this, T, v, pLow, pHigh](double logP) {
      StateProperties state;
      return Calc(InputPair::PT, PressureAt(logP, pLow, pHigh), T, state) ? state.v / v - 1.0
                                                                          : std::nan("");
    };
    const double low = lowEnd != nullptr ? lowEnd->v / v - 1.0 : residual(std::log(pLow));
    const double high = highEnd != nullptr ? highEnd->v / v - 1.0 : residual(std::log(pHigh));
    // The volume falls with pressure: no root unless the ends straddle it.
    if (!(low >= 0.0 && high <= 0.0)) {
      return false;
    }
    const RootResult root = Ridders(residual, std::log(pLow), low, std::log(pHigh), high, 1e-14);
    // A probe without a state ends the search; its last estimate still goes
    // to the volume match below.
    const bool usable =
        root.Converged() || (root.stop == RootStop::FailedEvaluation && root.hasEstimate);
    if (!usable || !Calc(InputPair::PT, PressureAt(root.x, pLow, pHigh), T, out)) {
      return false;
    }
    return std::abs(out.v / v - 1.0) <= kVolumeMatch;
  }

  IF97Calculator& m_engine;
  const ChartInfo& m_info;
  PlotMapping m_map;
  double m_tolerance;
  // On the p-T chart the two-phase part of a line lies on the saturation
  // line itself, so the lines end there instead.
  bool m_wetStates;
  ChartTrace& m_trace;
  Polyline m_line;
};

IsolineTracer::IsolineTracer() {
  m_engine.Initialize();
}

std::vector<Quantity> IsolineTracer::Families(ChartType chart) {
  const ChartInfo& info = Describe(chart);
  std::vector<Quantity> families;
  for (const Quantity family : {Quantity::Pressure, Quantity::Temperature, Quantity::Volume,
                                Quantity::Enthalpy, Quantity::Entropy}) {
    if (family != info.xAxis && family != info.yAxis) {
      families.push_back(family);
    }
  }
  if (info.qualityLines) {
    families.push_back(Quantity::Quality);
  }
  return families;
}

bool IsolineTracer::StateAt(ChartType chart, double x, double y, StateProperties& out) {
  if (!std::isfinite(x) || !std::isfinite(y)) {
    return false;
  }
  TransportProperties unused;
  return m_engine.Calculate(Describe(chart).pointPair, y, x, out, unused, false, false);
}

std::vector<double> IsolineTracer::LineValues(ChartType chart, Quantity family,
                                              const ChartRange& range, const DisplayUnits& units) {
  if (family == Quantity::Quality) {
    return {10.0, 20.0, 30.0, 40.0, 50.0, 60.0, 70.0, 80.0, 90.0};
  }
  // The window's extremes of the family, from states around its edges and
  // on an inner grid.
  const PlotMapping map(range, Describe(chart).logY, 0.0, 0.0, 1.0, 1.0);
  double lo = std::numeric_limits<double>::infinity();
  double hi = -lo;
  const auto probe = [&](double fx, double fy) {
    StateProperties state;
    if (StateAt(chart, map.ChartX(fx), map.ChartY(fy), state)) {
      const double shown = ToDisplay(family, StateValue(state, family), units);
      lo = std::min(lo, shown);
      hi = std::max(hi, shown);
    }
  };
  constexpr int kEdgeSamples = 12;
  for (int i = 0; i <= kEdgeSamples; ++i) {
    const double t = static_cast<double>(i) / kEdgeSamples;
    probe(t, 0.0);
    probe(t, 1.0);
    probe(0.0, t);
    probe(1.0, t);
  }
  for (int i = 1; i < 5; ++i) {
    for (int j = 1; j < 5; ++j) {
      probe(i / 5.0, j / 5.0);
    }
  }
  if (!(lo < hi)) {
    return {};
  }
  const bool logarithmic = family == Quantity::Pressure || family == Quantity::Volume;
  // Pressures keep 1-2-5 over five decades, volumes thin out sooner.
  std::vector<double> values =
      logarithmic
          ? NiceLogValues(lo, hi,
                          family == Quantity::Pressure ? kLinesPerFamily : kLinesPerFamily * 3 / 4)
          : NiceLinearValues(lo, hi, kLinesPerFamily);
  for (double& value : values) {
    value = FromDisplay(family, value, units);
  }
  return values;
}

ChartTrace IsolineTracer::Trace(const TraceRequest& request) {
  ChartTrace trace;
  trace.request = request;
  const ChartRange& r = request.range;
  if (!(r.xMin < r.xMax && r.yMin < r.yMax) || !(request.widthPixels > 0.0) ||
      !(request.heightPixels > 0.0) || !(request.tolerancePixels > 0.0) ||
      (Describe(request.chart).logY && !(r.yMin > 0.0))) {
    return trace;
  }
  Run run(m_engine, request, trace);
  for (const Quantity family : Families(request.chart)) {
    for (const double value : LineValues(request.chart, family, r, request.units)) {
      run.Begin(LineKind::Isoline, family, value, {});
      run.Family(family, value);
      run.End();
    }
  }
  for (const double x : {0.0, 100.0}) {
    run.Begin(LineKind::Saturation, Quantity::Quality, x, {});
    run.Quality(x);
    run.End();
  }
  run.Boundaries();
  run.CriticalPoint();
  return trace;
}

}  // namespace vaporix::charts
