// The exception family of the whole program: every failure carries the text the user will see.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

// Base of every error the program raises itself; what() is the user-facing text.
class Exception : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class EStreamError : public Exception {
public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
public:
  EReadError() : EStreamError("Stream read error") {}
  // "Nelze číst soubor "<file>": <reason>" for a failure the system reported.
  EReadError(const std::string &file, const std::string &reason);
};
// A write that failed; for a file it names the file and the system's reason (a full disk, a quota).
class EWriteError : public EStreamError {
public:
  EWriteError() : EStreamError("Stream write error") {}
  // "Nelze zapsat soubor "<file>": <reason>".
  EWriteError(const std::string &file, const std::string &reason);
  // The system's reason, empty for a bare stream error.
  const std::string &Reason() const { return reason; }

private:
  std::string reason;
};
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// Work that the user cancelled: the command ends without an error box.
class EAbort : public Exception {
public:
  EAbort(); // "Přerušeno"
};
// A file another process kept locked for longer than the caller would wait.
class ELockTimeout : public Exception {
public:
  using Exception::Exception;
};
// A text that is not the number (or colour) it should be.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};
// A settings file that could not be written.
class EIniFileException : public Exception {
public:
  using Exception::Exception;
};

// Replaces each "%s" of pattern, left to right, with the next argument.
std::string Substitute(const std::string &pattern, std::initializer_list<std::string> args);
std::string Substitute(const std::string &pattern, const std::vector<std::string> &args);
