// Fuzz target of the DIB reader: loads a bitmap file, draws its pixels, and reads the same bytes in the
// clipboard's form (no file header). A damaged file must raise the reader's error and keep the old picture.
#include "FuzzStreams.h"
#include "dib/DIB.h"

#include <cstdlib>
#include <vector>

namespace {
// Pictures larger than this are loaded but not drawn, to keep each run quick.
constexpr int64_t MaxDrawnPixels = 1 << 20;

void Draw(const TDIB &dib) {
  const int64_t pixels = static_cast<int64_t>(dib.Width()) * dib.Height();
  if (dib.Empty() || dib.Width() <= 0 || dib.Height() <= 0 || pixels > MaxDrawnPixels)
    return;
  std::vector<uint32_t> out(static_cast<std::size_t>(pixels));
  dib.ReadPixels32(out.data(), dib.Width());
}

void CheckUnchanged(const TDIB &dib, const TDIB &before) {
  if (!dib.SharesImageWith(before))
    std::abort(); // a failed load replaced the picture
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TDIB previous;
  previous.SetWidth(2);
  previous.SetHeight(2);
  {
    TDIB dib(previous);
    TMemoryStream stream = InputStream(data, size);
    try {
      dib.LoadFromStream(stream);
      Draw(dib);
    } catch (const Exception &) {
      CheckUnchanged(dib, previous);
    }
  }
  constexpr std::size_t fileHeaderSize = 14;
  if (size > fileHeaderSize) {
    TDIB dib(previous);
    try {
      dib.LoadFromClipboardFormat(data + fileHeaderSize, size - fileHeaderSize);
      Draw(dib);
    } catch (const Exception &) {
      CheckUnchanged(dib, previous);
    }
  }
  return 0;
}
