#include "ArchiveWriter.h"
#include "DatabaseFile.h"

void WriteRecord(ArchiveWriter& writer, const ReagentRecord& record)
{
    writer.writeInt32(record.LeadInt1);
    writer.writeInt32(record.LeadInt2);
    for (int t = 0; t < kTextFieldCount; ++t)
        writer.writeString(fieldText(record, textField(t)));
}

void WriteDatabase(std::ostream& out, std::span<const ReagentRecord> records)
{
    ArchiveWriter writer(out);
    writer.writeInt32(static_cast<std::int32_t>(records.size()));
    for (const ReagentRecord& record : records)
        WriteRecord(writer, record);
}
