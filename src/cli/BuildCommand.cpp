// tvk build: a container from a TOML manifest, reproducible byte for byte, or a check that one is up to date.
#include "cli/CliMessages.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "config/ExtList.h"
#include "media/Container.h"
#include "media/Manifest.h"
#include "media/PackDiff.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/TextLanguage.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {
namespace fs = std::filesystem;

// A private folder under the system's temporary folder, removed with all it holds.
class TScratchFolder {
public:
  TScratchFolder() {
    static thread_local std::mt19937_64 random(std::random_device{}());
    const fs::path temporary = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
      const fs::path candidate = temporary / ("tvk-build-" + std::to_string(random() % 1000000000));
      std::error_code error;
      if (fs::create_directory(candidate, error)) {
        fs::permissions(candidate, fs::perms::owner_all, error); // as mkdtemp makes it: only for this user
        path = PathText(candidate);
      } else if (error)
        throw EFCreateError(Substitute(Translated("Nelze vytvořit soubor \"%s\": %s"),
                                       {PathText(candidate), error.message()}));
    }
    if (path.empty())
      throw EFCreateError(Substitute(Translated("Nelze vytvořit soubor \"%s\": %s"),
                                     {PathText(temporary / "tvk-build-"), std::strerror(EEXIST)}));
  }
  ~TScratchFolder() {
    std::error_code ignored; // a folder left in the temporary folder harms nothing
    fs::remove_all(FilePath(path), ignored);
  }
  TScratchFolder(const TScratchFolder &) = delete;
  TScratchFolder &operator=(const TScratchFolder &) = delete;
  std::string File(const std::string &name) const { return PathText(FilePath(path) / FilePath(name)); }

private:
  std::string path;
};

std::string FileBytes(const std::string &path) {
  std::ifstream file(FilePath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Throws, naming the first difference, when the container at out is not what document would build as built.
void CheckUpToDate(TMediaStream &document, TMediaKind kind, const std::string &out, const std::string &built) {
  if (!FileExists(out))
    throw Exception(Substitute(Translated(CliMessages::NoSuchFile), {PrintableText(out)}));
  TOpenedContainer existing = OpenContainer(out);
  const std::vector<TPackDifference> differences =
      ComparePacks({*existing.Document, existing.Kind}, {document, kind});
  if (!differences.empty())
    throw Exception(Substitute(Translated(CliMessages::DiffersFromManifest),
                               {PrintableText(out), DifferenceText(differences.front())}));
  const std::string want = FileBytes(built), have = FileBytes(out);
  if (want == have)
    return;
  std::size_t at = 0;
  while (at < want.size() && at < have.size() && want[at] == have[at])
    ++at;
  throw Exception(Substitute(Translated(CliMessages::BytesDiffer), {PrintableText(out), std::to_string(at)}));
}
} // namespace

int RunBuild(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--check", "--force"}, {"-o", "--threads"});
  line.RequirePositional(1, 1);
  CliPrompt().AcceptUnlisted = line.Has("--force");
  TMediaStream document;
  const TManifestFacts facts = LoadManifest(document, line.Positional()[0]);
  ReportConversions(document);
  const std::string out = line.Value("-o", facts.Output);
  if (out.empty())
    throw EUsage("give -o OUT.tvk or output in the manifest");
  const TSaveOptions options{ReproducibleEntryTime(), static_cast<unsigned>(line.IntValue("--threads", 1, 1024, 0))};
  const int level = facts.Level.value_or(ReadCompressionLevel());
  if (line.Has("--check")) {
    const TScratchFolder scratch;
    const std::string built = scratch.File("built.tvk");
    SaveContainer(document, facts.Kind, built, level, options);
    CheckUpToDate(document, facts.Kind, out, built);
    return 0;
  }
  const TFileLock lock(out, EditLockTimeout);
  std::vector<std::string> sources;
  for (const auto &entry : document.List.Items())
    sources.push_back(entry->SourcePath);
  RefuseTargetAmongSources(out, sources);
  RequireContainerOrNothing(out);
  SaveContainer(document, facts.Kind, out, level, options);
  return 0;
}
