#include "CliApp.h"

#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Batch.h"
#include "Format.h"
#include "IsolinesCommand.h"
#include "StbArchive.h"
#include "StbCommands.h"
#include "TableCommand.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"

namespace vaporix::cli {
namespace {

constexpr char kOutOfRangeMessage[] = "The point is out of the range!";

int UsageError(const Streams& streams, const CLI::App& command, const std::string& message) {
  streams.err << "vaporix-cli: " << message << "\n\n" << command.help();
  return kExitUsage;
}

// A failed read or write: the file, the reason, exit 1.
int IoFailure(const Streams& streams, const char* action, const std::string& name, int error) {
  streams.err << "vaporix-cli: cannot " << action << ' ' << name;
  if (error != 0) {
    streams.err << ": " << std::strerror(error);
  }
  streams.err << '\n';
  streams.err.flush();
  return kExitFailure;
}

std::string PairHelp(bool withSaturation) {
  std::string help = "input pair: " + PairNames(false);
  if (withSaturation) {
    help += "; with --sat: " + PairNames(true);
  }
  return help;
}

// vaporix-cli calc [--sat] [--english] [--json] [--all] PAIR A B
class CalcCommand : public Command {
 public:
  CLI::App* Register(CLI::App& app) override {
    command = app.add_subcommand("calc", "Calculate one state");
    command->add_flag("--sat", saturation, "Saturation entry points (two-phase region)");
    command->add_flag("--english", english,
                      "Inputs and outputs in psi, °F, Btu/lb, Btu/(lb·°F), ft³/lb");
    command->add_flag("--json", json, "Print one JSON object keyed by the property keys");
    command->add_flag("--all", all,
                      "Every state with these inputs, the answer of calc first (with --json: "
                      "an array of objects)");
    command->add_option("PAIR", pair, PairHelp(true))->required();
    command->add_option("A", first, "First input value")->required();
    command->add_option("B", second, "Second input value")->required();
    return command;
  }

  int Execute(const Streams& streams) override {
    const std::optional<InputPair> inputPair = FindInputPair(pair, saturation);
    if (!inputPair) {
      return UsageError(streams, *command, "unknown input pair '" + pair + "'");
    }
    double a = 0.0;
    double b = 0.0;
    if (!ParseNumber(first, a)) {
      return UsageError(streams, *command, "A is not a number: '" + first + "'");
    }
    if (!ParseNumber(second, b)) {
      return UsageError(streams, *command, "B is not a number: '" + second + "'");
    }
    IF97Calculator engine;
    engine.Initialize();
    std::vector<CalculatedState> states;
    if (all) {
      states = engine.CalcAll(*inputPair, a, b, true, english);
    } else {
      CalculatedState found;
      if (engine.Calculate(*inputPair, a, b, found.state, found.transport, true, english)) {
        states.push_back(found);
      }
    }
    if (states.empty()) {
      streams.err << kOutOfRangeMessage << '\n';
      return kExitFailure;
    }
    std::string text;
    if (all && json) {
      text += '[';
    }
    for (std::size_t i = 0; i < states.size(); ++i) {
      if (all && json && i > 0) {
        text += ',';
      }
      // Each block of --all says which state it is, so that the blocks of
      // several states sharing the inputs can be told apart.
      if (all && !json) {
        text += i > 0 ? "\n# state " : "# state ";
        text += std::to_string(i + 1) + " of " + std::to_string(states.size());
        text += i == 0 ? " (the answer of calc)\n" : "\n";
      }
      AppendState(text, states[i]);
    }
    if (all && json) {
      text += "]\n";
    }
    errno = 0;
    streams.out << text;
    streams.out.flush();
    if (!streams.out.good()) {
      return IoFailure(streams, "write", "standard output", errno);
    }
    return kExitOk;
  }

