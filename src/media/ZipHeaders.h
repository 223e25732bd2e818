// The ZIP records as this program reads and writes them, through the little-endian cursor and writer.
#pragma once

#include "platform/Clock.h"
#include "platform/LittleEndian.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t LocalHeaderSignature = 0x04034B50;
constexpr uint32_t CentralHeaderSignature = 0x02014B50;
constexpr uint32_t CentralDirectoryEndSignature = 0x06054B50;
constexpr uint32_t Zip64LocatorSignature = 0x07064B50;

constexpr std::size_t LocalHeaderSize = 30;    // signature and TLocalHeader
constexpr std::size_t CentralHeaderSize = 46;  // signature and the 42-byte block of TFileHeader
constexpr std::size_t DirectoryEndSize = 22;   // signature and TCentralDirectoryEnd
constexpr std::size_t MaxEntryNameLength = 261;

constexpr uint16_t FlagEncrypted = 0x0001;
constexpr uint16_t FlagDataDescriptor = 0x0008;
constexpr uint16_t FlagStrongEncryption = 0x0040;
constexpr uint16_t MethodStored = 0;
constexpr uint16_t MethodDeflated = 8;

// Raises the archive's "record cut short" error: what a TByteReader of an archive record does at its end.
[[noreturn]] void RecordCutShort();

// Where an entry's stored bytes live.
enum class TEntryOrigin {
  Archive,  // Stream is the opened archive; LocalHeaderOffset counts from the archive's start
  Staged,   // Stream is the staging area; the entry's span starts at LocalHeaderOffset
  Streamed, // Stream is a caller's source, compressed while the archive is written
};

// Each record lists its packed fields once, in Fields(record, coder), which a TByteReader fills
// and a TByteWriter writes.

// One entry: the central directory file header after its signature (the first fifteen fields,
// 42 bytes) and what the archive needs to reach the entry's bytes.
struct TFileHeader {
  static constexpr std::size_t BlockSize = 42;

  uint16_t VersionMadeBy = 0;
  uint16_t VersionNeeded = 0;
  uint16_t Flags = 0;
  uint16_t Method = 0;
  uint32_t FileDateTime = 0;
  uint32_t Crc32 = 0;
  uint32_t CompressedSize = 0;
  uint32_t UncompressedSize = 0;
  uint16_t FileNameLength = 0;
  uint16_t ExtraFieldLength = 0;
  uint16_t FileCommentLength = 0;
  uint16_t DiskNumberStart = 0;
  uint16_t InternalAttributes = 0;
  uint32_t ExternalAttributes = 0;
  uint32_t LocalHeaderOffset = 0;
  std::string FileName; // "\" separates folders
  std::string ExtraField;
  std::string FileComment;
  TStream *Stream = nullptr; // not owned
  bool IsDirectory = false;
  TEntryOrigin Origin = TEntryOrigin::Archive;
  int Level = 0; // compression level of a streamed entry

  template <typename TRecord, typename TCoder> static void Fields(TRecord &h, TCoder &coder) {
    coder.Field(h.VersionMadeBy); coder.Field(h.VersionNeeded); coder.Field(h.Flags); coder.Field(h.Method);
    coder.Field(h.FileDateTime); coder.Field(h.Crc32); coder.Field(h.CompressedSize); coder.Field(h.UncompressedSize);
    coder.Field(h.FileNameLength); coder.Field(h.ExtraFieldLength); coder.Field(h.FileCommentLength);
    coder.Field(h.DiskNumberStart); coder.Field(h.InternalAttributes); coder.Field(h.ExternalAttributes);
    coder.Field(h.LocalHeaderOffset);
  }
  void ReadBlock(TByteReader &reader) { Fields(*this, reader); }
  void WriteBlock(TByteWriter &writer) const { Fields(*this, writer); }
};

// The local file header after its signature (26 bytes).
struct TLocalHeader {
  uint16_t VersionNeeded = 0;
  uint16_t Flags = 0;
  uint16_t Method = 0;
  uint32_t FileDateTime = 0;
  uint32_t Crc32 = 0;
  uint32_t CompressedSize = 0;
  uint32_t UncompressedSize = 0;
  uint16_t FileNameLength = 0;
  uint16_t ExtraFieldLength = 0;

  template <typename TRecord, typename TCoder> static void Fields(TRecord &h, TCoder &coder) {
    coder.Field(h.VersionNeeded); coder.Field(h.Flags); coder.Field(h.Method); coder.Field(h.FileDateTime);
    coder.Field(h.Crc32); coder.Field(h.CompressedSize); coder.Field(h.UncompressedSize);
    coder.Field(h.FileNameLength); coder.Field(h.ExtraFieldLength);
  }
  void Read(TByteReader &reader) { Fields(*this, reader); }
  void Write(TByteWriter &writer) const { Fields(*this, writer); }
};

// The end of central directory record after its signature (18 bytes).
struct TCentralDirectoryEnd {
  uint16_t DiskNumber = 0;
  uint16_t CentralDirectoryDisk = 0;
  uint16_t EntriesOnDisk = 0;
  uint16_t TotalEntries = 0;
  uint32_t CentralDirectorySize = 0;
  uint32_t CentralDirectoryOffset = 0;
  uint16_t CommentLength = 0;

  template <typename TRecord, typename TCoder> static void Fields(TRecord &e, TCoder &coder) {
    coder.Field(e.DiskNumber); coder.Field(e.CentralDirectoryDisk); coder.Field(e.EntriesOnDisk);
    coder.Field(e.TotalEntries); coder.Field(e.CentralDirectorySize); coder.Field(e.CentralDirectoryOffset);
    coder.Field(e.CommentLength);
  }
  void Read(TByteReader &reader) { Fields(*this, reader); }
  void Write(TByteWriter &writer) const { Fields(*this, writer); }
};

// "\" folder separators as the archive stores them ("/") and back.
std::string ToArchiveName(std::string name);
std::string FromArchiveName(std::string name);
bool EndsWithBackslash(const std::string &name);

// MS-DOS form: time in the low 16 bits, date in the high 16 bits; 0 outside the years 1980..2107.
uint32_t DosDateTime(const TLocalTime &time);
