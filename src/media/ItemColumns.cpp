// The columns of the item grids: captions, widths, editing, tvk keys and the text of every value.
#include "media/ItemColumns.h"

#include "media/CellTexts.h"
#include "platform/CodePage.h"
#include "platform/IntegerText.h"

#include <memory>

namespace {
const TImageFileItem &Image(const TFileListItem &item) { return static_cast<const TImageFileItem &>(item); }
TImageFileItem &Image(TFileListItem &item) { return static_cast<TImageFileItem &>(item); }
const TSoundFileItem &Sound(const TFileListItem &item) { return static_cast<const TSoundFileItem &>(item); }
TSoundFileItem &Sound(TFileListItem &item) { return static_cast<TSoundFileItem &>(item); }

// A stored boolean byte keeps whatever non-zero value it was read with while its meaning stays the same.
void StoreBool(TByteBool &field, const std::string &text) {
  if ((field != 0) != StringToBool(text))
    field = StringToBool(text);
}

// The three columns every kind starts with; the grid shows them and never writes them back.
constexpr TItemColumn NameColumn{NameColumnIndex, "Jméno", 120, TCellEditing::None, "name",
                                 [](const TFileListItem &item) { return Cp1250ToUtf8(item.Name); }, nullptr};
constexpr TItemColumn ExtColumn{ExtColumnIndex, "Ext", 52, TCellEditing::None, "ext",
                                [](const TFileListItem &item) { return item.Ext.Utf8(); }, nullptr};
constexpr TItemColumn SizeColumn{SizeColumnIndex, "Velikost", 68, TCellEditing::None, "size",
                                 [](const TFileListItem &item) { return IntToStr(item.Size); }, nullptr};
} // namespace

const std::vector<TItemColumn> &ItemColumns(TMediaKind kind) {
  static const std::vector<TItemColumn> images{
      NameColumn,
      ExtColumn,
      SizeColumn,
      {FirstAttributeColumn, "Transparent", 62, TCellEditing::Boolean, "transparent",
       [](const TFileListItem &item) { return BoolToString(Image(item).Transparent); },
       [](TFileListItem &item, const std::string &text) { StoreBool(Image(item).Transparent, text); }},
      {4, "TransparentColor", 92, TCellEditing::Color, "color",
       [](const TFileListItem &item) { return ColorToString(Image(item).TransparentColor); },
       [](TFileListItem &item, const std::string &text) { Image(item).TransparentColor = StringToColor(text); }},
      {5, "PatternHeight", 70, TCellEditing::Size, "pattern-height",
       [](const TFileListItem &item) { return IntToStr(Image(item).PatternHeight); },
       [](TFileListItem &item, const std::string &text) { Image(item).PatternHeight = StrToInt(text); }},
      {6, "PatternWidth", 70, TCellEditing::Size, "pattern-width",
       [](const TFileListItem &item) { return IntToStr(Image(item).PatternWidth); },
       [](TFileListItem &item, const std::string &text) { Image(item).PatternWidth = StrToInt(text); }},
      {7, "SkipHeight", 70, TCellEditing::Size, "skip-height",
       [](const TFileListItem &item) { return IntToStr(Image(item).SkipHeight); },
       [](TFileListItem &item, const std::string &text) { Image(item).SkipHeight = StrToInt(text); }},
      {8, "SkipWidth", 70, TCellEditing::Size, "skip-width",
       [](const TFileListItem &item) { return IntToStr(Image(item).SkipWidth); },
       [](TFileListItem &item, const std::string &text) { Image(item).SkipWidth = StrToInt(text); }},
  };
  static const std::vector<TItemColumn> sounds{
      NameColumn,
      ExtColumn,
      SizeColumn,
      {FirstAttributeColumn, "Looped", 68, TCellEditing::Boolean, "looped",
       [](const TFileListItem &item) { return BoolToString(Sound(item).Looped); },
       [](TFileListItem &item, const std::string &text) { StoreBool(Sound(item).Looped, text); }},
      {4, "Frequency", 68, TCellEditing::Frequency, "frequency",
       [](const TFileListItem &item) { return IntToStr(Sound(item).Frequency); },
       [](TFileListItem &item, const std::string &text) { Sound(item).Frequency = StrToInt(text); }},
      // The grid keeps the low byte of a volume out of range, as the stored byte does.
      {5, "Volume", 68, TCellEditing::Volume, "volume",
       [](const TFileListItem &item) { return IntToStr(Sound(item).Volume); },
       [](TFileListItem &item, const std::string &text) { Sound(item).Volume = static_cast<uint8_t>(StrToInt(text) & 0xFF); }},
      {6, "Pan", 68, TCellEditing::Pan, "pan",
       [](const TFileListItem &item) { return IntToStr(Sound(item).Pan); },
       [](TFileListItem &item, const std::string &text) { Sound(item).Pan = StrToInt(text); }},
  };
  return kind == mkImages ? images : sounds;
}

const std::vector<std::string> &AttributeNames(TMediaKind kind) {
  const auto namesOf = [](TMediaKind of) {
    std::vector<std::string> names;
    for (const TItemColumn &column : ItemColumns(of))
      if (column.FromText)
        names.emplace_back(column.Caption);
    return names;
  };
  static const std::vector<std::string> images = namesOf(mkImages), sounds = namesOf(mkSounds), none;
  return kind == mkImages ? images : kind == mkSounds ? sounds : none;
}

bool AttributeTextValid(TMediaKind kind, int col, const std::string &text) {
  if (kind != mkImages && kind != mkSounds)
    return true;
  const std::vector<TItemColumn> &columns = ItemColumns(kind);
  if (col < 0 || col >= static_cast<int>(columns.size()) || !columns[static_cast<std::size_t>(col)].FromText)
    return true;
  // The text is stored into a scratch entry of the kind: what converts there converts into any entry.
  std::unique_ptr<TFileListItem> scratch;
  if (kind == mkImages)
    scratch = std::make_unique<TImageFileItem>();
  else
    scratch = std::make_unique<TSoundFileItem>();
  try {
    columns[static_cast<std::size_t>(col)].FromText(*scratch, text);
    return true;
  } catch (const EConvertError &) {
    return false;
  }
}
