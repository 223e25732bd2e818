// Fuzz target of the ZIP reader: opens the archive, extracts every entry and reads it again as a stream.
// Every byte an entry yields must pass its size and CRC-32 check; anything else must be an EZipError.
#include "FuzzStreams.h"
#include "media/ZIPStream.h"

#include <cstdlib>
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

void ReadEntry(TZip &zip, int index) {
  const TFileHeader &header = zip.Header(index);
  const bool ownName = zip.IndexOf(header.FileName) == index;
  try {
    TCountingSink sink;
    const int64_t extracted = zip.ExtractEntry(header.FileName, sink);
    if (ownName && extracted != header.UncompressedSize)
      std::abort(); // a size the directory does not state passed the check
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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TMemoryStream archive = InputStream(data, size);
  TZip zip;
  try {
    zip.Open(&archive);
  } catch (const EZipError &) {
    return 0;
  }
  for (int i = 0; i < zip.Count(); ++i)
    ReadEntry(zip, i);
  return 0;
}
