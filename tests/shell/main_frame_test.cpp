#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QWindow>

#include "CCaption.h"
#include "CCaptionView.h"
#include "CGridCtrl.h"
#include "CHelpWindow.h"
#include "CInputPropertyPage.h"
#include "CNumericEdit.h"
#include "COutputView.h"
#include "CSplWnd.h"
#include "CVaporixView.h"
#include "InputPane.h"
#include "ShellAddresses.h"
#include "ShellTestSupport.h"

namespace vaporix::test {
namespace {

using Command = CMainFrame::Command;
using Answer = MessageService::Answer;

QStringList ActionTexts(const QList<QAction*>& actions) {
  QStringList texts;
  for (const QAction* action : actions) {
    texts.append(action->isSeparator() ? QStringLiteral("|") : action->text());
  }
  return texts;
}

QMenu* MenuTitled(QMenuBar* bar, const QString& title) {
  for (QAction* entry : bar->actions()) {
    if (entry->text() == title) {
      return entry->menu();
    }
  }
  return nullptr;
}

using main_frame_test = MainFrameFixture;

TEST_F(main_frame_test, menus_hold_the_items_in_order) {
  struct MenuEntry {
    const char* title;
    QStringList items;
  };
  const MenuEntry menus[] = {
      {"&File",
       {"&New", "&Open...", "&Save", "Save &As...", "&Export...", "|", "&Print...",
        "Print Pre&view", "P&rint Setup...", "Export &Diagram...", "|", "Recent File", "|",
        "E&xit"}},
      {"&Edit", {"&Copy"}},
      {"&View", {"&Toolbar", "&Status Bar"}},
      {"&Help",
       {"Help &Contents", "|", "Report a &Bug", "Re&quest a Feature", "Vaporix &News", "|",
        "&About Vaporix..."}},
  };
  ASSERT_EQ(frame->menuBar()->actions().size(), 4);
  for (const MenuEntry& entry : menus) {
    SCOPED_TRACE(entry.title);
    QMenu* menu = MenuTitled(frame->menuBar(), QString::fromUtf8(entry.title));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ActionTexts(menu->actions()), entry.items);
  }
}

TEST_F(main_frame_test, shortcuts_reach_their_commands) {
  struct ShortcutEntry {
    Command command;
    QStringList keys;
  };
  const ShortcutEntry shortcuts[] = {
      {Command::FileNew, {"Ctrl+N"}},
      {Command::FileOpen, {"Ctrl+O"}},
      {Command::FileSave, {"Ctrl+S"}},
      {Command::FilePrint, {"Ctrl+P"}},
      {Command::EditCopy, {"Ctrl+C", "Ctrl+Ins"}},
      {Command::EditPaste, {"Ctrl+V", "Shift+Ins"}},
      {Command::EditCut, {"Ctrl+X", "Shift+Del"}},
      {Command::EditUndo, {"Ctrl+Z", "Alt+Backspace"}},
      {Command::HelpContents, {"F1"}},
      {Command::NextPane, {"F6"}},
      {Command::PreviousPane, {"Shift+F6"}},
  };
  for (const ShortcutEntry& entry : shortcuts) {
    QStringList keys;
    for (const QKeySequence& key : frame->action(entry.command).shortcuts()) {
      keys.append(key.toString());
    }
    EXPECT_EQ(keys, entry.keys) << frame->action(entry.command).text().toStdString();
  }
}

TEST_F(main_frame_test, toolbar_buttons_carry_tooltips_and_status_prompts) {
  struct ButtonEntry {
    const char* tooltip;
    const char* prompt;
  };
  const ButtonEntry buttons[] = {
      {"New", "Create a new document"},
      {"Open", "Open an existing document"},
      {"Save", "Save the active document"},
      {"|", ""},
      {"Copy", "Copy the selection and put it on the Clipboard"},
      {"|", ""},
      {"Print", "Print the active document"},
      {"Print Preview", "Display full pages"},
      {"|", ""},
      {"Show/Hide Output Pane", "Show/Hide Output Pane"},
      {"|", ""},
      {"About", "Display program information, version number and copyright"},
  };
  const QList<QAction*> actions = frame->toolBar().actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(buttons)));
  for (std::size_t index = 0; index < std::size(buttons); ++index) {
    const QAction* action = actions.at(static_cast<qsizetype>(index));
    if (QString::fromUtf8(buttons[index].tooltip) == QLatin1String("|")) {
      EXPECT_TRUE(action->isSeparator()) << index;
      continue;
    }
    EXPECT_EQ(action->toolTip(), QString::fromUtf8(buttons[index].tooltip));
    EXPECT_EQ(action->statusTip(), QString::fromUtf8(buttons[index].prompt));
  }
  EXPECT_EQ(frame->action(Command::ReportBug).statusTip(), "Report a bug");
  EXPECT_EQ(frame->action(Command::RequestFeature).toolTip(), "Request a Feature");
  EXPECT_EQ(frame->action(Command::VaporixNews).statusTip(), "Vaporix news");
}

