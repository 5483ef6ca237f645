#include "Arguments.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "Messages.h"
#include "TextEdge.h"
#include "VELMORDoc.h"

#include <iostream>

namespace {

struct TextStatistics
{
    std::uint64_t totalBytes = 0;
    Field longestField = Field::ChineseName;
    int longestRecord = -1;
    std::size_t longestBytes = 0;
};

TextStatistics textStatistics(const CVELMORDoc& doc)
{
    TextStatistics statistics;
    for (int i = 0; i < doc.RecordCount(); ++i) {
        for (int t = 0; t < kTextFieldCount; ++t) {
            const std::size_t bytes = fieldText(doc.Record(i), textField(t)).size();
            statistics.totalBytes += bytes;
            if (bytes > statistics.longestBytes) {
                statistics.longestField = textField(t);
                statistics.longestRecord = i;
                statistics.longestBytes = bytes;
            }
        }
    }
    return statistics;
}

} // namespace

int InfoCommand(CommandArguments args)
{
    const Arguments arguments(args, {});
    const std::string& path = arguments.positional({"FILE"})[0];
    CVELMORDoc doc;
    const std::optional<LoadSummary> summary = LoadForReading(doc, path);
    if (!summary)
        return kExitFailure;

    const TextStatistics statistics = textStatistics(doc);
    std::cout << "records: " << doc.RecordCount() << '\n'
              << "announced: " << summary->announced << '\n'
              << "file size: " << summary->fileSize << " bytes\n"
              << "bytes read: " << summary->bytesRead << '\n'
              << "text bytes: " << statistics.totalBytes << '\n';
    if (statistics.longestRecord >= 0) {
        std::string name;
        appendUtf8(name, doc.Record(statistics.longestRecord).ChineseName);
        std::cout << "longest field: " << kFieldNames[static_cast<int>(statistics.longestField)]
                  << " of record " << statistics.longestRecord + 1 << ' ' << quoted(name) << " ("
                  << statistics.longestBytes << " bytes)\n";
    }
    return kExitSuccess;
}
