// Entry streams and damaged archives: sizes without inflating, seeks, and a clear error, never a
// crash or silent garbage, for every kind of damage.
#include "ZipTestHelpers.h"

#include "media/ZipInflate.h"

#include <gtest/gtest.h>

namespace {

// A memory stream that counts the bytes read from it.
class TCountingStream : public TMemoryStream {
public:
  int64_t Read(void *buffer, int64_t count) override {
    const int64_t n = TMemoryStream::Read(buffer, count);
    BytesRead += n;
    return n;
  }
  int64_t BytesRead = 0;
};

std::string ErrorOf(const TBytes &archive, const std::string &entry = "Media.m") {
  try {
    ExtractFrom(archive, entry);
  } catch (const EZipError &e) {
    return e.what();
  }
  return {};
}

constexpr std::size_t NameLength = 7; // "Media.m"
constexpr std::size_t DataStart = 30 + NameLength;

std::size_t CentralStart(const TBytes &archive) {
  return archive[archive.size() - 6] | archive[archive.size() - 5] << 8;
}

} // namespace

TEST(ZipEntryStream, StoredStreamIsAWindowOntoTheEntry) {
  const TBytes archive = ArchiveOf("Media.m", BytesOf("0123456789"), 0);
  TMemoryStream source = StreamOf(archive);
  TZip zip;
  zip.Open(&source);
  auto entry = zip.GetEntryStream("media.M");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->Size(), 10);
  EXPECT_EQ(entry->Seek(-3, TSeekOrigin::soEnd), 7);
  char buffer[16] = {};
  EXPECT_EQ(entry->Read(buffer, 16), 3);
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_EQ(entry->Read(buffer, 16), 0);
  EXPECT_EQ(entry->Seek(50, TSeekOrigin::soBeginning), 10);
  EXPECT_EQ(entry->Seek(-50, TSeekOrigin::soCurrent), 0);
  EXPECT_EQ(entry->Read(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  EXPECT_NO_THROW(entry->Verify());
  try {
    entry->Write("x", 1);
    FAIL() << "wrote to an entry stream";
  } catch (const EStreamError &e) {
    EXPECT_STREQ(e.what(), "Invalid operation");
  }
  zip.FreeEntryStream(entry);
  EXPECT_FALSE(entry);
  EXPECT_EQ(zip.GetEntryStream("Other"), nullptr);
}

TEST(ZipEntryStream, DeflatedStreamKnowsItsSizeWithoutInflatingAndSeeks) {
  const TBytes data = MixedData(300000);
  TCountingStream source;
  const TBytes archive = ArchiveOf("Media.m", data, 3);
  source.WriteBuffer(archive.data(), int64_t(archive.size()));
  TZip zip;
  zip.Open(&source);
  auto entry = zip.GetEntryStream("Media.m");
  ASSERT_TRUE(entry);
  const int64_t beforeSizing = source.BytesRead;
  EXPECT_EQ(entry->Size(), int64_t(data.size()));
  EXPECT_EQ(entry->Position(), 0);
  EXPECT_EQ(source.BytesRead, beforeSizing);

  uint8_t byte = 0;
  EXPECT_EQ(entry->Seek(200000, TSeekOrigin::soBeginning), 200000);
  ASSERT_EQ(entry->Read(&byte, 1), 1);
  EXPECT_EQ(byte, data[200000]);
  EXPECT_EQ(entry->Seek(-100001, TSeekOrigin::soCurrent), 100000);
  ASSERT_EQ(entry->Read(&byte, 1), 1);
  EXPECT_EQ(byte, data[100000]);
  EXPECT_EQ(entry->Seek(-1, TSeekOrigin::soEnd), int64_t(data.size()) - 1);
  const int64_t beforePosition = source.BytesRead;
  EXPECT_EQ(entry->Position(), int64_t(data.size()) - 1);
  EXPECT_EQ(source.BytesRead, beforePosition);
  EXPECT_THROW(entry->Seek(-1, TSeekOrigin::soBeginning), EStreamError);
  EXPECT_EQ(entry->Seek(0, TSeekOrigin::soBeginning), 0);
  TBytes all(data.size() + 10);
  EXPECT_EQ(entry->Read(all.data(), int64_t(all.size())), int64_t(data.size()));
  all.resize(data.size());
  EXPECT_EQ(all, data);
}

TEST(ZipEntryStream, LocalHeaderMustAgreeWithTheDirectory) {
  const TBytes data = MixedData(5000);
  const TBytes archive = ArchiveOf("Media.m", data, 2);
  const std::size_t central = CentralStart(archive);
  const auto changed = [&](std::size_t offset, uint8_t bits) {
    TBytes copy = archive;
    copy[offset] ^= bits;
    return ErrorOf(copy);
  };
  const std::string start = "Soubor je poškozený: hlavička položky „Media.m“ nesouhlasí s obsahem archivu (";
  EXPECT_EQ(changed(30, 0x20), start + "název)."); // "media.m" in the local header
  EXPECT_EQ(changed(6, 0x02), start + "příznaky).");
  EXPECT_EQ(changed(14, 0x01), start + "CRC-32).");
  EXPECT_EQ(changed(18, 0x01), start + "komprimovaná velikost).");
  EXPECT_EQ(changed(22, 0x01), start + "velikost).");
  // With a data descriptor the local CRC and sizes are zeros: only name, method and flags must agree.
  TBytes descriptor = archive;
  descriptor[6] |= 0x08;
  descriptor[central + 8] |= 0x08;
  for (std::size_t offset = 14; offset < 26; ++offset)
    descriptor[offset] = 0;
  EXPECT_EQ(ErrorOf(descriptor), "");
}

TEST(ZipEntryStream, EmptyEntriesAtEveryLevel) {
  for (int level = 0; level <= 3; ++level) {
    const TBytes archive = ArchiveOf("Media.m", {}, level);
    TMemoryStream source = StreamOf(archive);
    TZip zip;
    zip.Open(&source);
    auto entry = zip.GetEntryStream("Media.m");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Size(), 0);
    uint8_t byte;
    EXPECT_EQ(entry->Read(&byte, 1), 0);
    EXPECT_NO_THROW(entry->Verify());
  }
}

