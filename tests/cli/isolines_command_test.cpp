#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CliApp.h"
#include "vaporix/Units.h"

namespace vaporix::cli {
namespace {

struct Outcome {
  int exitCode;
  std::string out;
  std::string err;
};

Outcome RunCli(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "vaporix-cli");
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  const int code = Run(static_cast<int>(arguments.size()), arguments.data(), {in, out, err});
  return {code, out.str(), err.str()};
}

struct Row {
  std::string family;
  std::string value;
  double x;
  double y;
};

// The polylines of the CSV: rows up to each blank line.
std::vector<std::vector<Row>> Polylines(const std::string& csv) {
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "family,value,x,y");
  std::vector<std::vector<Row>> polylines(1);
  while (std::getline(lines, line)) {
    if (line.empty()) {
      polylines.emplace_back();
      continue;
    }
    std::istringstream fields(line);
    Row row;
    std::string x;
    std::string y;
    std::getline(fields, row.family, ',');
    std::getline(fields, row.value, ',');
    std::getline(fields, x, ',');
    std::getline(fields, y, ',');
    row.x = std::stod(x);
    row.y = std::stod(y);
    polylines.back().push_back(row);
  }
  EXPECT_TRUE(polylines.back().empty()) << "the last polyline ends with a blank line";
  polylines.pop_back();
  return polylines;
}

// Each chart writes its families, the saturation line as x at 0 and 100, and
// boundaries; every row of a polyline has its polyline's family and value.
TEST(isolines_command_test, writes_every_family_as_polylines) {
  const struct {
    const char* chart;
    std::set<std::string> families;
  } charts[] = {{"hs", {"p", "t", "v", "x", "boundary"}},
                {"ts", {"p", "v", "h", "x", "boundary"}},
                {"ph", {"t", "v", "s", "x", "boundary"}},
                {"pt", {"v", "h", "s", "x", "boundary"}}};
  for (const auto& chart : charts) {
    SCOPED_TRACE(chart.chart);
    const Outcome outcome = RunCli({"isolines", chart.chart});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    std::set<std::string> families;
    bool saturation0 = false;
    bool saturation100 = false;
    for (const auto& polyline : Polylines(outcome.out)) {
      ASSERT_FALSE(polyline.empty());
      families.insert(polyline.front().family);
      saturation0 |= polyline.front().family == "x" && polyline.front().value == "0";
      saturation100 |= polyline.front().family == "x" && polyline.front().value == "100";
      for (const Row& row : polyline) {
        EXPECT_EQ(row.family, polyline.front().family);
        EXPECT_EQ(row.value, polyline.front().value);
      }
    }
    EXPECT_EQ(families, chart.families);
    EXPECT_TRUE(saturation0 && saturation100);
  }
}

// The window and the values are read and written in the CLI's units: the
// p-T chart's pressure axis in MPa, or psi with --english.
TEST(isolines_command_test, range_and_units) {
  const Outcome si = RunCli({"isolines", "pt", "--range", "300:500,0.01:1"});
  ASSERT_EQ(si.exitCode, 0) << si.err;
  const Outcome english = RunCli({"isolines", "pt", "--english", "--range", "80:440,1.5:145"});
  ASSERT_EQ(english.exitCode, 0) << english.err;
  double siHigh = 0.0;
  for (const auto& polyline : Polylines(si.out)) {
    for (const Row& row : polyline) {
      siHigh = std::max(siHigh, row.family == "x" ? row.y : 0.0);
    }
  }
  double englishHigh = 0.0;
  for (const auto& polyline : Polylines(english.out)) {
    for (const Row& row : polyline) {
      englishHigh = std::max(englishHigh, row.family == "x" ? row.y : 0.0);
    }
  }
  // The saturation line reaches the critical point in either unit system.
  EXPECT_NEAR(siHigh, 22.064, 1e-6);
  EXPECT_NEAR(englishHigh, 22.064 * units::kMegapascalToPsi, 1e-3);
}

TEST(isolines_command_test, refuses_bad_arguments) {
  const std::vector<std::vector<const char*>> cases = {
      {"isolines", "hx"},
      {"isolines", "hs", "--range", "0:10"},
      {"isolines", "hs", "--range", "10:0,0:4000"},
      {"isolines", "ph", "--range", "0:4000,0:100"},  // log p from zero
      {"isolines", "hs", "--range", "0:nan,0:4000"},
      {"isolines", "hs", "--size", "3"},
  };
  for (const auto& arguments : cases) {
    const Outcome outcome = RunCli(arguments);
    EXPECT_EQ(outcome.exitCode, kExitUsage) << arguments.back();
    EXPECT_TRUE(outcome.out.empty()) << arguments.back();
    EXPECT_FALSE(outcome.err.empty()) << arguments.back();
  }
}

}  // namespace
}  // namespace vaporix::cli
