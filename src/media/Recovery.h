// Finding the recovery journals that editors no longer running left behind, offering them, and the backing files
// they keep from the stale-file cleanup.
#pragma once

#include "media/RecoveryJournal.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

class TDocumentController;

// A journal file held under its lock while it is looked at, offered, restored or discarded: nobody else does so
// meanwhile, and a journal whose editor is still running (holding the lock) is never claimed.
class TJournalClaim {
public:
  // nullptr when a running editor holds the journal at path, or the file is no journal.
  static std::unique_ptr<TJournalClaim> TryClaim(const std::string &path);
  // Lets go of the lock; the file stays unless Discard or Release was called.
  ~TJournalClaim();
  TJournalClaim(const TJournalClaim &) = delete;
  TJournalClaim &operator=(const TJournalClaim &) = delete;

  const std::string &Path() const { return path; }
  int Handle() const { return handle; }
  // The header and the summary after the last whole record.
  const TJournalContent &Summary() const { return summary; }
  // Zahodit: deletes the backing file the journal kept and then the journal.
  void Discard();
  // The descriptor, lock included, for the journal that goes on with the file.
  int Release();

private:
  TJournalClaim(std::string path, int handle) : path(std::move(path)), handle(handle) {}
  std::string path;
  int handle;
  TJournalContent summary;
};

// The journal files in folder, oldest first.
std::vector<std::string> JournalFiles(const std::string &folder);
// The names (without folder) of the backing files that the journals in folder refer to.
std::set<std::string> BackingFilesOfJournals(const std::string &folder);
// True when a journal other than ownJournal holds unsaved changes of the container at containerPath: another
// editor has it open with changes, or a dead one left them.
bool UnsavedJournalFor(const std::string &containerPath, const std::string &ownJournal);

// At start: offers the journals of editors no longer running, one at a time, through the prompt. A journal
// without unsaved changes goes with its backing file without a question. The first one the user restores
// becomes controller's document (true); the others stay for the next start. The source files that changed or
// vanished since are named in a message.
bool OfferRecovery(TDocumentController &controller);
