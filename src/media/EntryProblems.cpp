// The problems the check finds in an entry, as one table.
#include "media/EntryProblems.h"

#include "platform/Exceptions.h"
#include "platform/IntegerText.h"
#include "platform/TextLanguage.h"

#include <stdexcept>

namespace {
using K = TProblemKind;
const std::vector<TProblemKindInfo> &Table() {
  static const std::vector<TProblemKindInfo> table = {
      {K::Unreadable, "unreadable", "data nelze přečíst: %s", {}, "reason"},
      {K::Undecodable, "undecodable", "data neodpovídají příponě: %s", {}, "reason"},
      {K::PictureFormat, "picture-format", "obrázky %s běhové prostředí nečte (jen BMP, DIB, ICO a JPEG)", {},
       "extension"},
      {K::NoFrame, "no-frame", "do obrázku %s × %s se nevejde žádný snímek %s × %s",
       {"width", "height", "pattern-width", "pattern-height"}},
      {K::FrameLeftOver, "frame-left-over", "mřížka snímků nechává %s px vpravo a %s px dole mimo celé snímky",
       {"right", "bottom"}},
      {K::KeyColorAbsent, "key-color-absent", "klíčová barva %s není v žádném pixelu", {}, "color"},
      {K::Fringe, "fringe", "%s pixelů blízkých klíčové barvě %s sousedí s průhlednými (lem)", {"pixels"}, "color"},
      {K::JpegTransparent, "jpeg-transparent", "JPEG s Transparent = True: ztrátová komprese klíčovou barvu přesně nezachová",
       {}},
      {K::SoundFormat, "sound-format", "zvuk není PCM WAV (značka formátu %s)", {"format-tag"}},
      {K::SoundExtension, "sound-extension", "zvuky %s běhové prostředí nepřehraje (jen PCM WAV)", {}, "extension"},
      {K::FrequencyZero, "frequency-zero", "poznámka: Frequency je 0, soubor má %s Hz", {"rate"}, nullptr, true},
      {K::FrequencyDiffers, "frequency-differs", "poznámka: Frequency %s Hz se liší od %s Hz souboru (změna výšky?)",
       {"frequency", "rate"}, nullptr, true},
      {K::SameName, "same-name", "stejné jméno a příponu má položka %s", {"same-as"}},
  };
  return table;
}
} // namespace

const TProblemKindInfo &ProblemKindInfo(TProblemKind kind) {
  for (const TProblemKindInfo &info : Table())
    if (info.Kind == kind)
      return info;
  throw std::logic_error("a problem kind without its line in the table");
}

std::string ProblemText(const TEntryProblem &problem) {
  std::vector<std::string> values;
  for (const int64_t number : problem.Numbers)
    values.push_back(IntToStr(number));
  if (ProblemKindInfo(problem.Kind).DetailKey)
    values.push_back(problem.Detail);
  return Substitute(Translated(ProblemKindInfo(problem.Kind).Text), values);
}

bool IsNote(const TEntryProblem &problem) { return ProblemKindInfo(problem.Kind).Note; }
