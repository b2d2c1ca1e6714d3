#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "CVaporixDoc.h"
#include "CommandLine.h"
#include "DiagramPainter.h"

namespace vaporix {
namespace {

using Action = CommandLineRequest::Action;

TEST(command_line_test, parses_documents_printing_and_screenshots) {
  struct Case {
    QStringList arguments;
    Action action;
    const char* file;
    const char* printer;
    const char* screenshot;
    const char* error = "";
  };
  const Case cases[] = {
      {{}, Action::Open, "", "", ""},
      {{"boiler.stb"}, Action::Open, "boiler.stb", "", ""},
      {{"--print", "boiler.stb"}, Action::Print, "boiler.stb", "", ""},
      {{"boiler.stb", "--print"}, Action::Print, "boiler.stb", "", ""},
      {{"--print-to", "out.pdf", "boiler.stb"}, Action::PrintTo, "boiler.stb", "out.pdf", ""},
      {{"--print-to", "Office Laser", "b.stb"}, Action::PrintTo, "b.stb", "Office Laser", ""},
      {{"--screenshot", "out.png"}, Action::Screenshot, "", "", "out.png"},
      {{"--screenshot", "out.png", "b.stb"}, Action::Screenshot, "b.stb", "", "out.png"},
      {{"--", "--odd-name.stb"}, Action::Open, "--odd-name.stb", "", ""},
      {{"--help"}, Action::ShowHelp, "", "", ""},
      {{"--version"}, Action::ShowVersion, "", "", ""},
      // Errors: missing values, missing documents, unknown options, two documents.
      {{"--print"}, Action::Error, "", "", "", "Printing needs a document file."},
      {{"--print-to", "out.pdf"}, Action::Error, "", "", "", "Printing needs a document file."},
      {{"--print-to"}, Action::Error, "", "", "", "--print-to needs a printer name and a file."},
      {{"--screenshot"}, Action::Error, "", "", "", "--screenshot needs the name of a PNG file."},
      {{"--print", "--print-to", "x.pdf", "b.stb"},
       Action::Error,
       "",
       "",
       "",
       "--print, --print-to and --screenshot exclude one another."},
      {{"--fast", "b.stb"}, Action::Error, "", "", "", "Unknown option --fast."},
      {{"a.stb", "b.stb"}, Action::Error, "", "", "", "Only one document can be opened."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const CommandLineRequest request = ParseCommandLine(QStringList{"vaporix"} + c.arguments);
    EXPECT_EQ(request.action, c.action);
    if (c.action == Action::Error) {
      EXPECT_EQ(request.error, QString::fromUtf8(c.error));
      continue;
    }
    EXPECT_EQ(request.file, QString::fromUtf8(c.file));
    EXPECT_EQ(request.printer, QString::fromUtf8(c.printer));
    EXPECT_EQ(request.screenshot, QString::fromUtf8(c.screenshot));
  }
}

TEST(command_line_test, parses_chart_rendering) {
  const CommandLineRequest ok = ParseCommandLine(
      {"vaporix", "--chart", "ph", "--output", "x.svg", "--size", "800x600", "--english", "d.stb"});
  EXPECT_EQ(ok.action, Action::Chart);
  EXPECT_EQ(ok.chart, "ph");
  EXPECT_EQ(ok.output, "x.svg");
  EXPECT_EQ(ok.size, QSize(800, 600));
  EXPECT_TRUE(ok.english);
  EXPECT_EQ(ok.file, "d.stb");
  const QStringList bad[] = {
      {"--chart", "hx", "--output", "x.png"},
      {"--chart", "hs"},
      {"--output", "x.png"},
      {"--chart", "hs", "--output", "x.png", "--size", "9"},
      {"--english"},
      {"--chart", "hs", "--output", "x.png", "--print"},
  };
  for (const QStringList& arguments : bad) {
    EXPECT_EQ(ParseCommandLine(QStringList{"vaporix"} + arguments).action, Action::Error)
        << arguments.join(' ').toStdString();
  }
}

// The program itself, started headless.
class program_test : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

  int Run(const QStringList& arguments, QString* errors = nullptr) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", m_folder.filePath("config"));
    environment.insert("XDG_RUNTIME_DIR", m_folder.path());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_folder.path());
    process.start(QStringLiteral(VAPORIX_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    if (errors != nullptr) {
      *errors = QString::fromLocal8Bit(process.readAllStandardError());
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }

  QString Path(const char* name) const { return m_folder.filePath(QString::fromUtf8(name)); }

  QString WriteDocument(const char* name) const {
    CVaporixDoc document;
    StateProperties state{};
    state.p = 1.0;
    state.t = 400.0;
    state.region = 1;
    document.AddSIResult(state, TransportProperties{});
    state.p = 2.5;
    document.AddSIResult(state, TransportProperties{});
    const QString path = Path(name);
    EXPECT_EQ(document.OnSaveDocument(QFile::encodeName(path).toStdString()), DocumentError::None);
    return path;
  }

 private:
  QTemporaryDir m_folder;
};

TEST_F(program_test, screenshot_writes_the_main_window) {
  EXPECT_EQ(Run({"--screenshot", Path("out.png")}), 0);
  const QImage image(Path("out.png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_GE(image.width(), 640);
  EXPECT_GE(image.height(), 480);
}

TEST_F(program_test, print_to_a_pdf_file_prints_the_si_table) {
  const QString document = WriteDocument("doc.stb");
  EXPECT_EQ(Run({"--print-to", Path("out.pdf"), document}), 0);
  QFile pdf(Path("out.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_EQ(pdf.read(5), QByteArray("%PDF-"));

  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  QProcess extract;
  extract.start(pdftotext, {Path("out.pdf"), "-"});
  ASSERT_TRUE(extract.waitForFinished(30000));
  const QString text = QString::fromUtf8(extract.readAllStandardOutput());
  EXPECT_TRUE(text.contains("p [bar]")) << text.toStdString();
  EXPECT_TRUE(text.contains("t [°C]"));
  EXPECT_TRUE(text.contains("25"));  // 2.5 MPa shown in bar
}

// A document with an SI and an English result prints both lists, each under
// its heading, SI first.
TEST_F(program_test, print_prints_the_si_and_the_english_list) {
  CVaporixDoc document;
  StateProperties state{};
  state.p = 2.5;
  state.t = 400.0;
  state.region = 1;
  document.AddSIResult(state, TransportProperties{});
  state.p = 362.5;   // psi
  state.t = 260.33;  // degF
  document.AddEnglishResult(state, TransportProperties{});
  const QString path = Path("both.stb");
  ASSERT_EQ(document.OnSaveDocument(QFile::encodeName(path).toStdString()), DocumentError::None);
  ASSERT_EQ(Run({"--print-to", Path("both.pdf"), path}), 0);

  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  QProcess extract;
  extract.start(pdftotext, {Path("both.pdf"), "-"});
  ASSERT_TRUE(extract.waitForFinished(30000));
  const QString text = QString::fromUtf8(extract.readAllStandardOutput());
  const qsizetype si = text.indexOf("SI Unit results");
  const qsizetype english = text.indexOf("English Unit results");
  ASSERT_GE(si, 0) << text.toStdString();
  ASSERT_GT(english, si) << text.toStdString();
  EXPECT_GT(text.indexOf("p [bar]"), si);
  EXPECT_GT(text.indexOf("p [psi]"), english);
  EXPECT_GT(text.indexOf("362.5"), english);
  EXPECT_GT(text.indexOf("260.33"), english);
}

// The h-s chart of a document as SVG draws a path in the colour of every
// isoline family, the saturation line and the document's states; PNG and
// PDF come from the same drawing.
TEST_F(program_test, chart_writes_svg_png_and_pdf) {
  const QString document = WriteDocument("doc.stb");
  ASSERT_EQ(Run({"--chart", "hs", "--output", Path("x.svg"), document}), 0);
  QFile svg(Path("x.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(svg.readAll());
  const DiagramColors colors = DiagramColors::FromPalette(PaperPalette());
  for (const Quantity family : charts::IsolineTracer::Families(charts::ChartType::HS)) {
    const QString stroke = QStringLiteral("stroke=\"%1\"").arg(colors.Family(family).name());
    const qsizetype at = text.indexOf(stroke);
    ASSERT_GE(at, 0) << vaporix::Describe(family).key.data();
    EXPECT_GE(text.indexOf(QStringLiteral("<path"), at), 0);
  }
  EXPECT_TRUE(text.contains(QStringLiteral("fill=\"%1\"").arg(colors.marker.name())));

  ASSERT_EQ(Run({"--chart", "ts", "--output", Path("x.png"), "--size", "800x600", document}), 0);
  const QImage image(Path("x.png"));
  EXPECT_EQ(image.size(), QSize(800, 600));
  ASSERT_EQ(Run({"--chart", "ph", "--english", "--output", Path("x.pdf")}), 0);
  QFile pdf(Path("x.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_EQ(pdf.read(5), QByteArray("%PDF-"));

  QString errors;
  EXPECT_EQ(Run({"--chart", "pt", "--output", Path("x.txt")}, &errors), 1);
  EXPECT_TRUE(errors.contains(".png, .svg or .pdf")) << errors.toStdString();
  EXPECT_FALSE(QFile::exists(Path("x.txt")));
}

TEST_F(program_test, failures_end_with_a_message_and_an_error_code) {
  QString errors;
  QFile bad(Path("bad.stb"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("garbage");
  bad.close();
  EXPECT_EQ(Run({"--print-to", Path("out.pdf"), Path("bad.stb")}, &errors), 1);
  EXPECT_TRUE(errors.contains("Unexpected file format.")) << errors.toStdString();
  EXPECT_FALSE(QFile::exists(Path("out.pdf")));

  EXPECT_EQ(Run({"--print-to", "No Such Printer", WriteDocument("d.stb")}, &errors), 1);
  EXPECT_TRUE(errors.contains("No Such Printer"));
  EXPECT_EQ(Run({"--bogus"}, &errors), 2);
  EXPECT_TRUE(errors.contains("Usage: vaporix"));
  EXPECT_EQ(Run({"--version"}), 0);
}

// A PDF that cannot be written and a file that never ends are refused with a
// message naming the file, not taken for success or read forever.
TEST_F(program_test, a_failed_pdf_write_and_an_endless_file_end_with_a_message) {
  QString errors;
  ASSERT_TRUE(QFile::link("/dev/full", Path("full.pdf")));
  EXPECT_EQ(Run({"--print-to", Path("full.pdf"), WriteDocument("d.stb")}, &errors), 1);
  EXPECT_TRUE(errors.contains("Cannot write " + Path("full.pdf") + ": No space left on device"))
      << errors.toStdString();

  EXPECT_EQ(Run({"--screenshot", Path("x.png"), "/dev/zero"}, &errors), 1);
  EXPECT_TRUE(errors.contains("Unexpected file format.")) << errors.toStdString();
}

}  // namespace
}  // namespace vaporix
