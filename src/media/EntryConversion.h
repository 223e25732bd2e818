// Files converted on their way into a document: where the converted data lies, and the note that tells the user.
#pragma once

#include "config/ConversionSettings.h"
#include "convert/Conversion.h"
#include "media/FileListItems.h"

#include <string>
#include <vector>

// A conversion into the backing file: the data at Offset, Facts of what it made.
struct TConvertedData {
  int64_t Offset = 0;
  TConversionResult Facts;
};

struct TConversionNote {
  std::string File;      // the file converted, as given
  std::string EntryName; // the entry's name with its new extension, UTF-8
  TConversionResult Facts;
};

// The group of a media kind: pictures for images, sounds for sounds.
TMediaGroup GroupOfKind(TMediaKind kind);
// Whether a file at path is converted in a document of kind under settings.
bool ConvertsOnAdd(const TConversionSettings &settings, TMediaKind kind, const std::string &path);
// The extensions a document of kind converts as files are added under settings (none while switched off).
std::vector<std::string> ExtensionsConvertedOnAdd(const TConversionSettings &settings, TMediaKind kind);
// Gives an entry the converted data and what comes with it: no source file (the data is in the backing file), the
// converted extension, and the key colour (images) or the rate (sounds).
void TakeConvertedData(TFileListItem &entry, const TConvertedData &converted);
// "sprite.png → sprite.BMP, průhledná barva clFuchsia", in the user's language.
std::string ConversionNoteText(const TConversionNote &note);
// "Převedeno: " and the notes, separated by "; "; empty for none.
std::string ConversionsText(const std::vector<TConversionNote> &notes);
