#include "Arguments.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "FindMatching.h"
#include "Json.h"
#include "Messages.h"
#include "TextEdge.h"
#include "VELMORDoc.h"

#include <string>

int FindCommand(CommandArguments args)
{
    const Arguments arguments(args, {}, {"--json"});
    const std::vector<std::string>& given = arguments.positional({"FILE", "QUERY"});
    const bool json = arguments.flag("--json");

    CVELMORDoc doc;
    if (!LoadForReading(doc, given[0]))
        return kExitFailure;
    const FindResult result = FindRecords(FindForms(doc), given[1]);
    if (result.emptyQuery)
        throw UsageError("检索词是空的。");
    if (result.casCheckDigit)
        printMessage("CAS 号校验位不符，应为 " + std::to_string(*result.casCheckDigit));

    OutputBuffer output;
    std::string name;
    for (const FindMatch& match : result.matches) {
        name.clear();
        appendUtf8(name, doc.RecordName(match.record));
        const std::string number = std::to_string(match.record + 1);
        const std::string_view field = FindFieldLabel(match.field);
        std::string& out = output.text();
        if (json) {
            out += "{\"record\":" + number + ",\"name\":";
            appendJsonString(out, name);
            out += ",\"field\":";
            appendJsonString(out, field);
            out += "}\n";
        } else {
            out += number + '\t' + name + '\t';
            out += field;
            out += '\n';
        }
        output.written();
    }
    return result.matches.empty() ? kExitFailure : kExitSuccess;
}
