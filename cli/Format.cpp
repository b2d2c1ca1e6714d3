#include "Format.h"

#include <charconv>
#include <cstring>

#include "vaporix/Properties.h"

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

constexpr char kNotAvailableText[] = "N/A";

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
  const PropertyInfo& info = kProperties[index];
  if (!IsAvailable(info, state, transport, saturation)) {
    std::memcpy(first, kNotAvailableText, sizeof kNotAvailableText - 1);
    return first + sizeof kNotAvailableText - 1;
  }
  if (info.isRegion) {
    return std::to_chars(first, first + kMaxNumberLength, state.region).ptr;
  }
  return FormatNumber(first, ValueOf(info, state, transport));
}

}  // namespace vaporix::cli