 private:
  // One state as `key value unit` lines, or as one JSON object and a newline
  // (none inside the array of --all).
  void AppendState(std::string& text, const CalculatedState& found) const {
    char number[kMaxNumberLength];
    if (json) {
      text += '{';
    }
    for (const PropertyInfo& property : kProperties) {
      std::string value(number,
                        FormatProperty(number, property, found.state, found.transport, saturation));
      if (json) {
        text += property.number == 1 ? "\"" : ",\"";
        text += property.key;
        text += "\":";
        text += value == "N/A" ? "null" : value;
      } else {
        text += property.key;
        text += ' ';
        text += value;
        text += ' ';
        text += english ? property.englishUnit : property.siUnit;
        text += '\n';
      }
    }
    if (json) {
      text += all ? "}" : "}\n";
    }
  }

  CLI::App* command = nullptr;
  bool saturation = false;
  bool english = false;
  bool json = false;
  bool all = false;
  std::string pair;
  std::string first;
  std::string second;
};

// The input of the batch, read as it arrives: standard input or a file
// through its descriptor, any other stream through the stream.
BatchReadFunction MakeReader(std::istream& in, int descriptor) {
  if (descriptor >= 0) {
    return [descriptor](char* buffer, std::size_t size) -> std::ptrdiff_t {
      for (;;) {
        const ssize_t got = ::read(descriptor, buffer, size);
        if (got < 0 && errno == EINTR) {
          continue;
        }
        return got;
      }
    };
  }
  return [&in](char* buffer, std::size_t size) -> std::ptrdiff_t {
    in.read(buffer, static_cast<std::streamsize>(size));
    if (in.bad()) {
      return -1;
    }
    return static_cast<std::ptrdiff_t>(in.gcount());
  };
}

// vaporix-cli batch [--sat] [--english] [--threads N] PAIR [INPUT [OUTPUT]]
class BatchCommand : public Command {
 public:
  CLI::App* Register(CLI::App& app) override {
    command = app.add_subcommand("batch", "Calculate the states of a CSV file, one A,B per line");
    command->add_flag("--sat", options.saturation, "Saturation entry points (two-phase region)");
    command->add_flag("--english", options.english,
                      "Inputs and outputs in psi, °F, Btu/lb, Btu/(lb·°F), ft³/lb");
    command
        ->add_option("--threads", threads, "Number of engines run in parallel (default: all cores)")
        ->check(CLI::PositiveNumber);
    command->add_option("PAIR", pair, PairHelp(true))->required();
    command->add_option("INPUT", inputPath, "Input CSV file (default: standard input)");
    command->add_option("OUTPUT", outputPath, "Output CSV file (default: standard output)");
    command->add_option("--stb", stbPath,
                        "Also save every ok state as a .stb document (its English list with "
                        "--english)");
    return command;
  }

  int Execute(const Streams& streams) override {
    const std::optional<InputPair> inputPair = FindInputPair(pair, options.saturation);
    if (!inputPair) {
      return UsageError(streams, *command, "unknown input pair '" + pair + "'");
    }
    if (command->count("--stb") != 0 && stbPath.empty()) {
      return UsageError(streams, *command, "--stb needs a file name");
    }
    options.pair = *inputPair;
    options.threads = threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency());

    const bool standardInput = inputPath.empty() || inputPath == "-";
    const std::string inputName = standardInput ? "standard input" : "'" + inputPath + "'";
    int inputDescriptor = -1;
    if (standardInput) {
      inputDescriptor = &streams.in == &std::cin ? STDIN_FILENO : -1;
    } else {
      inputDescriptor = ::open(inputPath.c_str(), O_RDONLY | O_CLOEXEC);
      if (inputDescriptor < 0) {
        return IoFailure(streams, "read", inputName, errno);
      }
    }
    struct Closer {
      int descriptor;
      bool owned;
      ~Closer() {
        if (owned && descriptor >= 0) {
          ::close(descriptor);
        }
      }
    } closer{inputDescriptor, !standardInput};

