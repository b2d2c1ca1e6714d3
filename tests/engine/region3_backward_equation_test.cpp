#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "vaporix/equations/Region3BackwardEquation.h"

namespace vaporix {
namespace {

// Every published check value of the region-3 backward and boundary
// equations, each evaluated with its own table.
struct Check {
  const char* equation;
  double first;
  double second;
  double expected;
};

constexpr Check kChecks[] = {
#include "engine/region3_backward_checks.inc"
};

TEST(region3_backward_equation_test, reproduces_every_published_value) {
  const Region3BackwardEquation equations;
  static_assert(std::size(kChecks) == 42);  // every row of the published set
  for (const Check& check : kChecks) {
    const double value = equations.ByName(check.equation, check.first, check.second);
    // Published to ten significant digits.
    EXPECT_NEAR(value / check.expected, 1.0, 6e-10)
        << check.equation << "(" << check.first << ", " << check.second << ") = " << value;
  }
}

}  // namespace
}  // namespace vaporix
