#include <benchmark/benchmark.h>

#include <vector>

#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"

namespace {

using vaporix::CalculatedState;
using vaporix::IF97Calculator;
using vaporix::InputPair;
using vaporix::StateProperties;
using vaporix::TransportProperties;

// Inputs of the single-phase page: two-valued ones (cold wet steam against
// compressed liquid, hot liquid around its enthalpy minimum, the density
// maximum) and ones with one state in each route (liquid (p,h), wet (p,h),
// vapour (t,s), (h,s) and (h,v) along their lines).
struct Inputs {
  InputPair pair;
  double a;
  double b;
};
constexpr Inputs kInputs[] = {
    {InputPair::TH, 279.45, 69.13}, {InputPair::TH, 550.0, 1215.0}, {InputPair::PV, 0.1, 0.0010001},
    {InputPair::PH, 10.0, 500.0},   {InputPair::PH, 1.0, 1000.0},   {InputPair::TS, 700.0, 7.0},
    {InputPair::HS, 2800.0, 6.5},   {InputPair::HV, 3000.0, 0.1},
};

void SetLabel(benchmark::State& state, const Inputs& in) {
  const vaporix::InputPairInfo& info = vaporix::Describe(in.pair);
  state.SetLabel(std::string(info.name) + " " + std::to_string(in.a) + " " + std::to_string(in.b));
}

// Every state of the inputs, with transport, as the page asks for them.
void BM_CalcAll(benchmark::State& state) {
  const Inputs& in = kInputs[state.range(0)];
  IF97Calculator engine;
  engine.Initialize();
  std::size_t found = 0;
  for (auto _ : state) {
    const std::vector<CalculatedState> all = engine.CalcAll(in.pair, in.a, in.b, true, false);
    found = all.size();
    benchmark::DoNotOptimize(all.data());
  }
  state.counters["states"] = static_cast<double>(found);
  SetLabel(state, in);
}
BENCHMARK(BM_CalcAll)->DenseRange(0, std::size(kInputs) - 1)->Unit(benchmark::kMicrosecond);

// Calculate's one answer of the same inputs, for comparison.
void BM_CalculateOne(benchmark::State& state) {
  const Inputs& in = kInputs[state.range(0)];
  IF97Calculator engine;
  engine.Initialize();
  StateProperties out;
  TransportProperties transport;
  for (auto _ : state) {
    benchmark::DoNotOptimize(engine.Calculate(in.pair, in.a, in.b, out, transport, true, false));
  }
  SetLabel(state, in);
}
BENCHMARK(BM_CalculateOne)->DenseRange(0, std::size(kInputs) - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
