#include "Batch.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "vaporix/IF97Calculator.h"
#include "vaporix/Properties.h"

namespace vaporix::cli {
namespace {

constexpr std::string_view kOk = "ok";
constexpr std::string_view kOutOfRange = "out_of_range";
constexpr std::string_view kBadInput = "bad_input";

// Input is cut into chunks of about this size at line ends; workers take
// whole chunks, and at most kChunksAhead chunks wait to be written.
constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kChunksAhead = 64;

// Longest output of one row apart from the two input fields (each may be
// quoted, doubling its quotes).
constexpr std::size_t kMaxRowNumbers = kPropertyCount * (kMaxNumberLength + 1) + 64;

bool IsBlankLine(std::string_view line) {
  return std::all_of(line.begin(), line.end(),
                     [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

// Growable output buffer written through raw pointers; it is not zero-filled,
// since every byte up to `used` is written before it is read.
class OutputBuffer {
 public:
  char* Reserve(std::size_t extra) {
    if (used + extra > capacity) {
      const std::size_t grown = std::max(capacity * 2, used + extra);
      std::unique_ptr<char[]> larger = std::make_unique_for_overwrite<char[]>(grown);
      if (used != 0) {
        std::memcpy(larger.get(), text.get(), used);
      }
      text = std::move(larger);
      capacity = grown;
    }
    return text.get() + used;
  }
  void Commit(char* end) { used = static_cast<std::size_t>(end - text.get()); }
  std::string_view View() const { return {text.get(), used}; }

 private:
  std::unique_ptr<char[]> text;
  std::size_t capacity = 0;
  std::size_t used = 0;
};

// Writes an input field as a CSV field, quoted when it holds a quote.
char* WriteField(char* out, std::string_view field) {
  if (field.find('"') == std::string_view::npos) {
    return std::copy(field.begin(), field.end(), out);
  }
  *out++ = '"';
  for (char c : field) {
    if (c == '"') {
      *out++ = '"';
    }
    *out++ = c;
  }
  *out++ = '"';
  return out;
}

char* WriteText(char* out, std::string_view text) {
  return std::copy(text.begin(), text.end(), out);
}

class RowWriter {
 public:
  RowWriter(const BatchOptions& batchOptions) : options(batchOptions) { engine.Initialize(); }

  void Row(std::string_view line, OutputBuffer& buffer, std::vector<StateRecord>* okStates) {
    const std::size_t comma = line.find(',');
    const std::string_view first = line.substr(0, comma);
    const std::string_view second =
        comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    const bool twoFields =
        comma != std::string_view::npos && second.find(',') == std::string_view::npos;
    const std::string_view secondField = second.substr(0, second.find(','));

    char* out = buffer.Reserve(2 * (first.size() + secondField.size()) + 4 + kMaxRowNumbers);
    out = WriteField(out, first);
    *out++ = ',';
    out = WriteField(out, secondField);
    *out++ = ',';

    double a = 0.0;
    double b = 0.0;
    const bool numbers = twoFields && ParseNumber(first, a) && ParseNumber(secondField, b) &&
                         std::isfinite(a) && std::isfinite(b);
    if (!numbers) {
      out = WriteText(out, kBadInput);
      buffer.Commit(EmptyValues(out));
      return;
    }
    // Fresh records for every row: the engine leaves x as given outside
    // saturated states, and a stored record must not depend on the rows before it.
    state = StateProperties{};
    transport = TransportProperties{};
    if (!engine.Calculate(options.pair, a, b, state, transport, true, options.english)) {
      out = WriteText(out, kOutOfRange);
      buffer.Commit(EmptyValues(out));
      return;
    }
    if (okStates != nullptr) {
      okStates->push_back({state, transport});
    }
    out = WriteText(out, kOk);
    for (const PropertyInfo& property : kProperties) {
      *out++ = ',';
      out = FormatProperty(out, property, state, transport, options.saturation);
    }
    *out++ = '\n';
    buffer.Commit(out);
  }

 private:
  static char* EmptyValues(char* out) {
    std::memset(out, ',', kPropertyCount);
    out += kPropertyCount;
    *out++ = '\n';
    return out;
  }

  const BatchOptions& options;
  IF97Calculator engine;
  StateProperties state;
  TransportProperties transport;
};

// About the output bytes per input byte of a (p,T) row, so that a chunk's
// buffer rarely grows.
constexpr std::size_t kOutputPerInputByte = 32;

// The output text of one chunk and, when collected, its ok states.
struct ChunkOutput {
  OutputBuffer text;
  std::vector<StateRecord> okStates;
};

ChunkOutput ProcessChunk(RowWriter& writer, std::string_view chunk, bool collectStates) {
  ChunkOutput output;
  OutputBuffer& buffer = output.text;
  buffer.Reserve(chunk.size() * kOutputPerInputByte);
  while (!chunk.empty()) {
    const std::size_t end = chunk.find('\n');
    std::string_view line = chunk.substr(0, end);
    chunk.remove_prefix(end == std::string_view::npos ? chunk.size() : end + 1);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (!IsBlankLine(line)) {
      writer.Row(line, buffer, collectStates ? &output.okStates : nullptr);
    }
  }
  return output;
}

// Skips leading blank lines and a header (a first line whose first field is
// not a number).
std::string_view SkipHeader(std::string_view input) {
  std::string_view rest = input;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    const std::string_view after =
        end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (IsBlankLine(line)) {
      rest = after;
      continue;
    }
    double value = 0.0;
    return ParseNumber(line.substr(0, line.find(',')), value) ? rest : after;
  }
  return rest;
}

std::vector<std::string_view> SplitChunks(std::string_view input) {
  std::vector<std::string_view> chunks;
  while (!input.empty()) {
    std::size_t end = std::min(kChunkBytes, input.size());
    if (end < input.size()) {
      const std::size_t newline = input.find('\n', end);
      end = newline == std::string_view::npos ? input.size() : newline + 1;
    }
    chunks.push_back(input.substr(0, end));
    input.remove_prefix(end);
  }
  return chunks;
}

}  // namespace

std::string_view BatchHeader() {
  static const std::string header = [] {
    std::string text = "a,b,status";
    for (const PropertyInfo& property : kProperties) {
      text += ',';
      text += property.key;
    }
    return text + '\n';
  }();
  return header;
}

bool RunBatch(const BatchOptions& options, std::string_view input,
              const std::function<bool(std::string_view)>& write) {
  if (!write(BatchHeader())) {
    return false;
  }
  const std::vector<std::string_view> chunks = SplitChunks(SkipHeader(input));
  std::vector<ChunkOutput> outputs(chunks.size());
  std::vector<char> ready(chunks.size(), 0);
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t written = 0;
  bool stopped = false;
  std::atomic<std::size_t> next{0};

  const auto work = [&] {
    RowWriter writer(options);
    for (;;) {
      const std::size_t index = next.fetch_add(1);
      if (index >= chunks.size()) {
        return;
      }
      {
        std::unique_lock guard(mutex);
        changed.wait(guard, [&] { return stopped || index < written + kChunksAhead; });
        if (stopped) {
          return;
        }
      }
      ChunkOutput output = ProcessChunk(writer, chunks[index], options.okStates != nullptr);
      {
        std::lock_guard guard(mutex);
        outputs[index] = std::move(output);
        ready[index] = 1;
      }
      changed.notify_all();
    }
  };

  const unsigned threadCount = static_cast<unsigned>(
      std::clamp<std::size_t>(options.threads, 1, std::max<std::size_t>(chunks.size(), 1)));
  std::vector<std::thread> workers;
  workers.reserve(threadCount);
  for (unsigned i = 0; i < threadCount; ++i) {
    workers.emplace_back(work);
  }

  bool ok = true;
  for (std::size_t index = 0; index < chunks.size() && ok; ++index) {
    ChunkOutput output;
    {
      std::unique_lock guard(mutex);
      changed.wait(guard, [&] { return ready[index] != 0; });
      output = std::move(outputs[index]);
    }
    ok = write(output.text.View());
    if (options.okStates != nullptr) {
      options.okStates->insert(options.okStates->end(), output.okStates.begin(),
                               output.okStates.end());
    }
    {
      std::lock_guard guard(mutex);
      written = index + 1;
      stopped = !ok;
    }
    changed.notify_all();
  }
  if (!ok) {
    std::lock_guard guard(mutex);
    stopped = true;
  }
  changed.notify_all();
  for (std::thread& worker : workers) {
    worker.join();
  }
  return ok;
}

}  // namespace vaporix::cli
