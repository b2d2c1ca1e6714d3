#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "vaporix/StateProperties.h"
#include "vaporix/equations/Region3Equation.h"

namespace {

// (p, T) points spread over the subregion bands, near-critical ones included.
constexpr std::array<std::array<double, 2>, 8> kPressureTemperature{{{50.0, 630.0},
                                                                     {80.0, 750.0},
                                                                     {30.0, 670.0},
                                                                     {24.0, 655.0},
                                                                     {22.8, 649.7},
                                                                     {22.0, 646.84},
                                                                     {21.5, 644.6},
                                                                     {17.0, 626.0}}};

void BM_Region3Evaluate(benchmark::State& state) {
  const vaporix::Region3Equation region3;
  vaporix::StateProperties out;
  double rho = 500.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(region3.Evaluate(rho, 650.0, out));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Region3Evaluate);

void BM_Region3Pressure(benchmark::State& state) {
  const vaporix::Region3Equation region3;
  double rho = 500.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rho);
    benchmark::DoNotOptimize(region3.Pressure(650.0, rho));
  }
}
BENCHMARK(BM_Region3Pressure);

void BM_Region3StartVolume(benchmark::State& state) {
  const vaporix::Region3Equation region3;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& point = kPressureTemperature[i];
    benchmark::DoNotOptimize(region3.StartVolume(point[0], point[1]));
    i = (i + 1) % kPressureTemperature.size();
  }
}
BENCHMARK(BM_Region3StartVolume);

void BM_Region3StartVolumeSubregion(benchmark::State& state) {
  const vaporix::Region3Equation region3;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& point = kPressureTemperature[i];
    benchmark::DoNotOptimize(region3.StartVolumeSubregion(point[0], point[1]));
    i = (i + 1) % kPressureTemperature.size();
  }
}
BENCHMARK(BM_Region3StartVolumeSubregion);

}  // namespace
