// Sounds converted on the way in: OGG (Vorbis, Opus), FLAC and MP3 made with libsndfile into 16-bit PCM WAV, at
// their own rate or resampled.
#include "convert/Conversion.h"

#include "platform/LittleEndian.h"
#include "platform/Streams.h"
#include "support/MediaSamples.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdlib>

namespace {
struct TWave {
  int Channels = 0, Rate = 0;
  std::vector<int16_t> Samples;
};

TWave ReadWave(TMemoryStream &stream) {
  const std::vector<uint8_t> bytes(stream.Memory(), stream.Memory() + stream.Size());
  TByteReader reader(bytes);
  EXPECT_EQ(reader.Text(4), "RIFF");
  EXPECT_EQ(reader.U32(), bytes.size() - 8);
  EXPECT_EQ(reader.Text(8), "WAVEfmt ");
  EXPECT_EQ(reader.U32(), 16u);
  EXPECT_EQ(reader.U16(), 1) << "PCM";
  TWave wave;
  wave.Channels = reader.U16();
  wave.Rate = static_cast<int>(reader.U32());
  EXPECT_EQ(reader.U32(), uint32_t(wave.Rate * wave.Channels * 2));
  EXPECT_EQ(reader.U16(), wave.Channels * 2);
  EXPECT_EQ(reader.U16(), 16);
  EXPECT_EQ(reader.Text(4), "data");
  const uint32_t dataBytes = reader.U32();
  EXPECT_EQ(dataBytes, reader.Left());
  wave.Samples.resize(dataBytes / 2);
  for (int16_t &sample : wave.Samples)
    sample = static_cast<int16_t>(reader.U16());
  return wave;
}

// Sign changes of the first channel: twice the frequency per second of sound.
int ZeroCrossings(const TWave &wave) {
  int crossings = 0;
  for (std::size_t i = wave.Channels; i < wave.Samples.size(); i += wave.Channels)
    crossings += (wave.Samples[i - wave.Channels] < 0) != (wave.Samples[i] < 0);
  return crossings;
}

class SoundConversion : public ::testing::Test {
protected:
  TTempAppFolder app;
  TMemoryStream out;
  TWave Convert(const std::string &file, int32_t targetRate, TConversionResult &facts) {
    out.SetSize(0);
    facts = ConvertFile(TMediaGroup::Sounds, file, out, targetRate);
    EXPECT_EQ(facts.Ext, ".WAV");
    EXPECT_EQ(facts.Size, out.Size());
    return ReadWave(out);
  }
};
} // namespace

TEST_F(SoundConversion, FlacGoesOverBitForBitAtItsOwnRateAndChannels) {
  const std::vector<int16_t> written = WriteSound(app.File("music.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, 20000);
  TConversionResult facts;
  const TWave wave = Convert(app.File("music.flac"), 0, facts);
  EXPECT_EQ(facts.SampleRate, 44100);
  EXPECT_EQ(wave.Channels, 2);
  EXPECT_EQ(wave.Samples, written);
}

TEST_F(SoundConversion, LossyOggVorbisOpusAndMp3DecodeToTheSameTone) {
  struct TCase {
    const char *Name;
    int Format, Rate;
  };
  for (const TCase &sample : {TCase{"theme.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050},
                              TCase{"voice.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000},
                              TCase{"step.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100}}) {
    WriteSound(app.File(sample.Name), sample.Format, sample.Rate, 1, sample.Rate);
    TConversionResult facts;
    const TWave wave = Convert(app.File(sample.Name), 0, facts);
    EXPECT_EQ(facts.SampleRate, sample.Rate) << sample.Name;
    EXPECT_EQ(wave.Channels, 1) << sample.Name;
    EXPECT_NEAR(static_cast<double>(wave.Samples.size()), sample.Rate, sample.Rate * 0.1) << sample.Name;
    EXPECT_NEAR(ZeroCrossings(wave), 880, 20) << sample.Name << ": a second of 440 Hz";
  }
}

TEST_F(SoundConversion, ResamplingKeepsThePitchAndTheLength) {
  WriteSound(app.File("music.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, 44100);
  TConversionResult facts;
  const TWave wave = Convert(app.File("music.flac"), 11025, facts);
  EXPECT_EQ(facts.SampleRate, 11025);
  EXPECT_EQ(facts.SourceRate, 44100);
  EXPECT_EQ(wave.Rate, 11025);
  EXPECT_NEAR(static_cast<double>(wave.Samples.size()) / 2, 11025, 4);
  EXPECT_NEAR(ZeroCrossings(wave), 880, 4);
  // The asked rate is the file's own: nothing to resample.
  Convert(app.File("music.flac"), 44100, facts);
  EXPECT_EQ(facts.SampleRate, 44100);
}

TEST_F(SoundConversion, AFileThatIsNoSoundIsRefusedNamingIt) {
  try {
    ConvertFile(TMediaGroup::Sounds, app.WriteFile("broken.ogg", "OggS but nothing after"), out, 0);
    FAIL() << "converted";
  } catch (const EConversionError &error) {
    EXPECT_NE(std::string(error.what()).find("broken.ogg"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("zvuk nelze dekódovat"), std::string::npos) << error.what();
  }
}
