#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "FakeInputPage.h"
#include "InputFunction.h"

namespace vaporix::testing {

// The function at a list position of a page's function family.
template <class Function>
Function& FunctionAt(const std::vector<std::unique_ptr<Function>>& functions, int position) {
  return *functions[static_cast<std::size_t>(position)];
}

// What the user does before pressing Calculate: picks the unit system and
// the function, chooses the unit list entries and types both inputs.
inline InputStatus ApplyTypeAndCalculate(FakeInputPage& page, InputFunction& function,
                                         UnitSystem system, const std::array<int, 2>& unitPositions,
                                         const std::array<const char*, 2>& typed,
                                         StateProperties& out, TransportProperties& transport) {
  page.unitSystem = system;
  function.Apply();
  page.selected = unitPositions;
  page.inputs = {typed[0], typed[1]};
  return function.Calculate(out, transport);
}

// Typed inputs, the status Calculate must give and the SI values the
// recording engine must receive.
struct CalculateCase {
  const char* what;
  int position;
  UnitSystem system;
  std::array<int, 2> unitPositions;
  std::array<const char*, 2> typed;
  InputStatus status;
  double firstSI = 0.0;  // what the engine receives; unused when it is not asked
  double secondSI = 0.0;
};

// A case prints as its description in test listings.
inline void PrintTo(const CalculateCase& c, std::ostream* out) {
  *out << c.what;
}

// A test name made of a case's description: letters and digits kept, every
// other run of characters one underscore.
inline std::string CaseName(const char* what) {
  std::string name;
  for (const char* c = what; *c != '\0'; ++c) {
    const bool keep =
        (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9');
    if (keep) {
      name += *c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  while (!name.empty() && name.back() == '_') {
    name.pop_back();
  }
  return name;
}

// Runs a case on a page with the recording engine: a failed range test
// must keep the engine from being asked.
inline void CheckCalculateCase(FakeInputPage& page, InputFunction& function,
                               const CalculateCase& c) {
  StateProperties out;
  TransportProperties transport;
  EXPECT_EQ(
      ApplyTypeAndCalculate(page, function, c.system, c.unitPositions, c.typed, out, transport),
      c.status)
      << c.what;
  if (c.status == InputStatus::Ok) {
    ASSERT_EQ(page.recordingEngine.calls.size(), 1u) << c.what;
    EXPECT_DOUBLE_EQ(page.recordingEngine.calls[0].first, c.firstSI) << c.what;
    EXPECT_DOUBLE_EQ(page.recordingEngine.calls[0].second, c.secondSI) << c.what;
  } else {
    EXPECT_TRUE(page.recordingEngine.calls.empty()) << c.what << ": the engine was asked";
  }
}

}  // namespace vaporix::testing
