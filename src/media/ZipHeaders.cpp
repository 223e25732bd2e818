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
