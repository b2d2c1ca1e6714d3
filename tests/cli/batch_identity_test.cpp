// Guards the bytes of `vaporix-cli batch` and of the ".stb" documents it
// saves: a fixed, generated input set over all 29 input pairs, SI and
// English, must give exactly the output recorded in data/batch_digests.tsv
// (one 64-bit FNV-1a digest of the CSV and the document per group).
// Refactorings must leave every byte alone.
//
// When a change is MEANT to alter the output (an English factor, an N/A rule,
// a number format), check the new output by hand, then rewrite the recorded
// digests with the changed binary and commit the file with the change:
//
//   VAPORIX_UPDATE_BATCH_DIGESTS=1 build/dev/tests/cli/batch_identity_test
//
// VAPORIX_CLI=/path/to/vaporix-cli runs another binary (e.g. an older build,
// to record its digests). The input set is made here and never stored: each
// group is 120 uniform rows over the quantity ranges below, the boundary
// values of each quantity against a uniform other input, and damaged rows.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "vaporix/InputPair.h"
#include "vaporix/Limits.h"

namespace vaporix {
namespace {

constexpr int kUniformRows = 120;
constexpr char kDigestFile[] = VAPORIX_TEST_DATA_DIR "/batch_digests.tsv";

// Deterministic uniform numbers, the same on every platform (64-bit LCG).
class Sequence {
 public:
  explicit Sequence(std::uint64_t seed) : state(seed) {}
  double Uniform(double low, double high) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;
    return low + (high - low) * unit;
  }

