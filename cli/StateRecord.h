#pragma once

#include "vaporix/StateProperties.h"

namespace vaporix::cli {

// One calculated state with its transport properties, as the batch command
// hands it to the ".stb" writer.
struct StateRecord {
  StateProperties state;
  TransportProperties transport;
};

}  // namespace vaporix::cli
