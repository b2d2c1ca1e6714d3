#pragma once

#include <vector>

namespace vaporix::charts {

// A round step (1, 2, 2.5 or 5 times a power of ten) that divides `span`
// into about `target` parts.
double NiceStep(double span, int target);

// The multiples of a round step that lie in [lo, hi], about `target` of them.
std::vector<double> NiceLinearValues(double lo, double hi, int target);

// Log-spaced round values in [lo, hi] (lo > 0): 1, 2, 5 in each decade, or
// 1, 3, or 1 alone when that would give far more than `target` values; a
// range within one decade gets linear round values instead.
std::vector<double> NiceLogValues(double lo, double hi, int target);

}  // namespace vaporix::charts
