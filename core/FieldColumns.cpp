#include "FieldColumns.h"

void FieldColumns::reserve(std::size_t records)
{
    for (auto& starts : m_Starts)
        starts.reserve(records + 1);
}

void FieldColumns::reserveLike(std::size_t sample, std::size_t total)
{
    for (auto& bytes : m_Bytes)
        bytes.reserve(bytes.size() / sample * total * 9 / 8);
}

void FieldColumns::seal(std::size_t records)
{
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        auto& starts = m_Starts[i];
        // A record cut short by the end of the file may have started some fields: its bytes
        // end where the last complete record's field ended.
        if (starts.size() > records)
            m_Bytes[i].resize(starts[records]);
        starts.resize(records);
        starts.push_back(m_Bytes[i].size());
    }
}
