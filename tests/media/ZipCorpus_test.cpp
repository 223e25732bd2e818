// Every archive of the shared ZIP corpus (Go's and libzip's edge cases, the one-defect incons-*
// archives) is read correctly or refused with a clear error; never a crash, a hang or garbage.
#include "ZipTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

const std::filesystem::path CorpusRoot = std::filesystem::path(TOVRIK_TESTDATA) / "zip";
const std::filesystem::path ExpectationsFile =
    std::filesystem::path(TOVRIK_SOURCE_DIR) / "tests/media/zipcorpus/expectations.txt";

// One line of expectations.txt: "<folder/file> read [entries]" or "<folder/file> reject <words>".
struct TExpectation {
  std::string Outcome;
  std::string Detail;
};

std::map<std::string, TExpectation> LoadExpectations() {
  std::map<std::string, TExpectation> expectations;
  std::ifstream in(ExpectationsFile);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#')
      continue;
    std::istringstream fields(line);
    std::string file;
    TExpectation expectation;
    fields >> file >> expectation.Outcome;
    std::getline(fields >> std::ws, expectation.Detail);
    expectations[file] = expectation;
  }
  return expectations;
}

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  if (!std::filesystem::exists(CorpusRoot))
    return files;
  for (const auto &entry : std::filesystem::recursive_directory_iterator(CorpusRoot)) {
    const std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() && (extension == ".zip" || extension == ".notzip"))
      files.push_back(std::filesystem::relative(entry.path(), CorpusRoot).generic_string()); // as expectations.txt names them
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Opens the archive and reads every file entry to its end, collecting the names; returns the
// first error's text, or an empty text when everything read and checked out.
std::string ReadWholeArchive(const std::string &path, std::vector<std::string> &names) {
  TFileStream file(path, TFileMode::fmOpenRead);
  TZip zip;
  try {
    zip.Open(&file);
    for (int i = 0; i < zip.Count(); ++i) {
      const TFileHeader &header = zip.Header(i);
      names.push_back(header.FileName);
      if (header.IsDirectory || header.FileName.empty())
        continue;
      TMemoryStream content;
      EXPECT_EQ(zip.ExtractEntry(header.FileName, content), header.UncompressedSize);
    }
  } catch (const EZipError &e) {
    return e.what();
  }
  return {};
}

class ZipCorpus : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(ZipCorpus, IsReadCorrectlyOrRefusedClearly) {
  static const std::map<std::string, TExpectation> expectations = LoadExpectations();
  const std::string name = GetParam();
  const auto found = expectations.find(name);
  ASSERT_NE(found, expectations.end()) << name << " has no line in " << ExpectationsFile;
  const TExpectation &expected = found->second;
  ASSERT_TRUE(expected.Outcome == "read" || (expected.Outcome == "reject" && !expected.Detail.empty()))
      << name << ": \"" << expected.Outcome << ' ' << expected.Detail << "\" is neither read nor reject <words>";
  std::vector<std::string> names;
  std::string error;
  try {
    error = ReadWholeArchive((CorpusRoot / name).string(), names);
  } catch (const std::exception &e) {
    FAIL() << name << ": an error that is not the archive's own: " << e.what();
  }
  RecordProperty("outcome", error.empty() ? "read" : error);
  if (expected.Outcome == "read") {
    EXPECT_EQ(error, "") << name;
    std::istringstream wanted(expected.Detail);
    for (std::string entry; wanted >> entry;)
      EXPECT_NE(std::find(names.begin(), names.end(), entry), names.end()) << name << " lacks " << entry;
  }
  if (expected.Outcome == "reject") {
    EXPECT_NE(error, "") << name << " was read, but is damaged or unsupported";
    EXPECT_NE(error.find(expected.Detail), std::string::npos) << name << ": " << error;
  }
  if (!error.empty()) {
    EXPECT_TRUE(error.rfind("Soubor", 0) == 0 || error.rfind("Archiv", 0) == 0 || error.rfind("Položka", 0) == 0)
        << name << ": " << error;
  }
}

INSTANTIATE_TEST_SUITE_P(Archives, ZipCorpus, ::testing::ValuesIn(CorpusFiles()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                           std::string name = info.param;
                           for (char &c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c)))
                               c = '_';
                           return name;
                         });

TEST(ZipCorpus, CorpusIsThere) {
  if (CorpusFiles().empty())
    GTEST_SKIP() << "no ZIP corpus at " << CorpusRoot;
  EXPECT_GT(CorpusFiles().size(), 100u);
  // No line speaks of an archive that is not there.
  const std::vector<std::string> files = CorpusFiles();
  for (const auto &[file, expectation] : LoadExpectations())
    EXPECT_TRUE(std::binary_search(files.begin(), files.end(), file)) << file << " is not in the corpus";
}

TEST(ZipCorpus, EachDamagedEntryOfBrokenZipGetsItsOwnError) {
  const std::string path = (CorpusRoot / "libzip/broken.zip").string();
  if (!std::filesystem::exists(path))
    GTEST_SKIP() << "no " << path;
  TFileStream file(path, TFileMode::fmOpenRead);
  TZip zip;
  zip.Open(&file);
  const auto errorOf = [&](const std::string &entry) -> std::string {
    try {
      TMemoryStream content;
      zip.ExtractEntry(entry, content);
      return {};
    } catch (const EZipError &e) {
      return e.what();
    }
  };
  EXPECT_EQ(errorOf("storedok"), "");
  EXPECT_EQ(errorOf("deflateok"), "");
  EXPECT_EQ(errorOf("storedcrcerror"), "Soubor je poškozený: kontrolní součet CRC-32 položky „storedcrcerror“ nesouhlasí.");
  EXPECT_EQ(errorOf("deflatecrcerror"), "Soubor je poškozený: kontrolní součet CRC-32 položky „deflatecrcerror“ nesouhlasí.");
  EXPECT_NE(errorOf("deflatezliberror").find("Soubor je poškozený: data položky „deflatezliberror“ nelze rozbalit"), std::string::npos);
  EXPECT_EQ(errorOf("cryptok"), "Položka „cryptok“ je zašifrovaná. Šifrované archivy nejsou podporovány.");
  EXPECT_EQ(errorOf("missing"), "Archiv neobsahuje položku „missing“.");
}

TEST(ZipCorpus, GoTestZipHoldsTheReferencePicture) {
  const auto archive = CorpusRoot / "go/test-prefix.zip";
  if (!std::filesystem::exists(archive))
    GTEST_SKIP() << "no " << archive;
  TFileStream file(archive.string(), TFileMode::fmOpenRead);
  TZip zip;
  zip.Open(&file);
  TMemoryStream picture;
  zip.ExtractEntry("gophercolor16x16.png", picture);
  std::ifstream reference(CorpusRoot / "go/gophercolor16x16.png", std::ios::binary);
  const TBytes expected((std::istreambuf_iterator<char>(reference)), std::istreambuf_iterator<char>());
  EXPECT_EQ(Contents(picture), expected);
}
