#include "VELMORDoc.h"

CVELMORDoc::CVELMORDoc() : m_Records(kCapacity) {}

std::optional<int> CVELMORDoc::FindRecordByName(std::string_view name) const
{
    for (int i = 0; i < m_RecordCount; ++i) {
        if (m_Records[i].ChineseName == name)
            return i;
    }
    return std::nullopt;
}
