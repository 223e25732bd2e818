// Little-endian binary records: the bounds-checked cursor and the appending writer.
#include "platform/LittleEndian.h"

#include "platform/Exceptions.h"
#include "platform/Streams.h"

const uint8_t *TByteReader::Take(std::size_t count) {
  if (count > Left()) {
    if (cutShort)
      cutShort();
    throw EReadError();
  }
  const uint8_t *p = data + position;
  position += count;
  return p;
}

uint64_t TByteReader::Unsigned(std::size_t byteCount) {
  const uint8_t *p = Take(byteCount);
  uint64_t value = 0;
  for (std::size_t i = 0; i < byteCount; ++i)
    value |= uint64_t{p[i]} << (8 * i);
  return value;
}

std::string TByteReader::Text(std::size_t length) {
  const uint8_t *p = Take(length);
  return std::string(reinterpret_cast<const char *>(p), length);
}

void TByteWriter::Unsigned(uint64_t value, std::size_t byteCount) {
  for (std::size_t i = 0; i < byteCount; ++i, value >>= 8)
    bytes.push_back(static_cast<uint8_t>(value));
}

void TByteWriter::Raw(const void *first, std::size_t count) {
  const auto *begin = static_cast<const uint8_t *>(first);
  bytes.insert(bytes.end(), begin, begin + count);
}

void TByteWriter::WriteTo(TStream &target) const {
  target.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}
