// Little-endian records: fields of every width round-trip, and a read past the end raises the caller's error.
#include "platform/Exceptions.h"
#include "platform/LittleEndian.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
struct TSample {
  uint8_t Flag = 0;
  uint16_t Count = 0;
  int32_t Offset = 0;
  int64_t Size = 0;

  template <typename TRecord, typename TCoder> static void Fields(TRecord &r, TCoder &coder) {
    coder.Field(r.Flag); coder.Field(r.Count); coder.Field(r.Offset); coder.Field(r.Size);
  }
};
} // namespace

TEST(LittleEndian, ARecordIsWrittenLowByteFirstAndReadBack) {
  const TSample sample{0xAB, 0x1234, -2, -0x0102030405060708};
  TByteWriter writer;
  TSample::Fields(sample, writer);
  writer.Text("ok");
  const std::vector<uint8_t> expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xF8, 0xF8, 0xF9, 0xFA,
                                         0xFB, 0xFC, 0xFD, 0xFE, 'o', 'k'};
  EXPECT_EQ(writer.Bytes(), expected);

  TByteReader reader(writer.Bytes());
  TSample read;
  TSample::Fields(read, reader);
  EXPECT_EQ(read.Flag, sample.Flag);
  EXPECT_EQ(read.Count, sample.Count);
  EXPECT_EQ(read.Offset, sample.Offset);
  EXPECT_EQ(read.Size, sample.Size);
  EXPECT_EQ(reader.Left(), 2u);
  EXPECT_EQ(reader.Text(2), "ok");
  EXPECT_EQ(reader.Left(), 0u);
}

TEST(LittleEndian, AReadPastTheEndRaisesTheCallersErrorAndMovesNothing) {
  const std::vector<uint8_t> bytes = {1, 2, 3};
  TByteReader reader(bytes, [] { throw std::runtime_error("cut short"); });
  EXPECT_EQ(reader.U16(), 0x0201);
  EXPECT_THROW(reader.U16(), std::runtime_error);
  EXPECT_EQ(reader.Left(), 1u);
  EXPECT_THROW(reader.Text(2), std::runtime_error);
  EXPECT_THROW(reader.Raw(std::size_t(-1)), std::runtime_error);
  EXPECT_EQ(reader.U8(), 3);

  TByteReader plain(bytes.data(), 2);
  EXPECT_THROW(plain.U32(), EReadError);
}
