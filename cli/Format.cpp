#include "Format.h"

#include <charconv>
#include <cstring>

#include "vaporix/InputPair.h"

namespace vaporix::cli {
namespace {

constexpr char kNotAvailableText[] = "N/A";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

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

std::string PairNames(bool saturation) {
  std::string names;
  for (const InputPairInfo& pair : kInputPairs) {
    if (pair.saturation == saturation) {
      names += names.empty() ? "" : " ";
      names += pair.name;
    }
  }
  return names;
}

char* FormatProperty(char* first, const PropertyInfo& info, const StateProperties& state,
                     const TransportProperties& transport, bool saturation) {
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
