#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "COutputView.h"
#include "CTablesPage.h"
#include "CVaporixView.h"
#include "InputPane.h"
#include "ShellTestSupport.h"
#include "vaporix/tables/TableCsv.h"

namespace vaporix::test {
namespace {

constexpr tables::UnitChoice kCelsiusBar{false, tables::PressureUnit::Bar,
                                         tables::TemperatureUnit::Celsius};
constexpr tables::UnitChoice kEnglish{true, tables::PressureUnit::Bar,
                                      tables::TemperatureUnit::Celsius};

QString ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class tables_page_test : public MainFrameFixture {
 protected:
  CTablesPage& ShowTablesPage() {
    auto* view = dynamic_cast<CVaporixView*>(&frame->inputPane().widget());
    EXPECT_NE(view, nullptr);
    frame->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    for (int index = 0; index < view->pageCount(); ++index) {
      if (view->page(index) == &view->tablesPage()) {
        view->SetActivePage(index);
      }
    }
    EXPECT_TRUE(view->isTablesPageActive());
    frame->ActivatePane(CMainFrame::Pane::Input);
    return view->tablesPage();
  }

  static void Type(QLineEdit& edit, const QString& text) {
    edit.clear();
    QTest::keyClicks(&edit, text);
  }

  CapturingMessageService messages;
};

// The user's flow: a saturation table by temperature in bar and °C, shown
// again in English units, copied, exported and read back.
TEST_F(tables_page_test, saturation_table_switches_units_copies_and_exports) {
  CTablesPage& page = ShowTablesPage();
  page.kindList().setCurrentIndex(static_cast<int>(tables::TableKind::SaturationByTemperature));
  Type(page.fromEdit(), "50");
  Type(page.toEdit(), "373.946");
  Type(page.stepEdit(), "64.7892");
  QTest::mouseClick(&page.calculateButton(), Qt::LeftButton);
  ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.join(' ').toStdString();
  ASSERT_EQ(page.model().rowCount(), 6);
  EXPECT_EQ(page.model().columnTitle(0), "t [°C]");
  EXPECT_EQ(page.model().cellText(0, 0), "50");
  EXPECT_EQ(page.model().cellText(5, 0), "373.946");  // the critical point ends the table
  EXPECT_EQ(page.model().cellText(5, 1), "220.64");

  // What the generator makes of the same request, for the numbers below.
  tables::TableRequest request;
  request.kind = tables::TableKind::SaturationByTemperature;
  request.range = {50.0, 373.946, 64.7892};
  request.units = kCelsiusBar;
  request.properties = tables::DefaultProperties();
  IF97Calculator engine;
  engine.Initialize();
  tables::SteamTable expected;
  ASSERT_EQ(tables::Generate(request, engine, expected), tables::RangeError::None);

  const tables::TableRow* rows = page.model().table().rows.data();
  // On the radio button's mark, where a user clicks.
  QTest::mouseClick(&page.englishButton(), Qt::LeftButton, {},
                    QPoint(6, page.englishButton().height() / 2));
  EXPECT_EQ(page.model().table().rows.data(), rows) << "re-shown, not recalculated";
  EXPECT_EQ(page.model().columnTitle(0), "t [°F]");
  EXPECT_EQ(page.model().cellText(0, 0), "122");

  frame->UpdateCommandUI();
  ASSERT_TRUE(frame->action(CMainFrame::Command::EditCopy).isEnabled());
  QApplication::clipboard()->clear();
  frame->action(CMainFrame::Command::EditCopy).trigger();
  const QStringList copied = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(copied.size(), 7);
  EXPECT_TRUE(copied[0].startsWith("t [°F]\tp [psi]\tv_liq [ft³/lb]\tv_vap [ft³/lb]"))
      << copied[0].toStdString();
  EXPECT_TRUE(copied[1].startsWith("122\t")) << copied[1].toStdString();

  services.saveAnswers = {Path("saturation")};
  ASSERT_TRUE(frame->OnFileExport());
  EXPECT_EQ(services.saveFilters.value(0), "CSV Files (*.csv)");
  const QString csv = ReadText(Path("saturation.csv"));
  EXPECT_EQ(csv, QString::fromStdString(tables::TableCsv(expected, kEnglish)));
  const QStringList lines = csv.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], "t,p,v_liq,v_vap,h_liq,h_vap,s_liq,s_vap,u_liq,u_vap,h_fg,s_fg");
  // Every exported number reads back to the value of the engine's record.
  const QStringList first = lines[1].split(',');
  StateProperties vapour = expected.rows[0].vapour;
  IF97Calculator::ToEnglish(vapour);
  EXPECT_EQ(first.value(5).toDouble(), vapour.h);
}

