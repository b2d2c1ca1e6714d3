// Every state of an input pair. Most pairs have one state for each pair of
// inputs, but along some lines the second input is not monotonic: liquid
// enthalpy along a hot isotherm has a minimum, cold liquid has a density
// maximum. The search walks the line of the first input (for the
// pressure-search pairs, the line of the second), samples the other input
// along it, and refines every sign change and every extremum that crosses
// the target into a state that Accept keeps.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "StateAcceptance.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/equations/SaturationEquation.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix {
namespace {

// How the samples of a segment are spread between its ends.
enum class Spacing : std::uint8_t {
  Logarithmic,  // pressures spanning decades
  NearLowEnd,   // temperatures: dense at the low end, where liquid turns
  Linear,       // quality, which the inputs follow linearly
};

// One piece of the line a pair's states lie on: the free variable runs from
// `low` to `high`, and a state of it is `evaluate` of (free, fixed), or of
// (fixed, free) when `freeFirst` is false.
struct Segment {
  InputPair evaluate;
  bool freeFirst;
  double fixed;
  double low;
  double high;
  Spacing spacing;
  int samples;
};

// Samples of a segment: enough that the extrema of the liquid lines (the
// density maximum 4 K above the lowest temperature, the enthalpy minimum of
// hot isotherms) fall between samples with room on both sides.
constexpr int kLineSamples = 48;
constexpr int kSaturationSamples = 40;
// Width (K) of the first steps of a NearLowEnd segment.
constexpr double kNearLowEndScale = 0.5;
// A segment ends this much (relative) short of the saturation line, where
// the single-phase solvers would hand back either phase; the two-phase
// segment covers the end itself.
constexpr double kSaturationGap = 1e-9;
// Golden-section steps that look for the far side of an extremum: the
// interval shrinks to 1e-9 of two sample steps.
constexpr int kExtremumSteps = 44;
// Root refinement: residual tolerance relative to the target (times the
// engine tolerance) and its evaluation budget.
constexpr double kRootToleranceScale = 1e-4;
constexpr int kRootEvaluations = 80;
// The band (in acceptance tolerances) the line must leave between two roots
// for them to be two states.
constexpr double kSeparationBand = 10.0;
// Calculate's answer is placed on the segment it lies within this fraction
// of (the liquid segments stop 1e-9 of T short of the saturation line).
constexpr double kDefaultPlacement = 1e-6;
// Two answers are one state when p, T and v agree to this (relative).
constexpr double kSameState = 1e-6;

double Sample(const Segment& segment, int i) {
  const double f = static_cast<double>(i) / static_cast<double>(segment.samples - 1);
  switch (segment.spacing) {
    case Spacing::Logarithmic:
      return segment.low * std::exp(f * std::log(segment.high / segment.low));
    case Spacing::NearLowEnd:
      return segment.low +
             kNearLowEndScale *
                 std::expm1(f * std::log1p((segment.high - segment.low) / kNearLowEndScale));
    case Spacing::Linear:
      break;
  }
  return segment.low + f * (segment.high - segment.low);
}

bool SameState(const StateProperties& x, const StateProperties& y) {
  const auto close = [](double a, double b) {
    return std::fabs(a - b) <= kSameState * std::max(std::fabs(a), std::fabs(b));
  };
  return close(x.p, y.p) && close(x.t, y.t) && close(x.v, y.v);
}

// Adds a segment unless it is squeezed to nothing (liquid just above the
// lowest saturation pressure), where there are no states to sample.
void Add(std::vector<Segment>& segments, const Segment& segment) {
  const bool open =
      segment.spacing == Spacing::Linear ? segment.low != segment.high : segment.high > segment.low;
  if (open && std::isfinite(segment.low) && std::isfinite(segment.high)) {
    segments.push_back(segment);
  }
}

// The lines a pair's states lie on, in the order the answers are listed.
std::vector<Segment> SegmentsOf(InputPair pair, double a, double b) {
  using limits::kMaximumPressure;
  using limits::kMaximumTemperature;
  using limits::kMinimumTemperature;
  using limits::kRegion2MaximumTemperature;
  using limits::kRegion2MinimumPressure;
  using limits::kRegion5MaximumPressure;
  using limits::kSaturationMinimumPressure;
  const InputPairInfo& info = Describe(pair);
  const SaturationEquation saturation;
  std::vector<Segment> segments;
  if (pair == InputPair::PT) {
    return segments;  // (p, T) is the line's own coordinate
  }
  if (info.saturation) {
    // Wet states with p or T given follow the quality linearly: one state.
    // The others lie on the saturation line, T the free variable.
    if (info.first == Quantity::Pressure || info.first == Quantity::Temperature) {
      return segments;
    }
    const InputPair along = info.second == Quantity::Entropy ? InputPair::SatTS : InputPair::SatTV;
    Add(segments, {along, true, b, kMinimumTemperature, kCriticalTemperature, Spacing::Linear,
                   kSaturationSamples});
    return segments;
  }
  if (info.route == SolverRoute::PressureSearch) {
    // Along an isentrope a state is unique for each p; along an isochore p
    // turns back at the density maximum, but each T has one state.
    if (info.second == Quantity::Entropy) {
      Add(segments, {InputPair::PS, true, b, kRegion2MinimumPressure, kMaximumPressure,
                     Spacing::Logarithmic, kLineSamples});
    } else {
      Add(segments, {InputPair::TV, true, b, kMinimumTemperature, kMaximumTemperature,
                     Spacing::NearLowEnd, kLineSamples});
    }
    return segments;
  }
  if (info.first == Quantity::Pressure) {
    const double p = a;
    const double top =
        p <= kRegion5MaximumPressure ? kMaximumTemperature : kRegion2MaximumTemperature;
    if (!(p > 0.0) || p > kMaximumPressure) {
      return segments;
    }
    if (p < kSaturationMinimumPressure || p >= kCriticalPressure) {
      Add(segments,
          {InputPair::PT, false, p, kMinimumTemperature, top, Spacing::NearLowEnd, kLineSamples});
      return segments;
    }
    const double Ts = saturation.SaturationTemperature(p);
    Add(segments, {InputPair::PT, false, p, kMinimumTemperature, Ts * (1.0 - kSaturationGap),
                   Spacing::NearLowEnd, kLineSamples});
    Add(segments, {InputPair::SatPX, false, p, 0.0, 100.0, Spacing::Linear, 2});
    Add(segments, {InputPair::PT, false, p, Ts * (1.0 + kSaturationGap), top, Spacing::NearLowEnd,
                   kLineSamples});
    return segments;
  }
  // Temperature given: vapour from the lowest pressure up, then wet, then liquid.
  const double T = a;
  if (!(T >= kMinimumTemperature) || T > kMaximumTemperature) {
    return segments;
  }
  const double top = T <= kRegion2MaximumTemperature ? kMaximumPressure : kRegion5MaximumPressure;
  if (T >= kCriticalTemperature) {
    Add(segments,
        {InputPair::PT, true, T, kRegion2MinimumPressure, top, Spacing::Logarithmic, kLineSamples});
    return segments;
  }
  const double ps = saturation.SaturationPressure(T);
  Add(segments, {InputPair::PT, true, T, kRegion2MinimumPressure, ps * (1.0 - kSaturationGap),
                 Spacing::Logarithmic, kLineSamples});
  Add(segments, {InputPair::SatTX, false, T, 100.0, 0.0, Spacing::Linear, 2});
  Add(segments, {InputPair::PT, true, T, ps * (1.0 + kSaturationGap), top, Spacing::Logarithmic,
                 kLineSamples});
  return segments;
}

// A sample of the line, and a root on it, at their positions along it.
struct LinePoint {
  double position;
  double g;
};
struct LineRoot {
  double position;
  StateProperties state;
  bool isDefault;
};

// A stretch of a segment whose ends lie on opposite sides of the target.
struct Crossing {
  double x0;
  double g0;
  double x1;
  double g1;
};

}  // namespace

