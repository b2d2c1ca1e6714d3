#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CVaporixDoc.h"
#include "StbArchive.h"

namespace vaporix {
namespace {

namespace fs = std::filesystem;

StateProperties MakeState(double p, std::int32_t region) {
  StateProperties state;
  state.p = p;
  state.t = 300.0 + p;
  state.h = 100.0 * p;
  state.x = 0.0;
  state.region = region;
  return state;
}

TransportProperties MakeTransport(double dv) {
  return {dv, 2.0, 3.0, 4.0, 5.0, -1.0};
}

// A view that writes down what the document told it, with the latest result
// at each replayed row.
class RecordingView : public CDocumentView {
 public:
  explicit RecordingView(CVaporixDoc& viewed) : document(viewed) {}

  void OnUpdate(CDocumentView* sender, UpdateHint hint) override {
    events.push_back("update " + std::to_string(static_cast<int>(hint)) +
                     (sender == nullptr ? "" : " from a view") +
                     " p=" + std::to_string(document.latestState.p));
  }
  void OnNewDocument() override { events.push_back("new"); }
  void OnContentsReplaced() override { events.push_back("replaced"); }
  void OnResultReplayed(UpdateHint hint) override {
    events.push_back("row " + std::to_string(static_cast<int>(hint)) +
                     " p=" + std::to_string(document.latestState.p));
  }

  CVaporixDoc& document;
  std::vector<std::string> events;
};

class TemporaryFolder {
 public:
  TemporaryFolder() {
    path = fs::temp_directory_path() /
           ("vaporix_doc_test_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TemporaryFolder() { fs::remove_all(path); }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  fs::path path;
};

std::vector<char> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(vaporix_doc_test, results_go_to_their_list_and_set_the_modified_flag) {
  CVaporixDoc document;
  EXPECT_FALSE(document.IsModified());
  document.AddSIResult(MakeState(1.0, 1), MakeTransport(10.0));
  EXPECT_TRUE(document.IsModified());
  document.SetModifiedFlag(false);
  document.AddEnglishResult(MakeState(2.0, 2), MakeTransport(20.0));
  document.AddSIResult(MakeState(3.0, 4), MakeTransport(30.0));
  EXPECT_TRUE(document.IsModified());

  ASSERT_EQ(document.SIResults().size(), 2u);
  ASSERT_EQ(document.EnglishResults().size(), 1u);
  EXPECT_EQ(document.SIResults()[0]->state.p, 1.0);
  EXPECT_EQ(document.SIResults()[1]->state.region, 4);
  EXPECT_EQ(document.EnglishResults()[0]->transport.dv, 20.0);
  // Adding a result does not make it the latest one: the page does that.
  EXPECT_EQ(document.latestState.p, 0.0);
}

TEST(vaporix_doc_test, delete_contents_keeps_the_latest_result) {
  CVaporixDoc document;
  document.PublishSIResult(MakeState(4.0, 1), MakeTransport(1.0));
  document.DeleteContents();
  EXPECT_TRUE(document.SIResults().empty());
  EXPECT_EQ(document.latestState.p, 4.0);
  EXPECT_EQ(document.latestTransport.dv, 1.0);
}

TEST(vaporix_doc_test, views_receive_hints_101_102_103) {
  CVaporixDoc document;
  RecordingView outputPane(document);
  RecordingView mainView(document);
  document.AddView(outputPane);
  document.AddView(mainView);
  document.AddView(outputPane);  // registering twice changes nothing

  document.PublishSIResult(MakeState(1.0, 1), MakeTransport(1.0));
  document.PublishEnglishResult(MakeState(14.5, 2), MakeTransport(1.0));
  document.UpdateAllViews(&mainView, UpdateHint::GridFocused);
  document.RemoveView(mainView);
  document.PublishSIResult(MakeState(2.0, 1), MakeTransport(1.0));

  EXPECT_EQ(outputPane.events, (std::vector<std::string>{
                                   "update 101 p=1.000000", "update 102 p=14.500000",
                                   "update 103 from a view p=14.500000", "update 101 p=2.000000"}));
  EXPECT_EQ(mainView.events.size(), 3u);
  EXPECT_EQ(document.SIResults().size(), 2u);
  EXPECT_EQ(document.EnglishResults().size(), 1u);
}

TEST(vaporix_doc_test, new_document_empties_and_clears_the_views) {
  CVaporixDoc document;
  RecordingView view(document);
  document.AddView(view);
  document.AddSIResult(MakeState(1.0, 1), MakeTransport(1.0));
  document.AddEnglishResult(MakeState(1.0, 1), MakeTransport(1.0));
  ASSERT_TRUE(document.OnNewDocument());
  EXPECT_TRUE(document.SIResults().empty());
  EXPECT_TRUE(document.EnglishResults().empty());
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Title(), "Vaporix");
  EXPECT_EQ(document.SaveChangesQuestion(), "Save changes to Vaporix?");
  EXPECT_EQ(view.events, (std::vector<std::string>{"new"}));
}

TEST(vaporix_doc_test, save_then_open_gives_identical_records_and_replays_si_first) {
  TemporaryFolder folder;
  const fs::path file = folder.path / "boiler.stb";
  CVaporixDoc saved;
  saved.AddSIResult(MakeState(1.0, 1), MakeTransport(10.0));
  saved.AddEnglishResult(MakeState(14.5, 2), MakeTransport(20.0));
  saved.AddSIResult(MakeState(3.0, 4), MakeTransport(30.0));
  ASSERT_EQ(saved.OnSaveDocument(file), DocumentError::None);
  EXPECT_FALSE(saved.IsModified());
  EXPECT_EQ(saved.Title(), "boiler.stb");
  EXPECT_EQ(saved.SaveChangesQuestion(), "Save changes to boiler.stb?");
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"boiler.stb"}));
  EXPECT_EQ(fs::file_size(file), 2 + 22 + 236 + 2 + 236 + 2 + 2 + 236u);

