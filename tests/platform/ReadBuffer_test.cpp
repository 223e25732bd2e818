// The block-wise reader gives the same bytes as its source, across block edges, seeks and large requests.
#include "platform/Exceptions.h"
#include "platform/ReadBuffer.h"

#include <gtest/gtest.h>

TEST(ReadBuffer, ReadsWhatTheSourceHoldsWhereverItSeeks) {
  TMemoryStream source;
  std::string bytes;
  for (int i = 0; i < 1000; ++i)
    bytes += static_cast<char>(i * 7);
  source.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  source.SetPosition(3);
  TReadBuffer reader(source, 64);
  EXPECT_EQ(reader.Position(), 3);
  EXPECT_EQ(reader.Size(), 1000);
  std::string got(100, '\0');
  reader.ReadBuffer(got.data(), 100); // crosses a block edge
  EXPECT_EQ(got, bytes.substr(3, 100));
  reader.Seek(500, TSeekOrigin::soCurrent);
  std::string large(300, '\0'); // larger than a block: read straight through
  EXPECT_EQ(reader.Read(large.data(), 300), 300);
  EXPECT_EQ(large, bytes.substr(603, 300));
  reader.SetPosition(10);
  char one;
  reader.ReadBuffer(&one, 1);
  EXPECT_EQ(one, bytes[10]);
  reader.Seek(-2, TSeekOrigin::soEnd);
  std::string tail(5, '\0');
  EXPECT_EQ(reader.Read(tail.data(), 5), 2);
  EXPECT_EQ(tail.substr(0, 2), bytes.substr(998));
  EXPECT_THROW(reader.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
  EXPECT_THROW(reader.Write("x", 1), EStreamError);
}
