#pragma once

#include <cfenv>

#if defined(__x86_64__) && defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace vaporix::detail {

// A full state evaluation clears the floating-point exception flags first and
// rejects the state if anything beyond an inexact result was raised during it.
// The flags belong to the calling thread, so this needs no shared state.
//
// On x86-64 the flags are read straight from the SSE control/status register
// and the x87 status word (the same bits as FE_INVALID ... FE_INEXACT, plus the
// denormal-operand flag that <cfenv> does not expose): feclearexcept and
// fetestexcept reload the whole x87 environment and would cost more than the
// evaluation itself. An inexact flag left over is harmless, so the registers
// are written only when one of the rejecting flags is set.

#if defined(__x86_64__) && defined(__SSE2__)

// Invalid operation, denormal operand, division by zero, overflow, underflow.
inline constexpr unsigned kRejectingFlags = 0x1Fu;
inline constexpr unsigned kAllFlags = 0x3Fu;

inline unsigned X87StatusWord() {
  unsigned short status = 0;
  __asm__ volatile("fnstsw %0" : "=am"(status) : : "memory");
  return status;
}

inline unsigned SseStatus() {
  __asm__ volatile("" : : : "memory");
  return _mm_getcsr();
}

inline void ClearRejectingFlags(unsigned sse, unsigned x87) {
  if ((sse & kRejectingFlags) != 0) {
    _mm_setcsr(sse & ~kAllFlags);
  }
  if ((x87 & kRejectingFlags) != 0) {
    __asm__ volatile("fnclex" : : : "memory");
  }
}

inline void ClearFloatingPointFlags() { ClearRejectingFlags(SseStatus(), X87StatusWord()); }

// Reads and clears the accumulated flags; true when at most an inexact result was raised.
inline bool FloatingPointFlagsClean() {
  const unsigned sse = SseStatus();
  const unsigned x87 = X87StatusWord();
  ClearRejectingFlags(sse, x87);
  return ((sse | x87) & kRejectingFlags) == 0;
}

#else

inline void ClearFloatingPointFlags() { std::feclearexcept(FE_ALL_EXCEPT); }

// Reads and clears the accumulated flags; true when at most FE_INEXACT was raised.
inline bool FloatingPointFlagsClean() {
  const int raised = std::fetestexcept(FE_ALL_EXCEPT);
  std::feclearexcept(FE_ALL_EXCEPT);
  return (raised & ~FE_INEXACT) == 0;
}

#endif

}  // namespace vaporix::detail
