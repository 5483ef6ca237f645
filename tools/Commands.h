#pragma once

#include <span>
#include <stdexcept>
#include <string>

/// The arguments that follow the command's name on the command line (UTF-8).
using CommandArguments = std::span<const std::string>;

/// Exit statuses, the same for every command.
enum ExitStatus : int
{
    kExitSuccess = 0, ///< done
    kExitFailure = 1, ///< a file could not be loaded, read or written, `check` found errors or
                      ///< `find` nothing
    kExitUsage = 2,   ///< wrong usage; the command throws UsageError for these
};

/// A failure that ends a command with status 1; `what()` is the message, in Chinese, naming
/// the file and the problem.
class CommandError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// One function per command: each reads its arguments, writes its output to standard output
/// and its messages to standard error, and returns the exit status.
int InfoCommand(CommandArguments args);
int DumpCommand(CommandArguments args);
int SearchCommand(CommandArguments args);
int FindCommand(CommandArguments args);
int BuildCommand(CommandArguments args);
int CheckCommand(CommandArguments args);
int SynthCommand(CommandArguments args);
int RenderCommand(CommandArguments args);
int TextCommand(CommandArguments args);
