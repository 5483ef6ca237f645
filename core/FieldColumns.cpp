#include "FieldColumns.h"

#include <algorithm>

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

void FieldColumns::prepareFrom(int record)
{
    // Each table has one run of entries per batch: a few calls instead of a page fault every
    // 512 records in each of them.
    constexpr int kBatch = 4096;
    const int end = std::min(kRecords, record + kBatch);
    BringInPages(&m_Table->ints[record], sizeof m_Table->ints[0] * (end - record));
    for (auto& starts : m_Table->starts)
        BringInPages(&starts[record], sizeof starts[0] * (end + 1 - record));
    m_Prepared = end;
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
        // The pages brought in for records that never came.
        std::size_t* starts = m_Table->starts[t];
        GiveBackPages(starts + records + 1, sizeof starts[0] * (kRecords - records));
    }
    GiveBackPages(&m_Table->ints[records], sizeof m_Table->ints[0] * (kRecords - records));
    m_Prepared = std::min(m_Prepared, records);
    m_Sealed = records;
}
