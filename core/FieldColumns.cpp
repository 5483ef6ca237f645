#include "FieldColumns.h"

FieldColumns::FieldColumns() : m_Pages(sizeof(Table)), m_Table(static_cast<Table*>(m_Pages.data()))
{
}

void FieldColumns::clear()
{
    for (GrowingBytes& column : m_Bytes)
        column.clear();
    m_Sealed = 0;
}

char* FieldColumns::appendText(int t, int record, std::size_t bytes, std::size_t spareLimit)
{
    GrowingBytes& column = m_Bytes[t];
    m_Table->starts[t][record] = column.size();
    return column.extend(bytes, spareLimit);
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
    }
    m_Sealed = records;
}
