// Fuzz target of the decoders of the runtime's picture formats as the check reads them: the same bytes as an icon and
// as a JPEG. A damaged file must raise the decoder's error; a decoded one must hold a pixel for each place.
#include "dib/RuntimePicture.h"
#include "platform/Exceptions.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  for (const char *extension : {".ICO", ".JPG"}) {
    try {
      const TPixelImage image = DecodeRuntimePicture(data, size, extension);
      const auto places = static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height);
      if (!image.Pixels.empty() && image.Pixels.size() != places)
        std::abort(); // pixels that do not match the picture's size
    } catch (const Exception &) {
    }
  }
  return 0;
}
