// The item grids' columns as the list knows them: the three fixed facts, then one column per attribute of the kind.
#include "media/ItemColumns.h"

#include "media/CellTexts.h"
#include "platform/IntegerText.h"

const std::vector<std::string> &AttributeNames(TMediaKind kind) {
  static const std::vector<std::string> images{"Transparent", "TransparentColor", "PatternHeight",
                                               "PatternWidth", "SkipHeight",       "SkipWidth"};
  static const std::vector<std::string> sounds{"Looped", "Frequency", "Volume", "Pan"};
  static const std::vector<std::string> none;
  return kind == mkImages ? images : kind == mkSounds ? sounds : none;
}

bool AttributeTextValid(TMediaKind kind, int col, const std::string &text) {
  if (col < FirstAttributeColumn || col >= FirstAttributeColumn + int(AttributeNames(kind).size()))
    return true;
  if (col == FirstAttributeColumn)
    return true; // a boolean: anything but "True" reads as False
  if (kind == mkImages && col == FirstAttributeColumn + 1) {
    try {
      StringToColor(text);
      return true;
    } catch (const EConvertError &) {
      return false;
    }
  }
  int32_t value = 0;
  return TryStrToInt(text, value);
}
