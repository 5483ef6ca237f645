#include "FieldColumns.h"

void FieldColumns::seal(std::size_t records)
{
    for (int i = 0; i < kTextFieldCount; ++i) {
        auto& starts = m_Starts[i];
        // A record cut short by the end of the file may have started some fields: its bytes
        // end where the last complete record's field ended.
        if (starts.size() > records)
            m_Bytes[i].resize(starts[records]);
        starts.resize(records);
        starts.push_back(m_Bytes[i].size());
    }
}

std::string_view FieldColumns::text(Field field, std::size_t record) const
{
    const auto& starts = m_Starts[textIndex(field)];
    const std::string& bytes = m_Bytes[textIndex(field)];
    return std::string_view(bytes).substr(starts[record], starts[record + 1] - starts[record]);
}

std::size_t FieldColumns::byteCount() const
{
    std::size_t total = 0;
    for (const auto& b : m_Bytes)
        total += b.size();
    return total;
}
