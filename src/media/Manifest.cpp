// Reading a TOML pack manifest into a document and writing a document back as one, with toml++.
#include "media/Manifest.h"

#include "media/CellTexts.h"
#include "media/EntryName.h"
#include "media/ItemColumns.h"
#include "media/ManifestMessages.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/TemporaryFile.h"
#include "platform/TextLanguage.h"

#include <toml++/toml.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace {
namespace fs = std::filesystem;

// Where a refusal points: the manifest and a place in it.
class TManifestPlace {
public:
  explicit TManifestPlace(std::string path) : path(std::move(path)) {}
  [[noreturn]] void Refuse(const toml::source_region &where, const std::string &text) const {
    throw EManifestError(PrintableText(path) + ":" + std::to_string(where.begin.line) + ":" +
                         std::to_string(where.begin.column) + ": " + text);
  }
  [[noreturn]] void Refuse(const toml::source_region &where, const char *message, std::initializer_list<std::string> args) const {
    Refuse(where, Substitute(Translated(message), args));
  }

private:
  std::string path;
};

const TItemColumn *AttributeColumn(TMediaKind kind, std::string_view key) {
  const std::vector<TItemColumn> &columns = ItemColumns(kind);
  const auto found =
      std::find_if(columns.begin(), columns.end(), [&](const TItemColumn &c) { return c.FromText && key == c.Key; });
  return found == columns.end() ? nullptr : &*found;
}

// The grid text of a TOML value for a column: booleans and integers as TOML types, colours as the grid's texts.
std::string AttributeText(const TManifestPlace &place, const TItemColumn &column, const toml::key &key,
                          const toml::node &value) {
  switch (column.Editing) {
  case TCellEditing::Boolean:
    if (!value.is_boolean())
      place.Refuse(value.source(), ManifestMessages::NotBoolean, {key.str().data()});
    return BoolToString(value.as_boolean()->get());
  case TCellEditing::Color:
    if (!value.is_string())
      place.Refuse(value.source(), ManifestMessages::NotText, {key.str().data()});
    return value.as_string()->get();
  default:
    if (!value.is_integer())
      place.Refuse(value.source(), ManifestMessages::NotInteger, {key.str().data()});
    return std::to_string(value.as_integer()->get());
  }
}

// Stores a value in the entry; an integer the field cannot hold as it is (a volume over 255, a size beyond
// 32 bits) is refused rather than cut.
void StoreAttribute(const TManifestPlace &place, TFileListItem &entry, const TItemColumn &column,
                    const toml::key &key, const toml::node &value) {
  const std::string text = AttributeText(place, column, key, value);
  try {
    column.FromText(entry, text);
  } catch (const EConvertError &failure) {
    if (value.is_integer())
      place.Refuse(value.source(), ManifestMessages::OutOfRange, {text, std::string(key.str())});
    place.Refuse(value.source(), failure.what());
  }
  if (value.is_integer() && column.ToText(entry) != text)
    place.Refuse(value.source(), ManifestMessages::OutOfRange, {text, std::string(key.str())});
}

const toml::table &TableOf(const TManifestPlace &place, const toml::key &key, const toml::node &node) {
  if (!node.is_table())
    place.Refuse(node.source(), ManifestMessages::NotTable, {std::string(key.str())});
  return *node.as_table();
}

// Adds one [[entry]]: its source, then its name, then [defaults] and its own attributes over them.
void AddEntry(TMediaStream &document, TMediaKind kind, const TManifestPlace &place, const fs::path &folder,
              const toml::table &entry, const toml::table *defaults) {
  const toml::node *source = entry.get("source");
  if (!source)
    place.Refuse(entry.source(), ManifestMessages::MissingKey, {"source"});
  if (!source->is_string())
    place.Refuse(source->source(), ManifestMessages::NotText, {"source"});
  const std::string file = PathText((folder / FilePath(source->as_string()->get())).lexically_normal());
  if (!FileExists(file))
    place.Refuse(source->source(), ManifestMessages::MissingSource, {PrintableText(file)});
  try {
    if (!document.AddFile(file, kind))
      place.Refuse(source->source(), ManifestMessages::WrongKindOfFile,
                   {PrintableText(file), kind == mkImages ? "images" : "sounds"});
  } catch (const EManifestError &) {
    throw;
  } catch (const Exception &failure) { // not a regular file, a name Windows-1250 cannot hold
    place.Refuse(source->source(), failure.what());
  }
  TFileListItem &added = *document.List.Items().back();
  for (const auto &[key, value] : entry) {
    if (key.str() == "source")
      continue;
    if (key.str() == "name") {
      if (!value.is_string())
        place.Refuse(value.source(), ManifestMessages::NotText, {"name"});
      try {
        added.Name = CheckedEntryName(value.as_string()->get());
      } catch (const Exception &failure) {
        place.Refuse(value.source(), failure.what());
      }
    } else if (!AttributeColumn(kind, key.str())) {
      place.Refuse(key.source(), ManifestMessages::UnknownKey, {std::string(key.str())});
    }
  }
  // A converted file's key colour or rate comes from its data: [defaults] written for other files (a key colour
  // this picture uses) do not replace it; the entry's own keys still do.
  const bool converted = ConvertsOnAdd(document.Conversion, kind, file);
  const auto setByConversion = [&](std::string_view key) {
    return converted && (key == "transparent" || key == "color" || key == "frequency");
  };
  if (defaults)
    for (const auto &[key, value] : *defaults)
      if (!entry.contains(key.str()) && !setByConversion(key.str()))
        StoreAttribute(place, added, *AttributeColumn(kind, key.str()), key, value);
  for (const auto &[key, value] : entry)
    if (const TItemColumn *column = AttributeColumn(kind, key.str()))
      StoreAttribute(place, added, *column, key, value);
}

