#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "vaporix/IF97Calculator.h"

namespace {

using vaporix::IF97Calculator;
using vaporix::InputPair;
using vaporix::StateProperties;
using vaporix::TransportProperties;

// The million (p, T) states of bench/python_bench.py, built by the same
// arithmetic so both sides solve bit-identical inputs: the first half in
// region 1 (20-99.92 MPa, 280-619.32 K), the second in region 2
// (0.001-3.997 MPa, 700-1069.26 K).
constexpr std::size_t kStates = 1000000;

struct Inputs {
  std::vector<double> p;
  std::vector<double> t;
};

Inputs MillionStates() {
  Inputs inputs;
  inputs.p.resize(kStates);
  inputs.t.resize(kStates);
  for (std::size_t i = 0; i < kStates; ++i) {
    const auto j = static_cast<double>(i % 1000);
    const auto k = static_cast<double>(i / 1000);
    const bool region1 = i < kStates / 2;
    inputs.p[i] = region1 ? 20.0 + j * 0.08 : 0.001 + j * 0.004;
    inputs.t[i] = region1 ? 280.0 + k * 0.68 : 700.0 + (k - 500.0) * 0.74;
  }
  return inputs;
}

// The engine's own loop over those states, one thread, each state into its
// record (no transport): the yardstick of vaporix.state("pt", p, t,
// transport=False). Argument 0: records reused from run to run (as
// state(out=...)); 1: records allocated afresh in each run (as state()).
// Items per second is states per second.
void BM_EngineLoopPT(benchmark::State& state) {
  const Inputs inputs = MillionStates();
  const bool fresh = state.range(0) == 1;
  std::vector<StateProperties> records(kStates);
  IF97Calculator engine;
  engine.Initialize();
  TransportProperties transport;
  for (auto _ : state) {
    if (fresh) {
      std::vector<StateProperties>().swap(records);
      records.resize(kStates);
    }
    std::size_t found = 0;
    for (std::size_t i = 0; i < kStates; ++i) {
      records[i] = StateProperties{};
      found += engine.Calculate(InputPair::PT, inputs.p[i], inputs.t[i], records[i], transport,
                                false, false)
                   ? 1
                   : 0;
    }
    if (found != kStates) {
      state.SkipWithError("a state of the set is out of range");
      return;
    }
    benchmark::DoNotOptimize(records.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kStates));
}
BENCHMARK(BM_EngineLoopPT)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);

// Engine start-up: what a new thread pays once before its first state.
void BM_EngineInitialize(benchmark::State& state) {
  for (auto _ : state) {
    IF97Calculator engine;
    engine.Initialize();
    benchmark::DoNotOptimize(&engine);
  }
}
BENCHMARK(BM_EngineInitialize)->Unit(benchmark::kMicrosecond);

}  // namespace