  CVaporixDoc opened;
  RecordingView view(opened);
  opened.AddView(view);
  opened.AddSIResult(MakeState(99.0, 1), MakeTransport(1.0));
  ASSERT_EQ(opened.OnOpenDocument(file), DocumentError::None);
  EXPECT_FALSE(opened.IsModified());
  EXPECT_EQ(opened.PathName(), file);
  ASSERT_EQ(opened.SIResults().size(), 2u);
  ASSERT_EQ(opened.EnglishResults().size(), 1u);
  const ResultList* lists[][2] = {{&saved.SIResults(), &opened.SIResults()},
                                  {&saved.EnglishResults(), &opened.EnglishResults()}};
  for (const auto& pair : lists) {
    for (std::size_t i = 0; i < pair[0]->size(); ++i) {
      EXPECT_EQ(std::memcmp(&(*pair[0])[i]->state, &(*pair[1])[i]->state, sizeof(StateProperties)),
                0);
      EXPECT_EQ(std::memcmp(&(*pair[0])[i]->transport, &(*pair[1])[i]->transport,
                            sizeof(TransportProperties)),
                0);
    }
  }
  EXPECT_EQ(view.events, (std::vector<std::string>{"replaced", "row 101 p=1.000000",
                                                   "row 101 p=3.000000", "row 102 p=14.500000"}));
}

