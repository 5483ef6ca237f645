#include "Arguments.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "Matching.h"
#include "Messages.h"
#include "TextEdge.h"
#include "VELMORDoc.h"

#include <array>
#include <iostream>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, SearchKind>, 5> kKinds = {{
    {"chinese", SearchKind::ChineseName},
    {"english", SearchKind::EnglishName},
    {"cas", SearchKind::CasNumber},
    {"use", SearchKind::Use},
    {"formula", SearchKind::Formula},
}};

SearchKind kindByName(const std::string& name)
{
    for (const auto& [word, kind] : kKinds) {
        if (word == name)
            return kind;
    }
    throw UsageError("未知的检索类别" + quoted(name) +
                     "，应为 chinese、english、cas、use 或 formula。");
}

} // namespace

int SearchCommand(CommandArguments args)
{
    const Arguments arguments(args, {});
    const std::vector<std::string>& given = arguments.positional({"FILE", "KIND", "QUERY"});
    const SearchKind kind = kindByName(given[1]);
    const std::string& queryText = given[2];
    if (queryText.empty())
        throw UsageError("检索词是空的。");
    EncodingProblem problem;
    const std::optional<std::string> query = toDatabaseText(queryText, &problem);
    if (!query)
        throw UsageError("检索词中的" + problem.describe() +
                         "无法用代码页 936 表示，数据库中不可能有它。");

    CVELMORDoc doc;
    if (!LoadForReading(doc, given[0]))
        return kExitFailure;
    // The names are converted in one piece: a line break never forms a character with the
    // byte before it, so each name decodes as it would on its own.
    std::string names;
    for (const int record : MatchRecords(doc, kind, *query)) {
        names += doc.RecordName(record);
        names += '\n';
    }
    std::string text;
    appendUtf8(text, names);
    std::cout << text;
    return kExitSuccess;
}
