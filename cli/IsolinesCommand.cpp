#include "IsolinesCommand.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <ostream>
#include <string_view>

#include "Format.h"
#include "vaporix/charts/IsolineTracer.h"

namespace vaporix::cli {
namespace {

using charts::ChartType;

// One "MIN:MAX" span.
bool ParseSpan(std::string_view text, double& low, double& high) {
  const std::size_t colon = text.find(':');
  return colon != std::string_view::npos && ParseNumber(text.substr(0, colon), low) &&
         ParseNumber(text.substr(colon + 1), high) && std::isfinite(low) && std::isfinite(high) &&
         low < high;
}

class IsolinesCommand : public Command {
 public:
  CLI::App* Register(CLI::App& app) override {
    command = app.add_subcommand("isolines",
                                 "Write the traced lines of a diagram as CSV: family,value,x,y");
    command->add_option("CHART", chart, "hs, ts, ph or pt")->required();
    command->add_flag("--english", english,
                      "Values in psi, °F, Btu/lb, Btu/(lb·°F), ft³/lb (default MPa, K, kJ/kg, "
                      "kJ/(kg·K), m³/kg)");
    command->add_option("--range", range,
                        "Visible window XMIN:XMAX,YMIN:YMAX in the same units (default: the "
                        "whole chart)");
    return command;
  }

  int Execute(const Streams& streams) override {
    const std::optional<ChartType> type = charts::FindChart(chart);
    if (!type) {
      streams.err << "vaporix-cli: unknown chart '" << chart << "' (hs, ts, ph or pt)\n\n"
                  << command->help();
      return kExitUsage;
    }
    charts::DisplayUnits units;
    units.english = english;
    charts::ChartRange window = charts::Describe(*type).home;
    if (!range.empty()) {
      const std::optional<charts::ChartRange> parsed = ParseChartRange(range, *type, units);
      if (!parsed) {
        streams.err << "vaporix-cli: --range needs XMIN:XMAX,YMIN:YMAX with MIN < MAX"
                    << (charts::Describe(*type).logY ? " and a positive pressure" : "") << ", not '"
                    << range << "'\n\n"
                    << command->help();
        return kExitUsage;
      }
      window = *parsed;
    }
    WriteIsolines(streams.out, *type, window, units);
    return streams.out.good() ? kExitOk : kExitFailure;
  }

 private:
  CLI::App* command = nullptr;
  std::string chart;
  bool english = false;
  std::string range;
};

}  // namespace

std::unique_ptr<Command> MakeIsolinesCommand() {
  return std::make_unique<IsolinesCommand>();
}

std::optional<charts::ChartRange> ParseChartRange(const std::string& text, ChartType chart,
                                                  const charts::DisplayUnits& units) {
  const std::size_t comma = text.find(',');
  double x0 = 0.0;
  double x1 = 0.0;
  double y0 = 0.0;
  double y1 = 0.0;
  if (comma == std::string::npos || !ParseSpan(std::string_view(text).substr(0, comma), x0, x1) ||
      !ParseSpan(std::string_view(text).substr(comma + 1), y0, y1)) {
    return std::nullopt;
  }
  const charts::ChartInfo& info = charts::Describe(chart);
  const charts::ChartRange window{
      charts::FromDisplay(info.xAxis, x0, units), charts::FromDisplay(info.xAxis, x1, units),
      charts::FromDisplay(info.yAxis, y0, units), charts::FromDisplay(info.yAxis, y1, units)};
  if (info.logY && !(window.yMin > 0.0)) {
    return std::nullopt;
  }
  return window;
}

void WriteIsolines(std::ostream& out, ChartType chart, const charts::ChartRange& range,
                   const charts::DisplayUnits& units) {
  charts::IsolineTracer tracer;
  charts::TraceRequest request;
  request.chart = chart;
  request.range = range;
  request.units = units;
  const charts::ChartTrace trace = tracer.Trace(request);
  const charts::ChartInfo& info = charts::Describe(chart);
  char number[kMaxNumberLength];
  const auto write = [&](double value) { out.write(number, FormatNumber(number, value) - number); };
  out << "family,value,x,y\n";
  for (const charts::Polyline& line : trace.lines) {
    const bool boundary =
        line.kind != charts::LineKind::Isoline && line.kind != charts::LineKind::Saturation;
    for (const charts::ChartPoint& point : line.points) {
      if (boundary) {
        out << "boundary," << line.name << ',';
      } else {
        out << vaporix::Describe(line.family).key << ',';
        write(charts::ToDisplay(line.family, line.value, units));
        out << ',';
      }
      write(charts::ToDisplay(info.xAxis, point.x, units));
      out << ',';
      write(charts::ToDisplay(info.yAxis, point.y, units));
      out << '\n';
    }
    out << '\n';
  }
}

}  // namespace vaporix::cli
