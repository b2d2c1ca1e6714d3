// The multiplication plans that replace the general power function in the
// Gibbs and backward series.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

#include "../../engine/equations/PowerSeries.h"

namespace vaporix::detail {
namespace {

// Every exponent from -60 to 60, in a scrambled order, as one table column.
constexpr std::array<int, 121> kAllExponents = [] {
  std::array<int, 121> exponents{};
  for (std::size_t i = 0; i < exponents.size(); ++i) {
    exponents[i] = static_cast<int>((i * 37) % 121) - 60;
  }
  return exponents;
}();

TEST(power_series_test, integer_powers_match_pow) {
  for (const double base : {0.3, 0.99, 1.0, 1.7, 3.85, 7.1, -2.5}) {
    const IntegerPowers<kAllExponents> powers(base);
    const auto values = [&]<std::size_t... k>(std::index_sequence<k...>) {
      return std::array<double, sizeof...(k)>{powers.template OfTerm<k>()...};
    }
    (std::make_index_sequence<kAllExponents.size()>{});
    for (std::size_t i = 0; i < values.size(); ++i) {
      const double expected = std::pow(base, kAllExponents[i]);
      EXPECT_NEAR(values[i], expected, 1e-13 * std::fabs(expected))
          << "base " << base << ", exponent " << kAllExponents[i];
    }
  }
}

// A few terms with mixed signs of exponents, including quarter powers.
constexpr std::array<PowerTerm, 5> kTerms{
    {{0, 0, 1.5}, {1, -3, -2.0}, {4, 7, 0.25}, {-2, 1, 3.0}, {9, -11, 1e-3}}};
constexpr std::array<QuarterPowerTerm, 4> kQuarterTerms{
    {{-1.5, 2, 1.0}, {-0.25, -1, -0.5}, {0.75, 0, 2.0}, {1.25, 3, 0.125}}};

TEST(power_series_test, series_sums_match_term_by_term) {
  for (const double x : {0.2, 1.3, 4.0}) {
    for (const double y : {0.7, 1.9}) {
      double expected = 0.0;
      for (const PowerTerm& term : kTerms) {
        expected += term.n * std::pow(x, term.I) * std::pow(y, term.J);
      }
      EXPECT_NEAR(SumPowerSeries<kTerms>(x, y), expected, 1e-13 * std::fabs(expected));

      double quarterExpected = 0.0;
      for (const QuarterPowerTerm& term : kQuarterTerms) {
        quarterExpected += term.n * std::pow(x, term.I) * std::pow(y, term.J);
      }
      EXPECT_NEAR(SumQuarterPowerSeries<kQuarterTerms>(x, y), quarterExpected,
                  1e-13 * std::fabs(quarterExpected));
    }
  }
}

constexpr std::array<PowerTerm, 5> kSorted{
    {{0, -2, 0.5}, {0, 3, -1.0}, {1, 1, 2.0}, {2, 0, -0.75}, {5, -4, 0.01}}};

TEST(power_series_test, gibbs_sums_match_term_by_term) {
  const double x = 1.6;
  const double y = 2.3;
  GibbsSeriesSums expected;
  for (const PowerTerm& term : kSorted) {
    const double t = term.n * std::pow(x, term.I) * std::pow(y, term.J);
    expected.terms += t;
    expected.xTerms += t * term.I;
    expected.xxTerms += t * term.I * (term.I - 1);
    expected.yTerms += t * term.J;
    expected.yyTerms += t * term.J * (term.J - 1);
    expected.xyTerms += t * term.I * term.J;
  }
  const GibbsSeriesSums sums = SumGibbsSeries<kSorted>(x, y);
  EXPECT_NEAR(sums.terms, expected.terms, 1e-14);
  EXPECT_NEAR(sums.xTerms, expected.xTerms, 1e-14);
  EXPECT_NEAR(sums.xxTerms, expected.xxTerms, 1e-13);
  EXPECT_NEAR(sums.yTerms, expected.yTerms, 1e-14);
  EXPECT_NEAR(sums.yyTerms, expected.yyTerms, 1e-13);
  EXPECT_NEAR(sums.xyTerms, expected.xyTerms, 1e-13);
}

// The x-weighted sum alone, which the region-3 pressure uses inside density
// iterations, agrees with the one of the full set of sums (at x = 1.6,
// y = 0.8 the terms cancel exactly, hence the absolute floor).
TEST(power_series_test, first_exponent_sum_matches_gibbs_sums) {
  for (const double x : {0.4, 1.6}) {
    for (const double y : {0.8, 2.3}) {
      const double expected = SumGibbsSeries<kSorted>(x, y).xTerms;
      EXPECT_NEAR(SumFirstExponentSeries<kSorted>(x, y), expected,
                  1e-14 * (1.0 + std::fabs(expected)))
          << "x " << x << ", y " << y;
    }
  }
}

}  // namespace
}  // namespace vaporix::detail
