// The entries of a media document: one image or sound file with its attributes, and its binary entry record.
#include "media/FileListItems.h"

#include "media/MediaMessages.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/LittleEndian.h"
#include "platform/Streams.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <array>
#include <atomic>

namespace {
constexpr int64_t sizeBytes = 8, extBytes = TExtString::Capacity + 1;
constexpr int64_t imageFieldBytes = 1 + 4 + 1 + 4 * 4, soundFieldBytes = 1 + 4 + 1 + 4;

[[noreturn]] void Corrupt(const char *pattern, int64_t recordStart) {
  throw EMediaStreamError(Substitute(pattern, {IntToStr(recordStart)}));
}

// Room for the largest part of a record read at once, a name of 255 bytes with the extension: no allocation
// per record.
using TRecordPart = std::array<uint8_t, TFileListItem::MaxNameLength + extBytes>;

// The next count bytes of the record starting at recordStart, read from the stream into part; a stream that ends
// first holds an incomplete record.
TByteReader ReadPart(TStream &stream, TRecordPart &part, int64_t count, int64_t recordStart) {
  if (count > static_cast<int64_t>(part.size()) || stream.Read(part.data(), count) != count)
    Corrupt(Translated(MediaMessages::RecordCutShort), recordStart);
  return TByteReader(part.data(), static_cast<std::size_t>(count));
}

// The attributes after an entry's header, one field list for reading and writing.
template <typename TItem, typename TCoder> void ImageFields(TItem &item, TCoder &coder) {
  coder.Field(item.Transparent); coder.Field(item.TransparentColor); coder.Field(item.IsJpeg);
  coder.Field(item.PatternHeight); coder.Field(item.PatternWidth); coder.Field(item.SkipHeight);
  coder.Field(item.SkipWidth);
}

template <typename TItem, typename TCoder> void SoundFields(TItem &item, TCoder &coder) {
  coder.Field(item.Looped); coder.Field(item.Frequency); coder.Field(item.Volume); coder.Field(item.Pan);
}
} // namespace

std::string UpperExtension(const std::string &path) {
  const std::string fileName = ExtractFileName(path);
  const auto dot = fileName.find_last_of('.');
  std::string ext = dot == std::string::npos ? "" : fileName.substr(dot);
  for (char &c : ext)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return ext;
}

void TFileListItem::InitFromFile(const std::string &path, int64_t size, int64_t offset) {
  SourcePath = path;
  Name = Utf8ToCp1250(ExtractFileName(path)).substr(0, MaxNameLength);
  const auto dot = Name.find_last_of('.');
  if (dot != std::string::npos)
    Name.erase(dot);
  Ext = TExtString::FromUtf8(UpperExtension(path));
  Size = size;
  Offset = offset;
}

void TFileListItem::ReadHeader(TStream &stream) {
  const int64_t recordStart = stream.Position();
  TRecordPart part;
  TByteReader head = ReadPart(stream, part, sizeBytes + 1, recordStart);
  head.Field(Size);
  const uint8_t nameLength = head.U8();
  TByteReader rest = ReadPart(stream, part, nameLength + extBytes, recordStart);
  Name = rest.Text(nameLength);
  std::array<uint8_t, extBytes> stored{};
  std::copy_n(rest.Raw(extBytes), extBytes, stored.begin());
  if (stored[0] > TExtString::Capacity)
    Corrupt(Translated(MediaMessages::BadExtension), recordStart);
  Ext = TExtString::FromStored(stored);
}

void TFileListItem::SkipData(TStream &stream, int64_t recordStart) {
  Offset = stream.Position();
  if (Size < 0)
    Corrupt(Translated(MediaMessages::NegativeSize), recordStart);
  if (Size > stream.Size() - Offset)
    Corrupt(Translated(MediaMessages::DataPastEnd), recordStart);
  stream.Seek(Size, TSeekOrigin::soCurrent);
}

void TFileListItem::ReadRecord(TStream &stream, int64_t attributeBytes,
                               const std::function<void(TByteReader &)> &readAttributes, bool withData) {
  const int64_t recordStart = stream.Position();
  ReadHeader(stream);
  TRecordPart part;
  TByteReader attributes = ReadPart(stream, part, attributeBytes, recordStart);
  readAttributes(attributes);
  if (withData)
    SkipData(stream, recordStart);
  else if (Size < 0)
    Corrupt(Translated(MediaMessages::NegativeSize), recordStart);
}

