// The entries of a media document: one image or sound file with its attributes, and its binary entry record.
#include "media/FileListItems.h"

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/Streams.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {
constexpr int64_t sizeBytes = 8, extBytes = TExtString::Capacity + 1;
constexpr int64_t imageFieldBytes = 1 + 4 + 1 + 4 * 4, soundFieldBytes = 1 + 4 + 1 + 4;

[[noreturn]] void Corrupt(const char *pattern, int64_t recordStart) {
  throw EMediaStreamError(Substitute(pattern, {IntToStr(recordStart)}));
}

// Little-endian packing of a record, written with one call.
class TRecordWriter {
public:
  template <typename T> void Put(T value) {
    auto bits = static_cast<uint64_t>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i, bits >>= 8)
      bytes.push_back(static_cast<uint8_t>(bits));
  }
  void PutBytes(const void *data, std::size_t count) {
    const auto *first = static_cast<const uint8_t *>(data);
    bytes.insert(bytes.end(), first, first + count);
  }
  void WriteTo(TStream &stream) const { stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size())); }

private:
  std::vector<uint8_t> bytes;
};

// Little-endian reading of a record's fixed fields, checked against the bytes the stream still holds.
// The largest part read at once is a name of 255 bytes: no allocation per record.
class TRecordReader {
public:
  TRecordReader(TStream &stream, int64_t count, int64_t recordStart) {
    if (count > static_cast<int64_t>(bytes.size()) || stream.Read(bytes.data(), count) != count)
      Corrupt("Soubor je poškozený: záznam položky na pozici %s je neúplný.", recordStart);
  }
  template <typename T> T Get() {
    uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      bits |= static_cast<uint64_t>(bytes[next++]) << (8 * i);
    return static_cast<T>(bits);
  }

private:
  std::array<uint8_t, 256> bytes;
  std::size_t next = 0;
};
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
  TRecordReader head(stream, sizeBytes + 1, recordStart);
  Size = head.Get<int64_t>();
  const auto nameLength = head.Get<uint8_t>();
  TRecordReader name(stream, nameLength, recordStart);
  Name.resize(nameLength);
  for (auto &c : Name)
    c = name.Get<char>();
  TRecordReader ext(stream, extBytes, recordStart);
  std::array<uint8_t, extBytes> stored{};
  for (auto &b : stored)
    b = ext.Get<uint8_t>();
  if (stored[0] > TExtString::Capacity)
    Corrupt("Soubor je poškozený: položka na pozici %s má neplatnou příponu.", recordStart);
  Ext = TExtString::FromStored(stored);
}

void TFileListItem::SkipData(TStream &stream, int64_t recordStart) {
  Offset = stream.Position();
  if (Size < 0)
    Corrupt("Soubor je poškozený: položka na pozici %s má zápornou velikost.", recordStart);
  if (Size > stream.Size() - Offset)
    Corrupt("Soubor je poškozený: data položky na pozici %s přesahují konec souboru.", recordStart);
  stream.Seek(Size, TSeekOrigin::soCurrent);
}

void TFileListItem::WriteHeader(TStream &stream) const {
  TRecordWriter record;
  record.Put(Size);
  const std::size_t nameLength = std::min(Name.size(), MaxNameLength);
  record.Put(static_cast<uint8_t>(nameLength));
  record.PutBytes(Name.data(), nameLength);
  record.PutBytes(Ext.Stored().data(), Ext.Stored().size());
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

std::unique_ptr<TImageFileItem> TImageFileItem::CreateFromStream(TStream &stream) {
  auto item = std::make_unique<TImageFileItem>();
  const int64_t recordStart = stream.Position();
  item->ReadHeader(stream);
  TRecordReader fields(stream, imageFieldBytes, recordStart);
  item->Transparent = fields.Get<uint8_t>();
  item->TransparentColor = fields.Get<uint32_t>() & 0x00FFFFFF;
  item->IsJpeg = fields.Get<uint8_t>();
  item->PatternHeight = fields.Get<int32_t>();
  item->PatternWidth = fields.Get<int32_t>();
  item->SkipHeight = fields.Get<int32_t>();
  item->SkipWidth = fields.Get<int32_t>();
  item->SkipData(stream, recordStart);
  return item;
}

void TImageFileItem::WriteRecord(TStream *stream) {
  if (!stream)
    return;
  WriteHeader(*stream);
  TransparentColor &= 0x00FFFFFF;
  TRecordWriter fields;
  fields.Put(Transparent);
  fields.Put(TransparentColor);
  fields.Put(IsJpeg);
  fields.Put(PatternHeight);
  fields.Put(PatternWidth);
  fields.Put(SkipHeight);
  fields.Put(SkipWidth);
  fields.WriteTo(*stream);
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

std::unique_ptr<TSoundFileItem> TSoundFileItem::CreateFromStream(TStream &stream) {
  auto item = std::make_unique<TSoundFileItem>();
  const int64_t recordStart = stream.Position();
  item->ReadHeader(stream);
  TRecordReader fields(stream, soundFieldBytes, recordStart);
  item->Looped = fields.Get<uint8_t>();
  item->Frequency = fields.Get<int32_t>();
  item->Volume = fields.Get<uint8_t>();
  item->Pan = fields.Get<int32_t>();
  item->SkipData(stream, recordStart);
  return item;
}

void TSoundFileItem::WriteRecord(TStream *stream) {
  if (!stream)
    return;
  WriteHeader(*stream);
  TRecordWriter fields;
  fields.Put(Looped);
  fields.Put(Frequency);
  fields.Put(Volume);
  fields.Put(Pan);
  fields.WriteTo(*stream);
}
