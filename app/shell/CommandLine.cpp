#include "CommandLine.h"

namespace vaporix {
namespace {

CommandLineRequest Failure(const QString& message) {
  CommandLineRequest request;
  request.action = CommandLineRequest::Action::Error;
  request.error = message;
  return request;
}

}  // namespace

CommandLineRequest ParseCommandLine(const QStringList& arguments) {
  CommandLineRequest request;
  bool print = false;
  bool printTo = false;
  bool screenshot = false;
  QStringList files;
  for (qsizetype index = 1; index < arguments.size(); ++index) {
    const QString& argument = arguments.at(index);
    // Options that take a value read it from the next argument.
    const auto value = [&](QString& target) {
      if (index + 1 >= arguments.size()) {
        return false;
      }
      target = arguments.at(++index);
      return !target.isEmpty();
    };
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
      request.action = CommandLineRequest::Action::ShowHelp;
      return request;
    }
    if (argument == QLatin1String("--version")) {
      request.action = CommandLineRequest::Action::ShowVersion;
      return request;
    }
    if (argument == QLatin1String("--print")) {
      print = true;
    } else if (argument == QLatin1String("--print-to")) {
      if (!value(request.printer)) {
        return Failure(QStringLiteral("--print-to needs a printer name and a file."));
      }
      printTo = true;
    } else if (argument == QLatin1String("--screenshot")) {
      if (!value(request.screenshot)) {
        return Failure(QStringLiteral("--screenshot needs the name of a PNG file."));
      }
      screenshot = true;
    } else if (argument == QLatin1String("--")) {
      for (++index; index < arguments.size(); ++index) {
        files.append(arguments.at(index));
      }
    } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
      return Failure(QStringLiteral("Unknown option %1.").arg(argument));
    } else {
      files.append(argument);
    }
  }

  if (files.size() > 1) {
    return Failure(QStringLiteral("Only one document can be opened."));
  }
  if (int(print) + int(printTo) + int(screenshot) > 1) {
    return Failure(QStringLiteral("--print, --print-to and --screenshot exclude one another."));
  }
  request.file = files.value(0);
  if ((print || printTo) && request.file.isEmpty()) {
    return Failure(QStringLiteral("Printing needs a document file."));
  }
  if (print) {
    request.action = CommandLineRequest::Action::Print;
  } else if (printTo) {
    request.action = CommandLineRequest::Action::PrintTo;
  } else if (screenshot) {
    request.action = CommandLineRequest::Action::Screenshot;
  }
  return request;
}

QString CommandLineUsage() {
  return QStringLiteral(
      "Usage: vaporix [FILE.stb]\n"
      "       vaporix --print FILE.stb\n"
      "       vaporix --print-to PRINTER FILE.stb\n"
      "       vaporix --screenshot FILE.png [FILE.stb]\n"
      "\n"
      "  FILE.stb                 open this document\n"
      "  --print FILE.stb         print the document's results on the default printer\n"
      "  --print-to PRINTER FILE  print on PRINTER; a name ending in \".pdf\" writes that PDF "
      "file\n"
      "  --screenshot FILE.png    render the main window into FILE.png and end\n"
      "  --help, --version\n");
}

}  // namespace vaporix