toml::table Parse(const std::string &path, const TManifestPlace &place) {
  TFileStream file(path, TFileMode::fmOpenRead);
  std::string text(static_cast<std::size_t>(file.Size()), '\0');
  file.ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
  try {
    return toml::parse(text, path);
  } catch (const toml::parse_error &failure) {
    place.Refuse(failure.source(), ManifestMessages::NotToml, {std::string(failure.description())});
  }
}

// A TOML value for an attribute's grid text: the reverse of AttributeText.
void InsertAttribute(toml::table &entry, const TItemColumn &column, const std::string &text) {
  switch (column.Editing) {
  case TCellEditing::Boolean: entry.insert_or_assign(column.Key, text == "True"); break;
  case TCellEditing::Color: entry.insert_or_assign(column.Key, text); break;
  default: entry.insert_or_assign(column.Key, int64_t{StrToInt64(text)}); break;
  }
}
} // namespace

TManifestFacts LoadManifest(TMediaStream &document, const std::string &path) {
  const TManifestPlace place(path);
  const toml::table root = Parse(path, place);
  TManifestFacts facts;
  const toml::node *kind = root.get("kind");
  if (!kind)
    place.Refuse(root.source(), ManifestMessages::MissingKey, {"kind"});
  if (!kind->is_string() || (kind->as_string()->get() != "images" && kind->as_string()->get() != "sounds"))
    place.Refuse(kind->source(), ManifestMessages::BadKind, {});
  facts.Kind = kind->as_string()->get() == "images" ? mkImages : mkSounds;
  const fs::path folder = FilePath(path).parent_path();
  const toml::table *defaults = nullptr;
  const toml::array *entries = nullptr;
  for (const auto &[key, value] : root) {
    if (key.str() == "kind")
      continue;
    if (key.str() == "level") {
      if (!value.is_integer())
        place.Refuse(value.source(), ManifestMessages::NotInteger, {"level"});
      if (value.as_integer()->get() < 0 || value.as_integer()->get() > 3)
        place.Refuse(value.source(), ManifestMessages::OutOfRange, {std::to_string(value.as_integer()->get()), "level"});
      facts.Level = static_cast<int>(value.as_integer()->get());
    } else if (key.str() == "output") {
      if (!value.is_string())
        place.Refuse(value.source(), ManifestMessages::NotText, {"output"});
      facts.Output = PathText((folder / FilePath(value.as_string()->get())).lexically_normal());
    } else if (key.str() == "defaults") {
      defaults = &TableOf(place, key, value);
      for (const auto &[name, attribute] : *defaults)
        if (!AttributeColumn(facts.Kind, name.str()))
          place.Refuse(name.source(), ManifestMessages::UnknownKey, {std::string(name.str())});
    } else if (key.str() == "entry") {
      const bool noEntries = value.is_array() && value.as_array()->empty(); // "entry = []": an empty pack
      if (!value.is_array_of_tables() && !noEntries)
        place.Refuse(value.source(), ManifestMessages::NotTable, {"entry"});
      entries = value.as_array();
    } else {
      place.Refuse(key.source(), ManifestMessages::UnknownKey, {std::string(key.str())});
    }
  }
  if (entries)
    for (const toml::node &entry : *entries)
      AddEntry(document, facts.Kind, place, folder, *entry.as_table(), defaults);
  return facts;
}

void SaveManifest(const TFileList &list, const TManifestFacts &facts, const std::vector<std::string> &sources,
                  const std::string &path) {
  const fs::path folder = fs::absolute(FilePath(path)).parent_path();
  // Forward slashes, so that the manifest builds the same on every system.
  const auto relative = [&folder](const std::string &file) {
    return PathText(fs::absolute(FilePath(file)).lexically_normal().lexically_proximate(folder).generic_u8string());
  };
  toml::table root;
  root.insert_or_assign("kind", facts.Kind == mkImages ? "images" : "sounds");
  if (facts.Level)
    root.insert_or_assign("level", int64_t{*facts.Level});
  if (!facts.Output.empty())
    root.insert_or_assign("output", relative(facts.Output));
  toml::array entries;
  std::size_t i = 0;
  for (const auto &item : list.Items()) {
    toml::table entry;
    entry.insert_or_assign("source", relative(sources[i++]));
    entry.insert_or_assign("name", Cp1250ToUtf8(item->Name));
    for (const TItemColumn &column : ItemColumns(facts.Kind))
      if (column.FromText)
        InsertAttribute(entry, column, column.ToText(*item));
    entries.push_back(std::move(entry));
  }
  root.insert_or_assign("entry", std::move(entries));
  std::ostringstream text;
  text << root << '\n';
  const std::string hidingPlace = ExtractFileDir(path).empty() ? "." : ExtractFileDir(path);
  std::string prefix = "."; // hidden beside the manifest until it replaces it
  prefix += ExtractFileName(path);
  prefix += ".";
  TTemporaryFile file(hidingPlace, prefix, path);
  WritingFor(path, [&] {
    file.Stream().WriteBuffer(text.str().data(), static_cast<int64_t>(text.str().size()));
    file.CommitAs(path, true);
  });
}

bool IsManifestPath(const std::string &path) { return UpperExtension(path) == ".TOML"; }
