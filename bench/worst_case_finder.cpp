// Hunts the slowest engine calls of every input pair: draws inputs across and
// beyond the range (the acceptance sweep's draws), plus states packed round
// the critical point, the saturation line next to it, the 623.15 K and B23
// boundaries and the corners of the range, times every call in thread CPU
// time, times the slowest again (best of several, so that a descheduled call
// does not count) and prints them per pair. Run by hand:
//   vaporix-worst-case-finder [DRAWS_PER_PAIR [SEED [SHOWN_PER_PAIR]]]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "engine/state_acceptance.h"
#include "pair_sweep.h"

namespace {

using namespace vaporix;

struct Call {
  double micros = 0.0;
  double a = 0.0;
  double b = 0.0;
  bool ok = false;
};

using sweep::ThreadMicroseconds;

// Inputs of a pair taken from states next to the places where the searches
// work hardest.
class HardDraws {
 public:
  explicit HardDraws(std::uint64_t seed) : random(seed) { engine.Initialize(); }

  bool Draw(InputPair pair, double& a, double& b) {
    const InputPairInfo& info = Describe(pair);
    StateProperties state;
    if (!Seed(info.saturation, state)) {
      return false;
    }
    a = Value(info.first, state);
    b = Value(info.second, state);
    return true;
  }

 private:
  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  }
  bool Chance(double probability) { return Uniform(0.0, 1.0) < probability; }
  // Off `centre` by up to `span`, packed towards it (log-spaced offsets).
  double Around(double centre, double span) {
    const double offset = span * std::exp(Uniform(std::log(1e-9), 0.0));
    return centre + (Chance(0.5) ? offset : -offset);
  }

  bool Solve(InputPair pair, double a, double b, StateProperties& out) {
    TransportProperties transport;
    return engine.Calculate(pair, a, b, out, transport, false, false);
  }

  bool Seed(bool saturation, StateProperties& state) {
    if (saturation || Chance(0.25)) {
      // The dome, mostly within 30 K of the critical point.
      const double T = Chance(0.7)
                           ? std::min(Around(kCriticalTemperature, 30.0), kCriticalTemperature)
                           : Uniform(limits::kMinimumTemperature, kCriticalTemperature);
      const double x = Chance(0.3) ? (Chance(0.5) ? 0.0 : 100.0) : Uniform(0.0, 100.0);
      return Solve(InputPair::SatTX, std::max(T, limits::kMinimumTemperature), x, state);
    }
    double p = 0.0;
    double T = 0.0;
    const double roll = Uniform(0.0, 1.0);
    if (roll < 0.4) {  // the critical point
      p = Around(kCriticalPressure, 4.0);
      T = Around(kCriticalTemperature, 10.0);
    } else if (roll < 0.55) {  // the 623.15 K boundary
      p = Uniform(limits::kSaturationPressureAt623, limits::kMaximumPressure);
      T = Around(limits::kRegion13Temperature, 2.0);
    } else if (roll < 0.7) {  // the B23 line
      T = Uniform(limits::kRegion13Temperature, limits::kB23MaximumTemperature);
      p = Around(saturationEquation.B23Pressure(T), 0.5);
    } else if (roll < 0.85) {  // cold liquid, low pressure to the 100 MPa corner
      T = Uniform(limits::kMinimumTemperature, 300.0);
      p = std::exp(Uniform(std::log(limits::kSinglePhaseMinimumPressure),
                           std::log(limits::kMaximumPressure)));
    } else {  // the upper edges
      p = Chance(0.5) ? limits::kMaximumPressure : limits::kRegion5MaximumPressure;
      T = Uniform(limits::kMinimumTemperature, limits::kMaximumTemperature);
    }
    return Solve(InputPair::PT, p, T, state);
  }

  static double Value(Quantity quantity, const StateProperties& state) {
    return state.*Describe(quantity).field;
  }

  std::mt19937_64 random;
  IF97Calculator engine;
  SaturationEquation saturationEquation;
};

double TimeCall(IF97Calculator& engine, InputPair pair, double a, double b, bool& ok) {
  StateProperties out;
  TransportProperties transport;
  const double start = ThreadMicroseconds();
  ok = engine.Calculate(pair, a, b, out, transport, true, false);
  return ThreadMicroseconds() - start;
}

void HuntPair(InputPair pair, long draws, std::uint64_t seed, std::size_t shown,
              std::vector<Call>& slowest) {
  acceptance::InputDraws wide(seed);
  HardDraws hard(seed ^ 0x9e3779b97f4a7c15ULL);
  IF97Calculator engine;
  engine.Initialize();
  std::vector<Call> calls;
  calls.reserve(static_cast<std::size_t>(draws));
  for (long i = 0; i < draws; ++i) {
    double a = 0.0;
    double b = 0.0;
    if (i % 2 == 0 || !hard.Draw(pair, a, b)) {
      std::tie(a, b) = wide.Draw(pair);
    }
    Call call{0.0, a, b, false};
    call.micros = TimeCall(engine, pair, a, b, call.ok);
    calls.push_back(call);
  }
  // Time the slowest again, best of five, and keep the worst of those.
  const std::size_t candidates = std::min(calls.size(), 4 * shown);
  std::partial_sort(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(candidates),
                    calls.end(), [](const Call& x, const Call& y) { return x.micros > y.micros; });
  calls.resize(candidates);
  for (Call& call : calls) {
    double best = call.micros;
    for (int repeat = 0; repeat < 5; ++repeat) {
      best = std::min(best, TimeCall(engine, pair, call.a, call.b, call.ok));
    }
    call.micros = best;
  }
  std::sort(calls.begin(), calls.end(),
            [](const Call& x, const Call& y) { return x.micros > y.micros; });
  calls.resize(std::min(calls.size(), shown));
  slowest = calls;
}

}  // namespace

int main(int argc, char** argv) {
  const long perPair = argc > 1 ? std::atol(argv[1]) : 20000;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 29;
  const std::size_t shown = argc > 3 ? static_cast<std::size_t>(std::atol(argv[3])) : 3;
  std::vector<std::vector<Call>> slowest(kInputPairCount);
  sweep::ForEachPairOnThreads([&](std::size_t index) {
    HuntPair(kInputPairs[index].pair, perPair, seed + index, shown, slowest[index]);
  });
  double worst = 0.0;
  for (std::size_t i = 0; i < kInputPairCount; ++i) {
    const std::string name =
        std::string(kInputPairs[i].saturation ? "sat " : "") + std::string(kInputPairs[i].name);
    for (const Call& call : slowest[i]) {
      std::printf("%-7s %8.1f us %-8s (%.17g, %.17g)\n", name.c_str(), call.micros,
                  call.ok ? "ok" : "declined", call.a, call.b);
      worst = std::max(worst, call.micros);
    }
  }
  std::printf("slowest call %.1f us over %ld draws per pair\n", worst, perPair);
  return 0;
}
