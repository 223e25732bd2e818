// Little-endian binary records: a cursor that reads them without ever stepping outside the bytes it was given,
// and a writer that appends them. A record lists its fields once, in Fields(record, coder), which a reader
// fills and a writer writes.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStream;

class TByteReader {
public:
  // Raises the caller's error for a read past the end; when it returns (or is empty), EReadError is thrown.
  using TCutShort = std::function<void()>;

  TByteReader(const uint8_t *data, std::size_t size, TCutShort cutShort = {})
      : data(data), size(size), cutShort(std::move(cutShort)) {}
  explicit TByteReader(const std::vector<uint8_t> &bytes, TCutShort cutShort = {})
      : TByteReader(bytes.data(), bytes.size(), std::move(cutShort)) {}
  explicit TByteReader(std::vector<uint8_t> &&, TCutShort = {}) = delete; // the reader keeps no copy

  uint8_t U8() { return static_cast<uint8_t>(Unsigned(1)); }
  uint16_t U16() { return static_cast<uint16_t>(Unsigned(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Unsigned(4)); }
  std::string Text(std::size_t length);
  // The next count bytes, in place.
  const uint8_t *Raw(std::size_t count) { return Take(count); }
  // Any integer, signed or not, as sizeof(value) little-endian bytes.
  template <std::integral T> void Field(T &value) { value = static_cast<T>(Unsigned(sizeof(T))); }
  std::size_t Left() const { return size - position; }

private:
  uint64_t Unsigned(std::size_t byteCount);
  const uint8_t *Take(std::size_t count);

  const uint8_t *data;
  std::size_t size;
  std::size_t position = 0;
  TCutShort cutShort;
};

class TByteWriter {
public:
  void U8(uint8_t value) { Unsigned(value, 1); }
  void U16(uint16_t value) { Unsigned(value, 2); }
  void U32(uint32_t value) { Unsigned(value, 4); }
  void Text(const std::string &text) { Raw(text.data(), text.size()); }
  void Raw(const void *first, std::size_t count);
  template <std::integral T> void Field(T value) { Unsigned(static_cast<uint64_t>(value), sizeof(T)); }
  const std::vector<uint8_t> &Bytes() const { return bytes; }
  void WriteTo(TStream &target) const;

private:
  void Unsigned(uint64_t value, std::size_t byteCount);
  std::vector<uint8_t> bytes;
};
