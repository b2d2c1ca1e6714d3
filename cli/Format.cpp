#include "Format.h"

#include <charconv>
#include <cstring>

namespace vaporix::cli {
namespace {

struct NamedEntryPoint {
  std::string_view name;
  EntryPoint entryPoint;
};

const std::array<NamedEntryPoint, 14> kSinglePhaseEntryPoints{{
    {"pt", &IF97Calculator::CalcPT},
    {"ph", &IF97Calculator::CalcPH},
    {"ps", &IF97Calculator::CalcPS},
    {"pv", &IF97Calculator::CalcPV},
    {"pu", &IF97Calculator::CalcPU},
    {"th", &IF97Calculator::CalcTH},
    {"ts", &IF97Calculator::CalcTS},
    {"tv", &IF97Calculator::CalcTV},
    {"tu", &IF97Calculator::CalcTU},
    {"hs", &IF97Calculator::CalcHS},
    {"us", &IF97Calculator::CalcUS},
    {"vs", &IF97Calculator::CalcVS},
    {"hv", &IF97Calculator::CalcHV},
    {"uv", &IF97Calculator::CalcUV},
}};

const std::array<NamedEntryPoint, 15> kSaturationEntryPoints{{
    {"px", &IF97Calculator::CalcSatPX},
    {"tx", &IF97Calculator::CalcSatTX},
    {"ph", &IF97Calculator::CalcSatPH},
    {"ps", &IF97Calculator::CalcSatPS},
    {"pv", &IF97Calculator::CalcSatPV},
    {"pu", &IF97Calculator::CalcSatPU},
    {"th", &IF97Calculator::CalcSatTH},
    {"ts", &IF97Calculator::CalcSatTS},
    {"tv", &IF97Calculator::CalcSatTV},
    {"tu", &IF97Calculator::CalcSatTU},
    {"hs", &IF97Calculator::CalcSatHS},
    {"us", &IF97Calculator::CalcSatUS},
    {"vs", &IF97Calculator::CalcSatVS},
    {"hv", &IF97Calculator::CalcSatHV},
    {"uv", &IF97Calculator::CalcSatUV},
}};

constexpr std::size_t kQualityIndex = 14;         // property number 15
constexpr std::size_t kRegionIndex = 15;          // property number 16
constexpr std::size_t kFirstTransportIndex = 24;  // property number 25, "dv"
constexpr char kNotAvailableText[] = "N/A";

// Property number index + 1 of a state; the region as a double.
double PropertyAt(const StateProperties& state, const TransportProperties& transport,
                  std::size_t index) {
  switch (index) {
    case 0:
      return state.p;
    case 1:
      return state.t;
    case 2:
      return state.d;
    case 3:
      return state.v;
    case 4:
      return state.h;
    case 5:
      return state.s;
    case 6:
      return state.u;
    case 7:
      return state.cp;
    case 8:
      return state.cv;
    case 9:
      return state.w;
    case 10:
      return state.kapa;
    case 11:
      return state.H;
    case 12:
      return state.G;
    case 13:
      return state.Z;
    case 14:
      return state.x;
    case 15:
      return static_cast<double>(state.region);
    case 16:
      return state.alpha;
    case 17:
      return state.Kt;
    case 18:
      return state.dvdt;
    case 19:
      return state.dvdp;
    case 20:
      return state.dpdt;
    case 21:
      return state.dpdv;
    case 22:
      return state.iJTC;
    case 23:
      return state.JTC;
    case 24:
      return transport.dv;
    case 25:
      return transport.kv;
    case 26:
      return transport.tc;
    case 27:
      return transport.td;
    case 28:
      return transport.Pr;
    default:
      return transport.Sigma;
  }
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

const std::array<PropertyColumn, 30> kPropertyColumns{{
    {"p", "MPa", "psi"},
    {"t", "K", "°F"},
    {"d", "kg/m³", "lb/ft³"},
    {"v", "m³/kg", "ft³/lb"},
    {"h", "kJ/kg", "Btu/lb"},
    {"s", "kJ/(kg·K)", "Btu/(lb·°F)"},
    {"u", "kJ/kg", "Btu/lb"},
    {"cp", "kJ/(kg·K)", "Btu/(lb·°F)"},
    {"cv", "kJ/(kg·K)", "Btu/(lb·°F)"},
    {"w", "m/s", "ft/s"},
    {"kapa", "-", "-"},
    {"H", "kJ/kg", "Btu/lb"},
    {"G", "kJ/kg", "Btu/lb"},
    {"Z", "-", "-"},
    {"x", "%", "%"},
    {"region", "-", "-"},
    {"alpha", "1/K", "1/°F"},
    {"Kt", "1/MPa", "1/psi"},
    {"dvdt", "m³/(kg·K)", "ft³/(lb·°F)"},
    {"dvdp", "m³/(kg·MPa)", "ft³/(lb·psi)"},
    {"dpdt", "MPa/K", "psi/°F"},
    {"dpdv", "MPa·kg/m³", "psi·lb/ft³"},
    {"iJTC", "kJ/(kg·MPa)", "Btu/(lb·psi)"},
    {"JTC", "K/MPa", "°F/psi"},
    {"dv", "µPa·s", "lb/(ft·h)"},
    {"kv", "mm²/s", "ft²/h"},
    {"tc", "W/(m·K)", "Btu/(h·ft·°F)"},
    {"td", "mm²/s", "ft²/h"},
    {"Pr", "-", "-"},
    {"Sigma", "mN/m", "lbf/ft"},
}};

char* FormatNumber(char* first, double value) {
  return std::to_chars(first, first + kMaxNumberLength, value).ptr;
}

bool ParseNumber(std::string_view text, double& value) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') {
      return false;
    }
  }
  if (text.empty()) {
    return false;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

EntryPoint FindEntryPoint(std::string_view pair, bool saturation) {
  if (saturation) {
    for (const NamedEntryPoint& named : kSaturationEntryPoints) {
      if (named.name == pair) {
        return named.entryPoint;
      }
    }
    return nullptr;
  }
  for (const NamedEntryPoint& named : kSinglePhaseEntryPoints) {
    if (named.name == pair) {
      return named.entryPoint;
    }
  }
  return nullptr;
}

std::string_view SinglePhasePairNames() {
  return "pt ph ps pv pu th ts tv tu hs us vs hv uv";
}

std::string_view SaturationPairNames() {
  return "px tx ph ps pv pu th ts tv tu hs us vs hv uv";
}

char* FormatProperty(char* first, const StateProperties& state,
                     const TransportProperties& transport, std::size_t index, bool saturation) {
  const double value = PropertyAt(state, transport, index);
  const bool notAvailable = (index >= kFirstTransportIndex && value == kNotAvailable) ||
                            (index == kQualityIndex && state.region != 4 && !saturation);
  if (notAvailable) {
    std::memcpy(first, kNotAvailableText, sizeof kNotAvailableText - 1);
    return first + sizeof kNotAvailableText - 1;
  }
  if (index == kRegionIndex) {
    return std::to_chars(first, first + kMaxNumberLength, state.region).ptr;
  }
  return FormatNumber(first, value);
}

}  // namespace vaporix::cli
