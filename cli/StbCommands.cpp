#include "StbCommands.h"

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
  out.flush();
  return out ? 0 : 1;
}

DocumentError WriteBatchDocument(const std::filesystem::path& path,
                                 std::span<const StateRecord> states, bool english) {
  ResultList results;
  results.reserve(states.size());
  for (const StateRecord& record : states) {
    results.push_back(std::make_unique<CSteamPropObject>(record.state, record.transport));
  }
  const ResultList none;
  return english ? WriteStbFile(path, none, results) : WriteStbFile(path, results, none);
}

}  // namespace vaporix::cli
