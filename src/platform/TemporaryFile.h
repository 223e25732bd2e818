// A file under a fresh name in a chosen folder: deleted when dropped, or renamed into place once complete.
#pragma once

#include "platform/Streams.h"

#include <memory>
#include <string>

class TTemporaryFile {
public:
  // Creates an empty file named prefix + six random characters in folder; the platform's error when it cannot.
  TTemporaryFile(const std::string &folder, const std::string &prefix);
  // Deletes the file unless CommitAs moved it into place.
  ~TTemporaryFile();
  TTemporaryFile(const TTemporaryFile &) = delete;
  TTemporaryFile &operator=(const TTemporaryFile &) = delete;

  TFileStream &Stream() { return *stream; }
  const std::string &Path() const { return path; }

  // Flushes the file to the disk, closes it and renames it to target, atomically. The file takes the
  // permissions of the file it replaces, or the usual ones for a new file. With replace false an existing
  // target is kept and the commit fails.
  void CommitAs(const std::string &target, bool replace);

private:
  std::string path;
  std::unique_ptr<TFileStream> stream;
  bool committed = false;
};
