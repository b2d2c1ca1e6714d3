#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "Format.h"
#include "vaporix/IF97Calculator.h"

namespace vaporix::cli {
namespace {

using test::Outcome;
using test::ReadFile;
using test::RunCli;
using test::TempPath;
using test::WriteFile;

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream stream(text);
  while (std::getline(stream, part, separator)) {
    parts.push_back(part);
  }
  return parts;
}

TEST(cli_contract_test, calc_prints_thirty_properties_in_property_number_order) {
  const Outcome outcome = RunCli("calc pt 1 300");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  const std::vector<std::string> lines = Split(outcome.out, '\n');
  ASSERT_EQ(lines.size(), 30u) << outcome.out;
  IF97Calculator engine;
  engine.Initialize();
  StateProperties state;
  TransportProperties transport;
  ASSERT_TRUE(engine.CalcPT(1.0, 300.0, state, transport, true, false));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::vector<std::string> words = Split(lines[i], ' ');
    ASSERT_EQ(words.size(), 3u) << lines[i];
    EXPECT_EQ(words[0], kProperties[i].key);
    EXPECT_EQ(words[2], kProperties[i].siUnit);
    char expected[kMaxNumberLength];
    EXPECT_EQ(words[1], std::string(expected, FormatProperty(expected, kProperties[i], state,
                                                             transport, false)))
        << lines[i];
  }
  EXPECT_EQ(lines[0], "p 1 MPa");
  EXPECT_EQ(lines[1], "t 300 K");
  EXPECT_EQ(lines[14], "x N/A %");
  EXPECT_EQ(lines[15], "region 1 -");
  // Every digit the engine computed: the printed enthalpy reads back exactly.
  double h = 0.0;
  ASSERT_TRUE(ParseNumber(Split(lines[4], ' ')[1], h));
  EXPECT_EQ(h, state.h);
}

TEST(cli_contract_test, calc_json_is_keyed_by_the_property_keys) {
  const Outcome outcome = RunCli("calc --json pt 1 800");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  const std::string& json = outcome.out;
  ASSERT_EQ(json.front(), '{');
  ASSERT_EQ(json.substr(json.size() - 2), "}\n");
  std::size_t position = 0;
  for (const PropertyInfo& property : kProperties) {
    const std::string key = "\"" + std::string(property.key) + "\":";
    const std::size_t found = json.find(key, position);
    ASSERT_NE(found, std::string::npos) << property.key;
    position = found + key.size();
  }
  EXPECT_NE(json.find("\"region\":2,"), std::string::npos) << json;
  EXPECT_NE(json.find("\"x\":null,"), std::string::npos) << json;
  EXPECT_NE(json.find("\"Sigma\":null}"), std::string::npos) << json;  // above 647.096 K
  EXPECT_NE(json.find("\"p\":1,\"t\":800,"), std::string::npos) << json;
}

TEST(cli_contract_test, calc_english_units) {
  const Outcome outcome = RunCli("calc --english pt 14.5 212");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  const std::vector<std::string> lines = Split(outcome.out, '\n');
  ASSERT_EQ(lines.size(), 30u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 4), " psi");
  EXPECT_EQ(lines[1].rfind("t 212", 0), 0u) << lines[1];
  EXPECT_EQ(lines[1].substr(lines[1].size() - 4), " °F");
  EXPECT_EQ(lines[4].substr(lines[4].size() - 7), " Btu/lb");
}

