// The media document: its entries, the backing file of an opened container, and the media stream it assembles.
#pragma once

#include "config/ConversionSettings.h"
#include "media/BackingFile.h"
#include "media/EntryConversion.h"
#include "media/UndoHistory.h"
#include "media/fMediaStream.h"
#include "platform/Files.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TExtList;

class TMediaStream {
public:
  // A new, empty document: removes a stale backing file or moves on to another name when a living
  // document holds it, and loads both extension lists afresh from config.ini.
  TMediaStream();
  // Deletes the backing file, if any.
  ~TMediaStream();
  TMediaStream(const TMediaStream &) = delete;
  TMediaStream &operator=(const TMediaStream &) = delete;

  // Adds one file of kind 0 (images) or 1 (sounds); asks through the prompt before adding a file whose
  // extension is not in the kind's list. A picture or sound of a converted format is converted first (when
  // Conversion says so): its data goes into the backing file, the gate sees the converted extension, and a note
  // of it waits in TakeConversions. Returns whether the file was added. Throws, adding nothing, for a
  // path that is no regular file (a FIFO, a device, a folder, a file of /proc) and for a file name that
  // Windows-1250 cannot hold (it would be stored as "?"), each time with a text naming the file.
  bool AddFile(const std::string &path, TMediaKind kind);
  // The entry at a valid zero-based position takes its data from path from now on, converted as AddFile
  // converts (the entry then gets the converted extension and the picture's key colour or the sound's rate);
  // otherwise as TFileList::ReplaceSourceAt.
  void ReplaceSourceAt(int position, const std::string &path, TMediaKind kind);
  // The conversions done since the last call, in order.
  std::vector<TConversionNote> TakeConversions();
  // name is Windows-1250 bytes like the entries' names: a grid cell's UTF-8 text goes through Utf8ToCp1250 first.
  void RemoveByName(const std::string &name);
  // Removes the entries at these zero-based positions; the entries of other positions stay, whatever their names.
  void RemoveAt(const std::vector<int> &positions);
  // Swaps the entries at two valid zero-based positions.
  void Exchange(int i, int j);
  // Writes the media stream into target from its start, reporting the data bytes copied ("Sestavuji soubor");
  // a cancel ends it with EAbort. Every record is followed by exactly its Size bytes: a source file whose
  // size changed since it was added fails the assembly.
  void Assemble(TStream &target, TMediaKind kind);
  // Copies source (from its start, as many bytes as it reports) into a new backing file and reads the
  // entries from there, reporting the bytes copied ("Načítám soubor"); kind receives the stream's kind byte.
  // A failure or a cancel (EAbort) leaves the document without entries and without a backing file.
  void ReadMediaStream(TStream &source, TMediaKind &kind);

  // Writes the entry's data (from its source file or the backing file) into target at its position, adding
  // the bytes copied to done and reporting it after every block (a cancel ends it with EAbort).
  void CopyEntryData(TFileListItem &entry, TStream &target, int64_t &done);
  // Reads the first count bytes of the entry's data into buffer, without reporting progress; count may not exceed
  // the entry's size. A source file that changed since it was added fails as in CopyEntryData.
  void ReadEntryData(const TFileListItem &entry, void *buffer, int64_t count);

  // The bytes Assemble writes: the kind byte, every record and the entries' sizes.
  int64_t StreamSize() const;

  // The container this document was last read from or saved to, as it was on disk then.
  void RememberDiskFile(const std::string &path, const TFileIdentity &identity);
  // True when the document was last read from or saved to path and the file there changed since (another
  // program wrote or replaced it: another size, modification time or inode). A file that is gone counts as
  // unchanged: saving over nothing loses nothing.
  bool ChangedOnDisk(const std::string &path) const;

  // The open backing file, or nullptr before a media stream was read.
  TFileStream *BackingFile() { return backing ? &backing->Stream() : nullptr; }
  // Takes over the backing file at path that a dead editor's recovery journal kept (it must still be the file
  // expected says) and reads the entries from it; throws, naming path, when it is gone, another file or held.
  void AdoptBackingFile(const std::string &path, const TFileIdentity &expected, TMediaKind &kind);
  // A recovery journal refers to the backing file from now on: it outlives a signal ending the program.
  void KeepBackingFileOnSignal();
  // The backing file stays on disk when the document goes.
  void KeepBackingFileOnDisk();
  // Claims a backing file when there is none yet, so that data converted later has a known home.
  void EnsureBackingFile();
  // Flushes what was appended to the backing file (converted data) since the last call.
  void SyncBackingFile();

  // The container last read from or saved to (comparable form, empty for none) as it was on disk then.
  const std::string &DiskPath() const { return diskPath; }
  const TFileIdentity &DiskIdentity() const { return diskIdentity; }

  // The entries in document order; the main window fills and takes over its grids through it.
  TFileList List;
  // The changes made to List since the document was created or read, for undo and redo. The entries it brings
  // back find their data where it was: the backing file stays as long as the document.
  TUndoHistory History;
  // Whether files are converted as they are added; read from config.ini with the document, and set again by
  // whoever changes the settings.
  TConversionSettings Conversion = ReadConversionSettings();

private:
  std::unique_ptr<TBackingFile> backing;
  std::string diskPath;
  TFileIdentity diskIdentity;
  std::vector<TConversionNote> conversions;
  int64_t syncedBackingSize = -1;
  void ClaimBackingFile();
  // Converts path into the end of the backing file (claimed when there is none) when conversion applies to it;
  // nothing otherwise. A failed conversion leaves the backing file as it was.
  std::optional<TConvertedData> ConvertIntoBacking(const std::string &path, TMediaKind kind);
  // Gives entry the data converted from path and notes the conversion.
  void TakeConverted(TFileListItem &entry, const TConvertedData &converted, const std::string &path);
  // Runs read on the stream the entry's data comes from, at the data's start: the backing file, or the source file
  // checked against the size it was added with (one that changed, or shrinks meanwhile, fails naming it).
  void ReadFromEntrySource(const TFileListItem &entry, const std::function<void(TStream &)> &read);
};

// The extension lists of the latest document: kind 0 images ("ImageFileExts"), kind 1 sounds ("SoundFileExts").
// There are none before the first document is constructed.
TExtList &ImageExtList();
TExtList &SoundExtList();
// The list of a kind, or nullptr for any other kind.
TExtList *ExtListOfKind(TMediaKind kind);

// Where the backing file of the next document goes first: the backing folder + TempFileName.
std::string BackingFilePath();
// The name of the backing file, "/Temp.tmp" until the collision rule picks "/TempN.tmp" (N up to six digits,
// the name never grows) for this process.
const std::string &TempFileName();
