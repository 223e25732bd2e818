// Sounds converted on the way in: OGG (Vorbis, Opus), FLAC and MP3 made with libsndfile into 16-bit PCM WAV, at
// their own rate or resampled; the WAV is read back by libsndfile as a peer.
#include "convert/Conversion.h"

#include "platform/Streams.h"
#include "support/MediaSamples.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
struct TWave {
  SF_INFO Info{};
  std::vector<int16_t> Samples;
  // Sign changes of the first channel: twice the frequency per second of sound.
  int ZeroCrossings() const {
    int crossings = 0;
    for (std::size_t i = Info.channels; i < Samples.size(); i += Info.channels)
      crossings += (Samples[i - Info.channels] < 0) != (Samples[i] < 0);
    return crossings;
  }
};

class SoundConversion : public ::testing::Test {
protected:
  TTempAppFolder app;
  TConversionResult facts;
  TWave Convert(const std::string &file, int32_t targetRate) {
    TFileStream out(app.File("out.wav"), TFileMode::fmCreate);
    facts = ConvertFile(TMediaGroup::Sounds, file, out, targetRate);
    EXPECT_EQ(facts.Size, out.Size());
    TWave wave;
    SNDFILE *read = sf_open(app.File("out.wav").c_str(), SFM_READ, &wave.Info);
    EXPECT_EQ(wave.Info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << sf_strerror(nullptr);
    wave.Samples.resize(std::size_t(wave.Info.frames * wave.Info.channels));
    sf_readf_short(read, wave.Samples.data(), wave.Info.frames);
    sf_close(read);
    EXPECT_EQ(wave.Info.samplerate, facts.SampleRate);
    return wave;
  }
};
} // namespace

TEST_F(SoundConversion, FlacGoesOverBitForBitOrResampledWithItsPitchAndLength) {
  const std::vector<int16_t> written = WriteSound(app.File("music.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, 44100);
  EXPECT_EQ(Convert(app.File("music.flac"), 0).Samples, written);
  EXPECT_EQ(facts.SampleRate, 44100);
  EXPECT_EQ(Convert(app.File("music.flac"), 44100).Samples, written) << "the asked rate is its own";
  const TWave resampled = Convert(app.File("music.flac"), 11025);
  EXPECT_EQ(facts.SourceRate, 44100);
  EXPECT_EQ(resampled.Info.samplerate, 11025);
  EXPECT_EQ(resampled.Info.channels, 2);
  EXPECT_NEAR(resampled.Info.frames, 11025, 4);
  EXPECT_NEAR(resampled.ZeroCrossings(), 880, 4) << "a second of 440 Hz";
}

TEST_F(SoundConversion, LossyOggVorbisOpusAndMp3DecodeToTheSameTone) {
  const std::vector<std::tuple<const char *, int, int>> samples{{"theme.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050},
                                                                {"voice.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000},
                                                                {"step.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100}};
  for (const auto &[name, format, rate] : samples) {
    WriteSound(app.File(name), format, rate, 1, rate);
    const TWave wave = Convert(app.File(name), 0);
    EXPECT_EQ(wave.Info.samplerate, rate) << name;
    EXPECT_EQ(wave.Info.channels, 1) << name;
    EXPECT_NEAR(wave.Info.frames, rate, rate * 0.1) << name;
    EXPECT_NEAR(wave.ZeroCrossings(), 880, 20) << name;
  }
}

TEST_F(SoundConversion, AFileThatIsNoSoundIsRefusedNamingIt) {
  TMemoryStream out;
  try {
    ConvertFile(TMediaGroup::Sounds, app.WriteFile("broken.ogg", "OggS but nothing after"), out, 0);
    FAIL() << "converted";
  } catch (const EConversionError &error) {
    EXPECT_NE(std::string(error.what()).find("broken.ogg nelze převést: zvuk nelze dekódovat"), std::string::npos)
        << error.what();
  }
}
