// The item columns: one table per kind, in grid order, every attribute's text converting back to the same value.
#include "media/ItemColumns.h"

#include <gtest/gtest.h>

#include <set>

namespace {
void ExpectEveryAttributeRoundTrips(TMediaKind kind, TFileListItem &from, TFileListItem &to) {
  std::set<std::string> keys;
  int index = 0;
  for (const TItemColumn &column : ItemColumns(kind)) {
    EXPECT_EQ(column.Index, index++) << column.Key;
    EXPECT_TRUE(keys.insert(column.Key).second) << column.Key;
    EXPECT_EQ(column.FromText == nullptr, column.Index < 3) << column.Key; // name, ext and size are only shown
    EXPECT_EQ(column.Editing == TCellEditing::None, column.Index < 3) << column.Key;
    if (column.FromText) {
      column.FromText(to, column.ToText(from));
      EXPECT_EQ(column.ToText(to), column.ToText(from)) << column.Key;
    }
  }
}
} // namespace

TEST(ItemColumns, ImageAttributesRoundTripThroughTheirText) {
  const auto image = TImageFileItem::CreateFromFile("/tmp/a.bmp", true, 3, 0, 0x0000FF, 1, 2, 3, 4);
  TImageFileItem copy;
  ExpectEveryAttributeRoundTrips(mkImages, *image, copy);
  EXPECT_EQ(ItemColumns(mkImages).size(), 9u);
  EXPECT_EQ(ItemColumns(mkImages)[4].ToText(copy), "clRed");
  EXPECT_EQ(copy.SkipWidth, 4);
}

TEST(ItemColumns, SoundAttributesRoundTripAndAVolumeKeepsItsLowByte) {
  const auto sound = TSoundFileItem::CreateFromFile("/tmp/a.wav", true, 3, 0, 22050, 200, -5);
  TSoundFileItem copy;
  ExpectEveryAttributeRoundTrips(mkSounds, *sound, copy);
  EXPECT_EQ(copy.Pan, -5);
  ItemColumns(mkSounds)[5].FromText(copy, "257");
  EXPECT_EQ(copy.Volume, 1);
  EXPECT_THROW(ItemColumns(mkSounds)[4].FromText(copy, "rychle"), EConvertError);
}
