#pragma once

#include <cfenv>

namespace vaporix::detail {

// A full state evaluation clears the floating-point exception flags first and
// rejects the state if anything beyond an inexact result was raised. The flags
// belong to the calling thread, so this needs no shared state.
//
// Only the flags that can reject a state are cleared: an inexact flag left
// over from earlier work can never reject one. Testing the flags is cheap,
// while clearing them reloads the floating-point environment, which costs more
// than a whole region-1 evaluation; so the clearing is done only when needed.
inline constexpr int kRejectingFlags = FE_ALL_EXCEPT & ~FE_INEXACT;

inline void ClearFloatingPointFlags() {
  if (std::fetestexcept(kRejectingFlags) != 0) {
    std::feclearexcept(FE_ALL_EXCEPT);
  }
}

// Reads and clears the accumulated flags; true when at most FE_INEXACT was raised.
inline bool FloatingPointFlagsClean() {
  if (std::fetestexcept(kRejectingFlags) != 0) {
    std::feclearexcept(FE_ALL_EXCEPT);
    return false;
  }
  return true;
}

}  // namespace vaporix::detail
