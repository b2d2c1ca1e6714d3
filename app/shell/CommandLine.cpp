#include "CommandLine.h"

#include "vaporix/charts/Chart.h"

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
  bool sizeGiven = false;
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
    } else if (argument == QLatin1String("--chart")) {
      if (!value(request.chart) || !charts::FindChart(request.chart.toStdString())) {
        return Failure(QStringLiteral("--chart needs hs, ts, ph or pt."));
      }
    } else if (argument == QLatin1String("--output")) {
      if (!value(request.output)) {
        return Failure(QStringLiteral("--output needs the name of a .png, .svg or .pdf file."));
      }
    } else if (argument == QLatin1String("--size")) {
      QString size;
      const QStringList parts = value(size) ? size.split(QLatin1Char('x')) : QStringList();
      bool wide = false;
      bool high = false;
      if (parts.size() == 2) {
        request.size = QSize(parts[0].toInt(&wide), parts[1].toInt(&high));
      }
      if (!wide || !high || request.size.width() < 200 || request.size.height() < 150 ||
          request.size.width() > 20000 || request.size.height() > 20000) {
        return Failure(
            QStringLiteral("--size needs WIDTHxHEIGHT in pixels, from 200x150 to "
                           "20000x20000."));
      }
      sizeGiven = true;
    } else if (argument == QLatin1String("--english")) {
      request.english = true;
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
  const bool chart = !request.chart.isEmpty();
  if (chart != !request.output.isEmpty()) {
    return Failure(QStringLiteral("--chart and --output go together."));
  }
  if (!chart && (sizeGiven || request.english)) {
    return Failure(QStringLiteral("--size and --english belong to --chart."));
  }
  if (chart && int(print) + int(printTo) + int(screenshot) > 0) {
    return Failure(QStringLiteral("--chart excludes printing and --screenshot."));
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
  } else if (chart) {
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
