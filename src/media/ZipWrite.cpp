// Writing a whole archive: every entry's local header and data, then the central directory and
// its end record. Streamed entries are checksummed and deflated on every core on the way.
#include "media/ZIPStream.h"

#include "media/CalcCRC.h"
#include "media/ParallelDeflate.h"
#include "media/ZipDeflate.h"

#include <algorithm>

namespace {

constexpr int64_t StreamChunk = 1 << 20;
constexpr int64_t LocalCrcOffset = 14; // CRC, then both sizes, in the local header

// Copies total bytes of source to write in chunks and returns their CRC-32.
uint32_t CopyStored(TStream &source, int64_t total, const TDeflateSink &write, const TZipProgress &progress) {
  std::vector<uint8_t> buffer(static_cast<std::size_t>(std::clamp<int64_t>(total, 1, StreamChunk)));
  uint32_t crc = 0;
  int64_t done = 0;
  while (done < total) {
    const int64_t n = std::min<int64_t>(total - done, int64_t(buffer.size()));
    source.ReadBuffer(buffer.data(), n);
    crc = UpdateCrc32(crc, buffer.data(), static_cast<std::size_t>(n));
    write(buffer.data(), static_cast<std::size_t>(n));
    done += n;
    if (progress)
      progress(done, total);
  }
  return crc;
}

void CheckFits32(int64_t value) {
  if (value > int64_t(UINT32_MAX))
    throw ZipErrors::TooLarge();
}

// The record as it goes into the archive: the name's real length, and none of the extra fields,
// comments or data descriptors that an entry read from another archive may have had, since
// their bytes are not written.
TFileHeader AsWritten(const TFileHeader &header) {
  TFileHeader written = header;
  written.FileNameLength = static_cast<uint16_t>(header.FileName.size());
  written.ExtraFieldLength = 0;
  written.FileCommentLength = 0;
  written.Flags &= ~FlagDataDescriptor;
  return written;
}

void WriteLocalHeader(TStream &target, const TFileHeader &header) {
  TLocalHeader local;
  local.VersionNeeded = header.VersionNeeded;
  local.Flags = header.Flags;
  local.Method = header.Method;
  local.FileDateTime = header.FileDateTime;
  local.Crc32 = header.Crc32;
  local.CompressedSize = header.CompressedSize;
  local.UncompressedSize = header.UncompressedSize;
  local.FileNameLength = header.FileNameLength;
  TByteWriter writer;
  writer.U32(LocalHeaderSignature);
  local.Write(writer);
  writer.Text(ToArchiveName(header.FileName));
  writer.WriteTo(target);
}

} // namespace

void TZip::WriteTo(TStream &target, const TZipProgress &progress) {
  if (Count() == 0)
    return;
  if (Count() > 0xFFFF)
    throw ZipErrors::TooManyEntries();
  const int64_t start = target.Position();
  std::vector<uint32_t> offsets;
  for (int i = 0; i < Count(); ++i) {
    const int64_t offset = target.Position() - start;
    CheckFits32(offset);
    offsets.push_back(static_cast<uint32_t>(offset));
    WriteEntry(target, Headers[i], progress);
  }

  const int64_t directoryOffset = target.Position() - start;
  CheckFits32(directoryOffset);
  TByteWriter directory;
  for (int i = 0; i < Count(); ++i) {
    TFileHeader written = AsWritten(Headers[i]);
    written.LocalHeaderOffset = offsets[static_cast<std::size_t>(i)]; // the record keeps its own
    directory.U32(CentralHeaderSignature);
    written.WriteBlock(directory);
    directory.Text(ToArchiveName(written.FileName));
  }
  directory.WriteTo(target);

  TCentralDirectoryEnd end;
  end.EntriesOnDisk = end.TotalEntries = static_cast<uint16_t>(Count());
  end.CentralDirectorySize = static_cast<uint32_t>(directory.Bytes().size());
  end.CentralDirectoryOffset = static_cast<uint32_t>(directoryOffset);
  TByteWriter endRecord;
  endRecord.U32(CentralDirectoryEndSignature);
  end.Write(endRecord);
  endRecord.WriteTo(target);
}

void TZip::WriteEntry(TStream &target, TFileHeader &header, const TZipProgress &progress) {
  if (header.Origin == TEntryOrigin::Streamed) {
    StreamEntry(target, header, progress);
    return;
  }
  const int64_t data = header.CompressedSize != 0 ? DataPosition(header) : 0;
  WriteLocalHeader(target, AsWritten(header));
  if (header.CompressedSize != 0) {
    header.Stream->SetPosition(data);
    target.CopyFrom(*header.Stream, header.CompressedSize);
  }
}

// Writes the local header with the CRC and sizes still unknown, copies or deflates the source
// in chunks, then goes back and fills them in.
void TZip::StreamEntry(TStream &target, TFileHeader &header, const TZipProgress &progress) {
  TStream &source = *header.Stream;
  const int64_t total = source.Size();
  CheckFits32(total);
  header.Crc32 = header.CompressedSize = header.UncompressedSize = 0;
  const int64_t localStart = target.Position();
  WriteLocalHeader(target, AsWritten(header));

  int64_t compressed = 0;
  auto write = [&](const uint8_t *bytes, std::size_t count) {
    target.WriteBuffer(bytes, static_cast<int64_t>(count));
    compressed += static_cast<int64_t>(count);
  };
  source.SetPosition(0);
  const uint32_t crc = header.Method == MethodDeflated
                           ? DeflateInChunks(source, total, header.Level, write, progress, DeflateThreads).Crc32
                           : CopyStored(source, total, write, progress);
  CheckFits32(compressed);

  header.Crc32 = crc;
  header.CompressedSize = static_cast<uint32_t>(compressed);
  header.UncompressedSize = static_cast<uint32_t>(total);
  const int64_t end = target.Position();
  target.SetPosition(localStart + LocalCrcOffset);
  TByteWriter patch;
  patch.U32(header.Crc32);
  patch.U32(header.CompressedSize);
  patch.U32(header.UncompressedSize);
  patch.WriteTo(target);
  target.SetPosition(end);
}
