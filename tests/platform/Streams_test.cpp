// File and memory streams: exact reads, copies, seeks and the platform's error texts.
#include "platform/Exceptions.h"
#include "platform/Streams.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

TEST(MemoryStream, WritesGrowAndReadsStopAtTheEnd) {
  TMemoryStream stream;
  stream.WriteValue<uint32_t>(0x04030201);
  stream.WriteBuffer("xyz", 3);
  EXPECT_EQ(stream.Size(), 7);
  stream.SetPosition(2);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 5);
  EXPECT_EQ(buffer[0], 3);
  EXPECT_EQ(std::string(buffer + 2, 3), "xyz");
  EXPECT_THROW(stream.ReadBuffer(buffer, 1), EReadError);
  EXPECT_THROW(stream.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
}

TEST(MemoryStream, CopyFromWithZeroCopiesTheWholeSource) {
  TMemoryStream source;
  source.WriteBuffer("abcdef", 6);
  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 0), 6);
  EXPECT_EQ(std::string(reinterpret_cast<const char *>(target.Memory()), 6), "abcdef");
  source.SetPosition(4);
  EXPECT_THROW(target.CopyFrom(source, 3), EReadError);
}

TEST(FileStream, CreateWriteReopenRead) {
  TTempAppFolder folder;
  const std::string name = folder.File("data.bin");
  {
    TFileStream file(name, TFileMode::fmCreate);
    file.WriteBuffer("hello", 5);
    EXPECT_EQ(file.Seek(-2, TSeekOrigin::soEnd), 3);
    file.Flush();
  }
  TFileStream file(name, TFileMode::fmOpenRead);
  EXPECT_EQ(file.Size(), 5);
  char buffer[5];
  file.ReadBuffer(buffer, 5);
  EXPECT_EQ(std::string(buffer, 5), "hello");
  try {
    file.Write("x", 1);
    FAIL() << "wrote to a file opened for reading";
  } catch (const EWriteError &e) {
#ifdef _WIN32 // the system refuses the access the handle lacks, not the handle
    EXPECT_EQ(std::string(e.what()), "Nelze zapsat soubor \"" + name + "\": Permission denied");
#else
    EXPECT_EQ(std::string(e.what()), "Nelze zapsat soubor \"" + name + "\": Bad file descriptor");
#endif
  }
}

TEST(FileStream, FailuresCarryThePathAndTheSystemReason) {
  TTempAppFolder folder;
  const std::string missing = folder.File("missing.bin");
  try {
    TFileStream file(missing, TFileMode::fmOpenRead);
    FAIL() << "opened a missing file";
  } catch (const EFOpenError &e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + missing + "\". No such file or directory");
  }
  EXPECT_THROW(TFileStream(folder.File("no/such/dir/x"), TFileMode::fmCreate), EFCreateError);
  EXPECT_THROW(TFileStream(folder.Path().string(), TFileMode::fmOpenRead), EFOpenError);
}
