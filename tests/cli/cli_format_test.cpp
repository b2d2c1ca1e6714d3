#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <utility>

#include "Batch.h"
#include "Format.h"
#include "vaporix/InputPair.h"

namespace vaporix::cli {
namespace {

std::string Format(double value) {
  char text[kMaxNumberLength];
  return std::string(text, FormatNumber(text, value));
}

TEST(cli_format_test, numbers_use_the_shortest_form_that_reads_back) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.1, "0.1"},
      {300.0, "300"},
      {-1.0, "-1"},
      {1e-5, "1e-05"},
      {5e-324, "5e-324"},
      {1e300, "1e+300"},
      {0.0999746, "0.0999746"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Format(c.value), c.text);
  }
  for (double value : {1.0 / 3.0, 2.0 / 3.0 * 1e-300, std::numeric_limits<double>::max(),
                       4.1868 * 0.23884589662749595, 647.096 * 1.8 - 459.67}) {
    double back = 0.0;
    ASSERT_TRUE(ParseNumber(Format(value), back)) << value;
    EXPECT_EQ(back, value);
  }
}

TEST(cli_format_test, parse_accepts_whole_numbers_only) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"1.5", true, 1.5},     {" 2 ", true, 2.0},  {"+3", true, 3.0},   {"-4e2", true, -400.0},
      {"1e-3\r", true, 1e-3}, {"", false, 0.0},    {"  ", false, 0.0},  {"abc", false, 0.0},
      {"1.5x", false, 0.0},   {"1,5", false, 0.0}, {"--1", false, 0.0}, {"0x10", false, 0.0},
      {"+-1", false, 0.0},
  };
  for (const auto& c : cases) {
    double value = 0.0;
    EXPECT_EQ(ParseNumber(c.text, value), c.ok) << '"' << c.text << '"';
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
  double value = 0.0;
  EXPECT_TRUE(ParseNumber("nan", value));  // a number, but not finite
  EXPECT_TRUE(std::isnan(value));
  EXPECT_TRUE(ParseNumber("inf", value));
  EXPECT_TRUE(std::isinf(value));
}

TEST(cli_format_test, usage_lists_every_pair_name_the_commands_accept) {
  for (const auto& [saturation, count] : {std::pair{false, 14u}, std::pair{true, 15u}}) {
    std::istringstream names(PairNames(saturation));
    std::string name;
    unsigned listed = 0;
    while (names >> name) {
      EXPECT_TRUE(FindInputPair(name, saturation).has_value()) << name;
      ++listed;
    }
    EXPECT_EQ(listed, count) << "saturation " << saturation;
  }
}

TEST(cli_format_test, not_available_values) {
  StateProperties state;
  state.region = 2;
  state.x = 0.0;
  TransportProperties transport{kNotAvailable, 2.0, 3.0, 4.0, 5.0, kNotAvailable};
  char text[kMaxNumberLength];
  const auto format = [&](std::size_t index, bool saturation) {
    return std::string(text,
                       FormatProperty(text, kProperties[index], state, transport, saturation));
  };
  EXPECT_EQ(format(24, false), "N/A");  // dv
  EXPECT_EQ(format(25, false), "2");    // kv
  EXPECT_EQ(format(29, false), "N/A");  // Sigma
  EXPECT_EQ(format(14, false), "N/A");  // x of a single-phase state
  EXPECT_EQ(format(14, true), "0");     // x on the saturation line
  EXPECT_EQ(format(15, false), "2");    // region as an integer
  state.region = 4;
  state.x = 37.5;
  EXPECT_EQ(format(14, false), "37.5");
}

}  // namespace
}  // namespace vaporix::cli
