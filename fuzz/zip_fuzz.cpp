// Fuzz target of the ZIP reader: opens the archive, extracts every entry and reads it again as a stream.
// Every byte an entry yields must pass its size and CRC-32 check; anything else must be an EZipError.
// The entries that read well are then saved into a new archive, as the editor re-saves a container,
// and must read back byte for byte.
#include "FuzzStreams.h"
#include "media/ZIPStream.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {
// Reads the entry stream in odd-sized pieces to its end, then forces the check.
int64_t ReadThrough(TZipEntryStream &entry) {
  std::vector<uint8_t> buffer(4093);
  int64_t total = 0;
  for (int64_t n; (n = entry.Read(buffer.data(), static_cast<int64_t>(buffer.size()))) > 0;)
    total += n;
  entry.Verify();
  return total;
}

// Entries kept for the re-save, by name; small archives only, to keep each run quick.
using TEntries = std::map<std::string, std::vector<uint8_t>>;
constexpr int64_t MaxKeptBytes = 4 << 20;

void ReadEntry(TZip &zip, int index, TEntries &kept, int64_t &keptBytes) {
  const TFileHeader &header = zip.Header(index);
  const bool ownName = zip.IndexOf(header.FileName) == index;
  try {
    if (ownName && !header.FileName.empty() && keptBytes + header.UncompressedSize <= MaxKeptBytes) {
      TMemoryStream data;
      zip.ExtractEntry(header.FileName, data);
      if (data.Size() != header.UncompressedSize)
        std::abort(); // a size the directory does not state passed the check
      keptBytes += data.Size();
      kept[header.FileName].assign(data.Memory(), data.Memory() + data.Size());
    } else {
      TCountingSink sink;
      const int64_t extracted = zip.ExtractEntry(header.FileName, sink);
      if (ownName && extracted != header.UncompressedSize)
        std::abort();
    }
  } catch (const EZipError &) {
  }
  try {
    if (auto entry = zip.GetEntryStream(header.FileName)) {
      const int64_t read = ReadThrough(*entry);
      if (ownName && read != header.UncompressedSize)
        std::abort();
    }
  } catch (const EZipError &) {
  }
}

// Saves the entries at one of the editor's levels (0 stores, 1..3 deflate) and reads each one back.
void CheckResave(const TEntries &entries, int level) {
  if (entries.empty())
    return; // an archive without entries is written as nothing at all
  TZip zip;
  zip.SetFixedTime({2024, 5, 17, 13, 45, 30});
  for (const auto &[name, bytes] : entries)
    zip.AddEntry(name, bytes.data(), level, static_cast<uint32_t>(bytes.size()));
  TMemoryStream archive;
  zip.WriteTo(archive);
  TZip reread;
  reread.Open(&archive);
  for (const auto &[name, bytes] : entries) {
    TMemoryStream data;
    reread.ExtractEntry(name, data);
    if (data.Size() != static_cast<int64_t>(bytes.size()) || !std::equal(bytes.begin(), bytes.end(), data.Memory()))
      std::abort(); // a saved entry does not read back as it was
  }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TMemoryStream archive = InputStream(data, size);
  TZip zip;
  try {
    zip.Open(&archive);
  } catch (const EZipError &) {
    return 0;
  }
  TEntries kept;
  int64_t keptBytes = 0;
  for (int i = 0; i < zip.Count(); ++i)
    ReadEntry(zip, i, kept, keptBytes);
  CheckResave(kept, static_cast<int>(size % 4));
  return 0;
}
