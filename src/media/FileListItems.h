// The entries of a media document: one image or sound file with its attributes, and its binary entry record.
#pragma once

#include "config/ExtString.h"
#include "platform/Exceptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TByteReader;
class TByteWriter;
class TStream;

// Media kind: the first byte of a media stream.
using TMediaKind = uint8_t;
constexpr TMediaKind mkImages = 0;
constexpr TMediaKind mkSounds = 1;

// A colour value: 0x00BBGGRR, or 0x80000000 plus a system colour index, or clNone / clDefault.
using TColor = uint32_t;
// A boolean as one stored byte: 0 is false, anything else true; a byte read from a stream is kept as read.
using TByteBool = uint8_t;

// A media stream that cannot be read: an unknown kind, a record cut short, data missing.
class EMediaStreamError : public Exception {
public:
  using Exception::Exception;
};

class TFileListItem {
public:
  static constexpr std::size_t MaxNameLength = 255;

  virtual ~TFileListItem() = default;
  // Writes the entry record at the stream's position; nothing when stream is null.
  virtual void WriteRecord(TStream *stream) = 0;
  // The bytes WriteRecord writes.
  virtual int64_t RecordSize() const = 0;
  // A copy of the record (its data stays where it is: the source file or the backing file).
  virtual std::unique_ptr<TFileListItem> Clone() const = 0;
  // Same kind, same record, same place of the data.
  virtual bool SameAs(const TFileListItem &other) const = 0;
  // The record's fields below, not its Id; whole entries compare with SameAs.
  bool operator==(const TFileListItem &other) const {
    return Name == other.Name && Ext == other.Ext && SourcePath == other.SourcePath && Size == other.Size &&
           Offset == other.Offset;
  }

  std::string Name;       // Windows-1250 bytes, at most 255: the file name without folder and extension
  TExtString Ext;         // the extension with its dot, ASCII letters upper-cased, at most 5 characters
  std::string SourcePath; // the file supplying the data; empty when the data lies in the backing file
  int64_t Size = 0;
  int64_t Offset = 0;     // where the data starts in the backing file, while SourcePath is empty
  // Which entry this is: copies keep it, so what the editor keeps about an entry follows it through moves and
  // undo; every entry made anew gets one of its own.
  uint64_t Id = NewEntryId();

private:
  static uint64_t NewEntryId();

protected:
  void InitFromFile(const std::string &path, int64_t size, int64_t offset);
  // Reads Size, Name and Ext, checking each against what the stream still holds.
  void ReadHeader(TStream &stream);
  // Records where the data starts and moves past it, after checking that all of it is there.
  void SkipData(TStream &stream, int64_t recordStart);
  void WriteHeader(TStream &stream) const;
  int64_t HeaderSize() const;
  // The whole record at the stream's position: the header, attributeBytes of attributes that readAttributes
  // takes, then past the data.
  void ReadRecord(TStream &stream, int64_t attributeBytes, const std::function<void(TByteReader &)> &readAttributes,
                  bool withData);
  void WriteRecordTo(TStream &stream, const std::function<void(TByteWriter &)> &writeAttributes) const;
};

class TImageFileItem : public TFileListItem {
public:
  static std::unique_ptr<TImageFileItem> CreateFromFile(const std::string &path, bool transparent, int64_t size,
                                                        int64_t offset, TColor transparentColor,
                                                        int32_t patternHeight, int32_t patternWidth,
                                                        int32_t skipHeight, int32_t skipWidth);
  // Reads one image record at the stream's position and leaves the position after the entry's data.
  // Throws EMediaStreamError when the record or its data is not all there. A record that stands alone (withData
  // false) is read without looking for its data.
  static std::unique_ptr<TImageFileItem> CreateFromStream(TStream &stream, bool withData = true);
  // Clears the top byte of TransparentColor (system colours and the special values lose it) and keeps that.
  void WriteRecord(TStream *stream) override;
  int64_t RecordSize() const override;
  std::unique_ptr<TFileListItem> Clone() const override;
  bool SameAs(const TFileListItem &other) const override;
  bool operator==(const TImageFileItem &) const = default;

  int32_t PatternHeight = 0;
  int32_t PatternWidth = 0;
  int32_t SkipHeight = 0;
  int32_t SkipWidth = 0;
  TByteBool Transparent = 0;
  TByteBool IsJpeg = 0;
  TColor TransparentColor = 0;
};

class TSoundFileItem : public TFileListItem {
public:
  static std::unique_ptr<TSoundFileItem> CreateFromFile(const std::string &path, bool looped, int64_t size,
                                                        int64_t offset, int32_t frequency, uint8_t volume,
                                                        int32_t pan);
  static std::unique_ptr<TSoundFileItem> CreateFromStream(TStream &stream, bool withData = true);
  void WriteRecord(TStream *stream) override;
  int64_t RecordSize() const override;
  std::unique_ptr<TFileListItem> Clone() const override;
  bool SameAs(const TFileListItem &other) const override;
  bool operator==(const TSoundFileItem &) const = default;

  TByteBool Looped = 0;
  int32_t Frequency = 0;
  int32_t Pan = 0;
  uint8_t Volume = 0;
};

// An entry record of kind standing alone, without its data, as WriteRecord wrote it.
std::unique_ptr<TFileListItem> ReadBareRecord(TStream &stream, TMediaKind kind);

// The extension of a file name or path with its dot, ASCII letters upper-cased, not cut; empty without a dot.
std::string UpperExtension(const std::string &path);
