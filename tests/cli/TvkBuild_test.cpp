// tvk build through the built binary: manifests with real source files, refusals pointing into the manifest,
// reproducible bytes and --check.
#include "TvkFixture.h"

#include "support/Environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {
class TvkBuild : public TTvkFixture {
protected:
  // Three pictures, one of them large enough to be deflated in several chunks on several threads.
  std::string Manifest(const std::string &extra = "") {
    std::string big;
    for (uint64_t i = 0; big.size() < 5u << 20; ++i)
      big += "row " + std::to_string(i * 7919 % 100003) + ";";
    app.WriteFile("art/big.bmp", big);
    return app.WriteFile("pack/sprites.toml", "kind = \"images\"\nlevel = 2\noutput = \"../out.tvk\"\n\n"
                                              "[defaults]\ntransparent = false\ncolor = \"clFuchsia\"\n\n"
                                              "[[entry]]\nsource = \"../art/big.bmp\"\nname = \"hero\"\n"
                                              "pattern-width = 64\npattern-height = 32\n\n"
                                              "[[entry]]\nsource = \"../in/a.bmp\"\ntransparent = true\n" +
                                                  extra);
  }
};
} // namespace

TEST_F(TvkBuild, BuildsTheManifestIntoItsOutputAndChecksIt) {
  const std::string manifest = Manifest();
  const TTvkRun run = RunTvk({"build", manifest});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(Rows(app.File("out.tvk")),
            (std::vector<std::string>{"1\thero\t.BMP\t" + std::to_string(std::filesystem::file_size(app.File("art/big.bmp"))) +
                                          "\tFalse\tclFuchsia\t32\t64\t0\t0",
                                      "2\ta\t.BMP\t3\tTrue\tclFuchsia\t0\t0\t0\t0"}));
  EXPECT_EQ(RunTvk({"build", "--check", manifest}).Status, 0);

  // An attribute changed in the manifest: --check names it and leaves the container alone.
  const std::string before = TTempAppFolder::ReadFile(app.File("out.tvk"));
  app.WriteFile("pack/sprites.toml", TTempAppFolder::ReadFile(manifest) + "pattern-width = 16\n");
  const TTvkRun check = RunTvk({"build", "--check", manifest});
  EXPECT_EQ(check.Status, 1);
  EXPECT_NE(check.Err.find("a: pattern-width 0 -> 16"), std::string::npos) << check.Err;
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("out.tvk")), before);
  EXPECT_EQ(RunTvk({"build", "--check", manifest, "-o", app.File("missing.tvk")}).Status, 1);
}

TEST_F(TvkBuild, SameManifestGivesTheSameBytesInAnyTimeZoneAndThreadCount) {
  const std::string manifest = Manifest();
  const char *zone = std::getenv("TZ");
  const std::string savedZone = zone ? zone : "";
  SetEnvironment("SOURCE_DATE_EPOCH", nullptr);
  SetEnvironment("TZ", "Pacific/Kiritimati");
  ASSERT_EQ(RunTvk({"build", manifest, "-o", app.File("one.tvk"), "--threads", "1"}).Status, 0);
  SetEnvironment("TZ", "America/Los_Angeles");
  ASSERT_EQ(RunTvk({"build", manifest, "-o", app.File("four.tvk"), "--threads", "4"}).Status, 0);
  SetEnvironment("SOURCE_DATE_EPOCH", "1700000000"); // 2023-11-14 22:13:20 UTC
  ASSERT_EQ(RunTvk({"build", manifest, "-o", app.File("epoch.tvk")}).Status, 0);
  SetEnvironment("SOURCE_DATE_EPOCH", "yesterday");
  const TTvkRun badEpoch = RunTvk({"build", manifest, "-o", app.File("bad.tvk")});
  SetEnvironment("SOURCE_DATE_EPOCH", nullptr);
  SetEnvironment("TZ", zone ? savedZone.c_str() : nullptr);

  const std::string one = TTempAppFolder::ReadFile(app.File("one.tvk"));
  EXPECT_EQ(one, TTempAppFolder::ReadFile(app.File("four.tvk")));
  EXPECT_NE(one, TTempAppFolder::ReadFile(app.File("epoch.tvk")));
  // The DOS time and date of the local header: 1980-01-01 00:00:00, then 2023-11-14 22:13:20.
  EXPECT_EQ(one.substr(10, 4), std::string("\x00\x00\x21\x00", 4));
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("epoch.tvk")).substr(10, 4), std::string("\xAA\xB1\x6E\x57", 4));
  EXPECT_EQ(badEpoch.Status, 1);
  EXPECT_NE(badEpoch.Err.find("SOURCE_DATE_EPOCH"), std::string::npos);
}

