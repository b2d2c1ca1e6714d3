#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "vaporix/StateProperties.h"

namespace vaporix {

// One of the thirty properties a calculation yields. The property number is
// also the row of the results grid; the supplementary number (0 when none)
// numbers the properties beyond the basic set.
struct PropertyKey {
  std::string_view key;
  int number;
  int supplementaryNumber;
};

inline constexpr std::array<PropertyKey, 30> kPropertyKeys{{
    {"p", 1, 0},       {"t", 2, 0},      {"d", 3, 0},      {"v", 4, 0},     {"h", 5, 0},
    {"s", 6, 0},       {"u", 7, 0},      {"cp", 8, 1},     {"cv", 9, 2},    {"w", 10, 3},
    {"kapa", 11, 4},   {"H", 12, 0},     {"G", 13, 0},     {"Z", 14, 0},    {"x", 15, 0},
    {"region", 16, 0}, {"alpha", 17, 5}, {"Kt", 18, 6},    {"dvdt", 19, 7}, {"dvdp", 20, 8},
    {"dpdt", 21, 9},   {"dpdv", 22, 10}, {"iJTC", 23, 11}, {"JTC", 24, 12}, {"dv", 25, 13},
    {"kv", 26, 14},    {"tc", 27, 15},   {"td", 28, 16},   {"Pr", 29, 17},  {"Sigma", 30, 18},
}};

// The value of property `number` (1-30) of a state; nullopt for a number
// outside 1-30. The region is returned as a double.
std::optional<double> PropertyValue(const StateProperties& state,
                                    const TransportProperties& transport, int number);

}  // namespace vaporix
