// Streams the fuzz targets feed the readers with: the input as a memory stream, and a sink that only counts.
#pragma once

#include "platform/Streams.h"

#include <cstddef>
#include <cstdint>

inline TMemoryStream InputStream(const uint8_t *data, std::size_t size) {
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  return stream;
}

// Takes every byte and keeps none, so a large entry costs no memory.
class TCountingSink : public TStream {
public:
  int64_t Read(void *, int64_t) override { return 0; }
  int64_t Write(const void *, int64_t count) override {
    position += count;
    size = position > size ? position : size;
    return count;
  }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    const int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position : size;
    position = base + offset < 0 ? 0 : base + offset;
    return position;
  }
  int64_t Size() override { return size; }

private:
  int64_t position = 0;
  int64_t size = 0;
};
