#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace vaporix::detail {

// One term n * x^I * y^J of an IF97 polynomial with integer exponents.
struct PowerTerm {
  std::int32_t I;
  std::int32_t J;
  double n;
};

// One term n * x^I * y^J whose first exponent is a multiple of 1/4.
struct QuarterPowerTerm {
  double I;
  std::int32_t J;
  double n;
};

// One term n * tau^J of an ideal-gas part.
struct IdealGasTerm {
  std::int32_t J;
  double n;
};

// The exponents of one column of a table, as plain integers.
template <const auto& kTerms, auto Field>
inline constexpr auto kExponents = [] {
  std::array<int, kTerms.size()> exponents{};
  for (std::size_t i = 0; i < kTerms.size(); ++i) {
    exponents[i] = static_cast<int>(kTerms[i].*Field);
  }
  return exponents;
}();

// Four times the first exponents of a table whose first exponents are
// multiples of 1/4: the powers of the fourth root of the base.
template <const auto& kTerms>
inline constexpr auto kQuarterExponents = [] {
  std::array<int, kTerms.size()> quarters{};
  for (std::size_t i = 0; i < kTerms.size(); ++i) {
    quarters[i] = static_cast<int>(kTerms[i].I * 4.0);
  }
  return quarters;
}();

// A compile-time recipe that forms every power a table needs from 1, the base
// and (for negative exponents) its reciprocal, each new power the product of
// two powers formed before it. Halving the exponent where no ready pair exists
// keeps both the number of multiplications and the dependent chains short.
template <std::size_t kCapacity>
struct PowerPlan {
  struct Step {
    std::size_t left;
    std::size_t right;
  };

  std::array<int, kCapacity> slotExponents{};  // the exponent held by each slot
  std::array<Step, kCapacity> steps{};         // step k fills slot firstComputedSlot + k
  std::size_t slotCount = 0;
  std::size_t stepCount = 0;
  std::size_t firstComputedSlot = 0;
  bool hasReciprocal = false;

  constexpr std::size_t Find(int exponent) const {
    for (std::size_t i = 0; i < slotCount; ++i) {
      if (slotExponents[i] == exponent) {
        return i;
      }
    }
    return kCapacity;
  }

  constexpr void Append(std::size_t left, std::size_t right) {
    steps[stepCount++] = {left, right};
    slotExponents[slotCount++] = slotExponents[left] + slotExponents[right];
  }

  constexpr void Make(int exponent) {
    if (Find(exponent) != kCapacity) {
      return;
    }
    for (std::size_t i = 0; i < slotCount; ++i) {
      const std::size_t partner = Find(exponent - slotExponents[i]);
      if (partner != kCapacity) {
        Append(i, partner);
        return;
      }
    }
    const int half = exponent / 2;
    Make(half);
    Make(exponent - half);
    Append(Find(half), Find(exponent - half));
  }
};

template <std::size_t N>
constexpr auto MakePowerPlan(const std::array<int, N>& exponents) {
  PowerPlan<3 + 24 * N> plan;
  plan.slotExponents[plan.slotCount++] = 0;
  plan.slotExponents[plan.slotCount++] = 1;
  for (const int exponent : exponents) {
    plan.hasReciprocal = plan.hasReciprocal || exponent < 0;
  }
  if (plan.hasReciprocal) {
    plan.slotExponents[plan.slotCount++] = -1;
  }
  plan.firstComputedSlot = plan.slotCount;
  for (const int exponent : exponents) {
    plan.Make(exponent);
  }
  return plan;
}

// The integer powers of one base that the terms of a table need, formed on the
// stack by multiplication within one evaluation: no term calls the general
// power function and nothing outlives the evaluation.
template <const auto& kTermExponents>
class IntegerPowers {
  static constexpr auto kPlan = MakePowerPlan(kTermExponents);
  static constexpr auto kTermSlots = [] {
    std::array<std::size_t, kTermExponents.size()> slots{};
    for (std::size_t i = 0; i < kTermExponents.size(); ++i) {
      slots[i] = kPlan.Find(kTermExponents[i]);
    }
    return slots;
  }();

 public:
  explicit IntegerPowers(double base) {
    values_[0] = 1.0;
    values_[1] = base;
    if constexpr (kPlan.hasReciprocal) {
      values_[2] = 1.0 / base;
    }
    [this]<std::size_t... k>(std::index_sequence<k...>) {
      ((values_[kPlan.firstComputedSlot + k] =
            values_[kPlan.steps[k].left] * values_[kPlan.steps[k].right]),
       ...);
    }
    (std::make_index_sequence<kPlan.stepCount>{});
  }

  // The power that term `kTerm` of the table needs.
  template <std::size_t kTerm>
  double OfTerm() const {
    return values_[kTermSlots[kTerm]];
  }

 private:
  std::array<double, kPlan.slotCount> values_;
};

// Sum of n * x^I * y^J over a table of integer-exponent terms.
template <const auto& kTerms>
double SumPowerSeries(double x, double y) {
  const IntegerPowers<kExponents<kTerms, &PowerTerm::I>> xPowers(x);
  const IntegerPowers<kExponents<kTerms, &PowerTerm::J>> yPowers(y);
  return [&]<std::size_t... k>(std::index_sequence<k...>) {
    double sum = 0.0;
    ((sum += kTerms[k].n * xPowers.template OfTerm<k>() * yPowers.template OfTerm<k>()), ...);
    return sum;
  }
  (std::make_index_sequence<kTerms.size()>{});
}