TEST_F(TvkBuild, RefusalsNameTheManifestLineAndColumnAndWriteNothing) {
  app.WriteFile("in/tone.wav", "RIFF");
  const struct {
    std::string Extra, Words;
  } cases[] = {
      {"volume = 3\n", "sprites.toml:18:1: Neznámý klíč volume."},
      {"[[entry]]\nsource = \"../in/none.bmp\"\n", "sprites.toml:19:10: Zdrojový soubor"},
      {"pattern-height = 4294967296\n", "sprites.toml:18:18: Hodnota 4294967296 klíče pattern-height je mimo"},
      {"skip-width = true\n", "sprites.toml:18:14: Klíč skip-width musí být celé číslo."},
      {"color = \"clNoSuch\"\n", "sprites.toml:18:9:"},
      {"[[entry]]\nsource = \"../in/tone.wav\"\n", "sprites.toml:19:10: Soubor "},
      {"[[entry]\n", "sprites.toml:18:9: Manifest není platný TOML"},
  };
  for (const auto &refused : cases) {
    const std::string manifest = Manifest(refused.Extra);
    const TTvkRun run = RunTvk({"build", manifest});
    EXPECT_EQ(run.Status, 1) << refused.Extra;
    EXPECT_NE(run.Err.find(refused.Words), std::string::npos) << refused.Extra << run.Err;
    EXPECT_FALSE(std::filesystem::exists(app.File("out.tvk"))) << refused.Extra;
  }
  // A file the manifest names as output that is no container is not replaced.
  app.WriteFile("notes.txt", "keep me");
  EXPECT_EQ(RunTvk({"build", Manifest(), "-o", app.File("notes.txt")}).Status, 1);
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("notes.txt")), "keep me");
}

TEST_F(TvkBuild, NewAndAddSetAttributesAndListLongShowsTheCrc) {
  ASSERT_EQ(RunTvk({"new", "--images", "-o", Container(), "--set", "transparent=False", "--set=pattern-width=8", a, b})
                .Status,
            0);
  const TTvkRun add = RunTvk({"add", Container(), "--set", "color=clRed", c});
  ASSERT_EQ(add.Status, 0) << add.Err;
  EXPECT_EQ(RunTvk({"add", Container(), "--set", "volume=3", c}).Status, 2); // no such key for images: nothing added
  const TTvkRun list = RunTvk({"list", "--long", Container()});
  ASSERT_EQ(list.Status, 0) << list.Err;
  // CRC-32 of "ABC", "DEFG", "HIJKL".
  EXPECT_NE(list.Out.find("skip-width\tcrc-32\n1\ta\t.BMP\t3\tFalse\tclBlack\t0\t8\t0\t0\tA3830348\n"
                          "2\tb\t.BMP\t4\tFalse\tclBlack\t0\t8\t0\t0\t0DF863ED\n"
                          "3\tc\t.BMP\t5\tTrue\tclRed\t0\t0\t0\t0\t59576041\n"),
            std::string::npos)
      << list.Out;
  EXPECT_EQ(std::count(list.Out.begin(), list.Out.end(), '\n'), 5);
}
