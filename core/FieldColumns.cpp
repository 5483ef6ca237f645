#include "FieldColumns.h"

FieldColumns::FieldColumns() : m_Pages(sizeof(Table)), m_Table(static_cast<Table*>(m_Pages.data()))
{
}

void FieldColumns::clear(bool release)
{
    for (GrowingBytes& column : m_Bytes) {
        if (release)
            column.clear();
        else
            column.empty();
    }
    m_Sealed = 0;
}

void FieldColumns::shrinkColumn(int t, std::size_t size)
{
    m_Bytes[t].shrink(size);
}

void FieldColumns::seal(int records, int begunTexts)
{
    for (int t = 0; t < kTextFieldCount; ++t) {
        // A text begun for the record cut short ends where the last complete record's ended.
        if (t < begunTexts)
            shrinkColumn(t, m_Table->starts[t][records]);
        m_Table->starts[t][records] = m_Bytes[t].size();
        m_Bytes[t].trim();
    }
    m_Sealed = records;
}
