#pragma once

#include <string>
#include <string_view>

namespace vaporix {

// Why opening or saving a document failed; None when it did not.
enum class DocumentError {
  None,
  UnexpectedFileFormat,
  FileNotFound,
  FailedToOpen,
  FailedToSave,
  ReadOnly,      // saving over a file whose write permissions are all off
  FileTooLarge,  // a file larger than the largest document
};

// The message shown for an error; `fileName` fills the missing-file text.
std::string DocumentErrorMessage(DocumentError error, std::string_view fileName);

}  // namespace vaporix