 private:
  std::uint64_t state;
};

// SI range of each input quantity, a little wider than the formulation so
// that out-of-range rows occur; pressure and volume spread logarithmically.
struct QuantityRange {
  double low;
  double high;
  bool logarithmic;
};
constexpr std::array<QuantityRange, kQuantities.size()> kSinglePhaseRanges{{
    {1e-4, 120.0, true},     // pressure, MPa
    {270.0, 2300.0, false},  // temperature, K
    {-10.0, 4200.0, false},  // enthalpy, kJ/kg
    {-0.1, 12.0, false},     // entropy, kJ/(kg K)
    {9e-4, 200.0, true},     // volume, m3/kg
    {-10.0, 3800.0, false},  // internal energy, kJ/kg
    {-5.0, 105.0, false},    // quality, %
}};
// Saturation pairs: about the two-phase dome, so that most rows are found.
constexpr std::array<QuantityRange, kQuantities.size()> kSaturationRanges{{
    {5e-4, 23.0, true},
    {272.0, 650.0, false},
    {-5.0, 2850.0, false},
    {-0.05, 9.3, false},
    {9.5e-4, 220.0, true},
    {-5.0, 2650.0, false},
    {-5.0, 105.0, false},
}};

// Values on the edges of the formulation, per quantity (SI).
std::vector<double> EdgeValues(Quantity quantity) {
  switch (quantity) {
    case Quantity::Pressure:
      return {limits::kSinglePhaseMinimumPressure,
              limits::kSaturationMinimumPressure,
              limits::kSaturationPressureAt623,
              limits::kCriticalPressure,
              limits::kRegion5MaximumPressure,
              limits::kMaximumPressure,
              0.0,
              -1.0};
    case Quantity::Temperature:
      return {limits::kMinimumTemperature,    limits::kTriplePointTemperature,
              limits::kRegion13Temperature,   limits::kCriticalTemperature,
              limits::kB23MaximumTemperature, limits::kRegion2MaximumTemperature,
              limits::kMaximumTemperature};
    case Quantity::Volume:
      return {limits::kInputMinimumVolume, 1.0 / limits::kCriticalDensity};
    case Quantity::Quality:
      return {0.0, 50.0, 100.0};
    default:
      return {0.0};
  }
}

double Draw(Sequence& sequence, Quantity quantity, bool saturation) {
  const QuantityRange& range =
      (saturation ? kSaturationRanges : kSinglePhaseRanges)[static_cast<std::size_t>(quantity)];
  if (range.logarithmic) {
    return std::exp(sequence.Uniform(std::log(range.low), std::log(range.high)));
  }
  return sequence.Uniform(range.low, range.high);
}

// An SI value as the English input that converts back to it.
double ToEnglish(Quantity quantity, double si) {
  const QuantityInfo& info = Describe(quantity);
  return si / info.englishFactor - info.englishOffset;
}

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string GroupInput(const InputPairInfo& pair, bool english) {
  Sequence sequence(0x5eedULL + 977ULL * static_cast<std::uint64_t>(pair.pair) + (english ? 1 : 0));
  std::string input = "a,b\n";
  auto add = [&](double a, double b) {
    if (english) {
      a = ToEnglish(pair.first, a);
      b = ToEnglish(pair.second, b);
    }
    input += Number(a) + "," + Number(b) + "\n";
  };
  for (int row = 0; row < kUniformRows; ++row) {
    const double a = Draw(sequence, pair.first, pair.saturation);
    add(a, Draw(sequence, pair.second, pair.saturation));
  }
  for (double edge : EdgeValues(pair.first)) {
    add(edge, Draw(sequence, pair.second, pair.saturation));
  }
  for (double edge : EdgeValues(pair.second)) {
    add(Draw(sequence, pair.first, pair.saturation), edge);
  }
  input += "nan,1\ninf,1\n1,\n1;2\nx,2\n\n \"1\",2\n";
  return input;
}

std::string GroupName(const InputPairInfo& pair, bool english) {
  return std::string(pair.name) + (pair.saturation ? " sat" : " single") +
         (english ? " english" : " si");
}

std::uint64_t Digest(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (unsigned char byte : bytes) {
    hash = (hash ^ byte) * 1099511628211ULL;
  }
  return hash;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The batch output of one group, run through the binary, followed by the
// bytes of the ".stb" document it saves of the found states.
struct BatchOutput {
  std::string csv;
  std::string document;
};

BatchOutput RunBatch(const InputPairInfo& pair, bool english) {
  const char* override = std::getenv("VAPORIX_CLI");
  const std::string program = override != nullptr ? override : VAPORIX_CLI_PATH;
  const std::string in = ::testing::TempDir() + "vaporix_identity_" + std::to_string(getpid());
  const std::string out = in + ".out";
  const std::string stb = in + ".stb";
  std::ofstream(in, std::ios::binary) << GroupInput(pair, english);
  const std::string command = "'" + program + "' batch --threads 2 " +
                              (pair.saturation ? "--sat " : "") + (english ? "--english " : "") +
                              "--stb '" + stb + "' " + std::string(pair.name) + " '" + in + "' '" +
                              out + "'";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
  return {ReadFile(out), ReadFile(stb)};
}

TEST(batch_identity_test, every_group_gives_the_recorded_bytes) {
  std::vector<std::string> lines;
  int okRows = 0;
  int rows = 0;
  for (const InputPairInfo& pair : kInputPairs) {
    for (bool english : {false, true}) {
      const BatchOutput output = RunBatch(pair, english);
      std::istringstream stream(output.csv);
      std::string line;
      while (std::getline(stream, line)) {
        rows += 1;
        okRows += line.find(",ok,") != std::string::npos ? 1 : 0;
      }
      char digest[17];
      std::snprintf(digest, sizeof digest, "%016" PRIx64, Digest(output.csv + output.document));
      lines.push_back(GroupName(pair, english) + "\t" + digest);
    }
  }
  RecordProperty("rows", rows);
  RecordProperty("ok_rows", okRows);
  // Most rows must be states found, or the set guards little.
  EXPECT_GT(okRows, 4000) << rows << " rows";

  if (std::getenv("VAPORIX_UPDATE_BATCH_DIGESTS") != nullptr) {
    std::ofstream file(kDigestFile, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
      file << line << '\n';
    }
    GTEST_SKIP() << "recorded " << lines.size() << " digests in " << kDigestFile;
  }
  std::istringstream recorded(ReadFile(kDigestFile));
  std::string expected;
  for (const std::string& line : lines) {
    ASSERT_TRUE(std::getline(recorded, expected)) << kDigestFile << " ends before " << line;
    EXPECT_EQ(line, expected) << "batch output differs for the group '"
                              << line.substr(0, line.find('\t')) << "'";
  }
  EXPECT_FALSE(std::getline(recorded, expected)) << kDigestFile << " has extra lines";
}

}  // namespace
}  // namespace vaporix
