// Block-wise reading: a request inside the current block is served from memory, others refill it.
#include "platform/ReadBuffer.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <cstring>

TReadBuffer::TReadBuffer(TStream &source_, int64_t blockSize)
    : source(source_), block(static_cast<std::size_t>(blockSize)), position(source_.Position()),
      size(source_.Size()) {}

int64_t TReadBuffer::Read(void *buffer, int64_t count) {
  auto *target = static_cast<uint8_t *>(buffer);
  int64_t done = 0;
  while (done < count && position < size) {
    if (position < blockStart || position >= blockStart + blockFilled) {
      const int64_t left = count - done;
      source.SetPosition(position);
      if (left >= static_cast<int64_t>(block.size())) { // a large request goes straight through
        const int64_t n = source.Read(target + done, left);
        position += n;
        return done + n;
      }
      blockStart = position;
      blockFilled = source.Read(block.data(), static_cast<int64_t>(block.size()));
      if (blockFilled == 0)
        break;
    }
    const int64_t offset = position - blockStart;
    const int64_t n = std::min(count - done, blockFilled - offset);
    std::memcpy(target + done, block.data() + offset, static_cast<std::size_t>(n));
    done += n;
    position += n;
  }
  return done;
}

int64_t TReadBuffer::Write(const void *, int64_t) { throw EStreamError("Invalid operation"); }

int64_t TReadBuffer::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position : size;
  if (base + offset < 0)
    throw EStreamError("Invalid stream position");
  position = base + offset;
  return position;
}
