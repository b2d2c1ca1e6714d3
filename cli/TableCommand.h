#pragma once

#include <memory>

#include "CliApp.h"

namespace vaporix::cli {

// `vaporix-cli table sat-t|sat-p|grid|isoline ...`: a steam table as CSV.
std::unique_ptr<Command> MakeTableCommand();

}  // namespace vaporix::cli
