#include <benchmark/benchmark.h>

#include "vaporix/equations/TransportEquation.h"

namespace {

// Liquid water at 0.1 MPa and 25 °C; the inputs go through DoNotOptimize so the
// compiler cannot fold the call.
constexpr double kPressure = 0.1;
constexpr double kTemperature = 298.15;
constexpr double kVolume = 1.0 / 997.047;

// Viscosity and thermal conductivity share their arguments (p, T, v).
template <double (vaporix::TransportEquation::*Operation)(double, double, double) const>
void BM_StateCorrelation(benchmark::State& state) {
  const vaporix::TransportEquation transport;
  double p = kPressure;
  double T = kTemperature;
  double v = kVolume;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(v);
    benchmark::DoNotOptimize((transport.*Operation)(p, T, v));
  }
}
BENCHMARK(BM_StateCorrelation<&vaporix::TransportEquation::Viscosity>)->Name("BM_Viscosity");
BENCHMARK(BM_StateCorrelation<&vaporix::TransportEquation::ThermalConductivity>)
    ->Name("BM_ThermalConductivity");

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
