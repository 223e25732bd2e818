// Reading and writing the ZIP records field by field, little-endian.
#include "media/ZipHeaders.h"

#include "media/ZipErrors.h"
#include "platform/Streams.h"

#include <algorithm>

const uint8_t *TByteReader::Take(std::size_t count) {
  if (count > Left())
    throw ZipErrors::TruncatedRecord();
  const uint8_t *p = data + position;
  position += count;
  return p;
}

uint16_t TByteReader::U16() {
  const uint8_t *p = Take(2);
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t TByteReader::U32() {
  const uint8_t *p = Take(4);
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string TByteReader::Text(std::size_t length) {
  const uint8_t *p = Take(length);
  return std::string(reinterpret_cast<const char *>(p), length);
}

void TByteWriter::U16(uint16_t value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void TByteWriter::U32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void TByteWriter::Text(const std::string &text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

void TByteWriter::WriteTo(TStream &target) const {
  target.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TFileHeader::ReadBlock(TByteReader &reader) {
  VersionMadeBy = reader.U16();
  VersionNeeded = reader.U16();
  Flags = reader.U16();
  Method = reader.U16();
  FileDateTime = reader.U32();
  Crc32 = reader.U32();
  CompressedSize = reader.U32();
  UncompressedSize = reader.U32();
  FileNameLength = reader.U16();
  ExtraFieldLength = reader.U16();
  FileCommentLength = reader.U16();
  DiskNumberStart = reader.U16();
  InternalAttributes = reader.U16();
  ExternalAttributes = reader.U32();
  LocalHeaderOffset = reader.U32();
}

void TFileHeader::WriteBlock(TByteWriter &writer, uint32_t localHeaderOffset) const {
  writer.U16(VersionMadeBy);
  writer.U16(VersionNeeded);
  writer.U16(Flags);
  writer.U16(Method);
  writer.U32(FileDateTime);
  writer.U32(Crc32);
  writer.U32(CompressedSize);
  writer.U32(UncompressedSize);
  writer.U16(FileNameLength);
  writer.U16(ExtraFieldLength);
  writer.U16(FileCommentLength);
  writer.U16(DiskNumberStart);
  writer.U16(InternalAttributes);
  writer.U32(ExternalAttributes);
  writer.U32(localHeaderOffset);
}

void TLocalHeader::Read(TByteReader &reader) {
  VersionNeeded = reader.U16();
  Flags = reader.U16();
  Method = reader.U16();
  FileDateTime = reader.U32();
  Crc32 = reader.U32();
  CompressedSize = reader.U32();
  UncompressedSize = reader.U32();
  FileNameLength = reader.U16();
  ExtraFieldLength = reader.U16();
}

void TLocalHeader::Write(TByteWriter &writer) const {
  writer.U16(VersionNeeded);
  writer.U16(Flags);
  writer.U16(Method);
  writer.U32(FileDateTime);
  writer.U32(Crc32);
  writer.U32(CompressedSize);
  writer.U32(UncompressedSize);
  writer.U16(FileNameLength);
  writer.U16(ExtraFieldLength);
}

void TCentralDirectoryEnd::Read(TByteReader &reader) {
  DiskNumber = reader.U16();
  CentralDirectoryDisk = reader.U16();
  EntriesOnDisk = reader.U16();
  TotalEntries = reader.U16();
  CentralDirectorySize = reader.U32();
  CentralDirectoryOffset = reader.U32();
  CommentLength = reader.U16();
}

void TCentralDirectoryEnd::Write(TByteWriter &writer) const {
  writer.U16(DiskNumber);
  writer.U16(CentralDirectoryDisk);
  writer.U16(EntriesOnDisk);
  writer.U16(TotalEntries);
  writer.U32(CentralDirectorySize);
  writer.U32(CentralDirectoryOffset);
  writer.U16(CommentLength);
}

std::string ToArchiveName(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

std::string FromArchiveName(std::string name) {
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

bool EndsWithBackslash(const std::string &name) { return !name.empty() && name.back() == '\\'; }

uint32_t DosDateTime(const TLocalTime &time) {
  if (time.Year < 1980 || time.Year > 2107)
    return 0;
  const uint32_t dosTime = uint32_t(time.Second / 2) | uint32_t(time.Minute) << 5 | uint32_t(time.Hour) << 11;
  const uint32_t dosDate = uint32_t(time.Day) | uint32_t(time.Month) << 5 | uint32_t(time.Year - 1980) << 9;
  return dosDate << 16 | dosTime;
}