TEST_F(main_frame_test, window_has_banner_panes_status_and_minimum_size) {
  frame->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(frame->idleMessage().text(), "Ready");
  EXPECT_EQ(frame->captionView().caption().text(), "IAPWS Industrial Formulation 1997");
  EXPECT_TRUE(frame->captionView().caption().font().bold());
  EXPECT_EQ(frame->captionView().height(), CCaptionSplWnd::kBannerHeight);
  const int outputHeight = frame->outerSplitter().sizes().at(1);
  EXPECT_EQ(frame->windowTitle(), "Vaporix[*] - based on IAPWS-IF97");

  // The output pane keeps its height and the banner its own when the window grows.
  frame->resize(1200, 900);
  QCoreApplication::processEvents();
  EXPECT_EQ(frame->outerSplitter().sizes().at(1), outputHeight);
  EXPECT_EQ(frame->captionView().height(), CCaptionSplWnd::kBannerHeight);

  frame->resize(300, 200);
  QCoreApplication::processEvents();
  EXPECT_EQ(frame->minimumSize(), QSize(640, 480));
  EXPECT_GE(frame->width(), 640);
  EXPECT_GE(frame->height(), 480);
}

TEST_F(main_frame_test, output_pane_hides_and_returns_at_its_height) {
  frame->show();
  QCoreApplication::processEvents();
  CSplWnd& splitter = frame->outerSplitter();
  const int total = splitter.sizes().at(0) + splitter.sizes().at(1);
  splitter.setSizes({total - 180, 180});  // the user dragged the bar
  ASSERT_EQ(splitter.sizes().at(1), 180);

  frame->action(Command::ViewOutputPane).trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(splitter.hiddenRow(), 1);
  EXPECT_FALSE(frame->outputView().isVisible());
  EXPECT_GE(frame->innerSplitter().height(), total);

  frame->action(Command::ViewOutputPane).trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(splitter.hiddenRow(), -1);
  EXPECT_TRUE(frame->outputView().isVisible());
  EXPECT_EQ(splitter.sizes().at(1), 180);

  // The pane's own close button hides it too; the command shows it again.
  Q_EMIT frame->outputView().closeRequested();
  EXPECT_EQ(splitter.hiddenRow(), 1);
  frame->action(Command::ViewOutputPane).trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(splitter.sizes().at(1), 180);
  EXPECT_TRUE(frame->action(Command::ViewOutputPane).isEnabled());
  EXPECT_FALSE(frame->action(Command::ViewOutputPane).isCheckable());
}

