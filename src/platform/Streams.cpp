// Byte streams: the shared copy and exact-size helpers, file streams' reading and writing, memory streams; how a
// file stream opens, seeks and sizes its file is the system's own.
#include "platform/Streams.h"

#include "platform/Exceptions.h"
#include "platform/RawFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

int64_t TStream::Size() {
  const int64_t position = Seek(0, TSeekOrigin::soCurrent);
  const int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream does not support resizing"); }

void TStream::ReadBuffer(void *buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count)
    throw EReadError();
}

void TStream::WriteBuffer(const void *buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count)
    throw EWriteError();
}

int64_t TStream::CopyFrom(TStream &source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  constexpr int64_t bufferSize = 1 << 20;
  std::vector<uint8_t> buffer(static_cast<std::size_t>(std::min(count, bufferSize)));
  int64_t left = count;
  while (left > 0) {
    const int64_t chunk = std::min(left, bufferSize);
    source.ReadBuffer(buffer.data(), chunk);
    WriteBuffer(buffer.data(), chunk);
    left -= chunk;
  }
  return count;
}

TFileStream::~TFileStream() {
  if (handle >= 0)
    CloseFile(handle);
}

int64_t TFileStream::Read(void *buffer, int64_t count) {
  auto *target = static_cast<char *>(buffer);
  int64_t done = 0;
  while (done < count) {
    const int64_t n = ReadSome(handle, target + done, count - done);
    if (n < 0)
      throw EReadError(fileName, std::strerror(errno));
    if (n == 0)
      break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Write(const void *buffer, int64_t count) {
  const auto *source = static_cast<const char *>(buffer);
  int64_t done = 0;
  while (done < count) {
    const int64_t n = WriteSome(handle, source + done, count - done);
    if (n < 0)
      throw EWriteError(fileName, std::strerror(errno));
    if (n == 0)
      throw EWriteError(fileName, std::strerror(ENOSPC));
    done += n;
  }
  return done;
}

int64_t TMemoryStream::Read(void *buffer, int64_t count) {
  const int64_t available = Size() - position;
  if (count <= 0 || available <= 0)
    return 0;
  const int64_t n = std::min(count, available);
  std::memcpy(buffer, bytes.data() + position, static_cast<std::size_t>(n));
  position += n;
  return n;
}

int64_t TMemoryStream::Write(const void *buffer, int64_t count) {
  if (count <= 0 || position < 0)
    return 0;
  const int64_t end = position + count;
  if (end > Size()) {
    if (static_cast<std::size_t>(end) > bytes.capacity())
      bytes.reserve(std::max(static_cast<std::size_t>(end), bytes.capacity() * 2));
    bytes.resize(static_cast<std::size_t>(end));
  }
  std::memcpy(bytes.data() + position, buffer, static_cast<std::size_t>(count));
  position = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = 0;
  if (origin == TSeekOrigin::soCurrent)
    base = position;
  else if (origin == TSeekOrigin::soEnd)
    base = Size();
  if (base + offset < 0)
    throw EStreamError("Invalid stream position");
  position = base + offset;
  return position;
}

void TMemoryStream::SetSize(int64_t newSize) {
  bytes.resize(static_cast<std::size_t>(std::max<int64_t>(newSize, 0)));
  position = std::min(position, Size());
}

void TMemoryStream::Clear() {
  bytes.clear();
  bytes.shrink_to_fit();
  position = 0;
}

void TMemoryStream::LoadFromFile(const std::string &fileName) {
  TFileStream file(fileName, TFileMode::fmOpenRead);
  Clear();
  SetSize(file.Size());
  file.ReadBuffer(bytes.data(), Size());
}

void TMemoryStream::SaveToFile(const std::string &fileName) {
  TFileStream file(fileName, TFileMode::fmCreate);
  file.WriteBuffer(bytes.data(), Size());
}
