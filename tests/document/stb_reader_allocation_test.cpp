#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "StbArchive.h"

// The largest single allocation made while the flag is set, so that a test
// can show that a count in a file never sizes a buffer by itself.
namespace {
std::atomic<bool> tracking{false};
std::atomic<std::size_t> largestAllocation{0};
}  // namespace

void* operator new(std::size_t size) {
  if (tracking.load()) {
    std::size_t seen = largestAllocation.load();
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) {
    return memory;
  }
  throw std::bad_alloc();
}
// The replacement pair allocates with malloc, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
#pragma GCC diagnostic pop

namespace vaporix {
namespace {

TEST(stb_reader_allocation_test, counts_never_size_buffers_beyond_the_input) {
  const std::vector<std::vector<std::uint8_t>> files = {
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
      {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10, 0xFF, 0xFF, 0x01, 0x00},
      {0xFE, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x10, 0x00},
      {0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
  };
  for (const auto& file : files) {
    largestAllocation = 0;
    tracking = true;
    const StbReadResult read = StbReader::Read(file);
    tracking = false;
    EXPECT_EQ(read.error, DocumentError::UnexpectedFileFormat);
    EXPECT_LT(largestAllocation.load(), 1024u);
  }
}

}  // namespace
}  // namespace vaporix
