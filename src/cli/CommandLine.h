// The arguments of one tvk subcommand: options and their values, then the positional arguments.
#pragma once

#include "platform/Exceptions.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// A command line that does not fit the subcommand's usage; tvk exits with status 2.
class EUsage : public Exception {
public:
  using Exception::Exception;
};

class TCommandLine {
public:
  // flags take no value ("--force"); valued options take the next argument or "=value" ("-o OUT", "--level=2").
  // repeatable options take a value each time they are given ("--set a=1 --set b=2").
  // "--" ends the options. Throws EUsage for an unknown option, a missing value or a valued option given twice.
  TCommandLine(const std::vector<std::string> &arguments, const std::set<std::string> &flags,
               const std::set<std::string> &valued, const std::set<std::string> &repeatable = {});

  bool Has(const std::string &option) const { return options.count(option) != 0; }
  // The value of an option, or fallback when it was not given.
  std::string Value(const std::string &option, const std::string &fallback = "") const;
  // The value of an option, written in plain decimal digits, as an integer within [low, high], or fallback;
  // EUsage otherwise.
  int IntValue(const std::string &option, int low, int high, int fallback) const;
  // Every value of a repeatable option, in the order given.
  std::vector<std::string> Values(const std::string &option) const;

  const std::vector<std::string> &Positional() const { return positional; }
  // Requires at least min positional arguments (and at most max, when max >= 0).
  void RequirePositional(std::size_t min, long max = -1) const;

private:
  std::map<std::string, std::string> options;
  std::map<std::string, std::vector<std::string>> repeated;
  std::vector<std::string> positional;
};