TEST_F(main_frame_test, command_enabling_follows_the_state) {
  frame->UpdateCommandUI();
  EXPECT_FALSE(frame->action(Command::FileSave).isEnabled());
  EXPECT_FALSE(frame->action(Command::EditCopy).isEnabled());
  for (const Command always :
       {Command::FileNew, Command::FileOpen, Command::FileSaveAs, Command::FilePrint,
        Command::FilePrintPreview, Command::FilePrintSetup, Command::AppExit, Command::HelpContents,
        Command::AppAbout, Command::ViewOutputPane}) {
    EXPECT_TRUE(frame->action(always).isEnabled()) << frame->action(always).text().toStdString();
  }
  for (const Command never : {Command::EditPaste, Command::EditCut, Command::EditUndo}) {
    EXPECT_FALSE(frame->action(never).isEnabled());
  }

  AddResult(1.0);
  frame->UpdateCommandUI();
  EXPECT_TRUE(frame->action(Command::FileSave).isEnabled());

  // Copy follows the selection of the active pane.
  frame->ActivatePane(CMainFrame::Pane::Output);
  frame->outputView().siTable().setCurrentCell(0, 0);
  frame->outputView().siTable().selectRow(0);
  frame->UpdateCommandUI();
  EXPECT_TRUE(frame->action(Command::EditCopy).isEnabled());
  frame->ActivatePane(CMainFrame::Pane::Input);
  EXPECT_FALSE(frame->action(Command::EditCopy).isEnabled());

  services.saveAnswers = {Path("saved.stb")};
  frame->action(Command::FileSave).trigger();
  EXPECT_FALSE(frame->action(Command::FileSave).isEnabled());

  frame->action(Command::ViewToolbar).trigger();
  frame->action(Command::ViewStatusBar).trigger();
  frame->UpdateCommandUI();
  EXPECT_TRUE(frame->toolBar().isHidden());
  EXPECT_TRUE(frame->statusBar()->isHidden());
  EXPECT_FALSE(frame->action(Command::ViewToolbar).isChecked());
  frame->action(Command::ViewToolbar).trigger();
  frame->UpdateCommandUI();
  EXPECT_FALSE(frame->toolBar().isHidden());
  EXPECT_TRUE(frame->action(Command::ViewToolbar).isChecked());
}

// A new document is called "Vaporix", and Qt's marker shows unsaved changes.
TEST_F(main_frame_test, new_document_title_names_vaporix_and_marks_changes) {
  frame->show();
  QCoreApplication::processEvents();
  ASSERT_NE(frame->windowHandle(), nullptr);
  EXPECT_EQ(frame->windowHandle()->title(), "Vaporix - based on IAPWS-IF97");
  AddResult(1.0);
  EXPECT_EQ(frame->windowHandle()->title(), "Vaporix* - based on IAPWS-IF97");
  services.saveAnswers = {Path("boiler.stb")};
  frame->action(Command::FileSaveAs).trigger();
  EXPECT_EQ(services.saveSuggestions.value(0), "Vaporix.stb");
  EXPECT_EQ(frame->windowHandle()->title(), "boiler.stb - based on IAPWS-IF97");
}

TEST_F(main_frame_test, save_writes_the_file_and_save_as_asks_for_a_name) {
  AddResult(2.0);
  ASSERT_TRUE(document.IsModified());
  ASSERT_TRUE(frame->action(Command::FileSave).isEnabled());
  services.saveAnswers = {Path("boiler")};  // no extension: ".stb" is added
  frame->action(Command::FileSave).trigger();
  ASSERT_EQ(services.saveSuggestions.size(), 1);
  EXPECT_TRUE(services.saveSuggestions.first().endsWith("Vaporix.stb"));
  EXPECT_EQ(services.saveFilters.first(), "Vaporix Files (*.stb)");
  EXPECT_TRUE(QFile::exists(Path("boiler.stb")));
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(frame->windowTitle(), "boiler.stb[*] - based on IAPWS-IF97");

  // Save of an unmodified document is disabled; Save As always asks.
  AddResult(3.0);
  frame->action(Command::FileSave).trigger();
  EXPECT_EQ(services.saveSuggestions.size(), 1);  // saved under its name, no dialog
  services.saveAnswers = {Path("copy.stb")};
  frame->action(Command::FileSaveAs).trigger();
  EXPECT_EQ(services.saveSuggestions.size(), 2);
  EXPECT_TRUE(QFile::exists(Path("copy.stb")));

  // A failed save is reported and keeps the changes.
  AddResult(4.0);
  services.saveAnswers = {Path("missing-folder/x.stb")};
  frame->action(Command::FileSaveAs).trigger();
  EXPECT_EQ(messages.shown, QStringList{"Failed to save document."});
  EXPECT_TRUE(document.IsModified());
}

// What each answer to "Save changes to ...?" does before New, Open and Exit.
struct PromptCase {
  const char* name;
  Answer answer;
  bool fileSaved;
  bool changesKept;  // the document is still the modified one
};

void PrintTo(const PromptCase& promptCase, std::ostream* out) {
  *out << promptCase.name;
}

constexpr PromptCase kPromptCases[] = {
    {"yes_saves", Answer::Yes, true, false},
    {"no_discards", Answer::No, false, false},
    {"cancel_keeps_everything", Answer::Cancel, false, true},
};

class save_prompt_test : public MainFrameFixture,
                         public ::testing::WithParamInterface<PromptCase> {};

