#include "CVaporixDoc.h"

#include <algorithm>
#include <memory>

#include "StbFile.h"

namespace vaporix {

void CVaporixDoc::AddSIResult(const StateProperties& state, const TransportProperties& transport) {
  siResults.push_back(std::make_unique<CSteamPropObject>(state, transport));
  SetModifiedFlag();
}

void CVaporixDoc::AddEnglishResult(const StateProperties& state,
                                   const TransportProperties& transport) {
  englishResults.push_back(std::make_unique<CSteamPropObject>(state, transport));
  SetModifiedFlag();
}

void CVaporixDoc::PublishSIResult(const StateProperties& state,
                                  const TransportProperties& transport) {
  AddSIResult(state, transport);
  latestState = state;
  latestTransport = transport;
  UpdateAllViews(nullptr, UpdateHint::SIResultAdded);
}

void CVaporixDoc::PublishEnglishResult(const StateProperties& state,
                                       const TransportProperties& transport) {
  AddEnglishResult(state, transport);
  latestState = state;
  latestTransport = transport;
  UpdateAllViews(nullptr, UpdateHint::EnglishResultAdded);
}

void CVaporixDoc::DeleteContents() {
  siResults.clear();
  englishResults.clear();
}

bool CVaporixDoc::OnNewDocument() {
  DeleteContents();
  pathName.clear();
  const std::vector<CDocumentView*> receivers = views;
  for (CDocumentView* view : receivers) {
    view->OnNewDocument();
  }
  SetModifiedFlag(false);
  return true;
}

DocumentError CVaporixDoc::OnOpenDocument(const std::filesystem::path& path) {
  DeleteContents();
  StbReadResult read = ReadStbFile(path);
  SetModifiedFlag(false);
  if (!read) {
    pathName.clear();
    ReplayToViews();
    return read.error;
  }
  siResults = std::move(read.siResults);
  englishResults = std::move(read.englishResults);
  pathName = path;
  ReplayToViews();
  return DocumentError::None;
}

DocumentError CVaporixDoc::OnSaveDocument(const std::filesystem::path& path) {
  const DocumentError error = WriteStbFile(path, siResults, englishResults);
  if (error == DocumentError::None) {
    pathName = path;
    SetModifiedFlag(false);
  }
  return error;
}

std::string CVaporixDoc::Title() const {
  return pathName.empty() ? std::string(kNewDocumentName) : pathName.filename().string();
}

void CVaporixDoc::AddView(CDocumentView& view) {
  if (std::find(views.begin(), views.end(), &view) == views.end()) {
    views.push_back(&view);
  }
}

void CVaporixDoc::RemoveView(CDocumentView& view) {
  views.erase(std::remove(views.begin(), views.end(), &view), views.end());
}

void CVaporixDoc::UpdateAllViews(CDocumentView* sender, UpdateHint hint) {
  // A copy, so that a view may leave while it is being told.
  const std::vector<CDocumentView*> receivers = views;
  for (CDocumentView* view : receivers) {
    view->OnUpdate(sender, hint);
  }
}

void CVaporixDoc::ReplayToViews() {
  const std::vector<CDocumentView*> receivers = views;
  for (CDocumentView* view : receivers) {
    view->OnContentsReplaced();
    for (const auto& object : siResults) {
      latestState = object->state;
      latestTransport = object->transport;
      view->OnResultReplayed(UpdateHint::SIResultAdded);
    }
    for (const auto& object : englishResults) {
      latestState = object->state;
      latestTransport = object->transport;
      view->OnResultReplayed(UpdateHint::EnglishResultAdded);
    }
  }
}

}  // namespace vaporix
