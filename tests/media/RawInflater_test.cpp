// Both inflate engines of the build: the same bytes from the same deflate data fed in any pieces, the end of the
// data found exactly, and damage or truncation told apart from sound data.
#include "ZipTestHelpers.h"

#include "media/RawInflater.h"
#include "media/ZipDeflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

// Raw deflate data of bytes (the body of a one-shot zlib stream).
TBytes Deflated(const TBytes &bytes, int zlibLevel) {
  const std::vector<uint8_t> block = CompressBlock(bytes.data(), bytes.size(), zlibLevel);
  return TBytes(block.begin() + 2, block.end() - 4);
}

// Inflates input handed in pieces of piece bytes into output pieces of out bytes; stops when the data end or
// no more progress is possible.
TBytes InflateInPieces(TRawInflater &inflater, const TBytes &input, std::size_t piece, std::size_t out) {
  TBytes result;
  std::size_t offered = 0;
  TBytes buffer(out);
  for (;;) {
    if (inflater.InputLeft() == 0 && offered < input.size()) {
      const std::size_t n = std::min(piece, input.size() - offered);
      inflater.SetInput(input.data() + offered, n);
      offered += n;
    }
    const std::size_t n = inflater.Inflate(buffer.data(), buffer.size());
    result.insert(result.end(), buffer.begin(), buffer.begin() + long(n));
    if (inflater.Ended() || (n == 0 && inflater.InputLeft() == 0 && offered == input.size()))
      return result;
  }
}

class RawInflater : public ::testing::TestWithParam<TInflateEngine> {};

} // namespace

TEST_P(RawInflater, GivesTheDataBackWhateverThePieces) {
  auto inflater = NewRawInflater(GetParam());
  for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(300000)}) {
    const TBytes data = MixedData(size, static_cast<uint32_t>(size) + 1);
    for (int zlibLevel : {1, 9}) {
      const TBytes deflated = Deflated(data, zlibLevel);
      for (auto [piece, out] : {std::pair<std::size_t, std::size_t>{1 << 20, 1 << 20}, {7, 13}, {65536, 1}}) {
        inflater->Reset();
        EXPECT_EQ(InflateInPieces(*inflater, deflated, piece, out), data) << size << "/" << piece;
        EXPECT_TRUE(inflater->Ended());
        EXPECT_EQ(inflater->InputLeft(), 0u);
      }
    }
  }
}

TEST_P(RawInflater, ResetDropsTheInputOfTheRunBefore) {
  auto inflater = NewRawInflater(GetParam());
  const TBytes data = MixedData(200000, 8);
  const TBytes deflated = Deflated(data, 6);
  inflater->SetInput(deflated.data(), deflated.size());
  TBytes some(1000);
  inflater->Inflate(some.data(), some.size());
  inflater->Reset();
  EXPECT_EQ(inflater->InputLeft(), 0u);
  EXPECT_FALSE(inflater->Ended());
  EXPECT_EQ(InflateInPieces(*inflater, deflated, 4096, 4096), data);
}

TEST_P(RawInflater, BytesAfterTheEndAreLeftOver) {
  auto inflater = NewRawInflater(GetParam());
  const TBytes data = MixedData(5000, 3);
  TBytes deflated = Deflated(data, 6);
  deflated.insert(deflated.end(), {'P', 'K', 1, 2, 9, 9, 9});
  EXPECT_EQ(InflateInPieces(*inflater, deflated, deflated.size(), 1 << 16), data);
  EXPECT_TRUE(inflater->Ended());
  EXPECT_EQ(inflater->InputLeft(), 7u);
}

TEST_P(RawInflater, TruncatedDataNeverEndAndDamagedDataThrow) {
  auto inflater = NewRawInflater(GetParam());
  const TBytes data = MixedData(100000, 4);
  const TBytes deflated = Deflated(data, 6);
  const TBytes cut(deflated.begin(), deflated.begin() + long(deflated.size() / 2));
  const TBytes partial = InflateInPieces(*inflater, cut, 1000, 4096);
  EXPECT_FALSE(inflater->Ended());
  EXPECT_LT(partial.size(), data.size());

  inflater->Reset();
  const TBytes reserved = {0x07, 0x00, 0x00}; // a final block of the reserved type 3
  EXPECT_THROW(InflateInPieces(*inflater, reserved, 3, 100), EInflateDamage);
}

INSTANTIATE_TEST_SUITE_P(Engines, RawInflater, ::testing::ValuesIn(InflateEngines()),
                         [](const auto &info) { return info.param == TInflateEngine::Isal ? "Isal" : "Zlib"; });
