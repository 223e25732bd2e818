// tvk dump and tvk diff through the built binary, and tvk list --long as git's textconv in a real repository.
#include "TvkFixture.h"

#include "support/Peers.h"
#include "support/PictureFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {
class TvkPack : public TTvkFixture {
protected:
  // A container built from a manifest with two pictures and their attributes.
  std::string Built() {
    const std::string manifest = app.WriteFile(
        "src/pack.toml", "kind = \"images\"\nlevel = 3\n[[entry]]\nsource = \"../in/b.bmp\"\nname = \"hero\"\n"
                         "color = \"$00123456\"\nskip-width = 7\n[[entry]]\nsource = \"../in/a.bmp\"\n"
                         "transparent = false\n");
    const TTvkRun run = RunTvk({"build", manifest, "-o", app.File("built.tvk")});
    EXPECT_EQ(run.Status, 0) << run.Err;
    return app.File("built.tvk");
  }
};
} // namespace

TEST_F(TvkPack, DumpThenBuildGivesTheSameBytesAndDiffSeesNoDifference) {
  const std::string built = Built();
  const TTvkRun dump = RunTvk({"dump", built, "-d", app.File("dumped")});
  ASSERT_EQ(dump.Status, 0) << dump.Err;
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("dumped/hero.BMP")), "DEFG");
  ASSERT_EQ(RunTvk({"build", app.File("dumped/built.toml"), "-o", app.File("again.tvk")}).Status, 0);
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("again.tvk")), TTempAppFolder::ReadFile(built));
  const TTvkRun same = RunTvk({"diff", built, app.File("dumped/built.toml")});
  EXPECT_EQ(same.Status, 0) << same.Out;
  // A second dump into the same folder replaces nothing unasked.
  EXPECT_EQ(RunTvk({"dump", built, "-d", app.File("dumped")}).Status, 1);
  EXPECT_EQ(RunTvk({"dump", built, "-d", app.File("dumped"), "--overwrite"}).Status, 0);

  // Entries sharing a name get files of their own and keep their names and order.
  app.WriteFile("in/hero.bmp", "MNOPQR");
  ASSERT_EQ(RunTvk({"add", built, "--set", "transparent=False", app.File("in/hero.bmp"), c}).Status, 0);
  ASSERT_EQ(RunTvk({"dump", built, "-d", app.File("twice")}).Status, 0);
  EXPECT_EQ(TTempAppFolder::ReadFile(app.File("twice/hero~2.BMP")), "MNOPQR");
  ASSERT_EQ(RunTvk({"build", app.File("twice/built.toml"), "-o", app.File("twice.tvk")}).Status, 0);
  EXPECT_EQ(Rows(app.File("twice.tvk")), Rows(built));
  EXPECT_EQ(RunTvk({"diff", built, app.File("twice.tvk")}).Status, 0);
}

TEST_F(TvkPack, DiffNamesAddedRemovedMovedAndChangedEntries) {
  const std::string built = Built();
  const std::string other = app.File("other.tvk");
  std::filesystem::copy_file(built, other);
  ASSERT_EQ(RunTvk({"move", other, "a", "--up"}).Status, 0);
  ASSERT_EQ(RunTvk({"set", other, "hero", "skip-width=9"}).Status, 0);
  ASSERT_EQ(RunTvk({"replace", other, "a", c}).Status, 0);
  ASSERT_EQ(RunTvk({"add", other, b}).Status, 0);
  ASSERT_EQ(RunTvk({"remove", other, "hero"}).Status, 0);
  ASSERT_EQ(RunTvk({"add", other, a}).Status, 0); // a second "a"
  const TTvkRun diff = RunTvk({"diff", built, other});
  EXPECT_EQ(diff.Status, 1);
  EXPECT_EQ(diff.Out, "removed: hero (position 1)\n"
                      "changed: a: content 3 B, CRC-32 A3830348 -> 5 B, CRC-32 59576041\n"
                      "added: b (position 2)\n"
                      "added: a (position 3)\n");
  const TTvkRun json = RunTvk({"diff", "--json", other, built});
  EXPECT_EQ(json.Status, 1);
  EXPECT_NE(json.Out.find("{\"what\": \"added\", \"name\": \"hero\", \"old\": \"\", \"new\": \"1\"}"),
            std::string::npos)
      << json.Out;
  const TTvkRun moved = RunTvk({"diff", built, app.File("src/pack.toml")});
  EXPECT_EQ(moved.Status, 0) << moved.Out << moved.Err;
}

