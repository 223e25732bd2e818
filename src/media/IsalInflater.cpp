// The raw inflater of Intel's ISA-L (igzip), built only where the library was found.
#ifdef TOVRIK_HAVE_ISAL
#include "media/RawInflater.h"

#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <climits>
#include <string>

namespace {
const char *DamageText(int result) {
  switch (result) {
  case ISAL_INVALID_BLOCK: return "invalid block";
  case ISAL_INVALID_SYMBOL: return "invalid symbol";
  case ISAL_INVALID_LOOKBACK: return "invalid distance too far back";
  default: return "invalid deflate data";
  }
}

class TIsalInflater : public TRawInflater {
public:
  TIsalInflater() { isal_inflate_init(&state); }

  void Reset() override {
    isal_inflate_reset(&state); // keeps the caller's fields: the old input must not be read again
    state.next_in = nullptr;
    state.avail_in = 0;
  }
  void SetInput(const uint8_t *data, std::size_t size) override {
    state.next_in = const_cast<uint8_t *>(data);
    state.avail_in = static_cast<uint32_t>(size);
  }
  // igzip reads ahead into a bit buffer: whole bytes still held there were not used either.
  std::size_t InputLeft() const override {
    return state.avail_in + (Ended() ? static_cast<std::size_t>(state.read_in_length / 8) : 0);
  }
  std::size_t Inflate(uint8_t *output, std::size_t size) override {
    if (Ended())
      return 0;
    state.next_out = output;
    state.avail_out = static_cast<uint32_t>(std::min<std::size_t>(size, UINT_MAX));
    const uint32_t offered = state.avail_out;
    const int result = isal_inflate(&state);
    if (result < 0)
      throw EInflateDamage(DamageText(result));
    return offered - state.avail_out;
  }
  bool Ended() const override { return state.block_state == ISAL_BLOCK_FINISH; }

private:
  inflate_state state{};
};
} // namespace

std::unique_ptr<TRawInflater> NewIsalInflater() { return std::make_unique<TIsalInflater>(); }
#endif
