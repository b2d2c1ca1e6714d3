#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "Batch.h"
#include "bench_support.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"
#include "vaporix/equations/Region1Equation.h"

namespace {

using vaporix::IF97Calculator;
using vaporix::InputPair;
using vaporix::InputPairInfo;
using vaporix::StateProperties;
using vaporix::TransportProperties;
using vaporix::bench::EntryPoint;

// A representative state of each region: region 1 (10 MPa, 400 K), region 2
// (0.01 MPa, 700 K; its entropy is above that of saturated vapour at
// 0.001 MPa, so the (h,s) search stays in region 2) and region 5 (5 MPa, 1500 K).
struct RegionState {
  double p;
  double T;
};
constexpr RegionState kStates[] = {{10.0, 400.0}, {0.01, 700.0}, {5.0, 1500.0}};
// For (h,s): states whose isentrope does not cross the two-phase region or
// region 3 between 0.001 MPa and the top of the range.
constexpr RegionState kSearchStates[] = {{10.0, 278.0}, {0.01, 700.0}, {1.0, 1500.0}};

StateProperties Reference(const RegionState& where) {
  IF97Calculator engine;
  engine.Initialize();
  StateProperties state;
  TransportProperties transport;
  engine.Calculate(vaporix::InputPair::PT, where.p, where.T, state, transport, false, false);
  return state;
}

// Times one way into the engine on the inputs taken from the region's state
// (benchmark argument: 0 region 1, 1 region 2, 2 region 5).
template <typename Calculate>
void TimeCalculation(benchmark::State& state, Calculate calculate, double StateProperties::*first,
                     double StateProperties::*second, bool withTransport,
                     const RegionState* states) {
  const StateProperties reference = Reference(states[state.range(0)]);
  IF97Calculator engine;
  engine.Initialize();
  StateProperties out;
  TransportProperties transport;
  const double a = reference.*first;
  const double b = reference.*second;
  if (!calculate(engine, a, b, out, transport, withTransport)) {
    state.SkipWithError("the engine declines this state");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(calculate(engine, a, b, out, transport, withTransport));
    benchmark::ClobberMemory();
  }
}

// Through a CalcXX entry point, as callers before the pair table did.
void TimeEntryPoint(benchmark::State& state, EntryPoint entryPoint, double StateProperties::*first,
                    double StateProperties::*second, bool withTransport,
                    const RegionState* states = kStates) {
  TimeCalculation(
      state,
      [entryPoint](IF97Calculator& engine, double a, double b, StateProperties& out,
                   TransportProperties& transport, bool transportToo) {
        return (engine.*entryPoint)(a, b, out, transport, transportToo, false);
      },
      first, second, withTransport, states);
}

// Through Calculate with a pair chosen at run time, as the front ends call it;
// the inputs are the pair's two quantities from the table.
void TimeTablePair(benchmark::State& state, InputPair pair, bool withTransport,
                   const RegionState* states = kStates) {
  const InputPairInfo& info = vaporix::Describe(pair);
  benchmark::DoNotOptimize(pair);
  TimeCalculation(
      state,
      [pair](IF97Calculator& engine, double a, double b, StateProperties& out,
             TransportProperties& transport, bool transportToo) {
        return engine.Calculate(pair, a, b, out, transport, transportToo, false);
      },
      vaporix::Describe(info.first).field, vaporix::Describe(info.second).field, withTransport,
      states);
}

void BM_Region1Evaluate(benchmark::State& state) {
  const vaporix::Region1Equation region1;
  StateProperties out;
  double T = 400.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(region1.Evaluate(10.0, T, out));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Region1Evaluate);

void BM_CalcPT_WithTransport(benchmark::State& state) {
  TimeEntryPoint(state, &IF97Calculator::CalcPT, &StateProperties::p, &StateProperties::t, true);
}
BENCHMARK(BM_CalcPT_WithTransport)->DenseRange(0, 2);

void BM_Calculate_PT_WithTransport(benchmark::State& state) {
  TimeTablePair(state, InputPair::PT, true);
}
BENCHMARK(BM_Calculate_PT_WithTransport)->DenseRange(0, 2);

void BM_CalcPT(benchmark::State& state) {
  TimeEntryPoint(state, &IF97Calculator::CalcPT, &StateProperties::p, &StateProperties::t, false);
}
BENCHMARK(BM_CalcPT)->DenseRange(0, 2);

void BM_Calculate_PT(benchmark::State& state) {
  TimeTablePair(state, InputPair::PT, false);
}
BENCHMARK(BM_Calculate_PT)->DenseRange(0, 2);

void BM_CalcPH(benchmark::State& state) {
  TimeEntryPoint(state, &IF97Calculator::CalcPH, &StateProperties::p, &StateProperties::h, false);
}
BENCHMARK(BM_CalcPH)->DenseRange(0, 2);

void BM_Calculate_PH(benchmark::State& state) {
  TimeTablePair(state, InputPair::PH, false);
}
BENCHMARK(BM_Calculate_PH)->DenseRange(0, 2);

void BM_CalcPS(benchmark::State& state) {
  TimeEntryPoint(state, &IF97Calculator::CalcPS, &StateProperties::p, &StateProperties::s, false);
}
BENCHMARK(BM_CalcPS)->DenseRange(0, 2);

void BM_Calculate_PS(benchmark::State& state) {
  TimeTablePair(state, InputPair::PS, false);
}
BENCHMARK(BM_Calculate_PS)->DenseRange(0, 2);

void BM_CalcTH(benchmark::State& state) {
  TimeEntryPoint(state, &IF97Calculator::CalcTH, &StateProperties::t, &StateProperties::h, false);
}
BENCHMARK(BM_CalcTH)->DenseRange(0, 2);

void BM_Calculate_TH(benchmark::State& state) {
  TimeTablePair(state, InputPair::TH, false);
}
BENCHMARK(BM_Calculate_TH)->DenseRange(0, 2);

void BM_CalcHS(benchmark::State& state) {
  TimeEntryPoint(state, &IF97Calculator::CalcHS, &StateProperties::h, &StateProperties::s, false,
                 kSearchStates);
}
BENCHMARK(BM_CalcHS)->DenseRange(0, 2);

void BM_Calculate_HS(benchmark::State& state) {
  TimeTablePair(state, InputPair::HS, false, kSearchStates);
}
BENCHMARK(BM_Calculate_HS)->DenseRange(0, 2);
// The slowest inputs the worst-case finder turned up, declined ones too:
// next to the B23 line, 623.15 K and 1073.15 K, on the saturation line, at
// the critical isochore and on the isochores of the densest liquid.
void BM_HardInput(benchmark::State& state, InputPair pair, double a, double b) {
  IF97Calculator engine;
  engine.Initialize();
  StateProperties out;
  TransportProperties transport;
  for (auto _ : state) {
    benchmark::DoNotOptimize(engine.Calculate(pair, a, b, out, transport, false, false));
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(BM_HardInput, hv_b23_jump, InputPair::HV, 2682.70, 0.0030378);
BENCHMARK_CAPTURE(BM_HardInput, uv_b23_jump, InputPair::UV, 2482.3268956761044,
                  0.0030151926058045839);
BENCHMARK_CAPTURE(BM_HardInput, uv_saturated_liquid_623, InputPair::UV, 1642.0963056446435,
                  0.0017400705612777608);
BENCHMARK_CAPTURE(BM_HardInput, uv_jump_623, InputPair::UV, 1642.1251526390727,
                  0.0017402041227815117);
BENCHMARK_CAPTURE(BM_HardInput, hv_wet_626K, InputPair::HV, 2264.8023672881955,
                  0.0060995326140968623);
BENCHMARK_CAPTURE(BM_HardInput, uv_wet_625K, InputPair::UV, 1724.101388399728,
                  0.0023600056269064557);
BENCHMARK_CAPTURE(BM_HardInput, uv_critical_isochore, InputPair::UV, 1805.289262633868,
                  0.003105590062111801);
BENCHMARK_CAPTURE(BM_HardInput, hv_near_critical, InputPair::HV, 2087.0249153533491,
                  0.0031025849376648848);
BENCHMARK_CAPTURE(BM_HardInput, hv_cold_isochore, InputPair::HV, 9.4350053397838725,
                  0.001000098923736705);
BENCHMARK_CAPTURE(BM_HardInput, uv_cold_isochore_4kPa, InputPair::UV, 38.928852026142494,
                  0.0010002838737055255);
BENCHMARK_CAPTURE(BM_HardInput, uv_cold_isochore_282K, InputPair::UV, 37.291798082402494,
                  0.0010002543990664371);
BENCHMARK_CAPTURE(BM_HardInput, hv_cold_wet_end_281K, InputPair::HV, 31.689644311406621,
                  0.0010001716144668962);
BENCHMARK_CAPTURE(BM_HardInput, hv_cold_wet_end_1kPa, InputPair::HV, 33.266672913693952,
                  0.001000192815443147);
BENCHMARK_CAPTURE(BM_HardInput, hv_cold_isochore_299K, InputPair::HV, 137.61390130317091,
                  0.00098993581552635733);
BENCHMARK_CAPTURE(BM_HardInput, uv_densest_declined, InputPair::UV, -0.24350319617578517,
                  0.00095668896920754205);
BENCHMARK_CAPTURE(BM_HardInput, uv_jump_1073K, InputPair::UV, 3665.2304347329919,
                  11.631257139320551);
BENCHMARK_CAPTURE(BM_HardInput, vs_saturated_vapour, InputPair::VS, 0.065912886490621089,
                  6.1813595409174615);
BENCHMARK_CAPTURE(BM_HardInput, hs_b23_touch, InputPair::HS, 2649.7580411287586,
                  5.0480010814113081);
BENCHMARK_CAPTURE(BM_HardInput, us_b23_touch, InputPair::US, 2461.2179476358187,
                  5.0479750048982837);
BENCHMARK_CAPTURE(BM_HardInput, uv_declined_liquid_623, InputPair::UV, 1642.0984946649808,
                  0.0017400705549358573);
BENCHMARK_CAPTURE(BM_HardInput, hv_declined_liquid_623, InputPair::HV, 1670.8604449580555,
                  0.0017400705549358573);
BENCHMARK_CAPTURE(BM_HardInput, hv_liquid_623, InputPair::HV, 1670.8885406745428,
                  0.0017403050256417987);
BENCHMARK_CAPTURE(BM_HardInput, uv_declined_0_00266, InputPair::UV, 2537.0095850132607,
                  0.0026596886213119866);
BENCHMARK_CAPTURE(BM_HardInput, uv_critical_isochore_above, InputPair::UV, 1809.0449884618308,
                  0.0031055900620179282);
BENCHMARK_CAPTURE(BM_HardInput, uv_declined_0_00131, InputPair::UV, 1423.5373731077482,
                  0.0013129329709432919);
BENCHMARK_CAPTURE(BM_HardInput, hv_b23_top_neighbour, InputPair::HV, 2775.6657084760368,
                  0.0026785257956224101);
BENCHMARK_CAPTURE(BM_HardInput, hs_declined_b23_5_088, InputPair::HS, 2605.6663321388887,
                  5.0877683968882259);
BENCHMARK_CAPTURE(BM_HardInput, vs_b23_top, InputPair::VS, 0.0026939791405272964,
                  5.0812157211773652);
// Targets beside or in the jump of a line between two equations.
BENCHMARK_CAPTURE(BM_HardInput, hs_b23_677_K, InputPair::HS, 2622.5653689882802,
                  5.2040968200308155);
BENCHMARK_CAPTURE(BM_HardInput, hs_623_15_K_16_5_MPa, InputPair::HS, 1670.888543770584,
                  3.7783229125406272);
BENCHMARK_CAPTURE(BM_HardInput, hs_b23_top_corner, InputPair::HS, 2812.9419622154578,
                  5.0979689890440243);
BENCHMARK_CAPTURE(BM_HardInput, vs_declined_623_15_K, InputPair::VS, 0.0016339822555271875,
                  3.7067904090347468);
BENCHMARK_CAPTURE(BM_HardInput, hv_623_15_K_79_MPa, InputPair::HV, 1557.95375936646,
                  0.0013545712644729764);
// An isentrope leaving the dome's vapour side, a target beside its crossing.
BENCHMARK_CAPTURE(BM_HardInput, us_dome_vapour_side, InputPair::US, 2537.5735439952223,
                  7.0451971404289138);
// Beside the 623.15 K jump at 34 MPa: declined.
BENCHMARK_CAPTURE(BM_HardInput, hs_declined_623_15_K_34_MPa, InputPair::HS, 1599.3652383698818,
                  3.6182652606371457);
// Lines topping out on 100 MPa between 1073.14 and 1073.15 K.
BENCHMARK_CAPTURE(BM_HardInput, hv_top_corner, InputPair::HV, 3715.1885437229594,
                  0.0043355068212709204);
BENCHMARK_CAPTURE(BM_HardInput, uv_top_corner_1073_145_K, InputPair::UV, 3281.624371147916,
                  0.0043354748968334657);
BENCHMARK_CAPTURE(BM_HardInput, hv_623_15_K_16_5_MPa, InputPair::HV, 1670.8866606708764,
                  0.0017401268318112187);
BENCHMARK_CAPTURE(BM_HardInput, hs_next_to_critical, InputPair::HS, 2087.8449815718686,
                  4.4124822122843232);
// Next to the critical point: wet (h,s) at it, beside it on a saturated
// end and beyond the dome's tip, and isochores and isentropes a hair off the
// critical ones, microkelvins below the critical temperature.
BENCHMARK_CAPTURE(BM_HardInput, sat_hs_critical_point, InputPair::SatHS, 2087.5468451171596,
                  4.4120214822363586);
BENCHMARK_CAPTURE(BM_HardInput, sat_hs_critical_liquid_end, InputPair::SatHS, 2081.3078385541412,
                  4.4023818967517618);
BENCHMARK_CAPTURE(BM_HardInput, sat_hs_above_tip, InputPair::SatHS, 2087.5468568400174,
                  4.4120214822363586);
BENCHMARK_CAPTURE(BM_HardInput, sat_hs_declined_beside_tip, InputPair::SatHS, 2087.5468721670381,
                  4.4120204493157642);
BENCHMARK_CAPTURE(BM_HardInput, sat_us_near_critical, InputPair::SatUS, 2019.0251059868749,
                  4.4120214822363586);
BENCHMARK_CAPTURE(BM_HardInput, hv_critical_liquid_side, InputPair::HV, 2087.0303959328544,
                  0.0031026159591667191);
BENCHMARK_CAPTURE(BM_HardInput, uv_critical_liquid_side, InputPair::UV, 2018.5353892159019,
                  0.0031023595269469729);
BENCHMARK_CAPTURE(BM_HardInput, vs_critical_liquid_side, InputPair::VS, 0.0031036472373073129,
                  4.4115001844054209);
BENCHMARK_CAPTURE(BM_HardInput, vs_critical_isentrope, InputPair::VS, 0.0031055901789906913,
                  4.4120214822363586);

// The (p,T) rows of the batch benchmarks.
constexpr int kRows = 1000000;
double RowPressure(int i) {
  return 0.002 + (i % 1000) * 0.0999;
}
double RowTemperature(int i) {
  return 280.0 + (i % 1789) * 0.55;
}

// The engine alone on the batch benchmark's states (as the rows spell them):
// CalcPT with transport, one thread. Items per second is states per second.
void BM_CalcPTRows(benchmark::State& state) {
  std::vector<std::pair<double, double>> rows;
  rows.reserve(kRows);
  for (int i = 0; i < kRows; ++i) {
    rows.emplace_back(std::stod(std::to_string(RowPressure(i))),
                      std::stod(std::to_string(RowTemperature(i))));
  }
  IF97Calculator engine;
  engine.Initialize();
  StateProperties out;
  TransportProperties transport;
  for (auto _ : state) {
    for (const auto& [p, T] : rows) {
      benchmark::DoNotOptimize(engine.CalcPT(p, T, out, transport, true, false));
    }
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_CalcPTRows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// vaporix-cli batch on 1e6 (p,T) rows, parsing and formatting included
// (argument: thread count). Items per second is rows per second (wall clock);
// the CPU column is the whole process's, reader and workers together, which
// stays comparable with BM_CalcPTRows on a busy machine.
void BM_BatchRows(benchmark::State& state) {
  std::string input = "p,t\n";
  input.reserve(static_cast<std::size_t>(kRows) * 20);
  for (int i = 0; i < kRows; ++i) {
    input += std::to_string(RowPressure(i)) + "," + std::to_string(RowTemperature(i)) + "\n";
  }
  vaporix::cli::BatchOptions options;
  options.pair = vaporix::InputPair::PT;
  options.threads = static_cast<unsigned>(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    vaporix::cli::RunBatch(options, input, [&bytes](std::string_view block) {
      bytes += block.size();
      return true;
    });
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_BatchRows)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(2);

}  // namespace
