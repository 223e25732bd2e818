// The ZIP CRC-32: known check values, chaining, and agreement with zlib over odd lengths.
#include "media/CalcCRC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <zlib.h>

TEST(CalcCRC, KnownValuesAndNoData) {
  EXPECT_EQ(UpdateCrc32(0, "123456789", 9), 0xCBF43926u);
  EXPECT_EQ(UpdateCrc32(0, "The quick brown fox jumps over the lazy dog", 43), 0x414FA339u);
  EXPECT_EQ(UpdateCrc32(0, nullptr, 0), 0u);
  EXPECT_EQ(UpdateCrc32(0x12345678, "", 0), 0x12345678u);
}

TEST(CalcCRC, ChainsAndAgreesWithZlibAtEveryAlignment) {
  std::vector<uint8_t> data(4099);
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<uint8_t>(i * 131 + (i >> 7));
  for (std::size_t length : {1u, 7u, 8u, 9u, 63u, 4099u}) {
    for (std::size_t offset : {0u, 1u, 3u}) {
      const uint8_t *p = data.data() + offset;
      const std::size_t n = std::min(length, data.size() - offset);
      const uint32_t expected = static_cast<uint32_t>(crc32(0, p, static_cast<uInt>(n)));
      EXPECT_EQ(UpdateCrc32(0, p, n), expected) << length << "@" << offset;
      const std::size_t half = n / 2;
      EXPECT_EQ(UpdateCrc32(UpdateCrc32(0, p, half), p + half, n - half), expected);
    }
  }
}
