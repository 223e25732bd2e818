// A read-only stream over a memory block it does not own, such as clipboard data.
#pragma once

#include "platform/Streams.h"

#include <cstddef>

class TGlobalMemoryStream : public TStream {
public:
  TGlobalMemoryStream(const void *data, std::size_t size)
      : data(static_cast<const uint8_t *>(data)), size(static_cast<int64_t>(size)) {}

  int64_t Read(void *buffer, int64_t count) override;
  // Always fails: the block is read only.
  int64_t Write(const void *buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return size; }

private:
  const uint8_t *data;
  int64_t size;
  int64_t position = 0;
};
