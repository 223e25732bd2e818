// Fuzz target of the DIB reader: loads a bitmap file, draws its pixels, saves it and loads it again, and
// reads the same bytes in the clipboard's form (no file header). A damaged file must raise the reader's
// error and keep the old picture; a picture that loaded must save and load back to the same pixels.
#include "FuzzStreams.h"
#include "dib/DIB.h"

#include <cstdlib>
#include <vector>

namespace {
// Pictures larger than this are loaded but not drawn, to keep each run quick.
constexpr int64_t MaxDrawnPixels = 1 << 20;

bool Drawable(const TDIB &dib) {
  const int64_t pixels = static_cast<int64_t>(dib.Width()) * dib.Height();
  return !dib.Empty() && dib.Width() > 0 && dib.Height() > 0 && pixels <= MaxDrawnPixels;
}

std::vector<uint32_t> Draw(const TDIB &dib) {
  std::vector<uint32_t> pixels(static_cast<std::size_t>(dib.Width()) * static_cast<std::size_t>(dib.Height()));
  dib.ReadPixels32(pixels.data(), dib.Width());
  return pixels;
}

void CheckSavedCopy(const TDIB &dib, const std::vector<uint32_t> &pixels) {
  TMemoryStream saved;
  dib.SaveToStream(saved);
  saved.SetPosition(0);
  TDIB copy;
  copy.LoadFromStream(saved);
  if (copy.Width() != dib.Width() || copy.Height() != dib.Height() || Draw(copy) != pixels)
    std::abort(); // the saved file does not show the picture that was loaded
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
    bool loaded = false;
    try {
      dib.LoadFromStream(stream);
      loaded = true;
    } catch (const Exception &) {
      CheckUnchanged(dib, previous);
    }
    if (loaded && Drawable(dib))
      CheckSavedCopy(dib, Draw(dib));
  }
  constexpr std::size_t fileHeaderSize = 14;
  if (size > fileHeaderSize) {
    TDIB dib(previous);
    bool loaded = false;
    try {
      dib.LoadFromClipboardFormat(data + fileHeaderSize, size - fileHeaderSize);
      loaded = true;
    } catch (const Exception &) {
      CheckUnchanged(dib, previous);
    }
    if (loaded && Drawable(dib))
      Draw(dib);
  }
  return 0;
}
