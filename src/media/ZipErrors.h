// The archive's errors and every Czech text they carry, kept together so the wording stays consistent.
#pragma once

#include "platform/Exceptions.h"

#include <cstdint>
#include <string>

// A container that cannot be read or written as a ZIP archive; what() is the text for the user.
class EZipError : public Exception {
public:
  using Exception::Exception;
};

namespace ZipErrors {
// "Soubor není archiv ZIP."
EZipError NotZip();
// A file that starts as an archive but has no end record: cut short.
EZipError Truncated();
// "Soubor je poškozený: <reason>." The reasons below name what is wrong and where.
EZipError Corrupt(const std::string &reason);
EZipError DirectoryOutside();
EZipError DirectoryIncomplete(int64_t found, int64_t expected);
EZipError EntryCountMismatch();
// The end record's directory size and offset disagree with the file or with the directory read.
EZipError DirectorySizeMismatch();
EZipError TruncatedRecord();
EZipError BadLocalHeader(const std::string &entry);
// field: the Czech name of the field that differs ("CRC-32", "velikost", ...).
EZipError LocalHeaderMismatch(const std::string &entry, const std::string &field);
EZipError DuplicateEntry(const std::string &entry);
EZipError DataOutside(const std::string &entry);
EZipError InflateFailed(const std::string &entry, const std::string &detail);
// Details of InflateFailed that zlib does not give.
inline constexpr const char *BytesAfterData = "za komprimovanými daty následují další bajty";
inline constexpr const char *DataCutShort = "komprimovaná data jsou zkrácená";
EZipError EntryTooShort(const std::string &entry, int64_t actual, int64_t expected);
EZipError EntryTooLong(const std::string &entry, int64_t expected);
EZipError CrcMismatch(const std::string &entry);
EZipError StoredSizeMismatch(const std::string &entry);
// Archives and entries this program does not handle.
EZipError Zip64();
EZipError MultiDisk();
EZipError Encrypted(const std::string &entry);
EZipError UnsupportedMethod(const std::string &entry, int method);
EZipError NameTooLong(std::size_t length);
EZipError MissingEntry(const std::string &entry);
EZipError TooLarge();
EZipError TooManyEntries();
} // namespace ZipErrors