TEST_P(save_prompt_test, before_new) {
  const PromptCase& c = GetParam();
  AddResult(1.0);
  AddResult(2.0);
  messages.answers = {c.answer};
  services.saveAnswers = {Path("kept.stb")};
  frame->action(Command::FileNew).trigger();
  EXPECT_EQ(messages.asked, QStringList{"Save changes to Vaporix?"});
  EXPECT_EQ(QFile::exists(Path("kept.stb")), c.fileSaved);
  EXPECT_EQ(document.IsModified(), c.changesKept);
  EXPECT_EQ(document.SIResults().size(), c.changesKept ? 2u : 0u);
  EXPECT_EQ(frame->outputView().siTable().cellText(2, 1), c.changesKept ? "20" : "");
  if (c.fileSaved) {
    CVaporixDoc reread;
    ASSERT_EQ(reread.OnOpenDocument(QFile::encodeName(Path("kept.stb")).toStdString()),
              DocumentError::None);
    EXPECT_EQ(reread.SIResults().size(), 2u);
  }
}

TEST_P(save_prompt_test, before_open) {
  const PromptCase& c = GetParam();
  const QString other = WriteDocument("other.stb", 3);
  services.saveAnswers = {Path("first.stb")};
  AddResult(1.0);
  frame->action(Command::FileSave).trigger();
  AddResult(5.0);
  messages.answers = {c.answer};
  services.openAnswers = {other};
  frame->action(Command::FileOpen).trigger();
  EXPECT_EQ(messages.asked, QStringList{"Save changes to first.stb?"});
  EXPECT_EQ(services.openFilters, QStringList{"Vaporix Files (*.stb)"});
  if (c.changesKept) {
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.SIResults().size(), 2u);
    EXPECT_EQ(frame->windowTitle(), "first.stb[*] - based on IAPWS-IF97");
  } else {
    EXPECT_EQ(document.SIResults().size(), 3u);
    EXPECT_EQ(frame->windowTitle(), "other.stb[*] - based on IAPWS-IF97");
    CVaporixDoc reread;
    ASSERT_EQ(reread.OnOpenDocument(QFile::encodeName(Path("first.stb")).toStdString()),
              DocumentError::None);
    EXPECT_EQ(reread.SIResults().size(), c.fileSaved ? 2u : 1u);
  }
}

