#pragma once

// What the long hand-run sweeps over the input pairs share: CPU time of the
// calling thread, and the pairs handed out to every core one at a time.

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

#include "vaporix/InputPair.h"

namespace vaporix::sweep {

inline double ThreadMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Calls `work(index)` once for every index of kInputPairs, on as many threads
// as the machine has cores.
template <class Work>
void ForEachPairOnThreads(Work&& work) {
  const unsigned threadCount = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> threads;
  std::size_t next = 0;
  std::mutex mutex;
  for (unsigned t = 0; t < threadCount; ++t) {
    threads.emplace_back([&] {
      for (;;) {
        std::size_t index = 0;
        {
          std::lock_guard guard(mutex);
          if (next >= kInputPairCount) {
            return;
          }
          index = next++;
        }
        work(index);
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
}

}  // namespace vaporix::sweep
