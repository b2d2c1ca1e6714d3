#include <benchmark/benchmark.h>

#include "vaporix/equations/SaturationEquation.h"

namespace {

void BM_SaturationPressure(benchmark::State& state) {
  const vaporix::SaturationEquation saturation;
  double T = 500.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(saturation.SaturationPressure(T));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SaturationPressure);

}  // namespace
