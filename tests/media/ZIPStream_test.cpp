// The archive object: exact bytes written, levels and flags, names, lookup, staging and the
// streaming path that must give the same content as the in-memory one.
#include "ZipTestHelpers.h"

#include "media/ParallelDeflate.h"
#include "media/ZipDeflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

TBytes Le16(uint16_t v) { return {uint8_t(v), uint8_t(v >> 8)}; }
TBytes Le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
void Append(TBytes &to, const TBytes &more) { to.insert(to.end(), more.begin(), more.end()); }

TBytes StreamedArchiveOf(const std::string &name, const TBytes &data, int level) {
  TMemoryStream source = StreamOf(data);
  TZip zip;
  zip.SetFixedTime(FixedTestTime());
  zip.AddEntryFrom(name, source, level);
  TMemoryStream target;
  zip.WriteTo(target);
  return Contents(target);
}

} // namespace

TEST(ZipWrite, StoredMediaStreamIsTheExact154ByteArchive) {
  const TBytes data = SampleMediaStream();
  ASSERT_EQ(data.size(), 42u);
  const uint32_t crc = static_cast<uint32_t>(crc32(0, data.data(), 42));
  const TBytes time = {0xAF, 0x6D, 0xB1, 0x58};
  const TBytes name = BytesOf("Media.m");

  TBytes expected = {'P', 'K', 3, 4, 20, 0, 0, 0, 0, 0};
  Append(expected, time);
  Append(expected, Le32(crc));
  Append(expected, Le32(42));
  Append(expected, Le32(42));
  Append(expected, {7, 0, 0, 0});
  Append(expected, name);
  Append(expected, data);
  Append(expected, {'P', 'K', 1, 2, 20, 0, 20, 0, 0, 0, 0, 0});
  Append(expected, time);
  Append(expected, Le32(crc));
  Append(expected, Le32(42));
  Append(expected, Le32(42));
  Append(expected, {7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  Append(expected, name);
  Append(expected, {'P', 'K', 5, 6, 0, 0, 0, 0, 1, 0, 1, 0});
  Append(expected, Le32(53));
  Append(expected, Le32(79));
  Append(expected, Le16(0));

  const TBytes archive = ArchiveOf("Media.m", data, 0);
  ASSERT_EQ(archive.size(), 154u);
  EXPECT_EQ(archive, expected);
  EXPECT_EQ(StreamedArchiveOf("Media.m", data, 0), expected);
  EXPECT_EQ(ExtractFrom(archive, "Media.m"), data);
}

TEST(ZipWrite, LevelsGiveMethodFlagsAndRawDeflateData) {
  const TBytes data = MixedData(100000);
  struct TCase { int level; uint16_t method, flags; };
  for (const TCase c : {TCase{0, 0, 0}, TCase{1, 8, 6}, TCase{2, 8, 0}, TCase{3, 8, 2}, TCase{-4, 0, 0}, TCase{9, 8, 2}}) {
    TZip zip;
    zip.AddEntry("Media.m", data.data(), c.level, static_cast<uint32_t>(data.size()));
    const TFileHeader &header = zip.Header(0);
    EXPECT_EQ(header.Method, c.method) << c.level;
    EXPECT_EQ(header.Flags, c.flags) << c.level;
    TMemoryStream target;
    zip.WriteTo(target);
    const TBytes archive = Contents(target);
    EXPECT_EQ(archive[6], c.flags);
    EXPECT_EQ(ExtractFrom(archive, "Media.m"), data) << c.level;
    if (c.method == 8) {
      // What is stored is the raw deflate data of the chunked deflate, nothing around it.
      TMemoryStream source = StreamOf(data);
      TBytes deflated;
      DeflateInChunks(source, int64_t(data.size()), c.level,
                      [&](const uint8_t *bytes, std::size_t size) { deflated.insert(deflated.end(), bytes, bytes + size); });
      EXPECT_EQ(header.CompressedSize, deflated.size());
      EXPECT_TRUE(std::equal(deflated.begin(), deflated.end(), archive.begin() + 30 + 7));
    }
  }
  EXPECT_EQ(LevelHintFromFlags(6), 1);
  EXPECT_EQ(LevelHintFromFlags(2), 9);
  EXPECT_EQ(LevelHintFromFlags(4), 9);
  EXPECT_EQ(LevelHintFromFlags(0), -1);
}

TEST(ZipWrite, StreamingGivesTheSameBytesAsTheMemoryBlock) {
  for (std::size_t size : {std::size_t(0), std::size_t(1), DeflateChunkSize, 3 * DeflateChunkSize + 17}) {
    const TBytes data = MixedData(size, static_cast<uint32_t>(size));
    for (int level = 0; level <= 3; ++level) {
      const TBytes streamed = StreamedArchiveOf("Media.m", data, level);
      EXPECT_EQ(streamed, ArchiveOf("Media.m", data, level)) << size << "/" << level;
      EXPECT_EQ(ExtractFrom(streamed, "Media.m"), data) << size << "/" << level;
    }
  }
}

TEST(ZipWrite, StreamingReportsProgressAndCanBeRepeated) {
  const TBytes data = MixedData(2 * 1024 * 1024 + 5);
  TMemoryStream source = StreamOf(data);
  TZip zip;
  zip.AddEntryFrom("Media.m", source, 2);
  int64_t last = 0;
  int calls = 0;
  TMemoryStream first;
  zip.WriteTo(first, [&](int64_t done, int64_t total) {
    EXPECT_EQ(total, int64_t(data.size()));
    EXPECT_GT(done, last);
    last = done;
    ++calls;
  });
  EXPECT_EQ(last, int64_t(data.size()));
  EXPECT_EQ(calls, 3);
  TMemoryStream second;
  zip.WriteTo(second);
  EXPECT_EQ(Contents(first), Contents(second));
  EXPECT_EQ(ExtractFrom(Contents(second), "Media.m"), data);
}

TEST(ZipWrite, NoEntriesWriteNothingAndAnEmptyNameAddsNothing) {
  TZip zip;
  TMemoryStream target;
  zip.WriteTo(target);
  EXPECT_EQ(target.Size(), 0);
  zip.AddEntry("", "x", 0, 1);
  EXPECT_EQ(zip.Count(), 0);
}

TEST(ZipWrite, BackslashesAreSlashesInTheArchiveAndBackAfterReading) {
  TZip zip;
  zip.AddEntry("sub\\a.txt", "abc", 2, 3);
  zip.AddEntry("folder\\", nullptr, 0, 0);
  TMemoryStream target;
  zip.WriteTo(target);
  const std::string text(reinterpret_cast<const char *>(target.Memory()), static_cast<std::size_t>(target.Size()));
  // Only the names are checked: CRC, time and deflated bytes may hold a 0x5C byte of their own.
  EXPECT_EQ(text.find("sub\\a.txt"), std::string::npos);
  EXPECT_EQ(text.find("folder\\"), std::string::npos);
  EXPECT_NE(text.find("sub/a.txt"), text.rfind("sub/a.txt")); // local and central header

  TZip read;
  target.SetPosition(0);
  read.Open(&target);
  ASSERT_EQ(read.Count(), 2);
  const int file = read.IndexOf("sub\\a.txt");
  const int folder = read.IndexOf("FOLDER\\");
  ASSERT_GE(file, 0);
  ASSERT_GE(folder, 0);
  EXPECT_FALSE(read.Header(file).IsDirectory);
  EXPECT_TRUE(read.Header(folder).IsDirectory);
  TMemoryStream content;
  EXPECT_EQ(read.ExtractEntry("sub\\a.txt", content), 3);
}

TEST(ZipWrite, IndexOfFindsEveryNameIgnoringCase) {
  TZip zip;
  const std::vector<std::string> names = {"Media.m", "B", "a", "A_", "zeta", "Zebra", "_x", "b2", "~", "sub\\Z", "ŽLUŤ"};
  for (const std::string &name : names)
    zip.AddEntry(name, name.data(), 0, static_cast<uint32_t>(name.size()));
  ASSERT_EQ(zip.Count(), int(names.size()));
  for (const std::string &name : names) {
    const int index = zip.IndexOf(name);
    ASSERT_GE(index, 0) << name;
    EXPECT_EQ(zip.Header(index).FileName, name);
  }
  EXPECT_EQ(zip.Header(zip.IndexOf("MEDIA.M")).FileName, "Media.m");
  EXPECT_EQ(zip.IndexOf("SUB\\z"), zip.IndexOf("sub\\Z"));
  EXPECT_EQ(zip.IndexOf(""), -1);
  EXPECT_EQ(zip.IndexOf("Media"), -1);
}

TEST(ZipWrite, ReplacingAndRemovingStagedEntriesKeepsStagingExact) {
  TZip zip;
  zip.AddEntry("first", "11111", 0, 5);
  zip.AddEntry("Media.m", "old old old", 2, 11);
  zip.AddEntry("last", "333", 0, 3);
  zip.AddEntry("MEDIA.M", "new", 0, 3); // same entry, other case
  ASSERT_EQ(zip.Count(), 3);
  EXPECT_EQ(zip.StagingSize(), (30 + 5 + 5) + (30 + 4 + 3) + (30 + 7 + 3));
  zip.RemoveEntry("first");
  EXPECT_EQ(zip.StagingSize(), (30 + 4 + 3) + (30 + 7 + 3));
  zip.RemoveEntry("nothing");
  TMemoryStream staged; // staged entries read back before any archive is written
  EXPECT_EQ(zip.ExtractEntry("media.m", staged), 3);
  EXPECT_EQ(Contents(staged), BytesOf("new"));
  TMemoryStream target;
  zip.WriteTo(target);
  const TBytes archive = Contents(target);
  EXPECT_EQ(ExtractFrom(archive, "MEDIA.M"), BytesOf("new"));
  EXPECT_EQ(ExtractFrom(archive, "last"), BytesOf("333"));
}

TEST(ZipWrite, NamesLongerThan261BytesAreRefused) {
  TZip zip;
  EXPECT_NO_THROW(zip.AddEntry(std::string(261, 'n'), "x", 0, 1));
  EXPECT_THROW(zip.AddEntry(std::string(262, 'n'), "x", 0, 1), EZipError);
  TMemoryStream source;
  EXPECT_THROW(zip.AddEntryFrom(std::string(300, 'n'), source, 1), EZipError);
  EXPECT_EQ(zip.Count(), 1);
}

TEST(ZipWrite, DosDateTime) {
  EXPECT_EQ(DosDateTime(FixedTestTime()), 0x58B16DAFu);
  EXPECT_EQ(DosDateTime({1980, 1, 1, 0, 0, 0}), 0x00210000u);
  EXPECT_EQ(DosDateTime({1979, 12, 31, 23, 59, 59}), 0u);
  EXPECT_EQ(DosDateTime({2108, 1, 1, 0, 0, 0}), 0u);
}

TEST(ZipWrite, AnOpenedArchiveIsWrittenBackUnchanged) {
  TBytes archive = ArchiveOf("Media.m", SampleMediaStream(), 1);
  TZip zip;
  TMemoryStream source = StreamOf(archive);
  zip.Open(&source);
  TMemoryStream copy;
  zip.WriteTo(copy);
  EXPECT_EQ(Contents(copy), archive);
}
