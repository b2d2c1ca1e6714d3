#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <ostream>

#include "CMainFrame.h"
#include "CVaporixDoc.h"
#include "MessageService.h"
#include "ShellServices.h"
#include "widgets/QtTestApplication.h"

// Readable strings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}

namespace vaporix::test {

// Answers the shell's dialogs from queues and writes down what was asked.
class FakeShellServices : public ShellServices {
 public:
  QString GetOpenFileName(QWidget* /*parent*/, const QString& filter) override {
    openFilters.append(filter);
    return TakeFront(openAnswers);
  }
  QString GetSaveFileName(QWidget* /*parent*/, const QString& suggestedPath,
                          const QString& filter) override {
    saveSuggestions.append(suggestedPath);
    saveFilters.append(filter);
    return TakeFront(saveAnswers);
  }
  // The "printer" the user picks is a PDF file.
  bool ExecPrintDialog(QWidget* /*parent*/, QPrinter& printer) override {
    ++printDialogs;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return acceptPrintDialog;
  }
  bool ExecPrintSetupDialog(QWidget* /*parent*/, QPrinter& /*printer*/) override {
    ++printSetupDialogs;
    return true;
  }
  void ExecPrintPreview(QWidget* /*parent*/, QPrinter& /*printer*/,
                        const std::function<void(QPrinter&)>& paint) override {
    ++printPreviews;
    QPrinter preview(QPrinter::HighResolution);
    preview.setOutputFormat(QPrinter::PdfFormat);
    preview.setOutputFileName(pdfPath);
    paint(preview);
  }
  void ExecAboutBox(QWidget* /*parent*/) override { ++aboutBoxes; }
  bool OpenUrl(const QUrl& url) override {
    openedUrls.append(url);
    return true;
  }

  QStringList openAnswers;
  QStringList saveAnswers;
  QStringList openFilters;
  QStringList saveFilters;
  QStringList saveSuggestions;
  QString pdfPath;
  bool acceptPrintDialog = true;
  int printDialogs = 0;
  int printSetupDialogs = 0;
  int printPreviews = 0;
  int aboutBoxes = 0;
  QList<QUrl> openedUrls;

 private:
  static QString TakeFront(QStringList& queue) {
    return queue.isEmpty() ? QString() : queue.takeFirst();
  }
};

// Takes the place of the message boxes: records every text and answers
// questions from a queue (Cancel when it runs dry).
class CapturingMessageService : public MessageService {
 public:
  CapturingMessageService() { MessageService::Install(this); }
  ~CapturingMessageService() override { MessageService::Install(nullptr); }

  void Show(QWidget* /*parent*/, Icon /*icon*/, const QString& text) override {
    shown.append(text);
  }
  Answer AskYesNoCancel(QWidget* /*parent*/, const QString& text) override {
    asked.append(text);
    if (answers.empty()) {
      return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  QStringList shown;
  QStringList asked;
  std::deque<Answer> answers;
};

// The text of a PDF file by pdftotext (poppler-utils); nothing when that
// program is not installed.
inline std::optional<QString> PdfText(const QString& pdfPath) {
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (pdftotext.isEmpty()) {
    return std::nullopt;
  }
  QProcess extract;
  extract.start(pdftotext, {pdfPath, QStringLiteral("-")});
  if (!extract.waitForFinished(30000)) {
    return QString();
  }
  return QString::fromUtf8(extract.readAllStandardOutput());
}

// A state with recognisable numbers for the output tables.
inline StateProperties SampleState(double pressure) {
  StateProperties state{};
  state.p = pressure;
  state.t = 300.0 + pressure;
  state.v = 0.001;
  state.d = 1000.0;
  state.h = 100.0 * pressure;
  state.region = 1;
  return state;
}

inline TransportProperties SampleTransport() {
  return {1.0, 2.0, 3.0, 4.0, 5.0, -1.0};
}

// A fresh main window over a fresh document, with the settings, files and
// dialogs of one test kept in a temporary folder.
class MainFrameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_folder.isValid());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.filePath("settings"));
    QCoreApplication::setOrganizationName(QStringLiteral("VaporixTest"));
    QCoreApplication::setApplicationName(QStringLiteral("VaporixTest"));
    services.pdfPath = Path("printed.pdf");
    frame = std::make_unique<CMainFrame>(document, services);
    frame->resize(1000, 700);
  }
  void TearDown() override { frame.reset(); }

  QString Path(const char* name) const { return m_folder.filePath(QString::fromUtf8(name)); }

  // Writes a document file with `siCount` SI results.
  QString WriteDocument(const char* name, int siCount) const {
    CVaporixDoc source;
    for (int index = 0; index < siCount; ++index) {
      source.AddSIResult(SampleState(1.0 + index), SampleTransport());
    }
    const QString path = Path(name);
    EXPECT_EQ(source.OnSaveDocument(QFile::encodeName(path).toStdString()), DocumentError::None);
    return path;
  }

  // A calculation on an input page, followed by the idle update of the commands.
  void AddResult(double pressure) {
    document.PublishSIResult(SampleState(pressure), SampleTransport());
    frame->UpdateCommandUI();
  }

  CapturingMessageService messages;
  FakeShellServices services;
  CVaporixDoc document;
  std::unique_ptr<CMainFrame> frame;

 private:
  QTemporaryDir m_folder;
};

}  // namespace vaporix::test
