// tvk check: whether the runtime will accept a pack, one line per problem.
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "media/EntryCheck.h"
#include "media/MediaDocument.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <iostream>

namespace {
std::string EntryName(const TFileListItem &entry) { return Cp1250ToUtf8(entry.Name) + entry.Ext.Utf8(); }

void PrintJson(const TMediaStream &document, const std::vector<TFoundProblem> &found, bool passed) {
  std::cout << "{\"passed\": " << (passed ? "true" : "false") << ", \"problems\": [";
  bool first = true;
  for (const auto &[position, problem] : found) {
    const TProblemKindInfo &info = ProblemKindInfo(problem.Kind);
    const TFileListItem &entry = *document.List.Items()[static_cast<std::size_t>(position)];
    std::cout << (first ? "\n  " : ",\n  ") << "{\"position\": " << position + 1
              << ", \"name\": " << JsonString(Cp1250ToUtf8(entry.Name)) << ", \"extension\": "
              << JsonString(entry.Ext.Utf8()) << ", \"problem\": \"" << info.Key
              << "\", \"note\": " << (info.Note ? "true" : "false");
    for (std::size_t i = 0; i < info.NumberKeys.size() && i < problem.Numbers.size(); ++i)
      std::cout << ", \"" << info.NumberKeys[i] << "\": " << problem.Numbers[i];
    if (info.DetailKey)
      std::cout << ", \"" << info.DetailKey << "\": " << JsonString(problem.Detail);
    std::cout << ", \"text\": " << JsonString(ProblemText(problem)) << '}';
    first = false;
  }
  std::cout << (first ? "]}\n" : "\n]}\n");
}
} // namespace

int RunCheck(const TArguments &arguments) {
  const TCommandLine line(arguments, {"--json"}, {});
  line.RequirePositional(1, 1);
  CliPrompt().AcceptUnlisted = true; // a manifest is checked as it stands, whatever config.ini lists
  TOpenedContainer opened = OpenPack(line.Positional()[0]);
  const std::vector<TFoundProblem> found = CheckDocument(*opened.Document);
  const bool passed =
      std::all_of(found.begin(), found.end(), [](const TFoundProblem &each) { return IsNote(each.Problem); });
  if (line.Has("--json")) {
    PrintJson(*opened.Document, found, passed);
  } else {
    for (const auto &[position, problem] : found)
      std::cout << position + 1 << ' '
                << PrintableText(EntryName(*opened.Document->List.Items()[static_cast<std::size_t>(position)]))
                << ": " << PrintableText(ProblemText(problem)) << '\n';
  }
  return passed ? 0 : 1;
}
