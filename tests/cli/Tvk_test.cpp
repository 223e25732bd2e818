// The tvk command line through the built binary: building, editing, listing, checking and unpacking containers.
#include "TvkFixture.h"

#include "media/ZIPStream.h"
#include "platform/Streams.h"
#include "support/Peers.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {
bool OneLine(const std::string &text) {
  return !text.empty() && text.back() == '\n' && std::count(text.begin(), text.end(), '\n') == 1;
}

class Tvk : public TTvkFixture {
protected:
  // A container holding one image entry with the given raw name bytes and extension, built without tvk.
  std::string HostileContainer(const std::string &name, const std::string &ext) {
    std::string stream(1, '\0');
    stream += std::string("\x02\0\0\0\0\0\0\0", 8) + static_cast<char>(name.size()) + name;
    stream += static_cast<char>(ext.size()) + ext + std::string(5 - ext.size(), '\0');
    stream += std::string(1 + 4 + 1 + 16, '\0') + "hi";
    TZip zip;
    zip.AddEntry("Media.m", stream.data(), 0, static_cast<uint32_t>(stream.size()));
    TFileStream file(app.File("hostile.tvk"), TFileMode::fmCreate);
    zip.WriteTo(file);
    return app.File("hostile.tvk");
  }
};
} // namespace

