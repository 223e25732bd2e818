// The tvk subcommands that only read containers: list, info and verify.
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "media/Container.h"
#include "media/ItemColumns.h"
#include "media/PackDiff.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/TextLanguage.h"

#include <iostream>

namespace {
// A cell as JSON: numbers and booleans as such, colours by their names (or "$00BBGGRR") and names as strings.
std::string JsonValue(const TItemColumn &column, const std::string &text) {
  switch (column.Editing) {
  case TCellEditing::Boolean: return text == "True" ? "true" : "false";
  case TCellEditing::Size:
  case TCellEditing::Frequency:
  case TCellEditing::Volume:
  case TCellEditing::Pan: return text;
  case TCellEditing::Color:
  case TCellEditing::None: break;
  }
  return column.Index == SizeColumnIndex ? text : JsonString(text);
}

// Rows are written one entry at a time: a list of a million entries never exists as text in memory.
// withCrc adds each entry's CRC-32 (--long).
void PrintJson(TMediaStream &document, uint8_t kind, bool withCrc) {
  const TFileList &list = document.List;
  const std::vector<TItemColumn> &columns = ItemColumns(kind);
  std::cout << "{\"kind\": " << JsonString(KindName(kind)) << ", \"entries\": [";
  int row = 0;
  for (const auto &entry : list.Items()) {
    ++row;
    std::cout << (row > 1 ? ",\n  " : "\n  ") << "{\"position\": " << row;
    for (const TItemColumn &column : columns)
      std::cout << ", " << JsonString(column.Key) << ": " << JsonValue(column, column.ToText(*entry));
    if (withCrc)
      std::cout << ", \"crc-32\": " << JsonString(Crc32Text(EntryCrc32(document, *entry)));
    std::cout << '}';
  }
  std::cout << (row > 0 ? "\n]}\n" : "]}\n");
}

// Names may hold anything: control characters are escaped, so no name forges a row or drives the terminal.
void PrintTable(TMediaStream &document, uint8_t kind, bool withCrc) {
  const std::vector<std::string> &keys = ColumnKeys(kind);
  std::cout << "kind: " << KindName(kind) << "\nposition";
  for (const std::string &key : keys)
    std::cout << '\t' << key;
  std::cout << (withCrc ? "\tcrc-32\n" : "\n");
  int row = 0;
  std::string line;
  for (const auto &entry : document.List.Items()) {
    line = std::to_string(++row);
    for (const std::string &cell : GridCells(*entry))
      line.append(1, '\t').append(PrintableText(cell));
    if (withCrc)
      line.append(1, '\t').append(Crc32Text(EntryCrc32(document, *entry)));
    line += '\n';
    std::cout << line;
  }
}

std::string LevelName(int level) {
  static const char *names[] = {"stored, level 0 (Zádná)", "deflated, level 1 (Rychlá)",
                                "deflated, level 2 (Normální)", "deflated, level 3 (Nejlepší)"};
  return Translated(names[level]);
}
} // namespace

int RunList(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--json", "--long"}, {});
  line.RequirePositional(1, 1);
  TOpenedContainer opened = OpenContainer(line.Positional()[0]);
  if (line.Has("--json"))
    PrintJson(*opened.Document, opened.Kind, line.Has("--long"));
  else
    PrintTable(*opened.Document, opened.Kind, line.Has("--long"));
  return 0;
}

int RunInfo(const TArguments &arguments) {
  const TCommandLine line(arguments, {}, {});
  line.RequirePositional(1, 1);
  const std::string &path = line.Positional()[0];
  TOpenedContainer opened = OpenContainer(path);
  const TMediaEntryFacts facts = ReadMediaEntryFacts(path);
  int64_t dataSize = 0;
  for (const auto &entry : opened.Document->List.Items())
    dataSize += entry->Size;
  std::cout << "kind: " << KindName(opened.Kind) << "\nentries: " << opened.Document->List.Count()
            << "\ndata size: " << dataSize << " bytes\nmedia stream: " << facts.UncompressedSize
            << " bytes\ncontainer: " << FileSize(path) << " bytes\ncompression: " << LevelName(facts.Level)
            << "\ncrc-32: " << Crc32Text(facts.Crc32) << " ok\n";
  return 0;
}

int RunVerify(const TArguments &arguments) {
  const TCommandLine line(arguments, {}, {});
  line.RequirePositional(1, 1);
  const std::string &path = line.Positional()[0];
  VerifyContainer(path);
  std::cout << PrintablePath(path) << ": ok\n";
  return 0;
}
