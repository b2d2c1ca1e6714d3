#include "CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <array>

#include "vaporix/charts/Chart.h"

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

// An option that takes a value, with the message for a missing or empty one.
struct ValueOption {
  QCommandLineOption option;
  QString missing;
};

}  // namespace

CommandLineRequest ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  const QCommandLineOption print(QStringLiteral("print"));
  const QCommandLineOption english(QStringLiteral("english"));
  const ValueOption printTo{
      QCommandLineOption(QStringLiteral("print-to"), QString(), QStringLiteral("PRINTER")),
      QStringLiteral("--print-to needs a printer name and a file.")};
  const ValueOption screenshot{
      QCommandLineOption(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE.png")),
      QStringLiteral("--screenshot needs the name of a PNG file.")};
  const ValueOption chart{
      QCommandLineOption(QStringLiteral("chart"), QString(), QStringLiteral("TYPE")),
      QStringLiteral("--chart needs hs, ts, ph or pt.")};
  const ValueOption output{
      QCommandLineOption(QStringLiteral("output"), QString(), QStringLiteral("FILE")),
      QStringLiteral("--output needs the name of a .png, .svg or .pdf file.")};
  const ValueOption size{
      QCommandLineOption(QStringLiteral("size"), QString(), QStringLiteral("WxH")),
      QStringLiteral("--size needs WIDTHxHEIGHT in pixels, from 200x150 to 20000x20000.")};
  const std::array<const ValueOption*, 5> valueOptions{&printTo, &screenshot, &chart, &output,
                                                       &size};
  parser.addOptions({help, version, print, english});
  for (const ValueOption* valueOption : valueOptions) {
    parser.addOption(valueOption->option);
  }
  parser.addPositionalArgument(QStringLiteral("FILE.stb"), QString());

  const bool parsed = parser.parse(arguments);
  // Help and version win over every other argument.
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
  if (!parsed && !parser.unknownOptionNames().isEmpty()) {
    const QString name = parser.unknownOptionNames().first();  // a copy: the list is a temporary
    return Failure(
        QStringLiteral("Unknown option %1.")
            .arg((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name));
  }
  // The only other parse error is an option without its value; an empty value
  // counts as none.
  for (const ValueOption* valueOption : valueOptions) {
    const QString name = QStringLiteral("--") + valueOption->option.names().first();
    const bool named = parser.isSet(valueOption->option) || arguments.contains(name);
    if (named && parser.value(valueOption->option).isEmpty()) {
      return Failure(valueOption->missing);
    }
  }

  CommandLineRequest request;
  request.printer = parser.value(printTo.option);
  request.screenshot = parser.value(screenshot.option);
  request.chart = parser.value(chart.option);
  request.output = parser.value(output.option);
  request.english = parser.isSet(english);
  if (!request.chart.isEmpty() && !charts::FindChart(request.chart.toStdString())) {
    return Failure(chart.missing);
  }
  const bool sizeGiven = parser.isSet(size.option);
  if (sizeGiven) {
    const QStringList parts = parser.value(size.option).split(QLatin1Char('x'));
    bool wide = false;
    bool high = false;
    if (parts.size() == 2) {
      request.size = QSize(parts[0].toInt(&wide), parts[1].toInt(&high));
    }
    if (!wide || !high || request.size.width() < 200 || request.size.height() < 150 ||
        request.size.width() > 20000 || request.size.height() > 20000) {
      return Failure(size.missing);
    }
  }

  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    return Failure(QStringLiteral("Only one document can be opened."));
  }
  const bool printing = parser.isSet(print);
  const bool printingTo = parser.isSet(printTo.option);
  const bool drawing = parser.isSet(screenshot.option);
  if (int(printing) + int(printingTo) + int(drawing) > 1) {
    return Failure(QStringLiteral("--print, --print-to and --screenshot exclude one another."));
  }
  const bool charting = !request.chart.isEmpty();
  if (charting != !request.output.isEmpty()) {
    return Failure(QStringLiteral("--chart and --output go together."));
  }
  if (!charting && (sizeGiven || request.english)) {
    return Failure(QStringLiteral("--size and --english belong to --chart."));
  }
  if (charting && int(printing) + int(printingTo) + int(drawing) > 0) {
    return Failure(QStringLiteral("--chart excludes printing and --screenshot."));
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
  } else if (charting) {
    request.action = CommandLineRequest::Action::Chart;
  }
  return request;
}

QString CommandLineUsage() {
  return QStringLiteral(
      "Usage: vaporix [FILE.stb]\n"
      "       vaporix --print FILE.stb\n"
      "       vaporix --print-to PRINTER FILE.stb\n"
      "       vaporix --screenshot FILE.png [FILE.stb]\n"
      "       vaporix --chart hs|ts|ph|pt --output FILE.png|svg|pdf [--size WxH] [--english]\n"
      "               [FILE.stb]\n"
      "\n"
      "  FILE.stb                 open this document\n"
      "  --print FILE.stb         print the document's results on the default printer\n"
      "  --print-to PRINTER FILE  print on PRINTER; a name ending in \".pdf\" writes that PDF "
      "file\n"
      "  --screenshot FILE.png    render the main window into FILE.png and end\n"
      "  --chart TYPE             draw the h-s, T-s, log p-h or p-T diagram with the\n"
      "                           document's states into --output (default size 1200x850,\n"
      "                           bar and degC; --english for psi and degF) and end\n"
      "  --help, --version\n");
}

}  // namespace vaporix
