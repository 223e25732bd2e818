// What the tvk subcommands share: the pipeline prompt, the progress line, opening and saving containers, entry look-up.
#pragma once

#include "cli/CommandLine.h"
#include "media/MediaDocument.h"
#include "platform/FileLocks.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A pipeline cannot answer questions: errors end the command, and unlisted extensions are accepted only with --force.
class TCliPrompt : public TPrompt {
public:
  void ShowError(const std::string &text) override;
  bool AskYesNo(const std::string &text) override;
  bool AcceptUnlisted = false;
};
// The prompt tvk installs for the whole run.
TCliPrompt &CliPrompt();

// A progress line on stderr ("Komprimuji soubor 45 % (3 s)"), shown only when stderr is a terminal and the work
// has lasted over a second. A ticker redraws it four times a second from the latest byte counts.
class TConsoleProgress : public TProgressSink {
public:
  TConsoleProgress();
  ~TConsoleProgress() override;
  void SetMessage(const std::string &text) override;
  void SetMax(int64_t max) override;
  void SetPosition(int64_t position) override;
  void Start() override {}

private:
  void Show();
  std::mutex lock;
  std::condition_variable wake;
  bool stopping = false;
  std::string message;
  int64_t max = 0, position = 0;
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  bool shown = false;
  std::thread ticker;
};

// The grid columns of a kind as command-line keys: "name", "ext", "size", then the attributes.
const std::vector<std::string> &ColumnKeys(uint8_t kind);
std::string KindName(uint8_t kind);

// Prints a line on stdout for every file the document converted since the last report ("Převedeno: a.png → a.BMP, …").
void ReportConversions(TMediaStream &document);

struct TOpenedContainer {
  std::unique_ptr<TFileLock> Lock; // held by editing commands until the edited container is in place
  std::unique_ptr<TMediaStream> Document;
  uint8_t Kind = 0;
  int Level = 2;
};
TOpenedContainer OpenContainer(const std::string &path);
// A pack to read: a manifest is built in memory (its sources as they are now), a container is opened.
TOpenedContainer OpenPack(const std::string &path);
// How long an editing command waits for another one that edits the same container.
constexpr std::chrono::seconds EditLockTimeout{60};
// OpenContainer for a command that saves it again: the container stays locked until the command ends, so
// two commands editing one container run one after the other and neither loses the other's change.
TOpenedContainer OpenForEditing(const std::string &path);

// Saves an edited container over itself at its level, or at the level of --level when given.
void SaveEdited(TOpenedContainer &opened, const std::string &path, int levelOption);

// The zero-based position of the single entry named name (UTF-8); a clear error when none or several match.
int FindEntryByName(TMediaStream &document, const std::string &name);
// The entry a command addresses: --at N (1-based), or else the name at positional argument next, which is
// then consumed (next moves on by one).
int AddressedEntry(TMediaStream &document, const TCommandLine &line, std::size_t &next);

// Refuses out when it is one of the source files: a container written over its own data would lose them.
void RefuseTargetAmongSources(const std::string &out, const std::vector<std::string> &sources);

// text as a JSON string, quoted, with quotes, backslashes and control characters escaped.
std::string JsonString(const std::string &text);
