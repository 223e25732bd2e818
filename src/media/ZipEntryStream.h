// The read-only streams over one archive entry: the shared integrity check and the window onto a
// stored entry. The inflating stream is in ZipInflate.h.
#pragma once

#include "platform/Streams.h"

#include <cstdint>
#include <string>

// What an entry stream needs to know about its entry.
struct TEntryInfo {
  std::string Name;
  uint32_t Crc32 = 0;
  uint32_t CompressedSize = 0;
  uint32_t UncompressedSize = 0;
};

// Base of both entry streams. The bytes delivered from position 0 onwards are checked as they go:
// once the last byte has been read, the length and the CRC-32 are compared with the directory,
// and a mismatch throws EZipError. Write always fails; Size is the directory's UncompressedSize.
class TZipEntryStream : public TStream {
public:
  int64_t Write(const void *buffer, int64_t count) override;
  int64_t Size() override { return Entry.UncompressedSize; }
  // Reads whatever has not been read yet and checks the entry; throws EZipError when it is damaged.
  virtual void Verify() = 0;
  const TEntryInfo &Info() const { return Entry; }

protected:
  explicit TZipEntryStream(TEntryInfo entry) : Entry(std::move(entry)) {}
  // Feeds bytes that start at position to the running CRC; bytes out of order are skipped.
  void Track(int64_t position, const uint8_t *data, int64_t count);
  // Once every byte has been tracked, compares the CRC with the directory's (once).
  void CheckCrc();
  bool Checked() const { return checked; }
  int64_t Covered() const { return covered; }
  void RestartCheck();

  TEntryInfo Entry;

private:
  uint32_t crc = 0;
  int64_t covered = 0;
  bool checked = false;
};

// A window onto a stored entry of Source: StartPosition is its first data byte.
class TStoredStream : public TZipEntryStream {
public:
  // source must be positioned at the entry's first data byte; it is not owned.
  TStoredStream(TStream &source, TEntryInfo entry);

  int64_t Read(void *buffer, int64_t count) override;
  // Positions clamp to 0..EntrySize.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void Verify() override;

private:
  TStream &Source;
  int64_t EntrySize;
  int64_t StartPosition;
  int64_t CurrentPosition;
};
