#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "CliProcess.h"
#include "Format.h"
#include "vaporix/tables/SteamTable.h"
#include "vaporix/tables/TableCsv.h"

namespace vaporix::cli {
namespace {

using test::Outcome;

// Runs vaporix-cli with `arguments` (shell words); `redirect` replaces the
// standard output's file.
Outcome RunCli(const std::string& arguments, const std::string& redirect = "") {
  return redirect.empty() ? test::RunCli(arguments)
                          : test::RunShell("CLI " + arguments + " > '" + redirect + "'");
}

std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

struct HeaderCase {
  const char* name;
  const char* arguments;
  const char* header;
};

void PrintTo(const HeaderCase& row, std::ostream* out) {
  *out << row.name;
}

class TableHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(TableHeader, NamesTheColumns) {
  const Outcome outcome = RunCli(GetParam().arguments);
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(FirstLine(outcome.out), GetParam().header);
}

INSTANTIATE_TEST_SUITE_P(
    table_command_test, TableHeader,
    ::testing::Values(
        HeaderCase{"sat_t_default", "table sat-t --from 300 --to 400 --step 50",
                   "t,p,v_liq,v_vap,h_liq,h_vap,s_liq,s_vap,u_liq,u_vap,h_fg,s_fg"},
        HeaderCase{"sat_p_props", "table sat-p --from 0.1 --to 1 --step 0.1 --props d,cp",
                   "t,p,d_liq,d_vap,cp_liq,cp_vap,h_fg,s_fg"},
        HeaderCase{"grid", "table grid --p 0.1,1 --from 300 --to 500 --step 100",
                   "p,t,v,h,s,u,region,status"},
        HeaderCase{"isoline", "table isoline ps --fixed 1 --from 6 --to 7 --step 0.5 --props h,w",
                   "p,t,h,w,region,status"}),
    [](const auto& row) { return std::string(row.param.name); });

struct RefusalCase {
  const char* name;
  const char* arguments;
  const char* message;
};

void PrintTo(const RefusalCase& row, std::ostream* out) {
  *out << row.name;
}

class TableRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(TableRefusal, ExitsTwoWithAClearMessage) {
  const Outcome outcome = RunCli(GetParam().arguments);
  EXPECT_EQ(outcome.exitCode, 2);
  EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
  EXPECT_EQ(outcome.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    table_command_test, TableRefusal,
    ::testing::Values(
        RefusalCase{"end_before_start", "table sat-t --from 400 --to 300 --step 10",
                    "the end value lies before the start value"},
        RefusalCase{"zero_step", "table sat-t --from 300 --to 400 --step 0",
                    "the step must be greater than zero"},
        RefusalCase{"negative_step", "table sat-p --from 1 --to 2 --step -0.5",
                    "the step must be greater than zero"},
        RefusalCase{"too_many_rows", "table sat-t --from 300 --to 400 --step 1e-5",
                    "more than 1000000 rows"},
        RefusalCase{"grid_too_many_rows", "table grid --p 1,2,3 --from 300 --to 400 --step 3e-4",
                    "more than 1000000 rows"},
        RefusalCase{"not_a_number", "table sat-t --from abc --to 400 --step 1", "not a number"},
        RefusalCase{"nan", "table sat-t --from nan --to 400 --step 1", "finite number"},
        RefusalCase{"bad_pressure_list", "table grid --p 1,,2 --from 300 --to 400 --step 10",
                    "not a pressure list"},
        RefusalCase{"unknown_pair", "table isoline xy --fixed 1 --from 1 --to 2 --step 1",
                    "unknown input pair"},
        RefusalCase{"unknown_key", "table sat-t --from 300 --to 400 --step 10 --props v,q",
                    "unknown property key 'q'"},
        RefusalCase{"missing_step", "table sat-t --from 300 --to 400", "--step"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(table_command_test, writes_the_generators_numbers_end_value_included) {
  const Outcome outcome = RunCli("table sat-p --english --from 14.7 --to 3194.7 --step 397.5");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  tables::TableRequest request;
  request.kind = tables::TableKind::SaturationByPressure;
  request.range = {14.7, 3194.7, 397.5};
  request.units.english = true;
  request.properties = tables::DefaultProperties();
  IF97Calculator engine;
  engine.Initialize();
  tables::SteamTable table;
  ASSERT_EQ(tables::Generate(request, engine, table), tables::RangeError::None);
  EXPECT_EQ(outcome.out, tables::TableCsv(table, request.units, FormatNumber));
  EXPECT_EQ(table.rows.size(), 9u);
  EXPECT_NE(outcome.out.find(",3194.7,"), std::string::npos) << outcome.out;
}

TEST(table_command_test, reports_a_failed_write) {
  const Outcome outcome = RunCli("table sat-t --from 300 --to 600 --step 1", "/dev/full");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find("cannot write"), std::string::npos) << outcome.err;
}

}  // namespace
}  // namespace vaporix::cli
