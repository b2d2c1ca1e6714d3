#pragma once

#include "vaporix/IF97Calculator.h"
#include "vaporix/StateProperties.h"

namespace vaporix::bench {

// The signature shared by the calculator's two-input entry points.
using EntryPoint = bool (IF97Calculator::*)(double, double, StateProperties&, TransportProperties&,
                                            bool, bool);

}  // namespace vaporix::bench
