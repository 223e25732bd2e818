// The media document's life, its extension gate, the assembly of the media stream and the reading of one.
#include "media/MediaDocument.h"

#include "config/ExtList.h"
#include "media/EntryName.h"
#include "media/MediaMessages.h"
#include "media/Recovery.h"
#include "platform/AppFolder.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string_view>
#include <vector>

namespace {
std::string tempFileName = "/Temp.tmp";
std::unique_ptr<TExtList> imageExts;
std::unique_ptr<TExtList> soundExts;

constexpr std::string_view backingStem = "/Temp";
constexpr std::string_view backingExtension = ".tmp";

// Temp.tmp or TempN.tmp: the backing files this program names.
bool IsBackingFileName(const std::string &name) {
  if (name.size() < 8 || name.compare(0, 4, "Temp") != 0 || name.compare(name.size() - 4, 4, ".tmp") != 0)
    return false;
  return std::all_of(name.begin() + 4, name.end() - 4, [](char c) { return c >= '0' && c <= '9'; });
}

// A backing file a recovery journal refers to belongs to that journal until it is restored or discarded.
bool KeptByJournal(const std::string &folder, const std::string &name) {
  return BackingFilesOfJournals(folder).count(name.substr(name.find_first_not_of('/'))) > 0;
}

// The collision rule, with a name that never grows: Temp + a random number of up to six digits. The
// choice is kept for the process, so later documents try it first.
void MoveToFreeBackingName(const std::string &folder) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string digits;
    for (int i = 0; i < 6; ++i)
      digits += static_cast<char>('0' + RandomDigit());
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    const std::string name = std::string(backingStem) + digits + std::string(backingExtension);
    if (KeptByJournal(folder, name))
      continue;
    if (!BackingNameTaken(folder + name) || RemoveStaleBackingFile(folder + name)) {
      tempFileName = name;
      return;
    }
  }
  throw Exception(Translated(MediaMessages::NoBackingName));
}

// The extension gate compares the whole extension: one longer than a list item can hold is never listed.
bool Listed(const TExtList &extensions, const std::string &utf8Extension) {
  if (Utf8ToCp1250(utf8Extension).size() > static_cast<std::size_t>(TExtString::Capacity))
    return false;
  return extensions.IndexOf(TExtString::FromUtf8(utf8Extension)) >= 0;
}

// Copies count bytes and reports the running byte count done after every block.
void CopyExactly(TStream &source, TStream &target, int64_t count, std::vector<uint8_t> &buffer, int64_t &done) {
  while (count > 0) {
    const int64_t chunk = std::min<int64_t>(count, static_cast<int64_t>(buffer.size()));
    source.ReadBuffer(buffer.data(), chunk);
    target.WriteBuffer(buffer.data(), chunk);
    count -= chunk;
    done += chunk;
    ReportProgress(done);
  }
}

constexpr std::size_t copyBufferSize = 1 << 20;
} // namespace

const std::string &TempFileName() { return tempFileName; }

std::string BackingFilePath() { return BackingFolder() + tempFileName; }

TExtList &ImageExtList() { return *imageExts; }
TExtList &SoundExtList() { return *soundExts; }

TExtList *ExtListOfKind(TMediaKind kind) {
  switch (kind) {
  case mkImages: return imageExts.get();
  case mkSounds: return soundExts.get();
  default: return nullptr;
  }
}

TMediaStream::TMediaStream() {
  // Backing files of processes that are gone; the folder is not created for this, a new document needs none.
  const std::string folder = ExistingBackingFolder();
  if (!folder.empty()) {
    const std::set<std::string> kept = BackingFilesOfJournals(folder);
    RemoveUnlockedMatching(folder, [&](const std::string &name) { return IsBackingFileName(name) && !kept.count(name); });
  }
  auto images = std::make_unique<TExtList>("ImageFileExts");
  images->LoadFromIni();
  auto sounds = std::make_unique<TExtList>("SoundFileExts");
  sounds->LoadFromIni();
  imageExts = std::move(images);
  soundExts = std::move(sounds);
}

TMediaStream::~TMediaStream() = default;

bool TMediaStream::AddFile(const std::string &path, TMediaKind kind) {
  TExtList *extensions = ExtListOfKind(kind);
  if (!extensions)
    return false;
  RequireRegularFile(path);
  const std::string fileName = ExtractFileName(path);
  if (!FitsCp1250(fileName))
    throw Exception(Substitute(Translated(MediaMessages::NameNotInCodePage), {PrintableText(fileName)}));
  // The entry gets the name without the extension; the extension must pass too, as the file NAME+EXT is written
  // back by an export.
  for (const std::string &name : {fileName.substr(0, fileName.find_last_of('.')), fileName})
    if (const std::string problem = EntryNameProblem(name); !problem.empty())
      throw Exception(Substitute(Translated(MediaMessages::NameRefused), {PrintableText(path), problem}));
  // A file converted on the way in becomes an entry of the converted extension: that is what the list must hold.
  const bool converts = ConvertsOnAdd(Conversion, kind, path);
  const std::string ext = converts ? ConvertedTargetExtension(GroupOfKind(kind)) : UpperExtension(path);
  if (!Listed(*extensions, ext) && !Prompt().AskYesNo(Substitute(Translated(MediaMessages::NotInList), {ext})))
    return false;
  const std::optional<TConvertedData> converted = ConvertIntoBacking(path, kind);
  const int64_t size = FileSize(path);
  if (kind == mkImages)
    List.AddImage(path, true, size, 0, 0, 0, 0, 0, 0);
  else
    List.AddSound(path, false, size, 0, 0);
  if (converted)
    TakeConverted(*List.Items().back(), *converted, path);
  return true;
}

