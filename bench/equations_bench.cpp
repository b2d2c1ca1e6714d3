#include <benchmark/benchmark.h>

#include "vaporix/StateProperties.h"
#include "vaporix/equations/Region1Equation.h"
#include "vaporix/equations/Region2Equation.h"
#include "vaporix/equations/Region5Equation.h"
#include "vaporix/equations/SaturationEquation.h"

namespace {

// Full evaluation at a fixed state; the inputs go through DoNotOptimize so
// the compiler cannot fold the call.
template <typename Equation>
void EvaluateAt(benchmark::State& state, double p, double T) {
  const Equation equation;
  vaporix::StateProperties out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(equation.Evaluate(p, T, out));
    benchmark::ClobberMemory();
  }
}

void BM_Region1Evaluate(benchmark::State& state) {
  EvaluateAt<vaporix::Region1Equation>(state, 3.0, 300.0);
}
BENCHMARK(BM_Region1Evaluate);

void BM_Region2Evaluate(benchmark::State& state) {
  EvaluateAt<vaporix::Region2Equation>(state, 0.0035, 300.0);
}
BENCHMARK(BM_Region2Evaluate);

void BM_Region5Evaluate(benchmark::State& state) {
  EvaluateAt<vaporix::Region5Equation>(state, 0.5, 1500.0);
}
BENCHMARK(BM_Region5Evaluate);

void BM_Region1EnthalpyPT(benchmark::State& state) {
  const vaporix::Region1Equation equation;
  double p = 3.0;
  double T = 300.0;
  double cp = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(equation.EnthalpyPT(&cp, p, T));
    benchmark::DoNotOptimize(cp);
  }
}
BENCHMARK(BM_Region1EnthalpyPT);

// A backward equation called with its two arguments at one point.
template <typename Equation, double (Equation::*Backward)(double, double) const>
void BackwardAt(benchmark::State& state, double first, double second) {
  const Equation equation;
  for (auto _ : state) {
    benchmark::DoNotOptimize(first);
    benchmark::DoNotOptimize(second);
    benchmark::DoNotOptimize((equation.*Backward)(first, second));
  }
}

using vaporix::Region1Equation;
using vaporix::Region2Equation;

// Saturation temperature at a low, a middle and a near-critical pressure (kPa).
void BM_SaturationTemperature(benchmark::State& state) {
  const vaporix::SaturationEquation saturation;
  double p = static_cast<double>(state.range(0)) / 1000.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(saturation.SaturationTemperature(p));
  }
}
BENCHMARK(BM_SaturationTemperature)->Arg(2)->Arg(1000)->Arg(22000);

void BM_Region1TemperaturePH(benchmark::State& state) {
  BackwardAt<Region1Equation, &Region1Equation::TemperaturePH>(state, 3.0, 500.0);
}
BENCHMARK(BM_Region1TemperaturePH);

void BM_Region1TemperaturePS(benchmark::State& state) {
  BackwardAt<Region1Equation, &Region1Equation::TemperaturePS>(state, 3.0, 0.5);
}
BENCHMARK(BM_Region1TemperaturePS);

void BM_Region1PressureHS(benchmark::State& state) {
  BackwardAt<Region1Equation, &Region1Equation::PressureHS>(state, 0.001, 0.0);
}
BENCHMARK(BM_Region1PressureHS);

void BM_Region2TemperaturePH(benchmark::State& state) {
  const double p = static_cast<double>(state.range(0)) / 1000.0;
  const double h = static_cast<double>(state.range(1));
  BackwardAt<Region2Equation, &Region2Equation::TemperaturePH>(state, p, h);
}
// Subregions 2a, 2b, 2c.
BENCHMARK(BM_Region2TemperaturePH)->Args({1, 3000})->Args({5000, 3500})->Args({40000, 2700});

void BM_Region2TemperaturePS(benchmark::State& state) {
  const double p = static_cast<double>(state.range(0)) / 1000.0;
  const double s = static_cast<double>(state.range(1)) / 1000.0;
  BackwardAt<Region2Equation, &Region2Equation::TemperaturePS>(state, p, s);
}
BENCHMARK(BM_Region2TemperaturePS)->Args({100, 7500})->Args({8000, 6000})->Args({20000, 5750});

void BM_Region2PressureHS(benchmark::State& state) {
  const double h = static_cast<double>(state.range(0));
  const double s = static_cast<double>(state.range(1)) / 1000.0;
  BackwardAt<Region2Equation, &Region2Equation::PressureHS>(state, h, s);
}
BENCHMARK(BM_Region2PressureHS)->Args({2800, 6500})->Args({3600, 6000})->Args({2800, 5100});

}  // namespace
