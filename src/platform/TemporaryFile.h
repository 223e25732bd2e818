// A file under a fresh name in a chosen folder: deleted when dropped, or renamed into place once complete.
#pragma once

#include "platform/SignalCleanup.h"
#include "platform/Streams.h"

#include <memory>
#include <string>

class TTemporaryFile {
public:
  // Creates an empty file named prefix + six random letters or digits in folder and holds its lock, so that
  // RemoveAbandonedTemporaryFiles of another process leaves it alone; the platform's error when it cannot.
  // A SIGINT, SIGTERM or SIGHUP that ends the process deletes it (see InstallSignalCleanup).
  TTemporaryFile(const std::string &folder, const std::string &prefix);
  // Deletes the file unless CommitAs moved it into place.
  ~TTemporaryFile();
  TTemporaryFile(const TTemporaryFile &) = delete;
  TTemporaryFile &operator=(const TTemporaryFile &) = delete;

  TFileStream &Stream() { return *stream; }
  const std::string &Path() const { return path; }

  // Flushes the file to the disk and renames it to target, atomically, still holding its lock; then closes
  // it. The file takes the permissions of the file it replaces, or the usual ones for a new file. With
  // replace false an existing target is kept and the commit fails.
  void CommitAs(const std::string &target, bool replace);

private:
  std::string path;
  std::unique_ptr<TFileStream> stream;
  std::unique_ptr<TRemoveOnSignal> removeOnSignal;
  bool committed = false;
};

// Deletes the files prefix + six letters or digits in folder that a killed process left behind: only those
// whose lock no living process holds.
void RemoveAbandonedTemporaryFiles(const std::string &folder, const std::string &prefix);
