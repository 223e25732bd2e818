// libjpeg decoding to 0xFFRRGGBB pixels with an error manager that reports failures as exceptions instead of exiting.
#include "dib/JpegDecoder.h"

#include "dib/DIBMessages.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
// libjpeg calls back from C code, so errors leave it by longjmp to the trap below and become exceptions there.
struct TJpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf trap;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto *errors = reinterpret_cast<TJpegErrors *>(info->err);
  info->err->format_message(info, errors->message);
  std::longjmp(errors->trap, 1);
}

// Warnings are ignored, except data that ends early: a truncated file is refused rather than shown half grey.
void EmitMessage(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
    ErrorExit(info);
}

struct TDecodeTarget {
  uint32_t *dest;
  std::ptrdiff_t stride;
  std::vector<JSAMPLE> *row;
  bool cmyk;
};

uint32_t Rgb(unsigned red, unsigned green, unsigned blue) { return 0xFF000000u | red << 16 | green << 8 | blue; }

// Reads every scan line into target; runs inside the trap, so it keeps no object that needs destroying.
void ReadScanLines(jpeg_decompress_struct &info, TDecodeTarget &target) {
  info.out_color_space = target.cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  JSAMPROW rows[1] = {target.row->data()};
  while (info.output_scanline < info.output_height) {
    uint32_t *out = target.dest + static_cast<std::ptrdiff_t>(info.output_scanline) * target.stride;
    jpeg_read_scanlines(&info, rows, 1);
    const JSAMPLE *in = rows[0];
    for (JDIMENSION x = 0; x < info.output_width; ++x) {
      if (target.cmyk) { // Adobe's inverted CMYK, as Photoshop writes it
        const unsigned k = in[4 * x + 3];
        out[x] = Rgb(in[4 * x] * k / 255, in[4 * x + 1] * k / 255, in[4 * x + 2] * k / 255);
      } else {
        out[x] = Rgb(in[3 * x], in[3 * x + 1], in[3 * x + 2]);
      }
    }
  }
  jpeg_finish_decompress(&info);
}
} // namespace

// The decompressor lives as long as this state, which the decoder holds before it reads anything: a header that
// fails in the decoder's constructor still frees libjpeg's memory.
struct TJpegDecoder::TState {
  TState() {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = ErrorExit;
    errors.manager.emit_message = EmitMessage;
    jpeg_create_decompress(&info);
  }
  ~TState() { jpeg_destroy_decompress(&info); }
  TState(const TState &) = delete;
  TState &operator=(const TState &) = delete;
  [[noreturn]] void Fail() { throw Exception(Substitute(Translated(DIBMessages::JpegError), {errors.message})); }

  jpeg_decompress_struct info{};
  TJpegErrors errors{};
  bool decoded = false;
};

TJpegDecoder::TJpegDecoder(const uint8_t *data, std::size_t size) : state(std::make_unique<TState>()) {
  jpeg_decompress_struct &info = state->info;
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (setjmp(state->errors.trap))
    state->Fail();
  jpeg_read_header(&info, TRUE);
  header.Width = static_cast<int>(info.image_width);
  header.Height = static_cast<int>(info.image_height);
  header.BitDepth = info.num_components * info.data_precision;
}

TJpegDecoder::~TJpegDecoder() = default;

void TJpegDecoder::ReadPixels32(uint32_t *dest, std::ptrdiff_t destStride) {
  jpeg_decompress_struct &info = state->info;
  if (state->decoded)
    throw std::logic_error("a JPEG decoder decodes once");
  state->decoded = true;
  if (int64_t{info.image_width} * info.image_height > MaxJpegPixels)
    throw Exception(Substitute(Translated(DIBMessages::JpegTooLarge),
                               {std::to_string(info.image_width), std::to_string(info.image_height)}));
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  std::vector<JSAMPLE> row(static_cast<std::size_t>(info.image_width) * (cmyk ? 4 : 3));
  TDecodeTarget target{dest, destStride, &row, cmyk};
  if (setjmp(state->errors.trap))
    state->Fail();
  ReadScanLines(info, target);
}
