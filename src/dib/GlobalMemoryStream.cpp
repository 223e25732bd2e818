// Reading and seeking within a borrowed memory block.
#include "dib/GlobalMemoryStream.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <cstring>

int64_t TGlobalMemoryStream::Read(void *buffer, int64_t count) {
  const int64_t available = std::clamp<int64_t>(size - position, 0, std::max<int64_t>(count, 0));
  if (available > 0)
    std::memcpy(buffer, data + position, static_cast<std::size_t>(available));
  position += available;
  return available;
}

int64_t TGlobalMemoryStream::Write(const void *, int64_t) { throw EWriteError(); }

int64_t TGlobalMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position : size;
  if (base + offset < 0)
    throw EStreamError("Invalid stream position");
  position = base + offset;
  return position;
}