TEST_F(tables_page_test, bad_ranges_are_refused_with_a_message_and_keep_the_table) {
  CTablesPage& page = ShowTablesPage();
  QTest::mouseClick(&page.calculateButton(), Qt::LeftButton);
  ASSERT_TRUE(page.hasTable());
  const int rows = page.model().rowCount();
  struct Bad {
    const char* from;
    const char* to;
    const char* step;
    const char* message;
  };
  for (const Bad& bad :
       {Bad{"300", "100", "10", "The end value lies before the start value."},
        Bad{"100", "300", "0", "The step must be greater than zero."},
        Bad{"0", "370", "0.000001", "more than"}, Bad{"abc", "370", "10", "Not a number: abc"},
        Bad{"", "370", "10", "Enter input data!"}}) {
    messages.shown.clear();
    Type(page.fromEdit(), bad.from);
    Type(page.toEdit(), bad.to);
    Type(page.stepEdit(), bad.step);
    QTest::mouseClick(&page.calculateButton(), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1) << bad.message;
    EXPECT_TRUE(messages.shown[0].contains(bad.message)) << messages.shown[0].toStdString();
    EXPECT_EQ(page.model().rowCount(), rows) << bad.message;
  }
}

// A grid over several pages prints the header row on every page.
TEST_F(tables_page_test, printed_table_repeats_its_header_on_every_page) {
  CTablesPage& page = ShowTablesPage();
  page.kindList().setCurrentIndex(static_cast<int>(tables::TableKind::Grid));
  Type(page.pressuresEdit(), "1; 10; 100");
  Type(page.fromEdit(), "10");
  Type(page.toEdit(), "800");
  Type(page.stepEdit(), "10");
  QTest::mouseClick(&page.calculateButton(), Qt::LeftButton);
  ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.join(' ').toStdString();
  EXPECT_EQ(page.model().rowCount(), 3 * 80 + 6);  // two saturated rows below 220.64 bar

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("grid.pdf"));
  const int pages = frame->PrintActiveView(printer);
  ASSERT_GT(pages, 1);
  const std::optional<QString> text = PdfText(Path("grid.pdf"));
  if (!text) {
    GTEST_SKIP() << "pdftotext is not installed";
  }
  EXPECT_EQ(text->count("Single-phase grid"), pages);
  EXPECT_EQ(text->count("region"), pages);
}

TEST_F(tables_page_test, a_new_window_starts_from_the_last_table) {
  CTablesPage& page = ShowTablesPage();
  page.kindList().setCurrentIndex(static_cast<int>(tables::TableKind::Grid));
  Type(page.pressuresEdit(), "2; 20");
  Type(page.stepEdit(), "25");
  page.columnList().item(FindProperty("cp")->number - 1)->setCheckState(Qt::Checked);
  QTest::mouseClick(&page.englishButton(), Qt::LeftButton, {},
                    QPoint(6, page.englishButton().height() / 2));
  QTest::mouseClick(&page.calculateButton(), Qt::LeftButton);
  ASSERT_TRUE(page.hasTable());

  frame = std::make_unique<CMainFrame>(document, services);
  CTablesPage& again = ShowTablesPage();
  EXPECT_EQ(again.kindList().currentIndex(), static_cast<int>(tables::TableKind::Grid));
  EXPECT_EQ(again.pressuresEdit().text(), "2; 20");
  EXPECT_EQ(again.stepEdit().text(), "25");
  EXPECT_TRUE(again.englishButton().isChecked());
  EXPECT_EQ(again.columnList().item(FindProperty("cp")->number - 1)->checkState(), Qt::Checked);
  EXPECT_FALSE(again.hasTable());
}

// With the output pane active, Export writes its list, the columns of
// `vaporix-cli stb dump`.
TEST_F(tables_page_test, export_writes_the_output_panes_list) {
  document.PublishSIResult(SampleState(1.0), SampleTransport());
  document.PublishEnglishResult(SampleState(2.0), SampleTransport());
  frame->ActivatePane(CMainFrame::Pane::Output);
  QString header = "list";
  for (const PropertyInfo& info : kProperties) {
    header += ',' + QString::fromUtf8(info.key.data(), static_cast<qsizetype>(info.key.size()));
  }
  struct ListCase {
    int tab;
    const char* file;
    const char* row;
  };
  for (const ListCase& list : {ListCase{0, "si.csv", "si,1,301,1000,0.001,100,"},
                               ListCase{1, "english.csv", "english,2,302,1000,0.001,200,"}}) {
    frame->outputView().tabs().setCurrentIndex(list.tab);
    services.saveAnswers = {Path(list.file)};
    ASSERT_TRUE(frame->OnFileExport());
    const QStringList lines = ReadText(Path(list.file)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << list.file;
    EXPECT_EQ(lines[0], header);
    EXPECT_TRUE(lines[1].startsWith(list.row)) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(",1,2,3,4,5,-1")) << lines[1].toStdString();
  }
  // A file that cannot be written is reported.
  services.saveAnswers = {Path("missing/folder/list.csv")};
  EXPECT_FALSE(frame->OnFileExport());
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].startsWith("Cannot write")) << messages.shown[0].toStdString();
}

}  // namespace
}  // namespace vaporix::test
