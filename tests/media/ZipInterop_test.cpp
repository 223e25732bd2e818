// Interoperation with real peers: archives written here pass Info-ZIP unzip, Python's zipfile and
// 7-Zip at every level and around the deflate's chunk boundaries; archives written by Info-ZIP zip and Python's
// zipfile are read here.
#include "ZipTestHelpers.h"

#include "media/ParallelDeflate.h"
#include "support/Peers.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// Runs a shell command quietly; true when it exits with 0.
bool Succeeds(const std::string &command) { return std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0; }

std::string Quote(const std::string &text) { return "'" + text + "'"; }

const char *PythonTestZip =
    "import sys, zipfile\n"
    "z = zipfile.ZipFile(sys.argv[1])\n"
    "sys.exit(0 if z.testzip() is None and z.read('Media.m') == open(sys.argv[2], 'rb').read() else 1)\n";

const char *PythonWriteZip =
    "import sys, zipfile\n"
    "method = {'stored': zipfile.ZIP_STORED, 'deflated': zipfile.ZIP_DEFLATED}[sys.argv[3]]\n"
    "with zipfile.ZipFile(sys.argv[1], 'w', method, compresslevel=int(sys.argv[4])) as z:\n"
    "    z.writestr('readme.txt', 'another entry first')\n"
    "    z.write(sys.argv[2], 'Media.m')\n"
    "    z.writestr('sub/zzz.bin', bytes(range(256)) * 40)\n";

// Long enough that a streamed entry is deflated in three chunks on several threads.
TBytes MediaLikeData() {
  TBytes data = SampleMediaStream();
  const TBytes mixed = MixedData(2600000);
  data.insert(data.end(), mixed.begin(), mixed.end());
  return data;
}

void WriteBytes(const std::string &path, const TBytes &bytes) {
  TFileStream file(path, TFileMode::fmCreate);
  file.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

TBytes ExtractFile(const std::string &path, const std::string &entry) {
  TFileStream file(path, TFileMode::fmOpenRead);
  TZip zip;
  zip.Open(&file);
  TMemoryStream content;
  zip.ExtractEntry(entry, content);
  return Contents(content);
}

} // namespace

