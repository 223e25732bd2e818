// Containers against real peers: what we save passes unzip, Python's zipfile and 7-Zip; what they pack, we open.
#include "media/Container.h"

#include "platform/Streams.h"
#include "support/Peers.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {
int Shell(const std::string &command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

std::string Quoted(const std::string &path) { return "'" + path + "'"; }

class ContainerPeers : public ::testing::Test {
protected:
  TTempAppFolder app;
  TScriptedPrompt prompt;
  std::string expectedStream;
  std::unique_ptr<TMediaStream> document;

  void SetUp() override {
    app.WriteFile("config.ini", "[SoundFileExts]\nCount=1\nExt0=.WAV\n");
    std::mt19937 generator(7);
    std::string noise(300000, '\0');
    for (char &c : noise)
      c = static_cast<char>(generator());
    document = std::make_unique<TMediaStream>();
    document->AddFile(app.WriteFile("noise.wav", noise), mkSounds);
    document->AddFile(app.WriteFile("quiet.wav", std::string(200000, '\x80')), mkSounds);
    document->AddFile(app.WriteFile("empty.wav", ""), mkSounds);
    TMemoryStream stream;
    document->Assemble(stream, mkSounds);
    expectedStream.assign(reinterpret_cast<const char *>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
  }
  void ExpectOpensAsTheDocument(const std::string &path) {
    TMediaStream reopened;
    ASSERT_EQ(LoadContainer(reopened, path), std::optional<TMediaKind>(mkSounds)) << path;
    TMemoryStream stream;
    reopened.Assemble(stream, mkSounds);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(stream.Memory()), static_cast<std::size_t>(stream.Size())),
              expectedStream)
        << path;
  }
};
} // namespace

TEST_F(ContainerPeers, SavedContainersPassUnzipPythonAnd7zAtEveryLevel) {
  if (const std::string missing = MissingPeers({"unzip", "python3", "7z"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  const std::string python = "python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
                             "sys.exit(z.testzip() is not None or z.namelist() != [\"Media.m\"])' ";
  for (int level = 0; level <= 3; ++level) {
    const std::string path = app.File("level" + std::to_string(level) + ".tvk");
    SaveContainer(*document, mkSounds, path, level);
    EXPECT_EQ(Shell("unzip -t " + Quoted(path)), 0) << "unzip, level " << level;
    EXPECT_EQ(Shell(python + Quoted(path)), 0) << "python, level " << level;
    EXPECT_EQ(Shell("7z t " + Quoted(path)), 0) << "7z, level " << level;
    EXPECT_EQ(Shell("unzip -p " + Quoted(path) + " Media.m | cmp -s - " + Quoted(app.WriteFile("expected.m", expectedStream))), 0);
  }
}

TEST_F(ContainerPeers, ContainersPackedByInfoZipAndPythonOpen) {
  if (const std::string missing = MissingPeers({"zip", "python3"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  app.WriteFile("peer/Media.m", expectedStream);
  app.WriteFile("peer/readme.txt", "another entry that readers ignore");
  const std::string folder = Quoted(app.File("peer"));
  for (const char *level : {"-0", "-1", "-6", "-9"}) {
    const std::string path = app.File(std::string("zip") + level + ".tvk");
    ASSERT_EQ(Shell("cd " + folder + " && zip -q " + level + " " + Quoted(path) + " readme.txt Media.m"), 0);
    ExpectOpensAsTheDocument(path);
  }
  for (const char *method : {"ZIP_STORED", "ZIP_DEFLATED"}) {
    const std::string path = app.File(std::string("python-") + method + ".tvk");
    ASSERT_EQ(Shell("python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1], \"w\", zipfile." +
                  std::string(method) + ").write(sys.argv[2], \"Media.m\")' " + Quoted(path) + " " +
                  Quoted(app.File("peer/Media.m"))),
              0);
    ExpectOpensAsTheDocument(path);
  }
}
