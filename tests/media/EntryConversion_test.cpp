// The editor's add and update through the controller convert today's formats into what the runtime reads; the data
// lives in the backing file and survives save, open and undo.
#include "media/DocumentController.h"

#include "media/ItemColumns.h"
#include "platform/MemoryGrid.h"
#include "support/MediaSamples.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
class EntryConversion : public ::testing::Test {
protected:
  TTempAppFolder app;
  TScriptedPrompt prompt;
  TMemoryGrid grid{static_cast<int>(ItemColumns(mkImages).size()), 11};

  void SetUp() override {
    app.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.BMP\n[SoundFileExts]\nCount=1\nExt0=.WAV\n");
  }
  static std::string Head(TDocumentController &controller, int position, int count) {
    const TFileListItem &entry = *controller.Document().List.Items()[std::size_t(position)];
    std::string bytes(std::size_t(count), '\0');
    controller.Document().ReadEntryData(entry, bytes.data(), count);
    return bytes;
  }
  static const TImageFileItem &Image(TDocumentController &controller, int position) {
    return dynamic_cast<const TImageFileItem &>(*controller.Document().List.Items()[std::size_t(position)]);
  }
};
} // namespace

TEST_F(EntryConversion, AddUpdateSaveOpenAndUndoKeepTheConvertedData) {
  WritePng(app.File("art/hero.png"), SoftEdgedSprite(24));
  WriteGif(app.File("art/tiles.gif"));
  TDocumentController controller;
  controller.Add({app.File("art/hero.png")});
  EXPECT_TRUE(prompt.Questions.empty()) << "the entry is a .BMP, which the list holds";
  const TImageFileItem &hero = Image(controller, 0);
  EXPECT_EQ(hero.Name, "hero");
  EXPECT_EQ(hero.Ext.Text(), ".BMP");
  EXPECT_TRUE(hero.Transparent);
  EXPECT_EQ(hero.TransparentColor, 0x00FF00FFu);
  EXPECT_EQ(hero.Size, 54 + 24 * 24 * 3);
  EXPECT_EQ(Head(controller, 0, 2), "BM");
  EXPECT_EQ(controller.StateAt(0).Source->Path, app.File("art/hero.png")) << "the file the user chose";
  EXPECT_EQ(ConversionsText(controller.Document().TakeConversions()),
            "Převedeno: hero.png → hero.BMP, průhledná barva clFuchsia");

  ASSERT_TRUE(controller.Update(1, app.File("art/tiles.gif")));
  EXPECT_EQ(Image(controller, 0).Size, 54 + 2 * 12);
  EXPECT_EQ(controller.Document().TakeConversions().size(), 1u);
  controller.Undo();
  EXPECT_EQ(Image(controller, 0).Size, 54 + 24 * 24 * 3);
  EXPECT_EQ(Head(controller, 0, 2), "BM");

  controller.FillView(grid);
  ASSERT_TRUE(controller.Save(grid, app.File("pack.tvk")));
  TDocumentController reopened;
  ASSERT_TRUE(reopened.Open(app.File("pack.tvk")));
  EXPECT_EQ(Image(reopened, 0).Ext.Text(), ".BMP");
  EXPECT_EQ(Head(reopened, 0, 2), "BM");
}

TEST_F(EntryConversion, SoundsGetTheirRateAndTheSwitchesTurnConversionOff) {
  WriteSound(app.File("theme.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 22050, 1, 2205);
  app.WriteFile("config.ini", "[SoundFileExts]\nCount=1\nExt0=.WAV\n[Conversion]\nSampleRate=11025\n");
  TDocumentController controller;
  controller.New(mkSounds);
  controller.Add({app.File("theme.flac")});
  const auto &sound = dynamic_cast<const TSoundFileItem &>(*controller.Document().List.Items()[0]);
  EXPECT_EQ(sound.Ext.Text(), ".WAV");
  EXPECT_EQ(sound.Frequency, 11025);
  EXPECT_EQ(Head(controller, 0, 4), "RIFF");
  EXPECT_NE(ConversionsText(controller.Document().TakeConversions()).find("převzorkováno z 22050 Hz na 11025 Hz"),
            std::string::npos);

  app.WriteFile("config.ini", "[SoundFileExts]\nCount=1\nExt0=.WAV\n[Conversion]\nSounds=0\n");
  controller.New(mkSounds);
  prompt.QueueAnswer(true);
  controller.Add({app.File("theme.flac")});
  ASSERT_EQ(prompt.Questions.size(), 1u) << "a .FLAC is not in the list";
  EXPECT_EQ(controller.Document().List.Items()[0]->Ext.Text(), ".FLAC");
  EXPECT_TRUE(controller.Document().TakeConversions().empty());
}

TEST_F(EntryConversion, AFileThatCannotBeDecodedIsRefusedAndTheFilesBeforeItStay) {
  WritePng(app.File("good.png"), SoftEdgedSprite(8));
  TDocumentController controller;
  try {
    controller.Add({app.File("good.png"), app.WriteFile("bad.png", "\x89PNG\r\n\x1a\n but cut")});
    FAIL() << "bad.png was added";
  } catch (const Exception &error) {
    EXPECT_NE(std::string(error.what()).find("bad.png nelze převést"), std::string::npos) << error.what();
  }
  ASSERT_EQ(controller.Document().List.Count(), 1);
  EXPECT_EQ(Head(controller, 0, 2), "BM") << "the failed conversion left the data before it alone";
}
