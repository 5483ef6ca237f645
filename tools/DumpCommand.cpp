#include "Arguments.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "Csv.h"
#include "Json.h"
#include "Messages.h"
#include "TextEdge.h"
#include "VELMORDoc.h"

#include <string>

namespace {

void appendJsonRecord(std::string& out, const ReagentRecord& record, std::string& scratch)
{
    out += '{';
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = static_cast<Field>(f);
        if (f > 0)
            out += ',';
        appendJsonString(out, kFieldNames[f]);
        out += ':';
        if (isTextField(field)) {
            scratch.clear();
            appendUtf8(scratch, fieldText(record, field));
            appendJsonString(out, scratch);
        } else {
            out += std::to_string(fieldInt(record, field));
        }
    }
    out += "}\n";
}

void appendCsvHeader(std::string& out)
{
    for (int f = 0; f < kFieldCount; ++f) {
        if (f > 0)
            out += ',';
        out += kFieldNames[f];
    }
    out += "\r\n";
}

void appendCsvRecord(std::string& out, const ReagentRecord& record, std::string& scratch)
{
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = static_cast<Field>(f);
        if (f > 0)
            out += ',';
        if (isTextField(field)) {
            scratch.clear();
            appendUtf8(scratch, fieldText(record, field));
            appendCsvField(out, scratch);
        } else {
            out += std::to_string(fieldInt(record, field));
        }
    }
    out += "\r\n";
}

} // namespace

int DumpCommand(CommandArguments args)
{
    const Arguments arguments(args, {"--format"});
    const std::string& path = arguments.positional({"FILE"})[0];
    const std::string format = arguments.option("--format").value_or("jsonl");
    if (format != "jsonl" && format != "csv")
        throw UsageError("未知的格式" + quoted(format) + "，应为 jsonl 或 csv。");

    CVELMORDoc doc;
    if (!LoadForReading(doc, path))
        return kExitFailure;
    OutputBuffer output;
    std::string scratch;
    if (format == "csv")
        appendCsvHeader(output.text());
    for (int i = 0; i < doc.RecordCount(); ++i) {
        if (format == "csv")
            appendCsvRecord(output.text(), doc.Record(i), scratch);
        else
            appendJsonRecord(output.text(), doc.Record(i), scratch);
        output.written();
    }
    return kExitSuccess;
}
