#pragma once

#include <string>
#include <string_view>

#include "vaporix/Properties.h"
#include "vaporix/StateProperties.h"

namespace vaporix::cli {

// Longest text FormatNumber writes (a shortest round-trip double).
inline constexpr std::size_t kMaxNumberLength = 32;

// Writes `value` in its shortest form that reads back to the same double
// (the text std::to_chars writes); returns the end of the written text.
// [first, first + kMaxNumberLength) must be writable, and bytes of it past
// the returned end may be overwritten.
char* FormatNumber(char* first, double value);

// Reads a whole field as a double: surrounding blanks allowed, one leading
// '+' allowed, nothing else. Accepts "nan" and "inf" (callers that need a
// finite number test it).
bool ParseNumber(std::string_view text, double& value);

// The command-line names of the single-phase or the saturation input pairs,
// space-separated in table order, for usage messages.
std::string PairNames(bool saturation);

// Formats a property of a found state; writes "N/A" for a value that is not
// available (IsAvailable). The region is written as an integer. Room as for
// FormatNumber.
char* FormatProperty(char* first, const PropertyInfo& property, const StateProperties& state,
                     const TransportProperties& transport, bool saturation);

}  // namespace vaporix::cli
