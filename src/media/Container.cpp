// Save and Open of a container: the media stream assembled into a temporary file and deflated from it on every
// core straight into a temporary archive that replaces the target; "Media.m" inflated once into the backing file.
#include "media/Container.h"

#include "config/ExtList.h"
#include "media/MediaMessages.h"
#include "platform/TemporaryFile.h"
#include "media/ZIPStream.h"
#include "media/ZipDeflate.h"
#include "platform/Files.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"

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

const TFileHeader &MediaHeader(const TZip &zip) {
  const int index = zip.IndexOf(mediaEntryName);
  if (index < 0)
    throw ZipErrors::MissingEntry(mediaEntryName);
  return zip.Header(index);
}
} // namespace

void SaveContainer(TMediaStream &document, TMediaKind kind, const std::string &path, int level) {
  const std::string target = ResolvedTarget(path);
  const std::string folder = ExtractFileDir(target);
  std::string prefix = "."; // hidden files beside the target: ".name.tvk.XXXXXX"
  prefix += ExtractFileName(target).substr(0, 200); // room for the suffix within the longest file name
  prefix += ".";
  TTemporaryFile archive(folder, prefix);
  TTemporaryFile mediaStream(folder, prefix);
  document.Assemble(mediaStream.Stream(), kind);

  Progress().SetMessage(MediaMessages::Compressing);
  Progress().SetMax(mediaStream.Stream().Size());
  TZip zip;
  zip.AddEntryFrom(mediaEntryName, mediaStream.Stream(), ClampCompressionLevel(level));
  zip.WriteTo(archive.Stream(), [](int64_t done, int64_t) { ReportProgress(done); });
  archive.CommitAs(target, true);
}

std::optional<TMediaKind> LoadContainer(TMediaStream &document, const std::string &path) {
  TFileStream file(path, TFileMode::fmOpenRead);
  if (file.Size() == 0) {
    Prompt().ShowError(MediaMessages::EmptyFile);
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

TMediaEntryFacts ReadMediaEntryFacts(const std::string &path) {
  TFileStream file(path, TFileMode::fmOpenRead);
  TZip zip;
  zip.Open(&file);
  const TFileHeader &header = MediaHeader(zip);
  return {header.Crc32, header.UncompressedSize, LevelOfEntry(header)};
}
