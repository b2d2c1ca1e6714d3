#pragma once

#include "vaporix/InputPair.h"

namespace vaporix {

// The scale an input is reproduced against: |given|, but at least a floor
// for the quantities that pass through zero.
double ReproductionScale(Quantity quantity, double given);

}  // namespace vaporix
