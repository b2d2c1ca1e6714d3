#pragma once

#include <cmath>

#include "vaporix/StateProperties.h"

namespace vaporix::detail {

// A full state evaluation is declined when any property it formed is not a
// finite number. An overflow, a division by zero or an invalid operation
// anywhere in the equations reaches at least one of these properties as an
// infinity or a NaN, so testing the results replaces reading the thread's
// floating-point flags: the flags cost more to test and clear than a whole
// region-1 evaluation, and flags left by unrelated work (a benign underflow,
// say) can no longer touch a state. x is not formed by an evaluation.
inline bool FormedPropertiesFinite(const StateProperties& s) {
  // Non-short-circuit '&' keeps the tests independent, so they run side by side.
  return std::isfinite(s.p) & std::isfinite(s.t) & std::isfinite(s.v) & std::isfinite(s.d) &
         std::isfinite(s.h) & std::isfinite(s.s) & std::isfinite(s.u) & std::isfinite(s.cp) &
         std::isfinite(s.cv) & std::isfinite(s.w) & std::isfinite(s.kapa) & std::isfinite(s.H) &
         std::isfinite(s.G) & std::isfinite(s.Z) & std::isfinite(s.alpha) & std::isfinite(s.Kt) &
         std::isfinite(s.dvdt) & std::isfinite(s.dvdp) & std::isfinite(s.dpdt) &
         std::isfinite(s.dpdv) & std::isfinite(s.iJTC) & std::isfinite(s.JTC);
}

}  // namespace vaporix::detail
