#include "vaporix/charts/NiceValues.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vaporix::charts {

double NiceStep(double span, int target) {
  if (!(span > 0.0) || !std::isfinite(span) || target < 1) {
    return 0.0;
  }
  const double raw = span / target;
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double mantissa : {1.0, 2.0, 2.5, 5.0}) {
    if (raw <= mantissa * decade * 1.0000001) {
      return mantissa * decade;
    }
  }
  return 10.0 * decade;
}

std::vector<double> NiceLinearValues(double lo, double hi, int target) {
  std::vector<double> values;
  if (lo > hi) {
    std::swap(lo, hi);
  }
  const double step = NiceStep(hi - lo, target);
  if (step <= 0.0) {
    return values;
  }
  const double first = std::ceil(lo / step - 1e-9);
  const double last = std::floor(hi / step + 1e-9);
  // k * mantissa / 10^n rounds once, so 0.1 steps give 1.1, not 1.1000000000000001.
  const double exponent = std::floor(std::log10(step) + 1e-9);
  const double mantissa = std::round(step / std::pow(10.0, exponent) * 10.0) / 10.0;
  const double scale = std::pow(10.0, std::abs(exponent));
  for (double k = first; k <= last && values.size() < 200; k += 1.0) {
    const double value = exponent < 0.0 ? k * mantissa / scale : k * mantissa * scale;
    // Multiples of the step are written exactly, -0 as 0.
    values.push_back(value == 0.0 ? 0.0 : value);
  }
  return values;
}

std::vector<double> NiceLogValues(double lo, double hi, int target) {
  std::vector<double> values;
  if (lo > hi) {
    std::swap(lo, hi);
  }
  if (!(lo > 0.0) || !std::isfinite(hi)) {
    return values;
  }
  if (hi / lo < 10.0) {
    return NiceLinearValues(lo, hi, target);
  }
  // The richest of 1-2-5, 1-3 and 1 per decade that stays near the target.
  const double decades = std::log10(hi / lo);
  std::vector<double> mantissas{1.0, 2.0, 5.0};
  if (decades * 3.0 > 1.6 * target) {
    mantissas =
        decades * 2.0 > 1.6 * target ? std::vector<double>{1.0} : std::vector<double>{1.0, 3.0};
  }
  for (int exponent = static_cast<int>(std::floor(std::log10(lo)));
       exponent <= static_cast<int>(std::ceil(std::log10(hi))); ++exponent) {
    for (const double mantissa : mantissas) {
      // Built from the decimal text so that 0.002 is the double nearest 0.002.
      const double value = mantissa * std::pow(10.0, exponent);
      const double rounded = std::stod(std::to_string(mantissa) + "e" + std::to_string(exponent));
      if (rounded >= lo * (1.0 - 1e-12) && rounded <= hi * (1.0 + 1e-12)) {
        values.push_back(std::abs(rounded - value) <= 1e-12 * value ? rounded : value);
      }
    }
  }
  return values;
}

}  // namespace vaporix::charts
