#pragma once

#include "MappedMemory.h"
#include "ReagentRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

/// The loaded records, kept field by field: for each text field one buffer holding that field
/// of record 0, then of record 1, and so on, with the start of each record's text; and the two
/// integers of every record. A search scans a whole field in one pass, and memory follows the
/// bytes the records hold.
///
/// The tables of starts and integers have room for `kRecords` records from construction on;
/// their pages stay untouched zeros until records are loaded into them.
class FieldColumns
{
public:
    static constexpr int kRecords = 50000;

    FieldColumns();

    /// Text field `field` of every record, back to back.
    std::string_view bytes(Field field) const
    {
        const GrowingBytes& column = m_Bytes[textIndex(field)];
        return {column.data(), column.size()};
    }

    /// Start offsets of records 0..n-1 in `bytes(field)`, followed by the end of record n-1,
    /// for the n records sealed last.
    std::span<const std::size_t> starts(Field field) const
    {
        return {startsOf(textIndex(field)), static_cast<std::size_t>(m_Sealed) + 1};
    }

    /// The text of `field` of sealed record `record`.
    std::string_view text(Field field, int record) const
    {
        const std::size_t* at = startsOf(textIndex(field)) + record;
        return bytes(field).substr(at[0], at[1] - at[0]);
    }

    /// LeadInt1 (`which` 0) or LeadInt2 (1) of `record`.
    std::int32_t leadInt(int record, int which) const { return m_Table->ints[record][which]; }

    // Filling, record by record and field by field in file order.

    /// Forgets every record. The columns keep their pages for the records loaded next, unless
    /// `release` gives them back.
    void clear(bool release = false);

    /// Begins `record`: the tables' pages for it and the records after it are brought in a
    /// batch at a time.
    void beginRecord(int record)
    {
        if (record >= m_Prepared)
            prepareFrom(record);
    }

    void setLeadInts(int record, std::int32_t first, std::int32_t second)
    {
        m_Table->ints[record][0] = first;
        m_Table->ints[record][1] = second;
    }

    /// Starts text `t` (0..22) of `record` with `bytes` bytes for the caller to fill. A column
    /// that grows takes at most `spareLimit` bytes of room beyond what it holds.
    char* appendText(int t, int record, std::size_t bytes, std::size_t spareLimit)
    {
        GrowingBytes& column = m_Bytes[t];
        m_Table->starts[t][record] = column.size();
        return column.extend(bytes, spareLimit);
    }

    /// Ends text `t` of the record being filled at `size` bytes into its column (after
    /// deleting bytes from it); no more than it holds.
    void shrinkColumn(int t, std::size_t size);
    std::size_t columnSize(int t) const { return m_Bytes[t].size(); }
    std::size_t startOf(int t, int record) const { return m_Table->starts[t][record]; }
    char* columnData(int t) { return m_Bytes[t].data(); }

    /// Keeps records 0..records-1, and gives back the pages no column needs for them. Record
    /// `records` may have begun its first `begunTexts` texts; they are dropped.
    void seal(int records, int begunTexts);

private:
    struct Table
    {
        std::int32_t ints[kRecords][2];
        std::size_t starts[kTextFieldCount][kRecords + 1];
    };

    const std::size_t* startsOf(int t) const { return m_Table->starts[t]; }
    void prepareFrom(int record);

    ZeroPages m_Pages;
    Table* m_Table;
    std::array<GrowingBytes, kTextFieldCount> m_Bytes;
    int m_Sealed = 0;
    int m_Prepared = 0; ///< records whose table pages have been brought in
};
