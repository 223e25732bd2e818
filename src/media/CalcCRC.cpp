// The ZIP CRC-32: ISA-L's carry-less multiplication where the build found it; otherwise the standard
// 256-entry table, extended to eight tables so that the loop takes eight bytes per step (entries of
// gigabytes are checked at every save and open).
#include "media/CalcCRC.h"

#ifdef TOVRIK_HAVE_ISAL
#include <isa-l/crc.h>

uint32_t UpdateCrc32(uint32_t crc, const void *data, std::size_t length) {
  if (data == nullptr || length == 0)
    return crc;
  return crc32_gzip_refl(crc, static_cast<const unsigned char *>(data), length);
}
#else
#include <array>

namespace {

using TCrcTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr TCrcTables MakeTables() {
  TCrcTables tables{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k)
      c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    tables[0][n] = c;
  }
  for (uint32_t n = 0; n < 256; ++n)
    for (std::size_t t = 1; t < 8; ++t)
      tables[t][n] = (tables[t - 1][n] >> 8) ^ tables[0][tables[t - 1][n] & 0xFF];
  return tables;
}

constexpr TCrcTables Tables = MakeTables();

uint32_t LoadLittleEndian32(const uint8_t *p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

uint32_t UpdateCrc32(uint32_t crc, const void *data, std::size_t length) {
  if (data == nullptr || length == 0)
    return crc;
  const auto *p = static_cast<const uint8_t *>(data);
  uint32_t c = ~crc;
  while (length >= 8) {
    const uint32_t low = LoadLittleEndian32(p) ^ c;
    const uint32_t high = LoadLittleEndian32(p + 4);
    c = Tables[7][low & 0xFF] ^ Tables[6][(low >> 8) & 0xFF] ^ Tables[5][(low >> 16) & 0xFF] ^
        Tables[4][low >> 24] ^ Tables[3][high & 0xFF] ^ Tables[2][(high >> 8) & 0xFF] ^
        Tables[1][(high >> 16) & 0xFF] ^ Tables[0][high >> 24];
    p += 8;
    length -= 8;
  }
  while (length-- > 0)
    c = Tables[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
  return ~c;
}
#endif
