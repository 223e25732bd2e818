// Entries: names and extensions from paths, the exact bytes of their records, and reading records back.
#include "media/fMediaStream.h"
#include "platform/Streams.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
std::string Bytes(TMemoryStream &stream) {
  return std::string(reinterpret_cast<const char *>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

std::unique_ptr<TImageFileItem> Image(const std::string &path) {
  return TImageFileItem::CreateFromFile(path, true, 3, 0, 0, 0, 0, 0, 0);
}
} // namespace

TEST(FileListItems, NamesAndExtensionsComeFromThePath) {
  auto holiday = Image("/pics/Photo.Holiday.jpeg");
  EXPECT_EQ(holiday->Name, "Photo.Holiday");
  EXPECT_EQ(holiday->Ext.Text(), ".JPEG");
  EXPECT_TRUE(holiday->IsJpeg);
  EXPECT_EQ(holiday->SourcePath, "/pics/Photo.Holiday.jpeg");
  EXPECT_TRUE(Image("shot.Jpg")->IsJpeg);
  EXPECT_EQ(Image("shot.Jpg")->Ext.Text(), ".JPG");
  EXPECT_EQ(Image("clip.mpeg4")->Ext.Text(), ".MPEG");
  EXPECT_FALSE(Image("clip.mpeg4")->IsJpeg);
  EXPECT_EQ(Image("/x/README")->Name, "README");
  EXPECT_TRUE(Image("/x/README")->Ext.Empty());
  EXPECT_EQ(Image("/x/.hidden")->Name, "");
  EXPECT_EQ(Image("/x/.hidden")->Ext.Text(), ".HIDD");
  EXPECT_EQ(Image("/x.d/file")->Name, "file") << "a dot in a folder name is no extension";
  EXPECT_EQ(Image("/x/Žába.bmp")->Name, "\x8E\xE1" "ba") << "names are kept in Windows-1250";
}

TEST(FileListItems, LongNamesKeepTheirFirst255Characters) {
  auto item = Image("/x/" + std::string(300, 'n'));
  EXPECT_EQ(item->Name, std::string(255, 'n'));
  auto dotted = Image("/x/" + std::string(254, 'n') + ".bmp");
  EXPECT_EQ(dotted->Name, std::string(254, 'n')) << "the extension is taken off what remains after cutting";
  EXPECT_EQ(dotted->Ext.Text(), ".BMP");
}

TEST(FileListItems, ImageRecordMatchesTheWorkedExample) {
  auto item = Image("/d/a.bmp");
  TMemoryStream stream;
  stream.WriteValue<uint8_t>(mkImages);
  item->WriteRecord(&stream);
  stream.WriteBuffer("ABC", 3);
  const std::string expected = std::string("\x00" "\x03\x00\x00\x00\x00\x00\x00\x00" "\x01" "a"
                                           "\x04.BMP\x00" "\x01" "\x00\x00\x00\x00" "\x00", 23) +
                               std::string(16, '\0') + "ABC";
  EXPECT_EQ(Bytes(stream), expected);
  EXPECT_EQ(stream.Size(), 42);
  item->WriteRecord(nullptr);
}

TEST(FileListItems, SoundRecordLayout) {
  auto item = TSoundFileItem::CreateFromFile("/d/s.wav", true, 3, 0, 22050, 255, -1);
  TMemoryStream stream;
  item->WriteRecord(&stream);
  const std::string expected = std::string("\x03\0\0\0\0\0\0\0" "\x01s" "\x04.WAV\0" "\x01" "\x22\x56\0\0" "\xFF"
                                           "\xFF\xFF\xFF\xFF", 26);
  EXPECT_EQ(Bytes(stream), expected);
}

TEST(FileListItems, WritingClearsTheTopByteOfTheColourAndKeepsIt) {
  for (const auto &[before, after] : {std::pair<TColor, TColor>{0x8000000F, 0x0F}, {clNone, 0xFFFFFF}, {clDefault, 0}}) {
    auto item = TImageFileItem::CreateFromFile("a.bmp", false, 0, 0, before, 0, 0, 0, 0);
    EXPECT_EQ(item->TransparentColor, before);
    TMemoryStream stream;
    item->WriteRecord(&stream);
    EXPECT_EQ(item->TransparentColor, after);
    uint32_t stored = 0;
    std::memcpy(&stored, stream.Memory() + 16 + 1, sizeof stored);
    EXPECT_EQ(stored, after);
  }
}

TEST(FileListItems, RecordsReadBackWithOddBytesKept) {
  auto written = TImageFileItem::CreateFromFile("/d/Pic.png", true, 2, 0, 0x123456, -1, 2, 3, 4);
  TMemoryStream stream;
  written->WriteRecord(&stream);
  stream.WriteBuffer("xy", 2);
  // A boolean byte of 7 and padding after the extension, as another writer might leave them.
  stream.Memory()[8 + 1 + 3 + 5] = 0xAA;
  stream.Memory()[8 + 1 + 3 + 6] = 7;
  stream.SetPosition(0);
  auto read = TImageFileItem::CreateFromStream(stream);
  EXPECT_EQ(read->Name, "Pic");
  EXPECT_EQ(read->Ext.Text(), ".PNG");
  EXPECT_EQ(read->Transparent, 7);
  EXPECT_EQ(read->TransparentColor, 0x123456u);
  EXPECT_EQ(read->PatternHeight, -1);
  EXPECT_EQ(read->SkipWidth, 4);
  EXPECT_EQ(read->Offset, 37 + 3);
  EXPECT_TRUE(read->SourcePath.empty());
  EXPECT_EQ(stream.Position(), stream.Size());
  TMemoryStream again;
  read->WriteRecord(&again);
  EXPECT_EQ(std::string(reinterpret_cast<const char *>(again.Memory()), 40),
            Bytes(stream).substr(0, 40));
}
