#pragma once

#include <array>
#include <string_view>

#include "vaporix/IF97Calculator.h"
#include "vaporix/StateProperties.h"

namespace vaporix::cli {

// Longest text FormatNumber writes (a shortest round-trip double).
inline constexpr std::size_t kMaxNumberLength = 32;

// Writes `value` in its shortest form that reads back to the same double;
// returns the end of the written text. [first, first + kMaxNumberLength) must
// be writable.
char* FormatNumber(char* first, double value);

// Reads a whole field as a double: surrounding blanks allowed, one leading
// '+' allowed, nothing else. Accepts "nan" and "inf" (callers that need a
// finite number test it).
bool ParseNumber(std::string_view text, double& value);

// An engine entry point, selected by its input-pair name.
using EntryPoint = bool (IF97Calculator::*)(double, double, StateProperties&, TransportProperties&,
                                            bool, bool);

// The entry point of a pair name ("pt", "ph", ... for the single-phase
// entry points; "px", "tx", "ph", ... with `saturation`); null when unknown.
EntryPoint FindEntryPoint(std::string_view pair, bool saturation);

// The pair names accepted, for usage messages.
std::string_view SinglePhasePairNames();
std::string_view SaturationPairNames();

// The thirty properties in property-number order: key and units.
struct PropertyColumn {
  std::string_view key;
  std::string_view siUnit;
  std::string_view englishUnit;
};
extern const std::array<PropertyColumn, 30> kPropertyColumns;

// Formats property `index` (0-29, property-number order) of a found state;
// writes "N/A" for a value that is not available: a transport value of
// kNotAvailable, and the quality of a single-phase state outside saturation
// calculations. The region is written as an integer.
char* FormatProperty(char* first, const StateProperties& state,
                     const TransportProperties& transport, std::size_t index, bool saturation);

}  // namespace vaporix::cli
