// tvk extract: writes entries' data as files, never outside the target folder and never over a file unasked.
#include "cli/CliMessages.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "media/EntryExport.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

#include <algorithm>

namespace {
// The positions of the named entries (all when names is empty); every name must match at least one entry.
std::vector<int> Select(TMediaStream &document, const std::vector<std::string> &names) {
  std::vector<int> positions;
  if (names.empty())
    return positions;
  const auto &items = document.List.Items();
  for (std::size_t i = 0; i < items.size(); ++i)
    if (std::find(names.begin(), names.end(), Cp1250ToUtf8(items[i]->Name)) != names.end())
      positions.push_back(static_cast<int>(i));
  for (const std::string &name : names)
    if (std::none_of(positions.begin(), positions.end(),
                     [&](int i) { return Cp1250ToUtf8(items[static_cast<std::size_t>(i)]->Name) == name; }))
      throw Exception(Substitute(Translated(CliMessages::NoSuchEntry), {PrintableText(name)}));
  return positions;
}
} // namespace

int RunExtract(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--overwrite"}, {"-d"});
  line.RequirePositional(1);
  TOpenedContainer opened = OpenContainer(line.Positional()[0]);
  const std::vector<std::string> names(line.Positional().begin() + 1, line.Positional().end());
  const std::vector<TEntryExport> plan = PlanExport(opened.Document->List, Select(*opened.Document, names));
  ExportEntries(*opened.Document, plan, line.Value("-d", "."),
                line.Has("--overwrite") ? TExistingFiles::Replace : TExistingFiles::Refuse);
  return 0;
}
