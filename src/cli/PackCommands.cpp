// tvk dump and tvk diff: a container as source files and a manifest, and the differences between two packs.
#include "cli/CliMessages.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "media/Container.h"
#include "media/EntryExport.h"
#include "media/Manifest.h"
#include "media/PackDiff.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/TextLanguage.h"

#include <filesystem>
#include <iostream>

namespace {
namespace fs = std::filesystem;

// Every entry gets a file: NAME+EXT, or NAME~2+EXT and so on where entries share a name (the manifest keeps
// each entry's own name, so the file's name does not matter to the build).
std::vector<TEntryExport> DumpPlan(const TFileList &list) {
  std::vector<TFileListItem *> entries;
  for (const auto &item : list.Items())
    entries.push_back(item.get());
  return PlanDistinctFiles(entries, [](const std::string &) { return false; });
}

const char *WhatName(TPackDifference::TWhat what) {
  switch (what) {
  case TPackDifference::Kind: return "kind";
  case TPackDifference::Added: return "added";
  case TPackDifference::Removed: return "removed";
  case TPackDifference::Moved: return "moved";
  case TPackDifference::Attribute: return "attribute";
  case TPackDifference::Content: return "content";
  }
  return "";
}

void PrintJson(const std::vector<TPackDifference> &differences) {
  std::cout << "{\"equal\": " << (differences.empty() ? "true" : "false") << ", \"differences\": [";
  bool first = true;
  for (const TPackDifference &difference : differences) {
    std::cout << (first ? "\n  " : ",\n  ") << "{\"what\": \"" << WhatName(difference.What)
              << "\", \"name\": " << JsonString(difference.Name);
    if (!difference.Key.empty())
      std::cout << ", \"key\": " << JsonString(difference.Key);
    std::cout << ", \"old\": " << JsonString(difference.Old) << ", \"new\": " << JsonString(difference.New) << '}';
    first = false;
  }
  std::cout << (first ? "]}\n" : "\n]}\n");
}
} // namespace

int RunDump(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--overwrite"}, {"-d"});
  line.RequirePositional(1, 1);
  const std::string &path = line.Positional()[0];
  if (!line.Has("-d"))
    throw EUsage("-d DIR is required");
  const std::string folder = line.Value("-d");
  TOpenedContainer opened = OpenContainer(path);
  const std::vector<TEntryExport> plan = DumpPlan(opened.Document->List);
  const TExistingFiles existing = line.Has("--overwrite") ? TExistingFiles::Replace : TExistingFiles::Refuse;
  CheckExportTargets(plan, folder, existing);
  const std::string manifest = PathText(FilePath(folder) / FilePath(path).filename().replace_extension(".toml"));
  std::error_code ignored; // a link, even one leading nowhere, is something there too
  if (std::filesystem::exists(std::filesystem::symlink_status(FilePath(manifest), ignored)) && !line.Has("--overwrite"))
    throw Exception(Substitute(Translated(CliMessages::TargetExists), {PrintableText(manifest)}));
  ExportEntries(*opened.Document, plan, folder, existing);
  std::vector<std::string> sources;
  for (const TEntryExport &file : plan)
    sources.push_back(PathText(FilePath(folder) / FilePath(file.FileName)));
  SaveManifest(opened.Document->List, {opened.Kind, opened.Level, {}}, sources, manifest);
  std::cout << PrintableText(manifest) << '\n';
  return 0;
}

int RunDiff(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--json"}, {});
  line.RequirePositional(2, 2);
  CliPrompt().AcceptUnlisted = true; // a manifest is compared as it stands, whatever config.ini lists
  TOpenedContainer a = OpenPack(line.Positional()[0]);
  TOpenedContainer b = OpenPack(line.Positional()[1]);
  const std::vector<TPackDifference> differences = ComparePacks({*a.Document, a.Kind}, {*b.Document, b.Kind});
  if (line.Has("--json"))
    PrintJson(differences);
  else
    for (const TPackDifference &difference : differences)
      std::cout << DifferenceText(difference) << '\n';
  return differences.empty() ? 0 : 1;
}
