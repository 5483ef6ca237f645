#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

/// Wrong use of the command line. `what()` says what is wrong, in Chinese (UTF-8); the tool
/// prints it with the command's usage and exits with status 2.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// A command's arguments, sorted into options and positional arguments.
///
/// Each option takes a value, given as "--name value", "--name=value" or, for one-letter
/// options, "-o value"; a flag ("--json") takes none. "--" ends the options. A command that
/// declares no options takes every argument as it stands, flags apart, so that a search for
/// "-18-5" needs no quoting tricks.
class Arguments
{
public:
    /// Throws UsageError for an unknown option, an option without its value, or an option or
    /// flag given twice.
    Arguments(std::span<const std::string> args, std::initializer_list<std::string_view> options,
              std::initializer_list<std::string_view> flags = {});

    /// Exactly `names.size()` positional arguments, named in the message when some are missing
    /// or one is left over; throws UsageError otherwise.
    const std::vector<std::string>& positional(std::initializer_list<std::string_view> names) const;

    std::optional<std::string> option(std::string_view name) const;

    /// Whether the flag was given.
    bool flag(std::string_view name) const { return m_Flags.contains(name); }

    /// The option's value, which must be given; throws UsageError otherwise.
    std::string requiredOption(std::string_view name) const;

    /// The option's value as a whole decimal number in [minimum, maximum], or `fallback` when
    /// the option is absent; throws UsageError for anything else.
    std::uint64_t numberOption(std::string_view name, std::uint64_t fallback, std::uint64_t minimum,
                               std::uint64_t maximum) const;

private:
    std::vector<std::string> m_Positional;
    std::map<std::string, std::string, std::less<>> m_Options;
    std::set<std::string, std::less<>> m_Flags;
};
