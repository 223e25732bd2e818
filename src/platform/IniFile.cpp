// Settings files with the Windows profile rules: case-insensitive names, defaults for what is missing, in-place writes.
#include "platform/IniFile.h"

#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/TemporaryFile.h"
#include "platform/TextLanguage.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <strings.h>

namespace {
const std::string byteOrderMarkBytes = "\xEF\xBB\xBF";
const char *const notARegularFile =
    "Nastavení nelze uložit: %s není obyčejný soubor (je to například roura nebo smyčka odkazů) a zůstává beze změny.";

std::string Trim(const std::string &text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return "";
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool SameName(const std::string &a, const std::string &b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// The name of a "[section]" line, or false for any other line.
bool SectionName(const std::string &line, std::string &name) {
  const std::string trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[')
    return false;
  const auto close = trimmed.find(']');
  if (close == std::string::npos)
    return false;
  name = Trim(trimmed.substr(1, close - 1));
  return true;
}

// Splits a "key=value" line; comment lines and lines without "=" are not keys.
bool KeyLine(const std::string &line, std::string &key, std::string &value) {
  const std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';')
    return false;
  const auto equals = trimmed.find('=');
  if (equals == std::string::npos)
    return false;
  key = Trim(trimmed.substr(0, equals));
  value = Trim(trimmed.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return true;
}

// A line break inside a name or value would split its line and corrupt the file.
std::string OneLine(std::string text) {
  for (char &c : text)
    if (c == '\n' || c == '\r')
      c = ' ';
  return text;
}

[[noreturn]] void WriteFailed(const std::string &fileName) {
  throw EIniFileException(Substitute("Unable to write to %s", {fileName}));
}

// Something at target that is no regular file, even through links (a FIFO, a folder, a loop of links), is the
// user's: settings are not written in its place.
void RequireRegularOrMissing(const std::string &target) {
  if (AnythingAt(target) && !FileExists(target))
    throw EIniFileException(Substitute(Translated(notARegularFile), {target}));
}

// Writes all of text to a new file beside target, flushes it to the disk and renames it over target.
void ReplaceFile(const std::string &target, const std::string &text) {
  RequireRegularOrMissing(target);
  std::error_code ignored;
  std::filesystem::create_directories(FilePath(ExtractFileDir(target)), ignored);
  try {
    TTemporaryFile file(ExtractFileDir(target), ExtractFileName(target) + ".");
    file.Stream().WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    file.CommitAs(target, true);
  } catch (const EStreamError &) {
    WriteFailed(target);
  }
}

// Writing through a symbolic link replaces the file it points at, not the link.
std::string ResolvedTarget(const std::string &fileName) {
  std::error_code error;
  if (!std::filesystem::is_symlink(FilePath(fileName), error))
    return fileName;
  const auto resolved = std::filesystem::weakly_canonical(FilePath(fileName), error);
  return error ? fileName : PathText(resolved);
}
} // namespace

TIniDocument TIniDocument::Load(const std::string &fileName) {
  // A folder or a device under the file's name reads like a missing file: every value takes its default.
  if (!FileExists(fileName))
    return {};
  std::ifstream in(FilePath(fileName), std::ios::binary);
  if (!in)
    return {};
  return Parse(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

TIniDocument TIniDocument::Parse(const std::string &text) {
  TIniDocument document;
  std::size_t start = 0;
  if (text.compare(0, byteOrderMarkBytes.size(), byteOrderMarkBytes) == 0) {
    document.byteOrderMark = true;
    start = byteOrderMarkBytes.size();
  }
  const auto firstEnd = text.find('\n', start);
  if (firstEnd != std::string::npos && firstEnd > start && text[firstEnd - 1] == '\r')
    document.lineEnd = "\r\n";
  // Old Mac files end their lines with a CR alone.
  const auto firstBreak = text.find_first_of("\r\n", start);
  const bool crOnly = firstBreak != std::string::npos && text[firstBreak] == '\r' &&
                      (firstBreak + 1 == text.size() || text[firstBreak + 1] != '\n');
  const char breakChar = crOnly ? '\r' : '\n';
  if (crOnly)
    document.lineEnd = "\r";
  while (start < text.size()) {
    auto end = text.find(breakChar, start);
    if (end == std::string::npos)
      end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    document.lines.push_back(std::move(line));
    start = end + 1;
  }
  return document;
}

std::string TIniDocument::Text() const {
  std::string text = byteOrderMark ? byteOrderMarkBytes : "";
  for (const auto &line : lines)
    text += line + lineEnd;
  return text;
}

void TIniDocument::Save(const std::string &fileName) const { ReplaceFile(ResolvedTarget(fileName), Text()); }

int TIniDocument::FindSection(const std::string &section) const {
  std::string name;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (SectionName(lines[i], name) && SameName(name, section))
      return static_cast<int>(i);
  return -1;
}

int TIniDocument::FindKey(int sectionLine, const std::string &key) const {
  std::string name, value;
  for (std::size_t i = static_cast<std::size_t>(sectionLine) + 1; i < lines.size(); ++i) {
    if (SectionName(lines[i], name))
      break;
    if (KeyLine(lines[i], name, value) && SameName(name, key))
      return static_cast<int>(i);
  }
  return -1;
}

bool TIniDocument::Find(const std::string &section, const std::string &key, std::string &value) const {
  const int sectionLine = FindSection(section);
  const int keyLine = sectionLine < 0 ? -1 : FindKey(sectionLine, key);
  std::string name;
  return keyLine >= 0 && KeyLine(lines[static_cast<std::size_t>(keyLine)], name, value);
}

std::string TIniDocument::ReadString(const std::string &section, const std::string &key,
                                     const std::string &defaultValue) const {
  std::string value;
  return Find(section, key, value) ? value : defaultValue;
}

int TIniDocument::ReadInteger(const std::string &section, const std::string &key, int defaultValue) const {
  std::string text;
  int32_t value = 0;
  return Find(section, key, text) && TryStrToInt(text, value) ? value : defaultValue;
}

void TIniDocument::WriteString(const std::string &sectionName, const std::string &keyName,
                               const std::string &valueText) {
  const std::string section = OneLine(sectionName), key = OneLine(keyName), value = OneLine(valueText);
  const int sectionLine = FindSection(section);
  if (sectionLine < 0) {
    if (!lines.empty() && !Trim(lines.back()).empty())
      lines.emplace_back();
    lines.push_back("[" + section + "]");
    lines.push_back(key + "=" + value);
    return;
  }
  const int keyLine = FindKey(sectionLine, key);
  if (keyLine >= 0) {
    std::string &line = lines[static_cast<std::size_t>(keyLine)];
    line = line.substr(0, line.find('=') + 1) + value;
    return;
  }
  // After the section's last non-blank line, so blank lines between sections stay between them.
  std::size_t insertAt = static_cast<std::size_t>(sectionLine) + 1;
  std::string name;
  for (std::size_t i = insertAt; i < lines.size() && !SectionName(lines[i], name); ++i)
    if (!Trim(lines[i]).empty())
      insertAt = i + 1;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), key + "=" + value);
}

std::string TIniFile::ReadString(const std::string &section, const std::string &key,
                                 const std::string &defaultValue) const {
  return TIniDocument::Load(fileName).ReadString(section, key, defaultValue);
}

int TIniFile::ReadInteger(const std::string &section, const std::string &key, int defaultValue) const {
  return TIniDocument::Load(fileName).ReadInteger(section, key, defaultValue);
}

void TIniFile::WriteString(const std::string &section, const std::string &key, const std::string &value) {
  WriteStrings(section, {{key, value}});
}

void TIniFile::WriteInteger(const std::string &section, const std::string &key, int value) {
  WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteStrings(const std::string &section,
                            const std::vector<std::pair<std::string, std::string>> &values) {
  // A file that exists but cannot be read must not be replaced by one holding only these keys.
  if (FileExists(fileName) && !std::ifstream(FilePath(fileName), std::ios::binary))
    WriteFailed(fileName);
  TIniDocument document = TIniDocument::Load(fileName);
  for (const auto &[key, value] : values)
    document.WriteString(section, key, value);
  document.Save(fileName);
}
