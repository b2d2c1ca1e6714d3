#include <benchmark/benchmark.h>

#include "vaporix/charts/IsolineTracer.h"

namespace {

using vaporix::StateProperties;
using vaporix::charts::ChartRange;
using vaporix::charts::ChartType;
using vaporix::charts::IsolineTracer;
using vaporix::charts::TraceRequest;

TraceRequest HomeRequest() {
  TraceRequest request;
  request.chart = ChartType::HS;
  request.range = vaporix::charts::Describe(ChartType::HS).home;
  request.widthPixels = 1000.0;
  request.heightPixels = 700.0;
  return request;
}

// The default h-s chart from nothing: a new tracer with a new engine.
void BM_DiagramHomeTraceCold(benchmark::State& state) {
  for (auto _ : state) {
    IsolineTracer tracer;
    benchmark::DoNotOptimize(tracer.Trace(HomeRequest()).lines.size());
  }
}
BENCHMARK(BM_DiagramHomeTraceCold)->Unit(benchmark::kMillisecond);

// A zoom into the steam region and a pan across the two-phase region, each
// traced again by the tracer the view keeps.
void BM_DiagramRetrace(benchmark::State& state) {
  IsolineTracer tracer;
  TraceRequest request = HomeRequest();
  request.range = state.range(0) == 0 ? ChartRange{5.5, 8.0, 2200.0, 3600.0}
                                      : ChartRange{3.0, 7.0, 1200.0, 3000.0};
  for (auto _ : state) {
    benchmark::DoNotOptimize(tracer.Trace(request).lines.size());
  }
}
BENCHMARK(BM_DiagramRetrace)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The read-out under the cursor: superheated steam (0) and wet steam (1).
void BM_DiagramHoverReadOut(benchmark::State& state) {
  IsolineTracer tracer;
  const double s = state.range(0) == 0 ? 7.0 : 5.0;
  const double h = state.range(0) == 0 ? 3200.0 : 2000.0;
  StateProperties out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tracer.StateAt(ChartType::HS, s, h, out));
  }
}
BENCHMARK(BM_DiagramHoverReadOut)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
