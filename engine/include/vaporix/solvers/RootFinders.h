#pragma once

#include <cmath>
#include <cstdint>

namespace vaporix {

// At most this many evaluations in either root finder, unless the caller says otherwise.
inline constexpr int kMaxEvaluations = 100;
// Newton: after this many bisections in a row towards an end of its bracket
// that no iterate has moved, the end itself is evaluated.
inline constexpr int kEndApproachSteps = 3;

// Why a root finder stopped. Every solver that runs one reads it.
enum class RootStop : std::uint8_t {
  Converged,         // the residual (or the bracket) within the tolerance
  Budget,            // the evaluation budget spent; x is the last iterate
  NoBracket,         // the ends, or a new point and the ends, enclose no sign change
  FailedEvaluation,  // the function returned not-a-number
};

struct RootResult {
  double x = 0.0;       // the last iterate (Newton) or estimate (Ridders)
  int evaluations = 0;  // evaluations after the start value (Newton) or all (Ridders)
  RootStop stop = RootStop::NoBracket;
  bool hasEstimate = false;  // Ridders: at least one estimate was made

  bool Converged() const { return stop == RootStop::Converged; }
};

// The two ends of a Newton bracket, named by the side of the target the
// function is expected to lie on there (not checked): f(belowTarget) < target
// <= f(aboveTarget). Either end may be the larger x.
struct Bracket {
  double belowTarget;
  double aboveTarget;
};

struct RootOptions {
  double tolerance;
  int maxEvaluations = kMaxEvaluations;
  // Newton: a positive value adds one condition to convergence, that the next
  // correction |F/f'| be at most relativeCorrection |x|. It serves searches
  // along which the property barely changes (liquid entropy along an
  // isotherm), where a residual below the tolerance still leaves x far off.
  double relativeCorrection = 0.0;
  // Newton: the bound the first two steps are compared with; 0 takes the
  // width of the bracket.
  double firstStepBound = 0.0;
  // Newton: an end approached by kEndApproachSteps bisections in a row is
  // evaluated, and the search stops there when the target lies beyond it.
  // Only for functions without side effects: the extra evaluation is not the
  // last one.
  bool checkEnds = false;
};

// What a Newton function returns at x: f(x) and f'(x).
struct ValueSlope {
  double value;
  double slope;
};

// Safeguarded Newton iteration for f(x) = target inside `bracket`, started at
// x0. A step that would leave the bracket, or that would not halve the
// residual fast enough against the step taken two iterations before, is
// replaced by bisection. Convergence is judged on the residual (and the
// relative correction, when asked); without convergence the last iterate is
// returned with the budget as the stop reason and the caller's acceptance
// test decides. A not-a-number value or slope stops the search at once: no
// later step could leave it.
template <class Function>
RootResult SafeguardedNewton(Function&& f, double target, double x0, Bracket bracket,
                             const RootOptions& options) {
  double xLow = bracket.belowTarget;
  double xHigh = bracket.aboveTarget;
  const double stepBound =
      options.firstStepBound > 0.0 ? options.firstStepBound : std::fabs(xHigh - xLow);
  RootResult result;
  result.stop = RootStop::Budget;
  double x = x0;
  ValueSlope at = f(x);
  double residual = at.value - target;
  double step = stepBound;
  double previousStep = stepBound;
  int n = 0;
  const auto converged = [&](const ValueSlope& value, double where) {
    return std::fabs(target - value.value) < options.tolerance &&
           (options.relativeCorrection <= 0.0 ||
            std::fabs(value.value - target) <=
                options.relativeCorrection * std::fabs(where * value.slope));
  };
  // A target beyond the end the bracket expects on its other side makes every
  // step a bisection towards that end, through the whole budget, to stop on
  // it. After kEndApproachSteps such bisections with the end untouched, the
  // end is evaluated once: where it lies on the iterates' side, the search
  // stops there.
  int towardsLow = 0;
  int towardsHigh = 0;
  bool lowChecked = false;
  bool highChecked = false;
  if (std::isnan(at.value) || std::isnan(at.slope)) {
    result.stop = RootStop::FailedEvaluation;
  } else {
    for (;;) {
      double newStep = 0.0;
      const bool bisection =
          ((x - xLow) * at.slope - residual) * ((x - xHigh) * at.slope - residual) >= 0.0 ||
          std::fabs(previousStep * at.slope) < std::fabs(2.0 * residual);
      if (bisection) {
        newStep = (xHigh - xLow) / 2.0;
        x = xLow + newStep;
      } else {
        newStep = residual / at.slope;
        x -= newStep;
      }
      at = f(x);
      residual = at.value - target;
      ++n;
      if (converged(at, x)) {
        result.stop = RootStop::Converged;
        break;
      }
      if (std::isnan(at.value) || std::isnan(at.slope)) {
        result.stop = RootStop::FailedEvaluation;
        break;
      }
      if (at.value >= target) {
        xHigh = x;
        towardsHigh = 0;
        towardsLow = bisection && xLow == bracket.belowTarget ? towardsLow + 1 : 0;
      } else {
        xLow = x;
        towardsLow = 0;
        towardsHigh = bisection && xHigh == bracket.aboveTarget ? towardsHigh + 1 : 0;
      }
      if (n >= options.maxEvaluations) {
        break;
      }
      const bool lowEnd = options.checkEnds && towardsLow >= kEndApproachSteps && !lowChecked;
      const bool highEnd = options.checkEnds && towardsHigh >= kEndApproachSteps && !highChecked;
      if (lowEnd || highEnd) {
        (lowEnd ? lowChecked : highChecked) = true;
        const double end = lowEnd ? xLow : xHigh;
        // Not counted against the budget: where the search goes on, it
        // goes on exactly as it would have.
        const ValueSlope atEnd = f(end);
        // An end on its expected side, or within the tolerance, leaves the
        // iteration as it was: its root, or its first iterate within the
        // tolerance, may lie a hair inside the end.
        const bool beyond = lowEnd ? atEnd.value >= target : atEnd.value < target;
        if (beyond && !converged(atEnd, end)) {
          // Where the bisections would have ended after the rest of the
          // budget: a hair inside the end (p = 0 itself has no state).
          const double other = lowEnd ? xHigh : xLow;
          x = end + (other - end) * std::ldexp(1.0, n - options.maxEvaluations);
          break;
        }
      }
      previousStep = step;
      step = newStep;
    }
  }
  result.x = x;
  result.evaluations = n;
  return result;
}

// The start value of Ridders' last estimate: the negative of the smallest
// normal double.
inline constexpr double kNoEstimate = -2.2250738585072014e-308;

// Ridders' iteration for F(x) = 0 between xl and xh. The caller supplies the
// residuals fl and fh at the two ends (usually F there; they are not counted
// as evaluations). Every call of F counts. The result is the last estimate;
// it is converged when the new residual or the bracket is within the
// tolerance, or when the midpoint leaves no further step after an estimate
// (the bracket has closed onto a root).
template <class Function>
RootResult Ridders(Function&& F, double xl, double fl, double xh, double fh, double tolerance,
                   int maxEvaluations = kMaxEvaluations) {
  // Sign test of the iteration: the sign of b differs from that of a when
  // a > 0 and b < 0, or a < 0 and b >= 0; a zero a never differs.
  const auto differs = [](double a, double b) {
    return (a > 0.0 && b < 0.0) || (a < 0.0 && b >= 0.0);
  };
  RootResult result;
  result.x = kNoEstimate;
  int n = 0;
  for (;;) {
    const double xm = (xl + xh) / 2.0;
    const double fm = F(xm);
    ++n;
    const double product = fl * fh;
    const double s = std::sqrt(fm * fm - product);
    if (s == 0.0 || !(fm * fm >= product)) {
      if (std::isnan(fm) || std::isnan(product)) {
        result.stop = RootStop::FailedEvaluation;
      } else {
        result.stop = result.hasEstimate ? RootStop::Converged : RootStop::NoBracket;
      }
      break;
    }
    const double sigma = fl >= fh ? 1.0 : -1.0;
    const double xnew = xm + (xm - xl) * sigma * fm / s;
    result.x = xnew;
    result.hasEstimate = true;
    const double fnew = F(xnew);
    ++n;
    if (std::fabs(fnew) <= tolerance || std::fabs(xh - xl) <= tolerance) {
      result.stop = RootStop::Converged;
      break;
    }
    if (differs(fm, fnew)) {
      xl = xm;
      fl = fm;
      xh = xnew;
      fh = fnew;
    } else if (differs(fl, fnew)) {
      xh = xnew;
      fh = fnew;
    } else if (differs(fh, fnew)) {
      xl = xnew;
      fl = fnew;
    } else {
      result.stop = std::isnan(fnew) ? RootStop::FailedEvaluation : RootStop::NoBracket;
      break;
    }
    if (n > maxEvaluations) {
      result.stop = RootStop::Budget;
      break;
    }
  }
  result.evaluations = n;
  return result;
}

}  // namespace vaporix