TEST_F(TvkPack, GitDiffShowsChangedEntriesThroughTheTextconv) {
  if (const std::string missing = MissingPeers({"git"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  const std::string repository = app.File("repo");
  std::filesystem::create_directories(repository);
  NewContainer({a, b}, "2", repository + "/pack.tvk");
  // The lines the README gives, with the built tvk in place of the installed one.
  const std::string git = "cd '" + repository + "' && git -c user.name=t -c user.email=t@t ";
  const std::string setup = "cd '" + repository + "' && git init -q && echo '*.tvk diff=tvk' >> .gitattributes && " +
                            "git config diff.tvk.textconv '" + TOVRIK_BIN_DIR + "/tvk list --long' && " + git +
                            "add . && " + git + "commit -q -m pack";
  ASSERT_EQ(std::system(setup.c_str()), 0);
  ASSERT_EQ(RunTvk({"set", repository + "/pack.tvk", "b", "pattern-width=48"}).Status, 0);
  const std::string out = app.File("git-diff.txt");
  ASSERT_EQ(std::system((git + "diff > '" + out + "'").c_str()), 0);
  const std::string shown = TTempAppFolder::ReadFile(out);
  EXPECT_NE(shown.find("-2\tb\t.BMP\t4\tTrue\tclBlack\t0\t0\t0\t0\t0DF863ED\n"
                       "+2\tb\t.BMP\t4\tTrue\tclBlack\t0\t48\t0\t0\t0DF863ED\n"),
            std::string::npos)
      << shown;
}

TEST_F(TvkPack, CheckPrintsOneLinePerProblemAndFailsOnlyForProblems) {
  using namespace PictureFiles;
  app.WriteFile("in/sheet.bmp", Bmp24(20, 10, [](int x, int) { return x < 2 ? 0xFF00FFu : 0u; }));
  app.WriteFile("in/beep.wav", Wave(22050));
  const std::string manifest = app.WriteFile(
      "src/check.toml", "kind = \"images\"\n[[entry]]\nsource = \"../in/sheet.bmp\"\npattern-width = 8\n"
                        "transparent = true\ncolor = \"clRed\"\n[[entry]]\nsource = \"../in/sheet.bmp\"\n"
                        "transparent = true\ncolor = \"clFuchsia\"\n");
  const TTvkRun failed = RunTvk({"check", manifest});
  EXPECT_EQ(failed.Status, 1) << failed.Err;
  EXPECT_EQ(failed.Out, "1 sheet.BMP: mřížka snímků nechává 4 px vpravo a 0 px dole mimo celé snímky\n"
                        "1 sheet.BMP: klíčová barva clRed není v žádném pixelu\n"
                        "2 sheet.BMP: stejné jméno a příponu má položka 1\n");
  const TTvkRun json = RunTvk({"check", "--json", manifest});
  EXPECT_EQ(json.Status, 1);
  EXPECT_NE(json.Out.find("{\"position\": 1, \"name\": \"sheet\", \"extension\": \".BMP\", \"problem\": "
                          "\"frame-left-over\", \"note\": false, \"right\": 4, \"bottom\": 0, \"text\": "),
            std::string::npos)
      << json.Out;

  // A sound whose Frequency differs from its file's rate is a note: printed, yet the pack passes.
  const std::string sounds = app.File("sounds.tvk");
  ASSERT_EQ(RunTvk({"new", "--sounds", "-o", sounds, "--set", "frequency=44100", app.File("in/beep.wav")}).Status, 0);
  const TTvkRun note = RunTvk({"check", sounds});
  EXPECT_EQ(note.Status, 0) << note.Err;
  EXPECT_EQ(note.Out, "1 beep.WAV: poznámka: Frequency 44100 Hz se liší od 22050 Hz souboru (změna výšky?)\n");
  EXPECT_NE(RunTvk({"check", "--json", sounds}).Out.find("{\"passed\": true, \"problems\": ["), std::string::npos);
  ASSERT_EQ(RunTvk({"set", sounds, "beep", "frequency=22050"}).Status, 0);
  EXPECT_EQ(RunTvk({"check", sounds}).Out, "");
  EXPECT_EQ(RunTvk({"check", app.File("missing.tvk")}).Status, 1);
}
