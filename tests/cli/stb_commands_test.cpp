#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "Batch.h"
#include "Format.h"
#include "StbCommands.h"
#include "StbFile.h"
#include "vaporix/Properties.h"

namespace vaporix::cli {
namespace {

namespace fs = std::filesystem;

class stb_commands_test : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("stb_commands_test_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  fs::path folder;
};

struct Outcome {
  int exitCode;
  std::string out;
  std::string err;
};

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Runs the vaporix-cli binary with `arguments` (shell words) in `folder`.
Outcome RunCli(const fs::path& folder, const std::string& arguments) {
  const fs::path out = folder / "stdout.txt";
  const fs::path err = folder / "stderr.txt";
  const std::string command = std::string("cd '") + folder.string() + "' && '" + VAPORIX_CLI_PATH +
                              "' " + arguments + " > '" + out.string() + "' 2> '" + err.string() +
                              "' < /dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
}

StateRecord MakeRecord(double p, double t, std::int32_t region) {
  StateRecord record{};
  record.state.p = p;
  record.state.t = t;
  record.state.v = 0.1;
  record.state.d = 10.0;
  record.state.x = 100.0;
  record.state.region = region;
  record.transport = {12.5, 1e-300, 0.0, -0.0, 3.0, -1.0};
  return record;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, ',');) {
    fields.push_back(field);
  }
  return fields;
}

TEST_F(stb_commands_test, dump_prints_both_lists_with_the_thirty_properties) {
  const fs::path si = folder / "si.stb";
  const std::vector<StateRecord> siStates = {MakeRecord(1.0, 300.0, 1),
                                             MakeRecord(0.1, 1073.15, 2)};
  ASSERT_EQ(WriteBatchDocument(si, siStates, false), DocumentError::None);
  // An English file adds its list after the (empty) SI one.
  const fs::path english = folder / "english.stb";
  const std::vector<StateRecord> englishStates = {MakeRecord(14.5, 212.0, 4)};
  ASSERT_EQ(WriteBatchDocument(english, englishStates, true), DocumentError::None);

  std::ostringstream out, err;
  ASSERT_EQ(RunStbDump(si.string(), out, err), 0);
  EXPECT_EQ(err.str(), "");
  const std::vector<std::string> lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "list,p,t,d,v,h,s,u,cp,cv,w,kapa,H,G,Z,x,region,alpha,Kt,dvdt,dvdp,dpdt,dpdv,iJTC,"
            "JTC,dv,kv,tc,td,Pr,Sigma");
  EXPECT_EQ(lines[1],
            "si,1,300,10,0.1,0,0,0,0,0,0,0,0,0,0,100,1,0,0,0,0,0,0,0,0,12.5,1e-300,0,-0,3,-1");
  EXPECT_EQ(Fields(lines[2])[0], "si");
  EXPECT_EQ(Fields(lines[2])[2], "1073.15");

  std::ostringstream englishOut, englishErr;
  ASSERT_EQ(RunStbDump(english.string(), englishOut, englishErr), 0);
  const std::vector<std::string> englishLines = Lines(englishOut.str());
  ASSERT_EQ(englishLines.size(), 2u);
  EXPECT_EQ(Fields(englishLines[1]).size(), 31u);
  EXPECT_EQ(Fields(englishLines[1])[0], "english");
  EXPECT_EQ(Fields(englishLines[1])[1], "14.5");
  EXPECT_EQ(Fields(englishLines[1])[16], "4");
}

TEST_F(stb_commands_test, batch_document_uses_the_list_of_its_unit_system) {
  const StateRecord record = MakeRecord(1.0, 300.0, 1);
  struct Case {
    const char* name;
    std::vector<StateRecord> states;
    bool english;
    std::size_t siCount, englishCount;
  };
  const Case cases[] = {
      {"none.stb", {}, false, 0, 0},
      {"si.stb", {record, record}, false, 2, 0},
      {"english.stb", {record}, true, 0, 1},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(WriteBatchDocument(folder / c.name, c.states, c.english), DocumentError::None);
    const StbReadResult read = ReadStbFile(folder / c.name);
    ASSERT_TRUE(read) << c.name;
    EXPECT_EQ(read.siResults.size(), c.siCount) << c.name;
    EXPECT_EQ(read.englishResults.size(), c.englishCount) << c.name;
  }
  EXPECT_EQ(fs::file_size(folder / "none.stb"), 4u);
  EXPECT_EQ(WriteBatchDocument(folder / "missing" / "x.stb", {&record, 1}, false),
            DocumentError::FailedToSave);
}

