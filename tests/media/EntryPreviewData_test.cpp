// Reading an entry to show it: bounded by size, from its source file or the backing file; a wave file's facts.
#include "media/EntryPreviewData.h"

#include "media/MediaDocument.h"
#include "platform/LittleEndian.h"
#include "platform/Streams.h"
#include "support/ScriptedPrompt.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
std::string Chunk(const std::string &id, const std::string &body) {
  TByteWriter writer;
  writer.Text(id);
  writer.U32(static_cast<uint32_t>(body.size()));
  writer.Text(body);
  if (body.size() % 2)
    writer.U8(0);
  return std::string(writer.Bytes().begin(), writer.Bytes().end());
}

std::string Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const std::string &extra = {}) {
  TByteWriter writer;
  writer.U16(tag);
  writer.U16(channels);
  writer.U32(rate);
  writer.U32(rate * channels * bits / 8);
  writer.U16(static_cast<uint16_t>(channels * bits / 8));
  writer.U16(bits);
  writer.Text(extra);
  return std::string(writer.Bytes().begin(), writer.Bytes().end());
}

std::string Riff(const std::string &chunks) {
  TByteWriter writer;
  writer.Text("RIFF");
  writer.U32(static_cast<uint32_t>(chunks.size() + 4));
  writer.Text("WAVE");
  writer.Text(chunks);
  return std::string(writer.Bytes().begin(), writer.Bytes().end());
}

TWaveFacts Facts(const std::string &file) {
  return ReadWaveFacts(reinterpret_cast<const uint8_t *>(file.data()), file.size(), static_cast<int64_t>(file.size()));
}

std::string WaveError(const std::string &file) {
  try {
    Facts(file);
  } catch (const EWaveFormatError &error) {
    return error.what();
  }
  return "no error";
}

std::string Read(TMediaStream &document, const TFileListItem &entry, int64_t count) {
  std::string bytes(static_cast<std::size_t>(count), '\0');
  document.ReadEntryData(entry, bytes.data(), count);
  return bytes;
}
} // namespace

TEST(WaveFacts, PcmWithChunksBeforeTheDataAndPadding) {
  const std::string file =
      Riff(Chunk("fmt ", Format(1, 2, 44100, 16)) + Chunk("LIST", "odd") + Chunk("data", std::string(44100 * 4, '\0')));
  const TWaveFacts facts = Facts(file);
  EXPECT_EQ(facts.FormatTag, 1);
  EXPECT_EQ(facts.Channels, 2);
  EXPECT_EQ(facts.SampleRate, 44100u);
  EXPECT_EQ(facts.BitsPerSample, 16);
  EXPECT_EQ(facts.DataBytes, 44100 * 4);
  EXPECT_DOUBLE_EQ(facts.Seconds(), 1.0);
}

TEST(WaveFacts, ExtensibleNamesItsSubFormatAndATruncatedDataChunkCountsWhatIsThere) {
  std::string extension(24, '\0');
  extension[0] = 22;  // the extension's size
  extension[8] = 1;   // the sub-format GUID begins with PCM's tag
  std::string file = Riff(Chunk("fmt ", Format(0xFFFE, 1, 8000, 8, extension)) + Chunk("data", std::string(8000, 'x')));
  file.resize(file.size() - 4000); // the declared data size stays 8000
  const TWaveFacts facts = Facts(file);
  EXPECT_EQ(facts.FormatTag, 1);
  EXPECT_EQ(facts.DataBytes, 4000);
  EXPECT_DOUBLE_EQ(facts.Seconds(), 0.5);
}

TEST(WaveFacts, WhatIsNoWaveOrIsCutShortIsRefusedWithCzechTexts) {
  EXPECT_EQ(WaveError("RIFF"), "Nejde o zvukový soubor WAVE.");
  EXPECT_EQ(WaveError(std::string("RIFF\0\0\0\0AVI ", 12)), "Nejde o zvukový soubor WAVE.");
  EXPECT_EQ(WaveError(Riff(std::string("fmt \x10\0\0\0\x01", 9))), "Hlavička zvukového souboru WAVE je neúplná.");
  EXPECT_EQ(WaveError(Riff(Chunk("fmt ", "short"))), "Hlavička zvukového souboru WAVE je neúplná.");
  EXPECT_EQ(WaveError(Riff(Chunk("data", "xx") + Chunk("fmt ", Format(1, 1, 8000, 8)))),
            "Zvukový soubor WAVE nemá popis formátu před daty.");
  EXPECT_EQ(WaveError(Riff(Chunk("fmt ", Format(1, 1, 8000, 8)))), "Hlavička zvukového souboru WAVE je neúplná.");
}

TEST(EntryPreviewData, AnEntryOverTheLimitIsRefusedBeforeAnythingIsRead) {
  TTempAppFolder app;
  app.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.BMP\n");
  const std::string path = app.File("velky.bmp");
  std::filesystem::resize_file(app.WriteFile("velky.bmp", ""), 200 << 20); // sparse: nothing is written
  TMediaStream document;
  ASSERT_TRUE(document.AddFile(path, mkImages));
  const TFileListItem &entry = *document.List.Items().front();
  try {
    BoundedEntrySize(entry, EntryPreviewLimit);
    FAIL() << "a 200 MB entry was accepted";
  } catch (const EEntryTooLarge &error) {
    EXPECT_STREQ(error.what(), "Položka má 209715200 bajtů, náhled čte nejvýše 67108864 bajtů.");
  }
  EXPECT_EQ(BoundedEntrySize(entry, 200 << 20), 200 << 20);
}

TEST(EntryPreviewData, ReadsFromTheSourceFileAndFromTheBackingFile) {
  TTempAppFolder app;
  TScriptedPrompt prompt;
  app.WriteFile("config.ini", "[SoundFileExts]\nCount=1\nExt0=.WAV\n");
  const std::string first = app.WriteFile("a.wav", "first entry's bytes");
  const std::string second = app.WriteFile("b.wav", "second");
  TMediaStream source;
  source.AddFile(first, mkSounds);
  source.AddFile(second, mkSounds);
  EXPECT_EQ(Read(source, *source.List.Items()[1], 6), "second");
  EXPECT_EQ(Read(source, *source.List.Items()[0], 5), "first");

  TMemoryStream stream;
  source.Assemble(stream, mkSounds);
  TMediaStream opened;
  TMediaKind kind = 0;
  opened.ReadMediaStream(stream, kind);
  EXPECT_EQ(Read(opened, *opened.List.Items()[1], 6), "second");
  EXPECT_EQ(Read(opened, *opened.List.Items()[0], 19), "first entry's bytes");
  EXPECT_THROW(Read(opened, *opened.List.Items()[1], 7), EReadError); // never past the entry's own data

  // A source file that changed since it was added is named, not read as if nothing happened.
  app.WriteFile("b.wav", "longer than before");
  try {
    Read(source, *source.List.Items()[1], 6);
    FAIL() << "a changed source was read";
  } catch (const Exception &error) {
    EXPECT_NE(std::string(error.what()).find("b.wav"), std::string::npos) << error.what();
  }
}
