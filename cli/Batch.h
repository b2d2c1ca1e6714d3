#pragma once

#include <functional>
#include <string_view>

#include "Format.h"

namespace vaporix::cli {

struct BatchOptions {
  EntryPoint entryPoint = nullptr;
  bool saturation = false;
  bool english = false;
  unsigned threads = 1;
};

// The header line of the batch output, with its line end.
std::string_view BatchHeader();

// Calculates every state of the CSV text `input` (one "A,B" per line; blank
// lines and a first line whose first field is not a number are skipped) and
// hands the output CSV, header first, to `write` in blocks, in input order.
// One engine per thread; the output does not depend on the thread count.
// Returns false as soon as `write` returns false.
bool RunBatch(const BatchOptions& options, std::string_view input,
              const std::function<bool(std::string_view)>& write);

}  // namespace vaporix::cli
