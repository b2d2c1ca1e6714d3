#include "Batch.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <exception>
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
// whole chunks, and at most kChunksAhead chunks per thread are read ahead of
// the output, so memory stays bounded however long the input is.
constexpr std::size_t kChunkBytes = 16 * 1024;
constexpr std::size_t kChunksAheadPerThread = 4;

// Longest output of one row apart from the two input fields (each may be
// quoted, doubling its quotes).
constexpr std::size_t kMaxRowNumbers = kPropertyCount * (kMaxNumberLength + 1) + 64;

// The most output room a chunk takes before its first row.
constexpr std::size_t kMaxOutputReserve = 1024 * 1024;

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

// A field holding a quote, a carriage return or another control byte is
// written quoted, so that the output stays one row per line.
bool NeedsQuotes(std::string_view field) {
  return std::any_of(field.begin(), field.end(), [](char c) {
    return c == '"' || (static_cast<unsigned char>(c) < 0x20 && c != '\t');
  });
}

// Writes an input field as a CSV field, quoted when it must be.
char* WriteField(char* out, std::string_view field) {
  if (!NeedsQuotes(field)) {
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

// A number field, bare or quoted ("1" is 1).
bool ParseField(std::string_view field, double& value) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"' &&
      field.substr(1, field.size() - 2).find('"') == std::string_view::npos) {
    field = field.substr(1, field.size() - 2);
  }
  return ParseNumber(field, value);
}

class RowWriter {
 public:
  // The row of a line longer than kMaxLineBytes: its fields are not kept.
  void TooLongRow(OutputBuffer& buffer) {
    char* out = buffer.Reserve(kMaxRowNumbers);
    *out++ = ',';
    *out++ = ',';
    out = WriteText(out, kBadInput);
    buffer.Commit(EmptyValues(out));
  }

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
    const bool numbers = twoFields && ParseField(first, a) && ParseField(secondField, b) &&
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

// The output text of one chunk and, when collected, its ok states.
struct ChunkOutput {
  OutputBuffer text;
  std::vector<StateRecord> okStates;
};

// Whole lines of input; a line longer than kMaxLineBytes is kept as an empty
// line whose offset is listed in tooLong.
struct Chunk {
  std::string text;
  std::vector<std::size_t> tooLong;
};

ChunkOutput ProcessChunk(RowWriter& writer, const Chunk& chunk, bool collectStates) {
  ChunkOutput output;
  OutputBuffer& buffer = output.text;
  // Room for the longest output of every line at once (up to a limit, which
  // a chunk of very short lines may outgrow): the buffer is not grown and
  // copied again and again as the rows are written.
  const auto lines =
      static_cast<std::size_t>(std::count(chunk.text.begin(), chunk.text.end(), '\n'));
  buffer.Reserve(std::min(2 * chunk.text.size() + lines * (4 + kMaxRowNumbers), kMaxOutputReserve));
  std::string_view rest = chunk.text;
  auto tooLong = chunk.tooLong.begin();
  while (!rest.empty()) {
    const std::size_t offset = chunk.text.size() - rest.size();
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (tooLong != chunk.tooLong.end() && *tooLong == offset) {
      ++tooLong;
      writer.TooLongRow(buffer);
      continue;
    }
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (!IsBlankLine(line)) {
      writer.Row(line, buffer, collectStates ? &output.okStates : nullptr);
    }
  }
  return output;
}

// A header field: a name, not a number of any form (not "1e400", "nan",
// "\"1\"", nor a field with control bytes).
bool IsNameField(std::string_view field) {
  while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) {
    field.remove_prefix(1);
  }
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t' || field.back() == '\r')) {
    field.remove_suffix(1);
  }
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    field = field.substr(1, field.size() - 2);
  }
  if (field.empty()) {
    return false;
  }
  const bool control = std::any_of(field.begin(), field.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
  const auto lead = static_cast<unsigned char>(field.front());
  const bool startsLikeName = std::isalpha(lead) != 0 || lead == '_' || lead >= 0x80;
  // strtod's forms too: inf, infinity, nan, nan(...).
  const std::string text(field);
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  const bool number = end == text.c_str() + text.size();
  return !control && startsLikeName && !number;
}

