// Writing entries' data out as files NAME+EXT in a folder: never outside it, never over a file unasked.
#pragma once

#include "media/MediaDocument.h"

#include <functional>
#include <string>
#include <vector>

// One entry to write and the file name it gets (UTF-8, no folder part).
struct TEntryExport {
  TFileListItem *Entry;
  std::string FileName;
};

// What to do with a target file that exists already.
enum class TExistingFiles { Ask, Replace, Refuse };

// NAME+EXT as a file name; an Exception with the Czech refusal when it could reach outside the folder.
std::string ExportFileName(const TFileListItem &entry);
// The entries at the zero-based positions (all of them when positions is empty), in that order. Every name
// is checked before anything is written: an unsafe name or two entries with one target refuse the whole export.
std::vector<TEntryExport> PlanExport(const TFileList &list, const std::vector<int> &positions);

// A file name of its own for each of the entries, in order: NAME+EXT, or NAME~2+EXT, NAME~3+EXT and so on where an
// earlier entry has that name or taken(name) says it is not free.
std::vector<TEntryExport> PlanDistinctFiles(const std::vector<TFileListItem *> &entries,
                                            const std::function<bool(const std::string &)> &taken);

// Checks every target before the first byte is written, so a refused export writes nothing: a file name longer
// than the file system holds, a folder where a file would go, an existing file when existing is Refuse, and a
// folder path that is no folder. Throws an Exception with the Czech refusal naming the file.
void CheckExportTargets(const std::vector<TEntryExport> &plan, const std::string &folder, TExistingFiles existing);

struct TExportResult {
  int Written = 0;
  int Skipped = 0;      // existing files the user chose to keep
  bool Cancelled = false;
};

// Writes each planned entry into folder (created when missing, after CheckExportTargets) through a temporary file
// renamed into place,
// so a link at the target is replaced, never followed, and a failure leaves nothing half written.
// Existing targets follow existing: Ask goes through the prompt (Ano / Ne / Ano všem / Zrušit), Refuse
// throws. Reports progress one step per entry.
TExportResult ExportEntries(TMediaStream &document, const std::vector<TEntryExport> &plan, const std::string &folder,
                            TExistingFiles existing);
