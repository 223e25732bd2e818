// The tvk command line: builds, edits, inspects and unpacks containers for build pipelines and scripts.
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "config/LanguageSetting.h"
#include "platform/Console.h"
#include "platform/SignalCleanup.h"

#include <algorithm>
#include <iostream>

namespace {
const char *overview =
    "usage: tvk COMMAND [ARGS]   (tvk COMMAND --help for details; tvk --version)\n"
    "Exit status: 0 success, 1 failed check or bad container, 2 usage error.\n"
    "Editing commands wait up to 60 s while another one edits the same container.\n"
    "--at N names an entry by its position (as tvk list shows it) where several share a name.\n"
    "Messages follow the editor's language setting (config.ini); TOVRIK_LANG=en or cs overrides it.\n"
    "SOURCE_DATE_EPOCH (seconds since 1970, UTC), when set, is the entry time of every container written.\n\ncommands:\n";

// "--help" anywhere before a lone "--".
bool AsksForHelp(const TArguments &arguments) {
  const auto end = std::find(arguments.begin(), arguments.end(), "--");
  return std::find(arguments.begin(), end, "--help") != end;
}

// Errors go to stderr on one line each.
std::string OneLine(std::string text) {
  std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return text;
}

// Runs the command; a failure's one-line text goes to error, to be printed once the progress line is gone.
int Dispatch(const std::string &name, const TArguments &arguments, std::string &error) {
  for (const TCommand &command : Commands()) {
    if (name != command.Name)
      continue;
    if (AsksForHelp(arguments)) {
      std::cout << command.Usage;
      return 0;
    }
    try {
      return command.Run(arguments);
    } catch (const EUsage &failure) {
      error = "tvk " + name + ": " + OneLine(failure.what()) + " (see tvk " + name + " --help)";
      return 2;
    } catch (const std::exception &failure) {
      error = "tvk " + name + ": " + OneLine(failure.what());
      return 1;
    }
  }
  error = "tvk: unknown command " + name + " (see tvk --help)";
  return 2;
}
} // namespace

