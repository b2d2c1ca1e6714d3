#include "StbCommands.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <ostream>

#include "Format.h"
#include "StbArchive.h"
#include "StbFile.h"
#include "vaporix/Properties.h"

namespace vaporix::cli {
namespace {

void WriteRows(std::ostream& out, const char* listName, const ResultList& list) {
  for (const auto& object : list) {
    out << listName;
    for (const PropertyInfo& key : kProperties) {
      char number[kMaxNumberLength];
      const double value = *PropertyValue(object->state, object->transport, key.number);
      out << ',' << std::string_view(number, FormatNumber(number, value));
    }
    out << '\n';
  }
}

}  // namespace

int RunStbDump(const std::string& path, std::ostream& out, std::ostream& err) {
  const StbReadResult read = ReadStbFile(path);
  if (!read) {
    err << DocumentErrorMessage(read.error, path) << '\n';
    return 1;
  }
  out << "list";
  for (const PropertyInfo& key : kProperties) {
    out << ',' << key.key;
  }
  out << '\n';
  WriteRows(out, "si", read.siResults);
  WriteRows(out, "english", read.englishResults);
  errno = 0;
  out.flush();
  if (!out) {
    const int reason = errno;
    err << "vaporix-cli: cannot write standard output";
    if (reason != 0) {
      err << ": " << std::strerror(reason);
    }
    err << '\n';
    return 1;
  }
  return 0;
}

DocumentError WriteBatchDocument(const std::filesystem::path& path, StbListEncoder& states,
                                 bool english) {
  const std::vector<std::span<const std::uint8_t>> parts = states.FileParts(english);
  return ReplaceFileContents(path, parts);
}

DocumentError WriteBatchDocument(const std::filesystem::path& path,
                                 std::span<const StateRecord> states, bool english) {
  StbListEncoder encoder;
  for (const StateRecord& record : states) {
    encoder.Add(record.state, record.transport);
  }
  return WriteBatchDocument(path, encoder, english);
}

}  // namespace vaporix::cli
