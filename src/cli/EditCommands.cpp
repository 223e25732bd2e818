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
#include <map>

namespace {
const std::set<std::string> levelOption{"--level"};
const std::set<std::string> levelAndAt{"--level", "--at"};

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
// Moves the entry at from to position to; those between shift by one place.
void MoveEntry(TFileList &list, int from, int to) {
  for (int i = from; i < to; ++i)
    list.Exchange(i, i + 1);
  for (int i = from; i > to; --i)
    list.Exchange(i, i - 1);
}
} // namespace

int RunNew(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--images", "--sounds", "--force"}, {"-o", "--level"});
  if (line.Has("--images") == line.Has("--sounds"))
    throw EUsage("give exactly one of --images and --sounds");
  if (line.Value("-o").empty())
    throw EUsage("-o OUT.tvk is required");
  const uint8_t kind = line.Has("--images") ? mkImages : mkSounds;
  TMediaStream document;
  const int level = line.Has("--level") ? LevelOption(line) : ReadCompressionLevel();
  AddFiles(document, kind, line.Positional(), line.Has("--force"));
  const TFileLock lock(line.Value("-o"), EditLockTimeout); // an existing container is replaced only between edits
  SaveContainer(document, kind, line.Value("-o"), level);
  return 0;
}

int RunAdd(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--force"}, levelOption);
  line.RequirePositional(2);
  const std::string &path = line.Positional()[0];
  TOpenedContainer opened = OpenForEditing(path);
  const std::vector<std::string> files(line.Positional().begin() + 1, line.Positional().end());
  AddFiles(*opened.Document, opened.Kind, files, line.Has("--force"));
  SaveEdited(opened, path, LevelOption(line));
  return 0;
}

int RunRemove(const TArguments &arguments) {
  const TCommandLine line(arguments, {}, levelAndAt);
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
  MoveEntry(document.List, from, to);
  SaveEdited(opened, path, LevelOption(line));
  return 0;
}

int RunReplace(const TArguments &arguments) {
  const TCommandLine line(arguments, {}, levelAndAt);
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
  opened.Document->List.ReplaceSourceAt(position, file);
  SaveEdited(opened, path, LevelOption(line));
  return 0;
}

int RunSet(const TArguments &arguments) {
  const TCommandLine line(arguments, {}, levelAndAt);
  line.RequirePositional(line.Has("--at") ? 2 : 3);
  const std::string &path = line.Positional()[0];
  TOpenedContainer opened = OpenForEditing(path);
  std::size_t next = 1;
  const int position = AddressedEntry(*opened.Document, line, next);
  // The grid's values go to the last entry of a name and size: the addressed one stands last for the moment,
  // so that of several entries sharing both it is the one that takes them.
  TFileList &list = opened.Document->List;
  const int last = list.Count() - 1;
  MoveEntry(list, position, last);
  const int row = last + 1;
  TMemoryGrid grid = FillGridOf(*opened.Document, opened.Kind);
  const std::vector<TItemColumn> &columns = ItemColumns(opened.Kind);
  for (auto assignment = line.Positional().begin() + static_cast<std::ptrdiff_t>(next);
       assignment != line.Positional().end(); ++assignment) {
    const auto equals = assignment->find('=');
    const std::string key = assignment->substr(0, equals);
    const auto column = std::find_if(columns.begin(), columns.end(),
                                     [&key](const TItemColumn &c) { return c.FromText && key == c.Key; });
    if (equals == std::string::npos || column == columns.end())
      throw EUsage("not an attribute of " + KindName(opened.Kind) + ": " + *assignment);
    const std::string value = assignment->substr(equals + 1);
    CheckStrictValue(*column, value);
    grid.SetCell(column->Index, row, value);
  }
  list.TakeOverGrid(grid, opened.Kind);
  MoveEntry(list, last, position);
  SaveEdited(opened, path, LevelOption(line));
  return 0;
}
