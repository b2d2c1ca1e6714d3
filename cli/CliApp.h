#pragma once

#include <iosfwd>
#include <memory>
#include <vector>

namespace CLI {
class App;
}

namespace vaporix::cli {

// The streams a command reads and writes.
struct Streams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Exit codes of vaporix-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // point out of range, or an I/O error
inline constexpr int kExitUsage = 2;

// One subcommand of vaporix-cli: it adds itself to the application, and runs
// when the command line chose it.
class Command {
 public:
  virtual ~Command() = default;
  virtual CLI::App* Register(CLI::App& app) = 0;
  virtual int Execute(const Streams& streams) = 0;
};

// The subcommands of vaporix-cli; a new subcommand is one more entry here.
std::vector<std::unique_ptr<Command>> MakeCommands();

// Runs vaporix-cli with its command line and returns the exit code.
int Run(int argc, const char* const* argv, const Streams& streams);

}  // namespace vaporix::cli
