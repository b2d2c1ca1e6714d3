#include "CVaporixApp.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "AppIcon.h"
#include "CMainFrame.h"
#include "CVaporixDoc.h"
#include "CommandLine.h"
#include "DiagramPainter.h"
#include "ShellServices.h"

namespace vaporix {
namespace {

void PrintError(const QString& text) {
  std::fputs(qPrintable(QStringLiteral("vaporix: ") + text + QLatin1Char('\n')), stderr);
}

void PrintOutput(const QString& text) {
  std::fputs(qPrintable(text), stdout);
}

}  // namespace

void CVaporixApp::Configure(QApplication& application) {
  QCoreApplication::setOrganizationName(QString(kOrganizationName));
  QCoreApplication::setApplicationName(QString(kApplicationName));
  QCoreApplication::setApplicationVersion(QString(kVersion));
  // No display name: Qt would append it to every window title, and the main
  // window's title already names the document ("Vaporix - based on IAPWS-IF97").
  QGuiApplication::setDesktopFileName(QStringLiteral("vaporix"));
  application.setWindowIcon(ApplicationIcon());
}

CVaporixApp::CVaporixApp(ShellServices* services)
    : m_ownServices(services == nullptr ? std::make_unique<QtShellServices>() : nullptr),
      m_services(services == nullptr ? m_ownServices.get() : services),
      m_document(std::make_unique<CVaporixDoc>()) {}

CVaporixApp::~CVaporixApp() {
  if (m_mainFrame != nullptr) {
    m_mainFrame->CloseHelpWindows();
  }
  // The window's views leave the document before it goes.
  m_mainFrame.reset();
  m_document.reset();
}

std::optional<int> CVaporixApp::InitInstance(const QStringList& arguments) {
  const CommandLineRequest request = ParseCommandLine(arguments);
  switch (request.action) {
    case CommandLineRequest::Action::ShowHelp:
      PrintOutput(CommandLineUsage());
      return 0;
    case CommandLineRequest::Action::ShowVersion:
      PrintOutput(QStringLiteral("Vaporix %1\n").arg(kVersion));
      return 0;
    case CommandLineRequest::Action::Error:
      PrintError(request.error);
      std::fputs(qPrintable(CommandLineUsage()), stderr);
      return 2;
    default:
      break;
  }

  m_mainFrame = std::make_unique<CMainFrame>(*m_document, *m_services);
  m_document->OnNewDocument();
  m_mainFrame->UpdateFrameTitle();

  switch (request.action) {
    case CommandLineRequest::Action::Print:
    case CommandLineRequest::Action::PrintTo:
      return PrintFile(request);
    case CommandLineRequest::Action::Screenshot:
      return Screenshot(request);
    case CommandLineRequest::Action::Chart:
      return RenderChart(request);
    default:
      break;
  }
  // A document named on the command line that cannot be opened ends the program.
  if (!request.file.isEmpty() && !m_mainFrame->OpenDocumentFile(request.file)) {
    return 1;
  }
  if (m_mainFrame->RestoreSession()) {
    m_mainFrame->show();
  } else {
    m_mainFrame->showMaximized();
  }
  m_mainFrame->activateWindow();
  m_mainFrame->ActivatePane(CMainFrame::Pane::Input);
  return std::nullopt;
}

bool CVaporixApp::OpenForTask(const QString& path) {
  const DocumentError error =
      m_document->OnOpenDocument(std::filesystem::path(QFile::encodeName(path).toStdString()));
  if (error != DocumentError::None) {
    PrintError(QString::fromStdString(DocumentErrorMessage(error, path.toStdString())));
    return false;
  }
  m_mainFrame->UpdateFrameTitle();
  return true;
}

int CVaporixApp::PrintFile(const CommandLineRequest& request) {
  if (!OpenForTask(request.file)) {
    return 1;
  }
  QPrinter printer(QPrinter::HighResolution);
  // A PDF is made in a temporary file first and then copied, so that every
  // failed write (a full disk, a link to /dev/full) is seen, with its reason.
  QTemporaryFile pdf;
  const bool toPdf = request.action == CommandLineRequest::Action::PrintTo &&
                     request.printer.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
  if (toPdf) {
    if (!pdf.open()) {
      PrintError(QStringLiteral("Cannot write %1: %2").arg(pdf.fileName(), pdf.errorString()));
      return 1;
    }
    pdf.close();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf.fileName());
  } else if (request.action == CommandLineRequest::Action::PrintTo) {
    if (QPrinterInfo::printerInfo(request.printer).isNull()) {
      PrintError(QStringLiteral("There is no printer named \"%1\".").arg(request.printer));
      return 1;
    }
    printer.setPrinterName(request.printer);
  } else if (QPrinterInfo::defaultPrinter().isNull()) {
    PrintError(QStringLiteral("There is no default printer."));
    return 1;
  }
  printer.setDocName(QFileInfo(request.file).fileName());
  if (m_mainFrame->PrintDocument(printer) <= 0) {
    PrintError(toPdf ? QStringLiteral("Cannot write %1.").arg(request.printer)
                     : QStringLiteral("Printing failed."));
    return 1;
  }
  return toPdf ? CopyFile(pdf.fileName(), request.printer) : 0;
}

int CVaporixApp::CopyFile(const QString& from, const QString& to) {
  QFile source(from);
  QFile target(to);
  if (!source.open(QIODevice::ReadOnly)) {
    PrintError(QStringLiteral("Cannot read %1: %2").arg(from, source.errorString()));
    return 1;
  }
  if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    PrintError(QStringLiteral("Cannot write %1: %2").arg(to, target.errorString()));
    return 1;
  }
  const QByteArray bytes = source.readAll();
  errno = 0;
  bool written = target.write(bytes) == bytes.size() && target.flush();
  const int reason = errno;
  target.close();
  written = written && target.error() == QFileDevice::NoError;
  if (!written) {
    // The system's reason where the file layer has none of its own.
    PrintError(QStringLiteral("Cannot write %1: %2")
                   .arg(to, reason != 0 ? QString::fromLocal8Bit(std::strerror(reason))
                                        : target.errorString()));
    return 1;
  }
  return 0;
}

int CVaporixApp::Screenshot(const CommandLineRequest& request) {
  if (!request.file.isEmpty() && !OpenForTask(request.file)) {
    return 1;
  }
  m_mainFrame->showMaximized();
  m_mainFrame->ActivatePane(CMainFrame::Pane::Input);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  if (!m_mainFrame->grab().save(request.screenshot, "PNG")) {
    PrintError(QStringLiteral("Cannot write %1.").arg(request.screenshot));
    return 1;
  }
  return 0;
}

int CVaporixApp::RenderChart(const CommandLineRequest& request) {
  if (!request.file.isEmpty() && !OpenForTask(request.file)) {
    return 1;
  }
  const charts::ChartType chart = *charts::FindChart(request.chart.toStdString());
  charts::DisplayUnits units;
  units.english = request.english;
  units.pressureInBar = !request.english;
  units.temperatureInCelsius = !request.english;
  charts::IsolineTracer tracer;
  const std::optional<QString> error =
      WriteChartFile(request.output, request.size, tracer, chart, charts::Describe(chart).home,
                     units, DocumentMarkers(*m_document, chart, request.english), PaperPalette());
  if (error) {
    PrintError(*error);
    return 1;
  }
  return 0;
}

}  // namespace vaporix
