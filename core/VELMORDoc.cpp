#include "VELMORDoc.h"

#include <cassert>

CVELMORDoc::CVELMORDoc() : m_Records(kCapacity) {}

std::optional<int> CVELMORDoc::FindRecordByName(std::string_view name) const
{
    for (int i = 0; i < m_RecordCount; ++i) {
        if (m_Records[i].ChineseName == name)
            return i;
    }
    return std::nullopt;
}

void CVELMORDoc::Fill(FieldColumns columns, const std::vector<std::int32_t>& leadInts,
                      std::int32_t count)
{
    assert(count >= 0 && count <= kCapacity);
    assert(leadInts.size() >= 2 * static_cast<std::size_t>(count));
    m_Columns = std::move(columns);
    m_Columns.seal(count);
    for (int i = 0; i < count; ++i) {
        ReagentRecord& record = m_Records[i];
        record.LeadInt1 = leadInts[2 * i];
        record.LeadInt2 = leadInts[2 * i + 1];
        for (int t = 0; t < kTextFieldCount; ++t)
            fieldText(record, textField(t)) = m_Columns.text(textField(t), i);
    }
    // Slots past the new count must not keep views into the bytes just replaced.
    for (int i = count; i < m_RecordCount; ++i)
        m_Records[i] = ReagentRecord{};
    m_RecordCount = count;
}
