// The tvk subcommands: each takes its arguments (after the subcommand's name) and returns the exit status.
#pragma once

#include <string>
#include <vector>

using TArguments = std::vector<std::string>;

struct TCommand {
  const char *Name;
  const char *Usage;
  int (*Run)(const TArguments &arguments);
};

// Every subcommand in the order tvk --help lists them.
const std::vector<TCommand> &Commands();

int RunNew(const TArguments &arguments);
int RunAdd(const TArguments &arguments);
int RunRemove(const TArguments &arguments);
int RunMove(const TArguments &arguments);
int RunReplace(const TArguments &arguments);
int RunSet(const TArguments &arguments);
int RunList(const TArguments &arguments);
int RunInfo(const TArguments &arguments);
int RunVerify(const TArguments &arguments);
int RunExtract(const TArguments &arguments);
int RunBuild(const TArguments &arguments);
int RunDump(const TArguments &arguments);
int RunDiff(const TArguments &arguments);
int RunCheck(const TArguments &arguments);
