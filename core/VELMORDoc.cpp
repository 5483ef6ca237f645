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
        m_Records[i].LeadInt1 = leadInts[2 * i];
        m_Records[i].LeadInt2 = leadInts[2 * i + 1];
    }
    for (int t = 0; t < kTextFieldCount; ++t) {
        const Field field = textField(t);
        const char* bytes = m_Columns.bytes(field).data();
        const std::vector<std::size_t>& starts = m_Columns.starts(field);
        for (int i = 0; i < count; ++i)
            fieldText(m_Records[i], field) =
                std::string_view(bytes + starts[i], starts[i + 1] - starts[i]);
    }
    // Slots past the new count must not keep views into the bytes just replaced.
    for (int i = count; i < m_RecordCount; ++i)
        m_Records[i] = ReagentRecord{};
    m_RecordCount = count;
}
