#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "vaporix/solvers/RootFinders.h"

namespace vaporix {
namespace {

// A callable for SafeguardedNewton that records every point it is asked for.
struct RecordingLine {
  double slope;
  double offset;
  std::vector<double>* visited;
  ValueSlope operator()(double x) const {
    visited->push_back(x);
    return {slope * x + offset, slope};
  }
};

TEST(root_finders_test, newton_converges_quadratically_inside_the_bracket) {
  int calls = 0;
  const auto square = [&](double x) {
    ++calls;
    return ValueSlope{x * x, 2.0 * x};
  };
  const RootResult result = SafeguardedNewton(square, 2.0, 1.0, {0.0, 2.0}, {1e-12});
  EXPECT_TRUE(result.Converged());
  EXPECT_NEAR(result.x, std::sqrt(2.0), 1e-12);
  EXPECT_LE(result.evaluations, 6);
  EXPECT_EQ(calls, result.evaluations + 1);  // the start value is not counted
}

TEST(root_finders_test, newton_high_end_may_be_the_smaller_x) {
  // A falling function: the high end (where f >= target) is x = 0.
  std::vector<double> visited;
  const RootResult result =
      SafeguardedNewton(RecordingLine{-1.0, 0.0, &visited}, -0.3, 0.9, {1.0, 0.0}, {1e-9});
  EXPECT_TRUE(result.Converged());
  EXPECT_NEAR(result.x, 0.3, 1e-9);
}

TEST(root_finders_test, newton_step_test_uses_the_step_width_for_two_iterations) {
  // With a tiny step width the first two steps must bisect, although a Newton
  // step would land on the root at once.
  struct Case {
    double stepWidth;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {2.0, {0.9, 0.25}},
      {1e-9, {0.9, 0.5, 0.25}},
  };
  for (const Case& c : cases) {
    std::vector<double> visited;
    const RootResult result =
        SafeguardedNewton(RecordingLine{1.0, 0.0, &visited}, 0.25, 0.9, {0.0, 1.0},
                          {1e-12, kMaxEvaluations, 0.0, c.stepWidth});
    EXPECT_TRUE(result.Converged()) << "D = " << c.stepWidth;
    EXPECT_EQ(visited, c.expected) << "D = " << c.stepWidth;
  }
}

TEST(root_finders_test, newton_third_step_compares_with_the_first_new_step) {
  // D = 1e-9 forces bisections in steps one and two; the third compares with
  // the first bisection's half width (0.5), so a Newton step is taken again.
  std::vector<double> visited;
  const auto cubic = [&](double x) {
    visited.push_back(x);
    return ValueSlope{x * x * x, 3.0 * x * x};
  };
  const RootResult result =
      SafeguardedNewton(cubic, 0.2, 0.9, {0.0, 1.0}, {1e-12, kMaxEvaluations, 0.0, 1e-9});
  ASSERT_GE(visited.size(), 4u);
  EXPECT_EQ(visited[1], 0.5);   // bisection of [0, 1]
  EXPECT_EQ(visited[2], 0.75);  // bisection of [0.5, 1]: f(0.5) < 0.2
  // A Newton step from 0.75, not the bisection point 0.625.
  EXPECT_NEAR(visited[3], 0.75 - (0.421875 - 0.2) / (3.0 * 0.5625), 1e-15);
  EXPECT_TRUE(result.Converged());
  EXPECT_NEAR(result.x, std::cbrt(0.2), 1e-12);
}

TEST(root_finders_test, newton_stops_a_hair_inside_an_end_the_target_lies_beyond) {
  // The line x on [0, 1]: targets below 0 and above 1 lie beyond the ends.
  // Asked to check its ends, the search stops where the whole budget of
  // bisections would have ended, after a few evaluations.
  struct Case {
    double target;
    double end;
  };
  for (const Case& c : {Case{-0.5, 0.0}, Case{1.5, 1.0}}) {
    std::vector<double> visited;
    RootOptions options{1e-12};
    options.checkEnds = true;
    const RootResult result =
        SafeguardedNewton(RecordingLine{1.0, 0.0, &visited}, c.target, 0.5, {0.0, 1.0}, options);
    EXPECT_EQ(result.stop, RootStop::Budget) << "target " << c.target;
    EXPECT_NEAR(result.x, c.end, 1e-20) << "target " << c.target;
    EXPECT_GE((result.x - c.end) * (0.5 - c.end), 0.0) << "target " << c.target;
    EXPECT_LE(visited.size(), 6u) << "target " << c.target;
    if (c.end == 0.0) {
      EXPECT_GT(result.x, 0.0);  // a pressure of 0 has no state
    }
  }
}

TEST(root_finders_test, newton_zero_slope_bisects_instead_of_dividing) {
  std::vector<double> visited;
  const RootResult result =
      SafeguardedNewton(RecordingLine{0.0, 1.0, &visited}, 0.0, 0.3, {0.0, 1.0}, {1e-9});
  EXPECT_EQ(result.stop, RootStop::Budget);
  for (double x : visited) {
    EXPECT_TRUE(std::isfinite(x));
    EXPECT_GE(x, 0.0);
    EXPECT_LE(x, 1.0);
  }
}

TEST(root_finders_test, newton_stops_after_one_hundred_evaluations) {
  // A step function never meets the tolerance: the last iterate comes back.
  int calls = 0;
  const auto step = [&](double x) {
    ++calls;
    return ValueSlope{x < 0.3 ? 0.0 : 1.0, 0.0};
  };
  const RootResult result = SafeguardedNewton(step, 0.5, 0.9, {0.0, 1.0}, {1e-6});
  EXPECT_EQ(result.stop, RootStop::Budget);
  EXPECT_EQ(result.evaluations, kMaxEvaluations);
  EXPECT_EQ(calls, kMaxEvaluations + 1);
  EXPECT_NEAR(result.x, 0.3, 1e-12);
}

TEST(root_finders_test, newton_stops_on_the_first_value_that_is_not_a_number) {
  // Not a number at the start, or past 0.6 (reached by the first bisection).
  const auto broken = [](double x) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return x > 0.6 ? ValueSlope{nan, nan} : ValueSlope{x, 1e-9};
  };
  const RootResult atStart = SafeguardedNewton(broken, 1.0, 0.7, {0.0, 1.0}, {1e-6});
  EXPECT_EQ(atStart.stop, RootStop::FailedEvaluation);
  EXPECT_EQ(atStart.evaluations, 0);
  const RootResult later = SafeguardedNewton(broken, 0.9, 0.5, {0.0, 1.0}, {1e-6});
  EXPECT_EQ(later.stop, RootStop::FailedEvaluation);
  EXPECT_LT(later.evaluations, kMaxEvaluations);
}

TEST(root_finders_test, ridders_finds_a_root_and_counts_every_evaluation) {
  int calls = 0;
  const auto f = [&](double x) {
    ++calls;
    return std::exp(x) - 2.0;
  };
  const RootResult result = Ridders(f, 0.0, f(0.0), 2.0, f(2.0), 1e-12);
  calls -= 2;  // the two end values supplied by the caller do not count
  EXPECT_EQ(result.stop, RootStop::Converged);
  EXPECT_NEAR(result.x, std::log(2.0), 1e-12);
  EXPECT_EQ(result.evaluations, calls);
  EXPECT_LE(result.evaluations, 10);
}

TEST(root_finders_test, ridders_without_a_real_root_returns_the_start_estimate) {
  // Both ends positive and fm^2 < fl fh: no estimate is ever made.
  const auto f = [](double) { return 0.5; };
  const RootResult result = Ridders(f, 0.0, 1.0, 1.0, 1.0, 1e-9);
  EXPECT_EQ(result.stop, RootStop::NoBracket);
  EXPECT_EQ(result.x, -2.2250738585072014e-308);
  EXPECT_EQ(result.x, -std::numeric_limits<double>::min());
  EXPECT_EQ(result.evaluations, 1);
}

TEST(root_finders_test, ridders_without_sign_change_fails) {
  const auto f = [](double) { return 2.0; };
  const RootResult result = Ridders(f, 0.0, 1.0, 1.0, 1.0, 1e-9);
  EXPECT_EQ(result.stop, RootStop::NoBracket);
  EXPECT_EQ(result.evaluations, 2);
}

TEST(root_finders_test, ridders_stops_when_the_bracket_is_narrower_than_the_tolerance) {
  // A sign jump at 0.3 is never met exactly; the bracket closes on it.
  const auto jump = [](double x) { return x < 0.3 ? -1.0 : 1.0; };
  const RootResult result = Ridders(jump, 0.0, -1.0, 1.0, 1.0, 1e-6);
  EXPECT_EQ(result.stop, RootStop::Converged);
  EXPECT_NEAR(result.x, 0.3, 1e-5);
  EXPECT_LE(result.evaluations, kMaxEvaluations + 2);
}

TEST(root_finders_test, ridders_stops_after_more_than_one_hundred_evaluations) {
  // With a zero tolerance the jump is never resolved: 51 passes, 102 evaluations.
  int calls = 0;
  const auto jump = [&](double x) {
    ++calls;
    return x < 0.3 ? -1.0 : 1.0;
  };
  const RootResult result = Ridders(jump, 0.0, -1.0, 1.0, 1.0, 0.0);
  EXPECT_EQ(result.stop, RootStop::Budget);
  EXPECT_EQ(result.evaluations, 102);
  EXPECT_EQ(calls, 102);
}

}  // namespace
}  // namespace vaporix