TEST_P(save_prompt_test, before_exit) {
  const PromptCase& c = GetParam();
  frame->show();
  AddResult(1.0);
  messages.answers = {c.answer};
  services.saveAnswers = {Path("exit.stb")};
  frame->action(Command::AppExit).trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(messages.asked, QStringList{"Save changes to Vaporix?"});
  EXPECT_EQ(frame->isVisible(), c.changesKept);
  EXPECT_EQ(QFile::exists(Path("exit.stb")), c.fileSaved);
  EXPECT_EQ(document.SIResults().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(answers, save_prompt_test, ::testing::ValuesIn(kPromptCases),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(main_frame_test, cancelled_save_dialog_cancels_the_command) {
  AddResult(1.0);
  messages.answers = {Answer::Yes};
  services.saveAnswers = {QString()};  // the user closes the save dialog
  frame->action(Command::FileNew).trigger();
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(document.SIResults().size(), 1u);
}

TEST_F(main_frame_test, unmodified_document_is_replaced_without_a_question) {
  frame->action(Command::FileNew).trigger();
  services.openAnswers = {WriteDocument("plain.stb", 1)};
  frame->action(Command::FileOpen).trigger();
  EXPECT_TRUE(messages.asked.isEmpty());
  EXPECT_EQ(document.SIResults().size(), 1u);
}

TEST_F(main_frame_test, open_shows_the_file_rows_and_failures_leave_an_empty_document) {
  services.openAnswers = {WriteDocument("three.stb", 3)};
  frame->action(Command::FileOpen).trigger();
  EXPECT_EQ(frame->outputView().siRowCount(), 3);
  EXPECT_EQ(frame->outputView().siTable().cellText(3, 1), "30");

  struct FailureCase {
    const char* name;
    QByteArray bytes;
    bool create;
    const char* message;
  };
  const QByteArray wrongSchema = QByteArray::fromHex("0100ffff02001000") +
                                 QByteArray("CSteamPropObject") + QByteArray(236, '\0') +
                                 QByteArray(2, '\0');
  const FailureCase failures[] = {
      {"garbage.stb", QByteArray("this is not a document"), true, "Unexpected file format."},
      {"schema.stb", wrongSchema, true, "Unexpected file format."},
      {"short.stb", QByteArray::fromHex("0100ffff01001000"), true, "Unexpected file format."},
  };
  for (const FailureCase& failure : failures) {
    SCOPED_TRACE(failure.name);
    QFile file(Path(failure.name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(failure.bytes);
    file.close();
    services.openAnswers = {WriteDocument("good.stb", 2)};
    frame->action(Command::FileOpen).trigger();
    ASSERT_EQ(document.SIResults().size(), 2u);
    messages.shown.clear();

    services.openAnswers = {Path(failure.name)};
    frame->action(Command::FileOpen).trigger();
    EXPECT_EQ(messages.shown, QStringList{QString::fromUtf8(failure.message)});
    EXPECT_TRUE(document.SIResults().empty());
    EXPECT_TRUE(document.EnglishResults().empty());
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.Title(), "Vaporix");
    EXPECT_EQ(frame->outputView().siRowCount(), 0);
    EXPECT_EQ(frame->outputView().siTable().cellText(1, 1), "");
    EXPECT_FALSE(frame->recentFiles().files().contains(Path(failure.name)));
  }

  messages.shown.clear();
  const QString missing = Path("gone.stb");
  frame->OpenDocumentFile(missing);
  EXPECT_EQ(messages.shown,
            QStringList{missing +
                        "\nCannot find this file.\nPlease verify that the correct path and file "
                        "name are given."});
}

TEST_F(main_frame_test, recent_file_list_keeps_the_last_four_documents) {
  QStringList opened;
  for (const char* name : {"a.stb", "b.stb", "c.stb", "d.stb", "e.stb"}) {
    opened.append(WriteDocument(name, 1));
    ASSERT_TRUE(frame->OpenDocumentFile(opened.last()));
  }
  const QStringList newestFirst = {opened[4], opened[3], opened[2], opened[1]};
  EXPECT_EQ(frame->recentFiles().files(), newestFirst);

  QStringList entries;
  for (QAction* action : frame->fileMenu().actions()) {
    if (action->data().isValid()) {
      entries.append(action->text());
    }
  }
  EXPECT_EQ(entries, (QStringList{"&1 " + opened[4], "&2 " + opened[3], "&3 " + opened[2],
                                  "&4 " + opened[1]}));

  // The list lives in the settings and comes back in the next window.
  QSettings settings;
  EXPECT_EQ(settings.value("Recent File List/File1").toString(), opened[4]);
  EXPECT_EQ(settings.value("Recent File List/File4").toString(), opened[1]);
  CVaporixDoc otherDocument;
  CMainFrame next(otherDocument, services);
  EXPECT_EQ(next.recentFiles().files(), newestFirst);

  // Opening an entry moves it to the front; an entry that fails is dropped.
  for (QAction* action : frame->fileMenu().actions()) {
    if (action->data().toString() == opened[2]) {
      action->trigger();
    }
  }
  EXPECT_EQ(frame->recentFiles().files().first(), opened[2]);
  EXPECT_EQ(frame->windowTitle(), "c.stb[*] - based on IAPWS-IF97");
  ASSERT_TRUE(QFile::remove(opened[1]));
  for (QAction* action : frame->fileMenu().actions()) {
    if (action->data().toString() == opened[1]) {
      action->trigger();
    }
  }
  EXPECT_EQ(frame->recentFiles().files(), (QStringList{opened[2], opened[4], opened[3]}));
}

TEST_F(main_frame_test, copy_puts_the_selected_cells_on_the_clipboard) {
  AddResult(1.0);
  AddResult(2.0);
  CGridCtrl& table = frame->outputView().siTable();
  frame->ActivatePane(CMainFrame::Pane::Output);
  table.clearSelection();
  table.setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 1), true);
  frame->UpdateCommandUI();
  ASSERT_TRUE(frame->action(Command::EditCopy).isEnabled());
  QApplication::clipboard()->clear();
  frame->action(Command::EditCopy).trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "p [bar]\tt [°C]\n10\t27.85\n20\t28.85\n");
}

TEST_F(main_frame_test, copy_on_the_diagram_puts_the_chart_on_the_clipboard) {
  auto* view = dynamic_cast<CVaporixView*>(&frame->inputPane().widget());
  ASSERT_NE(view, nullptr);
  view->SetActivePage(CVaporixView::kDiagramPageIndex);
  frame->ActivatePane(CMainFrame::Pane::Input);
  frame->UpdateCommandUI();
  ASSERT_TRUE(frame->action(Command::EditCopy).isEnabled());
  QApplication::clipboard()->clear();
  frame->action(Command::EditCopy).trigger();
  const QImage copied = QApplication::clipboard()->image();
  ASSERT_FALSE(copied.isNull());
  EXPECT_GE(copied.width(), 200);
  EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
}

// A calculation typed on the first page becomes a row of the output pane and
// a change to save; the saved file brings the row back after New.
TEST_F(main_frame_test, calculated_state_is_saved_cleared_and_opened_again) {
  frame->show();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  auto* view = dynamic_cast<CVaporixView*>(&frame->inputPane().widget());
  ASSERT_NE(view, nullptr);
  CInputPropertyPage& page = view->currentPage();
  QTest::keyClicks(&page.firstEdit(), "10");
  QTest::keyClicks(&page.secondEdit(), "100");
  QTest::mouseClick(&page.calculateButton(), Qt::LeftButton);
  ASSERT_TRUE(messages.shown.isEmpty()) << messages.shown.join(' ').toStdString();
  ASSERT_EQ(frame->outputView().siRowCount(), 1);
  EXPECT_EQ(frame->outputView().siTable().cellText(1, 1), "10");
  EXPECT_EQ(frame->outputView().siTable().cellText(1, 2), "100");
  frame->UpdateCommandUI();
  ASSERT_TRUE(frame->action(Command::FileSave).isEnabled());

  services.saveAnswers = {Path("water.stb")};
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(QFile::exists(Path("water.stb")));
  EXPECT_FALSE(frame->action(Command::FileSave).isEnabled());

  frame->action(Command::FileNew).trigger();
  EXPECT_TRUE(messages.asked.isEmpty());
  EXPECT_EQ(frame->outputView().siRowCount(), 0);
  EXPECT_TRUE(page.firstEdit().text().isEmpty());

  frame->OpenDocumentFile(Path("water.stb"));
  EXPECT_EQ(frame->outputView().siRowCount(), 1);
  EXPECT_EQ(frame->outputView().siTable().cellText(1, 1), "10");
}

// At 1920 x 1080 the results grid of either page reaches the pane's right
// edge, its last column fills the grid, and no row title or constant is
// wrapped or cut, in SI and in English units; a narrower window never makes
// the last column narrower than its text.
TEST_F(main_frame_test, results_grid_follows_the_pane_at_1920_pixels) {
  auto* view = dynamic_cast<CVaporixView*>(&frame->inputPane().widget());
  ASSERT_NE(view, nullptr);
  frame->resize(1920, 1080);
  frame->show();
  QCoreApplication::processEvents();
  const auto textFits = [](const CGridCtrl& grid, int row, int column) {
    return QFontMetrics(grid.font()).horizontalAdvance(grid.cellText(row, column)) + 4 <=
           grid.gridColumnWidth(column);
  };
  const auto columnsWidth = [](const CGridCtrl& grid) {
    int total = 0;
    for (int column = 1; column < grid.gridColumnCount(); ++column) {
      total += grid.gridColumnWidth(column);
    }
    return total;
  };
  for (const int index : {CVaporixView::kGeneralPageIndex, CVaporixView::kSaturationPageIndex}) {
    view->SetActivePage(index);
    QCoreApplication::processEvents();
    CInputPropertyPage& page = view->currentPage();
    CGridCtrl& grid = page.grid();
    const int last = grid.gridColumnCount() - 1;
    for (QRadioButton* units : {&page.englishButton(), &page.siButton()}) {
      units->click();
      QCoreApplication::processEvents();
      const QString what = QStringLiteral("page %1, %2").arg(index).arg(units->text());
      EXPECT_GE(grid.mapTo(frame.get(), QPoint(grid.width(), 0)).x(), frame->width() - 40)
          << what.toStdString();
      EXPECT_EQ(columnsWidth(grid), grid.viewport()->width()) << what.toStdString();
      for (int row = 1; row < grid.gridRowCount(); ++row) {
        EXPECT_TRUE(textFits(grid, row, 1)) << what.toStdString() << " title row " << row;
        EXPECT_TRUE(textFits(grid, row, last)) << what.toStdString() << " constant row " << row;
      }
    }
  }
  frame->resize(800, 600);
  QCoreApplication::processEvents();
  CGridCtrl& grid = view->currentGrid();
  EXPECT_GT(columnsWidth(grid), grid.viewport()->width());
  for (int row = 1; row < grid.gridRowCount(); ++row) {
    EXPECT_TRUE(textFits(grid, row, grid.gridColumnCount() - 1)) << "constant row " << row;
  }
}

TEST_F(main_frame_test, copy_and_print_follow_the_pane_in_use) {
  auto* view = dynamic_cast<CVaporixView*>(&frame->inputPane().widget());
  ASSERT_NE(view, nullptr);
  AddResult(1.0);
  frame->ActivatePane(CMainFrame::Pane::Input);
  EXPECT_FALSE(frame->action(Command::EditCopy).isEnabled());

  // The row titles of pressure and temperature in the current page's grid.
  CGridCtrl& grid = view->currentGrid();
  grid.setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 0), true);
  frame->UpdateCommandUI();
  ASSERT_TRUE(frame->action(Command::EditCopy).isEnabled());
  QApplication::clipboard()->clear();
  frame->action(Command::EditCopy).trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), grid.selectedCellsText());
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Pressure   [p]\nTemperature   [t]"));

  struct PrintCase {
    CMainFrame::Pane pane;
    const char* expectedText;
  };
  // Every printout says what it is: program, document, date, units, and
  // for the grid the pair; no title is clipped.
  const PrintCase cases[] = {
      {CMainFrame::Pane::Input, "Property Name"},
      {CMainFrame::Pane::Input, "Vaporix - unsaved document - "},
      {CMainFrame::Pane::Input, "units: SI"},
      {CMainFrame::Pane::Input, "[alpha]"},
      {CMainFrame::Pane::Output, "p [bar]"},
      {CMainFrame::Pane::Output, "Vaporix - unsaved document - "},
      {CMainFrame::Pane::Output, "SI Unit results"},
  };
  for (const PrintCase& c : cases) {
    frame->ActivatePane(c.pane);
    frame->action(Command::FilePrint).trigger();
    ASSERT_TRUE(QFile::exists(services.pdfPath));
    if (const std::optional<QString> text = PdfText(services.pdfPath)) {
      EXPECT_TRUE(text->contains(QString::fromUtf8(c.expectedText))) << c.expectedText << '\n'
                                                                     << text->toStdString();
    }
    QFile::remove(services.pdfPath);
  }
}

