// The tvk subcommands that write containers: new, add, remove, move, replace and set.
#include "cli/CliMessages.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "config/ExtList.h"
#include "media/Container.h"
#include "media/ItemColumns.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>

namespace {
const std::set<std::string> levelOption{"--level"};
const std::set<std::string> levelAndAt{"--level", "--at"};
const char *const nameAndAt = "NAME and --at N exclude each other: give one of them";

// With --at N the positional arguments must not hold a NAME as well: at most allowed of them.
void RefuseNameWithAt(const TCommandLine &line, std::size_t allowed) {
  if (line.Has("--at") && line.Positional().size() > allowed)
    throw EUsage(nameAndAt);
}

int LevelOption(const TCommandLine &line) { return line.IntValue("--level", 0, 3, -1); }

// Adds files in order; an unlisted extension without --force is an error naming the file.
void AddFiles(TMediaStream &document, uint8_t kind, const std::vector<std::string> &files, bool force) {
  CliPrompt().AcceptUnlisted = force;
  for (const std::string &file : files) {
    if (!document.AddFile(file, kind))
      throw Exception(Substitute(Translated(CliMessages::UnlistedExtension), {PrintableText(file)}));
  }
}

// A grid text the grid itself would take without complaint but that cannot be meant: booleans other than
// "True"/"False" (the grid reads them as false) and volumes outside 0..255 (the grid keeps the low byte).
void CheckStrictValue(const TItemColumn &column, const std::string &value) {
  if (column.Editing == TCellEditing::Boolean && value != "True" && value != "False")
    throw EConvertError(Substitute(Translated(CliMessages::NotABoolean), {value}));
  if (column.Editing == TCellEditing::Volume) {
    const int32_t volume = StrToInt(value);
    if (volume < 0 || volume > 255)
      throw EConvertError(Substitute(Translated(CliMessages::NotAVolume), {value}));
  }
}
// Sets the attributes of KEY=VALUE assignments in grid texts, refusing keys the kind does not have.
void SetAttributes(TFileListItem &entry, uint8_t kind, const std::vector<std::string> &assignments) {
  const std::vector<TItemColumn> &columns = ItemColumns(kind);
  for (const std::string &assignment : assignments) {
    const auto equals = assignment.find('=');
    const std::string key = assignment.substr(0, equals);
    const auto column = std::find_if(columns.begin(), columns.end(),
                                     [&key](const TItemColumn &c) { return c.FromText && key == c.Key; });
    if (equals == std::string::npos || column == columns.end())
      throw EUsage("not an attribute of " + KindName(kind) + ": " + assignment);
    const std::string value = assignment.substr(equals + 1);
    CheckStrictValue(*column, value);
    column->FromText(entry, value);
  }
}

// Adds files as AddFiles does and gives every added entry the attributes of --set.
void AddFilesWithAttributes(TMediaStream &document, uint8_t kind, const std::vector<std::string> &files,
                            const TCommandLine &line) {
  const int before = document.List.Count();
  AddFiles(document, kind, files, line.Has("--force"));
  ReportConversions(document);
  for (int i = before; i < document.List.Count(); ++i)
    SetAttributes(*document.List.Items()[static_cast<std::size_t>(i)], kind, line.Values("--set"));
}

// Moves the entry at from to position to; those between shift by one place.
void MoveEntry(TFileList &list, int from, int to) {
  for (int i = from; i < to; ++i)
    list.Exchange(i, i + 1);
  for (int i = from; i > to; --i)
    list.Exchange(i, i - 1);
}
} // namespace

int RunNew(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--images", "--sounds", "--force", "--overwrite"}, {"-o", "--level"},
                          {"--set"});
  if (line.Has("--images") == line.Has("--sounds"))
    throw EUsage("give exactly one of --images and --sounds");
  const std::string &out = line.Value("-o");
  if (out.empty())
    throw EUsage("-o OUT.tvk is required");
  const uint8_t kind = line.Has("--images") ? mkImages : mkSounds;
  TMediaStream document;
  const int level = line.Has("--level") ? LevelOption(line) : ReadCompressionLevel();
  AddFilesWithAttributes(document, kind, line.Positional(), line);
  const TFileLock lock(out, EditLockTimeout); // an existing container is replaced only between edits
  RefuseTargetAmongSources(out, line.Positional());
  std::error_code ignored; // a link, even one leading nowhere, is something there too
  if (std::filesystem::exists(std::filesystem::symlink_status(out, ignored)) && !line.Has("--overwrite"))
    throw Exception(Substitute(Translated(CliMessages::TargetExists), {PrintableText(out)}));
  SaveContainer(document, kind, out, level, {EntryTimeFromEnvironment()});
  return 0;
}

