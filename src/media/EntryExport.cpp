// Writing entries' data out as files NAME+EXT in a folder: never outside it, never over a file unasked.
#include "media/EntryExport.h"

#include "media/MediaMessages.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/TemporaryFile.h"
#include "platform/TextLanguage.h"

#include <filesystem>
#include <set>

namespace {
bool Exists(const std::filesystem::path &path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}
} // namespace

std::string ExportFileName(const TFileListItem &entry) {
  const std::string name = Cp1250ToUtf8(entry.Name + entry.Ext.Text());
  if (name.empty() || name == "." || name == ".." || name.find_first_of(std::string("/\\\0", 3)) != std::string::npos)
    throw Exception(Substitute(Translated(MediaMessages::UnsafeFileName), {PrintableText(name)}));
  return name;
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
      throw Exception(Substitute(Translated(MediaMessages::SameTarget), {entry.FileName}));
  return plan;
}

TExportResult ExportEntries(TMediaStream &document, const std::vector<TEntryExport> &plan, const std::string &folder,
                            TExistingFiles existing) {
  std::filesystem::create_directories(folder);
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
    const std::filesystem::path target = std::filesystem::path(folder) / plan[i].FileName;
    bool replace = replaceAll;
    if (!replace && Exists(target)) {
      if (existing == TExistingFiles::Refuse)
        throw Exception(Substitute(Translated(MediaMessages::TargetExists), {target.string()}));
      switch (Prompt().AskOverwrite(Substitute(Translated(MediaMessages::ReplaceFile), {target.string()}))) {
      case TOverwriteAnswer::Yes: replace = true; break;
      case TOverwriteAnswer::YesToAll: replace = replaceAll = true; break;
      case TOverwriteAnswer::No: ++result.Skipped; done += plan[i].Entry->Size; continue;
      case TOverwriteAnswer::Cancel: result.Cancelled = true; return result;
      }
    }
    TTemporaryFile file(folder, ".tvk-export-");
    document.CopyEntryData(*plan[i].Entry, file.Stream(), done);
    file.CommitAs(target.string(), replace);
    ++result.Written;
  }
  return result;
}
