#include <benchmark/benchmark.h>

#include <cstddef>

#include "bench_support.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/StateProperties.h"

namespace {

using vaporix::IF97Calculator;
using vaporix::StateProperties;
using vaporix::TransportProperties;
using vaporix::bench::EntryPoint;

// Region-3 states (p in MPa, T in K): dense liquid, both sides of the
// saturation line near 623 K and 640 K, the critical neighbourhood, and
// supercritical states up to the B23 line.
constexpr double kRegion3States[][2] = {
    {90.0, 630.0}, {17.0, 623.5},   {18.0, 628.0}, {20.0, 640.0}, {22.0, 646.9},
    {22.1, 647.2}, {23.0, 650.0},   {25.0, 650.0}, {35.0, 700.0}, {50.0, 750.0},
    {99.0, 860.0}, {22.064, 647.2}, {21.5, 645.0}, {21.0, 642.0},
};

// Wet steam (T in K, x in %), below and above 623.15 K and close to the critical point.
constexpr double kWetStates[][2] = {
    {300.0, 50.0}, {450.0, 10.0}, {600.0, 90.0}, {630.0, 50.0}, {640.0, 20.0}, {646.5, 60.0},
};

StateProperties Region3State(IF97Calculator& engine, std::size_t index) {
  StateProperties state;
  TransportProperties transport;
  engine.CalcPT(kRegion3States[index][0], kRegion3States[index][1], state, transport, false, false);
  return state;
}

StateProperties WetState(IF97Calculator& engine, std::size_t index) {
  StateProperties state;
  TransportProperties transport;
  engine.CalcSatTX(kWetStates[index][0], kWetStates[index][1], state, transport, false, false);
  return state;
}

// Times `calc` on the inputs taken from `state`.
template <EntryPoint calc, double StateProperties::*first, double StateProperties::*second>
void TimeOnState(benchmark::State& benchState, IF97Calculator& engine,
                 const StateProperties& state) {
  StateProperties out;
  TransportProperties transport;
  for (auto _ : benchState) {
    const bool ok = (engine.*calc)(state.*first, state.*second, out, transport, false, false);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(out);
  }
}

template <EntryPoint calc, double StateProperties::*first, double StateProperties::*second>
void BM_Region3(benchmark::State& benchState) {
  IF97Calculator engine;
  engine.Initialize();
  const StateProperties state = Region3State(engine, static_cast<std::size_t>(benchState.range(0)));
  TimeOnState<calc, first, second>(benchState, engine, state);
  benchState.counters["p_MPa"] = state.p;
  benchState.counters["T_K"] = state.t;
}

template <EntryPoint calc, double StateProperties::*first, double StateProperties::*second>
void BM_Saturation(benchmark::State& benchState) {
  IF97Calculator engine;
  engine.Initialize();
  const StateProperties state = WetState(engine, static_cast<std::size_t>(benchState.range(0)));
  TimeOnState<calc, first, second>(benchState, engine, state);
  benchState.counters["T_K"] = state.t;
  benchState.counters["x_pct"] = state.x;
}

constexpr int kRegion3Count = static_cast<int>(std::size(kRegion3States));
constexpr int kWetCount = static_cast<int>(std::size(kWetStates));

BENCHMARK(BM_Region3<&IF97Calculator::CalcPT, &StateProperties::p, &StateProperties::t>)
    ->Name("Region3/CalcPT")
    ->DenseRange(0, kRegion3Count - 1);
BENCHMARK(BM_Region3<&IF97Calculator::CalcPH, &StateProperties::p, &StateProperties::h>)
    ->Name("Region3/CalcPH")
    ->DenseRange(0, kRegion3Count - 1);
BENCHMARK(BM_Region3<&IF97Calculator::CalcPS, &StateProperties::p, &StateProperties::s>)
    ->Name("Region3/CalcPS")
    ->DenseRange(0, kRegion3Count - 1);
BENCHMARK(BM_Region3<&IF97Calculator::CalcHS, &StateProperties::h, &StateProperties::s>)
    ->Name("Region3/CalcHS")
    ->DenseRange(0, kRegion3Count - 1)
    ->Unit(benchmark::kMicrosecond);

// The single-phase entry points on wet states: the region solvers decline
// before the two-phase solver answers.
BENCHMARK(BM_Saturation<&IF97Calculator::CalcPH, &StateProperties::p, &StateProperties::h>)
    ->Name("Wet/CalcPH")
    ->DenseRange(0, kWetCount - 1);
BENCHMARK(BM_Saturation<&IF97Calculator::CalcPS, &StateProperties::p, &StateProperties::s>)
    ->Name("Wet/CalcPS")
    ->DenseRange(0, kWetCount - 1);
BENCHMARK(BM_Saturation<&IF97Calculator::CalcHS, &StateProperties::h, &StateProperties::s>)
    ->Name("Wet/CalcHS")
    ->DenseRange(0, kWetCount - 1)
    ->Unit(benchmark::kMicrosecond);

#define VAPORIX_SATURATION_BENCH(NAME, FIRST, SECOND)                                          \
  BENCHMARK(                                                                                   \
      BM_Saturation<&IF97Calculator::NAME, &StateProperties::FIRST, &StateProperties::SECOND>) \
      ->Name("Saturation/" #NAME)                                                              \
      ->DenseRange(0, kWetCount - 1)

VAPORIX_SATURATION_BENCH(CalcSatPX, p, x);
VAPORIX_SATURATION_BENCH(CalcSatTX, t, x);
VAPORIX_SATURATION_BENCH(CalcSatPH, p, h);
VAPORIX_SATURATION_BENCH(CalcSatPS, p, s);
VAPORIX_SATURATION_BENCH(CalcSatPU, p, u);
VAPORIX_SATURATION_BENCH(CalcSatPV, p, v);
VAPORIX_SATURATION_BENCH(CalcSatTH, t, h);
VAPORIX_SATURATION_BENCH(CalcSatTS, t, s);
VAPORIX_SATURATION_BENCH(CalcSatTU, t, u);
VAPORIX_SATURATION_BENCH(CalcSatTV, t, v);
VAPORIX_SATURATION_BENCH(CalcSatHS, h, s);
VAPORIX_SATURATION_BENCH(CalcSatUS, u, s);
VAPORIX_SATURATION_BENCH(CalcSatVS, v, s);
VAPORIX_SATURATION_BENCH(CalcSatHV, h, v);
VAPORIX_SATURATION_BENCH(CalcSatUV, u, v);

}  // namespace
