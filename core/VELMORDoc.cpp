#include "VELMORDoc.h"

CVELMORDoc::CVELMORDoc() : m_Records(kCapacity) {}

std::optional<int> CVELMORDoc::FindRecordByName(std::string_view name) const
{
    if (m_RecordCount <= 0)
        return std::nullopt;
    // A plain scan in store order, over the name column rather than the record table: it runs
    // on every repaint, and the column's lengths and bytes lie close together.
    const std::vector<std::size_t>& starts = m_Columns.starts(Field::ChineseName);
    const char* bytes = m_Columns.bytes(Field::ChineseName).data();
    for (int i = 0; i < m_RecordCount; ++i) {
        if (starts[i + 1] - starts[i] == name.size() &&
            std::string_view(bytes + starts[i], name.size()) == name)
            return i;
    }
    return std::nullopt;
}
