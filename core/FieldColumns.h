#pragma once

#include "ColumnMap.h"
#include "MappedMemory.h"
#include "ReagentRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>

/// The fields a search scans: the two names, the CAS number, the formula and the use.
inline constexpr std::array<Field, 5> kSearchedFields = {
    Field::ChineseName, Field::EnglishName, Field::CasNumber, Field::Formula, Field::Use};

/// The loaded records. Each searched field has a column of its own: one buffer holding that
/// field of record 0, then of record 1, and so on, so that a search scans a whole field in one
/// pass. A record's other texts, which are only ever shown, lie together in one more column,
/// record after record, each behind its length; the loader can copy them from the database file
/// a run at a time. Each column keeps the start of every record in it; the two integers of
/// every record are kept apart. Memory follows the bytes the records hold.
///
/// The tables of starts and integers have room for `kRecords` records from construction on;
/// their pages stay untouched zeros until records are loaded into them.
class FieldColumns
{
public:
    static constexpr int kRecords = 50000;

    /// Columns: one per searched field, in kSearchedFields order, then the other texts'.
    static constexpr int kColumnCount = static_cast<int>(kSearchedFields.size()) + 1;
    static constexpr int kOthers = kColumnCount - 1;

    /// The column of each text (0..22).
    static constexpr std::array<int, kTextFieldCount> kColumnOf = [] {
        std::array<int, kTextFieldCount> columns{};
        for (int t = 0; t < kTextFieldCount; ++t) {
            columns[t] = kOthers;
            for (int c = 0; c < kOthers; ++c) {
                if (kSearchedFields[c] == textField(t))
                    columns[t] = c;
            }
        }
        return columns;
    }();

    /// How the others' column writes a text's length: one byte below kLongLength, or that byte
    /// followed by the length as a std::uint64_t. A short text is written as the database file
    /// writes it, so runs of them can be copied whole.
    static constexpr unsigned char kLongLength = 0xFF;
    static constexpr std::size_t kLongPrefix = 9;

    FieldColumns();

    /// Searched field `field` of every record, back to back.
    std::string_view bytes(Field field) const
    {
        const GrowingBytes& column = m_Bytes[searchedColumn(field)];
        return {column.data(), column.size()};
    }

    /// Start offsets of records 0..n-1 in `bytes(field)`, followed by the end of record n-1,
    /// for the n records sealed last; `field` is a searched field.
    std::span<const std::size_t> starts(Field field) const
    {
        return {m_Table->starts[searchedColumn(field)], static_cast<std::size_t>(m_Sealed) + 1};
    }

    /// Where records and characters start in `bytes(field)`. Made at its first use after a
    /// load, as only searches need it.
    const ColumnMap& columnMap(Field field) const;

    /// Searched field `field` of sealed record `record`.
    std::string_view text(Field field, int record) const
    {
        const int column = searchedColumn(field);
        const std::size_t* at = m_Table->starts[column] + record;
        return {m_Bytes[column].data() + at[0], at[1] - at[0]};
    }

    /// Calls `onText(field, text)` for every text field of sealed record `record`, in field
    /// order, walking its other texts once.
    template <class OnText> void forEachText(int record, OnText&& onText) const
    {
        const char* other = m_Bytes[kOthers].data() + m_Table->starts[kOthers][record];
        for (int t = 0; t < kTextFieldCount; ++t) {
            if (kColumnOf[t] != kOthers) {
                onText(textField(t), text(textField(t), record));
                continue;
            }
            const std::string_view otherText = otherTextAt(other);
            onText(textField(t), otherText);
            other = otherText.data() + otherText.size();
        }
    }

    /// LeadInt1 (`which` 0) or LeadInt2 (1) of `record`.
    std::int32_t leadInt(int record, int which) const { return m_Table->ints[record][which]; }

    // Filling, record by record and field by field in file order.

    /// Forgets every record. The columns keep their pages for the records loaded next, unless
    /// `release` gives them back.
    void clear(bool release = false);

    /// Takes note of `records`, the count the file announces: the columns of a load of many
    /// records start with room for megabytes.
    void expect(int records);

    /// Begins `record`: notes where it starts in every column. The tables' pages come in at
    /// their first write.
    void beginRecord(int record)
    {
        for (int c = 0; c < kColumnCount; ++c)
            m_Table->starts[c][record] = m_Bytes[c].size();
    }

    void setLeadInts(int record, std::int32_t first, std::int32_t second)
    {
        m_Table->ints[record][0] = first;
        m_Table->ints[record][1] = second;
    }

    /// Adds `bytes` bytes to the end of column `column` for the caller to fill, with
    /// GrowingBytes::kPadding more that may be overwritten. A column that grows takes at most
    /// `spareLimit` bytes of room beyond what it holds.
    char* append(int column, std::size_t bytes, std::size_t spareLimit)
    {
        return m_Bytes[column].extend(bytes, spareLimit);
    }

    /// Adds a text of `bytes` bytes to the others' column with its length; returns where its
    /// bytes go, for the caller to fill.
    char* appendOtherText(std::size_t bytes, std::size_t spareLimit);

    /// Ends column `column` at `size` bytes (after deleting bytes from it); no more than it holds.
    void shrinkColumn(int column, std::size_t size) { m_Bytes[column].shrink(size); }
    std::size_t columnSize(int column) const { return m_Bytes[column].size(); }
    char* columnData(int column) { return m_Bytes[column].data(); }

    /// Keeps records 0..records-1 and gives back the pages no column needs for them. Record
    /// `records` must have been begun; whatever it holds is dropped.
    void seal(int records);

private:
    struct Table
    {
        std::int32_t ints[kRecords][2];
        std::size_t starts[kColumnCount][kRecords + 1];
    };

    static constexpr int searchedColumn(Field field) { return kColumnOf[textIndex(field)]; }

    /// The text whose length starts at `at` in the others' column.
    static std::string_view otherTextAt(const char* at)
    {
        const auto length = static_cast<unsigned char>(*at);
        if (length != kLongLength)
            return {at + 1, length};
        std::uint64_t longLength;
        std::memcpy(&longLength, at + 1, sizeof longLength);
        return {at + kLongPrefix, static_cast<std::size_t>(longLength)};
    }

    void forgetMaps();

    ZeroPages m_Pages;
    Table* m_Table;
    std::array<GrowingBytes, kColumnCount> m_Bytes;
    int m_Sealed = 0;
    mutable std::mutex m_MapsMade;
    mutable std::array<std::unique_ptr<const ColumnMap>, kOthers> m_Maps;
};
