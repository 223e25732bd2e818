// Save and Open of a container: the media stream assembled into a temporary file and deflated from it on every
// core straight into a temporary archive that replaces the target; "Media.m" inflated once into the backing file, or
// into nothing but its checks when a container is only verified.
#include "media/Container.h"

#include "config/ExtList.h"
#include "media/ManifestMessages.h"
#include "media/MediaMessages.h"
#include "media/ZIPStream.h"
#include "media/ZipDeflate.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/TemporaryFile.h"
#include "platform/TextLanguage.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {
const std::string mediaEntryName = "Media.m";

// A link names the file to update: the link stays and the file it leads to is replaced.
std::string ResolvedTarget(const std::string &path) {
  std::error_code ignored;
  const auto resolved = std::filesystem::canonical(path, ignored);
  return ignored ? path : resolved.string();
}

int LevelOfEntry(const TFileHeader &header) {
  if (header.Method == MethodStored)
    return 0;
  switch (LevelHintFromFlags(header.Flags)) {
  case 1: return 1;
  case 9: return 3;
  default: return 2;
  }
}

// Which of two entries named "Media.m" a reader takes would be a matter of luck: such a file is refused.
const TFileHeader &MediaHeader(const TZip &zip) {
  const int index = zip.IndexOf(mediaEntryName);
  if (index < 0)
    throw ZipErrors::MissingEntry(mediaEntryName);
  if (zip.MatchCount(mediaEntryName) > 1)
    throw ZipErrors::DuplicateEntry(mediaEntryName);
  return zip.Header(index);
}

// The media stream's entry needs no Zip64 only below 0xFFFFFFFF bytes, which the reader refuses; a stored
// entry also puts its bytes before the central directory, whose offset must stay below that mark too.
void CheckStreamFits(int64_t streamSize, int level) {
  constexpr int64_t zip64Mark = 0xFFFFFFFF;
  const int64_t storedOverhead = 30 + int64_t(mediaEntryName.size());
  const int64_t largest = level == 0 ? zip64Mark - 1 - storedOverhead : zip64Mark - 1;
  if (streamSize > largest)
    throw EZipError(
        Substitute(Translated(MediaMessages::StreamTooLarge), {std::to_string(streamSize), std::to_string(largest)}));
}

} // namespace

void SaveContainer(TMediaStream &document, TMediaKind kind, const std::string &path, int level,
                   const TSaveOptions &options) {
  level = ClampCompressionLevel(level);
  const std::string target = ResolvedTarget(path);
  RequireRegularFile(target); // never renamed over a device or a FIFO
  RequireWritable(target);
  CheckStreamFits(document.StreamSize(), level);
  const std::string folder = ExtractFileDir(target);
  std::string prefix = "."; // hidden files beside the target: ".name.tvk.tvk-tmp-PID-XXXXXX"
  prefix += ExtractFileName(target).substr(0, 200); // room for the suffix within the longest file name
  prefix += ".";
  RemoveAbandonedTemporaryFiles(folder, prefix);
  TTemporaryFile archive(folder, prefix, path);
  TTemporaryFile mediaStream(folder, prefix, path);
  WritingFor(path, [&] {
    document.Assemble(mediaStream.Stream(), kind);

    Progress().SetMessage(Translated(MediaMessages::Compressing));
    Progress().SetMax(mediaStream.Stream().Size());
    TZip zip;
    if (options.EntryTime)
      zip.SetFixedTime(*options.EntryTime);
    zip.SetDeflateThreads(options.Threads);
    zip.AddEntryFrom(mediaEntryName, mediaStream.Stream(), level);
    zip.WriteTo(archive.Stream(), [](int64_t done, int64_t) { ReportProgress(done); });
    archive.Stream().Flush();
    const TFileIdentity written = IdentityOf(archive.Stream().Handle());
    archive.CommitAs(target, true);
    document.RememberDiskFile(target, written);
  });
}

std::optional<TMediaKind> LoadContainer(TMediaStream &document, const std::string &path) {
  TFileStream file(path, TFileMode::fmOpenRead);
  document.RememberDiskFile(path, IdentityOf(file.Handle()));
  if (file.Size() == 0) {
    Prompt().ShowError(Translated(MediaMessages::EmptyFile));
    return std::nullopt;
  }
  TZip zip;
  zip.Open(&file);
  MediaHeader(zip);
  std::unique_ptr<TZipEntryStream> entry = zip.GetEntryStream(mediaEntryName);
  TMediaKind kind = 0;
  document.ReadMediaStream(*entry, kind);
  return kind;
}

void VerifyContainer(const std::string &path) {
  TFileStream file(path, TFileMode::fmOpenRead);
  if (file.Size() == 0)
    throw Exception(Translated(MediaMessages::EmptyFile));
  TZip zip;
  zip.Open(&file);
  MediaHeader(zip);
  std::unique_ptr<TZipEntryStream> entry = zip.GetEntryStream(mediaEntryName);
  TFileList records;
  TMediaKind kind = 0;
  records.ReadAll(*entry, kind);
  entry->Verify();
}

TMediaEntryFacts ReadMediaEntryFacts(const std::string &path) {
  TFileStream file(path, TFileMode::fmOpenRead);
  TZip zip;
  zip.Open(&file);
  const TFileHeader &header = MediaHeader(zip);
  return {header.Crc32, header.UncompressedSize, LevelOfEntry(header)};
}

std::optional<TLocalTime> EntryTimeFromEnvironment() {
  const char *epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (!epoch || !*epoch)
    return std::nullopt;
  return ReproducibleEntryTime();
}

TLocalTime ReproducibleEntryTime() {
  constexpr TLocalTime earliest{1980, 1, 1, 0, 0, 0};
  const char *epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (!epoch || !*epoch)
    return earliest;
  int64_t seconds = 0;
  const std::string text = epoch;
  if (text.find_first_not_of("0123456789") != std::string::npos || !TryStrToInt64(text, seconds))
    throw Exception(Substitute(Translated(ManifestMessages::BadSourceDateEpoch), {text}));
  // A ZIP time holds the years 1980 to 2107.
  constexpr int64_t startOf2108 = 4354819200;
  if (seconds >= startOf2108)
    throw Exception(Substitute(Translated(ManifestMessages::BadSourceDateEpoch), {text}));
  namespace chrono = std::chrono;
  const chrono::sys_seconds at{chrono::seconds(seconds)};
  const chrono::sys_days day = chrono::floor<chrono::days>(at);
  const chrono::year_month_day date{day};
  const chrono::hh_mm_ss time{at - day};
  if (static_cast<int>(date.year()) < 1980)
    return earliest;
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count())};
}

void RequireContainerOrNothing(const std::string &path) {
  if (!FileExists(path))
    return;
  try {
    ReadMediaEntryFacts(path);
  } catch (const Exception &) {
    throw Exception(Substitute(Translated(ManifestMessages::NotAContainer), {PrintableText(path)}));
  }
}