// Edit > Copy from the menu: the menu takes the focus from the output table
// and hands it back before Copy runs; the selection must survive that.
TEST_F(main_frame_test, edit_copy_from_the_menu_copies_the_output_selection) {
  frame->show();
  QApplication::setActiveWindow(frame.get());
  AddResult(1.0);
  AddResult(2.0);
  frame->ActivatePane(CMainFrame::Pane::Output);
  CGridCtrl& table = frame->outputView().activeTable();
  ASSERT_TRUE(table.hasFocus());
  table.setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 0), true);
  const QString selected = table.selectedCellsText();
  ASSERT_EQ(selected, "10\n20\n");

  QMenu* edit = nullptr;
  for (QAction* entry : frame->menuBar()->actions()) {
    if (entry->text() == "&Edit") {
      edit = entry->menu();
    }
  }
  ASSERT_NE(edit, nullptr);
  edit->popup(frame->mapToGlobal(QPoint(10, 10)));
  QCoreApplication::processEvents();
  ASSERT_TRUE(edit->isVisible());
  QApplication::clipboard()->clear();
  edit->setActiveAction(&frame->action(Command::EditCopy));
  QTest::keyClick(edit, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_FALSE(edit->isVisible());
  // The pane's Copy puts the column's name first.
  EXPECT_EQ(QApplication::clipboard()->text(), "p [bar]\n" + selected);
}

