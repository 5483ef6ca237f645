#include "TestDatabase.h"

#include "DatabaseFile.h"
#include "Gbk.h"
#include "VELMORDoc.h"

#include <sstream>
#include <stdexcept>

std::string gbkOf(std::string_view utf8)
{
    auto text = gbk::fromUtf8(utf8);
    if (!text)
        throw std::invalid_argument("not encodable in code page 936");
    return *text;
}

ReagentRecord reagent(std::string_view chineseName,
                      std::initializer_list<std::pair<Field, std::string_view>> fields)
{
    ReagentRecord record;
    record.ChineseName = chineseName;
    for (const auto& [field, text] : fields)
        fieldText(record, field) = text;
    return record;
}

std::string databaseBytes(const std::vector<ReagentRecord>& records)
{
    std::ostringstream out;
    WriteDatabase(out, records);
    return out.str();
}

void loadRecords(CVELMORDoc& doc, const std::vector<ReagentRecord>& records)
{
    const std::string bytes = databaseBytes(records);
    LoadDatabaseBytes(doc, bytes, "test.kdb");
}
