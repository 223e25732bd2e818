// Saving a document as a container file and opening one: the roads of Save and Open without a window.
#pragma once

#include "media/MediaDocument.h"
#include "platform/Clock.h"

#include <cstdint>
#include <optional>
#include <string>

// Writes the document as a container at path: its media stream as the single entry "Media.m" at level
// (0 stored, 1-3 deflated; any other value means 2, normal). The archive goes to a temporary file beside path
// that replaces path only once everything was written and flushed, so a failed save leaves the old file
// untouched; a file at path this user may not write is refused before anything is written.
// Reports "Sestavuji soubor", then "Komprimuji soubor", both in bytes. A cancel (EAbort) before the
// commit leaves the old file byte for byte and no temporary file behind.
// options give the entry a fixed time instead of the clock's and limit the deflating threads.
struct TSaveOptions {
  std::optional<TLocalTime> EntryTime;
  unsigned Threads = 0; // 0: every core
};
void SaveContainer(TMediaStream &document, uint8_t kind, const std::string &path, int level,
                   const TSaveOptions &options = {});

// The entry time of reproducible packs: SOURCE_DATE_EPOCH (seconds since 1970, taken as UTC) when it is set,
// otherwise 1980-01-01 00:00:00, the earliest time a ZIP entry holds. Throws for a value that is no such number.
TLocalTime ReproducibleEntryTime();
// The entry time of commands that otherwise stamp the present: ReproducibleEntryTime() when SOURCE_DATE_EPOCH is
// set, nothing (the present) otherwise.
std::optional<TLocalTime> EntryTimeFromEnvironment();

// Reads the container at path into document (a freshly constructed one) and returns the media kind.
// An empty file shows "Soubor je prázdný!" through the prompt and returns nothing, leaving the document empty.
// Anything else that is wrong with the file throws with a clear text, and a cancel throws EAbort; the
// document then holds no entries.
std::optional<uint8_t> LoadContainer(TMediaStream &document, const std::string &path);

// Checks the container at path as opening it does, without a backing file or any other file: "Media.m" is inflated
// once into nothing but its checks (sizes, CRC-32, the end of the deflate data) and the parse of the entry records.
// Throws what LoadContainer throws for the same file, "Soubor je prázdný!" for an empty one.
void VerifyContainer(const std::string &path);

// Throws, naming the file, when something other than a container sits at path: the output a manifest names
// replaces a container (or nothing), never a file of another kind that the manifest happens to name.
void RequireContainerOrNothing(const std::string &path);

// What the central directory tells of a container's entry "Media.m".
struct TMediaEntryFacts {
  uint32_t Crc32 = 0;
  uint32_t UncompressedSize = 0;
  int Level = 0; // the compression level (0-3) that wrote the entry's method and flags
};
// Throws the same errors as LoadContainer for a file that is not a container.
TMediaEntryFacts ReadMediaEntryFacts(const std::string &path);