    std::ofstream file;
    std::ostream* out = &streams.out;
    const bool standardOutput = outputPath.empty() || outputPath == "-";
    const std::string outputName = standardOutput ? "standard output" : "'" + outputPath + "'";
    if (!standardOutput) {
      errno = 0;
      file.open(outputPath, std::ios::binary | std::ios::trunc);
      if (!file) {
        return IoFailure(streams, "write", outputName, errno);
      }
      out = &file;
    }
    StbListEncoder document;
    bool documentTooLarge = false;
    if (!stbPath.empty()) {
      options.okSink = [&document, &documentTooLarge](const StateRecord& record) {
        if (document.FileSize() + kStbMinimumObjectSize + kStbClassHeaderSize >
            kStbLargestDocumentBytes) {
          documentTooLarge = true;
          return;
        }
        document.Add(record.state, record.transport);
      };
    }
    int writeError = 0;
    // Every block goes out at once, so rows appear while the input is read.
    const auto write = [out, &writeError](std::string_view block) {
      errno = 0;
      out->write(block.data(), static_cast<std::streamsize>(block.size()));
      out->flush();
      writeError = errno;
      return out->good();
    };
    const BatchResult result = RunBatch(options, MakeReader(streams.in, inputDescriptor), write);
    switch (result) {
      case BatchResult::Ok:
        break;
      case BatchResult::ReadFailed:
        return IoFailure(streams, "read", inputName, errno);
      case BatchResult::WriteFailed:
        return IoFailure(streams, "write", outputName, writeError);
      case BatchResult::Failed:
        streams.err << "vaporix-cli: out of memory\n";
        return kExitFailure;
    }
    if (!standardOutput) {
      errno = 0;
      file.close();
      if (file.fail()) {
        return IoFailure(streams, "write", outputName, errno);
      }
    }
    if (!stbPath.empty()) {
      const DocumentError error = documentTooLarge
                                      ? DocumentError::FileTooLarge
                                      : WriteBatchDocument(stbPath, document, options.english);
      if (error != DocumentError::None) {
        const int reason = errno;
        streams.err << "vaporix-cli: '" << stbPath << "': " << DocumentErrorMessage(error, stbPath);
        if (error == DocumentError::FailedToSave && reason != 0) {
          streams.err << " (" << std::strerror(reason) << ")";
        }
        streams.err << '\n';
        return kExitFailure;
      }
    }
    return kExitOk;
  }

 private:
  CLI::App* command = nullptr;
  BatchOptions options;
  unsigned threads = 0;
  std::string pair;
  std::string inputPath;
  std::string outputPath;
  std::string stbPath;
};

// vaporix-cli stb dump FILE
class StbCommand : public Command {
 public:
  CLI::App* Register(CLI::App& app) override {
    command = app.add_subcommand("stb", "Work with .stb documents");
    command->require_subcommand(1);
    CLI::App* dump =
        command->add_subcommand("dump", "Print both result lists of a .stb document as CSV");
    dump->add_option("FILE", path, ".stb document")->required();
    return command;
  }

  int Execute(const Streams& streams) override {
    return RunStbDump(path, streams.out, streams.err);
  }

 private:
  CLI::App* command = nullptr;
  std::string path;
};

}  // namespace

std::vector<std::unique_ptr<Command>> MakeCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(std::make_unique<CalcCommand>());
  commands.push_back(std::make_unique<BatchCommand>());
  commands.push_back(std::make_unique<StbCommand>());
  commands.push_back(MakeIsolinesCommand());
  commands.push_back(MakeTableCommand());
  return commands;
}

int Run(int argc, const char* const* argv, const Streams& streams) {
  CLI::App app("Vaporix: properties of water and steam by IAPWS-IF97", "vaporix-cli");
  app.require_subcommand(1);
  std::vector<std::unique_ptr<Command>> commands = MakeCommands();
  std::vector<CLI::App*> subcommands;
  for (const auto& command : commands) {
    subcommands.push_back(command->Register(app));
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    streams.out << app.help();
    return kExitOk;
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) {  // help of a subcommand
      for (CLI::App* subcommand : subcommands) {
        if (subcommand->parsed()) {
          streams.out << subcommand->help();
          return kExitOk;
        }
      }
      streams.out << app.help();
      return kExitOk;
    }
    const CLI::App* context = &app;
    for (CLI::App* subcommand : subcommands) {
      if (subcommand->parsed()) {
        context = subcommand;
      }
    }
    return UsageError(streams, *context, error.what());
  }
  for (std::size_t i = 0; i < commands.size(); ++i) {
    if (subcommands[i]->parsed()) {
      return commands[i]->Execute(streams);
    }
  }
  return UsageError(streams, app, "no command given");
}

}  // namespace vaporix::cli
