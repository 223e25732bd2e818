// The recovery journal's records: each is its length, its CRC-32 and its payload, so that a record torn by a kill
// is recognised and left out; one field list per record for writing and reading.
#include "media/RecoveryJournal.h"

#include "media/CalcCRC.h"
#include "media/FileList.h"
#include "platform/AppFolder.h"
#include "platform/Exceptions.h"
#include "platform/FileLocks.h"
#include "platform/LittleEndian.h"
#include "platform/RawFiles.h"
#include "platform/Streams.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>

namespace {
constexpr uint8_t journalVersion = 1;
constexpr char headerType = 'H';
constexpr std::size_t frameBytes = 8;
// No record of a real document comes near this: a longer length is a damaged frame, not an allocation to try.
constexpr uint32_t largestRecord = 1u << 30;
constexpr std::string_view namePrefix = "Recovery-";
constexpr std::string_view nameSuffix = ".journal";

int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

void PutText(TByteWriter &writer, const std::string &text) {
  writer.U32(static_cast<uint32_t>(text.size()));
  writer.Text(text);
}

std::string TakeText(TByteReader &reader) {
  const uint32_t length = reader.U32();
  return reader.Text(length);
}

template <typename TCoder> void IdentityFields(TFileIdentity &identity, TCoder &coder) {
  coder.Field(identity.Device); coder.Field(identity.Inode); coder.Field(identity.Size); coder.Field(identity.ModifiedNs);
}

void PutIdentity(TByteWriter &writer, TFileIdentity identity) { IdentityFields(identity, writer); }

TFileIdentity TakeIdentity(TByteReader &reader) {
  TFileIdentity identity;
  IdentityFields(identity, reader);
  return identity;
}

void PutEntries(TByteWriter &writer, const std::vector<TPlacedEntry> &entries, const TSourceStamp &sourceStamp) {
  writer.U32(static_cast<uint32_t>(entries.size()));
  TMemoryStream record;
  for (const TPlacedEntry &placed : entries) {
    const TFileListItem &entry = *placed.Entry;
    writer.Field(static_cast<int32_t>(placed.Position));
    writer.Field(entry.Id);
    PutText(writer, entry.SourcePath);
    writer.Field(entry.Offset);
    writer.Field(entry.SourcePath.empty() ? int64_t{0} : sourceStamp(entry));
    record.Clear();
    entry.Clone()->WriteRecord(&record);
    writer.U32(static_cast<uint32_t>(record.Size()));
    writer.Raw(record.Memory(), static_cast<std::size_t>(record.Size()));
  }
}

// The entries of a change; ids maps the writer's entry ids to those given here, so that one entry keeps one Id.
std::vector<TPlacedEntry> TakeEntries(TByteReader &reader, TMediaKind kind, std::map<uint64_t, uint64_t> &ids,
                                      std::map<uint64_t, int64_t> &stamps) {
  const uint32_t count = reader.U32();
  std::vector<TPlacedEntry> entries;
  TMemoryStream record;
  for (uint32_t i = 0; i < count; ++i) {
    int32_t position = 0;
    uint64_t writtenId = 0;
    int64_t offset = 0, stamp = 0;
    reader.Field(position);
    reader.Field(writtenId);
    std::string sourcePath = TakeText(reader);
    reader.Field(offset);
    reader.Field(stamp);
    const uint32_t recordBytes = reader.U32();
    record.Clear();
    record.WriteBuffer(reader.Raw(recordBytes), recordBytes);
    record.SetPosition(0);
    std::unique_ptr<TFileListItem> entry = ReadBareRecord(record, kind);
    entry->SourcePath = std::move(sourcePath);
    entry->Offset = offset;
    const auto [known, added] = ids.try_emplace(writtenId, entry->Id);
    entry->Id = known->second;
    if (!entry->SourcePath.empty())
      stamps[entry->Id] = stamp;
    entries.push_back({position, std::move(entry)});
  }
  return entries;
}

std::vector<uint8_t> Framed(const std::vector<uint8_t> &payload) {
  TByteWriter frame;
  frame.U32(static_cast<uint32_t>(payload.size()));
  frame.U32(UpdateCrc32(0, payload.data(), payload.size()));
  std::vector<uint8_t> bytes = frame.Bytes();
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return bytes;
}

// The next whole record at offset of the file, or false at the end or at a torn or damaged record.
bool NextRecord(int handle, int64_t &offset, std::vector<uint8_t> &payload) {
  uint8_t frame[frameBytes];
  if (ReadAt(handle, frame, frameBytes, offset) != static_cast<int64_t>(frameBytes))
    return false;
  TByteReader reader(frame, frameBytes);
  const uint32_t length = reader.U32(), crc = reader.U32();
  if (length == 0 || length > largestRecord)
    return false;
  payload.resize(length);
  if (ReadAt(handle, payload.data(), length, offset + static_cast<int64_t>(frameBytes)) != static_cast<int64_t>(length))
    return false;
  if (UpdateCrc32(0, payload.data(), payload.size()) != crc)
    return false;
  offset += static_cast<int64_t>(frameBytes + length);
  return true;
}

bool ReadEvent(TByteReader &reader, char type, TMediaKind kind, bool withEvents, TJournalContent &content,
               std::map<uint64_t, uint64_t> &ids) {
  content.Count = static_cast<int>(reader.U32());
  content.Modified = reader.U8() != 0;
  reader.Field(content.LastChangeNs);
  TJournalEvent event;
  event.Type = type;
  if (type == 'S') {
    event.Path = TakeText(reader);
    event.Identity = TakeIdentity(reader);
    content.Path = event.Path;
  } else if (type == 'C' && withEvents) {
    event.Joined = reader.U8() != 0;
    int32_t focusBefore = 0, focusAfter = 0;
    reader.Field(focusBefore);
    reader.Field(focusAfter);
    std::vector<TPlacedEntry> out = TakeEntries(reader, kind, ids, content.SourceStamps);
    std::vector<TPlacedEntry> in = TakeEntries(reader, kind, ids, content.SourceStamps);
    event.Change = TListChange(std::move(out), std::move(in), focusBefore, focusAfter);
  } else if (type != 'C' && type != 'U' && type != 'R') {
    return false;
  }
  if (withEvents)
    content.Events.push_back(std::move(event));
  return true;
}
} // namespace

