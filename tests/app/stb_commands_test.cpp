#include <gtest/gtest.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/document/StbFile.h"
#include "cli/StbCommands.h"

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

TEST_F(stb_commands_test, numbers_read_back_to_the_same_double) {
  const double values[] = {0.1,    1.0 / 3.0, 2273.15, 273.15000000000003,
                           1e-308, -1.0,      5e-324,  1.7976931348623157e308};
  for (double value : values) {
    const std::string text = FormatShortest(value);
    double back = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(result.ec, std::errc()) << text;
    EXPECT_EQ(back, value) << text;
  }
  EXPECT_EQ(FormatShortest(100.0), "100");
  EXPECT_EQ(FormatShortest(0.1), "0.1");
}

}  // namespace
}  // namespace vaporix::cli