TEST_F(main_frame_test, print_preview_and_setup_go_through_the_printer) {
  AddResult(1.0);
  frame->ActivatePane(CMainFrame::Pane::Output);
  frame->action(Command::FilePrint).trigger();
  EXPECT_EQ(services.printDialogs, 1);
  QFile printed(services.pdfPath);
  ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
  EXPECT_TRUE(printed.read(5) == "%PDF-");
  printed.close();
  ASSERT_TRUE(QFile::remove(services.pdfPath));

  // A cancelled print dialog prints nothing.
  services.acceptPrintDialog = false;
  frame->action(Command::FilePrint).trigger();
  EXPECT_FALSE(QFile::exists(services.pdfPath));

  frame->action(Command::FilePrintPreview).trigger();
  EXPECT_EQ(services.printPreviews, 1);
  EXPECT_TRUE(QFile::exists(services.pdfPath));

  frame->action(Command::FilePrintSetup).trigger();
  EXPECT_EQ(services.printSetupDialogs, 1);
}

TEST_F(main_frame_test, help_menu_opens_help_mail_news_and_about) {
  frame->setHelpDirectory(QStringLiteral(VAPORIX_HELP_SOURCE_DIR));
  frame->show();
  frame->action(Command::HelpContents).trigger();
  ASSERT_NE(frame->helpWindow(), nullptr);
  EXPECT_TRUE(frame->helpWindow()->isVisible());
  EXPECT_TRUE(frame->helpWindow()->browser().source().path().endsWith("/index.html"));
  EXPECT_EQ(frame->helpWindow()->browser().documentTitle(), "Vaporix Help");

  // Report a Bug and Request a Feature show how to report, with this
  // system's summary to copy; nothing leaves the program.
  for (const Command command : {Command::ReportBug, Command::RequestFeature}) {
    frame->action(command).trigger();
    EXPECT_TRUE(frame->helpWindow()->browser().source().path().endsWith("/reporting.html"));
    EXPECT_TRUE(frame->helpWindow()->browser().toPlainText().contains(
        "Qt " + QString::fromLatin1(qVersion())));
  }
  frame->action(Command::VaporixNews).trigger();
  EXPECT_TRUE(frame->helpWindow()->browser().source().path().endsWith("/news.html"));
  // The pages' link goes to the same help.
  QDesktopServices::openUrl(QUrl("help:units.html"));
  EXPECT_TRUE(frame->helpWindow()->browser().source().path().endsWith("/units.html"));
  EXPECT_TRUE(services.openedUrls.isEmpty());
  frame->action(Command::AppAbout).trigger();
  EXPECT_EQ(services.aboutBoxes, 1);

  // Exit closes the help window with the main window.
  frame->close();
  QCoreApplication::processEvents();
  ASSERT_NE(frame->helpWindow(), nullptr);
  EXPECT_FALSE(frame->helpWindow()->isVisible());
}