bool ReadJournal(int handle, bool withEvents, TJournalContent &content) {
  content = TJournalContent();
  int64_t offset = 0;
  std::vector<uint8_t> payload;
  if (!NextRecord(handle, offset, payload))
    return false;
  try {
    TByteReader header(payload);
    if (static_cast<char>(header.U8()) != headerType || header.U8() != journalVersion)
      return false;
    TJournalBase &base = content.Base;
    base.Kind = header.U8();
    base.ContainerPath = TakeText(header);
    base.Container = TakeIdentity(header);
    base.BackingPath = TakeText(header);
    base.Backing = TakeIdentity(header);
    content.Path = base.ContainerPath;
  } catch (const EReadError &) {
    return false;
  }
  content.Length = offset;
  std::map<uint64_t, uint64_t> ids;
  while (NextRecord(handle, offset, payload)) {
    // A record that passed its CRC but does not parse was written by another version: the steps end before it.
    try {
      TByteReader reader(payload);
      if (!ReadEvent(reader, static_cast<char>(reader.U8()), content.Base.Kind, withEvents, content, ids))
        break;
    } catch (const Exception &) {
      break;
    }
    content.Length = offset;
  }
  return true;
}

bool IsJournalFileName(const std::string &name) {
  std::string_view rest(name);
  if (!rest.starts_with(namePrefix) || !rest.ends_with(nameSuffix))
    return false;
  rest = rest.substr(namePrefix.size(), rest.size() - namePrefix.size() - nameSuffix.size());
  const auto dash = rest.find('-');
  const auto all = [](std::string_view text, int (*test)(int)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
  };
  return dash != std::string_view::npos && all(rest.substr(0, dash), ::isdigit) && rest.size() - dash - 1 == 6 &&
         all(rest.substr(dash + 1), ::isalnum);
}

