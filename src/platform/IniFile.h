// Settings files with the Windows profile rules: case-insensitive names, defaults for what is missing, in-place writes.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The lines of a settings file, parsed once. Changes touch only the lines they must; everything else
// (comments, unknown sections and keys, line ends) is written back as it was read.
class TIniDocument {
public:
  // A missing or unreadable file gives an empty document.
  static TIniDocument Load(const std::string &fileName);
  // Replaces the file atomically (temporary file, flush to disk, rename); throws EIniFileException
  // "Unable to write to %s" with the file's path when that fails, leaving the old file as it was.
  void Save(const std::string &fileName) const;
  std::string Text() const;

  // The value of the first matching key of the first matching section, if there is one.
  bool Find(const std::string &section, const std::string &key, std::string &value) const;
  std::string ReadString(const std::string &section, const std::string &key, const std::string &defaultValue) const;
  // Decimal, or hexadecimal after "0x" or "$"; anything else gives the default.
  int ReadInteger(const std::string &section, const std::string &key, int defaultValue) const;
  // Replaces the key's value in place, or adds the key at the end of its section (adding the section if needed).
  void WriteString(const std::string &section, const std::string &key, const std::string &value);

private:
  static TIniDocument Parse(const std::string &text);
  // Index of the "[section]" line, or -1.
  int FindSection(const std::string &section) const;
  // Index of the key's line within the section starting at sectionLine, or -1.
  int FindKey(int sectionLine, const std::string &key) const;

  std::vector<std::string> lines;
  std::string lineEnd = "\n";
  bool byteOrderMark = false;
};

// A settings file by path. Every call opens the file, does its work and releases it; nothing is cached.
class TIniFile {
public:
  explicit TIniFile(std::string fileName) : fileName(std::move(fileName)) {}
  const std::string &FileName() const { return fileName; }

  std::string ReadString(const std::string &section, const std::string &key, const std::string &defaultValue) const;
  int ReadInteger(const std::string &section, const std::string &key, int defaultValue) const;
  void WriteString(const std::string &section, const std::string &key, const std::string &value);
  void WriteInteger(const std::string &section, const std::string &key, int value);
  // Writes several keys of one section, in order, with a single replacement of the file.
  void WriteStrings(const std::string &section, const std::vector<std::pair<std::string, std::string>> &values);

private:
  std::string fileName;
};
