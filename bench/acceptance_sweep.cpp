// Draws inputs for all 29 input pairs and checks every "ok" answer against the
// acceptance rule; also records the slowest call. Run by hand with the number
// of draws per pair: vaporix-acceptance-sweep [DRAWS_PER_PAIR [SEED]].

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/state_acceptance.h"
#include "pair_sweep.h"

namespace {

struct PairTally {
  long draws = 0;
  long ok = 0;
  long violations = 0;
  double slowestMicroseconds = 0.0;
  double slowestA = 0.0;
  double slowestB = 0.0;
  std::string firstViolation;
};

using vaporix::sweep::ThreadMicroseconds;

void SweepPair(vaporix::InputPair pair, long draws, std::uint64_t seed, PairTally& tally) {
  using namespace vaporix;
  acceptance::InputDraws inputs(seed);
  acceptance::Checker checker;
  IF97Calculator engine;
  engine.Initialize();
  for (long i = 0; i < draws; ++i) {
    const auto [a, b] = inputs.Draw(pair);
    StateProperties out;
    TransportProperties transport;
    // Processor time of this thread, so that other processes do not count.
    const double start = ThreadMicroseconds();
    const bool ok = engine.Calculate(pair, a, b, out, transport, true, false);
    const double micros = ThreadMicroseconds() - start;
    ++tally.draws;
    if (micros > tally.slowestMicroseconds) {
      tally.slowestMicroseconds = micros;
      tally.slowestA = a;
      tally.slowestB = b;
    }
    if (!ok) {
      continue;
    }
    ++tally.ok;
    const std::string why = checker.Check(pair, a, b, out);
    if (!why.empty()) {
      if (tally.violations++ < 5) {
        std::printf("%s%s %.17g %.17g: %s\n", Describe(pair).saturation ? "sat " : "",
                    std::string(Describe(pair).name).c_str(), a, b, why.c_str());
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vaporix;
  const long perPair = argc > 1 ? std::atol(argv[1]) : 40000;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 17;
  std::vector<PairTally> tallies(kInputPairCount);
  sweep::ForEachPairOnThreads([&](std::size_t index) {
    SweepPair(kInputPairs[index].pair, perPair, seed + index, tallies[index]);
  });
  long draws = 0;
  long ok = 0;
  long violations = 0;
  for (std::size_t i = 0; i < kInputPairCount; ++i) {
    const PairTally& t = tallies[i];
    std::printf("%-4s%-3s draws %ld ok %ld violations %ld slowest %.0f us at (%.17g, %.17g)\n",
                kInputPairs[i].saturation ? "sat" : "", std::string(kInputPairs[i].name).c_str(),
                t.draws, t.ok, t.violations, t.slowestMicroseconds, t.slowestA, t.slowestB);
    draws += t.draws;
    ok += t.ok;
    violations += t.violations;
  }
  std::printf("total draws %ld, ok %ld, violations %ld\n", draws, ok, violations);
  return violations == 0 ? 0 : 1;
}
