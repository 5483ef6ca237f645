#pragma once

#include "DatabaseFile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CVELMORDoc;

/// One thing `velmor-kdb check` reports.
struct Finding
{
    enum class Severity
    {
        Error,   ///< the data is wrong, or the program cannot show it
        Warning, ///< something could not be checked
    };
    Severity severity = Severity::Error;
    int record = -1;     ///< index of the record, or -1 for the file as a whole
    std::string name;    ///< the record's Chinese name (UTF-8)
    std::string message; ///< what is wrong, in Chinese (UTF-8)
};

/// Says what is wrong with the picture a record names (its path as stored), or nothing.
using PictureInspector = std::function<std::optional<std::string>(const std::string& path)>;

/// Checks every loaded record: empty and duplicate Chinese names, CAS numbers, molecular
/// weights against formulas, and structure pictures. `inspectPicture` gets each picture path
/// as the record holds it (code page 936), once per distinct path.
std::vector<Finding> CheckRecords(const CVELMORDoc& doc, const PictureInspector& inspectPicture);

/// Findings about the file as a whole: more records than the program holds, bytes after the
/// last record.
std::vector<Finding> CheckLayout(const LoadSummary& summary, std::string_view fileName);

/// "错误：第 3 条记录“乙醇”：…", one line without its line break.
std::string FormatFinding(const Finding& finding);
