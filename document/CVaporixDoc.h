#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "CSteamPropObject.h"
#include "DocumentError.h"
#include "StbArchive.h"
#include "vaporix/StateProperties.h"

namespace vaporix {

// How the document type is shown and registered.
inline constexpr std::string_view kDocumentFileFilter = "Vaporix Files (*.stb)";
inline constexpr std::string_view kDocumentExtension = ".stb";
// The name of a document never saved: the window title, the save prompt and
// the name Save As proposes.
inline constexpr std::string_view kNewDocumentName = "Vaporix";

// Update hints the document sends to its views.
enum class UpdateHint : int {
  SIResultAdded = 101,       // latestState/latestTransport hold a new SI result
  EnglishResultAdded = 102,  // latestState/latestTransport hold a new English result
  GridFocused = 103,         // a grid got the keyboard focus: clear grid selections
};

// A window that shows the document. The document does not own its views; a
// view registers itself with AddView and leaves with RemoveView.
class CDocumentView {
 public:
  virtual ~CDocumentView() = default;

  // A change announced by UpdateAllViews; `sender` is the view that caused it, or null.
  virtual void OnUpdate(CDocumentView* sender, UpdateHint hint) = 0;
  // A new, empty document: the output pane empties its tables, the main
  // view resets its input pages.
  virtual void OnNewDocument() {}
  // The lists were replaced by a file's contents (or emptied by a failed
  // open); the replay of every stored result follows.
  virtual void OnContentsReplaced() {}
  // One stored result of an opened file, in list order (SI list first);
  // latestState/latestTransport hold it and `hint` names its list.
  virtual void OnResultReplayed(UpdateHint /*hint*/) {}
};

// The document: every result calculated in SI units and every result
// calculated in English units, in calculation order, saved as a ".stb" file.
class CVaporixDoc {
 public:
  CVaporixDoc() = default;
  ~CVaporixDoc() = default;
  CVaporixDoc(const CVaporixDoc&) = delete;
  CVaporixDoc& operator=(const CVaporixDoc&) = delete;

  const ResultList& SIResults() const { return siResults; }
  const ResultList& EnglishResults() const { return englishResults; }

  // Each appends a copy of the records to its list and sets the modified flag.
  void AddSIResult(const StateProperties& state, const TransportProperties& transport);
  void AddEnglishResult(const StateProperties& state, const TransportProperties& transport);

  // What an input page does with a new result: append it, make it the
  // latest result and tell the views (hint 101 or 102).
  void PublishSIResult(const StateProperties& state, const TransportProperties& transport);
  void PublishEnglishResult(const StateProperties& state, const TransportProperties& transport);

  // Empties both lists; the latest records keep their values.
  void DeleteContents();

  bool IsModified() const { return modified; }
  void SetModifiedFlag(bool isModified = true) { modified = isModified; }

  // New: empties the lists, lets every view clear itself, clears the
  // modified flag and forgets the file name.
  bool OnNewDocument();
  // Open: replaces the lists by the file's contents and replays them to the
  // views. On failure the document is left empty and unnamed, and the views
  // are told so.
  DocumentError OnOpenDocument(const std::filesystem::path& path);
  // Save: writes both lists (a failed save leaves the previous file as it
  // was); on success the document takes the file name and is unmodified.
  DocumentError OnSaveDocument(const std::filesystem::path& path);

  const std::filesystem::path& PathName() const { return pathName; }
  // The file name without folder, or "Vaporix" for a document never saved.
  std::string Title() const;
  // The question asked before New, Open or Exit discard unsaved changes.
  std::string SaveChangesQuestion() const { return "Save changes to " + Title() + "?"; }

  void AddView(CDocumentView& view);
  void RemoveView(CDocumentView& view);
  void UpdateAllViews(CDocumentView* sender, UpdateHint hint);

  // The result the output pane is to show next.
  StateProperties latestState{};
  TransportProperties latestTransport{};

 private:
  void ReplayToViews();

  ResultList siResults;
  ResultList englishResults;
  bool modified = false;
  std::filesystem::path pathName;
  std::vector<CDocumentView*> views;
};

}  // namespace vaporix