const std::vector<TCommand> &Commands() {
  static const std::vector<TCommand> commands{
      {"new",
       "usage: tvk new (--images|--sounds) -o OUT.tvk [--level 0-3] [--force] [--overwrite] [--set KEY=VALUE]... "
       "FILE...\n"
       "  A new container holding FILE... in the given order, at the level of config.ini unless --level is given.\n"
       "  Files whose extension is not in config.ini's list for the kind are refused unless --force.\n"
       "  An existing OUT.tvk is replaced only with --overwrite, and never when it is one of FILE....\n"
       "  --set KEY=VALUE (repeatable) gives every new entry an attribute, as tvk set does.\n",
       RunNew},
      {"add",
       "usage: tvk add CONTAINER [--level 0-3] [--force] [--set KEY=VALUE]... FILE...\n"
       "  Appends FILE... to the container (the extension rule and --set of tvk new apply).\n",
       RunAdd},
      {"remove",
       "usage: tvk remove CONTAINER [--level 0-3] (NAME...|--at N)\n"
       "  Removes every entry named NAME, or the entry at position N.\n",
       RunRemove},
      {"move",
       "usage: tvk move CONTAINER (NAME|--at N) (--up|--down|--to N) [--level 0-3]\n"
       "  Moves the entry one place up or down, or to position N (1 is the first).\n",
       RunMove},
      {"replace",
       "usage: tvk replace CONTAINER (NAME|--at N) FILE [--level 0-3]\n"
       "  The entry takes its data from FILE; its name, extension and attributes stay.\n",
       RunReplace},
      {"set",
       "usage: tvk set CONTAINER (NAME|--at N) KEY=VALUE... [--level 0-3]\n"
       "  Sets attributes in the editor's grid texts.\n"
       "  images: transparent=True|False color=clRed|$00FF8000 pattern-height=N pattern-width=N skip-height=N "
       "skip-width=N\n"
       "  sounds: looped=True|False frequency=N volume=0-255 pan=N\n",
       RunSet},
      {"list",
       "usage: tvk list CONTAINER [--json] [--long]\n"
       "  The kind, then one row per entry: position, name, extension, size and every attribute;\n"
       "  --long adds the CRC-32 of each entry's data (for git diff through a textconv).\n",
       RunList},
      {"info", "usage: tvk info CONTAINER\n  Kind, entries, sizes, compression and CRC status.\n", RunInfo},
      {"verify",
       "usage: tvk verify CONTAINER\n"
       "  Exit status 0 only when the ZIP structure, the CRC-32 and the media stream are all sound.\n",
       RunVerify},
      {"extract",
       "usage: tvk extract CONTAINER [-d DIR] [--overwrite] [NAME...]\n"
       "  Writes each entry's data (or only the named ones) as NAME+EXT into DIR (default: the current folder).\n"
       "  Existing files are kept unless --overwrite.\n",
       RunExtract},
      {"build",
       "usage: tvk build MANIFEST.toml [-o OUT.tvk] [--check] [--force] [--threads N]\n"
       "  Builds the container a TOML manifest describes (kind, level, output, [defaults], one [[entry]] per\n"
       "  source file with name and attributes under the keys of tvk set) into OUT.tvk, or the manifest's output.\n"
       "  The same manifest and sources give the same bytes: the entry time is SOURCE_DATE_EPOCH or 1980-01-01.\n"
       "  --check writes nothing and exits 1, naming the first difference, when OUT.tvk is not what it would build.\n"
       "  --force accepts sources whose extension is not in config.ini's list for the kind.\n"
       "  --threads N deflates on N threads instead of every core (the bytes stay the same).\n",
       RunBuild},
      {"dump",
       "usage: tvk dump CONTAINER -d DIR [--overwrite]\n"
       "  Writes each entry's data as NAME+EXT and a manifest CONTAINER.toml into DIR, such that tvk build of it\n"
       "  gives the same entries, order, attributes and bytes. Existing files are kept unless --overwrite.\n",
       RunDump},
      {"diff",
       "usage: tvk diff A B [--json]\n"
       "  Compares two packs, containers or manifests (.toml) in any pairing: entries added, removed and moved,\n"
       "  changed attributes (old -> new) and changed content (size and CRC-32). Exit status 0 when equal, 1 not.\n",
       RunDiff},
      {"check",
       "usage: tvk check CONTAINER|MANIFEST.toml [--json]\n"
       "  Whether the runtime will accept the pack. One line per problem: position, name, what and its numbers.\n"
       "  Pictures: a frame grid that leaves pixels outside whole frames or holds no frame, a key colour (clDefault:\n"
       "  the bottom-left pixel) that no pixel has, pixels close to the key colour beside keyed-out ones (a fringe),\n"
       "  a JPEG with Transparent = True, a format other than BMP, DIB, ICO or JPEG. Sounds: not PCM WAV. Both: data\n"
       "  that is not what its extension says, two entries of the same name and extension. Notes (not failures):\n"
       "  a Frequency of 0 or other than the file's own rate. Exit status 0 when only notes or nothing, 1 otherwise.\n",
       RunCheck},
  };
  return commands;
}

int main(int argc, char *argv[]) {
  PrepareCommandLineProcess();
  const std::vector<std::string> given = ProgramArguments(argc, argv);
  const std::string name = given.empty() ? "" : given.front();
  const TArguments arguments(given.begin() + std::min<std::size_t>(given.size(), 1), given.end());
  if (name == "--version" || name == "-V") {
    std::cout << "tvk " TOVRIK_VERSION "\n";
    return 0;
  }
  if (name.empty() || name == "--help" || name == "-h" || name == "help") {
    std::ostream &out = name.empty() ? std::cerr : std::cout;
    out << overview;
    for (const TCommand &command : Commands()) {
      const std::string usage = command.Usage;
      out << "  " << usage.substr(7, usage.find('\n') - 7) << '\n';
    }
    return name.empty() ? 2 : 0;
  }
  InstallSignalCleanup();
  ApplyChosenLanguage();
  std::ios::sync_with_stdio(false); // tvk writes through the streams only: a list of a million rows goes faster
  std::string error;
  int status;
  {
    TConsoleProgress progress;
    SetProgress(&progress);
    SetPrompt(&CliPrompt());
    status = Dispatch(name, arguments, error);
    SetProgress(nullptr);
    SetPrompt(nullptr);
  }
  if (!error.empty())
    std::cerr << error << '\n';
  return status;
}
