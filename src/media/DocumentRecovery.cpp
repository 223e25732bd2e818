// Obnovit: a dead editor's document rebuilt from its journal, the container's backing file it kept and the steps of
// its history replayed in order; then the journal goes on in this editor.
#include "media/DocumentController.h"

#include "media/MediaMessages.h"
#include "media/Recovery.h"
#include "media/RecoveryJournal.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/TextLanguage.h"

namespace {
// Replays the steps onto the document's list and history; returns the document's file after them.
std::string Replay(TMediaStream &document, std::vector<TJournalEvent> &events, std::string path) {
  TUndoHistory &history = document.History;
  TFileList &list = document.List;
  // A change that joined the step before it was recorded inside a group: the replay keeps one open and starts
  // a new one wherever a step began.
  history.BeginGroup();
  for (TJournalEvent &event : events) {
    switch (event.Type) {
    case 'C':
      if (!event.Joined) {
        history.EndGroup();
        history.BeginGroup();
      }
      event.Change.Redo(list);
      history.Record(std::move(event.Change));
      break;
    case 'U': history.Undo(list); break;
    case 'R': history.Redo(list); break;
    case 'S':
      history.MarkSaved();
      document.RememberDiskFile(event.Path, event.Identity);
      path = event.Path;
      break;
    }
  }
  history.EndGroup();
  return path;
}

// A source file counts as changed when its size or modification time is not what it was when added.
bool SourceChanged(const TFileListItem &entry, int64_t stamp) {
  const std::optional<TFileIdentity> now = IdentityOf(entry.SourcePath);
  return !now || now->Size != entry.Size || (stamp != 0 && now->ModifiedNs != stamp);
}
} // namespace

std::vector<std::string> TDocumentController::Restore(TJournalClaim &claim) {
  TJournalContent content;
  if (!ReadJournal(claim.Handle(), true, content))
    throw Exception(Translated(MediaMessages::JournalUnreadable));
  auto restored = std::make_unique<TMediaStream>();
  TMediaKind restoredKind = content.Base.Kind;
  if (!content.Base.BackingPath.empty())
    restored->AdoptBackingFile(content.Base.BackingPath, content.Base.Backing, restoredKind);
  if (!content.Base.ContainerPath.empty())
    restored->RememberDiskFile(content.Base.ContainerPath, content.Base.Container);
  std::string restoredPath;
  try {
    restoredPath = Replay(*restored, content.Events, content.Base.ContainerPath);
  } catch (const Exception &) {
    // The journal and its backing file stay for another try.
    restored->KeepBackingFileOnDisk();
    throw Exception(Translated(MediaMessages::JournalUnreadable));
  }

  EndJournal();
  document = std::move(restored);
  kind = restoredKind;
  path = restoredPath;
  Replaced();
  journal = std::make_unique<TRecoveryJournal>(claim.Path(), claim.Release(), content.Length, document->List,
                                               document->History,
                                               [this](const TFileListItem &entry) { return SourceStamp(entry); });
  document->History.SetListener(journal.get());
  document->KeepBackingFileOnSignal();

  std::vector<std::string> lost;
  std::vector<int> lostRows;
  const auto &items = document->List.Items();
  for (std::size_t position = 0; position < items.size(); ++position) {
    const TFileListItem &entry = *items[position];
    if (entry.SourcePath.empty())
      continue;
    const auto stamp = content.SourceStamps.find(entry.Id);
    const int64_t modifiedNs = stamp != content.SourceStamps.end() ? stamp->second : 0;
    states[entry.Id].Source = TEntrySource{entry.SourcePath, entry.Size, modifiedNs};
    if (SourceChanged(entry, modifiedNs)) {
      lost.push_back(entry.SourcePath);
      lostRows.push_back(RowOfPosition(static_cast<int>(position)));
    }
  }
  if (!lostRows.empty()) {
    ToggleMarks(lostRows);
    Remove();
  }
  return lost;
}
