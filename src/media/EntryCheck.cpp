// Will the runtime accept the pack: pictures decoded and measured against their frame grid and key colour, sounds
// read for their format and rate, names compared.
#include "media/EntryCheck.h"

#include "dib/RuntimePicture.h"
#include "media/CellTexts.h"
#include "media/EntryPreviewData.h"
#include "media/FileListItems.h"
#include "media/FrameGrid.h"
#include "media/MediaDocument.h"
#include "media/MediaMessages.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace {
using K = TProblemKind;

// A colour value as the record stores it (top byte cleared), as a pixel 0xFFRRGGBB.
uint32_t PixelOfColor(TColor color) {
  return 0xFF000000u | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}
TColor ColorOfPixel(uint32_t pixel) { return (pixel >> 16 & 0xFFu) | (pixel & 0xFF00u) | (pixel & 0xFFu) << 16; }

int Channel(uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

bool CloseTo(uint32_t pixel, uint32_t key) {
  for (const int shift : {0, 8, 16})
    if (std::abs(Channel(pixel, shift) - Channel(key, shift)) > FringeDistance)
      return false;
  return true;
}

int Distance(uint32_t a, uint32_t b) {
  int sum = 0;
  for (const int shift : {0, 8, 16})
    sum += std::abs(Channel(a, shift) - Channel(b, shift));
  return sum;
}

// An antialiased edge: pixel lies between inner (the shape's own colour beside it) and the key, a quarter of the way
// or more towards the key.
bool BlendsTowardKey(uint32_t pixel, uint32_t inner, uint32_t key) {
  constexpr int tolerance = 8;
  for (const int shift : {0, 8, 16}) {
    const int low = std::min(Channel(inner, shift), Channel(key, shift)) - tolerance;
    const int high = std::max(Channel(inner, shift), Channel(key, shift)) + tolerance;
    if (Channel(pixel, shift) < low || Channel(pixel, shift) > high)
      return false;
  }
  return 4 * Distance(pixel, inner) >= Distance(key, inner) && Distance(pixel, inner) > 3 * tolerance;
}

bool BesideKey(const TPixelImage &image, int x, int y, uint32_t key) {
  return (x > 0 && image.At(x - 1, y) == key) || (x + 1 < image.Width && image.At(x + 1, y) == key) ||
         (y > 0 && image.At(x, y - 1) == key) || (y + 1 < image.Height && image.At(x, y + 1) == key);
}

// Whether a pixel within two of (x, y), not keyed out, is the shape's colour that the pixel blends with the key.
bool BlendsWithShape(const TPixelImage &image, int x, int y, uint32_t key) {
  const uint32_t pixel = image.At(x, y);
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) {
      const int nx = x + dx, ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= image.Width || ny >= image.Height)
        continue;
      if (const uint32_t inner = image.At(nx, ny); inner != key && BlendsTowardKey(pixel, inner, key))
        return true;
    }
  return false;
}

// Pixels beside a keyed-out one (left, right, above or below) that are close to the key, or that blend the key with
// the colour of the shape they border (an antialiased edge is a pixel or two wide).
int64_t FringePixels(const TPixelImage &image, uint32_t key) {
  int64_t count = 0;
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x) {
      const uint32_t pixel = image.At(x, y);
      if (pixel != key && BesideKey(image, x, y, key) && (CloseTo(pixel, key) || BlendsWithShape(image, x, y, key)))
        ++count;
    }
  return count;
}

bool IsJpeg(const std::string &extension) { return extension == ".JPG" || extension == ".JPEG"; }

void CheckFrames(std::vector<TEntryProblem> &problems, const TPixelImage &image, const TImageFileItem &entry) {
  if (entry.PatternWidth <= 0 && entry.PatternHeight <= 0)
    return; // one picture, no sprite sheet
  const TFrameGrid grid = FrameGridOf(image.Width, image.Height, entry.PatternWidth, entry.PatternHeight,
                                      entry.SkipWidth, entry.SkipHeight);
  if (grid.Count() == 0) {
    problems.push_back({K::NoFrame, {image.Width, image.Height, entry.PatternWidth, entry.PatternHeight}, {}});
    return;
  }
  const int right = grid.LeftOverWidth(image.Width), bottom = grid.LeftOverHeight(image.Height);
  if (right > 0 || bottom > 0)
    problems.push_back({K::FrameLeftOver, {right, bottom}, {}});
}

