#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string_view>

#include "vaporix/Properties.h"
#include "vaporix/StateProperties.h"

namespace vaporix {
namespace {

struct ExpectedKey {
  std::string_view key;
  int supplementaryNumber;  // 0 for the basic properties
  double value;             // the value PropertyValue must give for the records below
};

// The key table in property-number order (number = row + 1), with the value each key
// must read from the records filled by DistinctState and DistinctTransport.
constexpr ExpectedKey kExpected[] = {
    {"p", 0, 1001.0},     {"t", 0, 1002.0},      {"d", 0, 1004.0},     {"v", 0, 1003.0},
    {"h", 0, 1005.0},     {"s", 0, 1006.0},      {"u", 0, 1007.0},     {"cp", 1, 1008.0},
    {"cv", 2, 1009.0},    {"w", 3, 1010.0},      {"kapa", 4, 1011.0},  {"H", 0, 1012.0},
    {"G", 0, 1013.0},     {"Z", 0, 1014.0},      {"x", 0, 1023.0},     {"region", 0, 1024.0},
    {"alpha", 5, 1015.0}, {"Kt", 6, 1016.0},     {"dvdt", 7, 1017.0},  {"dvdp", 8, 1018.0},
    {"dpdt", 9, 1019.0},  {"dpdv", 10, 1020.0},  {"iJTC", 11, 1021.0}, {"JTC", 12, 1022.0},
    {"dv", 13, 2001.0},   {"kv", 14, 2002.0},    {"tc", 15, 2003.0},   {"td", 16, 2004.0},
    {"Pr", 17, 2005.0},   {"Sigma", 18, 2006.0},
};

// Every field holds a different value, numbered in record order (v before d).
StateProperties DistinctState() {
  return StateProperties{.p = 1001.0,
                         .t = 1002.0,
                         .v = 1003.0,
                         .d = 1004.0,
                         .h = 1005.0,
                         .s = 1006.0,
                         .u = 1007.0,
                         .cp = 1008.0,
                         .cv = 1009.0,
                         .w = 1010.0,
                         .kapa = 1011.0,
                         .H = 1012.0,
                         .G = 1013.0,
                         .Z = 1014.0,
                         .alpha = 1015.0,
                         .Kt = 1016.0,
                         .dvdt = 1017.0,
                         .dvdp = 1018.0,
                         .dpdt = 1019.0,
                         .dpdv = 1020.0,
                         .iJTC = 1021.0,
                         .JTC = 1022.0,
                         .x = 1023.0,
                         .region = 1024};
}

TransportProperties DistinctTransport() {
  return TransportProperties{
      .dv = 2001.0, .kv = 2002.0, .tc = 2003.0, .td = 2004.0, .Pr = 2005.0, .Sigma = 2006.0};
}

TEST(property_keys_test, keys_and_numbers_match_the_key_table) {
  ASSERT_EQ(kProperties.size(), std::size(kExpected));
  for (std::size_t i = 0; i < kProperties.size(); ++i) {
    EXPECT_EQ(kProperties[i].key, kExpected[i].key) << "row " << i;
    EXPECT_EQ(kProperties[i].number, static_cast<int>(i) + 1) << kExpected[i].key;
    EXPECT_EQ(kProperties[i].supplementaryNumber, kExpected[i].supplementaryNumber)
        << kExpected[i].key;
  }
}

// Keys are case-sensitive ("H" and "h" differ) and each names one property.
TEST(property_keys_test, keys_are_unique) {
  std::set<std::string_view> keys;
  for (const PropertyInfo& entry : kProperties) {
    EXPECT_TRUE(keys.insert(entry.key).second) << entry.key;
  }
}

// The supplementary numbers run 1-18 in property order, skipping H, G, Z, x and region.
TEST(property_keys_test, supplementary_numbers_cover_one_to_eighteen_in_order) {
  int next = 1;
  for (const PropertyInfo& entry : kProperties) {
    if (entry.supplementaryNumber == 0) {
      continue;
    }
    EXPECT_EQ(entry.supplementaryNumber, next) << entry.key;
    EXPECT_GE(entry.number, 8) << entry.key;
    ++next;
  }
  EXPECT_EQ(next, 19);
}

TEST(property_keys_test, property_value_reads_the_right_field) {
  const StateProperties state = DistinctState();
  const TransportProperties transport = DistinctTransport();
  for (const PropertyInfo& entry : kProperties) {
    const std::optional<double> value = PropertyValue(state, transport, entry.number);
    ASSERT_TRUE(value.has_value()) << entry.key;
    EXPECT_EQ(*value, kExpected[entry.number - 1].value) << entry.key;
  }
}

TEST(property_keys_test, property_value_rejects_numbers_outside_the_table) {
  const StateProperties state = DistinctState();
  const TransportProperties transport = DistinctTransport();
  for (const int number : {0, 31, -1, 100}) {
    EXPECT_FALSE(PropertyValue(state, transport, number).has_value()) << number;
  }
}

// A two-phase mixture shows no one-phase property; the saturation line's
// own states (x = 0 and 100 %) and single-phase states show them all.
TEST(property_keys_test, a_mixture_has_no_one_phase_properties) {
  const std::set<std::string_view> onePhase{"cp",   "cv",   "w",    "kapa", "alpha", "Kt",
                                            "dvdt", "dvdp", "dpdt", "dpdv", "iJTC",  "JTC",
                                            "dv",   "kv",   "tc",   "td",   "Pr"};
  struct Case {
    const char* name;
    int region;
    double x;
    bool mixture;
  };
  const Case cases[] = {
      {"wet steam", 4, 50.0, true},         {"nearly liquid", 4, 1e-9, true},
      {"saturated liquid", 4, 0.0, false},  {"saturated vapour", 4, 100.0, false},
      {"superheated steam", 2, 0.0, false},
  };
  const TransportProperties transport = DistinctTransport();
  for (const Case& c : cases) {
    StateProperties state = DistinctState();
    state.region = c.region;
    state.x = c.x;
    for (const PropertyInfo& entry : kProperties) {
      const bool expected =
          !(c.mixture && onePhase.contains(entry.key)) && (entry.key != "x" || c.region == 4);
      EXPECT_EQ(IsAvailable(entry, state, transport, false), expected)
          << c.name << ' ' << entry.key;
    }
  }
}

}  // namespace
}  // namespace vaporix
