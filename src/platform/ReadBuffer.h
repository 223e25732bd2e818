// A read-only stream that reads its source in large blocks, so that reading many small records costs no
// system call each.
#pragma once

#include "platform/Streams.h"

#include <vector>

class TReadBuffer : public TStream {
public:
  // source (not owned) must not change while this reads it; its position afterwards is undefined.
  explicit TReadBuffer(TStream &source, int64_t blockSize = 1 << 16);

  int64_t Read(void *buffer, int64_t count) override;
  // Fails: the stream is read-only.
  int64_t Write(const void *buffer, int64_t count) override;
  // Moves the position only; the source is read at the next Read.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return size; }

private:
  TStream &source;
  std::vector<uint8_t> block;
  int64_t blockStart = 0; // the source position of block[0]
  int64_t blockFilled = 0;
  int64_t position = 0;
  int64_t size = 0;
};