// The first non-blank line is a header when every field of it is a name.
bool IsHeaderLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') {
    line.remove_suffix(1);
  }
  for (;;) {
    const std::size_t comma = line.find(',');
    if (!IsNameField(line.substr(0, comma))) {
      return false;
    }
    if (comma == std::string_view::npos) {
      return true;
    }
    line.remove_prefix(comma + 1);
  }
}

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Cuts the input into chunks of whole lines: it skips a byte order mark,
// leading blank lines and a header, and stands in an empty, listed line for
// every line longer than kMaxLineBytes without keeping its bytes.
class ChunkReader {
 public:
  explicit ChunkReader(const BatchReadFunction& readFunction) : read(readFunction) {}

  // False at the end of the input (or on a read error, see Failed).
  bool Next(Chunk& chunk) {
    chunk.text.clear();
    chunk.tooLong.clear();
    for (;;) {
      TakeLines(chunk);
      // A short read means input arrives slowly: hand out what is complete.
      if (chunk.text.size() >= kChunkBytes || ended || (!chunk.text.empty() && lastReadShort)) {
        break;
      }
      Fill();
    }
    return !chunk.text.empty();
  }

  bool Failed() const { return failed; }

 private:
  void Fill() {
    char block[kChunkBytes];
    const std::ptrdiff_t got = read(block, sizeof block);
    if (got <= 0) {
      failed = got < 0;
      ended = true;
      return;
    }
    lastReadShort = static_cast<std::size_t>(got) < sizeof block;
    std::string_view bytes(block, static_cast<std::size_t>(got));
    if (discarding) {
      const std::size_t newline = bytes.find('\n');
      if (newline == std::string_view::npos) {
        return;
      }
      discarding = false;
      bytes.remove_prefix(newline + 1);
    }
    pending.append(bytes);
  }

  // Moves the complete lines of `pending` (all of it at the end) into the chunk.
  void TakeLines(Chunk& chunk) {
    std::size_t start = 0;
    for (;;) {
      const std::size_t newline = pending.find('\n', start);
      if (newline == std::string::npos) {
        break;
      }
      AddLine(chunk, std::string_view(pending).substr(start, newline - start));
      start = newline + 1;
      if (chunk.text.size() >= kChunkBytes) {
        pending.erase(0, start);
        return;  // the chunk is full; the next one goes on from here
      }
    }
    pending.erase(0, start);
    // What is left is the start of one line.
    if (pending.size() > kMaxLineBytes) {
      // The line goes on beyond the limit: its row is bad input, its bytes
      // are dropped up to its end.
      pending.clear();
      discarding = !ended;
      MarkTooLong(chunk);
    } else if (ended && !pending.empty()) {
      AddLine(chunk, pending);
      pending.clear();
    }
  }

  void MarkTooLong(Chunk& chunk) {
    headerDecided = true;
    chunk.tooLong.push_back(chunk.text.size());
    chunk.text += '\n';
  }

  void AddLine(Chunk& chunk, std::string_view line) {
    if (line.size() > kMaxLineBytes) {
      MarkTooLong(chunk);
      return;
    }
    if (!headerDecided) {
      if (!bomChecked) {
        bomChecked = true;
        if (line.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
          line.remove_prefix(kUtf8ByteOrderMark.size());
        }
      }
      if (IsBlankLine(line)) {
        return;
      }
      headerDecided = true;
      if (IsHeaderLine(line)) {
        return;
      }
    }
    chunk.text.append(line);
    chunk.text += '\n';
  }

  const BatchReadFunction& read;
  std::string pending;
  bool ended = false;
  bool failed = false;
  bool discarding = false;
  bool lastReadShort = false;
  bool bomChecked = false;
  bool headerDecided = false;
};

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

