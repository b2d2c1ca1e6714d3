#pragma once

// Runs the vaporix-cli binary under test through the shell and collects what
// it printed; shared by the tests of the command-line contract.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace vaporix::cli::test {

struct Outcome {
  int exitCode;
  std::string out;
  std::string err;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
}

// A file name of this test process: CTest runs the test cases as parallel processes.
inline std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "vaporix_cli_" + std::to_string(getpid()) + "_" + name;
}

// Runs a shell command line in which CLI stands for vaporix-cli, with `input`
// on its standard input.
inline Outcome RunShell(std::string line, const std::string& input = "") {
  const std::string cli = std::string("'") + VAPORIX_CLI_PATH + "'";
  for (std::size_t at = line.find("CLI"); at != std::string::npos; at = line.find("CLI", at)) {
    line.replace(at, 3, cli);
    at += cli.size();
  }
  const std::string in = TempPath("stdin.txt");
  const std::string out = TempPath("stdout.txt");
  const std::string err = TempPath("stderr.txt");
  WriteFile(in, input);
  const std::string command = "(" + line + ") < '" + in + "' > '" + out + "' 2> '" + err + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}

// Runs vaporix-cli with `arguments` (shell words) and `input` on its standard input.
inline Outcome RunCli(const std::string& arguments, const std::string& input = "") {
  return RunShell("CLI " + arguments, input);
}

}  // namespace vaporix::cli::test