TEST(ZipInterop, ArchivesWrittenHerePassUnzipPythonAnd7zAtEveryLevel) {
  if (const std::string missing = MissingPeers({"unzip", "python3", "7z"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  TTempAppFolder folder;
  const TBytes data = MediaLikeData();
  const std::string media = folder.File("media.bin");
  WriteBytes(media, data);
  const std::string script = folder.WriteFile("testzip.py", PythonTestZip);
  // Entries that end just before, at and just after the deflate's chunk boundaries.
  std::vector<TMemoryStream> boundaries;
  const std::size_t chunk = DeflateChunkSize;
  for (std::size_t size : {std::size_t(0), std::size_t(1), chunk - 1, chunk, chunk + 1, 2 * chunk + 1})
    boundaries.push_back(StreamOf(ChunkwiseMixedData(size, static_cast<uint32_t>(size))));
  for (int level = 0; level <= 3; ++level) {
    for (bool streamed : {false, true}) {
      const std::string archive = folder.File("out" + std::to_string(level) + (streamed ? "s" : "m") + ".tvk");
      {
        TFileStream target(archive, TFileMode::fmCreate);
        TFileStream source(media, TFileMode::fmOpenRead);
        TZip zip;
        if (streamed)
          zip.AddEntryFrom("Media.m", source, level);
        else
          zip.AddEntry("Media.m", data.data(), level, uint32_t(data.size()));
        zip.AddEntry("sub\\note.txt", "ahoj", level, 4);
        for (std::size_t i = 0; i < boundaries.size(); ++i)
          zip.AddEntryFrom("boundary" + std::to_string(i), boundaries[i], level);
        zip.WriteTo(target);
      }
      const std::string where = "level " + std::to_string(level) + (streamed ? " streamed" : " from memory");
      EXPECT_TRUE(Succeeds("unzip -tq " + Quote(archive))) << where;
      EXPECT_TRUE(Succeeds("unzip -p " + Quote(archive) + " Media.m | cmp -s - " + Quote(media))) << where;
      EXPECT_TRUE(Succeeds("unzip -p " + Quote(archive) + " sub/note.txt | grep -qx ahoj")) << where;
      EXPECT_TRUE(Succeeds("python3 " + Quote(script) + " " + Quote(archive) + " " + Quote(media))) << where;
      EXPECT_TRUE(Succeeds("7z t " + Quote(archive))) << where;
      for (std::size_t i = 0; i < boundaries.size(); ++i)
        EXPECT_EQ(ExtractFile(archive, "boundary" + std::to_string(i)), Contents(boundaries[i])) << where << " " << i;
    }
  }
}

TEST(ZipInterop, InfoZipArchivesAreReadAtEveryLevel) {
  if (const std::string missing = MissingPeers({"zip"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  TTempAppFolder folder;
  const TBytes data = MediaLikeData();
  WriteBytes(folder.File("Media.m"), data);
  folder.WriteFile("other.txt", "other entry");
  for (const std::string option : {"-0", "-1", "-6", "-9"}) {
    const std::string archive = folder.File("infozip" + option + ".zip");
    ASSERT_TRUE(Succeeds("cd " + Quote(folder.Path().string()) + " && zip -q " + option + " " + Quote(archive) +
                    " other.txt Media.m"));
    EXPECT_EQ(ExtractFile(archive, "Media.m"), data) << option;
    EXPECT_EQ(ExtractFile(archive, "OTHER.TXT"), BytesOf("other entry")) << option;
  }
  // A piped entry of unknown size makes Info-ZIP write a Zip64 archive, which is refused by name.
  const std::string piped = folder.File("piped.zip");
  ASSERT_TRUE(Succeeds("cd " + Quote(folder.Path().string()) + " && cat Media.m | zip -q -9 - - > " + Quote(piped)));
  try {
    ExtractFile(piped, "-");
    FAIL() << "a Zip64 archive was read";
  } catch (const EZipError &e) {
    EXPECT_STREQ(e.what(), "Archiv ve formátu ZIP64 není podporován.");
  }
}

TEST(ZipInterop, PythonArchivesAreRead) {
  if (const std::string missing = MissingPeers({"python3"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  TTempAppFolder folder;
  const TBytes data = MediaLikeData();
  const std::string media = folder.File("media.bin");
  WriteBytes(media, data);
  const std::string script = folder.WriteFile("writezip.py", PythonWriteZip);
  for (const std::string variant : {"stored 0", "deflated 1", "deflated 6", "deflated 9"}) {
    const std::string archive = folder.File("python.zip");
    ASSERT_TRUE(Succeeds("python3 " + Quote(script) + " " + Quote(archive) + " " + Quote(media) + " " + variant));
    EXPECT_EQ(ExtractFile(archive, "Media.m"), data) << variant;
    EXPECT_EQ(ExtractFile(archive, "sub\\zzz.bin").size(), 256u * 40) << variant;
  }
}

TEST(ZipInterop, AnInfoZipArchiveWithExtraFieldsCanBeWrittenBack) {
  if (const std::string missing = MissingPeers({"zip", "unzip"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  TTempAppFolder folder;
  const TBytes data = MediaLikeData();
  WriteBytes(folder.File("Media.m"), data);
  const std::string original = folder.File("original.zip");
  ASSERT_TRUE(Succeeds("cd " + Quote(folder.Path().string()) + " && zip -q -6 " + Quote(original) + " Media.m"));
  const std::string rewritten = folder.File("rewritten.zip");
  {
    TFileStream source(original, TFileMode::fmOpenRead);
    TZip zip;
    zip.Open(&source);
    ASSERT_GT(zip.Header(0).ExtraFieldLength, 0) << "Info-ZIP writes extra fields";
    zip.AddEntry("added.txt", "new", 2, 3);
    TFileStream target(rewritten, TFileMode::fmCreate);
    zip.WriteTo(target);
  }
  EXPECT_TRUE(Succeeds("unzip -tq " + Quote(rewritten)));
  EXPECT_EQ(ExtractFile(rewritten, "Media.m"), data);
  EXPECT_EQ(ExtractFile(rewritten, "added.txt"), BytesOf("new"));
}