BatchResult RunBatch(const BatchOptions& options, const BatchReadFunction& read,
                     const std::function<bool(std::string_view)>& write) {
  if (!write(BatchHeader())) {
    return BatchResult::WriteFailed;
  }
  const std::size_t threadCount = std::max(1u, options.threads);
  const std::size_t ahead = kChunksAheadPerThread * threadCount;
  // Slot i % ahead holds chunk i from its reading to its writing.
  struct Slot {
    Chunk input;
    ChunkOutput output;
    bool filled = false;
    bool done = false;
  };
  std::vector<Slot> slots(ahead);
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t readCount = 0;   // chunks read so far
  std::size_t nextToTake = 0;  // next chunk a worker takes
  bool inputEnded = false;
  bool stopped = false;
  std::exception_ptr failure;

  const auto work = [&] {
    try {
      RowWriter writer(options);
      for (;;) {
        std::size_t index = 0;
        {
          std::unique_lock guard(mutex);
          changed.wait(guard, [&] { return stopped || nextToTake < readCount || inputEnded; });
          if (stopped || nextToTake >= readCount) {
            return;
          }
          index = nextToTake++;
        }
        Slot& slot = slots[index % ahead];
        ChunkOutput output = ProcessChunk(writer, slot.input,
                                          options.okStates != nullptr || options.okSink != nullptr);
        {
          std::lock_guard guard(mutex);
          slot.output = std::move(output);
          slot.done = true;
        }
        changed.notify_all();
      }
    } catch (...) {
      // Out of memory in a worker: the batch stops and reports it.
      std::lock_guard guard(mutex);
      failure = std::current_exception();
      stopped = true;
      changed.notify_all();
    }
  };
  std::vector<std::thread> workers;
  for (std::size_t i = 0; i < threadCount; ++i) {
    workers.emplace_back(work);
  }

  BatchResult result = BatchResult::Ok;
  std::size_t written = 0;
  // Writes the finished chunks in order; with `wait`, waits for chunk `upTo - 1`.
  const auto writeDone = [&](std::size_t upTo, bool wait) {
    while (written < upTo && result == BatchResult::Ok) {
      Slot& slot = slots[written % ahead];
      ChunkOutput output;
      {
        std::unique_lock guard(mutex);
        if (wait) {
          changed.wait(guard, [&] { return slot.done || stopped; });
        }
        if (!slot.done) {
          if (stopped) {
            result = BatchResult::Failed;
          }
          return;
        }
        output = std::move(slot.output);
        slot = Slot{};
      }
      changed.notify_all();
      if (!write(output.text.View())) {
        result = BatchResult::WriteFailed;
        return;
      }
      if (options.okStates != nullptr) {
        options.okStates->insert(options.okStates->end(), output.okStates.begin(),
                                 output.okStates.end());
      }
      if (options.okSink) {
        for (const StateRecord& record : output.okStates) {
          options.okSink(record);
        }
      }
      ++written;
    }
  };

  try {
    ChunkReader reader(read);
    Chunk chunk;
    while (result == BatchResult::Ok && reader.Next(chunk)) {
      // A slot is free once the chunk ahead of this one by `ahead` is written.
      if (readCount >= written + ahead) {
        writeDone(readCount - ahead + 1, true);
        if (result != BatchResult::Ok) {
          break;
        }
      }
      {
        std::lock_guard guard(mutex);
        Slot& slot = slots[readCount % ahead];
        std::swap(slot.input, chunk);
        slot.filled = true;
        ++readCount;
      }
      changed.notify_all();
      writeDone(readCount, false);
    }
    if (result == BatchResult::Ok && reader.Failed()) {
      result = BatchResult::ReadFailed;
    }
  } catch (...) {
    result = BatchResult::Failed;
  }
  {
    std::lock_guard guard(mutex);
    inputEnded = true;
    if (result != BatchResult::Ok) {
      stopped = true;
    }
  }
  changed.notify_all();
  if (result == BatchResult::Ok) {
    writeDone(readCount, true);
  }
  {
    std::lock_guard guard(mutex);
    stopped = true;
  }
  changed.notify_all();
  for (std::thread& worker : workers) {
    worker.join();
  }
  if (result == BatchResult::Ok && failure) {
    result = BatchResult::Failed;
  }
  return result;
}

bool RunBatch(const BatchOptions& options, std::string_view input,
              const std::function<bool(std::string_view)>& write) {
  const BatchReadFunction read = [&input](char* buffer, std::size_t size) {
    const std::size_t count = std::min(size, input.size());
    std::memcpy(buffer, input.data(), count);
    input.remove_prefix(count);
    return static_cast<std::ptrdiff_t>(count);
  };
  return RunBatch(options, read, write) == BatchResult::Ok;
}

}  // namespace vaporix::cli
