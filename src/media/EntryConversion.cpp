// Files converted on their way into a document: into the backing file, onto the entry, and into a note.
#include "media/EntryConversion.h"

#include "media/CellTexts.h"
#include "media/MediaDocument.h"
#include "media/MediaMessages.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/TextLanguage.h"

#include <algorithm>

TMediaGroup GroupOfKind(TMediaKind kind) { return kind == mkSounds ? TMediaGroup::Sounds : TMediaGroup::Pictures; }

bool ConvertsOnAdd(const TConversionSettings &settings, TMediaKind kind, const std::string &path) {
  const std::vector<std::string> converted = ExtensionsConvertedOnAdd(settings, kind);
  return std::find(converted.begin(), converted.end(), UpperExtension(path)) != converted.end();
}

std::vector<std::string> ExtensionsConvertedOnAdd(const TConversionSettings &settings, TMediaKind kind) {
  const bool on = kind == mkImages ? settings.Pictures : kind == mkSounds && settings.Sounds;
  return on ? ConvertedExtensions(GroupOfKind(kind)) : std::vector<std::string>{};
}

void TakeConvertedData(TFileListItem &entry, const TConvertedData &converted) {
  entry.SourcePath.clear();
  entry.Offset = converted.Offset;
  entry.Size = converted.Facts.Size;
  entry.Ext = TExtString(converted.Facts.Ext);
  if (auto *image = dynamic_cast<TImageFileItem *>(&entry)) {
    image->IsJpeg = 0;
    image->Transparent = converted.Facts.Transparent;
    image->TransparentColor = converted.Facts.KeyColor;
  } else if (auto *sound = dynamic_cast<TSoundFileItem *>(&entry)) {
    sound->Frequency = converted.Facts.SampleRate;
  }
}

std::string ConversionNoteText(const TConversionNote &note) {
  const TConversionResult &facts = note.Facts;
  const std::string file = PrintableText(ExtractFileName(note.File));
  if (facts.Ext == ConvertedTargetExtension(TMediaGroup::Sounds)) {
    if (facts.SampleRate != facts.SourceRate)
      return Substitute(Translated(MediaMessages::ConvertedResampled),
                        {file, note.EntryName, std::to_string(facts.SourceRate), std::to_string(facts.SampleRate)});
    return Substitute(Translated(MediaMessages::ConvertedSound), {file, note.EntryName, std::to_string(facts.SampleRate)});
  }
  if (facts.Transparent)
    return Substitute(Translated(MediaMessages::ConvertedKeyed), {file, note.EntryName, ColorToString(facts.KeyColor)});
  return Substitute(Translated(MediaMessages::ConvertedOpaque), {file, note.EntryName});
}

std::string ConversionsText(const std::vector<TConversionNote> &notes) {
  if (notes.empty())
    return {};
  std::string joined;
  for (const TConversionNote &note : notes)
    joined += (joined.empty() ? "" : "; ") + ConversionNoteText(note);
  return Substitute(Translated(MediaMessages::Converted), {joined});
}

std::optional<TConvertedData> TMediaStream::ConvertIntoBacking(const std::string &path, TMediaKind kind) {
  if (!ConvertsOnAdd(Conversion, kind, path))
    return std::nullopt;
  if (!backing)
    ClaimBackingFile();
  TFileStream &file = backing->Stream();
  const int64_t start = file.Seek(0, TSeekOrigin::soEnd);
  TConvertedData converted;
  converted.Offset = start;
  try {
    converted.Facts = ConvertFile(GroupOfKind(kind), path, file, Conversion.SampleRate);
  } catch (...) {
    file.SetSize(start);
    throw;
  }
  return converted;
}

void TMediaStream::ReplaceSourceAt(int position, const std::string &path, TMediaKind kind) {
  if (position < 0 || position >= List.Count())
    return;
  RequireRegularFile(path);
  const std::optional<TConvertedData> converted = FileExists(path) ? ConvertIntoBacking(path, kind) : std::nullopt;
  if (!converted) {
    List.ReplaceSourceAt(position, path);
    return;
  }
  TakeConverted(*List.Items()[static_cast<std::size_t>(position)], *converted, path);
}

void TMediaStream::TakeConverted(TFileListItem &entry, const TConvertedData &converted, const std::string &path) {
  TakeConvertedData(entry, converted);
  conversions.push_back({path, Cp1250ToUtf8(entry.Name) + entry.Ext.Utf8(), converted.Facts});
}

std::vector<TConversionNote> TMediaStream::TakeConversions() { return std::exchange(conversions, {}); }
