// Packs described by a TOML manifest (kind, level, output, defaults, one [[entry]] per source file): reading one
// into a document and writing a document back as one. The keys are the item columns' tvk keys.
#pragma once

#include "media/MediaDocument.h"
#include "platform/Exceptions.h"

#include <optional>
#include <string>
#include <vector>

// A manifest that cannot be built: the text names the manifest, the line and the column ("a.toml:7:17: …").
class EManifestError : public Exception {
public:
  using Exception::Exception;
};

struct TManifestFacts {
  TMediaKind Kind = 0;
  std::optional<int> Level; // 0-3; absent means the configured level
  std::string Output;       // the container to write, resolved against the manifest's folder; empty when not given
};

// Reads the manifest at path and adds its entries to document (a fresh one) in order, each with its name and its
// attributes (the entry's own, else [defaults], else the kind's defaults). Sources are relative to the manifest's
// folder. Unknown keys, a missing source, a value of the wrong type or out of range and a file whose extension is
// not in the kind's list (the prompt is asked, as when adding) throw EManifestError; the document may then hold
// some entries, but nothing has been written anywhere.
TManifestFacts LoadManifest(TMediaStream &document, const std::string &path);

// Writes a manifest of the list's entries at path (replacing it as every save does): the facts' kind, level (when
// given) and output (when not empty), then one [[entry]] per entry with its source sources[i], its name and every
// attribute. The output and the sources are files as the process names them; the manifest holds them relative to
// its own folder.
void SaveManifest(const TFileList &list, const TManifestFacts &facts, const std::vector<std::string> &sources,
                  const std::string &path);

// Whether path names a manifest rather than a container (by its ".toml" extension).
bool IsManifestPath(const std::string &path);
