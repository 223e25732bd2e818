// The pipeline prompt, the progress line, the column keys and the container helpers of the tvk subcommands.
#include "cli/CliSupport.h"

#include "cli/CliMessages.h"
#include "media/Container.h"
#include "media/ItemColumns.h"
#include "media/Manifest.h"
#include "media/MediaMessages.h"
#include "platform/CodePage.h"
#include "platform/Console.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

TCliPrompt &CliPrompt() {
  static TCliPrompt prompt;
  return prompt;
}

void TCliPrompt::ShowError(const std::string &text) { throw Exception(text); }

bool TCliPrompt::AskYesNo(const std::string &) { return AcceptUnlisted; }

TConsoleProgress::TConsoleProgress() {
  if (!StandardErrorIsTerminal())
    return;
  ticker = std::thread([this] {
    std::unique_lock<std::mutex> guard(lock);
    while (!wake.wait_for(guard, std::chrono::milliseconds(250), [this] { return stopping; }))
      Show();
  });
}

TConsoleProgress::~TConsoleProgress() {
  if (ticker.joinable()) {
    {
      std::lock_guard<std::mutex> guard(lock);
      stopping = true;
    }
    wake.notify_all();
    ticker.join();
  }
  if (shown)
    std::cerr << "\r\033[K" << std::flush;
}

void TConsoleProgress::SetMessage(const std::string &text) {
  std::lock_guard<std::mutex> guard(lock);
  message = text;
}

void TConsoleProgress::SetMax(int64_t value) {
  std::lock_guard<std::mutex> guard(lock);
  max = value;
  position = 0;
}

void TConsoleProgress::SetPosition(int64_t value) {
  std::lock_guard<std::mutex> guard(lock);
  position = value;
}

// Runs on the ticker with the lock held.
void TConsoleProgress::Show() {
  const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started);
  if (elapsed.count() < 1 || message.empty())
    return;
  std::cerr << "\r\033[K" << message;
  if (max > 0)
    std::cerr << ' ' << std::clamp<int64_t>(position * 100 / max, 0, 100) << " %";
  std::cerr << " (" << elapsed.count() << " s)" << std::flush;
  shown = true;
}

const std::vector<std::string> &ColumnKeys(uint8_t kind) {
  auto keysOf = [](TMediaKind of) {
    std::vector<std::string> keys;
    for (const TItemColumn &column : ItemColumns(of))
      keys.push_back(column.Key);
    return keys;
  };
  static const std::vector<std::string> images = keysOf(mkImages), sounds = keysOf(mkSounds);
  return kind == mkImages ? images : sounds;
}

std::string KindName(uint8_t kind) { return kind == mkImages ? "images" : "sounds"; }

TOpenedContainer OpenContainer(const std::string &path) {
  TOpenedContainer opened;
  opened.Document = std::make_unique<TMediaStream>();
  const std::optional<TMediaKind> kind = LoadContainer(*opened.Document, path);
  if (!kind) // the prompt normally turns an empty file into an error already
    throw Exception(Translated(MediaMessages::EmptyFile));
  opened.Kind = *kind;
  opened.Level = ReadMediaEntryFacts(path).Level;
  return opened;
}

TOpenedContainer OpenPack(const std::string &path) {
  if (!IsManifestPath(path))
    return OpenContainer(path);
  TOpenedContainer opened;
  opened.Document = std::make_unique<TMediaStream>();
  opened.Kind = LoadManifest(*opened.Document, path).Kind;
  return opened;
}

TOpenedContainer OpenForEditing(const std::string &path) {
  auto lock = std::make_unique<TFileLock>(path, EditLockTimeout);
  TOpenedContainer opened = OpenContainer(path);
  opened.Lock = std::move(lock);
  return opened;
}

void SaveEdited(TOpenedContainer &opened, const std::string &path, int levelOption) {
  SaveContainer(*opened.Document, opened.Kind, path, levelOption >= 0 ? levelOption : opened.Level,
                {EntryTimeFromEnvironment()});
}

int FindEntryByName(TMediaStream &document, const std::string &name) {
  const std::string wanted = Utf8ToCp1250(name);
  int found = -1;
  for (int i = 0; i < document.List.Count(); ++i) {
    if (document.List.Items()[static_cast<std::size_t>(i)]->Name != wanted)
      continue;
    if (found >= 0)
      throw Exception(Substitute(Translated(CliMessages::AmbiguousName), {PrintableText(name)}));
    found = i;
  }
  if (found < 0)
    throw Exception(Substitute(Translated(CliMessages::NoSuchEntry), {PrintableText(name)}));
  return found;
}

int AddressedEntry(TMediaStream &document, const TCommandLine &line, std::size_t &next) {
  if (line.Has("--at")) {
    const int count = document.List.Count();
    if (count == 0)
      throw Exception(Substitute(Translated(CliMessages::NoSuchEntry), {"--at " + line.Value("--at")}));
    return line.IntValue("--at", 1, count, 1) - 1;
  }
  if (next >= line.Positional().size())
    throw EUsage("missing NAME or --at N");
  return FindEntryByName(document, line.Positional()[next++]);
}

void RefuseTargetAmongSources(const std::string &out, const std::vector<std::string> &sources) {
  if (const std::optional<TFileIdentity> existing = IdentityOf(out))
    for (const std::string &file : sources)
      if (const std::optional<TFileIdentity> source = IdentityOf(file);
          source && source->Device == existing->Device && source->Inode == existing->Inode)
        throw Exception(Substitute(Translated(CliMessages::TargetIsSource), {PrintableText(out)}));
}

std::string JsonString(const std::string &text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void ReportConversions(TMediaStream &document) {
  for (const TConversionNote &note : document.TakeConversions())
    std::cout << ConversionsText({note}) << '\n';
}
