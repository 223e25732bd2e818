// Sounds decoded with libsndfile and written as 16-bit PCM WAV block by block, so a long piece of music never sits
// in memory whole; resampled with libsamplerate's sinc converter when another rate is asked for.
#include "convert/SoundConversion.h"

#include "convert/ConvertMessages.h"
#include "platform/LittleEndian.h"
#include "platform/Streams.h"
#include "platform/TextLanguage.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {
constexpr uint32_t wavHeaderBytes = 44;
constexpr uint64_t maxWavBytes = 0xFFFFFFFFull;
constexpr sf_count_t blockFrames = 8192;

struct TSndFileCloser {
  void operator()(SNDFILE *file) const { sf_close(file); }
};
struct TResamplerDeleter {
  void operator()(SRC_STATE *state) const { src_delete(state); }
};

[[noreturn]] void Refuse(const std::string &why) {
  throw EConversionError(Substitute(Translated(ConvertMessages::NotSound), {why}));
}

void WriteWavHeader(TStream &target, int channels, int rate, uint32_t dataBytes) {
  TByteWriter header;
  header.Raw("RIFF", 4);
  header.U32(wavHeaderBytes - 8 + dataBytes);
  header.Raw("WAVEfmt ", 8);
  header.U32(16);
  header.U16(1); // PCM
  header.U16(static_cast<uint16_t>(channels));
  header.U32(static_cast<uint32_t>(rate));
  header.U32(static_cast<uint32_t>(rate * channels * 2));
  header.U16(static_cast<uint16_t>(channels * 2));
  header.U16(16);
  header.Raw("data", 4);
  header.U32(dataBytes);
  header.WriteTo(target);
}

// Samples written after the header, counted against what one WAV file can hold.
class TWavData {
public:
  TWavData(TStream &target, int channels) : target(target), channels(channels) {}
  void Write(const int16_t *samples, std::size_t frames) {
    const uint64_t bytes = uint64_t{frames} * channels * 2;
    if (written + bytes > maxWavBytes - wavHeaderBytes)
      throw EConversionError(Translated(ConvertMessages::SoundTooLong));
    target.WriteBuffer(samples, static_cast<int64_t>(bytes)); // this machine is little-endian, as WAV is
    written += bytes;
  }
  void Write(const float *samples, std::size_t frames) {
    converted.resize(frames * channels);
    for (std::size_t i = 0; i < converted.size(); ++i)
      converted[i] = static_cast<int16_t>(std::lrint(std::clamp(samples[i], -1.0f, 1.0f) * 32767.0f));
    Write(converted.data(), frames);
  }
  uint64_t Written() const { return written; }

private:
  TStream &target;
  int channels;
  uint64_t written = 0;
  std::vector<int16_t> converted;
};

// Integer samples go over as they are (a 16-bit FLAC stays bit for bit); decoded and float ones through clipping.
bool IntegerSamples(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
  case SF_FORMAT_PCM_S8: case SF_FORMAT_PCM_U8: case SF_FORMAT_PCM_16: case SF_FORMAT_PCM_24: case SF_FORMAT_PCM_32:
    return true;
  default:
    return false;
  }
}

void Resample(SNDFILE *file, const SF_INFO &info, int32_t targetRate, TWavData &data) {
  int error = 0;
  const std::unique_ptr<SRC_STATE, TResamplerDeleter> state(src_new(SRC_SINC_MEDIUM_QUALITY, info.channels, &error));
  if (!state)
    throw EConversionError(Substitute(Translated(ConvertMessages::ResampleFailed), {src_strerror(error)}));
  const double ratio = static_cast<double>(targetRate) / info.samplerate;
  const auto channels = static_cast<std::size_t>(info.channels);
  std::vector<float> in(blockFrames * channels);
  const auto outFrames = static_cast<long>(std::ceil(blockFrames * ratio)) + 64;
  std::vector<float> out(static_cast<std::size_t>(outFrames) * channels);
  bool end = false;
  while (!end) {
    const sf_count_t read = sf_readf_float(file, in.data(), blockFrames);
    end = read < blockFrames;
    SRC_DATA step{};
    long used = 0;
    do {
      step.data_in = in.data() + static_cast<std::size_t>(used) * channels;
      step.input_frames = static_cast<long>(read) - used;
      step.data_out = out.data();
      step.output_frames = outFrames;
      step.end_of_input = end;
      step.src_ratio = ratio;
      if (const int failed = src_process(state.get(), &step))
        throw EConversionError(Substitute(Translated(ConvertMessages::ResampleFailed), {src_strerror(failed)}));
      data.Write(out.data(), static_cast<std::size_t>(step.output_frames_gen));
      used += step.input_frames_used;
    } while (used < read || (end && step.output_frames_gen > 0));
  }
}

void Copy(SNDFILE *file, const SF_INFO &info, TWavData &data) {
  const auto channels = static_cast<std::size_t>(info.channels);
  if (IntegerSamples(info.format)) {
    std::vector<int16_t> block(blockFrames * channels);
    while (const sf_count_t read = sf_readf_short(file, block.data(), blockFrames))
      data.Write(block.data(), static_cast<std::size_t>(read));
  } else {
    std::vector<float> block(blockFrames * channels);
    while (const sf_count_t read = sf_readf_float(file, block.data(), blockFrames))
      data.Write(block.data(), static_cast<std::size_t>(read));
  }
}
} // namespace

TConversionResult ConvertSound(const std::string &path, TStream &target, int32_t targetRate) {
  SF_INFO info{};
  const std::unique_ptr<SNDFILE, TSndFileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file)
    Refuse(sf_strerror(nullptr));
  if (info.channels <= 0 || info.channels > 255 || info.samplerate <= 0)
    Refuse("channels " + std::to_string(info.channels) + ", rate " + std::to_string(info.samplerate));
  const bool resample = targetRate > 0 && targetRate != info.samplerate;
  const int32_t rate = resample ? targetRate : info.samplerate;
  const int64_t start = target.Position();
  WriteWavHeader(target, info.channels, rate, 0);
  TWavData data(target, info.channels);
  if (resample)
    Resample(file.get(), info, targetRate, data);
  else
    Copy(file.get(), info, data);
  if (sf_error(file.get()) != SF_ERR_NO_ERROR)
    Refuse(sf_strerror(file.get()));
  const int64_t end = target.Position();
  target.SetPosition(start);
  WriteWavHeader(target, info.channels, rate, static_cast<uint32_t>(data.Written()));
  target.SetPosition(end);
  TConversionResult result;
  result.Ext = ConvertedTargetExtension(TMediaGroup::Sounds);
  result.Size = end - start;
  result.SampleRate = rate;
  result.SourceRate = info.samplerate;
  return result;
}
