#include "DocumentError.h"

namespace vaporix {

std::string DocumentErrorMessage(DocumentError error, std::string_view fileName) {
  switch (error) {
    case DocumentError::None:
      return {};
    case DocumentError::UnexpectedFileFormat:
      return "Unexpected file format.";
    case DocumentError::FileNotFound:
      return std::string(fileName) +
             "\nCannot find this file.\nPlease verify that the correct path and file name are "
             "given.";
    case DocumentError::FailedToOpen:
      return "Failed to open document.";
    case DocumentError::FailedToSave:
      return "Failed to save document.";
    case DocumentError::ReadOnly:
      return "Access to " + std::string(fileName) + " was denied.";
    case DocumentError::FileTooLarge:
      return std::string(fileName) + "\nThe file is larger than the largest document.";
  }
  return {};
}

}  // namespace vaporix