void TMediaStream::RemoveByName(const std::string &name) { List.RemoveByName(name); }

void TMediaStream::RemoveAt(const std::vector<int> &positions) { List.RemoveAt(positions); }

void TMediaStream::Exchange(int i, int j) { List.Exchange(i, j); }

void TMediaStream::Assemble(TStream &target, TMediaKind kind) {
  int64_t total = 0;
  for (const auto &entry : List.Items())
    total += entry->Size;
  Progress().SetMessage(Translated(MediaMessages::Assembling));
  Progress().SetMax(total);
  Progress().Start();
  target.SetPosition(0);
  target.WriteValue<TMediaKind>(kind);
  int64_t done = 0;
  for (const auto &entry : List.Items()) {
    entry->WriteRecord(&target);
    CopyEntryData(*entry, target, done);
  }
}

void TMediaStream::CopyEntryData(TFileListItem &entry, TStream &target, int64_t &done) {
  if (entry.Size == 0 && entry.SourcePath.empty())
    return;
  std::vector<uint8_t> buffer(static_cast<std::size_t>(std::min<int64_t>(entry.Size, copyBufferSize)));
  ReadFromEntrySource(entry, [&](TStream &source) { CopyExactly(source, target, entry.Size, buffer, done); });
}

void TMediaStream::ReadEntryData(const TFileListItem &entry, void *buffer, int64_t count) {
  if (count <= 0)
    return;
  if (count > entry.Size)
    throw EReadError();
  ReadFromEntrySource(entry, [&](TStream &source) { source.ReadBuffer(buffer, count); });
}

void TMediaStream::ReadFromEntrySource(const TFileListItem &entry, const std::function<void(TStream &)> &read) {
  if (entry.SourcePath.empty()) {
    if (!backing)
      throw EReadError();
    TFileStream &backingFile = backing->Stream();
    backingFile.SetPosition(entry.Offset);
    read(backingFile);
    return;
  }
  TFileStream source(entry.SourcePath, TFileMode::fmOpenRead);
  const auto changed = [&] {
    return Exception(Substitute(Translated(MediaMessages::SourceChanged),
                                {entry.SourcePath, IntToStr(entry.Size), IntToStr(source.Size())}));
  };
  if (source.Size() != entry.Size)
    throw changed();
  try {
    read(source);
  } catch (const EReadError &) {
    throw changed(); // the file shrank while it was being read
  }
}

void TMediaStream::ReadMediaStream(TStream &source, TMediaKind &kind) {
  source.SetPosition(0);
  backing.reset();
  ClaimBackingFile();
  try {
    TFileStream &file = backing->Stream();
    const int64_t total = source.Size();
    Progress().SetMessage(Translated(MediaMessages::Loading));
    Progress().SetMax(total);
    Progress().Start();
    std::vector<uint8_t> buffer(copyBufferSize);
    int64_t done = 0;
    CopyExactly(source, file, total, buffer, done);
    List.ReadAll(file, kind);
  } catch (...) {
    backing.reset(); // nothing of a damaged stream stays behind; the document remains without entries
    throw;
  }
}

void TMediaStream::ClaimBackingFile() {
  const std::string folder = BackingFolder();
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (KeptByJournal(folder, tempFileName)) {
      MoveToFreeBackingName(folder);
      continue;
    }
    backing = TBackingFile::TryClaim(folder + tempFileName);
    if (backing)
      return;
    MoveToFreeBackingName(folder);
  }
  throw Exception(Translated(MediaMessages::NoBackingName));
}

void TMediaStream::AdoptBackingFile(const std::string &path, const TFileIdentity &expected, TMediaKind &kind) {
  backing = TBackingFile::TryAdopt(path, expected);
  if (!backing)
    throw Exception(Substitute(Translated(MediaMessages::BackingFileLost), {path}));
  try {
    List.ReadAll(backing->Stream(), kind, expected.Size);
  } catch (...) {
    backing->KeepOnDisk();
    backing.reset();
    throw;
  }
}

void TMediaStream::EnsureBackingFile() {
  if (!backing)
    ClaimBackingFile();
}

void TMediaStream::SyncBackingFile() {
  if (!backing)
    return;
  const int64_t size = backing->Stream().Size();
  if (size == syncedBackingSize)
    return;
  backing->Stream().Flush();
  syncedBackingSize = size;
}

void TMediaStream::KeepBackingFileOnSignal() {
  if (backing)
    backing->KeepOnSignal();
}

void TMediaStream::KeepBackingFileOnDisk() {
  if (backing)
    backing->KeepOnDisk();
}

int64_t TMediaStream::StreamSize() const {
  int64_t size = 1;
  for (const auto &entry : List.Items())
    size += entry->RecordSize() + entry->Size;
  return size;
}

namespace {
std::string ComparablePath(const std::string &path) {
  std::error_code ignored;
  const auto resolved = std::filesystem::weakly_canonical(path, ignored);
  return ignored ? path : resolved.string();
}
} // namespace

void TMediaStream::RememberDiskFile(const std::string &path, const TFileIdentity &identity) {
  diskPath = ComparablePath(path);
  diskIdentity = identity;
}

bool TMediaStream::ChangedOnDisk(const std::string &path) const {
  if (diskPath.empty() || ComparablePath(path) != diskPath)
    return false;
  const std::optional<TFileIdentity> now = IdentityOf(path);
  return now && *now != diskIdentity;
}