int RunAdd(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--force"}, levelOption, {"--set"});
  line.RequirePositional(2);
  const std::string &path = line.Positional()[0];
  TOpenedContainer opened = OpenForEditing(path);
  const std::vector<std::string> files(line.Positional().begin() + 1, line.Positional().end());
  AddFilesWithAttributes(*opened.Document, opened.Kind, files, line);
  SaveEdited(opened, path, LevelOption(line));
  return 0;
}

int RunRemove(const TArguments &arguments) {
  const TCommandLine line(arguments, {}, levelAndAt);
  RefuseNameWithAt(line, 1);
  if (line.Has("--at"))
    line.RequirePositional(1, 1);
  else
    line.RequirePositional(2);
  const std::string &path = line.Positional()[0];
  TOpenedContainer opened = OpenForEditing(path);
  std::size_t next = 1;
  if (line.Has("--at"))
    opened.Document->List.RemoveAt({AddressedEntry(*opened.Document, line, next)});
  for (auto name = line.Positional().begin() + 1; name != line.Positional().end(); ++name) {
    const int before = opened.Document->List.Count();
    opened.Document->RemoveByName(Utf8ToCp1250(*name));
    if (opened.Document->List.Count() == before)
      throw Exception(Substitute(Translated(CliMessages::NoSuchEntry), {PrintableText(*name)}));
  }
  SaveEdited(opened, path, LevelOption(line));
  return 0;
}

int RunMove(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--up", "--down"}, {"--to", "--level", "--at"});
  RefuseNameWithAt(line, 1);
  const std::size_t addressing = line.Has("--at") ? 0 : 1;
  line.RequirePositional(1 + addressing, 1 + static_cast<long>(addressing));
  if (line.Has("--up") + line.Has("--down") + line.Has("--to") != 1)
    throw EUsage("give exactly one of --up, --down and --to N");
  const std::string &path = line.Positional()[0];
  TOpenedContainer opened = OpenForEditing(path);
  TMediaStream &document = *opened.Document;
  const int count = document.List.Count();
  std::size_t next = 1;
  const int from = AddressedEntry(document, line, next);
  int to = from;
  if (line.Has("--up"))
    to = std::max(from - 1, 0);
  else if (line.Has("--down"))
    to = std::min(from + 1, count - 1);
  else
    to = line.IntValue("--to", 1, count, 1) - 1;
  if (to == from) { // the first entry up, the last down, or to where it is: the file stays as it is
    std::cout << Substitute(Translated(CliMessages::AlreadyInPlace), {std::to_string(from + 1)}) << '\n';
    return 0;
  }
  MoveEntry(document.List, from, to);
  SaveEdited(opened, path, LevelOption(line));
  return 0;
}

int RunReplace(const TArguments &arguments) {
  const TCommandLine line(arguments, {}, levelAndAt);
  RefuseNameWithAt(line, 2);
  const std::size_t addressing = line.Has("--at") ? 0 : 1;
  line.RequirePositional(2 + addressing, 2 + static_cast<long>(addressing));
  const std::string &path = line.Positional()[0];
  TOpenedContainer opened = OpenForEditing(path);
  std::size_t next = 1;
  const int position = AddressedEntry(*opened.Document, line, next);
  const std::string &file = line.Positional()[next];
  RequireRegularFile(file);
  if (!FileExists(file))
    throw Exception(Substitute(Translated(CliMessages::NoSuchFile), {PrintableText(file)}));
  opened.Document->ReplaceSourceAt(position, file, opened.Kind);
  ReportConversions(*opened.Document);
  SaveEdited(opened, path, LevelOption(line));
  return 0;
}

int RunSet(const TArguments &arguments) {
  const TCommandLine line(arguments, {}, levelAndAt);
  line.RequirePositional(line.Has("--at") ? 2 : 3);
  if (line.Has("--at") && line.Positional()[1].find('=') == std::string::npos)
    throw EUsage(nameAndAt);
  const std::string &path = line.Positional()[0];
  TOpenedContainer opened = OpenForEditing(path);
  std::size_t next = 1;
  TFileListItem &entry = *opened.Document->List.Items()[static_cast<std::size_t>(
      AddressedEntry(*opened.Document, line, next))];
  SetAttributes(entry, opened.Kind, {line.Positional().begin() + static_cast<std::ptrdiff_t>(next),
                                     line.Positional().end()});
  SaveEdited(opened, path, LevelOption(line));
  return 0;
}
