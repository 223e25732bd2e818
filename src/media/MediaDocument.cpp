// The media document's life, its extension gate, the assembly of the media stream and the reading of one.
#include "media/MediaDocument.h"

#include "config/ExtList.h"
#include "media/MediaMessages.h"
#include "platform/AppFolder.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"

#include <algorithm>
#include <vector>

namespace {
std::string tempFileName = "/Temp.tmp";
std::unique_ptr<TExtList> imageExts;
std::unique_ptr<TExtList> soundExts;

// The collision rule: one more random digit on the stem until the name is free.
void MoveToFreeBackingName() {
  const std::string folder = BackingFolder();
  while (BackingNameTaken(folder + tempFileName)) {
    const std::string stem = tempFileName.substr(1, tempFileName.rfind('.') - 1);
    if (stem.size() > 200)
      throw Exception(MediaMessages::NoBackingName);
    tempFileName = "/" + stem + std::to_string(RandomDigit()) + ".tmp";
  }
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
  if (!RemoveStaleBackingFile(BackingFilePath()))
    MoveToFreeBackingName();
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
  const std::string ext = UpperExtension(path);
  if (!Listed(*extensions, ext) &&
      !Prompt().AskYesNo(MediaMessages::AddQuestionStart + ext + MediaMessages::NotInList))
    return false;
  const int64_t size = FileSize(path);
  if (kind == mkImages)
    List.AddImage(path, true, size, 0, 0, 0, 0, 0, 0);
  else
    List.AddSound(path, false, size, 0, 0);
  return true;
}

void TMediaStream::RemoveByName(const std::string &name) { List.RemoveByName(name); }

void TMediaStream::Exchange(int i, int j) { List.Exchange(i, j); }

void TMediaStream::Assemble(TStream &target, TMediaKind kind) {
  int64_t total = 0;
  for (const auto &entry : List.Items())
    total += entry->Size;
  Progress().SetMessage(MediaMessages::Assembling);
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
  if (entry.SourcePath.empty()) {
    TFileStream &backingFile = backing->Stream();
    backingFile.SetPosition(entry.Offset);
    CopyExactly(backingFile, target, entry.Size, buffer, done);
    return;
  }
  TFileStream source(entry.SourcePath, TFileMode::fmOpenRead);
  const auto changed = [&] {
    return Exception(
        Substitute(MediaMessages::SourceChanged, {entry.SourcePath, IntToStr(entry.Size), IntToStr(source.Size())}));
  };
  if (source.Size() != entry.Size)
    throw changed();
  try {
    CopyExactly(source, target, entry.Size, buffer, done);
  } catch (const EReadError &) {
    throw changed(); // the file shrank while it was being copied
  }
}

void TMediaStream::ReadMediaStream(TStream &source, TMediaKind &kind) {
  source.SetPosition(0);
  backing.reset();
  ClaimBackingFile();
  try {
    TFileStream &file = backing->Stream();
    const int64_t total = source.Size();
    Progress().SetMessage(MediaMessages::Loading);
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
  for (;;) {
    backing = TBackingFile::TryClaim(BackingFilePath());
    if (backing)
      return;
    MoveToFreeBackingName();
  }
}
