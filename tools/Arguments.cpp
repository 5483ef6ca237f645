#include "Arguments.h"

#include "Messages.h"

#include <algorithm>
#include <charconv>

Arguments::Arguments(std::span<const std::string> args,
                     std::initializer_list<std::string_view> options,
                     std::initializer_list<std::string_view> flags)
{
    const auto among = [](std::initializer_list<std::string_view> names, std::string_view name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    bool optionsEnded = options.size() == 0 && flags.size() == 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && among(flags, arg)) {
            if (!m_Flags.insert(arg).second)
                throw UsageError("选项" + quoted(arg) + "给了不止一次。");
            continue;
        }
        if (optionsEnded || options.size() == 0 || arg.size() < 2 || arg[0] != '-') {
            m_Positional.push_back(arg);
            continue;
        }
        std::string name = arg;
        std::optional<std::string> value;
        if (const std::size_t eq = arg.find('=');
            arg.starts_with("--") && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        if (!among(options, name))
            throw UsageError("未知的选项" + quoted(name) + "。");
        if (!value) {
            if (i + 1 == args.size())
                throw UsageError("选项" + quoted(name) + "后面缺少它的值。");
            value = args[++i];
        }
        if (!m_Options.emplace(name, *value).second)
            throw UsageError("选项" + quoted(name) + "给了不止一次。");
    }
}

const std::vector<std::string>&
Arguments::positional(std::initializer_list<std::string_view> names) const
{
    if (m_Positional.size() < names.size())
        throw UsageError("缺少参数 " + std::string(names.begin()[m_Positional.size()]) + "。");
    if (m_Positional.size() > names.size())
        throw UsageError("多余的参数" + quoted(m_Positional[names.size()]) + "。");
    return m_Positional;
}

std::optional<std::string> Arguments::option(std::string_view name) const
{
    const auto it = m_Options.find(name);
    if (it == m_Options.end())
        return std::nullopt;
    return it->second;
}

std::string Arguments::requiredOption(std::string_view name) const
{
    std::optional<std::string> value = option(name);
    if (!value)
        throw UsageError("缺少选项" + quoted(name) + "。");
    return *value;
}

std::uint64_t Arguments::numberOption(std::string_view name, std::uint64_t fallback,
                                      std::uint64_t minimum, std::uint64_t maximum) const
{
    const std::optional<std::string> text = option(name);
    if (!text)
        return fallback;
    std::uint64_t value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, value);
    if (text->empty() || error != std::errc() || stop != end || value < minimum || value > maximum)
        throw UsageError("选项" + quoted(name) + "的值" + quoted(*text) + "应当是 " +
                         std::to_string(minimum) + " 到 " + std::to_string(maximum) +
                         " 之间的整数。");
    return value;
}
