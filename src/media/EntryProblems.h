// The problems the check finds in an entry, as one table: the key tvk --json gives, the Czech text with its numbers,
// whether it is only a note.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TProblemKind {
  Unreadable,       // the data cannot be read (a source file gone, an entry too large)
  Undecodable,      // the data is not what its extension says
  PictureFormat,    // a picture format the runtime does not read
  NoFrame,          // a frame grid with no whole frame in the picture
  FrameLeftOver,    // pixels right of or below the last whole frame
  KeyColorAbsent,   // Transparent, but no pixel has the key colour
  Fringe,           // pixels close to the key colour beside keyed-out ones
  JpegTransparent,  // a lossy picture cannot keep an exact key colour
  SoundFormat,      // a wave file whose samples are not PCM
  SoundExtension,   // a sound that is no wave file
  FrequencyZero,    // a note
  FrequencyDiffers, // a note: may be meant as a change of pitch
  SameName,         // an earlier entry has the same name and extension
};

struct TEntryProblem {
  TProblemKind Kind;
  // The problem's numbers in the order of its keys (TProblemKindInfo::NumberKeys).
  std::vector<int64_t> Numbers;
  // A text of the problem's own: a colour, an extension, the reader's reason.
  std::string Detail;
  bool operator==(const TEntryProblem &) const = default;
};

struct TProblemKindInfo {
  TProblemKind Kind;
  const char *Key;
  // Czech, filled by Substitute: first the numbers, then the detail.
  const char *Text;
  std::vector<const char *> NumberKeys;
  const char *DetailKey = nullptr;
  // A note tells what may be meant; it does not make the pack fail the check.
  bool Note = false;
};

const TProblemKindInfo &ProblemKindInfo(TProblemKind kind);
// The problem in the chosen language, without the entry's name.
std::string ProblemText(const TEntryProblem &problem);
bool IsNote(const TEntryProblem &problem);
