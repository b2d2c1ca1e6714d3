#include "TableCommand.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "Format.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/tables/SteamTable.h"
#include "vaporix/tables/TableCsv.h"

namespace vaporix::cli {
namespace {

using tables::TableKind;

// Output leaves in blocks of about this size.
constexpr std::size_t kBlockBytes = 64 * 1024;

// The options of one table kind, as typed.
struct KindOptions {
  TableKind kind = TableKind::SaturationByTemperature;
  CLI::App* command = nullptr;
  std::string from;
  std::string to;
  std::string step;
  std::string props;
  std::string pressures;  // grid
  std::string pair;       // isoline
  std::string fixed;      // isoline
  bool saturation = false;
  bool english = false;
  std::string outputPath;
};

class TableCommand : public Command {
 public:
  CLI::App* Register(CLI::App& app) override {
    command = app.add_subcommand("table", "Write a steam table as CSV");
    command->require_subcommand(1);
    // The options bind to these members: the vector is filled before they are added.
    kinds.resize(tables::kTableKinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
      kinds[i].kind = tables::kTableKinds[i].kind;
    }
    for (KindOptions& kind : kinds) {
      AddKind(kind);
    }
    return command;
  }

  int Execute(const Streams& streams) override {
    for (KindOptions& kind : kinds) {
      if (kind.command->parsed()) {
        return Run(kind, streams);
      }
    }
    return kExitUsage;
  }

 private:
  void AddKind(KindOptions& kind) {
    static constexpr const char* kHelp[] = {
        "Saturated liquid and vapour by temperature (columns t,p,K_liq,K_vap...,h_fg,s_fg)",
        "Saturated liquid and vapour by pressure (columns t,p,K_liq,K_vap...,h_fg,s_fg)",
        "For each pressure, temperatures stepped (columns p,t,keys...,region,status)",
        "One input of a pair fixed, the other stepped (columns p,t,keys...,region,status)"};
    const std::string name(tables::Describe(kind.kind).name);
    CLI::App* sub = command->add_subcommand(name, kHelp[static_cast<int>(kind.kind)]);
    kind.command = sub;
    const bool temperatureStepped =
        kind.kind == TableKind::SaturationByTemperature || kind.kind == TableKind::Grid;
    const std::string stepped = kind.kind == TableKind::Isoline ? "the second input"
                                : temperatureStepped            ? "temperature"
                                                                : "pressure";
    if (kind.kind == TableKind::Isoline) {
      sub->add_option("PAIR", kind.pair,
                      "input pair: " + PairNames(false) + "; with --sat: " + PairNames(true))
          ->required();
      sub->add_flag("--sat", kind.saturation, "Saturation pairs (two-phase region)");
      sub->add_option("--fixed", kind.fixed, "The pair's first input, held fixed")->required();
    }
    if (kind.kind == TableKind::Grid) {
      sub->add_option("--p", kind.pressures, "Pressures, comma separated")->required();
    }
    sub->add_option("--from", kind.from, "First " + stepped)->required();
    sub->add_option("--to", kind.to, "Last " + stepped + " (included when the steps reach it)")
        ->required();
    sub->add_option("--step", kind.step, "Step, greater than zero")->required();
    sub->add_option("--props", kind.props, "Property keys, comma separated (default: v,h,s,u)");
    sub->add_flag("--english", kind.english,
                  "Inputs and outputs in psi, °F, Btu/lb, Btu/(lb·°F), ft³/lb (else MPa, K, SI)");
    sub->add_option("-o,--output", kind.outputPath, "Output CSV file (default: standard output)");
  }

  static int Refuse(const Streams& streams, const std::string& message) {
    streams.err << "vaporix-cli: table: " << message << '\n';
    return kExitUsage;
  }

  static bool Number(const std::string& text, double& value) { return ParseNumber(text, value); }

  static int Run(const KindOptions& kind, const Streams& streams) {
    tables::TableRequest request;
    request.kind = kind.kind;
    request.units.english = kind.english;
    request.withTransport = false;
    const std::pair<const std::string*, double*> numbers[] = {{&kind.from, &request.range.from},
                                                              {&kind.to, &request.range.to},
                                                              {&kind.step, &request.range.step}};
    for (const auto& [text, value] : numbers) {
      if (!Number(*text, *value)) {
        return Refuse(streams, "not a number: '" + *text + "'");
      }
    }
    if (kind.kind == TableKind::Grid) {
      std::string_view list = kind.pressures;
      while (true) {
        const std::size_t comma = list.find(',');
        double p = 0.0;
        if (!Number(std::string(list.substr(0, comma)), p)) {
          return Refuse(streams, "not a pressure list: '" + kind.pressures + "'");
        }
        request.pressures.push_back(p);
        if (comma == std::string_view::npos) {
          break;
        }
        list.remove_prefix(comma + 1);
      }
    }
    if (kind.kind == TableKind::Isoline) {
      const std::optional<InputPair> pair = FindInputPair(kind.pair, kind.saturation);
      if (!pair) {
        return Refuse(streams, "unknown input pair '" + kind.pair + "'");
      }
      request.pair = *pair;
      if (!Number(kind.fixed, request.fixed)) {
        return Refuse(streams, "not a number: '" + kind.fixed + "'");
      }
    }
    std::string unknown;
    const auto properties = tables::ParsePropertyKeys(kind.props, &unknown);
    if (!properties) {
      return Refuse(streams, "unknown property key '" + unknown + "'");
    }
    request.properties = *properties;
    if (const tables::RangeError error = tables::CheckRequest(request);
        error != tables::RangeError::None) {
      return Refuse(streams, tables::RangeErrorMessage(error));
    }

    std::ofstream file;
    std::ostream* out = &streams.out;
    if (!kind.outputPath.empty() && kind.outputPath != "-") {
      file.open(kind.outputPath, std::ios::binary | std::ios::trunc);
      if (!file) {
        streams.err << "vaporix-cli: cannot write '" << kind.outputPath << "'\n";
        return kExitFailure;
      }
      out = &file;
    }
    const std::vector<tables::TableColumn> columns = tables::Columns(request);
    std::string block;
    block.reserve(kBlockBytes + 4096);
    tables::AppendCsvHeader(block, columns);
    const auto flush = [&block, out] {
      out->write(block.data(), static_cast<std::streamsize>(block.size()));
      block.clear();
      return out->good();
    };
    IF97Calculator engine;
    engine.Initialize();
    bool written = true;
    tables::Generate(request, engine, [&](const tables::TableRow& row) {
      tables::AppendCsvRow(block, request, row, columns, request.units, FormatNumber);
      if (block.size() >= kBlockBytes) {
        written = flush();
      }
      return written;
    });
    if (written) {
      written = flush();
      out->flush();
    }
    if (!written || !out->good()) {
      streams.err << "vaporix-cli: cannot write '"
                  << (out == &streams.out ? std::string("standard output") : kind.outputPath)
                  << "'\n";
      return kExitFailure;
    }
    return kExitOk;
  }

  CLI::App* command = nullptr;
  std::vector<KindOptions> kinds;
};

}  // namespace

std::unique_ptr<Command> MakeTableCommand() {
  return std::make_unique<TableCommand>();
}

}  // namespace vaporix::cli
