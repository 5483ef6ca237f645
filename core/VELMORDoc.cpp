#include "VELMORDoc.h"

ReagentRecord CVELMORDoc::Record(int index) const
{
    ReagentRecord record;
    if (index < 0 || index >= m_RecordCount)
        return record;
    record.LeadInt1 = m_Columns.leadInt(index, 0);
    record.LeadInt2 = m_Columns.leadInt(index, 1);
    m_Columns.forEachText(
        index, [&record](Field field, std::string_view text) { fieldText(record, field) = text; });
    return record;
}

std::optional<int> CVELMORDoc::FindRecordByName(std::string_view name) const
{
    // The empty name stands for a name search that found nothing, never for a record that
    // lacks a name.
    if (m_RecordCount <= 0 || name.empty())
        return std::nullopt;
    // A plain scan in store order, over the name column: it runs on every repaint, and the
    // column's starts and bytes lie close together.
    const std::span<const std::size_t> starts = m_Columns.starts(Field::ChineseName);
    const char* bytes = m_Columns.bytes(Field::ChineseName).data();
    for (int i = 0; i < m_RecordCount; ++i) {
        if (starts[i + 1] - starts[i] == name.size() &&
            std::string_view(bytes + starts[i], name.size()) == name)
            return i;
    }
    return std::nullopt;
}
