#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

// The CLI writes doubles with its own digit writer; every byte must stay what
// the standard library's shortest form writes.
std::string StandardShortest(double value) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

TEST(cli_format_test, numbers_match_the_standard_shortest_form_on_edge_values) {
  std::vector<double> values = {
      0.0,
      -0.0,
      std::numeric_limits<double>::denorm_min(),
      -std::numeric_limits<double>::denorm_min(),
      std::numeric_limits<double>::min(),
      std::nextafter(std::numeric_limits<double>::min(), 0.0),  // largest subnormal
      std::numeric_limits<double>::max(),
      std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::quiet_NaN(),
      0.1 + 0.2,                // 17 digits
      1.0 / 3.0,                // 16 digits
      123456.78901234567,       // point after six digits
      9007199254740992.0,       // 2^53
      9007199254740993.0 * 2,   // above 2^53: printed exactly in fixed notation
      123456789012345678901.0,  // 21 digits in fixed notation
      1e21,
      1e22,
      4503599627370496.5,  // a half above 2^52
      0.0001,
      0.00012345678901234567,
      1e-5,
  };
  for (int exponent = -325; exponent <= 308; ++exponent) {
    const double power = std::pow(10.0, exponent);
    for (double value :
         {power, std::nextafter(power, 0.0), std::nextafter(power, 2 * power), -power, 7 * power}) {
      values.push_back(value);
    }
  }
  for (double value : values) {
    EXPECT_EQ(Format(value), StandardShortest(value)) << std::hexfloat << value;
  }
}

TEST(cli_format_test, numbers_match_the_standard_shortest_form_on_random_values) {
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<double> decades(-30.0, 30.0);
  int mismatches = 0;
  for (int i = 0; i < 200000 && mismatches < 10; ++i) {
    // Any bit pattern, a value of everyday size, a short decimal, a whole number.
    const std::uint64_t bits = random();
    const double values[] = {
        std::bit_cast<double>(bits),
        std::pow(10.0, decades(random)),
        static_cast<double>(random() % 100000) *
            std::pow(10.0, static_cast<int>(random() % 40) - 20),
        std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 80) - 33),
    };
    for (double value : values) {
      const std::string text = Format(value);
      if (text != StandardShortest(value)) {
        ADD_FAILURE() << std::hexfloat << value << ": " << text << " instead of "
                      << StandardShortest(value);
        ++mismatches;
      }
    }
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