std::vector<CalculatedState> IF97Calculator::CalcAll(InputPair pair, double a, double b,
                                                     bool withTransport, bool english) {
  std::vector<CalculatedState> found;
  try {
    std::unique_lock guard(lock);
    if (english) {
      const InputPairInfo& inputs = Describe(pair);
      a = EnglishToSI(inputs.first, a);
      b = EnglishToSI(inputs.second, b);
    }
    if (!std::isfinite(a) || !std::isfinite(b)) {
      return found;
    }
    std::vector<StateProperties> states;
    StateProperties first;
    if (Find(pair, a, b, first)) {
      states.push_back(first);
    }
    FindOtherStates(pair, a, b, states);
    found.reserve(states.size());
    for (const StateProperties& state : states) {
      CalculatedState answer{state, {}};
      if (withTransport) {
        ComputeTransport(answer.state, answer.transport);
      }
      if (english) {
        ToEnglish(answer.state);
        if (withTransport) {
          ToEnglish(answer.transport);
        }
      }
      found.push_back(answer);
    }
    return found;
  } catch (...) {
    return {};
  }
}

void IF97Calculator::FindOtherStates(InputPair pair, double a, double b,
                                     std::vector<StateProperties>& states) const {
  const InputPairInfo& info = Describe(pair);
  // The input that varies along the line, and its target.
  const bool firstVaries =
      info.route == SolverRoute::PressureSearch ||
      (info.saturation && info.first != Quantity::Pressure && info.first != Quantity::Temperature);
  const Quantity varying = firstVaries ? info.first : info.second;
  double StateProperties::*const field = Describe(varying).field;
  const double target = firstVaries ? a : b;
  const double scale = ReproductionScale(varying, target);
  const double rootTolerance = tolerance * kRootToleranceScale * scale;
  // Two roots are two states only when the line leaves this band around the
  // target between them; inside it they are one state that the acceptance
  // tolerance leaves blurred (a liquid isentrope's h moves 1e-6 of itself
  // over 0.01 MPa).
  const double band = kSeparationBand * limits::kInputReproduction * scale;
  const double nan = std::numeric_limits<double>::quiet_NaN();

  const std::vector<Segment> segments = SegmentsOf(pair, a, b);
  // Positions along the whole line: the segment's index plus the fraction of
  // it, which orders the samples and the roots.
  std::vector<LinePoint> samples;
  std::vector<LineRoot> roots;
  for (std::size_t n = 0; n < segments.size(); ++n) {
    const Segment& segment = segments[n];
    const auto position = [&](double x) {
      return static_cast<double>(n) + (x - segment.low) / (segment.high - segment.low);
    };
    StateProperties state;
    const auto at = [&](double x) {
      const double first = segment.freeFirst ? x : segment.fixed;
      const double second = segment.freeFirst ? segment.fixed : x;
      return Find(segment.evaluate, first, second, state) ? state.*field - target : nan;
    };
    std::vector<double> xs(static_cast<std::size_t>(segment.samples));
    std::vector<double> gs(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
      xs[i] = Sample(segment, static_cast<int>(i));
      gs[i] = at(xs[i]);
      samples.push_back({position(xs[i]), gs[i]});
    }
    std::vector<Crossing> brackets;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
      if (std::isfinite(gs[i]) && std::isfinite(gs[i + 1]) &&
          (gs[i] == 0.0 || (gs[i] < 0.0) != (gs[i + 1] < 0.0))) {
        brackets.push_back({xs[i], gs[i], xs[i + 1], gs[i + 1]});
      }
      // A sample nearer the target than both neighbours, all on one side:
      // the extremum between the neighbours may cross it, giving two states
      // closer together than the samples.
      if (i == 0 || !std::isfinite(gs[i - 1]) || !std::isfinite(gs[i]) ||
          !std::isfinite(gs[i + 1])) {
        continue;
      }
      const double side = gs[i] < 0.0 ? -1.0 : 1.0;
      if (side * gs[i - 1] <= 0.0 || side * gs[i + 1] <= 0.0 ||
          !(std::fabs(gs[i]) < std::fabs(gs[i - 1]) && std::fabs(gs[i]) < std::fabs(gs[i + 1]))) {
        continue;
      }
      constexpr double kGolden = 0.3819660112501051;
      double lo = xs[i - 1];
      double hi = xs[i + 1];
      double x1 = lo + kGolden * (hi - lo);
      double x2 = hi - kGolden * (hi - lo);
      double f1 = side * at(x1);
      double f2 = side * at(x2);
      for (int step = 0;
           step < kExtremumSteps && std::isfinite(f1) && std::isfinite(f2) && f1 > 0.0 && f2 > 0.0;
           ++step) {
        if (f1 < f2) {
          hi = x2;
          x2 = x1;
          f2 = f1;
          x1 = lo + kGolden * (hi - lo);
          f1 = side * at(x1);
        } else {
          lo = x1;
          x1 = x2;
          f1 = f2;
          x2 = hi - kGolden * (hi - lo);
          f2 = side * at(x2);
        }
      }
      const bool crossed1 = std::isfinite(f1) && f1 <= 0.0;
      const bool crossed2 = std::isfinite(f2) && f2 <= 0.0;
      if (crossed1 || crossed2) {
        const double xm = crossed1 ? x1 : x2;
        const double gm = side * (crossed1 ? f1 : f2);
        samples.push_back({position(xm), gm});
        brackets.push_back({xs[i - 1], gs[i - 1], xm, gm});
        brackets.push_back({xm, gm, xs[i + 1], gs[i + 1]});
      }
    }

    for (const Crossing& bracket : brackets) {
      double root = bracket.x0;
      if (bracket.g0 != 0.0) {
        const RootResult search = Ridders(at, bracket.x0, bracket.g0, bracket.x1, bracket.g1,
                                          rootTolerance, kRootEvaluations);
        if (!search.hasEstimate) {
          continue;
        }
        root = std::clamp(search.x, std::min(bracket.x0, bracket.x1),
                          std::max(bracket.x0, bracket.x1));
      }
      StateProperties candidate;
      const double first = segment.freeFirst ? root : segment.fixed;
      const double second = segment.freeFirst ? segment.fixed : root;
      if (Find(segment.evaluate, first, second, candidate) && Accept(pair, a, b, candidate)) {
        roots.push_back({position(root), candidate, false});
      }
    }
  }

  // Calculate's answer takes its place on the line, so that a root of the
  // scan that is the same state merges into it.
  if (!states.empty()) {
    const StateProperties& given = states.front();
    const auto isWetSegment = [](const Segment& segment) {
      return segment.evaluate == InputPair::SatPX || segment.evaluate == InputPair::SatTX;
    };
    // On a line with a wet segment a wet answer lies on that segment; the
    // lines of the other pairs carry wet states along with the rest.
    const bool lineHasWetSegment = std::any_of(segments.begin(), segments.end(), isWetSegment);
    double nearest = std::numeric_limits<double>::infinity();
    double defaultPosition = 0.0;
    for (std::size_t n = 0; n < segments.size(); ++n) {
      const Segment& segment = segments[n];
      const bool wetSegment = isWetSegment(segment);
      if (lineHasWetSegment && wetSegment != (given.region == 4)) {
        continue;
      }
      const double free =
          wetSegment
              ? given.x
              : (segment.freeFirst ? given.*Describe(Describe(segment.evaluate).first).field
                                   : given.*Describe(Describe(segment.evaluate).second).field);
      // A liquid answer a hair beyond the end of its segment (in the gap
      // left at the saturation line) sits at that end.
      const double fraction = (free - segment.low) / (segment.high - segment.low);
      const double outside = std::max({0.0, -fraction, fraction - 1.0});
      if (outside < nearest) {
        nearest = outside;
        defaultPosition = static_cast<double>(n) + std::clamp(fraction, 0.0, 1.0);
      }
    }
    if (nearest <= kDefaultPlacement) {
      roots.push_back({defaultPosition, given, true});
    }
  }
  std::sort(samples.begin(), samples.end(),
            [](const LinePoint& x, const LinePoint& y) { return x.position < y.position; });
  std::stable_sort(roots.begin(), roots.end(),
                   [](const LineRoot& x, const LineRoot& y) { return x.position < y.position; });
  // One state per run of roots that the line does not leave the band between.
  std::vector<StateProperties> others;
  std::size_t group = 0;
  while (group < roots.size()) {
    std::size_t end = group + 1;
    bool hasDefault = roots[group].isDefault;
    while (end < roots.size()) {
      const double from = roots[end - 1].position;
      const double to = roots[end].position;
      const bool leaves = std::any_of(samples.begin(), samples.end(), [&](const LinePoint& x) {
        return x.position > from && x.position < to && std::isfinite(x.g) && std::fabs(x.g) > band;
      });
      if (leaves) {
        break;
      }
      hasDefault = hasDefault || roots[end].isDefault;
      ++end;
    }
    if (!hasDefault) {
      const StateProperties& candidate = roots[group].state;
      const bool known =
          std::any_of(states.begin(), states.end(),
                      [&](const StateProperties& x) { return SameState(x, candidate); }) ||
          std::any_of(others.begin(), others.end(),
                      [&](const StateProperties& x) { return SameState(x, candidate); });
      if (!known) {
        others.push_back(candidate);
      }
    }
    group = end;
  }
  states.insert(states.end(), others.begin(), others.end());
}

}  // namespace vaporix