TEST_F(stb_commands_test, dump_refuses_a_malformed_or_missing_file) {
  const fs::path damaged = folder / "damaged.stb";
  {
    std::ofstream file(damaged, std::ios::binary);
    file.write("\x01\x00\xFF\xFF\x02\x00", 6);
  }
  std::ostringstream out, err;
  EXPECT_EQ(RunStbDump(damaged.string(), out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "Unexpected file format.\n");

  std::ostringstream missingOut, missingErr;
  EXPECT_EQ(RunStbDump((folder / "none.stb").string(), missingOut, missingErr), 1);
  EXPECT_EQ(missingOut.str(), "");
  EXPECT_NE(missingErr.str().find("Cannot find this file."), std::string::npos);
}

TEST_F(stb_commands_test, dumped_numbers_read_back_to_the_stored_doubles) {
  StateRecord record = MakeRecord(0.1, 1.0 / 3.0, -7);
  record.state.h = 273.15000000000003;
  record.state.s = 5e-324;
  record.state.u = 1.7976931348623157e308;
  record.state.Kt = -0.0;
  const fs::path file = folder / "numbers.stb";
  ASSERT_EQ(WriteBatchDocument(file, {&record, 1}, false), DocumentError::None);
  std::ostringstream out, err;
  ASSERT_EQ(RunStbDump(file.string(), out, err), 0);
  const std::vector<std::string> fields = Fields(Lines(out.str()).at(1));
  ASSERT_EQ(fields.size(), 31u);
  for (const PropertyInfo& key : kProperties) {
    double value = 0.0;
    ASSERT_TRUE(ParseNumber(fields[static_cast<std::size_t>(key.number)], value)) << key.key;
    const double stored = *PropertyValue(record.state, record.transport, key.number);
    EXPECT_EQ(std::memcmp(&value, &stored, sizeof value), 0) << key.key;
  }
  EXPECT_EQ(fields[16], "-7");
}

// The states --stb saves are the ok rows of the batch, in input order,
// whatever the number of threads.
TEST_F(stb_commands_test, batch_collects_the_ok_states_in_input_order) {
  std::string input = "p,t\n";
  int okRows = 0;
  int lastOk = 0;
  for (int i = 0; i < 3000; ++i) {
    if (i % 7 == 3) {
      input += "200,300\n";  // outside the range
    } else if (i % 11 == 5) {
      input += "x,1\n";  // not a number
    } else {
      input += std::to_string(0.01 + i * 0.001) + "," + std::to_string(300 + i * 0.1) + "\n";
      ++okRows;
      lastOk = i;
    }
  }
  std::vector<std::vector<StateRecord>> collected;
  for (unsigned threads : {1u, 4u}) {
    BatchOptions options;
    options.pair = InputPair::PT;
    options.threads = threads;
    std::vector<StateRecord> states;
    options.okStates = &states;
    ASSERT_TRUE(RunBatch(options, input, [](std::string_view) { return true; }));
    collected.push_back(std::move(states));
  }
  ASSERT_EQ(collected[0].size(), static_cast<std::size_t>(okRows));
  ASSERT_EQ(collected[1].size(), collected[0].size());
  for (std::size_t row = 0; row < collected[0].size(); ++row) {
    for (const PropertyInfo& key : kProperties) {
      const double one =
          *PropertyValue(collected[0][row].state, collected[0][row].transport, key.number);
      const double four =
          *PropertyValue(collected[1][row].state, collected[1][row].transport, key.number);
      ASSERT_EQ(std::memcmp(&one, &four, sizeof one), 0) << "row " << row << " " << key.key;
    }
  }
  EXPECT_DOUBLE_EQ(collected[0].front().state.p, 0.01);
  EXPECT_DOUBLE_EQ(collected[0].back().state.t, 300 + lastOk * 0.1);
}

TEST_F(stb_commands_test, cli_batch_saves_ok_states_and_stb_dump_prints_them) {
  {
    std::ofstream input(folder / "in.csv");
    input << "p,t\n1,300\n200,300\n0.1,500\n";
  }
  const Outcome batch = RunCli(folder, "batch --threads 2 pt in.csv out.csv --stb run.stb");
  ASSERT_EQ(batch.exitCode, 0) << batch.err;
  const Outcome dump = RunCli(folder, "stb dump run.stb");
  ASSERT_EQ(dump.exitCode, 0) << dump.err;
  const std::vector<std::string> lines = Lines(dump.out);
  ASSERT_EQ(lines.size(), 3u) << dump.out;
  EXPECT_EQ(Fields(lines[0]).size(), 31u);
  EXPECT_EQ(lines[1].substr(0, 9), "si,1,300,");
  EXPECT_EQ(lines[2].substr(0, 11), "si,0.1,500,");

  // With --english the states are stored in English units, in the English list.
  const Outcome english = RunCli(folder, "batch --english pt in.csv out.csv --stb english.stb");
  ASSERT_EQ(english.exitCode, 0) << english.err;
  const StbReadResult read = ReadStbFile(folder / "english.stb");
  ASSERT_TRUE(read);
  EXPECT_TRUE(read.siResults.empty());
  ASSERT_EQ(read.englishResults.size(), 3u);                  // 200 psi at 300 degF is a state too
  EXPECT_NEAR(read.englishResults[0]->state.p, 1.0, 1e-9);    // psi, as typed
  EXPECT_NEAR(read.englishResults[0]->state.t, 300.0, 1e-9);  // degF
}

TEST_F(stb_commands_test, cli_reports_unreadable_and_unwritable_documents) {
  {
    std::ofstream damaged(folder / "damaged.stb", std::ios::binary);
    damaged.write("\x00\x00\x01\x00\x01\x80", 6);
    std::ofstream input(folder / "in.csv");
    input << "1,300\n";
  }
  const Outcome dump = RunCli(folder, "stb dump damaged.stb");
  EXPECT_EQ(dump.exitCode, 1);
  EXPECT_EQ(dump.out, "");
  EXPECT_EQ(dump.err, "Unexpected file format.\n");

  const Outcome noFile = RunCli(folder, "stb dump");
  EXPECT_EQ(noFile.exitCode, 2);

  const Outcome unwritable = RunCli(folder, "batch pt in.csv out.csv --stb no/such/dir.stb");
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_NE(unwritable.err.find("Failed to save document."), std::string::npos) << unwritable.err;
}

}  // namespace
}  // namespace vaporix::cli