void CheckKeyColor(std::vector<TEntryProblem> &problems, const TPixelImage &image, const TImageFileItem &entry) {
  if (!entry.Transparent || image.Pixels.empty())
    return;
  // clDefault keys out the colour of the bottom-left pixel.
  const uint32_t key = entry.TransparentColor == clDefault ? image.At(0, image.Height - 1)
                                                           : PixelOfColor(entry.TransparentColor & 0x00FFFFFF);
  const std::string keyText = ColorToString(ColorOfPixel(key));
  bool present = false;
  for (const uint32_t pixel : image.Pixels)
    if (pixel == key) {
      present = true;
      break;
    }
  if (!present) {
    problems.push_back({K::KeyColorAbsent, {}, keyText});
    return;
  }
  if (const int64_t fringe = FringePixels(image, key); fringe > 0)
    problems.push_back({K::Fringe, {fringe}, keyText});
}

void CheckPicture(std::vector<TEntryProblem> &problems, TMediaStream &document, const TImageFileItem &entry) {
  const std::string extension = entry.Ext.Text();
  if (!RuntimeReadsPicture(extension)) {
    problems.push_back({K::PictureFormat, {}, extension});
    return;
  }
  if (IsJpeg(extension) && entry.Transparent)
    problems.push_back({K::JpegTransparent, {}, {}});
  std::vector<uint8_t> data(static_cast<std::size_t>(BoundedEntrySize(entry, EntryPreviewLimit)));
  document.ReadEntryData(entry, data.data(), entry.Size);
  TPixelImage image;
  try {
    image = DecodeRuntimePicture(data.data(), data.size(), extension);
  } catch (const Exception &error) {
    problems.push_back({K::Undecodable, {}, error.what()});
    return;
  }
  if (image.Width <= 0 || image.Height <= 0) {
    problems.push_back({K::Undecodable, {}, Translated(MediaMessages::NoPixels)});
    return;
  }
  CheckFrames(problems, image, entry);
  CheckKeyColor(problems, image, entry);
}

void CheckSound(std::vector<TEntryProblem> &problems, TMediaStream &document, const TSoundFileItem &entry) {
  const std::string extension = entry.Ext.Text();
  if (extension != ".WAV") {
    problems.push_back({K::SoundExtension, {}, extension});
    return;
  }
  std::vector<uint8_t> header(static_cast<std::size_t>(std::min(entry.Size, WaveHeaderReadSize)));
  document.ReadEntryData(entry, header.data(), static_cast<int64_t>(header.size()));
  TWaveFacts facts;
  try {
    facts = ReadWaveFacts(header.data(), header.size(), entry.Size);
  } catch (const Exception &error) {
    problems.push_back({K::Undecodable, {}, Translated(std::string(error.what()))});
    return;
  }
  if (facts.FormatTag != 1)
    problems.push_back({K::SoundFormat, {facts.FormatTag}, {}});
  if (entry.Frequency == 0)
    problems.push_back({K::FrequencyZero, {facts.SampleRate}, {}});
  else if (static_cast<uint32_t>(entry.Frequency) != facts.SampleRate)
    problems.push_back({K::FrequencyDiffers, {entry.Frequency, facts.SampleRate}, {}});
}

std::string NameKey(const TFileListItem &entry) {
  std::string key = entry.Name + '\0' + entry.Ext.Text();
  for (char &c : key)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return key;
}
} // namespace

std::vector<TEntryProblem> CheckEntry(TMediaStream &document, const TFileListItem &entry) {
  std::vector<TEntryProblem> problems;
  try {
    if (const auto *image = dynamic_cast<const TImageFileItem *>(&entry))
      CheckPicture(problems, document, *image);
    else if (const auto *sound = dynamic_cast<const TSoundFileItem *>(&entry))
      CheckSound(problems, document, *sound);
  } catch (const Exception &error) {
    problems.push_back({K::Unreadable, {}, error.what()});
  }
  return problems;
}

std::vector<int> EarlierOfSameName(const TFileList &list) {
  std::vector<int> earlier(static_cast<std::size_t>(list.Count()), -1);
  std::unordered_map<std::string, int> first;
  for (int position = 0; position < list.Count(); ++position) {
    const auto [found, added] = first.try_emplace(NameKey(*list.Items()[static_cast<std::size_t>(position)]), position);
    if (!added)
      earlier[static_cast<std::size_t>(position)] = found->second;
  }
  return earlier;
}

void AddSameNameProblem(std::vector<TEntryProblem> &problems, const std::vector<int> &earlier, int position) {
  if (const int first = earlier[static_cast<std::size_t>(position)]; first >= 0)
    problems.push_back({K::SameName, {first + 1}, {}});
}

std::vector<TFoundProblem> CheckDocument(TMediaStream &document) {
  std::vector<TFoundProblem> found;
  const TFileList &list = document.List;
  const std::vector<int> earlier = EarlierOfSameName(list);
  for (int position = 0; position < list.Count(); ++position) {
    std::vector<TEntryProblem> problems = CheckEntry(document, *list.Items()[static_cast<std::size_t>(position)]);
    AddSameNameProblem(problems, earlier, position);
    for (TEntryProblem &problem : problems)
      found.push_back({position, std::move(problem)});
  }
  return found;
}