TRecoveryJournal::TRecoveryJournal(const TJournalBase &base, const TFileList &list_, const TUndoHistory &history_,
                                   TSourceStamp sourceStamp_)
    : list(list_), history(history_), sourceStamp(std::move(sourceStamp_)) {
  TByteWriter header;
  header.U8(static_cast<uint8_t>(headerType));
  header.U8(journalVersion);
  header.U8(base.Kind);
  PutText(header, base.ContainerPath);
  PutIdentity(header, base.Container);
  PutText(header, base.BackingPath);
  PutIdentity(header, base.Backing);
  Append(header.Bytes());
}

TRecoveryJournal::TRecoveryJournal(std::string path_, int handle_, int64_t length, const TFileList &list_,
                                   const TUndoHistory &history_, TSourceStamp sourceStamp_)
    : path(std::move(path_)), handle(handle_), written(length), list(list_),
      history(history_), sourceStamp(std::move(sourceStamp_)) {
  // A record torn by the kill would hide every step appended after it.
  if (!Truncate(handle, written))
    throw EWriteError(path, std::strerror(errno));
}

TRecoveryJournal::~TRecoveryJournal() {
  if (handle < 0)
    return;
  if (SameFile(handle, path))
    DeleteFile(path);
  CloseFile(handle);
}

void TRecoveryJournal::Append(const std::vector<uint8_t> &payload) {
  const std::vector<uint8_t> frame = Framed(payload);
  pending.insert(pending.end(), frame.begin(), frame.end());
}

namespace {
// What every step carries first: the summary after it, for the offer at the next start.
TByteWriter EventStart(char type, const TFileList &list, const TUndoHistory &history) {
  TByteWriter event;
  event.U8(static_cast<uint8_t>(type));
  event.U32(static_cast<uint32_t>(list.Count()));
  event.U8(history.AtSavedPoint() ? 0 : 1);
  event.Field(NowNs());
  return event;
}
} // namespace

void TRecoveryJournal::Recorded(const TListChange &change, bool joined) {
  TByteWriter event = EventStart('C', list, history);
  event.U8(joined ? 1 : 0);
  event.Field(static_cast<int32_t>(change.FocusBefore()));
  event.Field(static_cast<int32_t>(change.FocusAfter()));
  PutEntries(event, change.Out(), sourceStamp);
  PutEntries(event, change.In(), sourceStamp);
  Append(event.Bytes());
}

void TRecoveryJournal::Stepped(bool back) { Append(EventStart(back ? 'U' : 'R', list, history).Bytes()); }

void TRecoveryJournal::Saved(const std::string &savedPath, const TFileIdentity &identity) {
  TByteWriter event = EventStart('S', list, history);
  PutText(event, savedPath);
  PutIdentity(event, identity);
  Append(event.Bytes());
}

bool TRecoveryJournal::Pending() const { return !pending.empty() && (handle >= 0 || !history.AtSavedPoint()); }

void TRecoveryJournal::CreateFile() {
  const std::string folder = BackingFolder();
  static thread_local std::mt19937_64 random(std::random_device{}());
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = folder + "/" + std::string(namePrefix) + std::to_string(ProcessId()) + "-";
    for (int i = 0; i < 6; ++i)
      candidate += letters[random() % (sizeof letters - 1)];
    candidate += nameSuffix;
    bool nameTaken = false;
    const int created = CreateNew(candidate, nameTaken);
    if (nameTaken)
      continue;
    if (created < 0)
      throw EWriteError(candidate, std::strerror(errno));
    // Another editor looking at the folder may hold the lock of the empty file for a moment: it finds no journal
    // in it and lets go.
    LockExclusive(created);
    path = candidate;
    handle = created;
    return;
  }
  throw EWriteError(folder, std::strerror(EEXIST));
}

bool TRecoveryJournal::Flush() {
  if (!Pending())
    return handle >= 0;
  const bool created = handle < 0;
  if (created)
    CreateFile();
  const auto fail = [&](int error) {
    // Should even that fail, the journal still ends, for its reader, at its last whole record.
    Truncate(handle, written);
    throw EWriteError(path, std::strerror(error));
  };
  if (!WriteAllAt(handle, pending.data(), static_cast<int64_t>(pending.size()), written) || !SyncData(handle))
    fail(errno);
  written += static_cast<int64_t>(pending.size());
  pending.clear();
  if (created)
    SyncFolder(ExtractFileDir(path)); // the new name itself must survive a power loss
  return true;
}
