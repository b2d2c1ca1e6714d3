#include <benchmark/benchmark.h>

#include "vaporix/equations/TransportEquation.h"

namespace {

// Liquid water at 0.1 MPa and 25 °C; the inputs go through DoNotOptimize so the
// compiler cannot fold the call.
constexpr double kPressure = 0.1;
constexpr double kTemperature = 298.15;
constexpr double kVolume = 1.0 / 997.047;

void BM_Viscosity(benchmark::State& state) {
  const vaporix::TransportEquation transport;
  double p = kPressure;
  double T = kTemperature;
  double v = kVolume;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(v);
    benchmark::DoNotOptimize(transport.Viscosity(p, T, v));
  }
}
BENCHMARK(BM_Viscosity);

void BM_ThermalConductivity(benchmark::State& state) {
  const vaporix::TransportEquation transport;
  double p = kPressure;
  double T = kTemperature;
  double v = kVolume;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(v);
    benchmark::DoNotOptimize(transport.ThermalConductivity(p, T, v));
  }
}
BENCHMARK(BM_ThermalConductivity);

void BM_SurfaceTension(benchmark::State& state) {
  const vaporix::TransportEquation transport;
  double T = kTemperature;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(transport.SurfaceTension(T));
  }
}
BENCHMARK(BM_SurfaceTension);

}  // namespace
