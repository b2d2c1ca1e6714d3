#include "CliApp.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "Batch.h"
#include "Format.h"
#include "IsolinesCommand.h"
#include "StbCommands.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"

namespace vaporix::cli {
namespace {

constexpr char kOutOfRangeMessage[] = "The point is out of the range!";

int UsageError(const Streams& streams, const CLI::App& command, const std::string& message) {
  streams.err << "vaporix-cli: " << message << "\n\n" << command.help();
  return kExitUsage;
}

std::string PairHelp(bool withSaturation) {
  std::string help = "input pair: " + PairNames(false);
  if (withSaturation) {
    help += "; with --sat: " + PairNames(true);
  }
  return help;
}

// vaporix-cli calc [--sat] [--english] [--json] PAIR A B
class CalcCommand : public Command {
 public:
  CLI::App* Register(CLI::App& app) override {
    command = app.add_subcommand("calc", "Calculate one state");
    command->add_flag("--sat", saturation, "Saturation entry points (two-phase region)");
    command->add_flag("--english", english,
                      "Inputs and outputs in psi, °F, Btu/lb, Btu/(lb·°F), ft³/lb");
    command->add_flag("--json", json, "Print one JSON object keyed by the property keys");
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
    StateProperties state;
    TransportProperties transport;
    if (!engine.Calculate(*inputPair, a, b, state, transport, true, english)) {
      streams.err << kOutOfRangeMessage << '\n';
      return kExitFailure;
    }
    std::string text;
    char number[kMaxNumberLength];
    if (json) {
      text += '{';
    }
    for (const PropertyInfo& property : kProperties) {
      std::string value(number, FormatProperty(number, property, state, transport, saturation));
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
      text += "}\n";
    }
    streams.out << text;
    return streams.out.good() ? kExitOk : kExitFailure;
  }

 private:
  CLI::App* command = nullptr;
  bool saturation = false;
  bool english = false;
  bool json = false;
  std::string pair;
  std::string first;
  std::string second;
};

bool ReadAll(std::istream& in, std::string& text) {
  constexpr std::size_t kBlock = 1 << 20;
  std::string block(kBlock, '\0');
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(kBlock));
    text.append(block.data(), static_cast<std::size_t>(in.gcount()));
  }
  return in.eof() && !in.bad();
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
    options.pair = *inputPair;
    options.threads = threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency());

    std::string input;
    if (inputPath.empty() || inputPath == "-") {
      if (!ReadAll(streams.in, input)) {
        streams.err << "vaporix-cli: cannot read the standard input\n";
        return kExitFailure;
      }
    } else {
      std::ifstream file(inputPath, std::ios::binary);
      if (!file || !ReadAll(file, input)) {
        streams.err << "vaporix-cli: cannot read '" << inputPath << "'\n";
        return kExitFailure;
      }
    }

    std::ofstream file;
    std::ostream* out = &streams.out;
    if (!outputPath.empty() && outputPath != "-") {
      file.open(outputPath, std::ios::binary | std::ios::trunc);
      if (!file) {
        streams.err << "vaporix-cli: cannot write '" << outputPath << "'\n";
        return kExitFailure;
      }
      out = &file;
    }
    std::vector<StateRecord> okStates;
    options.okStates = stbPath.empty() ? nullptr : &okStates;
    const bool written = RunBatch(options, input, [out](std::string_view block) {
      out->write(block.data(), static_cast<std::streamsize>(block.size()));
      return out->good();
    });
    if (written) {
      out->flush();
    }
    if (!written || !out->good()) {
      streams.err << "vaporix-cli: cannot write '"
                  << (out == &streams.out ? std::string("standard output") : outputPath) << "'\n";
      return kExitFailure;
    }
    if (!stbPath.empty()) {
      const DocumentError error = WriteBatchDocument(stbPath, okStates, options.english);
      if (error != DocumentError::None) {
        streams.err << "vaporix-cli: '" << stbPath << "': " << DocumentErrorMessage(error, stbPath)
                    << '\n';
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
