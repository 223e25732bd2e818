// Writing entries' data out as files NAME+EXT in a folder: never outside it, never over a file unasked.
#include "media/EntryExport.h"

#include "media/MediaMessages.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/TemporaryFile.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

namespace {
namespace fs = std::filesystem;

// The longest file name Linux file systems hold, in bytes.
constexpr std::size_t fileNameMax = 255;

fs::file_status StatusOf(const fs::path &path) {
  std::error_code ignored;
  return fs::symlink_status(path, ignored);
}

// A folder, or a link that leads to one.
bool IsFolder(const fs::path &path) {
  std::error_code ignored;
  return fs::is_directory(fs::status(path, ignored));
}

bool Exists(const fs::path &path) { return fs::exists(StatusOf(path)); }

// What would make writing target fail halfway through an export, as a Czech refusal; empty when nothing does.
std::string TargetProblem(const TEntryExport &entry, const fs::path &target, TExistingFiles existing) {
  const std::string shown = PrintableText(PathText(target));
  if (entry.FileName.size() > fileNameMax)
    return Substitute(Translated(MediaMessages::FileNameTooLong),
                      {PrintableText(entry.FileName), std::to_string(entry.FileName.size())});
  const fs::file_status status = StatusOf(target);
  if (fs::is_directory(status))
    return Substitute(Translated(MediaMessages::FolderAtTarget), {shown});
  if (existing == TExistingFiles::Refuse && fs::exists(status))
    return Substitute(Translated(MediaMessages::TargetExists), {shown});
  return {};
}

// Creates the export folder; a path that is no folder gets a Czech refusal naming it.
void MakeFolder(const std::string &folder) {
  std::error_code error;
  fs::create_directories(FilePath(folder), error);
  if (error || !IsFolder(FilePath(folder)))
    throw EFCreateError(Substitute(Translated(MediaMessages::FolderNotCreated),
                                   {PrintableText(folder), error ? error.message() : std::strerror(ENOTDIR)}));
}
} // namespace

std::string ExportFileName(const TFileListItem &entry) {
  const std::string name = Cp1250ToUtf8(entry.Name + entry.Ext.Text());
  const bool unsafe = std::any_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == '/' || c == '\\' || byte < 32 || byte == 127;
  });
  if (name.empty() || name == "." || name == ".." || unsafe || !SystemAcceptsFileName(name))
    throw Exception(Substitute(Translated(MediaMessages::UnsafeFileName), {PrintableText(name)}));
  return name;
}

std::vector<TEntryExport> PlanDistinctFiles(const std::vector<TFileListItem *> &entries,
                                            const std::function<bool(const std::string &)> &taken) {
  std::vector<TEntryExport> plan;
  std::set<std::string> planned;
  for (TFileListItem *entry : entries) {
    const std::string file = ExportFileName(*entry);
    const std::string stem = file.substr(0, file.size() - entry->Ext.Utf8().size());
    std::string unique = file;
    for (int n = 2; planned.count(unique) || taken(unique); ++n)
      unique = stem + "~" + std::to_string(n) + entry->Ext.Utf8();
    planned.insert(unique);
    plan.push_back({entry, unique});
  }
  return plan;
}

void CheckExportTargets(const std::vector<TEntryExport> &plan, const std::string &folder, TExistingFiles existing) {
  if (fs::exists(StatusOf(FilePath(folder))) && !IsFolder(FilePath(folder)))
    throw EFCreateError(Substitute(Translated(MediaMessages::FolderNotCreated),
                                   {PrintableText(folder), std::strerror(ENOTDIR)}));
  for (const TEntryExport &entry : plan)
    if (const std::string problem = TargetProblem(entry, FilePath(folder) / FilePath(entry.FileName), existing); !problem.empty())
      throw Exception(problem);
}

std::vector<TEntryExport> PlanExport(const TFileList &list, const std::vector<int> &positions) {
  std::vector<TEntryExport> plan;
  const auto add = [&plan](TFileListItem &entry) { plan.push_back({&entry, ExportFileName(entry)}); };
  if (positions.empty())
    for (const auto &item : list.Items())
      add(*item);
  for (const int position : positions)
    add(*list.Items().at(static_cast<std::size_t>(position)));
  std::set<std::string> seen;
  for (const TEntryExport &entry : plan)
    if (!seen.insert(entry.FileName).second)
      throw Exception(Substitute(Translated(MediaMessages::SameTarget), {PrintableText(entry.FileName)}));
  return plan;
}

TExportResult ExportEntries(TMediaStream &document, const std::vector<TEntryExport> &plan, const std::string &folder,
                            TExistingFiles existing) {
  CheckExportTargets(plan, folder, existing);
  MakeFolder(folder);
  Progress().SetMessage(Translated(MediaMessages::Exporting));
  int64_t total = 0;
  for (const TEntryExport &entry : plan)
    total += entry.Entry->Size;
  Progress().SetMax(total);
  Progress().Start();
  int64_t done = 0;
  TExportResult result;
  bool replaceAll = existing == TExistingFiles::Replace;
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const std::string target = PathText(FilePath(folder) / FilePath(plan[i].FileName));
    bool replace = replaceAll;
    if (!replace && Exists(FilePath(target))) {
      if (existing == TExistingFiles::Refuse)
        throw Exception(Substitute(Translated(MediaMessages::TargetExists), {PrintableText(target)}));
      switch (Prompt().AskOverwrite(Substitute(Translated(MediaMessages::ReplaceFile), {PrintableText(target)}))) {
      case TOverwriteAnswer::Yes: replace = true; break;
      case TOverwriteAnswer::YesToAll: replace = replaceAll = true; break;
      case TOverwriteAnswer::No: ++result.Skipped; done += plan[i].Entry->Size; continue;
      case TOverwriteAnswer::Cancel: result.Cancelled = true; return result;
      }
    }
    WritingFor(target, [&] {
      TTemporaryFile file(folder, ".", target);
      document.CopyEntryData(*plan[i].Entry, file.Stream(), done);
      file.CommitAs(target, replace);
    });
    ++result.Written;
  }
  return result;
}
