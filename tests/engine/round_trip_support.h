#pragma once

#include <cmath>
#include <cstdio>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"
#include "vaporix/StateProperties.h"

namespace vaporix::round_trip {

// One input pair of the engine's table and the fields of a state its two
// inputs are taken from.
struct Pair {
  std::string name;
  InputPair pair;
  double StateProperties::*first;
  double StateProperties::*second;
};

// The single-phase or the saturation pairs, in table order.
inline std::vector<Pair> Pairs(bool saturation) {
  std::vector<Pair> pairs;
  for (const InputPairInfo& info : kInputPairs) {
    if (info.saturation == saturation) {
      pairs.push_back({std::string(info.name), info.pair, Describe(info.first).field,
                       Describe(info.second).field});
    }
  }
  return pairs;
}

inline const std::vector<Pair> kSinglePhasePairs = Pairs(false);

// Calculates the pair on its two inputs taken from `given`.
inline bool Solve(IF97Calculator& engine, const Pair& pair, const StateProperties& given,
                  StateProperties& out, TransportProperties& transport) {
  return engine.Calculate(pair.pair, given.*pair.first, given.*pair.second, out, transport, false,
                          false);
}

// A round trip known not to return its state, by pair and input state (p in
// MPa to nine digits, T in K).
struct KnownCase {
  const char* pair;
  double p;
  double T;
};

// Matches round trips that did not return their state against a list of
// known cases; the list must be exact, so a listed case that returns its
// state is reported too.
class KnownCases {
 public:
  explicit KnownCases(std::span<const KnownCase> list) : cases(list), seen(list.size(), false) {}

  // Whether the failed round trip of `pair` from (p, T) is listed.
  bool Contains(const std::string& pair, double p, double T) {
    for (std::size_t i = 0; i < cases.size(); ++i) {
      if (pair == cases[i].pair && std::fabs(p - cases[i].p) <= 1e-8 * p &&
          std::fabs(T - cases[i].T) <= 1e-8 * T) {
        seen[i] = true;
        return true;
      }
    }
    return false;
  }

  // The listed cases that returned their state after all, one per line.
  std::string NotSeen() const {
    std::string text;
    for (std::size_t i = 0; i < cases.size(); ++i) {
      if (!seen[i]) {
        char line[120];
        std::snprintf(line, sizeof line, "%s at %.9g MPa, %.9g K now returns its state\n",
                      cases[i].pair, cases[i].p, cases[i].T);
        text += line;
      }
    }
    return text;
  }

 private:
  std::span<const KnownCase> cases;
  std::vector<bool> seen;
};

// One line per pair that failed, then the totals line the caller passes.
inline void PrintFailuresByPair(const std::map<std::string, int>& failuresByPair) {
  for (const auto& [name, count] : failuresByPair) {
    std::printf("  pair %s: %d failures\n", name.c_str(), count);
  }
}

}  // namespace vaporix::round_trip
