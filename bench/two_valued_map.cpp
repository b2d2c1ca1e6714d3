// Maps where each input pair has more than one state. Takes the inputs of a
// grid of states (single-phase (p, T), dense at the cold end and near the
// saturation line, and wet states down to tiny qualities), asks CalcAll for
// every state of each pair there and groups the inputs that have several by
// the kind of states they have. Prints the help's table (HTML rows) with
// --html, else plain text. Run by hand: vaporix-two-valued-map [--html]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "vaporix/IF97Calculator.h"
#include "vaporix/equations/SaturationEquation.h"

namespace {

using namespace vaporix;

std::vector<double> Temperatures() {
  std::vector<double> list;
  for (double T = limits::kMinimumTemperature; T < 283.0; T += 0.25) {
    list.push_back(T);
  }
  for (double T = 285.0; T < kCriticalTemperature; T += 5.0) {
    list.push_back(T);
  }
  for (double T = 640.0; T < 660.0; T += 1.0) {
    list.push_back(T);
  }
  for (double T = 675.0; T <= limits::kRegion2MaximumTemperature; T += 25.0) {
    list.push_back(T);
  }
  for (double T = 1173.15; T <= limits::kMaximumTemperature; T += 100.0) {
    list.push_back(T);
  }
  return list;
}

std::vector<StateProperties> GridStates(IF97Calculator& engine) {
  std::vector<StateProperties> states;
  StateProperties state;
  TransportProperties transport;
  constexpr int kPressures = 80;
  const double low = limits::kTriplePointPressure;
  for (double T : Temperatures()) {
    for (int i = 0; i < kPressures; ++i) {
      const double p =
          low * std::pow(limits::kMaximumPressure / low, i / static_cast<double>(kPressures - 1));
      if (engine.CalcPT(p, T, state, transport, false, false)) {
        states.push_back(state);
      }
    }
    for (double x : {1e-5, 1e-4, 3e-4, 1e-3, 3e-3, 0.01, 0.03, 0.1, 0.3, 1.0, 2.0, 5.0, 10.0, 30.0,
                     60.0, 90.0, 99.0}) {
      if (engine.CalcSatTX(T, x, state, transport, false, false)) {
        states.push_back(state);
      }
    }
  }
  return states;
}

const char* Kind(const StateProperties& state) {
  switch (state.region) {
    case 1:
      return "liquid";
    case 2:
      return "vapour";
    case 3:
      return state.t < kCriticalTemperature && state.v < 1.0 / kCriticalDensity ? "liquid"
                                                                                : "dense fluid";
    case 4:
      return "wet";
    default:
      return "hot vapour";
  }
}

struct Range {
  double aLow = HUGE_VAL;
  double aHigh = -HUGE_VAL;
  double bLow = HUGE_VAL;
  double bHigh = -HUGE_VAL;
  int count = 0;
  double exampleA = 0.0;
  double exampleB = 0.0;
  void Add(double a, double b) {
    if (count == 0) {
      exampleA = a;
      exampleB = b;
    }
    aLow = std::min(aLow, a);
    aHigh = std::max(aHigh, a);
    bLow = std::min(bLow, b);
    bHigh = std::max(bHigh, b);
    ++count;
  }
};

std::string Name(const InputPairInfo& info) {
  std::string name = "(";
  name += Describe(info.first).key;
  name += ", ";
  name += Describe(info.second).key;
  name += ")";
  return info.saturation ? name + " saturation" : name;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.5g", value);
  return text;
}

std::string Span(double low, double high, std::string_view unit) {
  return low == high ? Number(low) + " " + std::string(unit)
                     : Number(low) + " – " + Number(high) + " " + std::string(unit);
}

}  // namespace

int main(int argc, char** argv) {
  const bool html = argc > 1 && std::strcmp(argv[1], "--html") == 0;
  IF97Calculator engine;
  engine.Initialize();
  const std::vector<StateProperties> states = GridStates(engine);
  std::fprintf(stderr, "%zu grid states\n", states.size());
  for (const InputPairInfo& info : kInputPairs) {
    std::map<std::string, Range> kinds;
    for (const StateProperties& state : states) {
      const double a = state.*Describe(info.first).field;
      const double b = state.*Describe(info.second).field;
      const std::vector<CalculatedState> all = engine.CalcAll(info.pair, a, b, false, false);
      if (all.size() < 2) {
        continue;
      }
      std::vector<std::string> names;
      for (const CalculatedState& found : all) {
        names.emplace_back(Kind(found.state));
      }
      std::sort(names.begin(), names.end());
      std::string kind;
      for (const std::string& name : names) {
        kind += kind.empty() ? name : " + " + name;
      }
      kinds[kind].Add(a, b);
    }
    const std::string_view unitA = Describe(info.first).siUnit;
    const std::string_view unitB = Describe(info.second).siUnit;
    if (kinds.empty()) {
      if (html) {
        std::printf("<tr><td>%s</td><td colspan=\"3\">one state</td></tr>\n", Name(info).c_str());
      } else {
        std::printf("%-16s one state\n", Name(info).c_str());
      }
      continue;
    }
    for (const auto& [kind, range] : kinds) {
      const std::string a = Span(range.aLow, range.aHigh, unitA);
      const std::string b = Span(range.bLow, range.bHigh, unitB);
      if (html) {
        std::printf("<tr><td>%s</td><td>%s</td><td>%s</td><td>%s</td></tr>\n", Name(info).c_str(),
                    kind.c_str(), a.c_str(), b.c_str());
      } else {
        std::printf("%-16s %-28s %-30s %-30s (%d grid points, e.g. %.17g %.17g)\n",
                    Name(info).c_str(), kind.c_str(), a.c_str(), b.c_str(), range.count,
                    range.exampleA, range.exampleB);
      }
    }
  }
  return 0;
}