TEST_F(Tvk, NewThenListShowsEveryEntryInGridText) {
  NewContainer({a, b});
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1\ta\t.BMP\t3\tTrue\tclBlack\t0\t0\t0\t0",
                                               "2\tb\t.BMP\t4\tTrue\tclBlack\t0\t0\t0\t0"}));
  const TTvkRun json = RunTvk({"list", "--json", Container()});
  ASSERT_EQ(json.Status, 0);
  EXPECT_NE(json.Out.find("{\"kind\": \"images\", \"entries\": ["), std::string::npos) << json.Out;
  EXPECT_NE(json.Out.find("{\"position\": 2, \"name\": \"b\", \"ext\": \".BMP\", \"size\": 4, \"transparent\": "
                          "true, \"color\": \"clBlack\", \"pattern-height\": 0,"),
            std::string::npos)
      << json.Out;
  if (const std::string missing = MissingPeers({"python3"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing << " (checks that the JSON parses)";
  const std::string jsonFile = app.WriteFile("list.json", json.Out);
  EXPECT_EQ(std::system(("python3 -c 'import json,sys; e = json.load(open(sys.argv[1]))[\"entries\"][1]; "
                         "sys.exit(not (e[\"transparent\"] is True and e[\"skip-width\"] == 0 and e[\"size\"] == 4))' " +
                         jsonFile)
                            .c_str()),
            0);
}

TEST_F(Tvk, InfoAndVerifyOfASoundContainer) {
  const std::string wav = app.WriteFile("in/tone.wav", std::string(1000, 'x'));
  ASSERT_EQ(RunTvk({"new", "--sounds", "-o", Container(), "--level", "3", wav}).Status, 0);
  const TTvkRun info = RunTvk({"info", Container()});
  ASSERT_EQ(info.Status, 0) << info.Err;
  EXPECT_NE(info.Out.find("kind: sounds\nentries: 1\ndata size: 1000 bytes"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("deflated, level 3"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find(" ok"), std::string::npos);
  EXPECT_EQ(RunTvk({"verify", Container()}).Status, 0);
  EXPECT_NE(RunTvk({"list", Container()}).Out.find("1\ttone\t.WAV\t1000\tFalse\t0\t255\t-1"), std::string::npos);
}

TEST_F(Tvk, UnlistedExtensionNeedsForce) {
  const std::string odd = app.WriteFile("in/odd.xyz", "1");
  const TTvkRun refused = RunTvk({"new", "--images", "-o", Container(), a, odd});
  EXPECT_EQ(refused.Status, 1);
  EXPECT_TRUE(OneLine(refused.Err)) << refused.Err;
  EXPECT_NE(refused.Err.find(odd), std::string::npos) << refused.Err;
  EXPECT_FALSE(std::filesystem::exists(Container()));
  EXPECT_EQ(RunTvk({"new", "--images", "--force", "-o", Container(), a, odd}).Status, 0);
  EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(Tvk, UsageErrorsExitWithTwoAndHelpWithZero) {
  for (const std::vector<std::string> &arguments : std::vector<std::vector<std::string>>{
           {}, {"frobnicate"}, {"new", "--images", a}, {"new", "--images", "--sounds", "-o", Container()},
           {"new", "--images", "-o", Container(), "--level", "7"}, {"list"}, {"list", "--bogus", Container()},
           {"move", Container(), "a"}}) {
    const TTvkRun run = RunTvk(arguments);
    EXPECT_EQ(run.Status, 2) << (arguments.empty() ? "" : arguments[0]) << ": " << run.Err;
  }
  const TTvkRun help = RunTvk({"new", "--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_EQ(help.Out.rfind("usage: tvk new", 0), 0u);
  EXPECT_EQ(RunTvk({"--help"}).Status, 0);
}

TEST_F(Tvk, EditsReorderReplaceAndRemove) {
  NewContainer({a, b});
  ASSERT_EQ(RunTvk({"add", Container(), c}).Status, 0);
  ASSERT_EQ(RunTvk({"move", Container(), "c", "--to", "1"}).Status, 0);
  ASSERT_EQ(RunTvk({"move", Container(), "a", "--down"}).Status, 0);
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].substr(0, 5), "1\tc\t.");
  EXPECT_EQ(rows[1].substr(0, 5), "2\tb\t.");
  EXPECT_EQ(rows[2].substr(0, 5), "3\ta\t.");

  const std::string longer = app.WriteFile("in/longer.raw", "0123456789"); // a .png would be converted
  ASSERT_EQ(RunTvk({"replace", Container(), "b", longer}).Status, 0);
  ASSERT_EQ(RunTvk({"remove", Container(), "c"}).Status, 0);
  rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "1\tb\t.BMP\t10\tTrue\tclBlack\t0\t0\t0\t0"); // keeps its name and extension
  ASSERT_EQ(RunTvk({"extract", Container(), "-d", app.File("out"), "b"}).Status, 0);
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("out/b.BMP")), "0123456789");
  EXPECT_EQ(RunTvk({"remove", Container(), "nosuch"}).Status, 1);
}

TEST_F(Tvk, SetTakesGridTextsAndRefusesBadValues) {
  NewContainer({a});
  ASSERT_EQ(RunTvk({"set", Container(), "a", "transparent=False", "color=$00FF8000", "pattern-height=32",
                    "skip-width=$10"})
                .Status,
            0);
  EXPECT_EQ(Rows(), std::vector<std::string>{"1\ta\t.BMP\t3\tFalse\t$00FF8000\t32\t0\t0\t16"});
  ASSERT_EQ(RunTvk({"set", Container(), "a", "color=clred"}).Status, 0);
  EXPECT_EQ(Rows()[0], "1\ta\t.BMP\t3\tFalse\tclRed\t32\t0\t0\t16");

  const std::string before = TTempAppFolder::ReadFile(Container());
  const TTvkRun bad = RunTvk({"set", Container(), "a", "pattern-width=abc"});
  EXPECT_EQ(bad.Status, 1);
  EXPECT_NE(bad.Err.find("'abc' is not a valid integer value"), std::string::npos) << bad.Err;
  EXPECT_TRUE(OneLine(bad.Err));
  EXPECT_EQ(RunTvk({"set", Container(), "a", "transparent=yes"}).Status, 1);
  EXPECT_EQ(RunTvk({"set", Container(), "a", "volume=3"}).Status, 2); // not an image attribute
  EXPECT_EQ(TTempAppFolder::ReadFile(Container()), before);
}

TEST_F(Tvk, SoundAttributesAndVolumeRange) {
  const std::string wav = app.WriteFile("in/s.wav", "RIFF");
  ASSERT_EQ(RunTvk({"new", "--sounds", "-o", Container(), wav}).Status, 0);
  ASSERT_EQ(RunTvk({"set", Container(), "s", "looped=True", "frequency=22050", "volume=200", "pan=-5"}).Status, 0);
  EXPECT_EQ(Rows(), std::vector<std::string>{"1\ts\t.WAV\t4\tTrue\t22050\t200\t-5"});
  EXPECT_EQ(RunTvk({"set", Container(), "s", "volume=300"}).Status, 1);
}

TEST_F(Tvk, EditsKeepTheContainersLevelUnlessAsked) {
  NewContainer({a}, "0");
  ASSERT_EQ(RunTvk({"add", Container(), b}).Status, 0);
  EXPECT_NE(RunTvk({"info", Container()}).Out.find("stored, level 0"), std::string::npos);
  ASSERT_EQ(RunTvk({"add", "--level", "1", Container(), c}).Status, 0);
  EXPECT_NE(RunTvk({"info", Container()}).Out.find("deflated, level 1"), std::string::npos);
}

TEST_F(Tvk, FailedEditLeavesTheContainerAlone) {
  NewContainer({a, b});
  const std::string before = TTempAppFolder::ReadFile(Container());
  EXPECT_EQ(RunTvk({"replace", Container(), "a", app.File("in/missing.bmp")}).Status, 1);
  EXPECT_EQ(RunTvk({"add", Container(), c, app.File("in/missing.bmp")}).Status, 1);
  EXPECT_EQ(RunTvk({"move", Container(), "nosuch", "--up"}).Status, 1);
  EXPECT_EQ(TTempAppFolder::ReadFile(Container()), before);
  std::vector<std::string> leftovers;
  for (const auto &item : std::filesystem::directory_iterator(app.Path()))
    if (item.path().filename().string()[0] == '.')
      leftovers.push_back(item.path().filename().string());
  EXPECT_TRUE(leftovers.empty());
}

TEST_F(Tvk, NamesAreUtf8OnTheCommandLine) {
  const std::string czech = app.WriteFile("in/žluťoučký kůň.bmp", "XYZ");
  NewContainer({czech});
  EXPECT_EQ(Rows()[0], "1\tžluťoučký kůň\t.BMP\t3\tTrue\tclBlack\t0\t0\t0\t0");
  ASSERT_EQ(RunTvk({"extract", Container(), "-d", app.File("out")}).Status, 0);
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("out/žluťoučký kůň.BMP")), "XYZ");
  ASSERT_EQ(RunTvk({"remove", Container(), "žluťoučký kůň"}).Status, 0);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(Tvk, ExtractNeverOverwritesUnasked) {
  NewContainer({a, b});
  const std::string out = app.File("out");
  ASSERT_EQ(RunTvk({"extract", Container(), "-d", out}).Status, 0);
  EXPECT_EQ(TTempAppFolder::ReadFile(out + "/a.BMP"), "ABC");
  EXPECT_EQ(TTempAppFolder::ReadFile(out + "/b.BMP"), "DEFG");
  app.WriteFile("out/a.BMP", "mine");
  const TTvkRun again = RunTvk({"extract", Container(), "-d", out});
  EXPECT_EQ(again.Status, 1);
  EXPECT_TRUE(OneLine(again.Err)) << again.Err;
  EXPECT_EQ(TTempAppFolder::ReadFile(out + "/a.BMP"), "mine");
  ASSERT_EQ(RunTvk({"extract", Container(), "-d", out, "--overwrite"}).Status, 0);
  EXPECT_EQ(TTempAppFolder::ReadFile(out + "/a.BMP"), "ABC");
  EXPECT_EQ(RunTvk({"extract", Container()}, out).Status, 1); // the default folder is the current one
}

TEST_F(Tvk, ExtractRefusesNamesThatLeaveTheFolder) {
  for (const auto &[name, ext] : std::vector<std::pair<std::string, std::string>>{
           {"../evil", ""}, {"..", ""}, {".", ""}, {"sub\\x", ".BMP"}, {"", ""}, {"a", "/.."}}) {
    const std::string container = HostileContainer(name, ext);
    const std::string out = app.File("out-hostile");
    const TTvkRun run = RunTvk({"extract", container, "-d", out});
    EXPECT_EQ(run.Status, 1) << name << ext;
    EXPECT_TRUE(OneLine(run.Err)) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(app.File("evil")));
    EXPECT_TRUE(!std::filesystem::exists(out) || std::filesystem::is_empty(out)) << name << ext;
  }
}

TEST_F(Tvk, DamagedContainersFailEveryReadingCommand) {
  NewContainer({a, b}, "0");
  std::string bytes = TTempAppFolder::ReadFile(Container());
  bytes[30 + 7 + 1 + 38] ^= 0x20; // a data byte of the first entry
  const std::string damaged = app.WriteFile("damaged.tvk", bytes);
  for (const std::vector<std::string> &arguments : std::vector<std::vector<std::string>>{
           {"verify", damaged}, {"list", damaged}, {"info", damaged}, {"extract", damaged, "-d", app.File("out")}}) {
    const TTvkRun run = RunTvk(arguments);
    EXPECT_EQ(run.Status, 1) << arguments[0];
    EXPECT_TRUE(OneLine(run.Err)) << arguments[0] << ": " << run.Err;
    EXPECT_NE(run.Err.find("poškozený"), std::string::npos) << run.Err;
  }
  EXPECT_EQ(RunTvk({"verify", app.WriteFile("empty.tvk", "")}).Status, 1);
  EXPECT_EQ(RunTvk({"verify", app.File("missing.tvk")}).Status, 1);
}
