// The exception family of the whole program: every failure carries the text the user will see.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>

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
};
class EWriteError : public EStreamError {
public:
  EWriteError() : EStreamError("Stream write error") {}
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
  EAbort() : Exception("Přerušeno") {}
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
