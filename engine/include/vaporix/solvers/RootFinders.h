#pragma once

#include <cmath>

namespace vaporix {

// At most this many evaluations in either root finder.
inline constexpr int kMaxEvaluations = 100;

struct NewtonResult {
  double x = 0.0;       // the last iterate, converged or not
  int evaluations = 0;  // evaluations after the start value
  bool converged = false;
};

// Safeguarded Newton iteration for f(x) = target inside the bracket
// [xLow, xHigh]. `f(x, slope)` returns f(x) and writes f'(x). xHigh is the end
// that becomes the new x when f(x) >= target (the end where f is expected to
// be larger; not checked). A step that would leave the bracket, or that would
// not halve the residual fast enough against the step taken two iterations
// before, is replaced by bisection. Convergence is judged on the residual
// only; the last iterate is returned either way and the caller's acceptance
// test decides. A positive `relativeCorrection` adds one condition to
// convergence: the next Newton correction |F/f'| must be at most
// relativeCorrection |x|. It serves searches along which the property barely
// changes (liquid entropy along an isotherm), where a residual below the
// tolerance still leaves x far from the root.
template <class Function>
NewtonResult SafeguardedNewton(Function&& f, double target, double x0, double xLow, double xHigh,
                               double stepWidth, double tolerance,
                               double relativeCorrection = 0.0) {
  NewtonResult result;
  double x = x0;
  double slope = 0.0;
  double value = f(x, slope);
  double residual = value - target;
  double step = stepWidth;
  double previousStep = stepWidth;
  int n = 0;
  for (;;) {
    double newStep = 0.0;
    if (((x - xLow) * slope - residual) * ((x - xHigh) * slope - residual) >= 0.0 ||
        std::fabs(previousStep * slope) < std::fabs(2.0 * residual)) {
      newStep = (xHigh - xLow) / 2.0;
      x = xLow + newStep;
    } else {
      newStep = residual / slope;
      x -= newStep;
    }
    value = f(x, slope);
    residual = value - target;
    if (std::fabs(target - value) < tolerance &&
        (relativeCorrection <= 0.0 ||
         std::fabs(residual) <= relativeCorrection * std::fabs(x * slope))) {
      result.converged = true;
      ++n;
      break;
    }
    if (value >= target) {
      xHigh = x;
    } else {
      xLow = x;
    }
    ++n;
    if (n >= kMaxEvaluations) {
      break;
    }
    previousStep = step;
    step = newStep;
  }
  result.x = x;
  result.evaluations = n;
  return result;
}

enum class RiddersStop {
  Converged,           // |F| <= tolerance or bracket narrower than tolerance
  NoRealRoot,          // s zero or undefined: the result is the last estimate
  NoSignChange,        // failure: the new point changes sign against no end
  TooManyEvaluations,  // failure: more than kMaxEvaluations
};

struct RiddersResult {
  double x = 0.0;  // the last estimate (ans); kNoEstimate before the first
  int evaluations = 0;
  RiddersStop stop = RiddersStop::NoRealRoot;
  bool hasEstimate = false;  // at least one estimate was made

  // Converged, or stopped on s after at least one estimate.
  bool Usable() const {
    return stop == RiddersStop::Converged || (stop == RiddersStop::NoRealRoot && hasEstimate);
  }
};

// The start value of Ridders' last estimate: the negative of the smallest
// normal double.
inline constexpr double kNoEstimate = -2.2250738585072014e-308;

// Ridders' iteration for F(x) = 0 between xl and xh. The caller supplies the
// residuals fl and fh at the two ends (usually F there; they are not counted
// as evaluations). Every call of F counts.
template <class Function>
RiddersResult Ridders(Function&& F, double xl, double fl, double xh, double fh, double tolerance) {
  // Sign test of the iteration: the sign of b differs from that of a when
  // a > 0 and b < 0, or a < 0 and b >= 0; a zero a never differs.
  const auto differs = [](double a, double b) {
    return (a > 0.0 && b < 0.0) || (a < 0.0 && b >= 0.0);
  };
  RiddersResult result;
  result.x = kNoEstimate;
  int n = 0;
  for (;;) {
    const double xm = (xl + xh) / 2.0;
    const double fm = F(xm);
    ++n;
    const double product = fl * fh;
    const double s = std::sqrt(fm * fm - product);
    if (s == 0.0 || !(fm * fm >= product)) {
      result.stop = RiddersStop::NoRealRoot;
      break;
    }
    const double sigma = fl >= fh ? 1.0 : -1.0;
    const double xnew = xm + (xm - xl) * sigma * fm / s;
    result.x = xnew;
    result.hasEstimate = true;
    const double fnew = F(xnew);
    ++n;
    if (std::fabs(fnew) <= tolerance || std::fabs(xh - xl) <= tolerance) {
      result.stop = RiddersStop::Converged;
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
      result.stop = RiddersStop::NoSignChange;
      break;
    }
    if (n > kMaxEvaluations) {
      result.stop = RiddersStop::TooManyEvaluations;
      break;
    }
  }
  result.evaluations = n;
  return result;
}

}  // namespace vaporix
