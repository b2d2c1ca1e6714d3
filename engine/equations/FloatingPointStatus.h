#pragma once

#include <cfenv>

namespace vaporix::detail {

// A full state evaluation clears the floating-point exception flags first and
// rejects the state if anything beyond an inexact result was raised. The flags
// belong to the calling thread, so this needs no shared state.
inline void ClearFloatingPointFlags() { std::feclearexcept(FE_ALL_EXCEPT); }

// Reads and clears the accumulated flags; true when at most FE_INEXACT was raised.
inline bool FloatingPointFlagsClean() {
  const int raised = std::fetestexcept(FE_ALL_EXCEPT);
  std::feclearexcept(FE_ALL_EXCEPT);
  return (raised & ~FE_INEXACT) == 0;
}

}  // namespace vaporix::detail
