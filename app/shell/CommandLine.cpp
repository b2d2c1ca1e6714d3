#include "CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace vaporix {
namespace {

CommandLineRequest Request(CommandLineRequest::Action action) {
  CommandLineRequest request;
  request.action = action;
  return request;
}

CommandLineRequest Failure(const QString& message) {
  CommandLineRequest request = Request(CommandLineRequest::Action::Error);
  request.error = message;
  return request;
}

}  // namespace

CommandLineRequest ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  const QCommandLineOption print(QStringLiteral("print"));
  const QCommandLineOption printTo(QStringLiteral("print-to"), QString(),
                                   QStringLiteral("PRINTER"));
  const QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(),
                                      QStringLiteral("FILE.png"));
  parser.addOptions({help, version, print, printTo, screenshot});
  parser.addPositionalArgument(QStringLiteral("FILE.stb"), QString());

  const bool parsed = parser.parse(arguments);
  // Help and version win over every other argument, as they always have.
  for (const QString& argument : arguments.mid(1)) {
    if (argument == QLatin1String("--")) {
      break;
    }
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
      return Request(CommandLineRequest::Action::ShowHelp);
    }
    if (argument == QLatin1String("--version")) {
      return Request(CommandLineRequest::Action::ShowVersion);
    }
  }
  if (!parsed) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
      const QString& name = unknown.first();
      return Failure(
          QStringLiteral("Unknown option %1.")
              .arg((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name));
    }
  }
  CommandLineRequest request;
  request.printer = parser.value(printTo);
  request.screenshot = parser.value(screenshot);
  if (!parsed || (parser.isSet(printTo) && request.printer.isEmpty()) ||
      (parser.isSet(screenshot) && request.screenshot.isEmpty())) {
    // The only other parse error is an option without its value.
    if (parser.isSet(printTo) || arguments.contains(QStringLiteral("--print-to"))) {
      if (request.printer.isEmpty()) {
        return Failure(QStringLiteral("--print-to needs a printer name and a file."));
      }
    }
    return Failure(QStringLiteral("--screenshot needs the name of a PNG file."));
  }

  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    return Failure(QStringLiteral("Only one document can be opened."));
  }
  const bool printing = parser.isSet(print);
  const bool printingTo = parser.isSet(printTo);
  const bool drawing = parser.isSet(screenshot);
  if (int(printing) + int(printingTo) + int(drawing) > 1) {
    return Failure(QStringLiteral("--print, --print-to and --screenshot exclude one another."));
  }
  request.file = files.value(0);
  if ((printing || printingTo) && request.file.isEmpty()) {
    return Failure(QStringLiteral("Printing needs a document file."));
  }
  if (printing) {
    request.action = CommandLineRequest::Action::Print;
  } else if (printingTo) {
    request.action = CommandLineRequest::Action::PrintTo;
  } else if (drawing) {
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