TEST(ZipEntryStream, DamagedDataIsAnErrorNotAShortRead) {
  const TBytes data = MixedData(50000);
  const TBytes deflated = ArchiveOf("Media.m", data, 2);
  const std::size_t central = CentralStart(deflated);
  ASSERT_EQ(ErrorOf(deflated), "");

  TBytes flipped = deflated;
  flipped[DataStart + 1000] ^= 0x55;
  EXPECT_NE(ErrorOf(flipped).find("Soubor je poškozený: "), std::string::npos);

  // Both headers say the same wrong thing, so the data themselves give the lie.
  TBytes wrongCrc = deflated;
  wrongCrc[central + 16] ^= 1;
  wrongCrc[14] ^= 1;
  EXPECT_EQ(ErrorOf(wrongCrc), "Soubor je poškozený: kontrolní součet CRC-32 položky „Media.m“ nesouhlasí.");

  TBytes longer = deflated; // the headers promise more than the data hold
  PutU32(longer, central + 24, uint32_t(data.size() + 1));
  PutU32(longer, 22, uint32_t(data.size() + 1));
  EXPECT_EQ(ErrorOf(longer), "Soubor je poškozený: položka „Media.m“ má jen 50000 z 50001 bajtů.");

  TBytes shorter = deflated;
  PutU32(shorter, central + 24, uint32_t(data.size() - 1));
  PutU32(shorter, 22, uint32_t(data.size() - 1));
  EXPECT_EQ(ErrorOf(shorter), "Soubor je poškozený: položka „Media.m“ je delší než 49999 bajtů uvedených v hlavičce.");

  TBytes cut = deflated; // compressed size lowered: the deflate data end too early
  PutU32(cut, central + 20, 100);
  PutU32(cut, 18, 100);
  EXPECT_NE(ErrorOf(cut).find("nelze rozbalit"), std::string::npos);

  const TBytes stored = ArchiveOf("Media.m", data, 0);
  TBytes storedFlipped = stored;
  storedFlipped[DataStart + 7] ^= 0x01;
  EXPECT_NE(ErrorOf(storedFlipped).find("CRC-32"), std::string::npos);
}

