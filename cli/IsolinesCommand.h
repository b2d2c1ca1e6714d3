#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "CliApp.h"
#include "vaporix/charts/Chart.h"

namespace vaporix::cli {

// vaporix-cli isolines hs|ts|ph|pt [--english] [--range XMIN:XMAX,YMIN:YMAX]
std::unique_ptr<Command> MakeIsolinesCommand();

// Reads "XMIN:XMAX,YMIN:YMAX" in the chart's display units into an SI
// window; nothing for a malformed or empty window.
std::optional<charts::ChartRange> ParseChartRange(const std::string& text, charts::ChartType chart,
                                                  const charts::DisplayUnits& units);

// Writes the traced lines of `chart` over `range` as CSV "family,value,x,y",
// a blank line after each polyline, values and coordinates in `units`.
void WriteIsolines(std::ostream& out, charts::ChartType chart, const charts::ChartRange& range,
                   const charts::DisplayUnits& units);

}  // namespace vaporix::cli
