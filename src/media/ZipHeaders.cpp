// The archive records' helpers: the cut-short error, names with folder separators, MS-DOS times.
#include "media/ZipHeaders.h"

#include "media/ZipErrors.h"

#include <algorithm>

void RecordCutShort() { throw ZipErrors::TruncatedRecord(); }

std::string ToArchiveName(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

std::string FromArchiveName(std::string name) {
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

bool EndsWithBackslash(const std::string &name) { return !name.empty() && name.back() == '\\'; }

uint32_t DosDateTime(const TLocalTime &time) {
  if (time.Year < 1980 || time.Year > 2107)
    return 0;
  const uint32_t dosTime = uint32_t(time.Second / 2) | uint32_t(time.Minute) << 5 | uint32_t(time.Hour) << 11;
  const uint32_t dosDate = uint32_t(time.Day) | uint32_t(time.Month) << 5 | uint32_t(time.Year - 1980) << 9;
  return dosDate << 16 | dosTime;
}
