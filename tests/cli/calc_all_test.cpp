#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliProcess.h"
#include "Format.h"
#include "vaporix/IF97Calculator.h"

namespace vaporix::cli {
namespace {

using test::Outcome;
using test::RunCli;

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++n;
  }
  return n;
}

// The pressure line of each block, as calc prints it from the engine's states.
std::vector<std::string> PressureLines(const std::vector<CalculatedState>& states) {
  std::vector<std::string> lines;
  for (const CalculatedState& found : states) {
    char number[kMaxNumberLength];
    lines.push_back("p " +
                    std::string(number, FormatProperty(number, kProperties[0], found.state,
                                                       found.transport, false)) +
                    " MPa\n");
  }
  return lines;
}

// Cold wet steam at 0.95 kPa and compressed liquid at 44.3 MPa share
// (T, h) = (279.45 K, 69.13 kJ/kg): one headed block each, calc's answer first.
TEST(calc_all_test, prints_every_state_in_headed_blocks) {
  const Outcome outcome = RunCli("calc --all th 279.45 69.13");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  IF97Calculator engine;
  engine.Initialize();
  const std::vector<CalculatedState> states =
      engine.CalcAll(InputPair::TH, 279.45, 69.13, true, false);
  ASSERT_EQ(states.size(), 2U);
  const std::vector<std::string> pressures = PressureLines(states);
  const std::size_t first =
      outcome.out.find("# state 1 of 2 (the answer of calc)\n" + pressures[0]);
  const std::size_t second = outcome.out.find("\n\n# state 2 of 2\n" + pressures[1]);
  EXPECT_EQ(first, 0U) << outcome.out;
  EXPECT_NE(second, std::string::npos) << outcome.out;
  EXPECT_EQ(Count(outcome.out, "\nregion "), 2U);
  EXPECT_NE(outcome.out.find("\nregion 4 -\n"), std::string::npos);  // the wet one

  // The first block is exactly what calc prints.
  const Outcome single = RunCli("calc th 279.45 69.13");
  ASSERT_EQ(single.exitCode, 0);
  EXPECT_EQ(outcome.out.substr(outcome.out.find('\n') + 1, single.out.size()), single.out);
}

TEST(calc_all_test, json_is_an_array_of_objects) {
  const Outcome two = RunCli("calc --all --json pv 0.1 0.0010001");
  ASSERT_EQ(two.exitCode, 0) << two.err;
  EXPECT_EQ(two.out.front(), '[');
  EXPECT_EQ(two.out.substr(two.out.size() - 3), "}]\n");
  EXPECT_EQ(Count(two.out, "{\"p\":0.1,"), 2U) << two.out;
  EXPECT_EQ(Count(two.out, "},{"), 1U);

  const Outcome one = RunCli("calc --all --json pt 1 800");
  ASSERT_EQ(one.exitCode, 0);
  EXPECT_EQ(one.out.rfind("[{\"p\":1,\"t\":800,", 0), 0U) << one.out;
  EXPECT_EQ(Count(one.out, "{"), 1U);

  const Outcome none = RunCli("calc --all --json ph 1 -- -5");
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "The point is out of the range!\n");
}

}  // namespace
}  // namespace vaporix::cli
