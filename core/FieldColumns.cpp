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
    expect(0);
    forgetMaps();
}

void FieldColumns::expect(int records)
{
    // Ten thousand records make columns of a few hundred kilobytes at the least.
    constexpr int kLargeLoad = 10000;
    for (GrowingBytes& column : m_Bytes)
        column.expectLarge(records >= kLargeLoad);
}

char* FieldColumns::appendOtherText(std::size_t bytes, std::size_t spareLimit)
{
    const bool isShort = bytes < kLongLength;
    const std::size_t prefix = isShort ? 1 : kLongPrefix;
    char* at = append(kOthers, prefix + bytes, spareLimit);
    if (isShort) {
        *at = static_cast<char>(bytes);
    } else {
        *at = static_cast<char>(kLongLength);
        const std::uint64_t length = bytes;
        std::memcpy(at + 1, &length, sizeof length);
    }
    return at + prefix;
}

void FieldColumns::seal(int records)
{
    for (int c = 0; c < kColumnCount; ++c) {
        // What the record after the last one kept holds goes.
        shrinkColumn(c, m_Table->starts[c][records]);
        m_Bytes[c].trim();
        // The pages brought in for records that never came.
        std::size_t* starts = m_Table->starts[c];
        GiveBackPages(starts + records + 1, sizeof starts[0] * (kRecords - records));
    }
    GiveBackPages(&m_Table->ints[records], sizeof m_Table->ints[0] * (kRecords - records));
    m_Sealed = records;
}

const ColumnMap& FieldColumns::columnMap(Field field) const
{
    const std::lock_guard lock(m_MapsMade);
    auto& map = m_Maps[searchedColumn(field)];
    if (!map)
        map = std::make_unique<const ColumnMap>(bytes(field), starts(field));
    return *map;
}

void FieldColumns::forgetMaps()
{
    const std::lock_guard lock(m_MapsMade);
    for (auto& map : m_Maps)
        map.reset();
}
