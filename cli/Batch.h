#pragma once

#include <cstddef>
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
  // When set, called with the record of every `ok` row, in input order, as
  // the rows are written (nothing is collected).
  std::function<void(const StateRecord&)> okSink;
};

// The header line of the batch output, with its line end.
std::string_view BatchHeader();

// A line of input longer than this is a bad_input row; its bytes are not kept.
inline constexpr std::size_t kMaxLineBytes = 4096;

// Reads up to `size` bytes into `buffer`: the count read (fewer when input
// arrives slowly), 0 at the end of the input, -1 on a read error.
using BatchReadFunction = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

enum class BatchResult { Ok, ReadFailed, WriteFailed, Failed };

// Calculates every state of the CSV input (one "A,B" per line; a UTF-8 byte
// order mark, blank lines and a first line of names such as "p,t" are skipped)
// and hands the output CSV, header first, to `write` in blocks, in input
// order, while the input is still being read: memory stays bounded however
// long the input is. One engine per thread; the output does not depend on the
// thread count. Stops as soon as `write` returns false (WriteFailed) or `read`
// fails (ReadFailed); Failed when memory ran out.
BatchResult RunBatch(const BatchOptions& options, const BatchReadFunction& read,
                     const std::function<bool(std::string_view)>& write);

// The same over a text held in memory; false when `write` failed.
bool RunBatch(const BatchOptions& options, std::string_view input,
              const std::function<bool(std::string_view)>& write);

}  // namespace vaporix::cli
