// libjpeg decoding to 24-bit RGB with an error manager that reports failures as exceptions instead of exiting.
#include "pictures/JpegPicture.h"

#include "pictures/PictureMessages.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
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
  QImage *image;
  std::vector<JSAMPLE> *row;
  bool cmyk;
};

// Reads every scan line into target; runs inside the trap, so it keeps no object that needs destroying.
void ReadScanLines(jpeg_decompress_struct &info, TDecodeTarget &target) {
  info.out_color_space = target.cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  JSAMPROW rows[1] = {target.row->data()};
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, rows, 1);
    auto *out = reinterpret_cast<QRgb *>(target.image->scanLine(y));
    const JSAMPLE *in = rows[0];
    for (JDIMENSION x = 0; x < info.output_width; ++x) {
      if (target.cmyk) { // Adobe's inverted CMYK, as Photoshop writes it
        const int k = in[4 * x + 3];
        out[x] = qRgb(in[4 * x] * k / 255, in[4 * x + 1] * k / 255, in[4 * x + 2] * k / 255);
      } else {
        out[x] = qRgb(in[3 * x], in[3 * x + 1], in[3 * x + 2]);
      }
    }
  }
  jpeg_finish_decompress(&info);
}

// One libjpeg decompressor over a memory block, destroyed with the object.
class TJpegDecoder {
public:
  explicit TJpegDecoder(const QByteArray &data) {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = ErrorExit;
    errors.manager.emit_message = EmitMessage;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
  }
  ~TJpegDecoder() { jpeg_destroy_decompress(&info); }
  TJpegDecoder(const TJpegDecoder &) = delete;
  TJpegDecoder &operator=(const TJpegDecoder &) = delete;

  void ReadHeader() {
    if (setjmp(errors.trap))
      Fail();
    jpeg_read_header(&info, TRUE);
  }

  QImage Decode() {
    ReadHeader();
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (qint64{info.image_width} * info.image_height > MaxPicturePixels)
      throw Exception(Substitute(Translated(PictureMessages::JpegTooLarge),
                                 {std::to_string(info.image_width), std::to_string(info.image_height)}));
    QImage image(static_cast<int>(info.image_width), static_cast<int>(info.image_height), QImage::Format_ARGB32);
    if (image.isNull())
      throw Exception(Translated(PictureMessages::NoMemoryForJpeg));
    std::vector<JSAMPLE> row(static_cast<std::size_t>(info.image_width) * (cmyk ? 4 : 3));
    TDecodeTarget target{&image, &row, cmyk};
    if (setjmp(errors.trap))
      Fail();
    ReadScanLines(info, target);
    return image;
  }

  jpeg_decompress_struct info{};

private:
  [[noreturn]] void Fail() { throw Exception(Substitute(Translated(PictureMessages::JpegError), {errors.message})); }
  TJpegErrors errors{};
};
} // namespace

TJpegPicture::TJpegPicture(const QByteArray &bytes) : data(bytes) {
  TJpegDecoder decoder(data);
  decoder.ReadHeader();
  width = static_cast<int>(decoder.info.image_width);
  height = static_cast<int>(decoder.info.image_height);
  depth = decoder.info.num_components * decoder.info.data_precision;
}

const QImage &TJpegPicture::Image() {
  if (!failure.empty())
    throw Exception(failure);
  if (decoded.isNull()) {
    try {
      decoded = TJpegDecoder(data).Decode();
    } catch (const Exception &error) {
      failure = error.what();
      throw;
    }
  }
  return decoded;
}
