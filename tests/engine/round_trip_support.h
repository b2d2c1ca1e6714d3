#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "vaporix/IF97Calculator.h"
#include "vaporix/StateProperties.h"

namespace vaporix::round_trip {

using EntryPoint = bool (IF97Calculator::*)(double, double, StateProperties&, TransportProperties&,
                                            bool, bool);

// One input pair: its entry point and how its inputs come from a state.
struct Pair {
  const char* name;
  EntryPoint calc;
  double StateProperties::*first;
  double StateProperties::*second;
};

// The fourteen pairs of the single-phase page, each built from the state's own properties.
inline const Pair kSinglePhasePairs[] = {
    {"pt", &IF97Calculator::CalcPT, &StateProperties::p, &StateProperties::t},
    {"ph", &IF97Calculator::CalcPH, &StateProperties::p, &StateProperties::h},
    {"ps", &IF97Calculator::CalcPS, &StateProperties::p, &StateProperties::s},
    {"pu", &IF97Calculator::CalcPU, &StateProperties::p, &StateProperties::u},
    {"pv", &IF97Calculator::CalcPV, &StateProperties::p, &StateProperties::v},
    {"th", &IF97Calculator::CalcTH, &StateProperties::t, &StateProperties::h},
    {"ts", &IF97Calculator::CalcTS, &StateProperties::t, &StateProperties::s},
    {"tu", &IF97Calculator::CalcTU, &StateProperties::t, &StateProperties::u},
    {"tv", &IF97Calculator::CalcTV, &StateProperties::t, &StateProperties::v},
    {"hs", &IF97Calculator::CalcHS, &StateProperties::h, &StateProperties::s},
    {"us", &IF97Calculator::CalcUS, &StateProperties::u, &StateProperties::s},
    {"vs", &IF97Calculator::CalcVS, &StateProperties::v, &StateProperties::s},
    {"hv", &IF97Calculator::CalcHV, &StateProperties::h, &StateProperties::v},
    {"uv", &IF97Calculator::CalcUV, &StateProperties::u, &StateProperties::v},
};

// Calls the pair's entry point on its two inputs taken from `given`.
inline bool Solve(IF97Calculator& engine, const Pair& pair, const StateProperties& given,
                  StateProperties& out, TransportProperties& transport) {
  return (engine.*pair.calc)(given.*pair.first, given.*pair.second, out, transport, false, false);
}

// One line per pair that failed, then the totals line the caller passes.
inline void PrintFailuresByPair(const std::map<std::string, int>& failuresByPair) {
  for (const auto& [name, count] : failuresByPair) {
    std::printf("  pair %s: %d failures\n", name.c_str(), count);
  }
}

}  // namespace vaporix::round_trip
