#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"
#include "vaporix/StateProperties.h"

namespace {

using vaporix::IF97Calculator;
using vaporix::InputPair;
using vaporix::InputPairInfo;
using vaporix::kInputPairs;
using vaporix::StateProperties;
using vaporix::TransportProperties;

// Region-3 states (p in MPa, T in K): dense liquid, both sides of the
// saturation line near 623 K and 640 K, the critical neighbourhood, and
// supercritical states up to the B23 line.
constexpr double kRegion3States[][2] = {
    {90.0, 630.0}, {17.0, 623.5},   {18.0, 628.0}, {20.0, 640.0}, {22.0, 646.9},
    {22.1, 647.2}, {23.0, 650.0},   {25.0, 650.0}, {35.0, 700.0}, {50.0, 750.0},
    {99.0, 860.0}, {22.064, 647.2}, {21.5, 645.0}, {21.0, 642.0},
};

// Wet steam (T in K, x in %), below and above 623.15 K and close to the
// critical point; above 623.15 K entropies on both sides of s''(623.15 K),
// where (h,s) starts from Tsat(h,s) or from the mixture at 623.15 K.
constexpr double kWetStates[][2] = {
    {300.0, 50.0}, {450.0, 10.0}, {600.0, 90.0}, {630.0, 50.0}, {640.0, 20.0},
    {646.5, 60.0}, {625.0, 97.0}, {635.0, 3.0},  {644.0, 85.0}, {647.0, 40.0},
};

StateProperties Region3State(IF97Calculator& engine, std::size_t index) {
  StateProperties state;
  TransportProperties transport;
  engine.Calculate(InputPair::PT, kRegion3States[index][0], kRegion3States[index][1], state,
                   transport, false, false);
  return state;
}

StateProperties WetState(IF97Calculator& engine, std::size_t index) {
  StateProperties state;
  TransportProperties transport;
  engine.Calculate(InputPair::SatTX, kWetStates[index][0], kWetStates[index][1], state, transport,
                   false, false);
  return state;
}

// Times `pair` on its two inputs taken from `state`.
void TimeOnState(benchmark::State& benchState, IF97Calculator& engine, InputPair pair,
                 const StateProperties& state) {
  const InputPairInfo& info = Describe(pair);
  const double first = state.*Describe(info.first).field;
  const double second = state.*Describe(info.second).field;
  StateProperties out;
  TransportProperties transport;
  for (auto _ : benchState) {
    const bool ok = engine.Calculate(pair, first, second, out, transport, false, false);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(out);
  }
}

void BM_Region3(benchmark::State& benchState, InputPair pair) {
  IF97Calculator engine;
  engine.Initialize();
  const StateProperties state = Region3State(engine, static_cast<std::size_t>(benchState.range(0)));
  TimeOnState(benchState, engine, pair, state);
  benchState.counters["p_MPa"] = state.p;
  benchState.counters["T_K"] = state.t;
}

void BM_Saturation(benchmark::State& benchState, InputPair pair) {
  IF97Calculator engine;
  engine.Initialize();
  const StateProperties state = WetState(engine, static_cast<std::size_t>(benchState.range(0)));
  TimeOnState(benchState, engine, pair, state);
  benchState.counters["T_K"] = state.t;
  benchState.counters["x_pct"] = state.x;
}

constexpr int kRegion3Count = static_cast<int>(std::size(kRegion3States));
constexpr int kWetCount = static_cast<int>(std::size(kWetStates));

// Region 3 through four single-phase pairs, and every saturation pair of the
// table ("Region3/pt", "Saturation/px", ...).
const bool kRegistered = [] {
  for (InputPair pair : {InputPair::PT, InputPair::PH, InputPair::PS, InputPair::HS}) {
    benchmark::RegisterBenchmark(("Region3/" + std::string(Describe(pair).name)).c_str(),
                                 BM_Region3, pair)
        ->DenseRange(0, kRegion3Count - 1)
        ->Unit(pair == InputPair::HS ? benchmark::kMicrosecond : benchmark::kNanosecond);
  }
  // The single-phase entry points on wet states: the region solvers decline
  // before the two-phase solver answers.
  for (InputPair pair : {InputPair::PH, InputPair::PS, InputPair::HS}) {
    benchmark::RegisterBenchmark(("Wet/" + std::string(Describe(pair).name)).c_str(), BM_Saturation,
                                 pair)
        ->DenseRange(0, kWetCount - 1)
        ->Unit(pair == InputPair::HS ? benchmark::kMicrosecond : benchmark::kNanosecond);
  }
  for (const InputPairInfo& info : kInputPairs) {
    if (info.saturation) {
      benchmark::RegisterBenchmark(("Saturation/" + std::string(info.name)).c_str(), BM_Saturation,
                                   info.pair)
          ->DenseRange(0, kWetCount - 1);
    }
  }
  return true;
}();

}  // namespace
