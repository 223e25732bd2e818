// The backing file's claim, release and stale-file removal, guarded by its lock.
#include "media/BackingFile.h"

#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "platform/Files.h"
#include "platform/RawFiles.h"

#include <cerrno>
#include <cstring>

std::unique_ptr<TBackingFile> TBackingFile::TryClaim(const std::string &path) {
  // A competitor may delete the name between our open and our lock; then the claim starts over.
  for (int attempt = 0; attempt < 16; ++attempt) {
    {
      bool notAFile = false;
      TDescriptor created{OpenOrCreateNoFollow(path, notAFile)};
      if (notAFile)
        return nullptr; // a folder or a link sits at that name: the caller picks another
      if (created.handle < 0)
        throw EFCreateError(Substitute("Cannot create file \"%s\". %s", {path, std::strerror(errno)}));
    }
    auto stream = std::make_unique<TFileStream>(path, TFileMode::fmOpenReadWrite);
    if (!TryLockExclusive(stream->Handle()))
      return nullptr;
    if (!SameFile(stream->Handle(), path))
      continue;
    stream->SetSize(0);
    return std::make_unique<TBackingFile>(path, std::move(stream));
  }
  return nullptr;
}

std::unique_ptr<TBackingFile> TBackingFile::TryAdopt(const std::string &path, const TFileIdentity &expected) {
  TDescriptor opened{OpenNoFollow(path, TAccess::ReadWrite)};
  if (opened.handle < 0 || !TryLockExclusive(opened.handle) || !SameFile(opened.handle, path))
    return nullptr;
  const TFileIdentity found = IdentityOf(opened.handle);
  if (found.Device != expected.Device || found.Inode != expected.Inode || found.Size < expected.Size)
    return nullptr;
  auto stream = std::make_unique<TFileStream>(path, opened.handle);
  opened.handle = -1;
  return std::make_unique<TBackingFile>(path, std::move(stream));
}

TBackingFile::TBackingFile(std::string path_, std::unique_ptr<TFileStream> stream_)
    : path(std::move(path_)), stream(std::move(stream_)) {}

TBackingFile::~TBackingFile() {
  if (!keptOnDisk && SameFile(stream->Handle(), path))
    DeleteFile(path);
}

bool BackingNameTaken(const std::string &path) { return AnythingAt(path); }

bool RemoveStaleBackingFile(const std::string &path) { return RemoveIfUnlocked(path); }