// Sum of n * I * x^I * y^J (x times the derivative of the series in x) over a
// table of integer-exponent terms; terms with I = 0 cost nothing.
template <const auto& kTerms>
double SumFirstExponentSeries(double x, double y) {
  const IntegerPowers<kExponents<kTerms, &PowerTerm::I>> xPowers(x);
  const IntegerPowers<kExponents<kTerms, &PowerTerm::J>> yPowers(y);
  std::array<double, 2> partial{};
  const auto add = [&]<std::size_t k>() {
    if constexpr (kTerms[k].I != 0) {
      partial[k % 2] +=
          kTerms[k].n * kTerms[k].I * xPowers.template OfTerm<k>() * yPowers.template OfTerm<k>();
    }
  };
  [&]<std::size_t... k>(std::index_sequence<k...>) {
    (add.template operator()<k>(), ...);
  }
  (std::make_index_sequence<kTerms.size()>{});
  return partial[0] + partial[1];
}

// Sum of n * x^I * y^J where every I is a multiple of 1/4: the powers of x
// are integer powers of its fourth root.
template <const auto& kTerms>
double SumQuarterPowerSeries(double x, double y) {
  static_assert(
      [] {
        for (std::size_t i = 0; i < kTerms.size(); ++i) {
          if (static_cast<double>(kQuarterExponents<kTerms>[i]) != kTerms[i].I * 4.0) {
            return false;
          }
        }
        return true;
      }(),
      "every first exponent must be a multiple of 1/4");
  const IntegerPowers<kQuarterExponents<kTerms>> xPowers(std::sqrt(std::sqrt(x)));
  const IntegerPowers<kExponents<kTerms, &QuarterPowerTerm::J>> yPowers(y);
  return [&]<std::size_t... k>(std::index_sequence<k...>) {
    double sum = 0.0;
    ((sum += kTerms[k].n * xPowers.template OfTerm<k>() * yPowers.template OfTerm<k>()), ...);
    return sum;
  }
  (std::make_index_sequence<kTerms.size()>{});
}

// The sums over the terms t = n x^I y^J of a Gibbs series from which its
// derivatives follow: d/dx is xTerms / x, d2/dx2 is xxTerms / x^2, and so on.
struct GibbsSeriesSums {
  double terms = 0.0;    // sum t
  double xTerms = 0.0;   // sum t I
  double xxTerms = 0.0;  // sum t I (I - 1)
  double yTerms = 0.0;   // sum t J
  double yyTerms = 0.0;  // sum t J (J - 1)
  double xyTerms = 0.0;  // sum t I J
};

template <int I, int J>
inline void AddGibbsTerm(double n, double xPower, double yPower, GibbsSeriesSums& sums) {
  const double t = n * xPower * yPower;
  sums.terms += t;
  // Terms whose exponent factor is zero add nothing; skipping them at compile
  // time saves their multiplications.
  if constexpr (I != 0) {
    sums.xTerms += t * I;
    if constexpr (I != 1) {
      sums.xxTerms += t * (I * (I - 1));
    }
  }
  if constexpr (J != 0) {
    sums.yTerms += t * J;
    if constexpr (J != 1) {
      sums.yyTerms += t * (J * (J - 1));
    }
    if constexpr (I != 0) {
      sums.xyTerms += t * (I * J);
    }
  }
}

// Evaluates every term t = n x^I y^J of a Gibbs series once, unrolled at
// compile time. The terms are spread over four partial sums, which shortens
// the chains of dependent additions.
template <const auto& kTerms>
GibbsSeriesSums SumGibbsSeries(double x, double y) {
  constexpr std::size_t kPartialCount = 4;
  const IntegerPowers<kExponents<kTerms, &PowerTerm::I>> xPowers(x);
  const IntegerPowers<kExponents<kTerms, &PowerTerm::J>> yPowers(y);
  std::array<GibbsSeriesSums, kPartialCount> partial{};
  [&]<std::size_t... k>(std::index_sequence<k...>) {
    (AddGibbsTerm<kTerms[k].I, kTerms[k].J>(kTerms[k].n, xPowers.template OfTerm<k>(),
                                            yPowers.template OfTerm<k>(),
                                            partial[k % kPartialCount]),
     ...);
  }
  (std::make_index_sequence<kTerms.size()>{});
  GibbsSeriesSums sums = partial[0];
  for (std::size_t i = 1; i < kPartialCount; ++i) {
    sums.terms += partial[i].terms;
    sums.xTerms += partial[i].xTerms;
    sums.xxTerms += partial[i].xxTerms;
    sums.yTerms += partial[i].yTerms;
    sums.yyTerms += partial[i].yyTerms;
    sums.xyTerms += partial[i].xyTerms;
  }
  return sums;
}

// The sums over the terms t = n tau^J of an ideal-gas part.
struct IdealGasSums {
  double terms = 0.0;        // sum t
  double tauTerms = 0.0;     // sum t J
  double tauTauTerms = 0.0;  // sum t J (J - 1)
};

template <int J>
inline void AddIdealGasTerm(double t, IdealGasSums& sums) {
  sums.terms += t;
  if constexpr (J != 0) {
    sums.tauTerms += t * J;
    if constexpr (J != 1) {
      sums.tauTauTerms += t * (J * (J - 1));
    }
  }
}

template <const auto& kTerms>
IdealGasSums SumIdealGasSeries(double tau) {
  const IntegerPowers<kExponents<kTerms, &IdealGasTerm::J>> tauPowers(tau);
  IdealGasSums sums;
  [&]<std::size_t... k>(std::index_sequence<k...>) {
    (AddIdealGasTerm<kTerms[k].J>(kTerms[k].n * tauPowers.template OfTerm<k>(), sums), ...);
  }
  (std::make_index_sequence<kTerms.size()>{});
  return sums;
}

}  // namespace vaporix::detail