TEST(ZipEntryStream, UnsupportedEntriesAndArchivesAreNamed) {
  const TBytes archive = ArchiveOf("Media.m", BytesOf("abc"), 0);
  const std::size_t central = CentralStart(archive);

  TBytes bzip2 = archive;
  PutU16(bzip2, 8, 12);
  PutU16(bzip2, central + 10, 12);
  EXPECT_EQ(ErrorOf(bzip2), "Položka „Media.m“ je komprimována nepodporovanou metodou (12).");

  TBytes encrypted = archive;
  PutU16(encrypted, central + 8, 1);
  EXPECT_EQ(ErrorOf(encrypted), "Položka „Media.m“ je zašifrovaná. Šifrované archivy nejsou podporovány.");

  TBytes zip64 = archive;
  PutU32(zip64, central + 20, 0xFFFFFFFF);
  EXPECT_EQ(ErrorOf(zip64), "Archiv ve formátu ZIP64 není podporován.");

  EXPECT_EQ(ErrorOf(BytesOf("Just some text, long enough to be searched for a record.")), "Soubor není archiv ZIP.");
  EXPECT_NE(ErrorOf(TBytes(archive.begin(), archive.end() - 1)).find("Soubor je zkrácený"), std::string::npos);
  EXPECT_EQ(ErrorOf(archive, "Jiná"), "Archiv neobsahuje položku „Jiná“.");

  TMemoryStream empty;
  TZip zip;
  EXPECT_THROW(zip.Open(&empty), EZipError);
  zip.Open(nullptr);
  EXPECT_EQ(zip.Count(), 0);
}

TEST(ZipEntryStream, HostileDirectoryValuesAreCheckedBeforeUse) {
  const TBytes archive = ArchiveOf("Media.m", BytesOf("abc"), 0);
  const std::size_t central = CentralStart(archive);
  const std::size_t end = archive.size() - 22;

  TBytes manyEntries = archive;
  PutU16(manyEntries, end + 8, 0xFFFE);
  PutU16(manyEntries, end + 10, 0xFFFE);
  EXPECT_NE(ErrorOf(manyEntries).find("neúplný"), std::string::npos);

  TBytes farDirectory = archive;
  PutU32(farDirectory, end + 16, 0x7FFFFFF0);
  EXPECT_NE(ErrorOf(farDirectory).find("Soubor je poškozený"), std::string::npos);

  TBytes hugeName = archive;
  PutU16(hugeName, central + 28, 300);
  EXPECT_EQ(ErrorOf(hugeName), "Název položky archivu je příliš dlouhý (300 bajtů, nejvýše 261).");

  TBytes longExtra = archive;
  PutU16(longExtra, central + 30, 0xFFFF);
  EXPECT_NE(ErrorOf(longExtra).find("Soubor je poškozený"), std::string::npos);

  TBytes farLocal = archive;
  PutU32(farLocal, central + 42, 0xFFFFFF00);
  EXPECT_NE(ErrorOf(farLocal).find("hlavička položky"), std::string::npos);

  TBytes hugeSize = archive;
  PutU32(hugeSize, central + 20, 0x7FFFFFFF);
  PutU32(hugeSize, central + 24, 0x7FFFFFFF);
  PutU32(hugeSize, 18, 0x7FFFFFFF);
  PutU32(hugeSize, 22, 0x7FFFFFFF);
  EXPECT_NE(ErrorOf(hugeSize).find("přesahují konec archivu"), std::string::npos);

  TBytes hugeLocalExtra = archive;
  PutU16(hugeLocalExtra, 28, 0xFFFF);
  EXPECT_NE(ErrorOf(hugeLocalExtra).find("přesahují konec archivu"), std::string::npos);
}

TEST(ZipEntryStream, EveryDamagedByteGivesAnArchiveErrorOrTheRightData) {
  // Each byte of a small archive at every level, replaced by a few values: the result is the
  // original data or the archive's own error, whatever the byte was.
  const TBytes data = MixedData(600);
  for (int level : {0, 2}) {
    const TBytes archive = ArchiveOf("Media.m", data, level);
    for (std::size_t at = 0; at < archive.size(); ++at) {
      for (uint8_t value : {uint8_t(0x00), uint8_t(0xFF), uint8_t(archive[at] ^ 0x01), uint8_t(archive[at] + 0x80)}) {
        TBytes damaged = archive;
        damaged[at] = value;
        try {
          const TBytes read = ExtractFrom(damaged, "Media.m");
          EXPECT_EQ(read, data) << "level " << level << ", byte " << at << " = " << int(value);
        } catch (const EZipError &) {
        }
      }
    }
  }
}
