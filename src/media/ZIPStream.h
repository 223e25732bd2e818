// The ZIP archive of a container: reads an archive's directory and opens its entries as streams,
// stages new entries (stored or deflated) and writes whole archives. One disk, no encryption, no
// comments, methods 0 and 8, 32-bit sizes and offsets.
#pragma once

#include "media/ZipEntryStream.h"
#include "media/ZipErrors.h"
#include "media/ZipHeaders.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Reports long work: bytes done out of the total.
using TZipProgress = std::function<void(int64_t done, int64_t total)>;

// The entries' header records, kept in name order by TZip; the list owns its records.
class THeaderList {
public:
  int Count() const { return static_cast<int>(items.size()); }
  TFileHeader &operator[](int index) { return *items.at(static_cast<std::size_t>(index)); }
  const TFileHeader &operator[](int index) const { return *items.at(static_cast<std::size_t>(index)); }
  void Add(std::unique_ptr<TFileHeader> header) { items.push_back(std::move(header)); }
  void Delete(int index) { items.erase(items.begin() + index); }
  void Clear() { items.clear(); }
  // Orders by name, ignoring ASCII letter case, as IndexOf searches.
  void Sort();

private:
  std::vector<std::unique_ptr<TFileHeader>> items;
};

class TZip {
public:
  TZip();
  ~TZip();
  TZip(const TZip &) = delete;
  TZip &operator=(const TZip &) = delete;

  int Count() const { return Headers.Count(); }
  const TFileHeader &Header(int index) const { return Headers[index]; }
  // Bytes held in the staging area (local-header space, names and stored data of added entries).
  int64_t StagingSize() { return Staging.Size(); }

  // Reads the central directory of stream (not owned; it must outlive this object and every
  // entry stream). Discards staged entries. nullptr leaves the archive empty. Throws EZipError
  // when the stream is not a ZIP archive, is a Zip64 or multi-disk archive, or its directory is
  // damaged or holds a name longer than 261 bytes.
  void Open(TStream *stream);

  // Position of the entry in name order, found ignoring letter case; -1 when absent or empty.
  int IndexOf(const std::string &name) const;
  // How many entries carry the name, ignoring letter case as IndexOf does.
  int MatchCount(const std::string &name) const;

  // A new read stream positioned at the entry's first data byte, or nullptr when there is no such
  // entry. Throws EZipError for an encrypted entry, another method than stored or deflated, Zip64
  // sizes, a local header or data outside the archive, or a local header whose name, method, flags,
  // CRC-32 or sizes differ from the central directory's (CRC and sizes not with a data descriptor). Reading it to its end checks its size
  // and CRC-32 (TZipEntryStream::Verify forces the check). Its Size() is the directory's
  // UncompressedSize, known without inflating. Streams share the archive stream: use one at a time.
  // Entries added with AddEntryFrom cannot be read back from this object.
  std::unique_ptr<TZipEntryStream> GetEntryStream(const std::string &name);
  void FreeEntryStream(std::unique_ptr<TZipEntryStream> &stream) { stream.reset(); }

  // Stages data (size bytes) as the entry name, replacing an entry of the same name, at level
  // 0..3 (clamped): 0 stores, 1..3 deflate with zlib levels 1, default and 9. An empty name adds
  // nothing; a name longer than 261 bytes throws EZipError.
  void AddEntry(const std::string &name, const void *data, int level, uint32_t size);

  // Like AddEntry, but the data are the whole of source (not owned; it must stay readable and
  // seekable until the last WriteTo). Nothing is read now: WriteTo reads source in 1 MiB chunks,
  // checksums and deflates them straight into the target and patches the local header's CRC and
  // sizes afterwards. The archive's bytes are the same as AddEntry would give for the same data,
  // name, level and time; memory stays at a few MiB whatever the source's size.
  void AddEntryFrom(const std::string &name, TStream &source, int level);

  // Removes the entry, cutting its bytes out of the staging area if it was staged.
  void RemoveEntry(const std::string &name);

  // Writes the whole archive: local headers and data of every entry in name order, the central
  // directory and its end record; nothing at all when there are no entries. target must be
  // positioned at 0 (offsets count from there) and be seekable when AddEntryFrom entries exist.
  // progress, if given, follows the bytes of streamed entries. Throws EZipError when the
  // archive would exceed 4 GiB or 65535 entries. Can be repeated.
  void WriteTo(TStream &target, const TZipProgress &progress = {});

  // Copies the entry's uncompressed data into target at its position, inflating through bounded
  // buffers, and checks its size and CRC-32; returns the byte count. Throws EZipError for a
  // missing ("Archiv neobsahuje položku …"), unsupported or damaged entry.
  int64_t ExtractEntry(const std::string &name, TStream &target, const TZipProgress &progress = {});

  // Entries added from now on get this time instead of the clock's (reproducible archives).
  void SetFixedTime(const TLocalTime &time) { FixedTime = time; }
  // Streamed entries are deflated on this many threads (0: every core); the bytes are the same for any count.
  void SetDeflateThreads(unsigned threads) { DeflateThreads = threads; }

private:
  std::unique_ptr<TFileHeader> NewHeader(const std::string &name, int level);
  int64_t LocalHeaderPosition(const TFileHeader &header) const;
  int64_t DataPosition(const TFileHeader &header) const;
  void CheckLocalAgrees(const TFileHeader &header, const TLocalHeader &local, int64_t at) const;
  void CheckReadable(const TFileHeader &header) const;
  void WriteEntry(TStream &target, TFileHeader &header, const TZipProgress &progress);
  void StreamEntry(TStream &target, TFileHeader &header, const TZipProgress &progress);

  THeaderList Headers;
  TStream *Source = nullptr;
  TMemoryStream Staging;
  // Where the opened archive starts in Source (data prepended to it shift every offset) and where
  // its central directory begins: every entry's bytes lie between the two.
  int64_t ArchiveStart = 0;
  int64_t DirectoryStart = 0;
  std::optional<TLocalTime> FixedTime;
  unsigned DeflateThreads = 0;
};