TEST(vaporix_doc_test, malformed_or_missing_file_leaves_an_empty_document) {
  TemporaryFolder folder;
  const fs::path damaged = folder.path / "damaged.stb";
  std::vector<char> bytes = {0x01, 0x00, '\xFF', '\xFF', 0x02, 0x00};
  WriteFile(damaged, bytes);
  const fs::path missing = folder.path / "missing.stb";
  struct Case {
    fs::path path;
    DocumentError error;
    std::string message;
  };
  const Case cases[] = {
      {damaged, DocumentError::UnexpectedFileFormat, "Unexpected file format."},
      {missing, DocumentError::FileNotFound,
       missing.string() +
           "\nCannot find this file.\nPlease verify that the correct path and file name are "
           "given."},
      {folder.path, DocumentError::FailedToOpen, "Failed to open document."},
  };
  for (const Case& c : cases) {
    CVaporixDoc document;
    RecordingView view(document);
    document.AddView(view);
    document.AddSIResult(MakeState(1.0, 1), MakeTransport(1.0));
    const DocumentError error = document.OnOpenDocument(c.path);
    EXPECT_EQ(error, c.error) << c.path;
    EXPECT_EQ(DocumentErrorMessage(error, c.path.string()), c.message);
    EXPECT_TRUE(document.SIResults().empty());
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.Title(), "Vaporix");
    EXPECT_EQ(view.events, (std::vector<std::string>{"replaced"}));
  }
}

TEST(vaporix_doc_test, empty_document_saves_four_zero_bytes_over_a_longer_file) {
  TemporaryFolder folder;
  const fs::path file = folder.path / "empty.stb";
  WriteFile(file, std::vector<char>(1000, 'x'));
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  CVaporixDoc document;
  ASSERT_EQ(document.OnSaveDocument(file), DocumentError::None);
  EXPECT_EQ(FileBytes(file), (std::vector<char>{0, 0, 0, 0}));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"empty.stb"}));
}

TEST(vaporix_doc_test, saving_through_a_link_replaces_the_linked_file) {
  TemporaryFolder folder;
  const fs::path file = folder.path / "real.stb";
  const fs::path link = folder.path / "link.stb";
  WriteFile(file, {'o', 'l', 'd'});
  fs::create_symlink(file, link);
  CVaporixDoc document;
  ASSERT_EQ(document.OnSaveDocument(link), DocumentError::None);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(FileBytes(file), (std::vector<char>{0, 0, 0, 0}));
}

// A write that fails half-way (the file-size limit stops it) must leave the
// previous file as it was, and no temporary file behind.
TEST(vaporix_doc_test, failed_save_keeps_the_previous_file) {
  TemporaryFolder folder;
  const fs::path file = folder.path / "keep.stb";
  CVaporixDoc first;
  first.AddSIResult(MakeState(1.0, 1), MakeTransport(1.0));
  ASSERT_EQ(first.OnSaveDocument(file), DocumentError::None);
  const std::vector<char> previous = FileBytes(file);
  ASSERT_EQ(previous.size(), 262u);

  CVaporixDoc second;
  for (int i = 0; i < 3; ++i) {
    second.AddSIResult(MakeState(i, 1), MakeTransport(1.0));
  }
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit limited = saved;
  limited.rlim_cur = 100;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const DocumentError error = second.OnSaveDocument(file);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(error, DocumentError::FailedToSave);
  EXPECT_EQ(DocumentErrorMessage(error, ""), "Failed to save document.");
  EXPECT_TRUE(second.IsModified());
  EXPECT_EQ(second.Title(), "Vaporix");
  EXPECT_EQ(FileBytes(file), previous);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"keep.stb"}));
}

TEST(vaporix_doc_test, save_into_a_missing_folder_or_over_a_folder_fails) {
  TemporaryFolder folder;
  fs::create_directories(folder.path / "occupied" / "inside");
  CVaporixDoc document;
  EXPECT_EQ(document.OnSaveDocument(folder.path / "no" / "such.stb"), DocumentError::FailedToSave);
  EXPECT_EQ(document.OnSaveDocument(folder.path / "occupied"), DocumentError::FailedToSave);
  EXPECT_TRUE(fs::is_directory(folder.path / "occupied" / "inside"));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"occupied"}));
}

}  // namespace
}  // namespace vaporix
