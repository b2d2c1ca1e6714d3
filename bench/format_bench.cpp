#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <charconv>
#include <vector>

#include "Format.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/Properties.h"

namespace {

// Every property of a spread of (p,T) states, as a batch writes them.
std::vector<double> PropertyValues() {
  vaporix::IF97Calculator engine;
  engine.Initialize();
  std::vector<double> values;
  for (int i = 0; i < 200; ++i) {
    vaporix::StateProperties state;
    vaporix::TransportProperties transport;
    if (engine.CalcPT(0.002 + i * 0.4999, 280.0 + i * 4.9, state, transport, true, false)) {
      for (const vaporix::PropertyInfo& property : vaporix::kProperties) {
        if (!property.isRegion) {
          values.push_back(vaporix::ValueOf(property, state, transport));
        }
      }
    }
  }
  return values;
}

// Shortest round-trip text of one double (items per second: values).
template <typename Format>
void TimeFormat(benchmark::State& state, Format format) {
  const std::vector<double> values = PropertyValues();
  char text[vaporix::cli::kMaxNumberLength];
  for (auto _ : state) {
    for (double value : values) {
      benchmark::DoNotOptimize(format(text, value));
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void BM_FormatNumber(benchmark::State& state) {
  TimeFormat(state,
             [](char* text, double value) { return vaporix::cli::FormatNumber(text, value); });
}
BENCHMARK(BM_FormatNumber);

// The standard library's shortest form, which FormatNumber reproduces.
void BM_ToCharsShortest(benchmark::State& state) {
  TimeFormat(state, [](char* text, double value) {
    return std::to_chars(text, text + vaporix::cli::kMaxNumberLength, value).ptr;
  });
}
BENCHMARK(BM_ToCharsShortest);

// The shortest digits alone, without laying them out: the part of
// FormatNumber no layout work can remove (28 values make a batch row).
void BM_ShortestDigitsOnly(benchmark::State& state) {
  TimeFormat(state, [](char*, double value) {
    const auto decimal = fmt::detail::dragonbox::to_decimal(value);
    return decimal.significand + static_cast<std::uint64_t>(decimal.exponent);
  });
}
BENCHMARK(BM_ShortestDigitsOnly);

}  // namespace
