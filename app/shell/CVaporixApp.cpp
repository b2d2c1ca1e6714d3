#include "CVaporixApp.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>

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
  QGuiApplication::setApplicationDisplayName(QString(kApplicationName));
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
  if (request.action == CommandLineRequest::Action::PrintTo) {
    if (request.printer.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(request.printer);
    } else if (QPrinterInfo::printerInfo(request.printer).isNull()) {
      PrintError(QStringLiteral("There is no printer named \"%1\".").arg(request.printer));
      return 1;
    } else {
      printer.setPrinterName(request.printer);
    }
  } else if (QPrinterInfo::defaultPrinter().isNull()) {
    PrintError(QStringLiteral("There is no default printer."));
    return 1;
  }
  printer.setDocName(QFileInfo(request.file).fileName());
  if (m_mainFrame->PrintDocument(printer) <= 0) {
    PrintError(QStringLiteral("Printing failed."));
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
