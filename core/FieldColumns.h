#pragma once

#include "ReagentRecord.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// The bytes of every loaded record, kept field by field: one buffer per text field holding
/// that field of record 0, then of record 1, and so on, with the start of each record's text.
/// Keeping a field's bytes together makes loading cheap (no string per field) and lets a
/// search scan a whole field in one pass.
class FieldColumns
{
public:
    /// Starts the text of `field` for the next record; `append` adds to it.
    void beginText(Field field) { m_Starts[textIndex(field)].push_back(bytes(field).size()); }
    std::string& bytes(Field field) { return m_Bytes[textIndex(field)]; }

    const std::string& bytes(Field field) const { return m_Bytes[textIndex(field)]; }

    /// Start offsets of records 0..n-1 in `bytes(field)`, followed by the end of record n-1.
    /// Valid after `seal(n)`.
    const std::vector<std::size_t>& starts(Field field) const { return m_Starts[textIndex(field)]; }

    /// Keeps the first `records` records (dropping a partly read one) and closes every field.
    void seal(std::size_t records);

    std::string_view text(Field field, std::size_t record) const;

    /// Bytes of text held, all fields together.
    std::size_t byteCount() const;

private:
    std::array<std::string, kTextFieldCount> m_Bytes;
    std::array<std::vector<std::size_t>, kTextFieldCount> m_Starts;
};
