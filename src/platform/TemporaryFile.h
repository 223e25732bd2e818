// A file under a fresh name in a chosen folder: deleted when dropped, or renamed into place once complete.
#pragma once

#include "platform/Exceptions.h"
#include "platform/SignalCleanup.h"
#include "platform/Streams.h"

#include <memory>
#include <string>

class TTemporaryFile {
public:
  // Creates an empty file named prefix + "tvk-tmp-" + the process id + "-" + six random letters or digits in
  // folder and holds its lock, so that RemoveAbandonedTemporaryFiles of another process leaves it alone; the
  // platform's error when it cannot, naming shownName (the user's file it stands for) when given.
  // A SIGINT, SIGTERM or SIGHUP that ends the process deletes it (see InstallSignalCleanup).
  TTemporaryFile(const std::string &folder, const std::string &prefix, const std::string &shownName = "");
  // Deletes the file unless CommitAs moved it into place.
  ~TTemporaryFile();
  TTemporaryFile(const TTemporaryFile &) = delete;
  TTemporaryFile &operator=(const TTemporaryFile &) = delete;

  TFileStream &Stream() { return *stream; }
  const std::string &Path() const { return path; }

  // Flushes the file to the disk and renames it to target, atomically, still holding its lock; then closes
  // it. The file takes the owner, group and permissions of the file it replaces where the process may set them,
  // or the usual permissions for a new file. With
  // replace false an existing target is kept and the commit fails.
  void CommitAs(const std::string &target, bool replace);

private:
  std::string path;
  std::unique_ptr<TFileStream> stream;
  std::unique_ptr<TRemoveOnSignal> removeOnSignal;
  bool committed = false;
};

// Runs work, which writes temporary files standing for the user's file path: a failed write names path and the
// system's reason, never the hidden file it went to.
template <typename TWork> void WritingFor(const std::string &path, TWork work) {
  try {
    work();
  } catch (const EWriteError &failure) {
    if (failure.Reason().empty())
      throw;
    throw EWriteError(path, failure.Reason());
  }
}

// True for a name TTemporaryFile gives with this prefix, and for no other.
bool IsTemporaryFileName(const std::string &name, const std::string &prefix);
// Deletes the regular files in folder named as TTemporaryFile names them with prefix that a killed process left
// behind: only those whose lock no living process holds. A name a person would choose is never touched.
void RemoveAbandonedTemporaryFiles(const std::string &folder, const std::string &prefix);