TEST_F(main_frame_test, help_contents_does_nothing_without_help_pages) {
  frame->setHelpDirectory(QString());
  frame->action(Command::HelpContents).trigger();
  EXPECT_EQ(frame->helpWindow(), nullptr);
  EXPECT_TRUE(FindHelpDirectory(Path("nowhere")).isEmpty());
  EXPECT_EQ(FindHelpDirectory(QStringLiteral(VAPORIX_PROGRAM_DIR)),
            QDir(QStringLiteral(VAPORIX_PROGRAM_DIR "/help")).canonicalPath());
}

TEST_F(main_frame_test, dropping_a_document_file_opens_it) {
  const QString path = WriteDocument("dropped.stb", 2);
  for (const auto& [urls, accepted] : std::initializer_list<std::pair<QList<QUrl>, bool>>{
           {{QUrl::fromLocalFile(Path("notes.txt"))}, false},
           {{QUrl::fromLocalFile(Path("notes.txt")), QUrl::fromLocalFile(path)}, true}}) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    EXPECT_EQ(enter.isAccepted(), accepted);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
  }
  EXPECT_EQ(document.SIResults().size(), 2u);
  EXPECT_EQ(frame->windowTitle(), "dropped.stb[*] - based on IAPWS-IF97");
}

TEST_F(main_frame_test, next_pane_moves_between_input_and_output) {
  EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Input);
  frame->action(Command::NextPane).trigger();
  EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Output);
  frame->action(Command::PreviousPane).trigger();
  EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Input);
  // A hidden output pane is skipped.
  frame->action(Command::ViewOutputPane).trigger();
  frame->action(Command::NextPane).trigger();
  EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Input);
}

}  // namespace
}  // namespace vaporix::test
