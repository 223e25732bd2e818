// GIF pictures through giflib: the first frame on its logical screen, its transparent index keyed out. Records
// are read one at a time, so the frames after the first are never decoded nor held.
#include "convert/Conversion.h"
#include "convert/ConvertMessages.h"
#include "convert/RgbaPicture.h"
#include "platform/TextLanguage.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace {
struct TMemorySource {
  const std::vector<uint8_t> &bytes;
  std::size_t position = 0;
};

int ReadFromMemory(GifFileType *gif, GifByteType *buffer, int count) {
  auto &source = *static_cast<TMemorySource *>(gif->UserData);
  const std::size_t taken = std::min(static_cast<std::size_t>(std::max(count, 0)), source.bytes.size() - source.position);
  if (taken > 0) // an empty file has no data pointer to copy from
    std::memcpy(buffer, source.bytes.data() + source.position, taken);
  source.position += taken;
  return static_cast<int>(taken);
}

[[noreturn]] void Refuse(int error) {
  const char *text = GifErrorString(error);
  throw EConversionError(Substitute(Translated(ConvertMessages::NotGif), {text ? text : std::to_string(error)}));
}

class TGifFile {
public:
  explicit TGifFile(TMemorySource &source) {
    int error = 0;
    gif = DGifOpen(&source, ReadFromMemory, &error);
    if (!gif)
      Refuse(error);
  }
  ~TGifFile() {
    int ignored = 0; // closing a file read from memory cannot fail in a way that matters
    DGifCloseFile(gif, &ignored);
  }
  TGifFile(const TGifFile &) = delete;
  TGifFile &operator=(const TGifFile &) = delete;
  GifFileType *operator->() const { return gif; }
  GifFileType *Get() const { return gif; }
  void Check(int result) const {
    if (result != GIF_OK)
      Refuse(gif->Error);
  }

private:
  GifFileType *gif = nullptr;
};

// Reads one extension record; a graphic control block gives the transparent index.
void ReadExtension(const TGifFile &gif, int &transparentIndex) {
  int code = 0;
  GifByteType *block = nullptr;
  gif.Check(DGifGetExtension(gif.Get(), &code, &block));
  if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
    GraphicsControlBlock control{};
    if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
      transparentIndex = control.TransparentColor;
  }
  while (block)
    gif.Check(DGifGetExtensionNext(gif.Get(), &block));
}

TRgbaPicture ReadFirstFrame(const TGifFile &gif, int transparentIndex) {
  gif.Check(DGifGetImageDesc(gif.Get()));
  const GifImageDesc &frame = gif->Image;
  const ColorMapObject *colors = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  if (!colors || frame.Width <= 0 || frame.Height <= 0)
    Refuse(D_GIF_ERR_NO_COLOR_MAP);
  // The screen holds the frame; a screen smaller than its frame (written by careless tools) grows to it.
  const uint64_t width = std::max<uint64_t>(static_cast<uint64_t>(gif->SWidth), uint64_t(frame.Left) + uint64_t(frame.Width));
  const uint64_t height = std::max<uint64_t>(static_cast<uint64_t>(gif->SHeight), uint64_t(frame.Top) + uint64_t(frame.Height));
  TRgbaPicture picture;
  AllocatePicture(picture, width, height);
  std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
  const auto place = [&](int frameRow) {
    uint8_t *out = &picture.Pixels[((std::size_t(frame.Top) + frameRow) * width + std::size_t(frame.Left)) * 4];
    for (const GifPixelType index : line) {
      if (index != transparentIndex && index < colors->ColorCount) {
        const GifColorType &color = colors->Colors[index];
        out[0] = color.Red;
        out[1] = color.Green;
        out[2] = color.Blue;
        out[3] = 255;
      }
      out += 4;
    }
  };
  if (frame.Interlace) {
    constexpr int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int row = starts[pass]; row < frame.Height; row += steps[pass]) {
        gif.Check(DGifGetLine(gif.Get(), line.data(), frame.Width));
        place(row);
      }
  } else {
    for (int row = 0; row < frame.Height; ++row) {
      gif.Check(DGifGetLine(gif.Get(), line.data(), frame.Width));
      place(row);
    }
  }
  return picture;
}
} // namespace

TRgbaPicture DecodeGif(const std::vector<uint8_t> &bytes) {
  TMemorySource source{bytes};
  const TGifFile gif(source);
  int transparentIndex = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    gif.Check(DGifGetRecordType(gif.Get(), &type));
    if (type == EXTENSION_RECORD_TYPE)
      ReadExtension(gif, transparentIndex);
    else if (type == IMAGE_DESC_RECORD_TYPE)
      return ReadFirstFrame(gif, transparentIndex);
    else if (type == TERMINATE_RECORD_TYPE)
      throw EConversionError(Translated(ConvertMessages::GifWithoutFrame));
  }
}
