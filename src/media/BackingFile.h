// The backing file of a document: a temporary file that a living document holds under an exclusive lock.
#pragma once

#include "platform/Files.h"
#include "platform/SignalCleanup.h"
#include "platform/Streams.h"

#include <memory>
#include <string>

// A file that other processes hold open can still be deleted, so "held by another document" is the file's lock:
// whoever holds it owns the file, and nobody deletes or truncates a file locked by someone else.
class TBackingFile {
public:
  // Creates (or empties) the file at path and locks it; nullptr when another document holds it.
  // Throws the platform's file error when the file cannot be created at all.
  static std::unique_ptr<TBackingFile> TryClaim(const std::string &path);
  // Takes over the backing file a dead editor's journal kept: locks it and checks that it is still the file the
  // journal names (device, inode and size as expected); nullptr when it is gone, another file or held.
  static std::unique_ptr<TBackingFile> TryAdopt(const std::string &path, const TFileIdentity &expected);
  // Takes over a claimed file: stream is open on path and holds its lock.
  TBackingFile(std::string path, std::unique_ptr<TFileStream> stream);
  // Deletes the file while it is still locked, then closes it; failures are not reported.
  ~TBackingFile();
  TBackingFile(const TBackingFile &) = delete;
  TBackingFile &operator=(const TBackingFile &) = delete;

  TFileStream &Stream() { return *stream; }
  const std::string &Path() const { return path; }
  // A recovery journal refers to the file now: a signal ending the program leaves it for the next start.
  void KeepOnSignal() { removeOnSignal.reset(); }
  // The file stays when this object goes (a restore that failed leaves it to the journal).
  void KeepOnDisk() { keptOnDisk = true; }

private:
  std::string path;
  std::unique_ptr<TFileStream> stream;
  std::unique_ptr<TRemoveOnSignal> removeOnSignal = std::make_unique<TRemoveOnSignal>(path);
  bool keptOnDisk = false;
};

// True when something (a file, a folder, a link) exists at path.
bool BackingNameTaken(const std::string &path);
// Deletes a stale backing file left by an earlier run; false when a living document holds it or it cannot go.
// True as well when nothing is there.
bool RemoveStaleBackingFile(const std::string &path);
