// tvk converts as the editor does: tvk new, tvk add and tvk build turn today's formats into BMP and WAV entries and
// say so; a file that cannot be decoded is refused by name.
#include "TvkFixture.h"

#include "support/MediaSamples.h"

#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
class TvkConvert : public TTvkFixture {
protected:
  void SetUp() override {
    TTvkFixture::SetUp();
    WritePng(app.File("art/hero.png"), SoftEdgedSprite(32));
    // A picture that uses fuchsia itself, so its key must be another colour.
    TSampleRgba pink{2, 1, {255, 0, 255, 255, 0, 0, 0, 0}};
    WritePng(app.File("art/pink.png"), pink);
    WriteSound(app.File("art/theme.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, 2, 22050);
  }
};
} // namespace

TEST_F(TvkConvert, NewAddAndBuildConvertAndSaySo) {
  TTvkRun run = RunTvk({"new", "--images", "-o", Container(), app.File("art/hero.png")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "Převedeno: hero.png → hero.BMP, průhledná barva clFuchsia\n");
  run = RunTvk({"add", Container(), app.File("art/pink.png"), a});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "Převedeno: pink.png → pink.BMP, průhledná barva clLime\n");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1\thero\t.BMP\t3126\tTrue\tclFuchsia\t0\t0\t0\t0",
                                              "2\tpink\t.BMP\t62\tTrue\tclLime\t0\t0\t0\t0",
                                              "3\ta\t.BMP\t3\tTrue\tclBlack\t0\t0\t0\t0"}));

  // The manifest's defaults do not replace the key colour a conversion chose; the entry's own keys still would.
  const std::string manifest = app.WriteFile(
      "pack/sounds.toml", "kind = \"sounds\"\noutput = \"../sounds.tvk\"\n[defaults]\nfrequency = 8000\nlooped = true\n"
                          "[[entry]]\nsource = \"../art/theme.ogg\"\n");
  run = RunTvk({"build", manifest});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "Převedeno: theme.ogg → theme.WAV, 22050 Hz\n");
  EXPECT_EQ(Rows(app.File("sounds.tvk")), (std::vector<std::string>{"1\ttheme\t.WAV\t88244\tTrue\t22050\t255\t-1"}));
  EXPECT_EQ(RunTvk({"build", "--check", manifest}).Status, 0) << "a conversion gives the same bytes every time";
}

TEST_F(TvkConvert, AFileThatCannotBeDecodedIsRefusedByName) {
  app.WriteFile("art/broken.gif", "GIF89a\x01");
  const TTvkRun run = RunTvk({"new", "--images", "-o", Container(), app.File("art/hero.png"), app.File("art/broken.gif")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("broken.gif nelze převést: není to platný obrázek GIF"), std::string::npos) << run.Err;
  EXPECT_FALSE(std::filesystem::exists(Container()));
}