TEST(cli_contract_test, calc_exit_codes) {
  struct Case {
    const char* arguments;
    int exitCode;
    const char* errorText;
  };
  const Case cases[] = {
      {"calc pt 200 300", 1, "The point is out of the range!\n"},
      {"calc pv 1 0", 1, "The point is out of the range!\n"},
      {"calc pt nan 300", 1, "The point is out of the range!\n"},
      {"calc ph 1 -- -5", 1, "The point is out of the range!\n"},
      {"calc xy 1 300", 2, "unknown input pair"},
      {"calc --sat pt 1 300", 2, "unknown input pair"},
      {"calc px 1 50", 2, "unknown input pair"},
      {"calc pt 1", 2, ""},
      {"calc pt", 2, ""},
      {"calc pt one 300", 2, "not a number"},
      {"calc pt 1 300K", 2, "not a number"},
      {"calc --bogus pt 1 300", 2, ""},
      {"calc pt 1 300 4", 2, ""},
      {"", 2, ""},
      {"frobnicate", 2, ""},
  };
  for (const Case& c : cases) {
    const Outcome outcome = RunCli(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << c.arguments << "\n" << outcome.err;
    if (c.exitCode == 1) {
      EXPECT_EQ(outcome.err, c.errorText) << c.arguments;
      EXPECT_EQ(outcome.out, "") << c.arguments;
    } else {
      EXPECT_NE(outcome.err.find(c.errorText), std::string::npos) << c.arguments << outcome.err;
      EXPECT_NE(outcome.err.find("Usage"), std::string::npos) << c.arguments << outcome.err;
    }
  }
}

TEST(cli_contract_test, calc_help_exits_zero) {
  const Outcome outcome = RunCli("calc --help");
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_NE(outcome.out.find("PAIR"), std::string::npos);
}

TEST(cli_contract_test, batch_statuses_and_columns) {
  const std::string input =
      "pressure,temperature\n"
      "1,300\n"
      "\n"
      "   \n"
      "1,500\r\n"
      "200,300\n"
      "abc,300\n"
      "1,nan\n"
      "inf,300\n"
      "1\n"
      "1,300,5\n"
      "5,1500\n";
  const Outcome outcome = RunCli("batch pt", input);
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  const std::vector<std::string> lines = Split(outcome.out, '\n');
  ASSERT_EQ(lines.size(), 10u) << outcome.out;
  EXPECT_EQ(lines[0],
            "a,b,status,p,t,d,v,h,s,u,cp,cv,w,kapa,H,G,Z,x,region,alpha,Kt,dvdt,dvdp,dpdt,dpdv,"
            "iJTC,JTC,dv,kv,tc,td,Pr,Sigma");
  const struct {
    const char* start;
    const char* status;
  } rows[] = {
      {"1,300,", "ok"},          {"1,500,", "ok"},        {"200,300,", "out_of_range"},
      {"abc,300,", "bad_input"}, {"1,nan,", "bad_input"}, {"inf,300,", "bad_input"},
      {"1,,", "bad_input"},      {"1,300,", "bad_input"}, {"5,1500,", "ok"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const std::string& line = lines[i + 1];
    EXPECT_EQ(line.rfind(std::string(rows[i].start) + rows[i].status + ",", 0), 0u) << line;
    // a, b, status and thirty values, in every row.
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 32) << line;
    if (std::string(rows[i].status) != "ok") {
      EXPECT_EQ(line.substr(line.size() - 30), std::string(30, ',')) << line;
    }
  }
  EXPECT_NE(lines[1].find(",N/A,1,"), std::string::npos) << lines[1];  // x N/A, region 1
  EXPECT_NE(lines[9].find(",5,"), std::string::npos) << lines[9];      // region 5
}

TEST(cli_contract_test, batch_values_read_back_as_the_engine_computed_them) {
  const Outcome outcome = RunCli("batch ph", "3,500\n");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  const std::vector<std::string> lines = Split(outcome.out, '\n');
  ASSERT_EQ(lines.size(), 2u);
  const std::vector<std::string> fields = Split(lines[1], ',');
  ASSERT_EQ(fields.size(), 33u);
  IF97Calculator engine;
  engine.Initialize();
  StateProperties state;
  TransportProperties transport;
  ASSERT_TRUE(engine.CalcPH(3.0, 500.0, state, transport, true, false));
  double t = 0.0;
  double tc = 0.0;
  ASSERT_TRUE(ParseNumber(fields[4], t));
  ASSERT_TRUE(ParseNumber(fields[29], tc));
  EXPECT_EQ(t, state.t);
  EXPECT_EQ(tc, transport.tc);
}

TEST(cli_contract_test, batch_output_is_identical_for_every_thread_count) {
  std::string input = "p,t\n";
  for (int i = 0; i < 30000; ++i) {
    input += std::to_string(0.001 + (i % 997) * 0.1003) + "," +
             std::to_string(274.0 + (i % 1999) * 1.0) + "\n";
    if (i % 5000 == 17) {
      input += "junk,row\n";
    }
  }
  const std::string inputPath = TempPath("threads_in.csv");
  WriteFile(inputPath, input);
  std::string reference;
  for (int threads : {1, 2, 3, 8}) {
    const std::string outputPath = TempPath("threads_out.csv");
    const Outcome outcome = RunCli("batch --threads " + std::to_string(threads) + " pt '" +
                                   inputPath + "' '" + outputPath + "'");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    const std::string output = ReadFile(outputPath);
    if (reference.empty()) {
      reference = output;
      EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 30000 + 6 + 1);
    } else {
      EXPECT_TRUE(output == reference) << "threads " << threads;
    }
  }
}

TEST(cli_contract_test, batch_exit_codes) {
  const std::string inputPath = TempPath("exit_in.csv");
  WriteFile(inputPath, "1,300\n");
  struct Case {
    std::string arguments;
    int exitCode;
  };
  const Case cases[] = {
      {"batch pt '" + inputPath + "'", 0},
      {"batch pt " + TempPath("missing/none.csv"), 1},
      {"batch pt '" + inputPath + "' /nonexistent-directory/out.csv", 1},
      {"batch zz '" + inputPath + "'", 2},
      {"batch --threads 0 pt '" + inputPath + "'", 2},
      {"batch --threads two pt '" + inputPath + "'", 2},
      {"batch", 2},
      {"batch --sat pt '" + inputPath + "'", 2},
  };
  for (const Case& c : cases) {
    const Outcome outcome = RunCli(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << c.arguments << "\n" << outcome.err;
    if (c.exitCode != 0) {
      EXPECT_FALSE(outcome.err.empty()) << c.arguments;
    }
  }
}

TEST(cli_contract_test, batch_english_and_saturation_flags) {
  const Outcome english = RunCli("batch --english pt", "14.5,212\n");
  ASSERT_EQ(english.exitCode, 0);
  const std::vector<std::string> lines = Split(english.out, '\n');
  ASSERT_EQ(lines.size(), 2u) << english.out;
  const std::vector<std::string> fields = Split(lines[1], ',');
  ASSERT_EQ(fields.size(), 33u);
  EXPECT_EQ(fields[2], "ok");
  double t = 0.0;
  ASSERT_TRUE(ParseNumber(fields[4], t));
  EXPECT_NEAR(t, 212.0, 1e-9);
  const Outcome saturation = RunCli("batch --sat px", "1,50\n");
  EXPECT_EQ(saturation.exitCode, 0);
  EXPECT_EQ(Split(saturation.out, '\n').size(), 2u);
}

}  // namespace
}  // namespace vaporix::cli
