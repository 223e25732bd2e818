// Comparing two packs by their entries' names, places, attributes and content.
#include "media/PackDiff.h"

#include "media/CalcCRC.h"
#include "media/ItemColumns.h"
#include "platform/CodePage.h"
#include "platform/Streams.h"

#include <cstdio>
#include <map>

namespace {
// A stream that only checksums what is written to it.
class TCrcStream : public TStream {
public:
  int64_t Read(void *, int64_t) override { return 0; }
  int64_t Write(const void *buffer, int64_t count) override {
    Crc = UpdateCrc32(Crc, buffer, static_cast<std::size_t>(count));
    written += count;
    return count;
  }
  int64_t Seek(int64_t, TSeekOrigin) override { return written; }
  uint32_t Crc = 0;

private:
  int64_t written = 0;
};

std::string KindText(TMediaKind kind) { return kind == mkImages ? "images" : "sounds"; }

// Each entry's key for matching: its name and how many entries of that name came before it.
std::vector<std::pair<std::string, int>> MatchKeys(const TFileList &list) {
  std::map<std::string, int> seen;
  std::vector<std::pair<std::string, int>> keys;
  for (const auto &entry : list.Items())
    keys.emplace_back(entry->Name, seen[entry->Name]++);
  return keys;
}

std::string ContentText(TMediaStream &document, TFileListItem &entry) {
  return std::to_string(entry.Size) + " B, CRC-32 " + Crc32Text(EntryCrc32(document, entry));
}
} // namespace

uint32_t EntryCrc32(TMediaStream &document, TFileListItem &entry) {
  TCrcStream crc;
  int64_t done = 0;
  document.CopyEntryData(entry, crc, done);
  return crc.Crc;
}

std::string Crc32Text(uint32_t crc) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", crc);
  return text;
}

std::vector<TPackDifference> ComparePacks(const TPackSide &a, const TPackSide &b) {
  if (a.Kind != b.Kind)
    return {{TPackDifference::Kind, "", "", KindText(a.Kind), KindText(b.Kind)}};
  const auto keysA = MatchKeys(a.Document.List), keysB = MatchKeys(b.Document.List);
  std::map<std::pair<std::string, int>, std::size_t> placeInB;
  for (std::size_t i = 0; i < keysB.size(); ++i)
    placeInB[keysB[i]] = i;
  std::map<std::pair<std::string, int>, std::size_t> placeInA;
  for (std::size_t i = 0; i < keysA.size(); ++i)
    placeInA[keysA[i]] = i;
  // Places among the shared entries only: one removal does not make every later entry "moved".
  std::map<std::pair<std::string, int>, int> sharedRankB;
  for (const auto &key : keysB)
    if (placeInA.count(key))
      sharedRankB.emplace(key, static_cast<int>(sharedRankB.size()));
  std::vector<TPackDifference> differences;
  int sharedRankA = 0;
  for (std::size_t i = 0; i < keysA.size(); ++i) {
    TFileListItem &old = *a.Document.List.Items()[i];
    const std::string name = Cp1250ToUtf8(old.Name);
    const auto found = placeInB.find(keysA[i]);
    if (found == placeInB.end()) {
      differences.push_back({TPackDifference::Removed, name, "", std::to_string(i + 1), ""});
      continue;
    }
    TFileListItem &now = *b.Document.List.Items()[found->second];
    if (sharedRankB.at(keysA[i]) != sharedRankA++)
      differences.push_back(
          {TPackDifference::Moved, name, "", std::to_string(i + 1), std::to_string(found->second + 1)});
    for (const TItemColumn &column : ItemColumns(a.Kind))
      if (column.Index != NameColumnIndex && column.Index != SizeColumnIndex && column.ToText(old) != column.ToText(now))
        differences.push_back({TPackDifference::Attribute, name, column.Key, column.ToText(old), column.ToText(now)});
    const std::string oldContent = ContentText(a.Document, old), newContent = ContentText(b.Document, now);
    if (oldContent != newContent)
      differences.push_back({TPackDifference::Content, name, "", oldContent, newContent});
  }
  for (std::size_t i = 0; i < keysB.size(); ++i)
    if (!placeInA.count(keysB[i]))
      differences.push_back(
          {TPackDifference::Added, Cp1250ToUtf8(b.Document.List.Items()[i]->Name), "", "", std::to_string(i + 1)});
  return differences;
}

std::string DifferenceText(const TPackDifference &difference) {
  const std::string name = PrintableText(difference.Name);
  switch (difference.What) {
  case TPackDifference::Kind: return "kind: " + difference.Old + " -> " + difference.New;
  case TPackDifference::Added: return "added: " + name + " (position " + difference.New + ")";
  case TPackDifference::Removed: return "removed: " + name + " (position " + difference.Old + ")";
  case TPackDifference::Moved: return "moved: " + name + ": position " + difference.Old + " -> " + difference.New;
  case TPackDifference::Attribute:
    return "changed: " + name + ": " + difference.Key + " " + PrintableText(difference.Old) + " -> " +
           PrintableText(difference.New);
  case TPackDifference::Content: return "changed: " + name + ": content " + difference.Old + " -> " + difference.New;
  }
  return {};
}
