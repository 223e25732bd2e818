// tvk extract: writes entries' data as files, never outside the target folder and never over a file unasked.
#include "cli/CliMessages.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "platform/TemporaryFile.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace {
struct TExtraction {
  TFileListItem *Entry;
  std::string FileName; // UTF-8, no folder part
};

// Name + extension as a file name, or a clear refusal when it could reach outside the folder.
std::string SafeFileName(const TFileListItem &entry) {
  const std::string name = Cp1250ToUtf8(entry.Name + entry.Ext.Text());
  if (name.empty() || name == "." || name == ".." || name.find_first_of(std::string("/\\\0", 3)) != std::string::npos)
    throw Exception(Substitute(CliMessages::UnsafeName, {PrintableText(name)}));
  return name;
}

std::vector<TExtraction> Select(TMediaStream &document, const std::vector<std::string> &names) {
  std::vector<TExtraction> selected;
  for (const auto &item : document.List.Items()) {
    TFileListItem *entry = item.get();
    if (names.empty() || std::find(names.begin(), names.end(), Cp1250ToUtf8(entry->Name)) != names.end())
      selected.push_back({entry, SafeFileName(*entry)});
  }
  for (const std::string &name : names) {
    if (std::none_of(selected.begin(), selected.end(),
                     [&](const TExtraction &e) { return Cp1250ToUtf8(e.Entry->Name) == name; }))
      throw Exception(Substitute(CliMessages::NoSuchEntry, {name}));
  }
  return selected;
}

// Every check before the first byte is written: a refused extraction writes nothing.
void CheckTargets(const std::vector<TExtraction> &selected, const std::filesystem::path &folder, bool overwrite) {
  std::set<std::string> seen;
  for (const TExtraction &extraction : selected) {
    if (!seen.insert(extraction.FileName).second)
      throw Exception(Substitute(CliMessages::SameTarget, {extraction.FileName}));
    std::error_code ignored;
    if (!overwrite && std::filesystem::exists(std::filesystem::symlink_status(folder / extraction.FileName, ignored)))
      throw Exception(Substitute(CliMessages::TargetExists,
                                 {(folder / extraction.FileName).string()}));
  }
}

// Writes through a temporary file renamed into place: a link at the target is replaced, never followed, and a
// failure leaves nothing half written.
void WriteEntry(TFileStream &backing, const TExtraction &extraction, const std::filesystem::path &folder,
                bool overwrite) {
  TTemporaryFile file(folder.string(), ".tvk-extract-");
  if (extraction.Entry->Size > 0) {
    backing.SetPosition(extraction.Entry->Offset);
    file.Stream().CopyFrom(backing, extraction.Entry->Size);
  }
  file.CommitAs((folder / extraction.FileName).string(), overwrite);
}
} // namespace

int RunExtract(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--overwrite"}, {"-d"});
  line.RequirePositional(1);
  TOpenedContainer opened = OpenContainer(line.Positional()[0]);
  const std::vector<std::string> names(line.Positional().begin() + 1, line.Positional().end());
  const std::vector<TExtraction> selected = Select(*opened.Document, names);
  const std::filesystem::path folder = line.Value("-d", ".");
  CheckTargets(selected, folder, line.Has("--overwrite"));
  std::filesystem::create_directories(folder);
  TFileStream *backing = opened.Document->BackingFile();
  for (const TExtraction &extraction : selected)
    WriteEntry(*backing, extraction, folder, line.Has("--overwrite"));
  return 0;
}
