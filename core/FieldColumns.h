#pragma once

#include "ReagentRecord.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// The searched fields of every loaded record, kept field by field: one buffer per field
/// holding that field of record 0, then of record 1, and so on, with the start of each
/// record's text. A search then scans a whole field in one pass instead of calling a
/// substring search once per record.
class FieldColumns
{
public:
    /// The fields that searches test.
    static constexpr std::array<Field, 5> kFields = {Field::ChineseName, Field::EnglishName,
                                                     Field::CasNumber, Field::Formula, Field::Use};

    /// The column of `field`, or -1 if no search tests it.
    static constexpr int slotOf(Field field)
    {
        for (std::size_t i = 0; i < kFields.size(); ++i) {
            if (kFields[i] == field)
                return static_cast<int>(i);
        }
        return -1;
    }

    /// Starts the text of `slot`'s field for the next record; append to `bytes(slot)`.
    void beginText(int slot) { m_Starts[slot].push_back(m_Bytes[slot].size()); }
    std::string& bytes(int slot) { return m_Bytes[slot]; }

    const std::string& bytes(Field field) const { return m_Bytes[slotOf(field)]; }

    /// Start offsets of records 0..n-1 in `bytes(field)`, followed by the end of record n-1.
    /// Valid after `seal(n)`.
    const std::vector<std::size_t>& starts(Field field) const { return m_Starts[slotOf(field)]; }

    /// Reserves room for the starts of `records` records.
    void reserve(std::size_t records);

    /// Reserves room for `total` records' bytes, judging by the first `sample` records.
    void reserveLike(std::size_t sample, std::size_t total);

    /// Keeps the first `records` records (dropping a partly read one) and closes every column.
    void seal(std::size_t records);

    std::string_view text(Field field, std::size_t record) const
    {
        const auto& at = starts(field);
        return std::string_view(bytes(field)).substr(at[record], at[record + 1] - at[record]);
    }

private:
    std::array<std::string, kFields.size()> m_Bytes;
    std::array<std::vector<std::size_t>, kFields.size()> m_Starts;
};