void TFileListItem::WriteRecordTo(TStream &stream, const std::function<void(TByteWriter &)> &writeAttributes) const {
  WriteHeader(stream);
  TByteWriter attributes;
  writeAttributes(attributes);
  attributes.WriteTo(stream);
}

void TFileListItem::WriteHeader(TStream &stream) const {
  TByteWriter record;
  record.Field(Size);
  const std::size_t nameLength = std::min(Name.size(), MaxNameLength);
  record.U8(static_cast<uint8_t>(nameLength));
  record.Raw(Name.data(), nameLength);
  record.Raw(Ext.Stored().data(), Ext.Stored().size());
  record.WriteTo(stream);
}

int64_t TFileListItem::HeaderSize() const {
  return sizeBytes + 1 + static_cast<int64_t>(std::min(Name.size(), MaxNameLength)) + extBytes;
}

int64_t TImageFileItem::RecordSize() const { return HeaderSize() + imageFieldBytes; }

int64_t TSoundFileItem::RecordSize() const { return HeaderSize() + soundFieldBytes; }

std::unique_ptr<TImageFileItem> TImageFileItem::CreateFromFile(const std::string &path, bool transparent,
                                                               int64_t size, int64_t offset, TColor transparentColor,
                                                               int32_t patternHeight, int32_t patternWidth,
                                                               int32_t skipHeight, int32_t skipWidth) {
  auto item = std::make_unique<TImageFileItem>();
  item->InitFromFile(path, size, offset);
  item->IsJpeg = item->Ext.Text() == ".JPG" || item->Ext.Text() == ".JPEG";
  item->Transparent = transparent;
  item->TransparentColor = transparentColor;
  item->PatternHeight = patternHeight;
  item->PatternWidth = patternWidth;
  item->SkipHeight = skipHeight;
  item->SkipWidth = skipWidth;
  return item;
}

std::unique_ptr<TImageFileItem> TImageFileItem::CreateFromStream(TStream &stream, bool withData) {
  auto item = std::make_unique<TImageFileItem>();
  item->ReadRecord(stream, imageFieldBytes, [&](TByteReader &fields) { ImageFields(*item, fields); }, withData);
  item->TransparentColor &= 0x00FFFFFF;
  return item;
}

void TImageFileItem::WriteRecord(TStream *stream) {
  if (!stream)
    return;
  TransparentColor &= 0x00FFFFFF;
  WriteRecordTo(*stream, [this](TByteWriter &fields) { ImageFields(*this, fields); });
}

std::unique_ptr<TSoundFileItem> TSoundFileItem::CreateFromFile(const std::string &path, bool looped, int64_t size,
                                                               int64_t offset, int32_t frequency, uint8_t volume,
                                                               int32_t pan) {
  auto item = std::make_unique<TSoundFileItem>();
  item->InitFromFile(path, size, offset);
  item->Looped = looped;
  item->Frequency = frequency;
  item->Volume = volume;
  item->Pan = pan;
  return item;
}

std::unique_ptr<TSoundFileItem> TSoundFileItem::CreateFromStream(TStream &stream, bool withData) {
  auto item = std::make_unique<TSoundFileItem>();
  item->ReadRecord(stream, soundFieldBytes, [&](TByteReader &fields) { SoundFields(*item, fields); }, withData);
  return item;
}

void TSoundFileItem::WriteRecord(TStream *stream) {
  if (!stream)
    return;
  WriteRecordTo(*stream, [this](TByteWriter &fields) { SoundFields(*this, fields); });
}

std::unique_ptr<TFileListItem> TImageFileItem::Clone() const { return std::make_unique<TImageFileItem>(*this); }

bool TImageFileItem::SameAs(const TFileListItem &other) const {
  const auto *image = dynamic_cast<const TImageFileItem *>(&other);
  return image && *this == *image;
}

std::unique_ptr<TFileListItem> TSoundFileItem::Clone() const { return std::make_unique<TSoundFileItem>(*this); }

bool TSoundFileItem::SameAs(const TFileListItem &other) const {
  const auto *sound = dynamic_cast<const TSoundFileItem *>(&other);
  return sound && *this == *sound;
}

std::unique_ptr<TFileListItem> ReadBareRecord(TStream &stream, TMediaKind kind) {
  if (kind == mkSounds)
    return TSoundFileItem::CreateFromStream(stream, false);
  return TImageFileItem::CreateFromStream(stream, false);
}

uint64_t TFileListItem::NewEntryId() {
  static std::atomic<uint64_t> last{0};
  return ++last;
}
