// The journals left behind: claimed under their locks, offered newest first, restored or discarded.
#include "media/Recovery.h"

#include "media/DocumentController.h"
#include "media/MediaMessages.h"
#include "platform/AppFolder.h"
#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/TextLanguage.h"

#include "platform/RawFiles.h"

#include <algorithm>
#include <utility>

namespace {
bool SameIdentity(const std::string &path, const TFileIdentity &expected) {
  const std::optional<TFileIdentity> now = IdentityOf(path);
  return now && now->Device == expected.Device && now->Inode == expected.Inode;
}
} // namespace

std::unique_ptr<TJournalClaim> TJournalClaim::TryClaim(const std::string &path) {
  TDescriptor opened{OpenNoFollow(path, TAccess::ReadWrite)};
  if (opened.handle < 0 || !TryLockExclusive(opened.handle) || !SameFile(opened.handle, path))
    return nullptr;
  std::unique_ptr<TJournalClaim> claim(new TJournalClaim(path, opened.handle));
  opened.handle = -1;
  if (!ReadJournal(claim->handle, false, claim->summary))
    return nullptr;
  return claim;
}

TJournalClaim::~TJournalClaim() {
  if (handle >= 0)
    CloseFile(handle);
}

void TJournalClaim::Discard() {
  const TJournalBase &base = summary.Base;
  if (!base.BackingPath.empty() && SameIdentity(base.BackingPath, base.Backing))
    RemoveIfUnlocked(base.BackingPath);
  if (SameFile(handle, path))
    DeleteFile(path);
}

int TJournalClaim::Release() { return std::exchange(handle, -1); }

std::vector<std::string> JournalFiles(const std::string &folder) {
  std::vector<std::string> files;
  for (const std::string &name : FolderNames(folder))
    if (IsJournalFileName(name))
      files.push_back(folder + "/" + name);
  std::sort(files.begin(), files.end());
  return files;
}

std::set<std::string> BackingFilesOfJournals(const std::string &folder) {
  std::set<std::string> names;
  for (const std::string &file : JournalFiles(folder)) {
    const TDescriptor opened{OpenNoFollow(file, TAccess::Read)};
    TJournalContent content;
    if (opened.handle >= 0 && ReadJournal(opened.handle, false, content) && !content.Base.BackingPath.empty() &&
        ExtractFileDir(content.Base.BackingPath) == folder)
      names.insert(ExtractFileName(content.Base.BackingPath));
  }
  return names;
}

bool UnsavedJournalFor(const std::string &containerPath, const std::string &ownJournal) {
  const std::string folder = ExistingBackingFolder();
  if (folder.empty())
    return false;
  // The same file, whichever path leads to it.
  const std::optional<TFileIdentity> wanted = IdentityOf(containerPath);
  if (!wanted)
    return false;
  for (const std::string &file : JournalFiles(folder)) {
    if (file == ownJournal)
      continue;
    const TDescriptor opened{OpenNoFollow(file, TAccess::Read)};
    TJournalContent content;
    if (opened.handle >= 0 && ReadJournal(opened.handle, false, content) && content.Modified &&
        !content.Path.empty() && SameIdentity(content.Path, *wanted))
      return true;
  }
  return false;
}

bool OfferRecovery(TDocumentController &controller) {
  const std::string folder = ExistingBackingFolder();
  if (folder.empty())
    return false;
  std::vector<std::unique_ptr<TJournalClaim>> claims;
  for (const std::string &file : JournalFiles(folder))
    if (auto claim = TJournalClaim::TryClaim(file)) {
      if (claim->Summary().Modified)
        claims.push_back(std::move(claim));
      else
        claim->Discard(); // saved, or undone back to the saved point: nothing is lost with it
    }
  std::sort(claims.begin(), claims.end(), [](const auto &a, const auto &b) {
    return a->Summary().LastChangeNs > b->Summary().LastChangeNs;
  });
  for (const auto &claim : claims) {
    const TJournalContent &summary = claim->Summary();
    switch (Prompt().AskRecovery({summary.Path, summary.LastChangeNs, summary.Count})) {
    case TRecoveryAnswer::Later: continue;
    case TRecoveryAnswer::Discard: claim->Discard(); continue;
    case TRecoveryAnswer::Restore: break;
    }
    const std::vector<std::string> lost = controller.Restore(*claim);
    if (!lost.empty()) {
      std::string list;
      for (const std::string &source : lost)
        list += (list.empty() ? "" : "\n") + source;
      Prompt().ShowError(Substitute(Translated(MediaMessages::SourcesLost), {list}));
    }
    return true;
  }
  return false;
}
