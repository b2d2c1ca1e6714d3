// A save killed at any moment leaves the previous document and nothing else
// in its folder.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "StbFile.h"

namespace vaporix {
namespace {

TEST(stb_save_interrupted_test, a_killed_save_leaves_no_temporary) {
  const std::filesystem::path folder =
      std::filesystem::path(::testing::TempDir()) / ("vaporix_kill_" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path document = folder / "doc.stb";
  const std::vector<std::uint8_t> bytes(64 << 20, 0x5A);
  // Kills after a growing delay, so that some land while the bytes are written.
  for (int delayMs : {0, 2, 5, 10, 20, 40, 80}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        ReplaceFileContents(document, bytes);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
  }
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().filename(), "doc.stb") << "left behind: " << entry.path();
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vaporix
