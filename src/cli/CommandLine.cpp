// Parsing a subcommand's arguments into options and positional arguments.
#include "cli/CommandLine.h"

#include "platform/IntegerText.h"

#include <string>

TCommandLine::TCommandLine(const std::vector<std::string> &arguments, const std::set<std::string> &flags,
                           const std::set<std::string> &valued, const std::set<std::string> &repeatable) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string &argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      positional.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    const auto equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    if (flags.count(name) && equals == std::string::npos) {
      options[name] = "";
    } else if (valued.count(name) || repeatable.count(name)) {
      if (options.count(name) && !repeatable.count(name))
        throw EUsage("option " + name + " given twice");
      if (equals != std::string::npos)
        options[name] = argument.substr(equals + 1);
      else if (i + 1 < arguments.size())
        options[name] = arguments[++i];
      else
        throw EUsage("option " + name + " needs a value");
      if (repeatable.count(name))
        repeated[name].push_back(options[name]);
    } else {
      throw EUsage("unknown option " + argument);
    }
  }
}

std::string TCommandLine::Value(const std::string &option, const std::string &fallback) const {
  const auto found = options.find(option);
  return found == options.end() ? fallback : found->second;
}

std::vector<std::string> TCommandLine::Values(const std::string &option) const {
  const auto found = repeated.find(option);
  return found == repeated.end() ? std::vector<std::string>{} : found->second;
}

int TCommandLine::IntValue(const std::string &option, int low, int high, int fallback) const {
  if (!Has(option))
    return fallback;
  // Plain decimal digits only: "0x3", "$3", " 1" or "+1" on a command line are more likely slips than numbers.
  const std::string text = Value(option);
  int32_t value = 0;
  const bool digits = !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
  if (!digits || !TryStrToInt(text, value) || value < low || value > high)
    throw EUsage(option + " must be a decimal number from " + std::to_string(low) + " to " + std::to_string(high));
  return value;
}

void TCommandLine::RequirePositional(std::size_t min, long max) const {
  if (positional.size() < min)
    throw EUsage("missing arguments");
  if (max >= 0 && positional.size() > static_cast<std::size_t>(max))
    throw EUsage("too many arguments");
}
