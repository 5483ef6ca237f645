#include "Arguments.h"
#include "Commands.h"
#include "DatabaseCheck.h"
#include "Messages.h"
#include "PictureCheck.h"
#include "PicturePath.h"
#include "VELMORDoc.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

int CheckCommand(CommandArguments args)
{
    const Arguments arguments(args, {});
    const std::string& path = arguments.positional({"FILE"})[0];

    CVELMORDoc doc;
    std::vector<Finding> findings;
    try {
        findings = CheckLayout(LoadDatabaseFile(doc, path), path);
    } catch (const DatabaseError& error) {
        printMessage(error.what());
        if (error.kind() != DatabaseError::Kind::Truncated)
            return kExitFailure;
        // The records read completely are still worth checking.
        findings.push_back({Finding::Severity::Error, -1, {}, error.what()});
    }

    // Picture paths are taken as the program takes them, relative to the directory that holds
    // the database file (the program's working directory).
    const std::string base = std::filesystem::path(path).parent_path().string();
    std::vector<Finding> recordFindings = CheckRecords(doc, [&](const std::string& picture) {
        return PictureProblem(PictureFilePath(base, picture));
    });
    findings.insert(findings.end(), std::make_move_iterator(recordFindings.begin()),
                    std::make_move_iterator(recordFindings.end()));

    std::string text;
    for (const Finding& finding : findings)
        text += FormatFinding(finding) + '\n';
    const auto errors = std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return f.severity == Finding::Severity::Error;
    });
    const auto warnings = static_cast<std::ptrdiff_t>(findings.size()) - errors;
    text += "检查了 " + std::to_string(doc.RecordCount()) + " 条记录：" + std::to_string(errors) +
            " 个错误，" + std::to_string(warnings) + " 个警告。\n";
    std::cout << text;
    return errors > 0 ? kExitFailure : kExitSuccess;
}
