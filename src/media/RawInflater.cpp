// The zlib inflater and the choice of engine; the ISA-L inflater is in IsalInflater.cpp.
#include "media/RawInflater.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <new>

#ifdef TOVRIK_HAVE_ISAL
std::unique_ptr<TRawInflater> NewIsalInflater();
#endif

namespace {
class TZlibInflater : public TRawInflater {
public:
  TZlibInflater() {
    if (inflateInit2(&stream, -15) != Z_OK)
      throw std::bad_alloc();
  }
  ~TZlibInflater() override { inflateEnd(&stream); }
  TZlibInflater(const TZlibInflater &) = delete;
  TZlibInflater &operator=(const TZlibInflater &) = delete;

  void Reset() override {
    inflateReset(&stream);
    stream.next_in = nullptr;
    stream.avail_in = 0;
    ended = false;
  }
  void SetInput(const uint8_t *data, std::size_t size) override {
    stream.next_in = const_cast<Bytef *>(data);
    stream.avail_in = static_cast<uInt>(size);
  }
  std::size_t InputLeft() const override { return stream.avail_in; }
  std::size_t Inflate(uint8_t *output, std::size_t size) override {
    if (ended)
      return 0;
    stream.next_out = output;
    stream.avail_out = static_cast<uInt>(std::min<std::size_t>(size, UINT_MAX));
    const uInt offered = stream.avail_out;
    const int result = inflate(&stream, Z_NO_FLUSH);
    if (result == Z_STREAM_END)
      ended = true;
    else if (result == Z_MEM_ERROR)
      throw std::bad_alloc();
    else if (result != Z_OK && result != Z_BUF_ERROR)
      throw EInflateDamage(stream.msg ? stream.msg : zError(result));
    return offered - stream.avail_out;
  }
  bool Ended() const override { return ended; }

private:
  z_stream stream{};
  bool ended = false;
};
} // namespace

const std::vector<TInflateEngine> &InflateEngines() {
#ifdef TOVRIK_HAVE_ISAL
  static const std::vector<TInflateEngine> engines{TInflateEngine::Isal, TInflateEngine::Zlib};
#else
  static const std::vector<TInflateEngine> engines{TInflateEngine::Zlib};
#endif
  return engines;
}

std::unique_ptr<TRawInflater> NewRawInflater() { return NewRawInflater(InflateEngines().front()); }

std::unique_ptr<TRawInflater> NewRawInflater(TInflateEngine engine) {
#ifdef TOVRIK_HAVE_ISAL
  if (engine == TInflateEngine::Isal)
    return NewIsalInflater();
#endif
  (void)engine;
  return std::make_unique<TZlibInflater>();
}
