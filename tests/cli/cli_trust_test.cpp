// vaporix-cli under hostile input and failing output: every row gets its
// status, the output streams, and every failed write is reported with exit 1.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "CliProcess.h"

namespace {

using vaporix::cli::test::Outcome;
using vaporix::cli::test::ReadFile;
using vaporix::cli::test::TempPath;

Outcome Shell(const std::string& line, const std::string& input = "") {
  return vaporix::cli::test::RunShell(line, input);
}

std::size_t Lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The first line is a header only when it is one; anything else is a row.
struct FirstLine {
  const char* name;
  std::string input;
  std::size_t rows;    // output rows after the header
  const char* status;  // of the first row
};

class first_line_test : public ::testing::TestWithParam<FirstLine> {};

TEST_P(first_line_test, is_a_row_unless_it_is_a_header) {
  const FirstLine& row = GetParam();
  const Outcome outcome = Shell("CLI batch pt", row.input);
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(Lines(outcome.out), 1 + row.rows) << outcome.out;
  const std::string first = outcome.out.substr(outcome.out.find('\n') + 1);
  EXPECT_NE(first.find(row.status), std::string::npos) << first;
}

INSTANTIATE_TEST_SUITE_P(
    cli_trust_test, first_line_test,
    ::testing::Values(FirstLine{"byte_order_mark",
                                "\xEF\xBB\xBF"
                                "1,300\n",
                                1, "1,300,ok,"},
                      FirstLine{"overflowing_number", "1e400,300\n1,300\n", 2, ",bad_input,"},
                      FirstLine{"quoted_number", "\"1\",300\n", 1, ",ok,"},
                      FirstLine{"nul_byte", std::string("\0,300\n1,300\n", 12), 2, ",bad_input,"},
                      FirstLine{"names_a_b", "a,b\n1,300\n", 1, "1,300,ok,"},
                      FirstLine{"names_p_t", "p,t\n1,300\n", 1, "1,300,ok,"}),
    [](const ::testing::TestParamInfo<FirstLine>& row) { return std::string(row.param.name); });

TEST(cli_trust_test, a_line_beyond_the_limit_is_one_bad_input_row) {
  const std::string input = "1,300\n" + std::string(50'000'000, '7') + ",300\n2,400\n";
  const Outcome outcome = Shell("CLI batch --threads 2 pt", input);
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  ASSERT_EQ(Lines(outcome.out), 4u);
  EXPECT_NE(outcome.out.find("\n,,bad_input,"), std::string::npos);
  EXPECT_NE(outcome.out.find("\n2,400,ok,"), std::string::npos);
}

TEST(cli_trust_test, a_carriage_return_inside_a_field_is_quoted) {
  const Outcome outcome = Shell("CLI batch pt", "1\r2,300\n");
  ASSERT_EQ(outcome.exitCode, 0);
  EXPECT_NE(outcome.out.find("\n\"1\r2\",300,bad_input,"), std::string::npos);
}

// Rows flow out while the input is read: an endless input ends when the
// reader of the output goes, and that closed pipe is an I/O error (exit 1).
TEST(cli_trust_test, endless_input_streams_and_a_closed_pipe_ends_the_batch) {
  const Outcome outcome = Shell(
      "yes 1,300 | (timeout 60 CLI batch --threads 2 pt; echo \"exit $?\" >&2) | head -2 > "
      "/dev/null");
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_NE(outcome.err.find("cannot write standard output: Broken pipe"), std::string::npos)
      << outcome.err;
  EXPECT_NE(outcome.err.find("exit 1"), std::string::npos) << outcome.err;
}

// Every failed write names the file and the reason and exits 1.
struct FailedWrite {
  const char* name;
  std::string command;
  const char* message;
};

class failed_write_test : public ::testing::TestWithParam<FailedWrite> {};

TEST_P(failed_write_test, names_the_file_and_the_reason) {
  const Outcome outcome = Shell(GetParam().command, "1,300\n");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(
    cli_trust_test, failed_write_test,
    ::testing::Values(
        FailedWrite{"calc_to_full_disk", "CLI calc pt 1 300 > /dev/full",
                    "cannot write standard output: No space left on device"},
        FailedWrite{"batch_to_full_disk", "CLI batch pt > /dev/full",
                    "cannot write standard output: No space left on device"},
        FailedWrite{"batch_file_to_full_disk", "CLI batch pt - /dev/full",
                    "cannot write '/dev/full': No space left on device"},
        FailedWrite{"batch_beyond_file_size_limit",
                    "ulimit -f 1; yes 1,300 | head -100000 | CLI batch pt > " + TempPath("big.csv"),
                    "File too large"},
        FailedWrite{"stb_dump_to_full_disk",
                    "CLI batch pt --stb " + TempPath("d.stb") + " > /dev/null && CLI stb dump " +
                        TempPath("d.stb") + " > /dev/full",
                    "cannot write standard output: No space left on device"}),
    [](const ::testing::TestParamInfo<FailedWrite>& row) { return std::string(row.param.name); });

TEST(cli_trust_test, an_empty_document_name_is_a_usage_error) {
  EXPECT_EQ(Shell("CLI batch pt --stb ''", "1,300\n").exitCode, 2);
}

TEST(cli_trust_test, a_stream_that_is_no_document_is_refused_at_once) {
  const Outcome outcome = Shell("timeout 20 CLI stb dump /dev/zero");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find("Unexpected file format."), std::string::npos);
}

TEST(cli_trust_test, a_file_larger_than_any_document_is_refused_unread) {
  const std::string huge = TempPath("huge.stb");
  ASSERT_EQ(Shell("truncate -s 2G " + huge).exitCode, 0);  // sparse: nothing to read
  const Outcome outcome = Shell("timeout 20 CLI stb dump " + huge);
  std::remove(huge.c_str());
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find("larger than the largest document"), std::string::npos) << outcome.err;
}

TEST(cli_trust_test, a_read_only_document_is_not_replaced) {
  const std::string document = TempPath("ro.stb");
  ASSERT_EQ(Shell("CLI batch pt --stb " + document + " > /dev/null", "1,300\n").exitCode, 0);
  const std::string before = ReadFile(document);
  ASSERT_EQ(Shell("chmod 444 " + document).exitCode, 0);
  const Outcome outcome = Shell("CLI batch pt --stb " + document + " > /dev/null", "2,400\n");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find("was denied"), std::string::npos) << outcome.err;
  EXPECT_EQ(ReadFile(document), before);
}

}  // namespace
