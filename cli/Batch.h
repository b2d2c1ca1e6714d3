#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "Format.h"
#include "StateRecord.h"
#include "vaporix/InputPair.h"

namespace vaporix::cli {

struct BatchOptions {
  InputPair pair = InputPair::PT;
  bool saturation = false;
  bool english = false;
  unsigned threads = 1;
  // When set, receives the records of every `ok` row, in input order (the
  // units of the output: English with `english`).
  std::vector<StateRecord>* okStates = nullptr;
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
