// The recovery journal of a document with unsaved changes: what it was opened from and every step of its history
// since, appended as framed records that a kill mid-write cannot spoil, and read back after a crash.
#pragma once

#include "media/FileListItems.h"
#include "media/UndoHistory.h"
#include "platform/Files.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TFileList;

// Where the document's steps start: the container it was opened from (path empty for a new document) and the
// backing file holding that container's media stream (path empty when there is none).
struct TJournalBase {
  TMediaKind Kind = mkImages;
  std::string ContainerPath;
  TFileIdentity Container;
  std::string BackingPath;
  TFileIdentity Backing;
};

// One step read back: a change, an undo ('U'), a redo ('R') or a save ('S', to Path as Identity).
struct TJournalEvent {
  char Type = 'C';
  bool Joined = false;
  TListChange Change;
  std::string Path;
  TFileIdentity Identity;
};

// A journal read back up to its last whole record.
struct TJournalContent {
  TJournalBase Base;
  // Left empty when only the summary was asked for.
  std::vector<TJournalEvent> Events;
  // The modification time of the source file of each entry (by the Id the reading gave it) as it was added.
  std::map<uint64_t, int64_t> SourceStamps;
  // The summary after the last step: the document's file, entry count, unsaved changes, time (ns since 1970).
  std::string Path;
  int Count = 0;
  bool Modified = false;
  int64_t LastChangeNs = 0;
  // The bytes of whole records: a torn record after them is left out.
  int64_t Length = 0;
};

// Reads the journal open at handle from its start; false when it is no journal (no whole header record).
// withEvents false reads only the header and the summary.
bool ReadJournal(int handle, bool withEvents, TJournalContent &content);

// The name of a journal file, "Recovery-" + process id + "-" + six letters or digits + ".journal", and no other.
bool IsJournalFileName(const std::string &name);

// The modification time a source file had when its entry was added (0 when unknown).
using TSourceStamp = std::function<int64_t(const TFileListItem &entry)>;

// Writes the journal of one document: the history's listener. Steps are kept in memory and reach the disk at
// Flush, which the editor calls at most a moment after a change; the file is made at the first Flush that finds
// unsaved changes and goes when the journal does (the document is closed, replaced or dropped unsaved).
class TRecoveryJournal : public THistoryListener {
public:
  // A journal for a document starting at base, with its file in the backing folder.
  TRecoveryJournal(const TJournalBase &base, const TFileList &list, const TUndoHistory &history,
                   TSourceStamp sourceStamp);
  // Goes on with the journal file open and locked at handle, whose whole records end at length.
  TRecoveryJournal(std::string path, int handle, int64_t length, const TFileList &list, const TUndoHistory &history,
                   TSourceStamp sourceStamp);
  // Deletes the file while its lock is still held.
  ~TRecoveryJournal() override;
  TRecoveryJournal(const TRecoveryJournal &) = delete;
  TRecoveryJournal &operator=(const TRecoveryJournal &) = delete;

  void Recorded(const TListChange &change, bool joined) override;
  void Stepped(bool back) override;
  // The document was saved to path, which is now as identity says.
  void Saved(const std::string &path, const TFileIdentity &identity);

  // Steps wait to be written (and there is a file for them, or unsaved changes to make one).
  bool Pending() const;
  // Appends the waiting steps and flushes them to the disk. True when the journal has a file. A write that
  // fails throws EWriteError and is taken back, so the steps wait for the next Flush.
  bool Flush();
  // The file, empty before the first Flush made it.
  const std::string &Path() const { return path; }

private:
  std::string path;
  int handle = -1;
  int64_t written = 0;
  std::vector<uint8_t> pending;
  const TFileList &list;
  const TUndoHistory &history;
  TSourceStamp sourceStamp;

  void Append(const std::vector<uint8_t> &payload);
  void CreateFile();
};
