#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace vaporix {

// What the command line asks the program to do.
struct CommandLineRequest {
  enum class Action {
    Open,         // show the window, with `file` opened when given
    Print,        // print `file` on the default printer and end
    PrintTo,      // print `file` on `printer` (a ".pdf" name is a PDF file) and end
    Screenshot,   // render the window (with `file` when given) into `screenshot` and end
    Chart,        // render the `chart` diagram (with `file`'s states) into `output` and end
    ShowHelp,     // print the usage and end
    ShowVersion,  // print the version and end
    Error,        // print `error` and the usage and end with a failure
  };

  Action action = Action::Open;
  QString file;
  QString printer;
  QString screenshot;
  QString chart;   // hs, ts, ph or pt
  QString output;  // .png, .svg or .pdf
  QSize size{1200, 850};
  bool english = false;
  QString error;
};

// Reads `arguments` (the program name first):
//   vaporix [FILE.stb]
//   vaporix --print FILE.stb
//   vaporix --print-to PRINTER FILE.stb
//   vaporix --screenshot FILE.png [FILE.stb]
//   vaporix --chart hs|ts|ph|pt --output FILE.png|svg|pdf [--size WxH] [--english] [FILE.stb]
CommandLineRequest ParseCommandLine(const QStringList& arguments);

// The usage text printed by --help and after a command-line error.
QString CommandLineUsage();

}  // namespace vaporix
