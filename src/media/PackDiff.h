// Comparing two packs entry by entry: added, removed and moved entries, changed attributes and changed content.
#pragma once

#include "media/MediaDocument.h"

#include <cstdint>
#include <string>
#include <vector>

// One pack to compare: its document and media kind.
struct TPackSide {
  TMediaStream &Document;
  TMediaKind Kind;
};

struct TPackDifference {
  enum TWhat { Kind, Added, Removed, Moved, Attribute, Content } What;
  std::string Name;     // the entry's name (UTF-8); empty for Kind
  std::string Key;      // the attribute's tvk key for Attribute
  std::string Old, New; // positions for Moved, texts for Attribute, "SIZE B, CRC-32 XXXXXXXX" for Content and Kind
};

// The differences from a to b in a's order, then b's additions. Entries are matched by name, the n-th of a name
// in a with the n-th of it in b; an entry is moved when its place among the entries both packs hold changed.
std::vector<TPackDifference> ComparePacks(const TPackSide &a, const TPackSide &b);

// The CRC-32 of an entry's data, read from its source file or the backing file.
uint32_t EntryCrc32(TMediaStream &document, TFileListItem &entry);
// A CRC-32 as eight upper-case hexadecimal digits, as ZIP tools show it.
std::string Crc32Text(uint32_t crc);

// "name: key old -> new" and the like, one line for a difference.
std::string DifferenceText(const TPackDifference &difference);
